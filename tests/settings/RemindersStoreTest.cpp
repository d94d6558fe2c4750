#include "settings/LongLat.h"
#include "settings/StoreChange.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <cstring>
#include <gmock/gmock.h>
#include <stdexcept>

using namespace horvane;
using namespace horvane::test_support;
using Before = std::array<std::optional<int>, kBoardEventCount>;

namespace {

const char* const kReminderValues[] = {
    "RemindTwilightBegins", "RemindSunRise",  "RemindSunTransit", "RemindSunSet",
    "RemindTwilightEnds",   "RemindMoonRise", "RemindMoonSet"};
constexpr auto kOff = std::nullopt;

std::vector<BYTE> DwordBytes(std::int32_t number) {
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &number, 4);
    return bytes;
}

// How many of the seven values are stored.
int StoredCount() {
    int stored = 0;
    for (const char* name : kReminderValues)
        stored += ReadRaw(HKEY_CURRENT_USER, kSettingsKey, name).result == ERROR_SUCCESS;
    return stored;
}

class ReminderStore : public ::testing::Test {
protected:
    TemporaryHives hives_;
    LongLat store_;
};

} // namespace

// Saved and read back, some switched off (their values deleted; on a fresh store there are
// none to delete); minutes no reminder can have are refused before anything is written.
TEST_F(ReminderStore, SavesEachReminderAsMinutesAndDeletesThoseSwitchedOff) {
    const std::pair<Before, int> rounds[] = {
        {{}, 0}, {{0, 10, kOff, 120, 1, kOff, 45}, 5}, {{kOff, 10, 5, kOff, kOff, 30, 45}, 4}};
    for (const auto& [before, stored] : rounds) {
        store_.SaveReminders({before});
        EXPECT_EQ(std::pair(StoredCount(), store_.ReadReminders()),
                  std::pair(stored, ReminderMinutes{before}));
    }
    for (const int wrong : {-1, 121})
        EXPECT_THROW(store_.SaveReminders({{1, 1, 1, wrong, 1, 1, 1}}), std::out_of_range);
    EXPECT_EQ(store_.ReadReminders(), ReminderMinutes{std::get<0>(rounds[2])});
}

// Only a REG_DWORD of 0..120 reminds; only a REG_DWORD of 1 keeps the clock in the tray, and
// saving writes 1 or 0.
TEST_F(ReminderStore, OnlyADwordInRangeCounts) {
    const std::tuple<DWORD, std::vector<BYTE>, std::optional<int>, bool> rows[] = {
        {REG_DWORD, DwordBytes(1), 1, true},
        {REG_DWORD, DwordBytes(121), kOff, false},
        {REG_DWORD, DwordBytes(-1), kOff, false},
        {REG_SZ, TextBytes("1"), kOff, false},
        {REG_BINARY, DwordBytes(1), kOff, false}};
    for (const auto& [type, data, minutes, keep] : rows) {
        for (const char* name : kReminderValues)
            WriteRaw(HKEY_CURRENT_USER, kSettingsKey, name, type, data);
        WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "KeepRunningInTray", type, data);
        Before expected;
        expected.fill(minutes);
        EXPECT_EQ(std::pair(store_.ReadReminders(), store_.ReadKeepRunningInTray()),
                  std::pair(ReminderMinutes{expected}, keep))
            << type;
    }
    store_.SaveKeepRunningInTray(false);
    const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "KeepRunningInTray");
    EXPECT_EQ(std::pair(raw.type, raw.data), std::pair(DWORD(REG_DWORD), DwordBytes(0)));
}

// Another program reading all the while sees the seven of one save or of the other.
TEST_F(ReminderStore, ASaveLandsAsOneChange) {
    const ReminderMinutes first{{1, 1, 1, 1, 1, 1, 1}}, second{{2, kOff, 2, kOff, 2, kOff, 2}};
    store_.SaveReminders(first);
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t reader = StartChild([&] {
        for (int read = 0; read < 400; ++read) {
            ReminderMinutes seen; // in a change of its own: the seven of one moment
            WriteAsOneChange([&seen] { seen = LongLat().ReadReminders(); });
            if ((seen != first && seen != second) || (read == 0 && write(started[1], "g", 1) != 1))
                return 1;
        }
        return 0;
    });
    char go = 0;
    ASSERT_EQ(read(started[0], &go, 1), 1);
    for (int save = 0; save < 100; ++save)
        store_.SaveReminders(save % 2 ? first : second);
    EXPECT_EQ(ExitStatus(reader), 0);
}
