#include "ui/LibraryText.h"

#include "library/Windows1252.h"

QString fromLibraryText(const std::string& bytes) {
    return QString::fromStdString(utf8FromWindows1252(bytes));
}

std::string toLibraryText(const QString& text) {
    return windows1252FromUtf8(text.toStdString());
}
