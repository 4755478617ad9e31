#include "framework/Resources.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <set>

namespace framework {

namespace {

struct Store {
    QString folder;
    std::map<int, QString> strings;
    std::map<int, DialogTemplate> dialogs;
    std::map<QString, QJsonObject> files;
};

Store& store() {
    static Store value;
    return value;
}

// What a template may say: the control kinds with the style words each understands, and the
// style words of a dialog.
const std::map<QString, std::set<QString>>& controlStyles() {
    static const std::map<QString, std::set<QString>> styles = [] {
        const std::set<QString> common{QStringLiteral("disabled"), QStringLiteral("tabstop"),
                                       QStringLiteral("group"), QStringLiteral("border")};
        const auto with = [&common](std::initializer_list<const char*> more) {
            std::set<QString> result = common;
            for (const char* word : more) {
                result.insert(QLatin1String(word));
            }
            return result;
        };
        const std::set<QString> text = with({"noprefix"});
        return std::map<QString, std::set<QString>>{
            {QStringLiteral("ltext"), text},
            {QStringLiteral("rtext"), text},
            {QStringLiteral("ctext"), text},
            {QStringLiteral("icon"), common},
            {QStringLiteral("groupbox"), common},
            {QStringLiteral("pushbutton"), common},
            {QStringLiteral("defpushbutton"), common},
            {QStringLiteral("edit"), with({"autohscroll", "readonly", "uppercase"})},
            {QStringLiteral("listbox"),
             with({"notify", "sort", "vscroll", "hscroll", "nointegralheight"})},
            {QStringLiteral("combobox"), with({"dropdown", "dropdownlist", "vscroll", "sort"})},
            {QStringLiteral("listview"),
             with({"report", "singlesel", "showselalways", "vscroll", "hscroll"})},
        };
    }();
    return styles;
}

const std::set<QString>& dialogStyles() {
    static const std::set<QString> styles{QStringLiteral("modalframe"), QStringLiteral("caption"),
                                          QStringLiteral("sysmenu"), QStringLiteral("child")};
    return styles;
}

bool readJson(const QString& path, QJsonObject& object, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: cannot be read").arg(path);
        return false;
    }
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        error = QStringLiteral("%1: not a JSON object (%2 at offset %3)")
                    .arg(path, parse.errorString())
                    .arg(parse.offset);
        return false;
    }
    object = document.object();
    return true;
}

QRect rectOf(const QJsonValue& value) {
    const QJsonArray numbers = value.toArray();
    return QRect(numbers.at(0).toInt(), numbers.at(1).toInt(), numbers.at(2).toInt(),
                 numbers.at(3).toInt());
}

QStringList textsOf(const QJsonValue& value) {
    QStringList texts;
    for (const QJsonValue& text : value.toArray()) {
        texts << text.toString();
    }
    return texts;
}

// The first word of styles that allowed does not hold, or an empty text.
QString unknownStyle(const QStringList& styles, const std::set<QString>& allowed) {
    for (const QString& style : styles) {
        if (!allowed.contains(style)) {
            return style;
        }
    }
    return QString();
}

bool dialogOf(int id, const QJsonObject& object, DialogTemplate& result, QString& error) {
    const QString where = QStringLiteral("dialog %1").arg(id);
    result.id = id;
    result.title = object.value(QStringLiteral("title")).toString();
    result.rect = rectOf(object.value(QStringLiteral("rect")));
    result.styles = textsOf(object.value(QStringLiteral("style")));
    if (const QString style = unknownStyle(result.styles, dialogStyles()); !style.isEmpty()) {
        error = QStringLiteral("%1: unknown style \"%2\"").arg(where, style);
        return false;
    }
    for (const QJsonValue& value : object.value(QStringLiteral("controls")).toArray()) {
        const QJsonObject control = value.toObject();
        ControlTemplate entry{control.value(QStringLiteral("kind")).toString(),
                              control.value(QStringLiteral("id")).toInt(),
                              control.value(QStringLiteral("text")).toString(),
                              rectOf(control.value(QStringLiteral("rect"))),
                              textsOf(control.value(QStringLiteral("style"))),
                              textsOf(control.value(QStringLiteral("entries")))};
        const QString place = QStringLiteral("%1, control %2").arg(where).arg(entry.id);
        const auto styles = controlStyles().find(entry.kind);
        if (styles == controlStyles().end()) {
            error = QStringLiteral("%1: unknown kind \"%2\"").arg(place, entry.kind);
            return false;
        }
        if (const QString style = unknownStyle(entry.styles, styles->second); !style.isEmpty()) {
            error = QStringLiteral("%1: unknown style \"%2\" for a %3")
                        .arg(place, style, entry.kind);
            return false;
        }
        if (!entry.entries.isEmpty() && entry.kind != QLatin1String("combobox")) {
            error = QStringLiteral("%1: only a combobox has entries").arg(place);
            return false;
        }
        result.controls.push_back(std::move(entry));
    }
    return true;
}

}  // namespace

MissingTemplate::MissingTemplate(int id)
    : std::runtime_error("dialog template " + std::to_string(id) + " does not exist") {}

bool Resources::load(const QString& folder, QString* error) {
    QString problem;
    Store loaded;
    loaded.folder = folder;
    for (const QString& name :
         {QStringLiteral("strings"), QStringLiteral("dialogs"), QStringLiteral("menus"),
          QStringLiteral("toolbars"), QStringLiteral("accelerators")}) {
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".json");
        QJsonObject object;
        if (readJson(path, object, problem)) {
            loaded.files[name] = object;
        } else if (name == QStringLiteral("strings") || name == QStringLiteral("dialogs") ||
                   QFile::exists(path)) {
            // The string table and the templates are required; any file that exists must read.
            if (error != nullptr) {
                *error = problem;
            }
            return false;
        }
    }
    const QJsonObject& strings = loaded.files[QStringLiteral("strings")];
    for (auto it = strings.begin(); it != strings.end(); ++it) {
        loaded.strings[it.key().toInt()] = it.value().toString();
    }
    const QJsonObject& dialogs = loaded.files[QStringLiteral("dialogs")];
    for (auto it = dialogs.begin(); it != dialogs.end(); ++it) {
        DialogTemplate dialogTemplate;
        if (!dialogOf(it.key().toInt(), it.value().toObject(), dialogTemplate, problem)) {
            if (error != nullptr) {
                *error = problem;
            }
            return false;
        }
        loaded.dialogs[dialogTemplate.id] = std::move(dialogTemplate);
    }
    store() = std::move(loaded);
    return true;
}

QString Resources::LoadString(int id) {
    const auto found = store().strings.find(id);
    return found == store().strings.end() ? QString() : found->second;
}

const DialogTemplate& Resources::dialog(int id) {
    const auto found = store().dialogs.find(id);
    if (found == store().dialogs.end()) {
        throw MissingTemplate(id);
    }
    return found->second;
}

bool Resources::hasDialog(int id) {
    return store().dialogs.contains(id);
}

QJsonValue Resources::data(const QString& file, const QString& name) {
    const auto found = store().files.find(file);
    return found == store().files.end() ? QJsonValue() : found->second.value(name);
}

QString Resources::path(const QString& relative) {
    return store().folder + QLatin1Char('/') + relative;
}

}  // namespace framework
