#include "tools/almanac/AlmanacYear.h"
#include "astro/EventBoard.h"
#include "tests/tools/RunAlmanac.h"
#include "tools/almanac/AlmanacOptions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const AlmanacPlace kChicago{"41.85N 87.65W", 41.85, -87.65};
const AlmanacPlace kBarrow{"71.29N 156.79W", 71.29, -156.79};

// Central time with daylight saving from April to October, a stand-in for a zone.
std::int32_t CentralTime(const CivilDateTime& noon) {
    return noon.month >= 4 && noon.month <= 10 ? -300 : -360;
}

std::int32_t AlaskaStandardTime(const CivilDateTime&) {
    return -540;
}

const YearDay& DayOf(const YearTable& table, int month, int day) {
    for (const YearDay& entry : table.days)
        if (entry.date.month == month && entry.date.day == day)
            return entry;
    throw std::out_of_range("no such day in the table");
}

QJsonObject YearJson(const QStringList& arguments, const QString& zone = "UTC") {
    const AlmanacRun run = RunAlmanac(arguments + QStringList{"--json"}, {}, zone);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

QJsonObject JsonDay(const QJsonObject& year, const QString& date) {
    for (const QJsonValue day : year["days"].toArray())
        if (day["date"].toString() == date)
            return day.toObject();
    return {};
}

} // namespace

// Each day of the page is the board's next rise and set as seen from that day's local
// midnight, at the offset of that day, for each of the three searches.
TEST(AlmanacYear, AgreesWithTheBoardOnEveryDay) {
    const struct {
        AlmanacPlace place;
        std::int32_t (*offset)(const CivilDateTime&);
    } places[] = {{kChicago, CentralTime}, {kBarrow, AlaskaStandardTime}};
    const struct {
        BoardSearch search;
        BoardEvent rise;
        BoardEvent set;
    } events[] = {{BoardSearch::Sun, BoardEvent::SunRise, BoardEvent::SunSet},
                  {BoardSearch::Twilight, BoardEvent::TwilightBegins, BoardEvent::TwilightEnds},
                  {BoardSearch::Moon, BoardEvent::MoonRise, BoardEvent::MoonSet}};
    for (const auto& place : places)
        for (const auto& event : events) {
            const YearTable table = ComputeYearTable(2026, event.search, place.place, place.offset);
            ASSERT_EQ(table.days.size(), 365u);
            for (const YearDay& day : table.days) {
                const EventBoard board =
                    ComputeEventBoard(ToDateSerial(day.date), day.utcOffsetMinutes,
                                      place.place.latitude, place.place.longitude);
                ASSERT_EQ(day.rise, board[event.rise].next) << place.place.name;
                ASSERT_EQ(day.set, board[event.set].next) << place.place.name;
            }
        }
}

// Above 71 degrees north the sun stays up from mid-May to August and down from mid-November
// to late January: one unbroken run of each, with rising and setting days around them.
TEST(AlmanacYear, PolarYearHasOneRunOfMidnightSunAndOneOfPolarNight) {
    const YearTable table = ComputeYearTable(2026, BoardSearch::Sun, kBarrow, AlaskaStandardTime);
    std::string marks; // one letter a day: A above, B below, x a day with a crossing
    for (const YearDay& day : table.days) {
        EXPECT_EQ(day.riseText == "****", day.setText == "****");
        EXPECT_EQ(day.riseText == "----", day.setText == "----");
        marks += day.riseText == "****" ? 'A' : day.riseText == "----" ? 'B' : 'x';
    }
    // Above from 11 May (day 130) to 1 August (day 212); below until 21 January (day 20)
    // and again from 19 November (day 322).
    const std::string expected = std::string(21, 'B') + std::string(130 - 21, 'x') +
                                 std::string(213 - 130, 'A') + std::string(322 - 213, 'x') +
                                 std::string(365 - 322, 'B');
    EXPECT_EQ(marks, expected);
    EXPECT_EQ(DayOf(table, 11, 18).riseText.size(), 4u); // the last sunrise has its time
}

