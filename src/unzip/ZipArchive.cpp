#include "unzip/ZipArchive.h"

#include "text/Text.h"
#include "unzip/Errors.h"
#include "unzip/LittleEndian.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace qz {
namespace {

constexpr std::uint32_t kLocalSignature = 0x04034B50;
constexpr std::uint32_t kCentralSignature = 0x02014B50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralRecordSize = 46;
constexpr std::size_t kLocalRecordSize = 30;
constexpr std::size_t kZip64LocatorSize = 20;
// The end record lies in this many bytes at the end of the file.
constexpr std::int64_t kEndRecordSearch = 65528;
// Self-extracting archives: the program part comes before the first header.
constexpr std::int64_t kSelfExtractorSkip = 14000;
constexpr std::int64_t kPollInterval = 10240;
constexpr std::size_t kDataDescriptorSize = 16;

const char* const kIncomplete = "Incomplete Zip File";
const char* const kNotValid = "Not a valid zip file!";
const char* const kZip64 = "ZIP64 archives are not supported";

bool EndsWithIgnoreCase(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           text::equalsIgnoreCase(std::string_view(s).substr(s.size() - suffix.size()), suffix);
}

std::string ThreeDigits(int n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%3.3d", n);
    return digits;
}

// Stored text as far as its first zero byte.
std::string ZeroTerminated(std::string s) {
    s.resize(std::strlen(s.c_str()));
    return s;
}

} // namespace

ZipArchive::ZipArchive(FileSystem& files, Dialogs& dialogs, StringLookup& strings,
                       const CodePages& pages, unsigned oemCodePage)
    : oemCodePage(oemCodePage), files_(files), dialogs_(dialogs), strings_(strings), pages_(pages) {
}

ZipArchive::~ZipArchive() = default;

void ZipArchive::SetName(const std::string& name) {
    name_ = name;
    FreeLists();
    end_.Reset();
    CloseStream();
}

void ZipArchive::OpenFile(const std::string& name) {
    stream_ =
        std::make_unique<TLFNFileStream>(files_, name, fmOpenRead | fmShareDenyWrite, strings_);
}

void ZipArchive::CloseStream() {
    stream_.reset();
}

void ZipArchive::FreeLists() {
    sortedView_.reset();
    view_ = nullptr;
    main_.reset();
    directoryRead_ = false;
}

void ZipArchive::Close() {
    FreeLists();
    end_.Reset();
    diskMode_ = DiskMode::Single;
    currentDisk_ = 0;
    CloseStream();
    fileDate_.reset();
    name_.clear();
}

void ZipArchive::Fail(const char* error, bool incomplete) {
    Close();
    if (incomplete)
        throw EIncompleteZip(error);
    throw EBadZipFile(error);
}

void ZipArchive::Open() {
    if (!stream_)
        OpenFile(name_);
    if (!directoryRead_ || stream_->fileDate() != fileDate_) {
        try {
            ReadDirectory();
        } catch (const EListError&) {
            // Two central records for one local header, or more entries
            // than a list holds: the directory cannot be trusted.
            Fail(kNotValid, false);
        } catch (...) {
            FreeLists();
            throw;
        }
    }
}

TZipHeaderInfo& ZipArchive::Entry(int index) const {
    if (!view_)
        throw EListError(formatMessage("Index %d is out of range", static_cast<long long>(index)));
    return view_->Entry(index);
}

void ZipArchive::SetSortMode(TZipSortMode mode) {
    sortMode_ = mode;
    sortedView_.reset();
    view_ = main_.get();
    if (!main_ || mode == TZipSortMode::ByNone)
        return;
    auto view = std::make_unique<TSortedZip>(mode, TDuplicates::dupAccept);
    view->SetOwnsObjects(false);
    for (int i = 0; i < main_->Count(); ++i)
        view->Add(&main_->Entry(i));
    sortedView_ = std::move(view);
    view_ = sortedView_.get();
}

std::string ZipArchive::Convert(std::string_view stored, std::uint16_t flags) const {
    return ConvertEntryName(stored, (flags & kFlagUtf8) != 0, {pages_, oemCodePage});
}

