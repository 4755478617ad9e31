#pragma once

#include <string>

#include "library/LibraryFile.h"
#include "persistence/hresult.h"

// Why a file could not be used, as the programs tell it after the file's name (UTF-8, German).

// The reason for a failed open, read or write, from its result code.
std::string fileFailureText(HRESULT result);

// The reason a library file was not read in full, from loadLibraryFile's result and report;
// empty when it was.
std::string libraryReadText(HRESULT result, const LibraryReadReport& report);
