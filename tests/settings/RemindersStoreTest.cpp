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
using namespace ::testing;

namespace {

const char* const kReminderValues[] = {
    "RemindTwilightBegins", "RemindSunRise",  "RemindSunTransit", "RemindSunSet",
    "RemindTwilightEnds",   "RemindMoonRise", "RemindMoonSet"};

std::vector<BYTE> DwordBytes(std::int32_t number) {
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &number, 4);
    return bytes;
}

// The seven values as stored: "-" for none, else the minutes of a REG_DWORD, else "?".
std::string StoredReminders() {
    std::string stored;
    for (const char* name : kReminderValues) {
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, name);
        std::int32_t minutes = 0;
        if (raw.result == ERROR_SUCCESS && raw.type == REG_DWORD && raw.data.size() == 4)
            std::memcpy(&minutes, raw.data.data(), 4);
        stored += raw.result != ERROR_SUCCESS                     ? "-"
                  : raw.type == REG_DWORD && raw.data.size() == 4 ? std::to_string(minutes)
                                                                  : "?";
        stored += " ";
    }
    return stored;
}

// The same for the minutes read: "-" for none.
std::string Shown(const ReminderMinutes& reminders) {
    std::string shown;
    for (const std::optional<int>& minutes : reminders.before)
        shown += (minutes ? std::to_string(*minutes) : "-") + " ";
    return shown;
}

ReminderMinutes Minutes(std::array<std::optional<int>, kBoardEventCount> before) {
    return ReminderMinutes{before};
}

class ReminderStore : public Test {
protected:
    TemporaryHives hives_;
    LongLat store_;
};

} // namespace

// Saved, read back and saved again with some switched off: the values of those are deleted,
// and a fresh store (no settings key at all) reads and deletes nothing.
TEST_F(ReminderStore, SavesEachReminderAsMinutesAndDeletesThoseSwitchedOff) {
    const std::pair<ReminderMinutes, std::string> rounds[] = {
        {Minutes({}), "- - - - - - - "},
        {Minutes({0, 10, std::nullopt, 120, 1, std::nullopt, 45}), "0 10 - 120 1 - 45 "},
        {Minutes({std::nullopt, 10, 5, std::nullopt, std::nullopt, 30, 45}), "- 10 5 - - 30 45 "},
        {Minutes({}), "- - - - - - - "}};
    for (const auto& [reminders, stored] : rounds) {
        store_.SaveReminders(reminders);
        EXPECT_EQ(StoredReminders(), stored);
        EXPECT_EQ(store_.ReadReminders(), reminders) << stored;
    }
}

// One value of each kind for every reminder, in turn: only a REG_DWORD of 0..120 reminds.
TEST_F(ReminderStore, AValueOfAnotherTypeOrOutOfRangeIsNoReminder) {
    const std::tuple<DWORD, std::vector<BYTE>, std::string> rows[] = {
        {REG_DWORD, DwordBytes(0), "0"},
        {REG_DWORD, DwordBytes(120), "120"},
        {REG_DWORD, DwordBytes(121), "-"},
        {REG_DWORD, DwordBytes(-1), "-"},
        {REG_DWORD, DwordBytes(INT32_MIN), "-"},
        {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 10}, "-"},
        {REG_SZ, TextBytes("10"), "-"},
        {REG_BINARY, DwordBytes(10), "-"},
        {REG_QWORD, {10, 0, 0, 0, 0, 0, 0, 0}, "-"},
    };
    for (const auto& [type, data, read] : rows) {
        for (const char* name : kReminderValues)
            ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, name, type, data), ERROR_SUCCESS);
        std::string expected;
        for (int event = 0; event < kBoardEventCount; ++event)
            expected += read + " ";
        EXPECT_EQ(Shown(store_.ReadReminders()), expected) << type << " " << read;
    }
}

// Minutes that no reminder can have are refused before anything is written.
TEST_F(ReminderStore, MinutesOutOfRangeWriteNothing) {
    store_.SaveReminders(Minutes({5, 5, 5, 5, 5, 5, 5}));
    for (const int wrong : {-1, 121, 100000})
        EXPECT_THROW(store_.SaveReminders(Minutes({1, 1, 1, wrong, 1, 1, 1})), std::out_of_range)
            << wrong;
    EXPECT_EQ(StoredReminders(), "5 5 5 5 5 5 5 ");
}

// Another program reading all the while sees the seven of one save or of the other, never a
// mixture.
TEST_F(ReminderStore, ASaveLandsAsOneChange) {
    const ReminderMinutes first = Minutes({1, 1, 1, 1, 1, 1, 1});
    const ReminderMinutes second = Minutes({2, std::nullopt, 2, std::nullopt, 2, std::nullopt, 2});
    store_.SaveReminders(first);
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t reader = StartChild([&] {
        const char go = 'g';
        if (write(started[1], &go, 1) != 1)
            return 3;
        for (int read = 0; read < 400; ++read) {
            ReminderMinutes seen; // read inside a change of its own: the seven of one moment
            WriteAsOneChange([&seen] { seen = LongLat().ReadReminders(); });
            if (seen != first && seen != second)
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

// Only a REG_DWORD of 1 keeps the clock in the tray; saving writes 1 or 0.
TEST_F(ReminderStore, KeepsRunningInTheTrayOnlyWhenTheValueSaysOne) {
    EXPECT_FALSE(store_.ReadKeepRunningInTray());
    const std::tuple<DWORD, std::vector<BYTE>, bool> rows[] = {
        {REG_DWORD, DwordBytes(1), true},
        {REG_DWORD, DwordBytes(0), false},
        {REG_DWORD, DwordBytes(2), false},
        {REG_DWORD, DwordBytes(-1), false},
        {REG_SZ, TextBytes("1"), false},
        {REG_BINARY, DwordBytes(1), false},
        {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 1}, false},
    };
    for (const auto& [type, data, keep] : rows) {
        ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "KeepRunningInTray", type, data),
                  ERROR_SUCCESS);
        EXPECT_EQ(store_.ReadKeepRunningInTray(), keep) << type;
    }
    for (const bool keep : {true, false}) {
        store_.SaveKeepRunningInTray(keep);
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "KeepRunningInTray");
        EXPECT_EQ(std::pair(raw.type, raw.data), std::pair(DWORD(REG_DWORD), DwordBytes(keep)));
        EXPECT_EQ(store_.ReadKeepRunningInTray(), keep);
    }
}
