#include "unzip/ZipHeaders.h"

#include "text/Text.h"

#include <algorithm>

namespace qz {

void TEndCentral::Reset() {
    signature = Signature;
    numberOfThisDisk = diskWithCentralDirectory = entriesOnThisDisk = totalEntries = 0;
    centralDirectorySize = centralDirectoryOffset = 0;
    commentLength = 0;
    comment.reset();
    commentPosition = 0;
    commentModified = false;
}

void TEndCentral::Assign(const TEndCentral& other) {
    *this = other;
}

void TZipHeaderInfo::Assign(const TZipHeaderInfo& other) {
    *this = other;
}

void TZipHeaderInfo::UpdateNameLength() {
    fileNameLength = static_cast<std::uint16_t>(directory_.size() + fileName_.size());
}

void TZipHeaderInfo::SetFileName(const std::string& name) {
    fileName_ = name;
    UpdateNameLength();
}

void TZipHeaderInfo::SetDirectory(const std::string& directory) {
    directory_ = directory;
    if (!directory_.empty() && directory_.back() != '\\')
        directory_ += '\\';
    UpdateNameLength();
}

void TZipHeaderInfo::SetFullName(const std::string& fullName) {
    std::size_t cut = fullName.find_last_of("\\:");
    cut = cut == std::string::npos ? 0 : cut + 1;
    directory_ = fullName.substr(0, cut);
    fileName_ = fullName.substr(cut);
    UpdateNameLength();
}

std::uint32_t ValidateDosDateTime(std::uint32_t dateTime) {
    unsigned time = dateTime & 0xFFFF;
    unsigned date = dateTime >> 16;
    unsigned hour = time >> 11, minute = (time >> 5) & 0x3F, seconds = (time & 0x1F) * 2;
    unsigned year = (date >> 9) + 1980, month = (date >> 5) & 0x0F, day = date & 0x1F;
    unsigned h = std::min(hour, 24u), mi = std::min(minute, 59u), s = std::min(seconds, 59u);
    unsigned y = std::clamp(year, 1980u, 2099u), mo = std::clamp(month, 1u, 12u);
    unsigned d = std::clamp(day, 1u, 31u);
    if (h == hour && mi == minute && s == seconds && y == year && mo == month && d == day)
        return dateTime;
    unsigned newTime = h << 11 | mi << 5 | s / 2;
    unsigned newDate = (y - 1980) << 9 | mo << 5 | d;
    return newDate << 16 | newTime;
}

FileTime DosDateTimeToFileTime(std::uint32_t dateTime) {
    unsigned time = dateTime & 0xFFFF, date = dateTime >> 16;
    std::int64_t y = (date >> 9) + 1980, m = (date >> 5) & 0x0F, d = date & 0x1F;
    m = std::clamp<std::int64_t>(m, 1, 12);
    // Days since 1970-01-01 of the civil date (proleptic Gregorian).
    y -= m <= 2;
    std::int64_t era = y / 400, yoe = y - era * 400;
    std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    std::int64_t days = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
    std::int64_t seconds =
        days * 86400 + (time >> 11) * 3600 + ((time >> 5) & 0x3F) * 60 + (time & 0x1F) * 2;
    constexpr std::int64_t kSeconds1601To1970 = 11644473600;
    return (seconds + kSeconds1601To1970) * 10000000;
}

std::string ConvertEntryName(std::string_view stored, bool utf8, unsigned oemCodePage) {
    std::string name(stored);
    std::replace(name.begin(), name.end(), '/', '\\');
    // Through UTF-16 and back, malformed UTF-8 becomes U+FFFD instead of
    // reaching file names.
    return utf8 ? text::fromUtf16(text::toUtf16(name)) : text::decode(name, oemCodePage);
}

} // namespace qz
