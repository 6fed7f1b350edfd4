// Lists of entry headers kept in one of the reader's sort orders.
#pragma once

#include "unzip/Containers.h"
#include "unzip/ZipHeaders.h"

namespace qz {

enum class TZipSortMode {
    ByName,
    ByFileName,
    ByDirectoryName,
    ByDate,
    ByCompressedSize,
    ByUnCompressedSize,
    ByRate,
    ByNone,
};

// Compares an entry already in a list (existing) with a new one (added): a
// positive result puts the new entry first. Orders that put the larger
// first never call two entries equal, so equal ones keep the order in which
// they were added.
int CompareZipEntries(TZipSortMode mode, const TZipHeaderInfo& existing,
                      const TZipHeaderInfo& added);

// Compression ratio in percent as the rate order sees it: 0 for empty entries.
int CompressionRate(const TZipHeaderInfo& entry);

class TSortedZip : public TSortedObjectList {
public:
    TSortedZip(TZipSortMode mode, TDuplicates duplicates)
        : TSortedObjectList(duplicates), mode_(mode) {}

    TZipSortMode SortMode() const { return mode_; }
    TZipHeaderInfo& Entry(int index) const { return static_cast<TZipHeaderInfo&>(*Items(index)); }

protected:
    int Compare(const TObject& existing, const TObject& added) const override {
        return CompareZipEntries(mode_, static_cast<const TZipHeaderInfo&>(existing),
                                 static_cast<const TZipHeaderInfo&>(added));
    }

private:
    TZipSortMode mode_;
};

} // namespace qz
