#include <fcntl.h>

#include "platform/RuntimeFiles.h"

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

int openForAppending(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
}

std::filesystem::path filePath(const std::string& path) {
    return path;  // bytes as they are: POSIX names are bytes
}
