// DOS dates and times, as ZIP records store them: the time in the low word
// (hour, minute, seconds / 2), the date in the high word (year - 1980,
// month, day). They name a local time, without a time zone.
#pragma once

#include <cstdint>

namespace qz {

struct DosDateTime {
    unsigned year = 1980;
    unsigned month = 1;
    unsigned day = 1;
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0; // stored halved: odd seconds cannot be kept

    static DosDateTime unpack(std::uint32_t packed) {
        unsigned time = packed & 0xFFFF, date = packed >> 16;
        return {(date >> 9) + 1980, (date >> 5) & 0x0F, date & 0x1F,
                time >> 11,         (time >> 5) & 0x3F, (time & 0x1F) * 2};
    }

    // The fields must fit their bits: years 1980 to 2107, hours to 31.
    std::uint32_t pack() const {
        unsigned date = (year - 1980) << 9 | month << 5 | day;
        unsigned time = hour << 11 | minute << 5 | second / 2;
        return static_cast<std::uint32_t>(date) << 16 | time;
    }

    // Whether the fields name a moment: a day of the month (29 February in
    // leap years only), hours 0 to 23, minutes and seconds 0 to 59.
    bool isReal() const {
        static const unsigned daysIn[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59)
            return false;
        bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        return day <= daysIn[month - 1] + (month == 2 && leap ? 1 : 0);
    }
};

} // namespace qz
