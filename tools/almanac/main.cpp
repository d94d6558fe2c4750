// horvane-almanac: the event board of a place at an instant, or the year's page of rising and
// setting times, as text or JSON.

#include "astro/DayLength.h"
#include "astro/TimeZone.h"
#include "clock/FacePicture.h"
#include "clock/TickValues.h"
#include "gazetteer/PlacesAttribution.h"
#include "gazetteer/SharedGazetteer.h"
#include "platform/LocaleNames.h"
#include "platform/ProgramVersion.h"
#include "platform/SafeFileWrite.h"
#include "tools/almanac/AlmanacCalendar.h"
#include "tools/almanac/AlmanacOptions.h"
#include "tools/almanac/AlmanacPlace.h"
#include "tools/almanac/AlmanacPlaces.h"
#include "tools/almanac/AlmanacReport.h"
#include "tools/almanac/AlmanacYear.h"
#include "tools/almanac/CalendarEvents.h"

#include <QBuffer>
#include <QDateTime>
#include <QGuiApplication>
#include <QTimeZone>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <memory>

using namespace horvane;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

CivilDateTime CurrentLocalTime() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(),  now.date().day(),
            now.time().hour(), now.time().minute(), now.time().second()};
}

// The system zone's reading at a local clock time (not only at the present moment).
ZoneReading ZoneAt(const CivilDateTime& local) {
    const QDateTime at(QDate(local.year, local.month, local.day),
                       QTime(local.hour, local.minute, local.second), Qt::LocalTime);
    const std::int64_t unixSeconds = at.toSecsSinceEpoch();
    return ReadTimeZone([unixSeconds](TimeZoneInformation& info) {
        return GetTimeZoneInformationAt(info, unixSeconds);
    });
}

// The system zone's offset at each day's local noon. Reading the zone's record costs a
// quarter of a millisecond, so it is read again only when the local clock's offset changes.
class ZoneOffsetAtNoon {
public:
    std::int32_t operator()(const CivilDateTime& noon) {
        const QDateTime at(QDate(noon.year, noon.month, noon.day),
                           QTime(noon.hour, noon.minute, noon.second), Qt::LocalTime);
        const int zoneSeconds = at.offsetFromUtc();
        if (zoneSeconds != lastZoneSeconds_) {
            lastZoneSeconds_ = zoneSeconds;
            lastMinutes_ = ZoneAt(noon).UtcOffsetMinutes;
        }
        return lastMinutes_;
    }

private:
    std::optional<int> lastZoneSeconds_;
    std::int32_t lastMinutes_ = 0;
};

// The zone as the user named it in TZ (a POSIX string as written: Qt renames "UTC-3", three
// hours east, to "UTC-03", its name for three hours west), otherwise the system's zone.
std::string SystemZoneName() {
    const char* tz = std::getenv("TZ");
    if (tz == nullptr || tz[0] == '\0')
        return QTimeZone::systemTimeZoneId().toStdString();
    return tz[0] == ':' ? tz + 1 : tz;
}

// The offset of each day at its local noon: the fixed one given, or the system zone's.
DayOffset OffsetAtNoon(const AlmanacOptions& options) {
    return [fixedOffset = options.utcOffsetMinutes,
            zoneOffset = ZoneOffsetAtNoon()](const CivilDateTime& noon) mutable {
        return fixedOffset ? *fixedOffset : zoneOffset(noon);
    };
}

// The year's page of the search: every day at the offset of its noon.
YearTable ComputeYearPage(const AlmanacOptions& options, BoardSearch search,
                          const AlmanacPlace& place) {
    const std::optional<std::int32_t> fixedOffset = options.utcOffsetMinutes;
    YearTable table = ComputeYearTable(*options.year, search, place, OffsetAtNoon(options));
    const std::string zoneId = SystemZoneName();
    table.zone = fixedOffset      ? "UTC" + UtcOffsetText(*fixedOffset)
                 : zoneId.empty() ? "the system's zone"
                                  : zoneId;
    table.dayLengthColumn = options.dayLength;
    return table;
}

// The length of the reading's date and the change from the day before, each date searched at
// the offset of its noon as the year's page searches it.
DayLength DayLengthOf(const AlmanacOptions& options, const AlmanacReading& reading) {
    DayOffset offsetAtNoon = OffsetAtNoon(options);
    const auto noonOf = [](std::int64_t dayNumber) {
        CivilDateTime noon;
        CivilFromDays(dayNumber, noon.year, noon.month, noon.day);
        noon.hour = 12;
        return noon;
    };
    const std::int64_t today = DayNumberOf(reading.now);
    return ComputeDayLength(reading.now, offsetAtNoon(noonOf(today)),
                            offsetAtNoon(noonOf(today - 1)), reading.place.latitude,
                            reading.place.longitude);
}

CivilDateTime CurrentUtcTime() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return {now.date().year(), now.date().month(),  now.date().day(),
            now.time().hour(), now.time().minute(), now.time().second()};
}

