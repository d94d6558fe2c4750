#pragma once
// What the tray picture shows: the sun up, the twilight, or the night with the moon in one of
// eight phases.

namespace horvane {

enum class SkyState { Day, Twilight, Night };

// The moon's phases as the pictures tell them apart: eighths of the synodic month, the one
// about the full moon first (the dial's order: full, waning, new, waxing).
inline constexpr int kMoonPhaseBuckets = 8;

struct SkyPicture {
    SkyState state = SkyState::Day;
    int moonBucket = 0; // 0 full, 2 last quarter, 4 new, 6 first quarter; drawn at night only

    bool operator==(const SkyPicture&) const = default;
};

} // namespace horvane
