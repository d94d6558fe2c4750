#include "tests/tools/RunAlmanac.h"
#include "tools/almanac/AlmanacOptions.h"
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

TEST(AlmanacOptions, RefusesWhatItCannotUse) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--frobnicate"},
                                               {"--at", "2026-02-30 10:00:00"},
                                               {"--at", "2026-12-04 24:00:00"},
                                               {"--at", "2026-12-04T07:30:00"},
                                               {"--at", "2026-12-4 07:30:00"},
                                               {"--utc-offset", "1440"},
                                               {"--utc-offset", "six"},
                                               {"--lat", "43N"},
                                               {"--lon"}}) {
        EXPECT_NE(ParseAlmanacOptions(arguments).error, "") << arguments[0];
    }
}

TEST(AlmanacCommand, WorkedExampleBoard) {
    const AlmanacRun run = RunAlmanac(kWorkedExample);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString expected = "                        Last        Next\n"
                             "Twilight Begins        6:35a   Tom 6:36a\n"
                             "Sun Rise               7:07a   Tom 7:08a\n"
                             "Sun Transit       Yes 11:41a      11:42a\n"
                             "Sun Set            Yes 4:17p       4:17p\n"
                             "Twilight Ends      Yes 4:49p       4:49p\n"
                             "Moon Rise              2:50a   Tom 3:57a\n"
                             "Moon Set           Yes 1:08p       1:30p\n";
    EXPECT_TRUE(run.out.endsWith(expected)) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("Fri Dec 4 26 7:30am ")) << run.out.toStdString();
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
    EXPECT_EQ(json["timesOfDay"].toObject().keys().size(), 7);
}

TEST(AlmanacCommand, InvalidCoordinatesExitWithTheDialogsMessage) {
    AlmanacRun run = RunAlmanac({"--lat", "91N", "--lon", "87.888W"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Invalid latitude ... please try again.\n");
    run = RunAlmanac({"--lat", "43.089N", "--lon", "87.888N"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Invalid longitude ... please try again.\n");
    EXPECT_EQ(run.out, "");
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
