#pragma once

#include <QString>

#include "library/LibraryFile.h"

// The warning after opening a library that ended early; empty when it read in full.
QString partialLibraryWarning(const QString& path, const LibraryReadReport& report);
