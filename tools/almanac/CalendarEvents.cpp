#include "tools/almanac/CalendarEvents.h"

#include <algorithm>
#include <array>

namespace horvane {
namespace {

struct EventNames {
    const char* option;
    const char* summary;
    BoardSearch search;
};

constexpr std::array<EventNames, kBoardEventCount> kEvents = {{
    {"twilight-begins", "Civil twilight begins", BoardSearch::Twilight},
    {"sunrise", "Sunrise", BoardSearch::Sun},
    {"transit", "Sun transit", BoardSearch::Sun},
    {"sunset", "Sunset", BoardSearch::Sun},
    {"twilight-ends", "Civil twilight ends", BoardSearch::Twilight},
    {"moonrise", "Moonrise", BoardSearch::Moon},
    {"moonset", "Moonset", BoardSearch::Moon},
}};

} // namespace

std::string CalendarEventNames() {
    std::string names;
    for (const EventNames& event : kEvents)
        names += std::string(names.empty() ? "" : ",") + event.option;
    return names;
}

std::vector<BoardEvent> ParseCalendarEvents(const std::string& list, std::string& error) {
    std::array<bool, kBoardEventCount> chosen{};
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        const auto found =
            std::find_if(kEvents.begin(), kEvents.end(),
                         [&](const EventNames& event) { return name == event.option; });
        if (found == kEvents.end()) {
            error = "--events takes names from " + CalendarEventNames() + ", not \"" + name + "\"";
            return {};
        }
        chosen[std::size_t(found - kEvents.begin())] = true;
        start = comma + 1;
    }
    std::vector<BoardEvent> events;
    for (int row = 0; row < kBoardEventCount; ++row)
        if (chosen[std::size_t(row)])
            events.push_back(BoardEvent(row));
    return events;
}

BoardSearch SearchOfEvent(BoardEvent event) {
    return kEvents[std::size_t(event)].search;
}

const char* CalendarSummary(BoardEvent event) {
    return kEvents[std::size_t(event)].summary;
}

const char* CalendarEventName(BoardEvent event) {
    return kEvents[std::size_t(event)].option;
}

} // namespace horvane
