// The sky, the band and the board where the sun does not rise, set or leave the twilight on a
// day, and a sweep showing that nothing changes where it does.

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "clock/FacePicture.h"
#include "clock/FaceRules.h"
#include "clock/TickValues.h"

#include <QImage>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace horvane;

namespace {

// FNV-1a over bytes, to fingerprint many outputs in one number.
class Fingerprint {
public:
    void Add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            hash_ = (hash_ ^ bytes[i]) * 0x100000001b3ULL;
    }
    void Add(const std::string& text) { Add(text.data(), text.size() + 1); }
    void Add(std::int32_t value) { Add(&value, sizeof value); }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

// Places anywhere on Earth at instants between 1950 and 2049, on the zone of their longitude.
struct RandomInstant {
    double latitude;
    double longitude;
    std::int32_t utcOffsetMinutes;
    DateSerial now;
};

class RandomInstants {
public:
    RandomInstant Next() {
        const double latitude = Uniform(-89.9, 89.9);
        const double longitude = Uniform(-180, 180);
        const CivilDateTime at{1950 + Below(100), 1 + Below(12), 1 + Below(28),
                               Below(24),         Below(60),     Below(60)};
        return {latitude, longitude, std::int32_t(RoundEven(longitude / 15)) * 60,
                ToDateSerial(at)};
    }

private:
    double Uniform(double from, double to) {
        return from + (to - from) * double(generator_() >> 11) * 0x1.0p-53;
    }
    int Below(int count) { return int(generator_() % std::uint64_t(count)); }

    std::mt19937_64 generator_{18};
};

bool SunTimesRestOnFoundEvents(const EventBoard& board) {
    for (BoardEvent event : {BoardEvent::TwilightBegins, BoardEvent::SunRise, BoardEvent::SunSet,
                             BoardEvent::TwilightEnds})
        if (board[event].last == 0 && board[event].next == 0)
            return false;
    return true;
}

} // namespace

// Every board text, time of day, sky level by the minute, band grey by the minute and face
// picture of 300 random places and instants whose sun times all rest on found events, as the
// clock showed them before the sun's altitude was followed anywhere.
TEST(DaylightSweep, NothingChangesWhereTheSunTimesRestOnFoundEvents) {
    RandomInstants instants;
    Fingerprint fingerprint;
    int compared = 0;
    for (int round = 0; round < 400 && compared < 300; ++round) {
        const RandomInstant at = instants.Next();
        const EventBoard board =
            ComputeEventBoard(at.now, at.utcOffsetMinutes, at.latitude, at.longitude);
        if (!SunTimesRestOnFoundEvents(board))
            continue;
        ++compared;
        for (const BoardEntry& entry : board.entries) {
            fingerprint.Add(entry.lastText);
            fingerprint.Add(entry.nextText);
        }
        EventTimesOfDay times = board.timesOfDay;
        for (SecondsOfDay sec = 0; sec < 86400; sec += 60)
            fingerprint.Add(std::int32_t(SkyLevelAt(sec, times)));
        NormaliseSunTimes(times);
        for (SecondsOfDay t = 0; t < 86400; t += 60)
            fingerprint.Add(BandGrey(t, times));
        const QImage face = ComposeFacePicture(at.now, board.timesOfDay);
        fingerprint.Add(face.constBits(), std::size_t(face.sizeInBytes()));
    }
    EXPECT_EQ(compared, 300);
    EXPECT_EQ(fingerprint.Value(), 5478352058952741507u);
}
