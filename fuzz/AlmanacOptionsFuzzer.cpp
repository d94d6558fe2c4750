// horvane-almanac's command line, arguments separated by zero bytes: parsing never
// fails but with a reason, and an understood command line gives a board that prints.

#include "fuzz/FuzzSupport.h"
#include "tools/almanac/AlmanacOptions.h"
#include "tools/almanac/AlmanacPlace.h"
#include "tools/almanac/AlmanacReport.h"

#include <string>
#include <vector>

using namespace horvane;
using horvane::fuzz::Require;

namespace {

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += char(data[i]);
    }
    return arguments;
}

void CheckDateTime(const std::string& text) {
    const std::optional<CivilDateTime> at = ParseLocalDateTime(text);
    if (!at)
        return;
    Require(at->month >= 1 && at->month <= 12 && at->day >= 1 && at->day <= 31 && at->hour >= 0 &&
                at->hour < 24 && at->minute >= 0 && at->minute < 60 && at->second >= 0 &&
                at->second < 60,
            "an accepted date and time is a valid one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::RunHives(); // --location reads the (empty) store
    const std::vector<std::string> arguments = Arguments(data, size);
    for (const std::string& argument : arguments)
        CheckDateTime(argument);

    const ParsedAlmanacOptions parsed = ParseAlmanacOptions(arguments);
    if (!parsed.error.empty() || parsed.options.help)
        return 0;
    const AlmanacOptions& options = parsed.options;
    const PlaceLookup lookup = ResolveAlmanacPlace(options);
    if (!lookup.error.empty()) {
        Require(lookup.exitCode == 1 || lookup.exitCode == 2, "a place not found has its status");
        return 0;
    }
    AlmanacReading reading;
    reading.place = lookup.place;
    reading.now = ToDateSerial(options.at.value_or(CivilDateTime{2026, 12, 4, 7, 30, 0}));
    reading.utcOffsetMinutes = options.utcOffsetMinutes.value_or(0);
    reading.board = ComputeEventBoard(reading.now, reading.utcOffsetMinutes, reading.place.latitude,
                                      reading.place.longitude);
    Require(!BoardText(reading).empty() && !BoardJson(reading).empty(), "the board prints");
    return 0;
}
