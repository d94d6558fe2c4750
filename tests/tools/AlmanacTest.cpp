// horvane-almanac: its options, the board as text and JSON, the place it reports on from the
// clock's store (which it only reads), the messages of a run that cannot report, and the face
// picture, written whole or not at all under the very name it was given.

#include "platform/registry/RegistryTypes.h"
#include "settings/LongLat.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"
#include "tests/tools/RunAlmanac.h"
#include "tools/almanac/AlmanacOptions.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace horvane;
using namespace horvane::test_support;
using Names = std::vector<std::string>;

namespace {

const QStringList kWorkedExample = {
    "--lat", "43.089N", "--lon", "87.888W", "--at", "2026-12-04 07:30:00", "--utc-offset", "-360"};

// An empty error: the arguments are accepted.
TEST(AlmanacOptions, RefusesWhatItCannotUseAndSaysWhy) {
    const std::string at = "--at takes \"YYYY-MM-DD HH:MM:SS\", not ";
    const std::string offset = "--utc-offset takes whole minutes from -1439 to 1439, not ";
    const std::string year = "--year takes a year from 1900 to 9999, not ";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--at", "1900-01-01 00:00:00"}, ""},
        {{"--at", "9999-12-31 23:59:59"}, ""},
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
    const AlmanacRun run = RunAlmanac({"--lat=43.089N", "--lon", "87.888W", "--at",
                                       "2026-12-04 07:30:15", "--utc-offset=-360", "--json"});
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(json.keys(), QStringList({"events", "latitude", "longitude", "now", "timesOfDay",
                                        "utcOffsetMinutes"}));
    const double now = ToDateSerial({2026, 12, 4, 7, 30, 15});
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
        int exitCode;
        QString start;
        QString zone = "UTC";
    } rows[] = {
        {kWorkedExample, 0, "43.089N 87.888W\nFri Dec 4 26 7:30am Central Standard Time\n",
         "America/Chicago"},
        {place + QStringList{"--at", "2026-12-04 07:30:00", "--utc-offset", "-300"}, 0,
         "43.089N 87.888W\nFri Dec 4 26 7:30am UTC-05:00\n", "America/Chicago"},
        {{"--lat", " 43.089N", "--lon", "  -87.888 "}, 0, " 43.089N   -87.888 \n"},
        {{"--lat", "91N", "--lon", "87.888W"}, 2, "Invalid latitude ... please try again.\n"},
        {{"--lat", "43.089N", "--lon", "87.888N"}, 2, "Invalid longitude ... please try again.\n"},
        {{"--at", "yesterday"},
         2,
         "horvane-almanac: --at takes \"YYYY-MM-DD HH:MM:SS\", not \"yesterday\"\nusage: "},
        {{"--help"}, 0, "usage: horvane-almanac"},
        {kWorkedExample + QStringList{"--face", "/nonexistent/face.png"}, 1,
         "horvane-almanac: cannot write the face picture to /nonexistent/face.png: "},
    };
    for (const auto& row : rows) {
        const AlmanacRun run = RunAlmanac(row.arguments, {}, row.zone);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.start.toStdString();
        EXPECT_TRUE((run.err + run.out).startsWith(row.start)) << (run.err + run.out).toStdString();
    }
}

class AlmanacStore : public testing::Test {
protected:
    AlmanacRun Run(const QStringList& arguments) {
        return RunAlmanac(QStringList{"--at", "2026-12-04 07:30:00", "--utc-offset", "-360"} +
                              arguments,
                          QString::fromStdString((hives.Folder() / "config").string()));
    }
    TemporaryHives hives;
};

TEST_F(AlmanacStore, NothingStoredUsesTheDefaultPlaceAndCreatesNoStore) {
    EXPECT_TRUE(Run({}).out.startsWith("Shorewood, Wisconsin, US (43.089N 87.888W)\n"));
    EXPECT_FALSE(std::filesystem::exists(hives.UserHive()));
}

