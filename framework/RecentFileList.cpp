#include "framework/RecentFileList.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace framework {

namespace {

constexpr const char* kEntryProperty = "recentFileEntry";

// A path short enough for a menu: the file name with its folder, or the whole path when short.
QString menuText(const QString& path) {
    constexpr int kLongest = 40;
    const QString shown = QDir::toNativeSeparators(path);
    if (shown.size() <= kLongest) {
        return shown;
    }
    const QFileInfo info(path);
    return QStringLiteral("...") + QDir::separator() + info.dir().dirName() + QDir::separator() +
           info.fileName();
}

}  // namespace

RecentFileList::RecentFileList(int size, QString section)
    : capacity(size), section(std::move(section)) {}

void RecentFileList::load() {
    QSettings settings;
    settings.beginGroup(section);
    entries.clear();
    for (int i = 1; i <= capacity; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !entries.contains(path)) {
            entries << path;
        }
    }
}

void RecentFileList::save() const {
    QSettings settings;
    settings.remove(section);
    settings.beginGroup(section);
    for (int i = 0; i < entries.size(); ++i) {
        settings.setValue(QStringLiteral("File%1").arg(i + 1), entries[i]);
    }
}

void RecentFileList::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    entries.removeAll(absolute);
    entries.prepend(absolute);
    while (entries.size() > capacity) {
        entries.removeLast();
    }
    save();
}

void RecentFileList::remove(int index) {
    if (index >= 0 && index < entries.size()) {
        entries.removeAt(index);
        save();
    }
}

void RecentFileList::updateMenu(QMenu* menu, QAction* placeholder, int firstId,
                                const std::function<void(int)>& send) const {
    for (QAction* action : menu->actions()) {
        if (action->property(kEntryProperty).isValid()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    placeholder->setVisible(entries.isEmpty());
    placeholder->setEnabled(false);
    for (int i = 0; i < entries.size(); ++i) {
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        auto* action = new QAction(number + QLatin1Char(' ') + menuText(entries[i]), menu);
        action->setProperty(kEntryProperty, firstId + i);
        action->setStatusTip(placeholder->statusTip());
        QObject::connect(action, &QAction::triggered, menu, [send, id = firstId + i] { send(id); });
        menu->insertAction(placeholder, action);
    }
}

}  // namespace framework
