// horvane-almanac: options, the board, the store it only reads, the face picture, the year's
// page against the board, the day's length, and the calendar file.

#include "astro/DateSerial.h"
#include "astro/DateText.h"
#include "astro/EventBoard.h"
#include "clock/FacePicture.h"
#include "platform/Utf8.h"
#include "platform/registry/RegistryTypes.h"
#include "settings/LongLat.h"
#include "testing/WidgetApplication.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"
#include "tools/almanac/AlmanacCalendar.h"
#include "tools/almanac/AlmanacOptions.h"
#include "tools/almanac/AlmanacYear.h"
#include "tools/almanac/CalendarEvents.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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
    for (const std::string value :
         {"2026-02-30 10:00:00", "2026-12-04T07:30:00", "1899-12-31 23:59:59"})
        EXPECT_EQ(ParseAlmanacOptions({"--at=" + value}).error,
                  "--at takes \"YYYY-MM-DD HH:MM:SS\", not \"" + value + "\"");
    for (const std::string value : {"1440", "six"})
        EXPECT_EQ(ParseAlmanacOptions({"--utc-offset", value}).error,
                  "--utc-offset takes whole minutes from -1439 to 1439, not \"" + value + "\"");
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--at", "1900-01-01 00:00:00"}, ""},
        {{"--at", "9999-12-31 23:59:59", "--utc-offset", "-1439"}, ""},
        {{"--utc-offset=1439", "--face", "f.png", "--scale", "1.75"}, ""},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--face", "f.png", "--scale=4.5"}, "--scale takes a number from 1 to 4, not \"4.5\""},
        {{"--scale", "2"}, "--scale goes with --face"},
        {{"--location", "Chicago, US", "--lat", "43N", "--lon", "87W"},
         "give either --location or --lat and --lon"},
        {{"--year=10000"}, "--year takes a year from 1900 to 9999, not \"10000\""},
        {{"--ics"}, "--day-length and --ics go with --year"},
        {{"--year", "2026", "--ics", "--day-length"},
         "--day-length goes with the sun's page alone"},
        {{"--year", "2026", "--ics", "--json"},
         "--ics chooses its events with --events, and is no JSON"},
        {{"--year", "9999", "--ics"}, "--ics takes a year up to 9998"},
        {{"--year", "2026", "--ics", "--events", "sunrise,,sunset"},
         "--events takes names from twilight-begins,sunrise,transit,sunset,twilight-ends,"
         "moonrise,moonset, not \"\""},
    };
    for (const auto& [arguments, error] : rows)
        EXPECT_EQ(ParseAlmanacOptions(arguments).error, error) << arguments.back();
    // Each event once, in the board's order.
    EXPECT_EQ(ParseAlmanacOptions({"--year=2026", "--ics", "--events=moonset,sunrise,moonset"})
                  .options.calendarEvents,
              (std::vector{BoardEvent::SunRise, BoardEvent::MoonSet}));
}

