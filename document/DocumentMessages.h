#pragma once

// What the editor and the command-line tool tell the user about library files (UTF-8).

inline constexpr const char* kLoadFailedMessage = "Die Datei konnte nicht geladen werden!";
inline constexpr const char* kSaveFailedMessage = "Die Datei konnte nicht gespeichert werden!";
