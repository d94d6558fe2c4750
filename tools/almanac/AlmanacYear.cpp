#include "tools/almanac/AlmanacYear.h"

#include "astro/DateText.h"
#include "astro/DayLength.h"
#include "astro/TimeZone.h"
#include "tools/almanac/AlmanacReport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace horvane {
namespace {

constexpr int kMonthsPerYear = 12;
constexpr int kLongestMonthDays = 31;
constexpr const char* kAboveAllDay = "****";
constexpr const char* kBelowAllDay = "----";
constexpr const char* kCellGap = "  "; // between the day column and each month
constexpr int kCellWidth = 9;          // "hhmm hhmm"
constexpr int kLengthWidth = 6;        // " hh:mm" after it

int DaysInMonth(int year, int month) {
    using namespace std::chrono;
    return int(unsigned(
        year_month_day_last(std::chrono::year(year) / std::chrono::month(month) / last).day()));
}

// "0607" of an event rounded to the minute as the board rounds it; a time rounded up to
// midnight reads 0000.
std::string HoursMinutesText(DateSerial event) {
    const CivilDateTime rounded = ToCivil(RoundedToMinute(event));
    char text[8];
    std::snprintf(text, sizeof text, "%02d%02d", rounded.hour % 100, rounded.minute % 100);
    return text;
}

// With no crossing all day the body stays on one side of its threshold.
SunAllDay AllDayOf(const RiseTransitSet& found, const BoardSearches& searches, BoardSearch event,
                   DateSerial start) {
    if (found.rise != 0 || found.set != 0)
        return SunAllDay::No;
    return searches.IsAbove(event, start) ? SunAllDay::Up : SunAllDay::Down;
}

// With one of the two crossings only, the other simply did not happen that day.
void FillTexts(YearDay& day, SunAllDay allDay) {
    if (allDay != SunAllDay::No) {
        day.riseText = day.setText = allDay == SunAllDay::Up ? kAboveAllDay : kBelowAllDay;
        return;
    }
    day.riseText = day.rise == 0 ? "" : HoursMinutesText(day.rise);
    day.setText = day.set == 0 ? "" : HoursMinutesText(day.set);
}

YearDay ComputeDay(const CivilDateTime& date, BoardSearch event, const AlmanacPlace& place,
                   const DayOffset& offsetOfDay) {
    YearDay day;
    day.date = date;
    CivilDateTime noon = date;
    noon.hour = 12;
    day.utcOffsetMinutes = offsetOfDay(noon);
    const BoardSearches searches{day.utcOffsetMinutes, place.latitude, place.longitude};
    const DateSerial start = ToDateSerial(date);
    const RiseTransitSet found = searches.Find(event, start);
    day.rise = found.rise;
    day.set = found.set;
    day.transit = found.transit;
    const SunAllDay allDay = AllDayOf(found, searches, event, start);
    FillTexts(day, allDay);
    if (event == BoardSearch::Sun)
        day.sunlitSeconds = SunlitSeconds(found, start, allDay);
    return day;
}

const char* Title(BoardSearch event) {
    switch (event) {
    case BoardSearch::Sun:
        return "Sunrise and sunset";
    case BoardSearch::Twilight:
        return "Civil twilight, begins and ends";
    case BoardSearch::Moon:
        break;
    }
    return "Moonrise and moonset";
}

const char* JsonEventName(BoardSearch event) {
    switch (event) {
    case BoardSearch::Sun:
        return "sun";
    case BoardSearch::Twilight:
        return "twilight";
    case BoardSearch::Moon:
        break;
    }
    return "moon";
}

// "UTC-06:00 and UTC-05:00": the offsets of the year in the order they first apply.
std::string OffsetsOfYear(const YearTable& table) {
    std::vector<std::int32_t> offsets;
    for (const YearDay& day : table.days)
        if (std::find(offsets.begin(), offsets.end(), day.utcOffsetMinutes) == offsets.end())
            offsets.push_back(day.utcOffsetMinutes);
    std::string text;
    for (std::size_t i = 0; i < offsets.size(); ++i)
        text += std::string(i == 0                    ? ""
                            : i + 1 == offsets.size() ? " and "
                                                      : ", ") +
                "UTC" + UtcOffsetText(offsets[i]);
    return text;
}

std::string Centred(const std::string& text, int width) {
    const int gap = std::max(0, width - int(text.size()));
    return std::string(gap / 2, ' ') + text + std::string(gap - gap / 2, ' ');
}

std::string TrimmedRight(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

int CellWidth(const YearTable& table) {
    return kCellWidth + (table.dayLengthColumn ? kLengthWidth : 0);
}

std::string HeadingLines(const YearTable& table) {
    static const char* const months[kMonthsPerYear] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const bool twilight = table.event == BoardSearch::Twilight;
    std::string monthLine = "  ";
    std::string columnLine = "  ";
    for (const char* month : months) {
        monthLine += kCellGap + Centred(month, CellWidth(table));
        columnLine += std::string(kCellGap) + (twilight ? "Beg.  End" : "Rise  Set") +
                      (table.dayLengthColumn ? "   Day" : "");
    }
    const std::string offsets = OffsetsOfYear(table);
    const std::string zoneLine = offsets == table.zone
                                     ? "Local time " + offsets
                                     : "Local time of " + table.zone + " (" + offsets + ")";
    return std::string(Title(table.event)) + ", " + std::to_string(table.year) + "\n" +
           table.place.name + "\n" + zoneLine + "\n\n" + TrimmedRight(monthLine) + "\n" +
           columnLine + "\n";
}

} // namespace

YearTable ComputeYearTable(int year, BoardSearch event, const AlmanacPlace& place,
                           const DayOffset& offsetOfDay) {
    YearTable table{year, event, place, "", {}};
    for (int month = 1; month <= kMonthsPerYear; ++month)
        for (int day = 1; day <= DaysInMonth(year, month); ++day)
            table.days.push_back(
                ComputeDay({year, month, day, 0, 0, 0}, event, place, offsetOfDay));
    return table;
}

std::string YearTableText(const YearTable& table) {
    // cells[day - 1][month - 1]; days a month lacks stay blank.
    std::string blank(CellWidth(table), ' ');
    std::vector<std::vector<std::string>> cells(kLongestMonthDays,
                                                std::vector<std::string>(kMonthsPerYear, blank));
    auto fourWide = [](const std::string& text) {
        return text + std::string(4 - text.size(), ' ');
    };
    for (const YearDay& day : table.days)
        cells[day.date.day - 1][day.date.month - 1] =
            fourWide(day.riseText) + " " + fourWide(day.setText) +
            (table.dayLengthColumn ? " " + HoursMinutesOfLength(day.sunlitSeconds) : "");
    std::string text = HeadingLines(table);
    for (int day = 1; day <= kLongestMonthDays; ++day) {
        char number[4];
        std::snprintf(number, sizeof number, "%02d", day);
        std::string line = number;
        for (const std::string& cell : cells[day - 1])
            line += kCellGap + cell;
        text += TrimmedRight(line) + "\n";
    }
    return text;
}

std::string YearTableJson(const YearTable& table) {
    std::string json = "{\"year\": " + std::to_string(table.year) +
                       ", \"latitude\": " + ExactNumberText(table.place.latitude) +
                       ", \"longitude\": " + ExactNumberText(table.place.longitude) +
                       ", \"event\": \"" + JsonEventName(table.event) +
                       "\", \"zone\": " + JsonString(table.zone) + ", \"days\": [";
    for (std::size_t i = 0; i < table.days.size(); ++i) {
        const YearDay& day = table.days[i];
        json +=
            std::string(i ? ", " : "") + "{\"date\": \"" + FormatIsoDate(day.date) +
            "\", \"utcOffsetMinutes\": " + std::to_string(day.utcOffsetMinutes) +
            ", \"rise\": " + ExactNumberText(day.rise) + ", \"set\": " + ExactNumberText(day.set) +
            ", \"riseText\": " + JsonString(day.riseText) +
            ", \"setText\": " + JsonString(day.setText) +
            (table.event == BoardSearch::Sun ? ", \"transit\": " + ExactNumberText(day.transit)
                                             : "") +
            (table.dayLengthColumn ? ", \"dayLengthSeconds\": " + std::to_string(day.sunlitSeconds)
                                   : "") +
            "}";
    }
    return json + "]}\n";
}

} // namespace horvane
