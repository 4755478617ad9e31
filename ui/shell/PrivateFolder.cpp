#include "ui/shell/PrivateFolder.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Whether path is a socket of the user's own that nobody answers on: what an editor that ended
// leaves behind, as earlier builds kept their channel where the folder now goes.
bool isAbandonedSocket(const std::string& path) {
    struct stat status {};
    sockaddr_un address{};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode) ||
        status.st_uid != ::geteuid() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0) {
        return false;
    }
    const bool refused =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno == ECONNREFUSED;
    ::close(probe);
    return refused;
}

}  // namespace

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
    if (::mkdir(path.c_str(), S_IRWXU) != 0) {
        if (errno != EEXIST) {
            return path + ": " + std::strerror(errno);
        }
        if (isAbandonedSocket(path) && ::unlink(path.c_str()) == 0 &&
            ::mkdir(path.c_str(), S_IRWXU) != 0) {
            return path + ": " + std::strerror(errno);
        }
    }
    return privateFolderProblem(path);
}
