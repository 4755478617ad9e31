#include "framework/Resources.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>

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

bool readJson(const QString& path, QJsonObject& object) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
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

QStringList stylesOf(const QJsonValue& value) {
    QStringList styles;
    for (const QJsonValue& style : value.toArray()) {
        styles << style.toString();
    }
    return styles;
}

DialogTemplate dialogOf(int id, const QJsonObject& object) {
    DialogTemplate result;
    result.id = id;
    result.title = object.value(QStringLiteral("title")).toString();
    result.rect = rectOf(object.value(QStringLiteral("rect")));
    result.styles = stylesOf(object.value(QStringLiteral("style")));
    for (const QJsonValue& value : object.value(QStringLiteral("controls")).toArray()) {
        const QJsonObject control = value.toObject();
        result.controls.push_back({control.value(QStringLiteral("kind")).toString(),
                                   control.value(QStringLiteral("id")).toInt(),
                                   control.value(QStringLiteral("text")).toString(),
                                   rectOf(control.value(QStringLiteral("rect"))),
                                   stylesOf(control.value(QStringLiteral("style")))});
    }
    return result;
}

}  // namespace

bool Resources::load(const QString& folder) {
    Store loaded;
    loaded.folder = folder;
    for (const QString& name :
         {QStringLiteral("strings"), QStringLiteral("dialogs"), QStringLiteral("menus"),
          QStringLiteral("toolbars"), QStringLiteral("accelerators")}) {
        QJsonObject object;
        if (readJson(folder + QLatin1Char('/') + name + QStringLiteral(".json"), object)) {
            loaded.files[name] = object;
        } else if (name == QStringLiteral("strings") || name == QStringLiteral("dialogs")) {
            return false;
        }
    }
    const QJsonObject& strings = loaded.files[QStringLiteral("strings")];
    for (auto it = strings.begin(); it != strings.end(); ++it) {
        loaded.strings[it.key().toInt()] = it.value().toString();
    }
    const QJsonObject& dialogs = loaded.files[QStringLiteral("dialogs")];
    for (auto it = dialogs.begin(); it != dialogs.end(); ++it) {
        loaded.dialogs[it.key().toInt()] = dialogOf(it.key().toInt(), it.value().toObject());
    }
    store() = std::move(loaded);
    return true;
}

QString Resources::LoadString(int id) {
    const auto found = store().strings.find(id);
    return found == store().strings.end() ? QString() : found->second;
}

const DialogTemplate* Resources::dialog(int id) {
    const auto found = store().dialogs.find(id);
    return found == store().dialogs.end() ? nullptr : &found->second;
}

QJsonValue Resources::data(const QString& file, const QString& name) {
    const auto found = store().files.find(file);
    return found == store().files.end() ? QJsonValue() : found->second.value(name);
}

QString Resources::path(const QString& relative) {
    return store().folder + QLatin1Char('/') + relative;
}

}  // namespace framework
