#include "ui/shell/PrivateFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

std::string privateFolderProblem(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return path + ": " + std::strerror(errno);
    }
    if (S_ISLNK(status.st_mode)) {
        return path + " ist ein Verweis";
    }
    if (!S_ISDIR(status.st_mode)) {
        return path + " ist kein Ordner";
    }
    if (status.st_uid != ::geteuid()) {
        return path + " gehört einem anderen Benutzer";
    }
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        return path + " ist für andere Benutzer zugänglich";
    }
    return {};
}

std::string makePrivateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
        return path + ": " + std::strerror(errno);
    }
    return privateFolderProblem(path);
}
