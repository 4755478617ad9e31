#pragma once

#include <QString>
#include <string>

// Library texts are Windows-1252 bytes; the user sees and types Unicode.
QString fromLibraryText(const std::string& bytes);
// A character that Windows-1252 cannot hold becomes '?'.
std::string toLibraryText(const QString& text);
