#pragma once
// The user's abbreviated day and month names, as the date pictures need them.

#include <array>
#include <string>

namespace horvane {

struct LocaleNames {
    std::array<std::string, 7> days;    // Sunday first
    std::array<std::string, 12> months; // January first
};

// The names of the user's locale (LC_TIME / LANG), UTF-8.
LocaleNames UserLocaleNames();

// Sun..Sat and Jan..Dec.
LocaleNames EnglishLocaleNames();

} // namespace horvane
