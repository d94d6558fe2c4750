// The reminders before the board's events, and whether the clock keeps running in the tray.

#include "settings/LongLat.h"
#include "settings/SettingsRegistry.h"
#include "settings/StoreChange.h"

#include "platform/registry/RegistryTypes.h"

#include <stdexcept>

namespace horvane {
namespace {

// In board order (BoardEvent).
constexpr std::array<const char*, kBoardEventCount> kReminderValueNames{
    "RemindTwilightBegins", "RemindSunRise",  "RemindSunTransit", "RemindSunSet",
    "RemindTwilightEnds",   "RemindMoonRise", "RemindMoonSet"};

constexpr const char* kKeepRunningInTrayValue = "KeepRunningInTray";

// The named settings value when it is a REG_DWORD; nothing when it is missing or of another
// type.
std::optional<std::int32_t> ReadDword(const char* valueName) {
    cRegistry registry = SettingsRegistry();
    registry.ValueKey(valueName);
    const TaggedValue value = registry.Value(); // the default: nothing
    const auto* number = std::get_if<std::int32_t>(&value);
    if (number == nullptr || registry.ValueType() != REG_DWORD)
        return std::nullopt;
    return *number;
}

bool IsReminderMinutes(int minutes) {
    return minutes >= 0 && minutes <= kMaxReminderMinutes;
}

void WriteReminder(cRegistry& registry, const std::optional<int>& minutes) {
    if (minutes) {
        registry.ValueType(REG_DWORD);
        registry.Value(std::int32_t(*minutes));
    } else if (!std::holds_alternative<std::monostate>(registry.Value())) {
        registry.DeleteValue();
    }
}

} // namespace

ReminderMinutes LongLat::ReadReminders() const {
    ReminderMinutes reminders;
    for (int event = 0; event < kBoardEventCount; ++event) {
        const std::optional<std::int32_t> minutes = ReadDword(kReminderValueNames[event]);
        if (minutes && IsReminderMinutes(*minutes))
            reminders.before[event] = *minutes;
    }
    return reminders;
}

void LongLat::SaveReminders(const ReminderMinutes& reminders) const {
    for (const std::optional<int>& minutes : reminders.before)
        if (minutes && !IsReminderMinutes(*minutes))
            throw std::out_of_range("A reminder comes 0 to " + std::to_string(kMaxReminderMinutes) +
                                    " minutes before its event, not " + std::to_string(*minutes));
    WriteAsOneChange([&reminders] {
        cRegistry registry = SettingsRegistry();
        for (int event = 0; event < kBoardEventCount; ++event) {
            registry.ValueKey(kReminderValueNames[event]);
            WriteReminder(registry, reminders.before[event]);
        }
    });
}

bool LongLat::ReadKeepRunningInTray() const {
    return ReadDword(kKeepRunningInTrayValue) == 1;
}

void LongLat::SaveKeepRunningInTray(bool keep) const {
    cRegistry registry = SettingsRegistry();
    registry.ValueType(REG_DWORD);
    registry.ValueKey(kKeepRunningInTrayValue);
    registry.Value(std::int32_t(keep ? 1 : 0));
}

} // namespace horvane
