#include "settings/LocationNames.h"

#include "platform/EnvironmentStrings.h"
#include "platform/Utf8.h"
#include "platform/registry/RegistryNames.h"

#include <QChar>
#include <algorithm>

namespace horvane {
namespace {

// A character that would break the name's line or that nothing shows: the C0 and C1
// controls and DEL (tab and line feed among them), and the Unicode line and paragraph
// separators.
bool BreaksTheLine(char32_t character) {
    switch (QChar::category(character)) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// Calls visit(character, start, length) for each character of valid UTF-8 text.
template <class Visit> void ForEachCharacter(std::string_view text, Visit visit) {
    char32_t character = 0;
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        length = DecodeUtf8(text, i, character);
        visit(character, i, length);
    }
}

bool HoldsLineBreaker(std::string_view name) {
    bool found = false;
    ForEachCharacter(name, [&](char32_t character, std::size_t, std::size_t) {
        found = found || BreaksTheLine(character);
    });
    return found;
}

} // namespace

std::string LocationNameProblem(std::string_view name) {
    if (name.empty())
        return "Please type a name for the location.";
    if (name.find('\\') != std::string_view::npos)
        return "A location name cannot contain a backslash (\\).";
    if (!IsValidUtf8(name))
        return "A location name must be readable text.";
    if (HoldsLineBreaker(name))
        return "A location name cannot contain line breaks, tabs or other control characters.";
    if (CharacterCount(name) > kMaxKeyNameCharacters)
        return "A location name can be at most " + std::to_string(kMaxKeyNameCharacters) +
               " characters long.";
    if (HoldsVariableReference(name))
        return "A location name cannot hold text between two percent signs (%).";
    return {};
}

std::string TrimmedName(std::string_view typed) {
    if (!IsValidUtf8(typed))
        return std::string(typed);    // refused as it stands
    std::size_t first = typed.size(); // where the first character kept starts
    std::size_t end = 0;              // where the last one ends
    ForEachCharacter(typed, [&](char32_t character, std::size_t start, std::size_t length) {
        if (QChar::isSpace(character))
            return;
        first = std::min(first, start);
        end = start + length;
    });
    return first < end ? std::string(typed.substr(first, end - first)) : std::string();
}

} // namespace horvane
