#include "installer/FileDate.h"

#include <cstdio>

namespace qz {

CalendarDate DateOf(FileTime time) {
    constexpr FileTime TicksPerDay = 864'000'000'000;
    // Days from 1601-01-01 to 1970-01-01.
    constexpr long long UnixEpochDay = 134774;
    long long days = time / TicksPerDay - (time % TicksPerDay < 0 ? 1 : 0) - UnixEpochDay;
    // Civil date from a day count since 1970-01-01, counting in 400-year eras
    // that start on 1 March, so the leap day ends each year.
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long dayOfEra = days - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

std::string FormatDate(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
    return text;
}

} // namespace qz