void ZipArchive::ReadDirectory() {
    fileDate_ = stream_->fileDate();
    FreeLists();
    end_.Reset();
    diskMode_ = DiskMode::Single;
    currentDisk_ = 0;

    bool scanned = false;
    if (ReadEndRecord()) {
        currentDisk_ = end_.numberOfThisDisk;
        if (currentDisk_ != 0) {
            bool removable = name_.size() >= 2 && name_[1] == ':' &&
                             files_.driveType(name_[0]) == DriveType::Removable;
            diskMode_ = removable ? DiskMode::Diskettes : DiskMode::SplitFiles;
        }
        if (end_.totalEntries != 0) {
            if (IsMultiDisk() && end_.diskWithCentralDirectory != currentDisk_)
                LoadDisk(end_.diskWithCentralDirectory + 1);
            stream_->Seek(end_.centralDirectoryOffset, soFromBeginning);
            std::uint8_t signature[4];
            if (stream_->Read(signature, 4) != 4 || Get32(signature) != kCentralSignature) {
                if (!ScanLocalHeaders())
                    Fail(kNotValid, false);
                scanned = true;
            }
        }
    } else {
        if (onIncompleteZip)
            onIncompleteZip(incompleteZipMode);
        if (incompleteZipMode == TIncompleteZipMode::izAssumeMulti)
            Fail(kIncomplete, true);
        if (!ScanLocalHeaders())
            Fail(kNotValid, false);
        scanned = true;
    }

    if (!scanned)
        main_ = std::make_unique<TSortedZip>(TZipSortMode::ByNone, TDuplicates::dupError);
    stream_->Seek(end_.centralDirectoryOffset, soFromBeginning);
    for (unsigned i = 0; i < end_.totalEntries; ++i) {
        auto header = std::make_unique<TZipHeaderInfo>();
        // A record that cannot be read ends the directory: the records after
        // it cannot be found either, and the entries before it (or those of
        // a scan) stay usable.
        if (!ReadCentralRecord(*header))
            break;
        if (scanned) {
            int index;
            if (main_->Find(header.get(), index)) {
                TZipHeaderInfo& entry = main_->Entry(index);
                std::uint32_t localOffset = entry.relativeOffsetOfLocalHeader;
                entry.Assign(*header);
                entry.relativeOffsetOfLocalHeader = localOffset;
            }
            continue;
        }
        main_->Add(header.get());
        header.release();
    }

    SetSortMode(sortMode_);
    directoryRead_ = true;
}

bool ZipArchive::ReadEndRecord() {
    std::int64_t size = stream_->Size();
    if (size < static_cast<std::int64_t>(kEndRecordSize))
        return false;
    std::int64_t tail = std::min(size, kEndRecordSearch);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(tail));
    stream_->Seek(size - tail, soFromBeginning);
    if (stream_->Read(buffer.data(), buffer.size()) != buffer.size())
        return false;
    for (std::size_t i = buffer.size() - kEndRecordSize + 1; i-- > 0;) {
        const std::uint8_t* r = &buffer[i];
        if (r[0] != 'P' || Get32(r) != TEndCentral::Signature)
            continue;
        end_.numberOfThisDisk = Get16(r + 4);
        end_.diskWithCentralDirectory = Get16(r + 6);
        end_.entriesOnThisDisk = Get16(r + 8);
        end_.totalEntries = Get16(r + 10);
        end_.centralDirectorySize = Get32(r + 12);
        end_.centralDirectoryOffset = Get32(r + 16);
        end_.commentLength = Get16(r + 20);
        // The comment follows the record; it is not taken from the end of
        // the file, where anything written after it would stand instead.
        // It is kept at once: the file at hand is the disk that holds it.
        std::int64_t recordPosition = size - tail + static_cast<std::int64_t>(i);
        end_.commentPosition = static_cast<std::uint32_t>(recordPosition + kEndRecordSize);
        std::size_t commentStart = i + kEndRecordSize;
        std::string comment(
            reinterpret_cast<const char*>(&buffer[commentStart]),
            std::min<std::size_t>(end_.commentLength, buffer.size() - commentStart));
        end_.comment = pages_.decode(ZeroTerminated(comment), oemCodePage);
        // Writers add the 64-bit records whenever they could not know the
        // sizes beforehand; only a field that does not hold its value
        // means the archive needs them.
        bool locator =
            i >= kZip64LocatorSize && Get32(r - kZip64LocatorSize) == kZip64LocatorSignature;
        bool saturated16 = end_.numberOfThisDisk == 0xFFFF ||
                           end_.diskWithCentralDirectory == 0xFFFF ||
                           end_.entriesOnThisDisk == 0xFFFF || end_.totalEntries == 0xFFFF;
        if ((locator && saturated16) || end_.centralDirectoryOffset == 0xFFFFFFFF ||
            end_.centralDirectorySize == 0xFFFFFFFF)
            Fail(kZip64, false);
        return true;
    }
    return false;
}

