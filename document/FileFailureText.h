#pragma once

#include <string>

#include "document/TextureDecoding.h"
#include "library/LibraryFile.h"
#include "persistence/hresult.h"

// Why a file could not be used, as the programs tell it after the file's name (UTF-8, German).

// The reason for a failed open, read or write, from its result code.
std::string fileFailureText(HRESULT result);

// The reason a library file was not read in full, from loadLibraryFile's result and report;
// empty when it was.
std::string libraryReadText(HRESULT result, const LibraryReadReport& report);

// The editor's message when a library could not be opened: the load failure message, and
// where the system failed (not where the file is no library or of another version), its
// reason on a line of its own.
std::string loadFailedText(HRESULT result);

// Why no backup was written at path, for the status bar; empty without an obstacle.
std::string backupObstacleText(const std::string& path, BackupObstacle obstacle);

// Why a texture file's bytes gave no picture: "unbekanntes Bildformat", "fehlerhafte
// Bilddaten".
std::string textureDecodeFailureText(TextureDecodeFailure failure);
