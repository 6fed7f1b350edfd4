#include "unzip/SortedZip.h"

#include "platform/DosDateTime.h"
#include "text/Text.h"

#include <cmath>

namespace qz {
namespace {

// Orders DOS dates and times as the local times they name: the packed
// value does, its fields running from the year down to the seconds. A value
// that names no moment (31 February, 24:00) counts as 0.
std::int64_t DosTimeKey(std::uint32_t dateTime) {
    return DosDateTime::unpack(dateTime).isReal() ? dateTime : 0;
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
