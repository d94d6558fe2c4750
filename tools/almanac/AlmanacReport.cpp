#include "tools/almanac/AlmanacReport.h"

#include "astro/DateText.h"

#include <charconv>
#include <cstdio>

namespace horvane {
namespace {

constexpr const char* kJsonEventKeys[kBoardEventCount] = {
    "twilightBegins", "sunRise", "sunTransit", "sunSet", "twilightEnds", "moonRise", "moonSet"};

std::string Padded(const std::string& text, int width, bool alignRight) {
    const int gap = width - int(text.size());
    if (gap <= 0)
        return text;
    return alignRight ? std::string(gap, ' ') + text : text + std::string(gap, ' ');
}

// The sunrise and sunset entries of a day the sun stays up or down say which, after their
// empty texts.
std::string JsonAllDay(const EventBoard& board, BoardEvent event) {
    if (!SaysSunAllDay(board, event))
        return {};
    return std::string(", \"allDay\": ") +
           (board.sunAllDay == SunAllDay::Up ? "\"up\"" : "\"down\"");
}

std::string JsonEntry(const EventBoard& board, BoardEvent event) {
    const BoardEntry& entry = board[event];
    return "{\"last\": " + ExactNumberText(entry.last) +
           ", \"next\": " + ExactNumberText(entry.next) +
           ", \"lastText\": " + JsonString(entry.lastText) +
           ", \"nextText\": " + JsonString(entry.nextText) + JsonAllDay(board, event) + "}";
}

std::string JsonTimesOfDay(const EventTimesOfDay& times) {
    const std::pair<const char*, SecondsOfDay> fields[] = {
        {"SolarMidnightSec", times.SolarMidnightSec},
        {"TwilightBeginSec", times.TwilightBeginSec},
        {"SunriseSec", times.SunriseSec},
        {"SunsetSec", times.SunsetSec},
        {"TwilightEndSec", times.TwilightEndSec},
        {"MoonriseSec", times.MoonriseSec},
        {"MoonsetSec", times.MoonsetSec}};
    std::string json = "{";
    for (const auto& [name, seconds] : fields)
        json += std::string(json.size() > 1 ? ", " : "") + "\"" + name +
                "\": " + std::to_string(seconds);
    return json + "}";
}

// {"seconds": 32880, "changeSeconds": -62, "text": "Day length 9h 08m (−1m 02s)"}, and on a
// day the sun neither rises nor sets, which it does and the date it next sets or rises.
std::string JsonDayLength(const DayLength& length) {
    std::string json = "{\"seconds\": " + std::to_string(length.seconds) +
                       ", \"changeSeconds\": " + std::to_string(length.change) +
                       ", \"text\": " + JsonString(DayLengthText(length));
    if (length.allDay != SunAllDay::No) {
        const bool up = length.allDay == SunAllDay::Up;
        std::string next = "null";
        if (length.nextCrossingDay != 0) {
            CivilDateTime date;
            CivilFromDays(length.nextCrossingDay, date.year, date.month, date.day);
            next = JsonString(FormatIsoDate(date));
        }
        json += std::string(", \"allDay\": ") + (up ? "\"up\"" : "\"down\"") + ", " +
                (up ? "\"nextSunset\": " : "\"nextSunrise\": ") + next;
    }
    return json + "}";
}

} // namespace

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string ExactNumberText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string BoardText(const AlmanacReading& reading) {
    constexpr int kCaptionWidth = 16;
    constexpr int kValueWidth = 12;
    std::string text = reading.place.name + "\n" + reading.timeLine + "\n" +
                       DayLengthText(reading.dayLength) + "\n\n";
    text += std::string(kCaptionWidth, ' ') + Padded("Last", kValueWidth, true) +
            Padded("Next", kValueWidth, true) + "\n";
    for (int row = 0; row < kBoardEventCount; ++row) {
        const BoardEvent event = BoardEvent(row);
        text += Padded(BoardEventCaption(event), kCaptionWidth, false) +
                Padded(BoardCellText(reading.board, event, BoardColumn::Last), kValueWidth, true) +
                Padded(BoardCellText(reading.board, event, BoardColumn::Next), kValueWidth, true) +
                "\n";
    }
    return text;
}

std::string BoardJson(const AlmanacReading& reading) {
    std::string json = "{\"now\": " + ExactNumberText(reading.now) +
                       ", \"utcOffsetMinutes\": " + std::to_string(reading.utcOffsetMinutes) +
                       ", \"latitude\": " + ExactNumberText(reading.place.latitude) +
                       ", \"longitude\": " + ExactNumberText(reading.place.longitude) +
                       ", \"events\": {";
    for (int row = 0; row < kBoardEventCount; ++row)
        json += std::string(row ? ", " : "") + "\"" + kJsonEventKeys[row] +
                "\": " + JsonEntry(reading.board, BoardEvent(row));
    return json + "}, \"timesOfDay\": " + JsonTimesOfDay(reading.board.timesOfDay) +
           ", \"dayLength\": " + JsonDayLength(reading.dayLength) + "}\n";
}

} // namespace horvane