// What a run prints first (on standard error, then standard output) and its exit status, under
// Chicago's zone. The board: the place, the time line (the zone's own name only with the zone's
// own offset), the day's length, then captions in 16 columns and last and next in 12 each. A
// town by name: the best match, or even matches listed with exit code 2.
TEST(AlmanacCommand, SaysWhatItReportsOnOrWhyItCannot) {
    const QStringList noon = {"--at", "2026-12-07 12:00:00"}, at = kWorkedExample.mid(0, 6);
    const QStringList year = {"--year", "2026", "--lat", "43.089N", "--lon", "87.888W"};
    // The arguments, the exit status, the start of what is printed and the zone, Chicago's
    // unless given; a zone given as a POSIX TZ string is read as the C library reads it ("UTC-3"
    // is three hours east of UTC), and the year's page names it as written.
    struct Row {
        QStringList arguments;
        int exitCode;
        QString start, zone = "America/Chicago";
    };
    const Row rows[] = {
        {kWorkedExample, 0,
         "43.089N 87.888W\n"
         "Fri Dec 4 26 7:30am Central Standard Time\n"
         "Day length 9h 10m (\u22121m 15s)\n"
         "\n"
         "                        Last        Next\n"
         "Twilight Begins        6:35a   Tom 6:36a\n"
         "Sun Rise               7:07a   Tom 7:08a\n"
         "Sun Transit       Yes 11:41a      11:42a\n"
         "Sun Set            Yes 4:17p       4:17p\n"
         "Twilight Ends      Yes 4:49p       4:49p\n"
         "Moon Rise              2:50a   Tom 3:57a\n"
         "Moon Set           Yes 1:08p       1:30p\n"},
        {at, 0,
         "43.089N 87.888W\nFri Dec 4 26 7:30am UTC+03:00\nDay length 9h 11m (\u22121m 16s)\n\n"
         "                        Last        Next\nTwilight Begins    Yes 3:34p       3:35p\n",
         "UTC-3"},
        {at, 0, "43.089N 87.888W\nFri Dec 4 26 7:30am EST\n", "EST5EDT,M3.2.0,M11.1.0"},
        {year, 0, "Sunrise and sunset, 2026\n43.089N 87.888W\nLocal time of UTC-3 (UTC+03:00)\n",
         "UTC-3"},
        {year, 0,
         "Sunrise and sunset, 2026\n43.089N 87.888W\n"
         "Local time of EST5EDT,M3.2.0,M11.1.0 (UTC-05:00 and UTC-04:00)\n",
         "EST5EDT,M3.2.0,M11.1.0"},
        {kWorkedExample.mid(0, 6) + QStringList{"--utc-offset", "-300"}, 0,
         "43.089N 87.888W\nFri Dec 4 26 7:30am UTC-05:00\n"},
        {{"--lat", " 43.089N", "--lon", "  -87.888 "}, 0, " 43.089N   -87.888 \n"}, // as the dialog
        {{"--lat", "91N", "--lon", "87.888W"}, 2, "Invalid latitude ... please try again.\n"},
        {{"--lat", "43.089N", "--lon", "87.888N"}, 2, "Invalid longitude ... please try again.\n"},
        {{"--moon"}, 2, "horvane-almanac: --twilight and --moon go with --year\nusage: "},
        {QStringList{"--place", "zurich"} + noon, 0, "Zürich, Zurich, CH (47.367N 8.550E)\n"},
        {QStringList{"--place", "qqqzz"} + noon, 2,
         "horvane-almanac: no place is named \"qqqzz\"\n"},
        {{"--places", "koln"}, 0, "Köln, North Rhine-Westphalia, DE — 50.93N 6.95E\n"},
        {{"--places", "x", "--year", "2026"}, 2, "horvane-almanac: --places goes alone"},
        {{"--place", "x", "--location", "y"}, 2, "horvane-almanac: --place goes without"},
        {{"--version"}, 0, "horvane-almanac " HORVANE_VERSION "\nTown and city data: GeoNames"},
    };
    for (const auto& [arguments, exitCode, start, zone] : rows) {
        const AlmanacRun run = RunAlmanac(arguments, {}, zone);
        EXPECT_EQ(run.exitCode, exitCode) << start.toStdString();
        EXPECT_TRUE((run.err + run.out).startsWith(start)) << (run.err + run.out).toStdString();
    }
    const AlmanacRun even = RunAlmanac({"--place", "springfield"});
    const QStringList lines = even.err.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(std::tuple(even.exitCode, lines.size(), lines.value(0).left(51), lines.value(1)),
              std::tuple(2, 11, "horvane-almanac: \"springfield\" names several places",
                         "Springfield, Missouri, US — 37.22N 93.30W"));
    EXPECT_EQ(RunAlmanac({"--places", "qqqzz", "--json"}).out, "[]\n");
}

