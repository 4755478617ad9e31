#include "bench/ScratchDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace {

std::filesystem::path temporaryBase() {
    const char* base = std::getenv("TMPDIR");
    return base != nullptr && *base != '\0' ? base : "/tmp";
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
    const std::string pattern = (temporaryBase() / "tolvane-bench-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    root = name.data();
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string ScratchDirectory::file(const std::string& name) const {
    return (root / name).string();
}
