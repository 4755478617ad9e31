#pragma once

#include <QJsonValue>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// The application's resource data (string table, dialog templates, menus, tool bars,
// icons), loaded once from a folder of JSON files and pictures.

namespace framework {

struct ControlTemplate {
    QString kind;  // ltext, edit, pushbutton, defpushbutton, listbox, combobox, listview, icon,
                   // groupbox
    int id = 0;
    QString text;
    QRect rect;  // dialog units
    QStringList styles;
};

struct DialogTemplate {
    int id = 0;
    QString title;
    QRect rect;  // dialog units
    QStringList styles;
    std::vector<ControlTemplate> controls;  // in tab order
};

class Resources {
public:
    // Reads strings.json, dialogs.json and the other data files under folder (a file path
    // or a Qt resource path such as ":/res"). False when a file is missing or broken.
    static bool load(const QString& folder);

    // The string with id, or an empty text.
    static QString LoadString(int id);
    // The dialog template with id, or null.
    static const DialogTemplate* dialog(int id);
    // The JSON value stored under name in the file name.json, e.g. ("menus", "128").
    static QJsonValue data(const QString& file, const QString& name);
    // A picture of the resource folder, e.g. "toolbars/main.png".
    static QString path(const QString& relative);
};

}  // namespace framework
