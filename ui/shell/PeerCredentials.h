#pragma once

// True when the process at the other end of the connected local socket runs as the current
// user; false for anyone else or when the system cannot say.
bool peerIsCurrentUser(int socketDescriptor);