// The calendar file of the events asked for, on standard output or written whole to the file
// given; answers why it could not be written, or nothing.
std::string WriteYearCalendar(const AlmanacOptions& options, const AlmanacPlace& place) {
    YearPages pages;
    for (const BoardEvent event : options.calendarEvents) {
        std::optional<YearTable>& page = pages[std::size_t(SearchOfEvent(event))];
        if (!page)
            page = ComputeYearPage(options, SearchOfEvent(event), place);
    }
    const std::string calendar = YearCalendar(options.calendarEvents, pages, CurrentUtcTime());
    if (!options.outPath) {
        // A calendar cut short on a full disk must not pass for a whole one.
        if (!(std::cout << calendar << std::flush))
            return "standard output could not be written";
        return {};
    }
    if (const std::error_code error = WriteFileSafely(*options.outPath, calendar))
        return error.message();
    return {};
}

// Writes the face as a PNG file, whole or not at all, under the file name's own bytes;
// answers why it could not, or nothing.
std::string WriteFacePicture(const AlmanacReading& reading, const std::string& path, double scale) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!ComposeFacePicture(reading.now, reading.board.timesOfDay, kAllHandsOn, scale)
             .save(&buffer, "PNG"))
        return "the picture could not be encoded";
    if (const std::error_code error =
            WriteFileSafely(path, std::string_view(png.constData(), std::size_t(png.size()))))
        return error.message();
    return {};
}

// The gazetteer's matches for a name; none, or no gazetteer, is a failure.
int ListPlaces(const std::string& name, bool json) {
    const Gazetteer* gazetteer = SharedGazetteer();
    if (!gazetteer)
        return kExitFailure;
    const std::vector<PlaceMatch> matches =
        gazetteer->Search(name, std::numeric_limits<std::size_t>::max());
    std::cout << (json ? PlacesJson(*gazetteer, matches) : PlacesText(*gazetteer, matches));
    if (matches.empty() && !json)
        std::cerr << "horvane-almanac: no place is named \"" << name << "\"\n";
    return matches.empty() ? kExitUsage : kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    const ParsedAlmanacOptions parsed =
        ParseAlmanacOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "horvane-almanac: " << parsed.error << "\n" << AlmanacUsage();
        return kExitUsage;
    }
    const AlmanacOptions& options = parsed.options;
    if (options.help) {
        std::cout << AlmanacUsage();
        return kExitOk;
    }
    if (options.version) {
        std::cout << VersionText("horvane-almanac") << kPlacesAttribution;
        return kExitOk;
    }
    if (options.placesQuery)
        return ListPlaces(*options.placesQuery, options.json);

    // A dial at another scale is drawn with its fonts, which need the application; no window
    // is ever shown.
    std::unique_ptr<QGuiApplication> fontsApplication;
    if (options.faceScale != 1) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        fontsApplication = std::make_unique<QGuiApplication>(argc, argv);
    }

    AlmanacReading reading;
    const PlaceLookup lookup = ResolveAlmanacPlace(options);
    if (!lookup.error.empty()) {
        std::cerr << lookup.error << "\n";
        return lookup.exitCode;
    }
    if (options.year && options.ics) {
        if (const std::string failure = WriteYearCalendar(options, lookup.place);
            !failure.empty()) {
            std::cerr << "horvane-almanac: cannot write the calendar to "
                      << options.outPath.value_or("standard output") << ": " << failure << "\n";
            return kExitFailure;
        }
        return kExitOk;
    }
    if (options.year) {
        const YearTable table = ComputeYearPage(options, YearEventOf(options), lookup.place);
        std::cout << (options.json ? YearTableJson(table) : YearTableText(table));
        return kExitOk;
    }
    reading.place = lookup.place;
    const CivilDateTime local = options.at.value_or(CurrentLocalTime());
    reading.now = ToDateSerial(local);
    ZoneReading zone = ZoneAt(local);
    // An offset other than the zone's own has no zone name to go with it.
    if (options.utcOffsetMinutes && *options.utcOffsetMinutes != zone.UtcOffsetMinutes) {
        zone.UtcOffsetMinutes = *options.utcOffsetMinutes;
        zone.ZoneName = "UTC" + UtcOffsetText(zone.UtcOffsetMinutes);
    }
    reading.utcOffsetMinutes = zone.UtcOffsetMinutes;
    reading.timeLine = TimeLineText(reading.now, UserLocaleNames(), zone.ZoneName);
    reading.board = ComputeEventBoard(reading.now, reading.utcOffsetMinutes, reading.place.latitude,
                                      reading.place.longitude);
    reading.dayLength = DayLengthOf(options, reading);

    if (options.facePath) {
        if (const std::string failure =
                WriteFacePicture(reading, *options.facePath, options.faceScale);
            !failure.empty()) {
            std::cerr << "horvane-almanac: cannot write the face picture to " << *options.facePath
                      << ": " << failure << "\n";
            return kExitFailure;
        }
    }
    std::cout << (options.json ? BoardJson(reading) : BoardText(reading));
    return kExitOk;
}
