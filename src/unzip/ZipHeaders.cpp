#include "unzip/ZipHeaders.h"

#include "platform/DosDateTime.h"
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
    const DosDateTime stored = DosDateTime::unpack(dateTime);
    DosDateTime clamped = stored;
    clamped.hour = std::min(stored.hour, 24u);
    clamped.minute = std::min(stored.minute, 59u);
    clamped.second = std::min(stored.second, 59u);
    clamped.year = std::clamp(stored.year, 1980u, 2099u);
    clamped.month = std::clamp(stored.month, 1u, 12u);
    clamped.day = std::clamp(stored.day, 1u, 31u);
    bool same = clamped.hour == stored.hour && clamped.minute == stored.minute &&
                clamped.second == stored.second && clamped.year == stored.year &&
                clamped.month == stored.month && clamped.day == stored.day;
    return same ? dateTime : clamped.pack();
}

std::string ConvertEntryName(std::string_view stored, bool utf8, CodePage oem) {
    std::string name(stored);
    std::replace(name.begin(), name.end(), '/', '\\');
    // Through UTF-16 and back, malformed UTF-8 becomes U+FFFD instead of
    // reaching file names.
    return utf8 ? text::fromUtf16(text::toUtf16(name)) : oem.decode(name);
}

} // namespace qz
