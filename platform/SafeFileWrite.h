#pragma once
// Replacing a file's contents so that it holds either its old bytes or all of the new
// ones, whatever fails or whoever else writes in the same folder.

#include <filesystem>
#include <string_view>
#include <system_error>

namespace horvane {

// Writes the bytes to a new file of an unpredictable name beside path, created
// exclusively (nothing already there is opened, followed or removed), flushes it to
// disk and renames it over path. An existing regular file keeps its mode (and its
// owner, where the process may set it); a new file gets 0666 less the umask. A
// symbolic link at path is replaced, not followed. On failure path is untouched and
// the temporary file is gone; the answer is then the cause.
std::error_code WriteFileSafely(const std::filesystem::path& path, std::string_view bytes);

} // namespace horvane
