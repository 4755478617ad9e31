#include "cli/CliSupport.h"

#include <iostream>

#include "library/LibraryFile.h"

bool loadLibraryOrReport(const std::string& path, ResourceLibrary& library) {
    if (FAILED(loadLibraryFile(path, library))) {
        std::cerr << "Die Datei konnte nicht geladen werden!\n";
        return false;
    }
    return true;
}
