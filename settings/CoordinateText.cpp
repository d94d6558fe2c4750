#include "settings/CoordinateText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace horvane {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// The whole text as a plain decimal number ("-12.5", ".105", "7"), whatever the user's
// locale; blanks around it are allowed, anything else after it is not.
std::optional<double> ToNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The number text of a coordinate: without its hemisphere letter, negated for the
// letter that counts negative. Blanks round the whole text go first, so that the sign
// lands next to the number and " 5S" reads as "5S" does.
std::string NumberText(std::string_view text, char positiveLetter, char negativeLetter) {
    text = TrimBlanks(text);
    if (text.empty())
        return {};
    const char last = char(std::tolower(static_cast<unsigned char>(text.back())));
    const std::string_view withoutLetter = text.substr(0, text.size() - 1);
    if (last == positiveLetter)
        return std::string(withoutLetter);
    if (last == negativeLetter)
        return std::string("-").append(withoutLetter);
    return std::string(text);
}

bool ParseCoordinate(std::string_view text, char positiveLetter, char negativeLetter, double limit,
                     double& coordinate) {
    const std::optional<double> value = ToNumber(NumberText(text, positiveLetter, negativeLetter));
    if (!value || *value < -limit || *value > limit)
        return false;
    coordinate = *value;
    return true;
}

} // namespace

bool ParseLatitude(std::string_view text, double& latitude) {
    return ParseCoordinate(text, 'n', 's', 90.0, latitude);
}

bool ParseLongitude(std::string_view text, double& longitude) {
    return ParseCoordinate(text, 'e', 'w', 180.0, longitude);
}

} // namespace horvane
