// The coordinate parsers on any text: a valid text gives a finite value in range, an
// invalid one leaves the value untouched, and the hemisphere letters mirror the sign.

#include "fuzz/FuzzSupport.h"
#include "settings/CoordinateText.h"

#include <cmath>
#include <string_view>

using namespace horvane;
using horvane::fuzz::Require;

namespace {

constexpr double kUntouched = 12345.5; // outside both ranges, so never a parse result

template <typename Parse>
void CheckParser(Parse parse, std::string_view text, double limit, char positive, char negative) {
    double value = kUntouched;
    if (!parse(text, value)) {
        Require(value == kUntouched, "a refused text leaves the value as it was");
        return;
    }
    Require(std::isfinite(value) && value >= -limit && value <= limit,
            "an accepted text gives a finite value in range");
    // The same number with the other hemisphere letter is its mirror image (when the
    // text carries a letter and the number has no sign of its own).
    const char last = text.empty() ? '\0' : text.back();
    if ((last == positive || last == negative) && text.find('-') == std::string_view::npos) {
        std::string mirrored(text);
        mirrored.back() = last == positive ? negative : positive;
        double other = kUntouched;
        Require(parse(mirrored, other) && other == -value,
                "the other hemisphere letter negates the value");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckParser(ParseLatitude, text, 90, 'N', 'S');
    CheckParser(ParseLongitude, text, 180, 'E', 'W');
    return 0;
}
