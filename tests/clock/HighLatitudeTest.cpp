// The sky, the band and the board where the sun does not rise, set or leave the twilight on a
// day, and a sweep showing that nothing changes where it does.

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "astro/RiSeTran.h"
#include "clock/FacePicture.h"
#include "clock/FaceRules.h"
#include "clock/TickValues.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <tuple>
#include <utility>

using namespace horvane;

namespace {

// FNV-1a over bytes, to fingerprint many outputs in one number.
struct Fingerprint {
    void Add(const void* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            value = (value ^ static_cast<const unsigned char*>(data)[i]) * 0x100000001b3ULL;
    }
    void Add(std::int32_t number) { Add(&number, sizeof number); }

    std::uint64_t value = 0xcbf29ce484222325ULL;
};

bool SunTimesRestOnFoundEvents(const EventBoard& board) {
    for (BoardEvent event : {BoardEvent::TwilightBegins, BoardEvent::SunRise, BoardEvent::SunSet,
                             BoardEvent::TwilightEnds})
        if (board[event].last == 0 && board[event].next == 0)
            return false;
    return true;
}

// The sky level and the band grey that the sun's own altitude at the instant gives, computed
// here without the sampled course: night below -6°, day from the sunrise altitude up.
std::pair<int, int> GradedByAltitude(DateSerial at, std::int32_t utcOffsetMinutes, double latitude,
                                     double longitude) {
    const double altitude =
        std::asin(SineAltitudeAt(at, utcOffsetMinutes, latitude, longitude, Body::Sun)) * 180 /
        M_PI;
    const double share = std::clamp((altitude + 6) / (6 - 0.8333), 0.0, 1.0);
    return {20 + int(std::lround(share * 210)), std::min(int(std::lround(share * 256)), 255)};
}

// The sky level and the band grey that the clock shows at the instant, next to the graded ones
// where they are at most one step apart.
std::pair<int, int> Shown(DateSerial at, const EventTimesOfDay& times, std::pair<int, int> graded) {
    const SecondsOfDay sec = SecondsOfDayOf(at);
    const int sky = SkyLevelAt(sec, times), grey = BandGrey(sec, times);
    return {std::abs(sky - graded.first) <= 1 ? graded.first : sky,
            std::abs(grey - graded.second) <= 1 ? graded.second : grey};
}

std::string Cells(const EventBoard& board, BoardEvent event) {
    return BoardCellText(board, event, BoardColumn::Last) + " | " +
           BoardCellText(board, event, BoardColumn::Next);
}

} // namespace

// Under the midnight sun the sky is the day's and the band white all round, at noon and at
// half past midnight alike; in the polar night, with the sun below -6° all day, the sky is the
// night's and the band black all round. The board says so in the sunrise and sunset cells and
// keeps the twilight rows empty.
TEST(PolarSky, DayAndNightAllRound) {
    const std::tuple<const char*, double, double, std::int32_t, CivilDateTime, SunAllDay> rows[] = {
        {"78N midsummer noon", 78, 15, 120, {2026, 6, 21, 12, 0, 0}, SunAllDay::Up},
        {"78N midsummer 00:30", 78, 15, 120, {2026, 6, 21, 0, 30, 0}, SunAllDay::Up},
        {"78N midwinter", 78, 15, 60, {2026, 12, 21, 12, 0, 0}, SunAllDay::Down},
        {"80S June", -80, 0, 0, {2026, 6, 21, 12, 0, 0}, SunAllDay::Down},
        {"80S December 00:30", -80, 0, 0, {2026, 12, 21, 0, 30, 0}, SunAllDay::Up}};
    for (const auto& [where, latitude, longitude, utcOffsetMinutes, at, allDay] : rows) {
        SCOPED_TRACE(where);
        const bool up = allDay == SunAllDay::Up;
        const int skyLevel = up ? 230 : 20, grey = up ? 255 : 0;
        const std::string cells = up ? "up 24 h | up 24 h" : "down 24 h | down 24 h";
        const DateSerial now = ToDateSerial(at);
        const EventBoard board = ComputeEventBoard(now, utcOffsetMinutes, latitude, longitude);
        EXPECT_EQ(board.sunAllDay, allDay);
        EXPECT_EQ(
            (std::array{Cells(board, BoardEvent::SunRise), Cells(board, BoardEvent::SunSet),
                        Cells(board, BoardEvent::TwilightBegins),
                        board[BoardEvent::SunRise].lastText + board[BoardEvent::SunSet].nextText}),
            (std::array<std::string, 4>{cells, cells, " | ", ""}));
        EventTimesOfDay times = board.timesOfDay;
        NormaliseSunTimes(times);
        for (SecondsOfDay sec = 0; sec < 86400; sec += 600) // every ten minutes
            ASSERT_EQ(std::tuple(int(SkyLevelAt(sec, times)), InTwilightRamp(sec, times),
                                 BandGrey(sec, times)),
                      std::tuple(skyLevel, false, grey))
                << sec;
        const QImage face = ComposeFacePicture(now, board.timesOfDay);
        const QRgb band = qRgb(grey, grey, grey);
        const Colour sky = SkyColour(std::int16_t(skyLevel));
        EXPECT_EQ((std::array{face.pixel(111, 2), face.pixel(111, 220), face.pixel(2, 111),
                              face.pixel(0, 0)}),
                  (std::array{band, band, band, qRgb(RedOf(sky), GreenOf(sky), BlueOf(sky))}));
    }
}

