// horvane-almanac --year: every day of the page against the board, and the page's text and JSON.

#include "tools/almanac/AlmanacYear.h"
#include "tests/tools/RunAlmanac.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const AlmanacPlace kChicago{"41.85N 87.65W", 41.85, -87.65};
const AlmanacPlace kBarrow{"71.29N 156.79W", 71.29, -156.79};

// Chicago's offset in 2026: daylight saving from 8 March to 31 October.
std::int32_t Chicago2026(const CivilDateTime& noon) {
    const std::pair day(noon.month, noon.day);
    return day >= std::pair(3, 8) && day < std::pair(11, 1) ? -300 : -360;
}

std::int32_t AlaskaStandardTime(const CivilDateTime&) {
    return -540;
}

// Each day of the page is the board's next rise and set as seen from that day's local
// midnight, at the offset of that day, for each of the three searches.
TEST(AlmanacYear, AgreesWithTheBoardOnEveryDay) {
    const std::pair<AlmanacPlace, DayOffset> places[] = {{kChicago, Chicago2026},
                                                         {kBarrow, AlaskaStandardTime}};
    const std::tuple<BoardSearch, BoardEvent, BoardEvent> events[] = {
        {BoardSearch::Sun, BoardEvent::SunRise, BoardEvent::SunSet},
        {BoardSearch::Twilight, BoardEvent::TwilightBegins, BoardEvent::TwilightEnds},
        {BoardSearch::Moon, BoardEvent::MoonRise, BoardEvent::MoonSet}};
    for (const auto& [place, offset] : places)
        for (const auto& [search, rise, set] : events) {
            const YearTable table = ComputeYearTable(2026, search, place, offset);
            ASSERT_EQ(table.days.size(), 365u);
            for (const YearDay& day : table.days) {
                const EventBoard board = ComputeEventBoard(
                    ToDateSerial(day.date), day.utcOffsetMinutes, place.latitude, place.longitude);
                ASSERT_EQ(std::pair(day.rise, day.set),
                          std::pair(board[rise].next, board[set].next))
                    << place.name << " " << day.date.month << "-" << day.date.day;
            }
        }
}

// Above 71 degrees north the sun stays up from 11 May (day 130) to 1 August (day 212), and
// down until 21 January (day 20) and again from 19 November (day 322), with rising and
// setting days around them.
TEST(AlmanacYear, PolarYearHasOneRunOfMidnightSunAndOneOfPolarNight) {
    const YearTable table = ComputeYearTable(2026, BoardSearch::Sun, kBarrow, AlaskaStandardTime);
    // One letter a day: A above, B below, x a day with a crossing.
    const auto mark = [](const std::string& text) {
        return text == "****" ? 'A' : text == "----" ? 'B' : 'x';
    };
    std::string rises, sets;
    for (const YearDay& day : table.days) {
        rises += mark(day.riseText);
        sets += mark(day.setText);
    }
    const std::string expected = std::string(21, 'B') + std::string(130 - 21, 'x') +
                                 std::string(213 - 130, 'A') + std::string(322 - 213, 'x') +
                                 std::string(365 - 322, 'B');
    EXPECT_EQ(std::pair(rises, sets), std::pair(expected, expected));
}

// About one day in thirty lacks a moonrise, and one a moonset, as each comes 50 minutes later
// daily; the missing one is left blank.
TEST(AlmanacYear, MoonDayWithOneEventLeavesTheOtherBlank) {
    const YearTable table = ComputeYearTable(2026, BoardSearch::Moon, kChicago, Chicago2026);
    int blankRises = 0, blankSets = 0;
    for (const YearDay& day : table.days) {
        EXPECT_EQ(std::pair(day.riseText.empty(), day.setText.empty()),
                  std::pair(day.rise == 0, day.set == 0));
        blankRises += day.riseText.empty();
        blankSets += day.setText.empty();
    }
    EXPECT_TRUE(blankRises >= 10 && blankRises <= 14 && blankSets >= 10 && blankSets <= 14)
        << blankRises << " " << blankSets;
}

// Twelve months across, eleven characters a cell after the two-digit day, and thirty-one days
// down; the 31st has no February, April, June, September or November.
TEST(AlmanacYearCommand, PrintsTwelveMonthsAcrossAndThirtyOneDaysDown) {
    const QStringList lines = RunAlmanac({"--year", "2026", "--lat", "43.089N", "--lon", "87.888W",
                                          "--utc-offset", "-360"})
                                  .out.split('\n');
    ASSERT_EQ(lines.size(), 6 + 31 + 1);
    EXPECT_EQ(
        lines.mid(0, 6),
        QStringList({"Sunrise and sunset, 2026", "43.089N 87.888W", "Local time UTC-06:00", "",
                     "       Jan        Feb        Mar        Apr        May        Jun        Jul"
                     "        Aug        Sep        Oct        Nov        Dec",
                     "  " + QString("  Rise  Set").repeated(12)}));
    EXPECT_EQ(lines[5 + 31],
              "31  0708 1703             0535 1817             0415 1924             "
              "0441 1914  0515 1828             0625 1644             0723 1626");
    const QStringList twilight =
        RunAlmanac({"--year", "2026", "--twilight", "--lat", "41.85N", "--lon", "87.65W"}, {},
                   "America/Chicago")
            .out.split('\n');
    EXPECT_EQ(twilight.mid(0, 3),
              QStringList({"Civil twilight, begins and ends, 2026", "41.85N 87.65W",
                           "Local time of America/Chicago (UTC-06:00 and UTC-05:00)"}));
    EXPECT_TRUE(twilight[5].startsWith("    Beg.  End  Beg.  End")) << twilight[5].toStdString();
}

// Each day takes the zone's offset at its own noon, and carries the table's serials (0 where
// the day has none) and texts.
TEST(AlmanacYearCommand, JsonCarriesEachDayAtTheZonesOffsetOfItsNoon) {
    const AlmanacRun run =
        RunAlmanac({"--year", "2026", "--moon", "--lat", "41.85N", "--lon", "87.65W", "--json"}, {},
                   "America/Chicago");
    const QJsonObject year = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(QJsonArray(
                  {year["year"], year["event"], year["zone"], year["latitude"], year["longitude"]}),
              QJsonArray({2026, "moon", "America/Chicago", 41.85, -87.65}));
    const YearTable table = ComputeYearTable(2026, BoardSearch::Moon, kChicago, Chicago2026);
    const QJsonArray days = year["days"].toArray();
    ASSERT_EQ(days.size(), qsizetype(table.days.size()));
    for (qsizetype i = 0; i < days.size(); ++i) {
        const YearDay& day = table.days[i];
        const QString date = QString::asprintf("2026-%02d-%02d", day.date.month, day.date.day);
        EXPECT_EQ(days[i].toObject(),
                  QJsonObject({{"date", date},
                               {"utcOffsetMinutes", day.utcOffsetMinutes},
                               {"rise", day.rise},
                               {"set", day.set},
                               {"riseText", QString::fromStdString(day.riseText)},
                               {"setText", QString::fromStdString(day.setText)}}));
    }
}

} // namespace
