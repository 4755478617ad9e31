#pragma once

#include <QString>

#include "library/LibraryFile.h"

// The warning after opening a library that did not read in full (a file cut short, a read
// that failed midway); empty when it read in full.
QString partialLibraryWarning(const QString& path, const LibraryReadReport& report);
