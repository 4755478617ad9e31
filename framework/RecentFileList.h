#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QMenu;
class QAction;

namespace framework {

// The most recently used files, newest first, kept in the application's settings and shown
// in the file menu in place of a placeholder item.
class RecentFileList {
public:
    // size: how many entries are kept; section: the settings group.
    RecentFileList(int size, QString section = QStringLiteral("Recent File List"));

    void load();
    void save() const;

    // Puts path first (once), dropping the oldest entry beyond the size.
    void add(const QString& path);
    void remove(int index);
    const QStringList& files() const { return entries; }

    // Replaces the items from placeholder onward that show entries with the current entries
    // ("&1 name" ...); an empty list shows the placeholder greyed. Choosing entry i calls
    // send with firstId + i.
    void updateMenu(QMenu* menu, QAction* placeholder, int firstId,
                    const std::function<void(int id)>& send) const;

private:
    int capacity;
    QString section;
    QStringList entries;
};

}  // namespace framework
