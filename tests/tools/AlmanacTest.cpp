// horvane-almanac: its options, the board as text and JSON, and the messages of a run that
// cannot report.

#include "tests/tools/RunAlmanac.h"
#include "tools/almanac/AlmanacOptions.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const QStringList kWorkedExample = {
    "--lat", "43.089N", "--lon", "87.888W", "--at", "2026-12-04 07:30:00", "--utc-offset", "-360"};

TEST(AlmanacOptions, ReadsEveryOptionInBothForms) {
    const AlmanacOptions options =
        ParseAlmanacOptions({"--lat", "-33.917", "--lon=151.217E", "--at", "1999-12-31 23:59:59",
                             "--utc-offset=-90", "--json"})
            .options;
    EXPECT_EQ(std::tuple(*options.latitudeText, *options.longitudeText, options.at->second,
                         *options.utcOffsetMinutes, options.json),
              std::tuple("-33.917", "151.217E", 59, -90, true));
    const AlmanacOptions moon = ParseAlmanacOptions({"--year", "2026", "--moon"}).options;
    EXPECT_EQ(std::pair(*moon.year, YearEventOf(moon)), std::pair(2026, BoardSearch::Moon));
}

// An empty error: the arguments are accepted.
TEST(AlmanacOptions, RefusesWhatItCannotUseAndSaysWhy) {
    const std::string at = "--at takes \"YYYY-MM-DD HH:MM:SS\", not ";
    const std::string offset = "--utc-offset takes whole minutes from -1439 to 1439, not ";
    const std::string year = "--year takes a year from 1900 to 9999, not ";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--at", "1900-01-01 00:00:00"}, ""},
        {{"--at", "9999-12-31 23:59:59"}, ""},
        {{"--at", "2024-02-29 12:00:00"}, ""},
        {{"--utc-offset", "-1439"}, ""},
        {{"--utc-offset", "1439"}, ""},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--at", "2026-02-30 10:00:00"}, at + "\"2026-02-30 10:00:00\""},
        {{"--at", "2026-12-04 24:00:00"}, at + "\"2026-12-04 24:00:00\""},
        {{"--at=2026-12-04T07:30:00"}, at + "\"2026-12-04T07:30:00\""},
        {{"--at", "2026-12-4 07:30:00"}, at + "\"2026-12-4 07:30:00\""},
        {{"--at", "1899-12-31 23:59:59"}, at + "\"1899-12-31 23:59:59\""},
        {{"--utc-offset", "-1440"}, offset + "\"-1440\""},
        {{"--utc-offset", "1440"}, offset + "\"1440\""},
        {{"--utc-offset", "six"}, offset + "\"six\""},
        {{"--lat", "43N"}, "--lat and --lon go together"},
        {{"--lon"}, "--lon needs a value"},
        {{"--face="}, "--face needs a file name"},
        {{"--location", "Chicago, US", "--lat", "43N", "--lon", "87W"},
         "give either --location or --lat and --lon"},
        {{"--year", "1899"}, year + "\"1899\""},
        {{"--year=10000"}, year + "\"10000\""},
        {{"--year", "26th"}, year + "\"26th\""},
        {{"--moon"}, "--twilight and --moon go with --year"},
        {{"--year", "2026", "--moon", "--twilight"}, "give either --twilight or --moon"},
        {{"--year", "2026", "--at", "2026-01-01 00:00:00"}, "--year and --at do not go together"},
        {{"--year", "2026", "--face", "x.png"}, "--year and --face do not go together"},
    };
    for (const auto& [arguments, error] : rows)
        EXPECT_EQ(ParseAlmanacOptions(arguments).error, error) << arguments.back();
}

// The place, the time line with the zone of the offset, a blank line, then the board: captions
// in 16 columns, last and next right-aligned in 12 each.
TEST(AlmanacCommand, PrintsThePlaceTheTimeLineAndTheBoardInColumns) {
    const AlmanacRun run = RunAlmanac(kWorkedExample);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "43.089N 87.888W\n"
                       "Fri Dec 4 26 7:30am UTC-06:00\n"
                       "\n"
                       "                        Last        Next\n"
                       "Twilight Begins        6:35a   Tom 6:36a\n"
                       "Sun Rise               7:07a   Tom 7:08a\n"
                       "Sun Transit       Yes 11:41a      11:42a\n"
                       "Sun Set            Yes 4:17p       4:17p\n"
                       "Twilight Ends      Yes 4:49p       4:49p\n"
                       "Moon Rise              2:50a   Tom 3:57a\n"
                       "Moon Set           Yes 1:08p       1:30p\n");
}

