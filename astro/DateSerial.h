#pragma once
// Date serials and the local calendar: conversion to and from dates and clock times.

#include "astro/TimeUnits.h"
#include "platform/BasicTypes.h"
#include "platform/CivilDateTime.h"

#include <cstdint>

namespace horvane {

// The Date serial of a local date and clock time.
DateSerial ToDateSerial(const CivilDateTime& civil);

// The whole seconds since Date serial 0, rounded to the nearest second.
std::int64_t WholeSecondsOf(DateSerial serial);

// The date and clock time of a serial, rounded to the nearest second; a time within
// half a second of midnight belongs to the next day.
CivilDateTime ToCivil(DateSerial serial);

// The calendar day number of a serial (its whole days, as ToCivil rounds it).
std::int64_t DayNumberOf(DateSerial serial);

// The time of day of a serial in whole seconds, 0..86399 (as ToCivil rounds it).
SecondsOfDay SecondsOfDayOf(DateSerial serial);

// Sunday = 1 .. Saturday = 7.
int WeekdayOf(DateSerial serial);

// Days from the civil date to 1899-12-30, and back.
std::int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(std::int64_t days, int& year, int& month, int& day);

} // namespace horvane