bool ZipArchive::ReadCentralRecord(TZipHeaderInfo& header) {
    std::int64_t start = stream_->Position();
    std::uint8_t r[kCentralRecordSize];
    std::size_t n = stream_->Read(r, sizeof r);
    bool startsRecord = n >= 4 && Get32(r) == kCentralSignature;
    if ((n == 0 || (n < sizeof r && startsRecord)) && IsMultiDisk() &&
        currentDisk_ < end_.numberOfThisDisk) {
        LoadDisk(currentDisk_ + 2);
        n += stream_->Read(r + n, sizeof r - n);
    }
    if (n != sizeof r || Get32(r) != kCentralSignature) {
        stream_->Seek(start, soFromBeginning);
        return false;
    }
    std::string name(Get16(r + 28), '\0');
    if (stream_->Read(name.data(), name.size()) != name.size()) {
        stream_->Seek(start, soFromBeginning);
        return false;
    }
    std::uint16_t extraLength = Get16(r + 30);
    std::uint16_t commentLength = Get16(r + 32);
    header.versionMadeBy = Get16(r + 4);
    header.versionNeeded = Get16(r + 6);
    header.flags = Get16(r + 8);
    header.compressionMethod = Get16(r + 10);
    header.lastModFileDateTime = ValidateDosDateTime(Get32(r + 12));
    header.crc32 = Get32(r + 16);
    header.compressedSize = Get32(r + 20);
    header.uncompressedSize = Get32(r + 24);
    header.extraFieldLength = extraLength;
    header.fileCommentLength = commentLength;
    header.diskNumberStart = Get16(r + 34);
    header.internalFileAttributes = Get16(r + 36);
    header.externalFileAttributes = Get32(r + 38);
    header.relativeOffsetOfLocalHeader = Get32(r + 42);
    header.centralRecordOffset = static_cast<std::uint32_t>(start);
    header.SetFullName(Convert(name, header.flags));
    if (header.compressedSize == 0xFFFFFFFF || header.uncompressedSize == 0xFFFFFFFF ||
        header.relativeOffsetOfLocalHeader == 0xFFFFFFFF)
        Fail(kZip64, false);
    if (IsMultiDisk() && commentLength != 0) {
        stream_->Seek(extraLength, soFromCurrent);
        std::string comment(commentLength, '\0');
        comment.resize(stream_->Read(comment.data(), comment.size()));
        header.fileComment = pages_.decode(ZeroTerminated(comment), oemCodePage);
    } else {
        stream_->Seek(extraLength + commentLength, soFromCurrent);
    }
    return true;
}

bool ZipArchive::ReadLocalRecord(TZipHeaderInfo& header) {
    std::int64_t start = stream_->Position();
    std::uint8_t r[kLocalRecordSize];
    std::string name;
    bool ok = stream_->Read(r, sizeof r) == sizeof r && Get32(r) == kLocalSignature;
    if (ok) {
        name.resize(Get16(r + 26));
        ok = stream_->Read(name.data(), name.size()) == name.size();
    }
    if (!ok) {
        stream_->Seek(start, soFromBeginning);
        return false;
    }
    header = TZipHeaderInfo();
    header.versionMadeBy = 0;
    header.versionNeeded = Get16(r + 4);
    header.flags = Get16(r + 6);
    header.compressionMethod = Get16(r + 8);
    header.lastModFileDateTime = ValidateDosDateTime(Get32(r + 10));
    header.crc32 = Get32(r + 14);
    header.compressedSize = Get32(r + 18);
    header.uncompressedSize = Get32(r + 22);
    header.extraFieldLength = Get16(r + 28);
    header.internalFileAttributes = 0;
    header.externalFileAttributes = 0;
    header.relativeOffsetOfLocalHeader = static_cast<std::uint32_t>(start);
    header.SetFullName(Convert(name, header.flags));
    return true;
}

