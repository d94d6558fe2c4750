#pragma once
// The form in which place names are compared: "Zürich" and "ZURICH" both read "zurich".

#include <string>
#include <string_view>

namespace horvane {

// The text with its accents and case taken off (compatibility decomposition, combining
// marks dropped, lower case, ß as ss, ø as o, ł as l and the like), apostrophes dropped and
// every run of other characters than letters and digits made one blank between words.
// Scripts without a Latin form keep their letters. Invalid UTF-8 is read as U+FFFD.
// The places file's keys were folded by the same rules.
std::string FoldPlaceName(std::string_view utf8);

} // namespace horvane
