#pragma once

#include <string>
#include <vector>

// A fresh folder under the system's temporary directory, removed with everything in it
// when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return folder; }
    // The path of a file name inside the folder.
    std::string file(const std::string& name) const { return folder + "/" + name; }
    // The names of what the folder holds, sorted.
    std::vector<std::string> names() const;

private:
    std::string folder;
};

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