bool ZipArchive::ScanLocalHeaders() {
    std::int64_t at = EndsWithIgnoreCase(name_, ".EXE") ? kSelfExtractorSkip : 0;
    stream_->Seek(at, soFromBeginning);

    // Look for "PK\3\4"; the last three bytes of each piece are kept, so a
    // signature across two pieces is found.
    constexpr std::size_t kPiece = 8192;
    std::uint8_t buffer[kPiece + 3];
    std::size_t kept = 0;
    std::int64_t skipped = 0;
    std::int64_t found = -1;
    while (found < 0) {
        std::size_t n = stream_->Read(buffer + kept, kPiece);
        if (n == 0)
            return false;
        std::size_t length = kept + n;
        for (std::size_t i = 0; i + 4 <= length; ++i) {
            if (buffer[i] == 'P' && buffer[i + 1] == 'K' && buffer[i + 2] == 3 &&
                buffer[i + 3] == 4) {
                found = at + static_cast<std::int64_t>(i);
                break;
            }
        }
        skipped += static_cast<std::int64_t>(n);
        if (skipped >= kPollInterval) {
            skipped %= kPollInterval;
            if (poll)
                poll();
        }
        kept = std::min<std::size_t>(length, 3);
        std::memmove(buffer, buffer + length - kept, kept);
        at += static_cast<std::int64_t>(length - kept);
    }

    main_ = std::make_unique<TSortedZip>(TZipSortMode::ByNone, TDuplicates::dupError);
    stream_->Seek(found, soFromBeginning);
    for (;;) {
        auto header = std::make_unique<TZipHeaderInfo>();
        if (!ReadLocalRecord(*header))
            break;
        std::int64_t next = stream_->Position() + header->extraFieldLength +
                            header->compressedSize +
                            ((header->flags & kFlagDataDescriptor) ? kDataDescriptorSize : 0);
        main_->Add(header.get());
        header.release();
        stream_->Seek(next, soFromBeginning);
    }
    end_.numberOfThisDisk = 0;
    end_.diskWithCentralDirectory = 0;
    end_.centralDirectoryOffset = static_cast<std::uint32_t>(stream_->Position());
    end_.totalEntries = end_.entriesOnThisDisk = static_cast<std::uint16_t>(main_->Count());
    return true;
}

std::string ZipArchive::EntryComment(TZipHeaderInfo& entry) {
    if (!entry.fileComment) {
        std::string comment;
        if (entry.fileCommentLength != 0) {
            if (!stream_)
                OpenFile(name_);
            std::int64_t position = stream_->Position();
            // The stored lengths of name and extra field, which the converted
            // name no longer tells, come from the record itself.
            std::uint8_t r[kCentralRecordSize];
            stream_->Seek(entry.centralRecordOffset, soFromBeginning);
            if (stream_->Read(r, sizeof r) == sizeof r && Get32(r) == kCentralSignature) {
                stream_->Seek(Get16(r + 28) + Get16(r + 30), soFromCurrent);
                comment.resize(Get16(r + 32));
                comment.resize(stream_->Read(comment.data(), comment.size()));
            }
            stream_->Seek(position, soFromBeginning);
        }
        bool utf8 = (entry.flags & kFlagUtf8) != 0;
        comment = ZeroTerminated(comment);
        entry.fileComment =
            utf8 ? text::fromUtf16(text::toUtf16(comment)) : pages_.decode(comment, oemCodePage);
    }
    return *entry.fileComment;
}

std::string ZipArchive::DefaultDiskName(int n, const std::string& current) {
    if (diskMode_ == DiskMode::Diskettes) {
        MessageRequest request;
        request.kind = MessageKind::Confirmation;
        request.text = "Please insert disk " + std::to_string(n) + " of the multi-disk set.";
        request.buttons = {DialogButton::Ok, DialogButton::Cancel};
        return dialogs_.showMessage(request) == DialogButton::Ok ? current : std::string();
    }
    std::size_t dot = current.find_last_of(".\\:");
    std::string stem =
        dot != std::string::npos && current[dot] == '.' ? current.substr(0, dot) : current;
    return stem + "." + ThreeDigits(n);
}

void ZipArchive::LoadDisk(int n) {
    CloseStream();
    std::string fileName;
    for (;;) {
        fileName = name_;
        if (onGetNextDisk)
            onGetNextDisk(n, fileName);
        else
            fileName = DefaultDiskName(n, name_);
        if (!fileName.empty() && diskMode_ == DiskMode::Diskettes && checkVolumeLabels) {
            auto label = files_.volumeLabel(fileName[0]);
            if (!label || !label->ends_with(ThreeDigits(n)))
                continue;
        }
        if (fileName.empty())
            throw EUserCanceled("User canceled loading new disk.");
        if (files_.fileExists(fileName))
            break;
        // Split volumes are named by rule: asking again would give the same
        // missing name for ever.
        if (!onGetNextDisk && diskMode_ == DiskMode::SplitFiles)
            throw EIncompleteZip(kIncomplete);
    }
    stream_ = std::make_unique<TLFNFileStream>(files_, fileName, fmOpenRead, strings_);
    currentDisk_ = n - 1;
    fileDate_ = stream_->fileDate();
    name_ = fileName;
}

} // namespace qz
