#pragma once

#include <string>

// Folders that only the current user can reach, for things other local users must not see or
// replace (the editor's hand-over socket).

// Why path is not such a folder (missing, a link, not a folder, someone else's, open to
// others); empty when it is one. The path itself is examined, never what a link points to.
std::string privateFolderProblem(const std::string& path);

// Creates path with mode 0700 unless it exists, then examines it as above. A socket of the
// user's own that nobody answers on is replaced by the folder.
std::string makePrivateFolder(const std::string& path);