// The board as JSON; at 78N the sunrise and sunset keep their texts empty and say in allDay
// which state holds, and the day's length names the next crossing.
TEST(AlmanacCommand, GivesTheBoardAsJsonAndSaysWhereTheSunIsUpOrDownAllDay) {
    const auto board = [](const QStringList& place, const char* at, const char* offset) {
        const QStringList more = {"--at", at, "--utc-offset", offset, "--json"};
        return QJsonDocument::fromJson(RunAlmanac(place + more).out.toUtf8()).object();
    };
    const QJsonObject chicago =
        board({"--lat=43.089N", "--lon", "87.888W"}, "2026-12-04 07:30:15", "-360");
    // The sunrise's and the sunset's state and texts, then the day's length.
    const auto sun = [](const QJsonObject& json) {
        QStringList fields;
        for (const char* key : {"sunRise", "sunSet"}) {
            const QJsonObject entry = json["events"].toObject()[key].toObject();
            fields << entry["allDay"].toString() << entry["lastText"].toString()
                   << entry["nextText"].toString();
        }
        const QJsonDocument dayLength(json["dayLength"].toObject());
        return fields.join('|') + " " + QString::fromUtf8(dayLength.toJson(QJsonDocument::Compact));
    };
    const QStringList arctic = {"--lat", "78N", "--lon", "15E"};
    const std::pair<QJsonObject, QString> rows[] = {
        {chicago, R"j(|7:07a|Tom 7:08a||Yes 4:17p|4:17p {"changeSeconds":-75,"seconds":32996,)j"
                  R"j("text":"Day length 9h 10m (−1m 15s)"})j"},
        {board(arctic, "2026-06-21 12:00:00", "120"),
         R"j(up|||up|| {"allDay":"up","changeSeconds":0,"nextSunset":"2026-08-25","seconds":86400,)j"
         R"j("text":"Day length up all day, next sunset 2026-08-25"})j"},
        {board(arctic, "2026-12-21 12:00:00", "120"),
         R"j(down|||down|| {"allDay":"down","changeSeconds":0,"nextSunrise":"2027-02-15",)j"
         R"j("seconds":0,"text":"Day length down all day, next sunrise 2027-02-15"})j"},
    };
    for (const auto& [json, expected] : rows)
        EXPECT_EQ(sun(json), expected);
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
        {{"--location", "Atlantis"}, refused + "no location named \"Atlantis\" is stored\n"}};
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

// Runs a command line in a shell from folder; answers its exit status and what it printed.
std::pair<int, std::string> Shell(const std::filesystem::path& folder, const std::string& command) {
    const std::string output = (folder / "output").string();
    const int status =
        std::system(("(cd " + folder.string() + "; " + command + ") >" + output + " 2>&1").c_str());
    return {WEXITSTATUS(status), ReadFileBytes(output)};
}

