#pragma once

#include <QJsonValue>
#include <QRect>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

// The application's resource data (string table, dialog templates, menus, tool bars,
// icons), loaded once from a folder of JSON files and pictures. res/README.md describes the
// template format.

namespace framework {

struct ControlTemplate {
    QString kind;  // ltext, rtext, ctext, edit, pushbutton, defpushbutton, listbox, combobox,
                   // listview, icon, groupbox
    int id = 0;
    QString text;
    QRect rect;  // dialog units; a combo's height is that of its dropped-down list
    QStringList styles;
    QStringList entries;  // a combo's list, in order
};

struct DialogTemplate {
    int id = 0;
    QString title;
    QRect rect;  // dialog units
    QStringList styles;
    std::vector<ControlTemplate> controls;  // in tab order
};

// A template that a window asks for and the resource data does not have.
class MissingTemplate : public std::runtime_error {
public:
    explicit MissingTemplate(int id);
};

class Resources {
public:
    // Reads strings.json, dialogs.json and the other data files under folder (a file path
    // or a Qt resource path such as ":/res"). False when a file is missing or broken, or a
    // template names an unknown kind or style; error then says what and where, and the
    // resources loaded before stay.
    static bool load(const QString& folder, QString* error = nullptr);

    // The string with id, or an empty text.
    static QString LoadString(int id);
    // The dialog template with id; MissingTemplate when there is none.
    static const DialogTemplate& dialog(int id);
    static bool hasDialog(int id);
    // The JSON value stored under name in the file name.json, e.g. ("menus", "128").
    static QJsonValue data(const QString& file, const QString& name);
    // A picture of the resource folder, e.g. "toolbars/main.png".
    static QString path(const QString& relative);
};

}  // namespace framework
