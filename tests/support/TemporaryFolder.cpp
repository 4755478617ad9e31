#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "platform/RuntimeFiles.h"

namespace {

// With '/' between the parts on Windows too, as the programs write paths.
std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::minstd_rand random(seed());
    for (int attempt = 0; attempt < 100 && folder.empty(); ++attempt) {
        const std::filesystem::path candidate =
            base / ("tolvane-test-" + std::to_string(random() % 1000000000));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            // The user's alone, as mkdtemp makes it.
            std::filesystem::permissions(candidate, std::filesystem::perms::owner_all, error);
            folder = utf8Of(candidate);
        }
    }
    if (folder.empty()) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(filePath(folder), ignored);
}

std::vector<std::string> TemporaryFolder::names() const {
    std::vector<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(filePath(folder))) {
        result.push_back(utf8Of(entry.path().filename()));
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(filePath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(filePath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