TEST(AlmanacCommand, JsonHasEveryKeyAndExactSerials) {
    const QJsonObject json =
        QJsonDocument::fromJson(RunAlmanac(kWorkedExample + QStringList{"--json"}).out.toUtf8())
            .object();
    EXPECT_EQ(json.keys(), QStringList({"events", "latitude", "longitude", "now", "timesOfDay",
                                        "utcOffsetMinutes"}));
    const double now = ToDateSerial({2026, 12, 4, 7, 30, 0});
    EXPECT_EQ(std::tuple(json["now"].toDouble(), json["utcOffsetMinutes"].toInt(),
                         json["latitude"].toDouble(), json["longitude"].toDouble()),
              std::tuple(now, -360, 43.089, -87.888));
    const QJsonObject events = json["events"].toObject();
    EXPECT_EQ(events.keys(), QStringList({"moonRise", "moonSet", "sunRise", "sunSet", "sunTransit",
                                          "twilightBegins", "twilightEnds"}));
    const QJsonObject sunRise = events["sunRise"].toObject();
    EXPECT_EQ(std::pair(sunRise["lastText"].toString(), sunRise["nextText"].toString()),
              std::pair(QString("7:07a"), QString("Tom 7:08a")));
    EXPECT_NEAR(sunRise["last"].toDouble(), now - 0.5 / 24, 0.5 / 24) << "about 7:07 today";
    EXPECT_NEAR(sunRise["next"].toDouble(), now + 1 - 0.5 / 24, 0.5 / 24) << "about 7:08 tomorrow";
    EXPECT_EQ(json["timesOfDay"].toObject().keys().size(), 7);
}

// What a run prints first (on standard error, then standard output) and its exit status. The
// zone's own name goes with the zone's own offset only; blanks around a coordinate are allowed,
// as the dialog allows them.
TEST(AlmanacCommand, SaysWhatItReportsOnOrWhyItCannot) {
    const QStringList place = {"--lat", "43.089N", "--lon", "87.888W"};
    const struct {
        QStringList arguments;
        const char* zone;
        int exitCode;
        QString start;
    } rows[] = {
        {kWorkedExample, "America/Chicago", 0,
         "43.089N 87.888W\nFri Dec 4 26 7:30am Central Standard Time\n"},
        {place + QStringList{"--at", "2026-12-04 07:30:00", "--utc-offset", "-300"},
         "America/Chicago", 0, "43.089N 87.888W\nFri Dec 4 26 7:30am UTC-05:00\n"},
        {{"--lat", " 43.089N", "--lon", "  -87.888 "}, "UTC", 0, " 43.089N   -87.888 \n"},
        {{"--lat", "91N", "--lon", "87.888W"},
         "UTC",
         2,
         "Invalid latitude ... please try again.\n"},
        {{"--lat", "43.089N", "--lon", "87.888N"},
         "UTC",
         2,
         "Invalid longitude ... please try again.\n"},
        {{"--at", "yesterday"},
         "UTC",
         2,
         "horvane-almanac: --at takes \"YYYY-MM-DD HH:MM:SS\", not \"yesterday\"\nusage: "},
        {{"--help"}, "UTC", 0, "usage: horvane-almanac"},
        {kWorkedExample + QStringList{"--face", "/nonexistent/face.png"}, "UTC", 1,
         "horvane-almanac: cannot write the face picture to /nonexistent/face.png: "},
    };
    for (const auto& row : rows) {
        const AlmanacRun run = RunAlmanac(row.arguments, {}, row.zone);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.start.toStdString();
        EXPECT_TRUE((run.err + run.out).startsWith(row.start)) << (run.err + run.out).toStdString();
    }
}

} // namespace
