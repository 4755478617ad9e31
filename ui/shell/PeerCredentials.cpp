#include "ui/shell/PeerCredentials.h"

#include <sys/socket.h>
#include <unistd.h>

bool peerIsCurrentUser(int socketDescriptor) {
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (::getsockopt(socketDescriptor, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials) {
        return false;
    }
    return credentials.uid == ::geteuid();
}