// The face goes to a name that is not UTF-8, as the window at the scale given draws it; where the
// disk cannot take it, the run says so and the picture that was there is kept.
TEST(AlmanacFaceFile, WritesThePictureAsDrawnUnderItsNameOrKeepsTheOneThatWasThere) {
    const TemporaryHives hives;
    std::filesystem::create_directory(hives.Folder() / "pictures");
    const std::string path = (hives.Folder() / "pictures" / "face \xE9\xFF.png").string();
    TestApplication();
    const DateSerial now = ToDateSerial({2026, 12, 4, 7, 30, 0});
    const EventTimesOfDay times = ComputeEventBoard(now, -360, 43.089, -87.888).timesOfDay;
    // No file may grow past the limit (in blocks of 512 bytes), as on a nearly full disk; an
    // ignored SIGXFSZ stays ignored in the almanac, so a write past it fails.
    const auto run = [&](const std::string& offset, const std::string& limitBlocks,
                         const std::string& more) {
        return Shell(hives.Folder(), "trap \"\" XFSZ; ulimit -f " + limitBlocks +
                                         "; XDG_CONFIG_HOME=. " HORVANE_ALMANAC_PATH
                                         " --lat 43.089N --lon 87.888W --at \"2026-12-04 "
                                         "07:30:00\" --utc-offset " +
                                         offset + " --face \"" + path + "\" " + more);
    };
    for (const auto& [more, scale] : {std::pair("", 1), std::pair("--scale 2", 2)}) {
        const auto [status, output] = run("-360", "unlimited", more);
        ASSERT_EQ(status, 0) << output;
        EXPECT_NE(output.find("43.089N 87.888W\n"), std::string::npos) << output; // the board too
        EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(ReadFileBytes(path)))
                      .convertToFormat(QImage::Format_RGB32),
                  ComposeFacePicture(now, times, kAllHandsOn, scale)
                      .convertToFormat(QImage::Format_RGB32));
    }
    const std::string picture = ReadFileBytes(path);
    const auto [status, output] = run("0", "8", ""); // at night
    EXPECT_TRUE(status == 1 &&
                output.starts_with("horvane-almanac: cannot write the face picture to " + path))
        << output;
    EXPECT_TRUE(ReadFileBytes(path) == picture); // (not printed: a whole PNG)
    EXPECT_EQ(FolderNames(hives.Folder() / "pictures"),
              std::vector<std::string>{"face \xE9\xFF.png"});
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
TEST(AlmanacYear, AgreesWithTheBoardOnEveryDayForEachSearch) {
    const std::pair<AlmanacPlace, DayOffset> places[] = {{kChicago, Chicago2026},
                                                         {kBarrow, kAlaskaStandardTime}};
    const std::tuple<BoardSearch, BoardEvent, BoardEvent> events[] = {
        {BoardSearch::Sun, BoardEvent::SunRise, BoardEvent::SunSet},
        {BoardSearch::Twilight, BoardEvent::TwilightBegins, BoardEvent::TwilightEnds},
        {BoardSearch::Moon, BoardEvent::MoonRise, BoardEvent::MoonSet}};
    for (const auto& [place, offsetOfDay] : places)
        for (const auto& [search, rise, set] : events) {
            const YearTable table = ComputeYearTable(2026, search, place, offsetOfDay);
            ASSERT_EQ(table.days.size(), 365u);
            for (const YearDay& day : table.days) {
                const EventBoard board = ComputeEventBoard(
                    ToDateSerial(day.date), day.utcOffsetMinutes, place.latitude, place.longitude);
                ASSERT_EQ(std::pair(day.rise, day.set),
                          std::pair(board[rise].next, board[set].next))
                    << place.name << " " << FormatIsoDate(day.date);
                // One of the two missing leaves its text blank; both missing, the day is marked.
                ASSERT_EQ(std::pair(day.riseText.empty(), day.setText.empty()),
                          std::pair(day.rise == 0 && day.set != 0, day.set == 0 && day.rise != 0));
            }
        }
}

// Twelve months across, eleven characters a cell after the two-digit day, and thirty-one days
// down; the 31st has no February, April, June, September or November. With --day-length each
// month's cell gains the day's length.
TEST(AlmanacYearCommand, PrintsTheMonthsAcrossAndTheDaysDownAsTextAndJson) {
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
    const QStringList barrow = RunAlmanac({"--year", "2026", "--day-length", "--lat", "71.29N",
                                           "--lon", "156.79W", "--utc-offset", "-540"})
                                   .out.split('\n');
    ASSERT_EQ(barrow.size(), 6 + 31 + 1);
    EXPECT_EQ((QStringList{barrow[4].left(30), barrow[5].left(36), barrow[6].left(36)}),
              (QStringList{"          Jan              Feb", "    Rise  Set   Day  Rise  Set   Day",
                           "01  ---- ---- 00:00  1134 1549 04:15"}));
}

