#include "unzip/SortedZip.h"

#include "text/Text.h"

#include <cmath>

namespace qz {
namespace {

// Seconds since 1980-01-01 of a DOS date and time; 0 for a date that names
// no real day or time (31 February, 24:00).
std::int64_t DosTimeKey(std::uint32_t dateTime) {
    unsigned time = dateTime & 0xFFFF, date = dateTime >> 16;
    unsigned hour = time >> 11, minute = (time >> 5) & 0x3F, second = (time & 0x1F) * 2;
    int year = static_cast<int>(date >> 9) + 1980;
    unsigned month = (date >> 5) & 0x0F, day = date & 0x1F;
    static const unsigned daysIn[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (hour > 23 || minute > 59 || second > 59 || month < 1 || month > 12 || day < 1 ||
        day > daysIn[month - 1] + (month == 2 && leap ? 1 : 0))
        return 0;
    std::int64_t days = 0;
    for (int y = 1980; y < year; ++y)
        days += (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 366 : 365;
    for (unsigned m = 1; m < month; ++m)
        days += daysIn[m - 1] + (m == 2 && leap ? 1 : 0);
    days += day - 1;
    return ((days * 24 + hour) * 60 + minute) * 60 + second;
}

// Larger first; equal values put the new entry after the existing one.
int LargerFirst(std::int64_t existing, std::int64_t added) {
    return added > existing ? 1 : -1;
}

int Sign(std::int64_t v) {
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

} // namespace

int CompressionRate(const TZipHeaderInfo& entry) {
    if (entry.uncompressedSize == 0)
        return 0;
    double rate = std::round(static_cast<double>(entry.compressedSize) * 100.0 /
                             static_cast<double>(entry.uncompressedSize));
    return rate > 100 ? 100 : static_cast<int>(rate);
}

int CompareZipEntries(TZipSortMode mode, const TZipHeaderInfo& existing,
                      const TZipHeaderInfo& added) {
    switch (mode) {
    case TZipSortMode::ByName:
        return text::compareIgnoreCase(existing.FullName(), added.FullName());
    case TZipSortMode::ByFileName:
        return text::compareIgnoreCase(existing.FileName(), added.FileName());
    case TZipSortMode::ByDirectoryName:
        return text::compareIgnoreCase(existing.Directory(), added.Directory());
    case TZipSortMode::ByDate:
        return LargerFirst(DosTimeKey(existing.lastModFileDateTime),
                           DosTimeKey(added.lastModFileDateTime));
    case TZipSortMode::ByCompressedSize:
        return LargerFirst(existing.compressedSize, added.compressedSize);
    case TZipSortMode::ByUnCompressedSize:
        return LargerFirst(existing.uncompressedSize, added.uncompressedSize);
    case TZipSortMode::ByRate:
        return CompressionRate(added) - CompressionRate(existing);
    case TZipSortMode::ByNone:
        if (existing.diskNumberStart != added.diskNumberStart)
            return existing.diskNumberStart - added.diskNumberStart;
        return Sign(static_cast<std::int64_t>(existing.relativeOffsetOfLocalHeader) -
                    added.relativeOffsetOfLocalHeader);
    }
    return 0;
}

} // namespace qz