// Through the polar twilight of December at 69.6N 18.9E the sun never rises, and only noon's
// twilight shows: every hour of every day, the sky and the band are graded by the sun's altitude
// at that instant, to within one step of the ten-minute samples. At 63.4N 10.4E on 21 June the
// sun rises and sets but stays above -6° all night: around solar midnight (about 1:30 on the
// clock) the sky and the band show twilight, graded likewise; by day they show day. At 59.9N
// 30.3E the sun dips to about -6.6° that night, so every sun time rests on a found event and the
// described ramps hold: night at 1:00.
TEST(PolarSky, TwilightIsGradedByTheSunsAltitudeWhereTheSunStaysNearTheHorizon) {
    int twilightHours = 0, nightHours = 0;
    for (int day = 1; day <= 31; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            const DateSerial now = ToDateSerial({2026, 12, day, hour, 7, 0});
            const EventBoard board = ComputeEventBoard(now, 60, 69.6, 18.9);
            const auto graded = GradedByAltitude(now, 60, 69.6, 18.9);
            const SecondsOfDay sec = SecondsOfDayOf(now);
            const bool twilight = graded.first > 20;
            EXPECT_EQ(std::tuple(board.sunAllDay, Shown(now, board.timesOfDay, graded),
                                 InTwilightRamp(sec, board.timesOfDay),
                                 SkyLevelAt(sec, board.timesOfDay) < 230),
                      std::tuple(SunAllDay::Down, graded, twilight, true))
                << day << " " << hour;
            ++(twilight ? twilightHours : nightHours);
        }
    EXPECT_TRUE(twilightHours > 31 * 2 && nightHours > 31 * 18) << twilightHours;

    const DateSerial midnight = ToDateSerial({2026, 6, 21, 1, 30, 0});
    const EventBoard trondheim = ComputeEventBoard(midnight, 120, 63.4, 10.4);
    const auto graded = GradedByAltitude(midnight, 120, 63.4, 10.4);
    EXPECT_EQ(std::tuple(trondheim.sunAllDay, Cells(trondheim, BoardEvent::TwilightEnds),
                         Cells(trondheim, BoardEvent::SunSet),
                         graded.first > 20 && graded.first < 230,
                         Shown(midnight, trondheim.timesOfDay, graded),
                         SkyLevelAt(13 * 3600, trondheim.timesOfDay)),
              std::tuple(SunAllDay::No, " | ", "Yes 11:37p | 11:38p", true, graded, 230));
    const DateSerial one = ToDateSerial({2026, 6, 21, 1, 0, 0});
    const EventBoard petersburg = ComputeEventBoard(one, 180, 59.9, 30.3);
    EXPECT_EQ(std::tuple(petersburg.timesOfDay.sun.followed,
                         SkyLevelAt(SecondsOfDayOf(one), petersburg.timesOfDay),
                         SkyLevelAt(12 * 3600, petersburg.timesOfDay)),
              std::tuple(false, 20, 230));
}

// The sun's course is followed exactly where one of its four times rests on no found event.
// Every board text, time of day, sky level by the minute, band grey by the minute and face
// picture of 300 random places and instants, anywhere on Earth between 1950 and 2049 on the zone
// of their longitude, whose sun times all rest on found events are as the clock showed them
// before the sun's altitude was followed anywhere.
TEST(DaylightSweep, NothingChangesWhereTheSunTimesRestOnFoundEvents) {
    std::mt19937_64 generator(18);
    const auto uniform = [&](double from, double to) {
        return from + (to - from) * double(generator() >> 11) * 0x1.0p-53;
    };
    const auto below = [&](int count) { return int(generator() % std::uint64_t(count)); };
    Fingerprint fingerprint;
    int compared = 0;
    for (int round = 0; round < 400 && compared < 300; ++round) {
        const double latitude = uniform(-89.9, 89.9), longitude = uniform(-180, 180);
        const CivilDateTime at{1950 + below(100), 1 + below(12), 1 + below(28),
                               below(24),         below(60),     below(60)};
        const DateSerial now = ToDateSerial(at);
        const EventBoard board = ComputeEventBoard(
            now, std::int32_t(RoundEven(longitude / 15)) * 60, latitude, longitude);
        const bool rest = SunTimesRestOnFoundEvents(board);
        EXPECT_EQ(board.timesOfDay.sun.followed, !rest) << latitude << " " << now;
        if (!rest)
            continue;
        ++compared;
        for (const BoardEntry& entry : board.entries)
            for (const std::string& text : {entry.lastText, entry.nextText})
                fingerprint.Add(text.c_str(), text.size() + 1);
        EventTimesOfDay times = board.timesOfDay;
        for (SecondsOfDay sec = 0; sec < 86400; sec += 60)
            fingerprint.Add(std::int32_t(SkyLevelAt(sec, times)));
        NormaliseSunTimes(times);
        for (SecondsOfDay t = 0; t < 86400; t += 60)
            fingerprint.Add(BandGrey(t, times));
        const QImage face = ComposeFacePicture(now, board.timesOfDay);
        fingerprint.Add(face.constBits(), std::size_t(face.sizeInBytes()));
    }
    EXPECT_EQ(std::pair(compared, fingerprint.value), std::pair(300, 5478352058952741507u));
}
