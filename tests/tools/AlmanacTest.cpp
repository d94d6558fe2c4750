#include "tests/tools/RunAlmanac.h"
#include "tools/almanac/AlmanacOptions.h"
#include "tools/almanac/AlmanacPlace.h"
#include "tools/almanac/AlmanacReport.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const QStringList kWorkedExample = {
    "--lat", "43.089N", "--lon", "87.888W", "--at", "2026-12-04 07:30:00", "--utc-offset", "-360"};

} // namespace

TEST(AlmanacOptions, ReadsEveryOptionInBothForms) {
    const ParsedAlmanacOptions parsed =
        ParseAlmanacOptions({"--lat", "-33.917", "--lon=151.217E", "--at", "1999-12-31 23:59:59",
                             "--utc-offset=-90", "--json"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.latitudeText, "-33.917");
    EXPECT_EQ(parsed.options.longitudeText, "151.217E");
    EXPECT_EQ(parsed.options.at->second, 59);
    EXPECT_EQ(parsed.options.utcOffsetMinutes, -90);
    EXPECT_TRUE(parsed.options.json);
}

TEST(AlmanacOptions, RefusesWhatItCannotUseAndSaysWhy) {
    const std::string at = "--at takes \"YYYY-MM-DD HH:MM:SS\", not ";
    const std::string offset = "--utc-offset takes whole minutes from -1439 to 1439, not ";
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } rows[] = {
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
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseAlmanacOptions(row.arguments).error, row.error) << row.arguments[0];
}

TEST(AlmanacOptions, AcceptsTheEndsOfItsRanges) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--at", "1900-01-01 00:00:00"},
                                               {"--at", "9999-12-31 23:59:59"},
                                               {"--at", "2024-02-29 12:00:00"},
                                               {"--utc-offset", "-1439"},
                                               {"--utc-offset", "1439"}})
        EXPECT_EQ(ParseAlmanacOptions(arguments).error, "") << arguments[1];
}

// The place, the time line with the zone of the offset, a blank line, then the board: captions
// in 16 columns, last and next right-aligned in 12 each.
TEST(AlmanacCommand, PrintsThePlaceTheTimeLineAndTheBoardInColumns) {
    const AlmanacRun run = RunAlmanac(kWorkedExample);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 12) << run.out.toStdString();
    EXPECT_EQ(lines[0], "43.089N 87.888W");
    EXPECT_EQ(lines[1], "Fri Dec 4 26 7:30am UTC-06:00");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "                        Last        Next");
    EXPECT_EQ(lines[5], "Sun Rise               7:07a   Tom 7:08a");
    EXPECT_EQ(lines[6], "Sun Transit       Yes 11:41a      11:42a");
    EXPECT_EQ(lines[11], "");
}

// The zone's own name goes with the zone's own offset at that instant; any other offset has no
// name and shows as UTC and the offset.
TEST(AlmanacCommand, TimeLineNamesTheZoneOnlyForItsOwnOffset) {
    const struct {
        const char* offset;
        const char* timeLine;
    } rows[] = {{"-360", "Fri Dec 4 26 7:30am Central Standard Time"},
                {"-300", "Fri Dec 4 26 7:30am UTC-05:00"}};
    for (const auto& row : rows) {
        const AlmanacRun run = RunAlmanac({"--lat", "43.089N", "--lon", "87.888W", "--at",
                                           "2026-12-04 07:30:00", "--utc-offset", row.offset},
                                          {}, "America/Chicago");
        EXPECT_EQ(run.out.split('\n').value(1), row.timeLine);
    }
}

TEST(AlmanacCommand, JsonHasEveryKeyAndExactSerials) {
    const AlmanacRun run = RunAlmanac(kWorkedExample + QStringList{"--json"});
    ASSERT_EQ(run.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(json.keys(), QStringList({"events", "latitude", "longitude", "now", "timesOfDay",
                                        "utcOffsetMinutes"}));
    EXPECT_EQ(json["now"].toDouble(), ToDateSerial({2026, 12, 4, 7, 30, 0}));
    EXPECT_EQ(json["utcOffsetMinutes"].toInt(), -360);
    EXPECT_EQ(json["longitude"].toDouble(), -87.888);
    const QJsonObject events = json["events"].toObject();
    EXPECT_EQ(events.keys(), QStringList({"moonRise", "moonSet", "sunRise", "sunSet", "sunTransit",
                                          "twilightBegins", "twilightEnds"}));
    const QJsonObject sunRise = events["sunRise"].toObject();
    EXPECT_EQ(sunRise["nextText"].toString(), "Tom 7:08a");
    EXPECT_EQ(sunRise["lastText"].toString(), "7:07a");
    const double now = json["now"].toDouble();
    EXPECT_NEAR(sunRise["last"].toDouble(), now - 0.5 / 24, 0.5 / 24) << "about 7:07 today";
    EXPECT_NEAR(sunRise["next"].toDouble(), now + 1 - 0.5 / 24, 0.5 / 24) << "about 7:08 tomorrow";
    EXPECT_EQ(json["timesOfDay"].toObject().keys().size(), 7);
}

// Blanks around the number are allowed, as the dialog allows them.
TEST(AlmanacPlace, ReadsCoordinatesWithBlanksAroundTheNumber) {
    AlmanacOptions options;
    options.latitudeText = " 43.089N";
    options.longitudeText = "  -87.888 ";
    const PlaceLookup lookup = ResolveAlmanacPlace(options);
    ASSERT_EQ(lookup.error, "");
    EXPECT_EQ(lookup.place.latitude, 43.089);
    EXPECT_EQ(lookup.place.longitude, -87.888);
}

TEST(AlmanacCommand, InvalidCoordinatesExitWithTheDialogsMessage) {
    const std::pair<QStringList, QString> table[] = {
        {{"--lat", "91N", "--lon", "87.888W"}, "Invalid latitude ... please try again.\n"},
        {{"--lat", "43.089N", "--lon", "87.888N"}, "Invalid longitude ... please try again.\n"}};
    for (const auto& [arguments, message] : table) {
        const AlmanacRun run = RunAlmanac(arguments);
        EXPECT_EQ(std::make_tuple(run.exitCode, run.err, run.out), std::make_tuple(2, message, ""));
    }
}

TEST(AlmanacCommand, UsageErrorsNameTheReason) {
    const AlmanacRun run = RunAlmanac({"--at", "yesterday"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith("horvane-almanac: --at takes")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("usage: horvane-almanac"));
    EXPECT_EQ(RunAlmanac({"--help"}).exitCode, 0);
}

TEST(AlmanacCommand, WritesTheFacePictureBesideTheBoard) {
    const QString path = QString::fromStdString(testing::TempDir()) + "almanac-face.png";
    const AlmanacRun run = RunAlmanac(kWorkedExample + QStringList{"--face", path, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QJsonDocument::fromJson(run.out.toUtf8()).isObject());
    const QImage face(path);
    EXPECT_EQ(face.size(), QSize(227, 227));
    EXPECT_EQ(face.pixel(0, 0), qRgb(240, 240, 250)); // the daytime sky outside the dial
}

TEST(AlmanacCommand, UnwritableFacePathFailsWithoutAPicture) {
    const AlmanacRun run =
        RunAlmanac(kWorkedExample + QStringList{"--face", "/nonexistent/face.png"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("cannot write the face picture")) << run.err.toStdString();
}
