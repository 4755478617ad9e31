#pragma once

#include <filesystem>
#include <string>

// A fresh directory under $TMPDIR (or /tmp) for the files a benchmark writes; it goes,
// with everything in it, when the object goes.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string file(const std::string& name) const;

private:
    std::filesystem::path root;
};