// A moon that rises but does not set in a day (or the reverse) leaves the missing one blank.
TEST(AlmanacYear, MoonDayWithOneEventLeavesTheOtherBlank) {
    const YearTable table = ComputeYearTable(2026, BoardSearch::Moon, kChicago, CentralTime);
    int blankRises = 0;
    int blankSets = 0;
    for (const YearDay& day : table.days) {
        EXPECT_EQ(day.riseText.empty(), day.rise == 0);
        EXPECT_EQ(day.setText.empty(), day.set == 0);
        blankRises += day.riseText.empty();
        blankSets += day.setText.empty();
    }
    // About one day in thirty lacks each, as moonrise and moonset come 50 minutes later daily.
    EXPECT_GE(blankRises, 10);
    EXPECT_LE(blankRises, 14);
    EXPECT_GE(blankSets, 10);
    EXPECT_LE(blankSets, 14);
}

TEST(AlmanacYearCommand, PrintsTwelveMonthsAcrossAndThirtyOneDaysDown) {
    const AlmanacRun run = RunAlmanac(
        {"--year", "2026", "--lat", "43.089N", "--lon", "87.888W", "--utc-offset", "-360"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 6 + 31 + 1) << run.out.toStdString();
    EXPECT_EQ(lines[0], "Sunrise and sunset, 2026");
    EXPECT_EQ(lines[1], "43.089N 87.888W");
    EXPECT_EQ(lines[2], "Local time UTC-06:00");
    EXPECT_TRUE(lines[4].startsWith("       Jan        Feb        Mar")) << lines[4].toStdString();
    EXPECT_TRUE(lines[5].startsWith("    Rise  Set  Rise  Set")) << lines[5].toStdString();
    // Day 5, December: the twelfth cell, 11 characters each after the two-digit day.
    const QString fifth = lines[5 + 5];
    EXPECT_TRUE(fifth.startsWith("05  ")) << fifth.toStdString();
    EXPECT_EQ(fifth.mid(2 + 11 * 11 + 2, 4), "0708") << fifth.toStdString();
    // The 31st has no February, April, June, September or November.
    const QString last = lines[5 + 31];
    EXPECT_EQ(last.mid(2 + 11 * 1, 11).trimmed(), "");
    EXPECT_EQ(last.mid(2 + 11 * 10, 11).trimmed(), "");
}

TEST(AlmanacYearCommand, TwentyNinthOfFebruaryOnlyInLeapYears) {
    const struct {
        const char* year;
        int days;
    } rows[] = {{"2024", 366}, {"2026", 365}, {"2000", 366}, {"1900", 365}};
    for (const auto& row : rows) {
        const QJsonObject year =
            YearJson({"--year", row.year, "--lat", "0", "--lon", "0", "--utc-offset", "0"});
        EXPECT_EQ(year["days"].toArray().size(), row.days) << row.year;
        EXPECT_EQ(JsonDay(year, QString(row.year) + "-02-29").isEmpty(), row.days == 365);
        EXPECT_EQ(year["days"].toArray().last()["date"].toString(), QString(row.year) + "-12-31");
    }
    const AlmanacRun leap = RunAlmanac({"--year", "2024", "--lat", "0", "--lon", "0"});
    EXPECT_NE(leap.out.split('\n')[5 + 29].mid(2 + 11, 11).trimmed(), "");
}

// Each day takes the zone's offset at its own noon: in 2026 Chicago moves to daylight saving
// on 8 March and back on 1 November, and the sunrise jumps by an hour with it.
TEST(AlmanacYearCommand, EachDayTakesTheZonesOffsetAtItsNoon) {
    const QJsonObject year =
        YearJson({"--year", "2026", "--lat", "41.85N", "--lon", "87.65W"}, "America/Chicago");
    EXPECT_EQ(year["zone"].toString(), "America/Chicago");
    EXPECT_EQ(year["event"].toString(), "sun");
    const struct {
        const char* date;
        int offset;
        const char* riseText;
    } rows[] = {{"2026-03-07", -360, "0615"},
                {"2026-03-08", -300, "0714"},
                {"2026-10-31", -300, "0722"},
                {"2026-11-01", -360, "0623"}};
    for (const auto& row : rows) {
        const QJsonObject day = JsonDay(year, row.date);
        EXPECT_EQ(day["utcOffsetMinutes"].toInt(), row.offset) << row.date;
        EXPECT_EQ(day["riseText"].toString(), row.riseText) << row.date;
    }
    const AlmanacRun text =
        RunAlmanac({"--year", "2026", "--lat", "41.85N", "--lon", "87.65W"}, {}, "America/Chicago");
    EXPECT_EQ(text.out.split('\n')[2], "Local time of America/Chicago (UTC-06:00 and UTC-05:00)");
}

// The serials are the board's local Date serials, 0 where the day has none.
TEST(AlmanacYearCommand, JsonCarriesTheSerialsAndTheTexts) {
    const QJsonObject year = YearJson(
        {"--year", "2026", "--moon", "--lat", "41.85N", "--lon", "87.65W", "--utc-offset", "-360"});
    EXPECT_EQ(year["event"].toString(), "moon");
    EXPECT_EQ(year["zone"].toString(), "UTC-06:00");
    EXPECT_DOUBLE_EQ(year["latitude"].toDouble(), 41.85);
    EXPECT_DOUBLE_EQ(year["longitude"].toDouble(), -87.65);
    const YearTable table = ComputeYearTable(
        2026, BoardSearch::Moon, kChicago, [](const CivilDateTime&) { return std::int32_t(-360); });
    const QJsonArray days = year["days"].toArray();
    ASSERT_EQ(days.size(), qsizetype(table.days.size()));
    for (qsizetype i = 0; i < days.size(); ++i) {
        const YearDay& day = table.days[i];
        EXPECT_EQ(QJsonObject({{"date", days[i]["date"]},
                               {"utcOffsetMinutes", -360},
                               {"rise", day.rise},
                               {"set", day.set},
                               {"riseText", QString::fromStdString(day.riseText)},
                               {"setText", QString::fromStdString(day.setText)}}),
                  days[i].toObject());
    }
    const QJsonObject twilight = YearJson({"--year", "2026", "--twilight", "--lat", "71.29N",
                                           "--lon", "156.79W", "--utc-offset", "-540"});
    EXPECT_EQ(twilight["event"].toString(), "twilight");
    EXPECT_EQ(JsonDay(twilight, "2026-06-21")["riseText"].toString(), "****");
    EXPECT_EQ(JsonDay(twilight, "2026-06-21")["rise"].toDouble(), 0);
}

TEST(AlmanacYearOptions, RefusesWhatDoesNotGoWithTheYearsPage) {
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } rows[] = {
        {{"--year", "1899"}, "--year takes a year from 1900 to 9999, not \"1899\""},
        {{"--year=10000"}, "--year takes a year from 1900 to 9999, not \"10000\""},
        {{"--year", "26th"}, "--year takes a year from 1900 to 9999, not \"26th\""},
        {{"--moon"}, "--twilight and --moon go with --year"},
        {{"--year", "2026", "--moon", "--twilight"}, "give either --twilight or --moon"},
        {{"--year", "2026", "--at", "2026-01-01 00:00:00"}, "--year and --at do not go together"},
        {{"--year", "2026", "--face", "x.png"}, "--year and --face do not go together"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseAlmanacOptions(row.arguments).error, row.error) << row.arguments[0];
    const ParsedAlmanacOptions moon = ParseAlmanacOptions({"--year", "2026", "--moon"});
    EXPECT_EQ(moon.options.year, 2026);
    EXPECT_EQ(YearEventOf(moon.options), BoardSearch::Moon);
}
