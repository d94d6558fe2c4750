#pragma once
// What the registry found wrong with a hive file: the file and the system's cause. A
// result code alone cannot say which file failed or why; callers that report a
// failure to a person add this to the code's text.

#include "platform/registry/RegistryTypes.h"

#include <filesystem>
#include <string>

namespace horvane {

// Records, for the calling thread, that a call failed with result because of file.
void NoteHiveFailure(LONG result, const std::filesystem::path& file, const std::string& cause);

// Forgets the last note; every registry call starts with this.
void ClearHiveFailure();

// " (FILE: CAUSE)" when the last failed call on this thread failed with result
// because of a hive file, otherwise empty.
std::string HiveFailureDetail(LONG result);

// The system's message for result followed by its file detail, if any.
std::string RegistryFailureText(LONG result);

// The system's words for an errno value.
std::string SystemErrorText(int error);

} // namespace horvane
