#pragma once
// The commands that the window's context menu and the tray's menu share, as the menus say them.

namespace horvane {

inline constexpr const char* kChangeLocationCommand = "Change Location…";
inline constexpr const char* kRemindersCommand = "Reminders…";
inline constexpr const char* kPauseCommand = "Pause";
inline constexpr const char* kResumeCommand = "Resume";

} // namespace horvane
