// The reader's model of an archive's records: the end-of-central-directory
// record and one header object per entry.
#pragma once

#include "platform/CodePages.h"
#include "unzip/Containers.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qz {

// General purpose bit flags.
enum : std::uint16_t {
    kFlagEncrypted = 0x0001,
    kFlagDataDescriptor = 0x0008,   // sizes and CRC follow the data
    kFlagStrongEncryption = 0x0040, // a cipher the reader does not know
    kFlagUtf8 = 0x0800,             // name and comment are UTF-8
};

class TEndCentral : public TObject {
public:
    static constexpr std::uint32_t Signature = 0x06054B50;

    TEndCentral() { Reset(); }
    std::string ClassName() const override { return "TEndCentral"; }
    void Reset();
    void Assign(const TEndCentral& other);

    std::uint32_t signature;
    std::uint16_t numberOfThisDisk;
    std::uint16_t diskWithCentralDirectory;
    std::uint16_t entriesOnThisDisk;
    std::uint16_t totalEntries;
    std::uint32_t centralDirectorySize;
    std::uint32_t centralDirectoryOffset;
    std::uint16_t commentLength;
    std::optional<std::string> comment; // absent until read
    std::uint32_t commentPosition;
    bool commentModified;
};

class TZipHeaderInfo : public TObject {
public:
    std::string ClassName() const override { return "TZipHeaderInfo"; }
    void Assign(const TZipHeaderInfo& other);

    const std::string& FileName() const { return fileName_; }
    const std::string& Directory() const { return directory_; }
    std::string FullName() const { return directory_ + fileName_; }
    // Both keep fileNameLength equal to the length of directory plus name;
    // a directory gets a trailing "\" when it has none.
    void SetFileName(const std::string& name);
    void SetDirectory(const std::string& directory);
    // Splits a full name after its last "\" or ":".
    void SetFullName(const std::string& fullName);
    bool IsDirectory() const { return fileName_.empty(); }
    bool IsEncrypted() const { return (flags & kFlagEncrypted) != 0; }

    std::uint16_t versionMadeBy = 20;
    std::uint16_t versionNeeded = 20;
    std::uint16_t flags = 0;
    std::uint16_t compressionMethod = 8;
    std::uint32_t lastModFileDateTime = 0; // DOS: time low word, date high word
    std::uint32_t crc32 = 0xFFFFFFFF;
    // Sizes are unsigned: entries of 2 GiB and more are valid archives.
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t fileNameLength = 0;
    std::uint16_t extraFieldLength = 0;
    std::uint16_t fileCommentLength = 0;
    std::uint16_t diskNumberStart = 0;
    std::uint16_t internalFileAttributes = 1;
    std::uint32_t externalFileAttributes = 32;
    std::uint32_t relativeOffsetOfLocalHeader = 0;
    std::uint32_t centralRecordOffset = 0;
    std::optional<std::string> fileComment; // absent until read
    bool selected = false;

private:
    void UpdateNameLength();

    std::string fileName_;
    std::string directory_;
};

// Clamps the fields of a DOS date and time to valid ranges (hour up to 24);
// a value that needs no clamp is returned bit for bit.
std::uint32_t ValidateDosDateTime(std::uint32_t dateTime);

// A stored name as the program sees it: "/" becomes "\", and the bytes are
// read in the OEM code page unless the entry says they are UTF-8.
std::string ConvertEntryName(std::string_view stored, bool utf8, CodePage oem);

} // namespace qz
