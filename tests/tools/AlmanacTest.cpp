// horvane-almanac: its options; the board as text and JSON; the place it reports on from the
// clock's store, which it only reads; the messages of a run that cannot report; the face
// picture, written whole or not at all under the very name it was given; and the year's page,
// every day of it against the board, as text and as JSON.

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "clock/FacePicture.h"
#include "platform/registry/RegistryTypes.h"
#include "settings/LongLat.h"
#include "testing/WidgetApplication.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"
#include "tools/almanac/AlmanacOptions.h"
#include "tools/almanac/AlmanacYear.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

// Runs the horvane-almanac program as a user would, with English names, a store of the test's
// choosing (by default an empty configuration folder) and a system zone (by default UTC).
struct AlmanacRun {
    int exitCode;
    QString out, err;
};

AlmanacRun RunAlmanac(const QStringList& arguments, const QString& configHome = {},
                      const QString& zone = "UTC") {
    QTemporaryDir emptyConfig;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C"); // English day and month names in the time line
    environment.insert("TZ", zone);
    environment.insert("XDG_CONFIG_HOME", configHome.isEmpty() ? emptyConfig.path() : configHome);
    process.setProcessEnvironment(environment);
    process.start(HORVANE_ALMANAC_PATH, arguments);
    process.waitForFinished(10000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

const QStringList kWorkedExample = {
    "--lat", "43.089N", "--lon", "87.888W", "--at", "2026-12-04 07:30:00", "--utc-offset", "-360"};

TEST(AlmanacOptions, AcceptsTheEndsOfItsRangesAndRefusesWhatItCannotUseSayingWhy) {
    const std::string at = "--at takes \"YYYY-MM-DD HH:MM:SS\", not ";
    for (const std::string value :
         {"2026-02-30 10:00:00", "2026-12-04 24:00:00", "2026-12-04T07:30:00", "2026-12-4 07:30:00",
          "1899-12-31 23:59:59"})
        EXPECT_EQ(ParseAlmanacOptions({"--at=" + value}).error, at + "\"" + value + "\"");
    const std::string offset = "--utc-offset takes whole minutes from -1439 to 1439, not ";
    for (const std::string value : {"-1440", "1440", "six"})
        EXPECT_EQ(ParseAlmanacOptions({"--utc-offset", value}).error, offset + "\"" + value + "\"");
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--at", "1900-01-01 00:00:00"}, ""},
        {{"--at", "9999-12-31 23:59:59"}, ""},
        {{"--utc-offset", "-1439"}, ""},
        {{"--utc-offset=1439"}, ""},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--lat", "43N"}, "--lat and --lon go together"},
        {{"--lon"}, "--lon needs a value"},
        {{"--face="}, "--face needs a file name"},
        {{"--face", "f.png", "--scale", "1.75"}, ""},
        {{"--face", "f.png", "--scale=4.5"}, "--scale takes a number from 1 to 4, not \"4.5\""},
        {{"--face", "f.png", "--scale", "2e0"}, "--scale takes a number from 1 to 4, not \"2e0\""},
        {{"--scale", "2"}, "--scale goes with --face"},
        {{"--location", "Chicago, US", "--lat", "43N", "--lon", "87W"},
         "give either --location or --lat and --lon"},
        {{"--year", "1899"}, "--year takes a year from 1900 to 9999, not \"1899\""},
        {{"--year=10000"}, "--year takes a year from 1900 to 9999, not \"10000\""},
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
    const double now = ToDateSerial({2026, 12, 4, 7, 30, 15});
    EXPECT_EQ(std::tuple(json["now"].toDouble(), json["utcOffsetMinutes"].toInt(),
                         json["latitude"].toDouble(), json["longitude"].toDouble()),
              std::tuple(now, -360, 43.089, -87.888));
    const QJsonObject events = json["events"].toObject();
    EXPECT_EQ(json.keys() + events.keys(),
              QStringList({"events", "latitude", "longitude", "now", "timesOfDay",
                           "utcOffsetMinutes", "moonRise", "moonSet", "sunRise", "sunSet",
                           "sunTransit", "twilightBegins", "twilightEnds"}));
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
    // The arguments, the exit status, and the start of what is printed, under Chicago's zone.
    const std::tuple<QStringList, int, QString> rows[] = {
        {kWorkedExample, 0, "43.089N 87.888W\nFri Dec 4 26 7:30am Central Standard Time\n"},
        {kWorkedExample.mid(0, 6) + QStringList{"--utc-offset", "-300"}, 0,
         "43.089N 87.888W\nFri Dec 4 26 7:30am UTC-05:00\n"},
        {{"--lat", " 43.089N", "--lon", "  -87.888 "}, 0, " 43.089N   -87.888 \n"},
        {{"--lat", "91N", "--lon", "87.888W"}, 2, "Invalid latitude ... please try again.\n"},
        {{"--lat", "43.089N", "--lon", "87.888N"}, 2, "Invalid longitude ... please try again.\n"},
        {{"--moon"}, 2, "horvane-almanac: --twilight and --moon go with --year\nusage: "},
        {{"--help"}, 0, "usage: horvane-almanac"},
        {kWorkedExample + QStringList{"--face", "/nonexistent/face.png"}, 1,
         "horvane-almanac: cannot write the face picture to /nonexistent/face.png: "},
    };
    for (const auto& [arguments, exitCode, start] : rows) {
        const AlmanacRun run = RunAlmanac(arguments, {}, "America/Chicago");
        EXPECT_EQ(run.exitCode, exitCode) << start.toStdString();
        EXPECT_TRUE((run.err + run.out).startsWith(start)) << (run.err + run.out).toStdString();
    }
}

class AlmanacStore : public testing::Test {
protected:
    AlmanacRun Run(const QStringList& arguments) {
        return RunAlmanac(arguments, QString::fromStdString((hives.Folder() / "config").string()));
    }
    TemporaryHives hives;
};

// With nothing stored, the default place, and no store is made; then the clock's current
// location, or one named without regard to case; a place that is not stored, or whose stored
// text does not parse, is refused. The store is only read.
TEST_F(AlmanacStore, ReportsOnTheDefaultTheClocksOrANamedPlaceAndOnlyReads) {
    EXPECT_TRUE(Run({}).out.startsWith("Shorewood, Wisconsin, US (43.089N 87.888W)\n"));
    EXPECT_FALSE(std::filesystem::exists(hives.UserHive()));
    LongLat store;
    store.LoadSettings();
    store.SaveLocation("Pole", "10.5E", "95N");
    store.SaveLocation("Sea", "200W", "10N");
    store.sLocation = "Sea";
    store.SaveSettings();
    const QString refused = "horvane-almanac: ";
    const std::pair<QStringList, QString> rows[] = {
        {{}, refused + "the stored longitude \"200W\" of \"Sea\" does not parse\n"},
        {{"--location", "ciudad de méxico, méxico"},
         "ciudad de méxico, méxico (19.400N 99.150W)\n"},
        {{"--location", "Pole"},
         refused + "the stored latitude \"95N\" of \"Pole\" does not parse\n"},
        {{"--location", "Atlantis"}, refused + "no location named \"Atlantis\" is stored\n"},
        {{}, refused + "the stored longitude \"200W\" of \"Sea\" does not parse\n"}};
    for (const auto& [arguments, start] : rows) {
        const AlmanacRun run = Run(arguments);
        EXPECT_TRUE((run.err + run.out).startsWith(start)) << (run.err + run.out).toStdString();
        EXPECT_EQ(run.exitCode, run.err.isEmpty() ? 0 : 2);
    }
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).size(), 25u);
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

// Runs the almanac in folder at 7:30 at the offset given, with the face going to path, given as
// raw bytes; no file may grow past the limit (in blocks of 512 bytes), as on a nearly full
// disk. Answers the exit status and what it printed.
std::pair<int, std::string> RunWithFace(const std::filesystem::path& folder,
                                        const std::string& path, const std::string& offset,
                                        const std::string& limitBlocks,
                                        const std::string& more = "") {
    // An ignored SIGXFSZ stays ignored in the almanac: a write past the limit then fails.
    const std::string command =
        "trap \"\" XFSZ; ulimit -f " + limitBlocks + "; XDG_CONFIG_HOME=" + folder.string() + " " +
        HORVANE_ALMANAC_PATH +
        " --lat 43.089N --lon 87.888W --at \"2026-12-04 07:30:00\" --utc-offset " + offset +
        " --face \"" + path + "\" " + more + " >" + (folder / "output").string() + " 2>&1";
    const int status = std::system(("sh -c '" + command + "'").c_str());
    return {WEXITSTATUS(status), ReadFileBytes(folder / "output")};
}

TEST(AlmanacFaceFile, WritesThePictureUnderItsNameOrKeepsTheOneThatWasThere) {
    const TemporaryHives hives;
    const std::filesystem::path pictures = hives.Folder() / "pictures";
    std::filesystem::create_directory(pictures);
    const std::string path = (pictures / "face \xE9\xFF.png").string(); // not UTF-8
    const auto [status, output] = RunWithFace(hives.Folder(), path, "-360", "unlimited");
    ASSERT_EQ(status, 0) << output;
    EXPECT_TRUE(output.starts_with("43.089N 87.888W\n")) << output; // the board as well
    const std::string picture = ReadFileBytes(path);
    const QImage face = QImage::fromData(QByteArray::fromStdString(picture));
    EXPECT_EQ(face.size(), QSize(227, 227));
    EXPECT_EQ(face.pixel(0, 0), qRgb(240, 240, 250)); // the daytime sky outside the dial
    const auto [fullStatus, fullOutput] = RunWithFace(hives.Folder(), path, "0", "8"); // at night
    EXPECT_TRUE(fullStatus == 1 &&
                fullOutput.starts_with("horvane-almanac: cannot write the face picture to " + path))
        << fullOutput;
    EXPECT_TRUE(ReadFileBytes(path) == picture); // (not printed: a whole PNG)
    EXPECT_EQ(FolderNames(pictures), std::vector<std::string>{"face \xE9\xFF.png"});
}

// The window at that scale shows the same picture (the scaled window tests).
TEST(AlmanacFaceFile, AtAScaleIsThePictureDrawnAtThatScale) {
    const TemporaryHives hives;
    const std::string path = (hives.Folder() / "face@2x.png").string();
    const auto [status, output] =
        RunWithFace(hives.Folder(), path, "-360", "unlimited", "--scale 2");
    ASSERT_EQ(status, 0) << output;
    TestApplication();
    const DateSerial now = ToDateSerial({2026, 12, 4, 7, 30, 0});
    const QImage expected = ComposeFacePicture(
        now, ComputeEventBoard(now, -360, 43.089, -87.888).timesOfDay, kAllHandsOn, 2);
    EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
}

const AlmanacPlace kChicago{"41.85N 87.65W", 41.85, -87.65};
const AlmanacPlace kBarrow{"71.29N 156.79W", 71.29, -156.79};

// Chicago's offset in 2026: daylight saving from 8 March to 31 October.
std::int32_t Chicago2026(const CivilDateTime& noon) {
    const std::pair day(noon.month, noon.day);
    return day >= std::pair(3, 8) && day < std::pair(11, 1) ? -300 : -360;
}

const DayOffset kAlaskaStandardTime = [](const CivilDateTime&) { return std::int32_t(-540); };

// Each day of the page is the board's next rise and set as seen from that day's local
// midnight, at the offset of that day, for each of the three searches.
TEST(AlmanacYear, AgreesWithTheBoardOnEveryDay) {
    const std::pair<AlmanacPlace, DayOffset> places[] = {{kChicago, Chicago2026},
                                                         {kBarrow, kAlaskaStandardTime}};
    // Each search, the board's rise and set it finds, and its name in the page's JSON.
    const std::tuple<BoardSearch, BoardEvent, BoardEvent, std::string> events[] = {
        {BoardSearch::Sun, BoardEvent::SunRise, BoardEvent::SunSet, "sun"},
        {BoardSearch::Twilight, BoardEvent::TwilightBegins, BoardEvent::TwilightEnds, "twilight"},
        {BoardSearch::Moon, BoardEvent::MoonRise, BoardEvent::MoonSet, "moon"}};
    for (const auto& [place, offset] : places)
        for (const auto& [search, rise, set, name] : events) {
            const YearTable table = ComputeYearTable(2026, search, place, offset);
            ASSERT_EQ(table.days.size(), 365u);
            EXPECT_NE(YearTableJson(table).find("\"event\": \"" + name + "\""), std::string::npos);
            for (const YearDay& day : table.days) {
                const EventBoard board = ComputeEventBoard(
                    ToDateSerial(day.date), day.utcOffsetMinutes, place.latitude, place.longitude);
                ASSERT_EQ(std::pair(day.rise, day.set),
                          std::pair(board[rise].next, board[set].next))
                    << place.name << " " << day.date.month << "-" << day.date.day;
                // One of the two missing leaves its text blank; both missing, the day is marked.
                ASSERT_EQ(std::pair(day.riseText.empty(), day.setText.empty()),
                          std::pair(day.rise == 0 && day.set != 0, day.set == 0 && day.rise != 0));
            }
        }
}

// Above 71 degrees north the sun stays up from 11 May (day 130) to 1 August (day 212), and
// down until 21 January (day 20) and again from 19 November (day 322), with rising and
// setting days around them.
TEST(AlmanacYear, PolarYearHasOneRunOfMidnightSunAndOneOfPolarNight) {
    const YearTable table = ComputeYearTable(2026, BoardSearch::Sun, kBarrow, kAlaskaStandardTime);
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

// A town by its name: the best match named on the first line, even matches listed with exit
// code 2, and the list of matches as rows or JSON.
TEST(AlmanacPlaces, ReportsOnATownByNameOrListsTheEvenOnes) {
    const QStringList at = {"--at", "2026-12-07 12:00:00"};
    const std::tuple<QStringList, int, QString> rows[] = {
        {QStringList{"--place", "zurich"} + at, 0, "Zürich, Zurich, CH (47.367N 8.550E)\n"},
        {QStringList{"--place=Springfield, Illinois"} + at, 0,
         "Springfield, Illinois, US (39.802N 89.644W)\n"},
        {QStringList{"--place", "qqqzz"} + at, 2, "horvane-almanac: no place is named \"qqqzz\"\n"},
        {{"--places", "koln"}, 0, "Köln, North Rhine-Westphalia, DE — 50.93N 6.95E\n"},
        {{"--places", "qqqzz"}, 2, "horvane-almanac: no place is named \"qqqzz\"\n"},
        {{"--places", "x", "--year", "2026"}, 2, "horvane-almanac: --places goes alone"},
        {{"--place", "x", "--location", "y"}, 2, "horvane-almanac: --place goes without"},
        {{"--version"}, 0, "horvane-almanac " HORVANE_VERSION "\nTown and city data: GeoNames"},
    };
    for (const auto& [arguments, exitCode, start] : rows) {
        const AlmanacRun run = RunAlmanac(arguments);
        EXPECT_EQ(run.exitCode, exitCode) << start.toStdString();
        EXPECT_TRUE((run.err + run.out).startsWith(start)) << (run.err + run.out).toStdString();
    }

    const AlmanacRun even = RunAlmanac({"--place", "springfield"});
    EXPECT_EQ(even.exitCode, 2);
    const QStringList lines = even.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_TRUE(lines[0].startsWith("horvane-almanac: \"springfield\" names several places"));
    for (const QString& line : lines.mid(1))
        EXPECT_TRUE(line.startsWith("Springfield")) << line.toStdString();
    EXPECT_EQ(lines[1], "Springfield, Missouri, US — 37.22N 93.30W");

    const QJsonArray json =
        QJsonDocument::fromJson(RunAlmanac({"--places", "paris, fr", "--json"}).out.toUtf8())
            .array();
    ASSERT_FALSE(json.isEmpty());
    const QJsonObject paris = json[0].toObject();
    EXPECT_EQ(paris["location"].toString(), "Paris, Île-de-France, FR");
    EXPECT_EQ(paris["zone"].toString(), "Europe/Paris");
    EXPECT_TRUE(paris["capital"].toBool());
    EXPECT_NEAR(paris["latitude"].toDouble(), 48.85341, 1e-9);
    EXPECT_EQ(RunAlmanac({"--places", "qqqzz", "--json"}).out, "[]\n");
}

// Without its places file the almanac says so once and still reports on other places.
TEST(AlmanacPlaces, WithoutThePlacesFileSaysSoOnceAndReportsOnCoordinates) {
    qputenv("HORVANE_PLACES", "/nonexistent/places.bin");
    const AlmanacRun byName = RunAlmanac({"--place", "zurich"});
    const AlmanacRun byCoordinates = RunAlmanac(kWorkedExample);
    qunsetenv("HORVANE_PLACES");
    EXPECT_EQ(byName.exitCode, 1);
    EXPECT_EQ(byName.err, "horvane-almanac: places cannot be found by name: cannot open "
                          "/nonexistent/places.bin: No such file or directory\n"
                          "horvane-almanac: --place needs the places file\n");
    EXPECT_EQ(byCoordinates.exitCode, 0);
    EXPECT_EQ(byCoordinates.err, "");
}
