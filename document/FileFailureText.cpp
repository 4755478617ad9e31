#include "document/FileFailureText.h"

#include <array>
#include <cstdio>

#include "document/DocumentMessages.h"

namespace {

struct Reason {
    std::uint32_t win32Code;
    const char* text;
};

constexpr std::array kReasons = {
    Reason{ERROR_FILE_NOT_FOUND, "Datei nicht gefunden"},
    Reason{ERROR_PATH_NOT_FOUND, "Datei nicht gefunden"},
    Reason{ERROR_ACCESS_DENIED, "Zugriff verweigert"},
    Reason{ERROR_SHARING_VIOLATION, "wird von einem anderen Programm benutzt"},
    Reason{ERROR_DIRECTORY_NOT_SUPPORTED, "ist ein Ordner"},
    Reason{ERROR_BAD_FILE_TYPE, "ist keine gewöhnliche Datei"},
    Reason{ERROR_DISK_FULL, "Datenträger voll"},
    Reason{ERROR_TOO_MANY_OPEN_FILES, "zu viele offene Dateien"},
    Reason{ERROR_FILE_TOO_LARGE, "Datei zu groß"},
};

}  // namespace

std::string fileFailureText(HRESULT result) {
    for (const Reason& reason : kReasons) {
        if (result == hresultFromWin32(reason.win32Code)) {
            return reason.text;
        }
    }
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
    return std::string("Ein-/Ausgabefehler ") + code;
}

std::string libraryReadText(HRESULT result, const LibraryReadReport& report) {
    switch (report.outcome) {
        case LibraryReadOutcome::EndsEarly:
            return "die Datei endet vorzeitig nach " + std::to_string(report.bytesRead) + " Bytes";
        case LibraryReadOutcome::ReadFailed:
            return fileFailureText(report.readError);
        case LibraryReadOutcome::NotALibrary:
            return "keine GUI-Bibliothek";
        case LibraryReadOutcome::UnsupportedVersion:
            return "Version " + std::to_string(report.version) + " wird nicht unterstützt";
        case LibraryReadOutcome::Complete:
            break;
    }
    return SUCCEEDED(result) ? std::string() : fileFailureText(result);
}

std::string loadFailedText(HRESULT result) {
    std::string text = kLoadFailedMessage;
    if (result != E_FAIL) {
        text += "\n" + fileFailureText(result);
    }
    return text;
}

std::string backupObstacleText(const std::string& path, BackupObstacle obstacle) {
    const char* what = "";
    switch (obstacle) {
        case BackupObstacle::None:
            return std::string();
        case BackupObstacle::Link:
            what = "ist ein symbolischer Link";
            break;
        case BackupObstacle::Folder:
            what = "ist ein Ordner";
            break;
        case BackupObstacle::SpecialFile:
            what = "ist keine gewöhnliche Datei";
            break;
    }
    return "Keine Sicherungskopie angelegt: " + path + " " + what + ".";
}

std::string textureDecodeFailureText(TextureDecodeFailure failure) {
    return failure == TextureDecodeFailure::UnknownFormat ? "unbekanntes Bildformat"
                                                          : "fehlerhafte Bilddaten";
}
