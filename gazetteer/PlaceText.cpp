#include "gazetteer/PlaceText.h"

#include <charconv>
#include <cmath>

namespace horvane {
namespace {

// The degrees without their sign, to so many decimals with a point whatever the locale,
// and the letter of their side; a value that rounds to zero is on the positive side.
std::string Degrees(double degrees, int decimals, char positive, char negative) {
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, std::fabs(degrees),
                                       std::chars_format::fixed, decimals);
    std::string text(digits, written.ptr);
    const bool zero = text.find_first_of("123456789") == std::string::npos;
    return text + (degrees < 0 && !zero ? negative : positive);
}

constexpr int kStoredDecimals = 3;
constexpr int kShownDecimals = 2;

} // namespace

std::string StoredPlaceName(const GazetteerPlace& place) {
    std::string name(place.name);
    if (!place.region.empty())
        name.append(", ").append(place.region);
    return name.append(", ").append(place.country);
}

std::string LatitudeText(double latitude) {
    return Degrees(latitude, kStoredDecimals, 'N', 'S');
}

std::string LongitudeText(double longitude) {
    return Degrees(longitude, kStoredDecimals, 'E', 'W');
}

std::string PlaceRowText(const GazetteerPlace& place) {
    return StoredPlaceName(place) + " \u2014 " + Degrees(place.latitude, kShownDecimals, 'N', 'S') +
           " " + Degrees(place.longitude, kShownDecimals, 'E', 'W');
}

} // namespace horvane
