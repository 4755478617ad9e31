#include "document/HeaderExport.h"

#include <cerrno>
#include <cstdio>

#include "persistence/systemError.h"
#include "persistence/tstring.h"
#include "platform/RuntimeFiles.h"

namespace {

constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::string HeaderText(const ResourceLibrary& library) {
    std::string guard = library.name;
    tsMakeUpper(guard);  // should it fail, the guard keeps the name as it is

    std::string text;
    text += "#ifndef _" + guard + "_H" + kLineEnd;
    text += "#define _" + guard + "_H" + kLineEnd;
    text += kLineEnd;
    text += "enum " + library.name + " {" + kLineEnd;
    for (const auto& resource : library.resources) {
        text +=
            "\t" + resource->identifier + "\t = " + std::to_string(resource->id) + "," + kLineEnd;
    }
    text += std::string("};") + kLineEnd;
    text += std::string("#endif") + kLineEnd;
    return text;
}

HeaderExportResult ExportHeader(const ResourceLibrary& library, const std::string& path,
                                HRESULT* systemError) {
    const auto failed = [systemError](HeaderExportResult result) {
        if (systemError != nullptr) {
            *systemError = hresultFromErrno(errno);
        }
        return result;
    };
    std::FILE* file = openFile(path, "wb");
    if (file == nullptr) {
        return failed(HeaderExportResult::CreateFailed);
    }
    const std::string text = HeaderText(library);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;  // reports a failed flush of the buffer too
    return written && closed ? HeaderExportResult::Ok : failed(HeaderExportResult::CloseFailed);
}

std::string_view HeaderExportMessage(HeaderExportResult result) {
    switch (result) {
        case HeaderExportResult::CreateFailed:
            return "Fehler beim Erzeugen der Datei!";
        case HeaderExportResult::CloseFailed:
            return "Fehler beim Schliessen der Datei!";
        case HeaderExportResult::Ok:
            break;
    }
    return {};
}
