#pragma once

#include <QString>

// The framework's own German texts: what it says itself, apart from the product's texts.

namespace framework::texts {

inline QString untitled() {
    return QStringLiteral("Unbenannt");
}
inline QString allFilesFilter() {
    return QStringLiteral("Alle Dateien (*.*)");
}
inline QString openFailed(const QString& path) {
    return QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(path);
}
inline QString askToSave(const QString& title) {
    return QStringLiteral("Änderungen an \"%1\" speichern?").arg(title);
}
inline QString restoreButton() {
    return QStringLiteral("&Wiederherstellen");
}
inline QString discardButton() {
    return QStringLiteral("&Verwerfen");
}
inline QString laterButton() {
    return QStringLiteral("&Später");
}
inline QString enterUnsigned() {
    return QStringLiteral("Geben Sie eine positive ganze Zahl ein.");
}
inline QString enterNumber() {
    return QStringLiteral("Geben Sie eine Zahl ein.");
}

}  // namespace framework::texts
