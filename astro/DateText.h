#pragma once
// The date and time pictures the program writes.

#include "astro/DateSerial.h"
#include "platform/LocaleNames.h"

#include <string>

namespace horvane {

// "ddd mmm d yy h:nnam/pm ": Fri Dec 4 26 1:05pm, with its trailing blank.
std::string FormatTimeLine(DateSerial serial, const LocaleNames& names);

// "h:nna/p": 12:05a, 6:07a, 12:00p, 11:41p.
std::string FormatShortTime(DateSerial serial);

// "yyyy-mm-dd": 2026-08-02.
std::string FormatIsoDate(const CivilDateTime& date);

// "hh:nn" of a time of day given in hours and minutes: 05:30.
std::string FormatHoursMinutes(int hours, int minutes);

} // namespace horvane
