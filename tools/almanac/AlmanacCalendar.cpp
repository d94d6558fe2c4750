#include "tools/almanac/AlmanacCalendar.h"

#include "astro/DateSerial.h"
#include "tools/almanac/AlmanacReport.h"
#include "tools/almanac/CalendarEvents.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <tuple>

namespace horvane {
namespace {

constexpr std::size_t kLongestLine = 75; // octets, without the CRLF
constexpr const char* kLineEnd = "\r\n";
constexpr const char* kUidDomain = "@horvane-almanac";

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// "20260107T131500Z"
std::string UtcDateTimeText(const CivilDateTime& utc) {
    char text[24];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", utc.year % 10000,
                  utc.month % 100, utc.day % 100, utc.hour % 100, utc.minute % 100,
                  utc.second % 100);
    return text;
}

// The universal time of the minute the board shows for an event at the local Date serial.
CivilDateTime UtcMinuteOf(DateSerial event, std::int32_t utcOffsetMinutes) {
    CivilDateTime local = ToCivil(RoundedToMinute(event));
    local.second = 0;
    return ToCivil(ToDateSerial(local) - double(utcOffsetMinutes) / kMinutesPerDay);
}

DateSerial InstantOf(const YearDay& day, BoardEvent event) {
    switch (event) {
    case BoardEvent::SunTransit:
        return day.transit;
    case BoardEvent::TwilightBegins:
    case BoardEvent::SunRise:
    case BoardEvent::MoonRise:
        return day.rise;
    case BoardEvent::SunSet:
    case BoardEvent::TwilightEnds:
    case BoardEvent::MoonSet:
        break;
    }
    return day.set;
}

struct CalendarEntry {
    CivilDateTime startUtc;
    BoardEvent event;
    CivilDateTime date; // the local date whose page holds it
};

std::vector<CalendarEntry> EntriesOf(const std::vector<BoardEvent>& events,
                                     const YearPages& pages) {
    std::vector<CalendarEntry> entries;
    for (const BoardEvent event : events)
        for (const YearDay& day : pages[std::size_t(SearchOfEvent(event))]->days)
            if (const DateSerial instant = InstantOf(day, event); instant != 0)
                entries.push_back({UtcMinuteOf(instant, day.utcOffsetMinutes), event, day.date});
    const auto key = [](const CalendarEntry& entry) {
        const CivilDateTime& t = entry.startUtc;
        return std::tuple(t.year, t.month, t.day, t.hour, t.minute, int(entry.event));
    };
    std::sort(entries.begin(), entries.end(),
              [&](const CalendarEntry& a, const CalendarEntry& b) { return key(a) < key(b); });
    return entries;
}

// The same place, event and date make the same UID whenever the file is made.
std::string UidOf(const CalendarEntry& entry, const AlmanacPlace& place) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", entry.date.year % 10000,
                  entry.date.month % 100, entry.date.day % 100);
    return std::string(CalendarEventName(entry.event)) + "-" + date + "-" +
           ExactNumberText(place.latitude) + "_" + ExactNumberText(place.longitude) + kUidDomain;
}

std::string EventLines(const CalendarEntry& entry, const AlmanacPlace& place,
                       const std::string& stamp) {
    const std::string lines[] = {"BEGIN:VEVENT",
                                 "UID:" + UidOf(entry, place),
                                 "DTSTAMP:" + stamp,
                                 "DTSTART:" + UtcDateTimeText(entry.startUtc),
                                 "DURATION:PT0S",
                                 "SUMMARY:" + std::string(CalendarSummary(entry.event)),
                                 "LOCATION:" + CalendarPropertyText(place.name),
                                 "GEO:" + ExactNumberText(place.latitude) + ";" +
                                     ExactNumberText(place.longitude),
                                 "TRANSP:TRANSPARENT",
                                 "END:VEVENT"};
    std::string text;
    for (const std::string& line : lines)
        text += FoldedContentLine(line);
    return text;
}

// "Sunrise and sunset 2026, Chicago": the events' summaries in the board's order.
std::string CalendarName(const std::vector<BoardEvent>& events, const YearTable& page) {
    std::string name;
    for (std::size_t i = 0; i < events.size(); ++i) {
        std::string summary = CalendarSummary(events[i]);
        if (i > 0)
            summary[0] = char(std::tolower(static_cast<unsigned char>(summary[0])));
        name += std::string(i == 0 ? "" : i + 1 == events.size() ? " and " : ", ") + summary;
    }
    return name + " " + std::to_string(page.year) + ", " + page.place.name;
}

} // namespace

std::string CalendarPropertyText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\t' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)) {
            escaped += c;
        }
    }
    return escaped;
}

std::string FoldedContentLine(const std::string& line) {
    std::string folded;
    std::size_t start = 0;
    std::size_t room = kLongestLine;
    while (line.size() - start > room) {
        std::size_t end = start + room;
        while (end > start + 1 && IsContinuationByte(line[end]))
            --end;
        folded += line.substr(start, end - start) + kLineEnd + " ";
        start = end;
        room = kLongestLine - 1; // after the blank that marks a continuation
    }
    return folded + line.substr(start) + kLineEnd;
}

std::string YearCalendar(const std::vector<BoardEvent>& events, const YearPages& pages,
                         const CivilDateTime& stampUtc) {
    const YearTable& page = *pages[std::size_t(SearchOfEvent(events.front()))];
    std::string text;
    for (const std::string& line :
         {std::string("BEGIN:VCALENDAR"), std::string("VERSION:2.0"),
          std::string("PRODID:-//Horvane//horvane-almanac//EN"), std::string("CALSCALE:GREGORIAN"),
          std::string("METHOD:PUBLISH"),
          "X-WR-CALNAME:" + CalendarPropertyText(CalendarName(events, page))})
        text += FoldedContentLine(line);
    const std::string stamp = UtcDateTimeText(stampUtc);
    for (const CalendarEntry& entry : EntriesOf(events, pages))
        text += EventLines(entry, page.place, stamp);
    return text + FoldedContentLine("END:VCALENDAR");
}

} // namespace horvane
