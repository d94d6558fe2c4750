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

// The seven values as stored: "-" for none, else the minutes of a REG_DWORD.
std::string StoredReminders() {
    std::string stored;
    for (const char* name : kReminderValues) {
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, name);
        std::int32_t minutes = -1;
        if (raw.result == ERROR_SUCCESS && raw.type == REG_DWORD && raw.data.size() == 4)
            std::memcpy(&minutes, raw.data.data(), 4);
        stored += (raw.result == ERROR_SUCCESS ? std::to_string(minutes) : "-") + " ";
    }
    return stored;
}

void WriteAll(const char* name, DWORD type, const std::vector<BYTE>& data) {
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, name, type, data), ERROR_SUCCESS);
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
    const std::pair<Before, std::string> rounds[] = {
        {{}, "- - - - - - - "},
        {{0, 10, kOff, 120, 1, kOff, 45}, "0 10 - 120 1 - 45 "},
        {{kOff, 10, 5, kOff, kOff, 30, 45}, "- 10 5 - - 30 45 "}};
    for (const auto& [before, stored] : rounds) {
        store_.SaveReminders({before});
        EXPECT_EQ(StoredReminders(), stored);
        EXPECT_EQ(store_.ReadReminders(), ReminderMinutes{before}) << stored;
    }
    for (const int wrong : {-1, 121, 100000})
        EXPECT_THROW(store_.SaveReminders({{1, 1, 1, wrong, 1, 1, 1}}), std::out_of_range);
    EXPECT_EQ(StoredReminders(), "- 10 5 - - 30 45 ");
}

// One value of each kind for every reminder in turn: only a REG_DWORD of 0..120 reminds. Only
// a REG_DWORD of 1 keeps the clock in the tray, and saving writes 1 or 0.
TEST_F(ReminderStore, OnlyADwordInRangeCounts) {
    const std::tuple<DWORD, std::vector<BYTE>, std::optional<int>, bool> rows[] = {
        {REG_DWORD, DwordBytes(0), 0, false},
        {REG_DWORD, DwordBytes(1), 1, true},
        {REG_DWORD, DwordBytes(120), 120, false},
        {REG_DWORD, DwordBytes(121), kOff, false},
        {REG_DWORD, DwordBytes(-1), kOff, false},
        {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 1}, kOff, false},
        {REG_SZ, TextBytes("1"), kOff, false},
        {REG_BINARY, DwordBytes(1), kOff, false},
        {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, kOff, false},
    };
    for (const auto& [type, data, minutes, keep] : rows) {
        for (const char* name : kReminderValues)
            WriteAll(name, type, data);
        WriteAll("KeepRunningInTray", type, data);
        Before expected;
        expected.fill(minutes);
        EXPECT_EQ(store_.ReadReminders(), ReminderMinutes{expected}) << type;
        EXPECT_EQ(store_.ReadKeepRunningInTray(), keep) << type;
    }
    for (const bool keep : {true, false}) {
        store_.SaveKeepRunningInTray(keep);
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "KeepRunningInTray");
        EXPECT_EQ(std::pair(raw.type, raw.data), std::pair(DWORD(REG_DWORD), DwordBytes(keep)));
    }
}

// Another program reading all the while sees the seven of one save or of the other, never a
// mixture.
TEST_F(ReminderStore, ASaveLandsAsOneChange) {
    const ReminderMinutes first{{1, 1, 1, 1, 1, 1, 1}}, second{{2, kOff, 2, kOff, 2, kOff, 2}};
    store_.SaveReminders(first);
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t reader = StartChild([&] {
        for (int read = 0; read < 400; ++read) {
            ReminderMinutes seen; // read inside a change of its own: the seven of one moment
            WriteAsOneChange([&seen] { seen = LongLat().ReadReminders(); });
            if (seen != first && seen != second)
                return 1;
            if (read == 0 && write(started[1], "g", 1) != 1)
                return 2;
        }
        return 0;
    });
    char go = 0;
    ASSERT_EQ(read(started[0], &go, 1), 1);
    for (int save = 0; save < 100; ++save)
        store_.SaveReminders(save % 2 ? first : second);
    EXPECT_EQ(ExitStatus(reader), 0);
}