// The clock's current location, or one named without regard to case; a place that is not
// stored, or whose stored text does not parse, is refused. The store is only read.
TEST_F(AlmanacStore, ReportsOnTheClocksLocationOrANamedOneAndOnlyReads) {
    LongLat store;
    store.LoadSettings();
    store.SaveLocation("Pole", "10.5E", "95N");
    store.SaveLocation("Sea", "200W", "10N");
    store.sLocation = "Ciudad de México, México";
    store.SaveSettings();
    const QString pole = "the stored latitude \"95N\" of \"Pole\" does not parse";
    const std::pair<QStringList, QString> rows[] = {
        {{}, "Ciudad de México, México (19.400N 99.150W)\n"},
        {{"--location", "ciudad de méxico, méxico"},
         "ciudad de méxico, méxico (19.400N 99.150W)\n"},
        {{"--location", "Pole"}, "horvane-almanac: " + pole + "\n"},
        {{"--location", "Sea"},
         "horvane-almanac: the stored longitude \"200W\" of \"Sea\" does not parse\n"},
        {{"--location", "Atlantis"},
         "horvane-almanac: no location named \"Atlantis\" is stored\n"}};
    for (const auto& [arguments, start] : rows) {
        const AlmanacRun run = Run(arguments);
        EXPECT_TRUE((run.err + run.out).startsWith(start)) << (run.err + run.out).toStdString();
        EXPECT_EQ(run.exitCode, run.err.isEmpty() ? 0 : 2);
    }
    LongLat after;
    ASSERT_TRUE(after.ReadSettings());
    EXPECT_EQ(after.sLocation, "Ciudad de México, México");
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).size(), 25u);
    store.sLocation = "Pole";
    store.SaveSettings();
    EXPECT_EQ(Run({}).err, "horvane-almanac: " + pole + "\n");
}

TEST_F(AlmanacStore, DamagedStoreIsReportedAndLeftAsItWas) {
    WriteFileBytes(hives.UserHive(), "not a hive at all");
    const AlmanacRun run = Run({});
    const std::string error = "horvane-almanac: the stored locations cannot be read: " +
                              RegistryResultText(ERROR_REGISTRY_CORRUPT) + " (" +
                              hives.UserHive().string() + ": file is not a database)\n";
    EXPECT_EQ(std::pair(run.exitCode, run.err.toStdString()), std::pair(1, error));
    EXPECT_EQ(ReadFileBytes(hives.UserHive()), "not a hive at all");
}

// Runs the almanac in folder with the face going to path, given as raw bytes; no file may grow
// past the limit (in blocks of 512 bytes), as on a nearly full disk. Answers the exit status
// and what it printed.
std::pair<int, std::string> RunWithFace(const std::string& folder, const std::string& path,
                                        const std::string& limitBlocks) {
    // An ignored SIGXFSZ stays ignored in the almanac: a write past the limit then fails.
    const std::string command =
        "trap \"\" XFSZ; ulimit -f " + limitBlocks + "; XDG_CONFIG_HOME=" + folder + " " +
        HORVANE_ALMANAC_PATH +
        " --lat 43.089N --lon 87.888W --at \"2026-12-04 07:30:00\" --utc-offset -360 --face \"" +
        path + "\" >" + folder + "/output 2>&1";
    const int status = std::system(("sh -c '" + command + "'").c_str());
    return {WEXITSTATUS(status), ReadFileBytes(folder + "/output")};
}

TEST(AlmanacFaceFile, WritesThePictureUnderItsNameOrKeepsTheOneThatWasThere) {
    const TemporaryHives hives;
    const std::string folder = hives.Folder().string();
    const std::filesystem::path pictures = hives.Folder() / "pictures";
    std::filesystem::create_directory(pictures);
    const std::string path = (pictures / "face \xE9\xFF.png").string(); // not UTF-8
    const auto [status, output] = RunWithFace(folder, path, "unlimited");
    ASSERT_EQ(status, 0) << output;
    EXPECT_TRUE(output.starts_with("43.089N 87.888W\n")) << output; // the board as well
    const std::string picture = ReadFileBytes(path);
    const QImage face = QImage::fromData(QByteArray::fromStdString(picture));
    EXPECT_EQ(face.size(), QSize(227, 227));
    EXPECT_EQ(face.pixel(0, 0), qRgb(240, 240, 250)); // the daytime sky outside the dial
    const auto [fullStatus, fullOutput] = RunWithFace(folder, path, "8");
    EXPECT_EQ(fullStatus, 1);
    EXPECT_TRUE(fullOutput.starts_with("horvane-almanac: cannot write the face picture to " + path))
        << fullOutput;
    EXPECT_TRUE(ReadFileBytes(path) == picture); // (not printed: a whole PNG)
    EXPECT_EQ(FolderNames(pictures), Names{"face \xE9\xFF.png"});
}

} // namespace