// Escaped as the format says; folded lines of at most 75 octets that never cut a character in
// two and unfold to the line (a calendar parser unfolds bytes, so it would not notice).
TEST(AlmanacCalendar, EscapesTextAndFoldsLongLinesBetweenCharacters) {
    const std::pair<std::string, std::string> escapes[] = {
        {"Utqia\xC4\xA1vik; North Slope, AK", "Utqia\xC4\xA1vik\\; North Slope\\, AK"},
        {"a\\b\nc\td\x01"
         "e\x7F",
         "a\\\\b\\nc\tde"},
    };
    for (const auto& [text, escaped] : escapes)
        EXPECT_EQ(CalendarPropertyText(text), escaped);
    // Two-, three- and four-octet characters meet the cut at every offset.
    std::string text = "LOCATION:";
    for (int i = 0; i < 60; ++i)
        text += i % 3 == 0 ? "\xC4\xA1" : i % 3 == 1 ? "\xE2\x80\x94" : "\xF0\x9F\x8C\x85";
    const std::string folded = FoldedContentLine(text);
    std::string unfolded;
    for (std::size_t start = 0, end; (end = folded.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        const std::string piece = folded.substr(start, end - start).substr(start == 0 ? 0 : 1);
        EXPECT_TRUE(end - start <= 75 && IsValidUtf8(piece)) << piece;
        unfolded += piece;
    }
    EXPECT_EQ(unfolded, text);
}

// A stored place whose name has commas, semicolons and letters beyond ASCII comes through a
// calendar parser whole, in every event and the calendar's name, replacing the file that was
// there; where the calendar cannot be written, to a missing folder or a full disk, the run says so.
TEST_F(AlmanacStore, TheCalendarCarriesThePlacesNameWholeAndIsWrittenWholeOrNotAtAll) {
    const std::string name =
        "Utqia\xC4\xA1vik; North Slope Borough, Alaska \xE2\x80\x94 \xC2\xAB"
        "Barrow\xC2\xBB, \xE5\x8C\x97\xE6\xA5\xB5 \xF0\x9F\x8C\x85 (the top of the US)";
    LongLat store;
    store.LoadSettings();
    store.SaveLocation(name, "156.79W", "71.29N");
    const std::filesystem::path path = hives.Folder() / "sun.ics";
    WriteFileBytes(path, "an older calendar");
    const AlmanacRun run = Run({"--year", "2026", "--ics", "--location",
                                QString::fromStdString(name), "--utc-offset", "-540", "--events",
                                "sunrise,transit", "--out", QString::fromStdString(path.string())});
    ASSERT_EQ(std::pair(run.exitCode, run.out + run.err), std::pair(0, QString()));
    QProcess python;
    python.start(
        HORVANE_DEBIAN_PYTHON,
        {"-c",
         "import sys, icalendar\n"
         "c = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())\n"
         "names = {str(e['LOCATION']) for e in c.walk('VEVENT')}\n"
         "sys.stdout.buffer.write('\\n'.join([*names, str(c['X-WR-CALNAME'])]).encode())\n",
         QString::fromStdString(path.string())});
    ASSERT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardError()), "");
    const std::string place = name + " (71.29N 156.79W)";
    EXPECT_EQ(python.readAllStandardOutput().toStdString(),
              place + "\nSunrise and sun transit 2026, " + place);

    const std::string ics = HORVANE_ALMANAC_PATH " --year 2026 --ics --lat 71.29N --lon 156.79W";
    for (const std::string& to : {(hives.Folder() / "no/sun.ics").string(), std::string()}) {
        const auto [status, output] =
            Shell(hives.Folder(), ics + (to.empty() ? " >/dev/full" : " --out " + to));
        EXPECT_TRUE(status == 1 &&
                    output.starts_with("horvane-almanac: cannot write the calendar to " +
                                       (to.empty() ? "standard output: " : to)))
            << output;
    }
}

// Without its places file the almanac says so once and still reports on other places.
TEST(AlmanacPlaces, WithoutThePlacesFileSaysSoOnceAndReportsOnCoordinates) {
    qputenv("HORVANE_PLACES", "/nonexistent/places.bin");
    const AlmanacRun byName = RunAlmanac({"--place", "zurich"});
    const AlmanacRun byCoordinates = RunAlmanac(kWorkedExample);
    qunsetenv("HORVANE_PLACES");
    EXPECT_EQ(std::tuple(byName.exitCode, byName.err, byCoordinates.exitCode, byCoordinates.err),
              std::tuple(1,
                         "horvane-almanac: places cannot be found by name: cannot open "
                         "/nonexistent/places.bin: No such file or directory\n"
                         "horvane-almanac: --place needs the places file\n",
                         0, QString()));
}

} // namespace
