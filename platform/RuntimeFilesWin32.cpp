#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "platform/RuntimeFiles.h"
#include "platform/WideText.h"

std::FILE* openFile(const std::string& path, const char* mode) {
    return _wfopen(wideFromUtf8(path).c_str(), wideFromUtf8(mode).c_str());
}

int openForAppending(const std::string& path) {
    return _wopen(wideFromUtf8(path).c_str(), _O_WRONLY | _O_CREAT | _O_APPEND | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}

std::filesystem::path filePath(const std::string& path) {
    return std::filesystem::path(wideFromUtf8(path));
}
