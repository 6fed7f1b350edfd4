// The calendar date of a file time, for the dates the installer shows and
// compares (the build date of the data file, the age of an old library).
#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace qz {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The date of a file time (UTC), in the proleptic Gregorian calendar.
CalendarDate DateOf(FileTime time);
// "dd.mm.yyyy".
std::string FormatDate(const CalendarDate& date);

} // namespace qz
