#pragma once
// Making changes to a folder's entries durable.

#include <filesystem>

namespace horvane {

// Flushes the folder's entries to disk, so that a file just created, linked or renamed
// into it is still there after a crash. Best effort: a folder that cannot be opened or
// flushed is left as it is, since the file itself was already written.
void SyncFolder(const std::filesystem::path& folder);

} // namespace horvane
