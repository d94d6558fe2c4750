// horvane-almanac: the event board of a place at an instant, as text or JSON.

#include "astro/TimeZone.h"
#include "clock/FacePicture.h"
#include "clock/TickValues.h"
#include "platform/LocaleNames.h"
#include "platform/SafeFileWrite.h"
#include "tools/almanac/AlmanacOptions.h"
#include "tools/almanac/AlmanacPlace.h"
#include "tools/almanac/AlmanacReport.h"

#include <QBuffer>
#include <QDateTime>
#include <iostream>

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

// Writes the face as a PNG file, whole or not at all, under the file name's own bytes;
// answers why it could not, or nothing.
std::string WriteFacePicture(const AlmanacReading& reading, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!ComposeFacePicture(reading.now, reading.board.timesOfDay).save(&buffer, "PNG"))
        return "the picture could not be encoded";
    if (const std::error_code error =
            WriteFileSafely(path, std::string_view(png.constData(), std::size_t(png.size()))))
        return error.message();
    return {};
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

    AlmanacReading reading;
    const PlaceLookup lookup = ResolveAlmanacPlace(options);
    if (!lookup.error.empty()) {
        std::cerr << lookup.error << "\n";
        return lookup.exitCode;
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

    if (options.facePath) {
        if (const std::string failure = WriteFacePicture(reading, *options.facePath);
            !failure.empty()) {
            std::cerr << "horvane-almanac: cannot write the face picture to " << *options.facePath
                      << ": " << failure << "\n";
            return kExitFailure;
        }
    }
    std::cout << (options.json ? BoardJson(reading) : BoardText(reading));
    return kExitOk;
}
