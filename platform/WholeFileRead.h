#pragma once
// Reading a whole file by the system's calls: for the small files read on every import,
// a file stream's set-up cost more than the reading.

#include <filesystem>
#include <optional>
#include <string>

namespace horvane {

// The file's bytes, or nothing when it cannot be opened. What cannot be read, such as a
// folder, reads as far as it goes.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

} // namespace horvane
