#pragma once

#include <string>
#include <string_view>

namespace horvane {

// UTF-16 text (as the system's records hold it) to the program's narrow UTF-8.
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace horvane
