#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <string_view>

#include "platform/FolderEntries.h"
#include "platform/SystemCalls.h"

namespace {

bool isFolderEntry(DIR* folder, const dirent& entry) {
    if (entry.d_type == DT_DIR) {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat status {};
    return ::fstatat(::dirfd(folder), entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> handle(
        systemCalls.opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!handle) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    while (const dirent* entry = systemCalls.readdir(handle.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            entries.push_back({std::string(name), isFolderEntry(handle.get(), *entry)});
        }
    }
    return entries;
}
