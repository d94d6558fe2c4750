#pragma once
// Hives in a temporary folder for one test, and whole-file reads and writes.

#include "testing/TemporaryHives.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace horvane::test_support {

using horvane::TemporaryHives;

inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The names in a folder, sorted.
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Writes the file whole, making its folder first.
inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace horvane::test_support
