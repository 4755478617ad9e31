#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "document/HeaderExport.h"

int runHeader(const Arguments& arguments) {
    ResourceLibrary library;
    if (!loadLibraryOrReport(arguments[0], library)) {
        return kExitFileError;
    }
    const HeaderExportResult result = ExportHeader(library, arguments[1]);
    if (result != HeaderExportResult::Ok) {
        std::cerr << HeaderExportMessage(result) << '\n';
        return kExitFileError;
    }
    return kExitSuccess;
}
