#include "unzip/QzUnZip.h"

#include "text/Text.h"
#include "unzip/Errors.h"
#include "unzip/WildcardMatch.h"
#include "unzip/decoders/Decoder.h"
#include "unzip/decoders/PkwareDecryptor.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace qz {
namespace {

constexpr std::size_t kLocalRecordSize = 30;
constexpr std::uint16_t kFlagStrongEncryption = 0x0040;

std::uint16_t Get16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

int Percent(std::uint64_t part, std::uint64_t whole) {
    if (whole == 0)
        return 0;
    double percent = std::round(static_cast<double>(part) * 100.0 / static_cast<double>(whole));
    return percent > 100 ? 100 : static_cast<int>(percent);
}

// A ".." component would put the entry outside the destination.
bool LeavesDestination(const std::string& fullName) {
    std::size_t start = 0;
    for (;;) {
        std::size_t end = fullName.find('\\', start);
        std::string_view part = std::string_view(fullName).substr(
            start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..")
            return true;
        if (end == std::string::npos)
            return false;
        start = end + 1;
    }
}

} // namespace

// The state of one extraction run.
struct TQzUnZip::Run {
    std::uint64_t totalBytes = 0;
    std::uint64_t totalWritten = 0;
};

namespace {

// The compressed bytes of one entry, piece by piece from the archive (and
// from the next disks of a multi-disk set), decrypted when the entry is.
class EntrySource : public unzip::ByteSource {
public:
    EntrySource(ZipArchive& archive, std::uint64_t size, unzip::PkwareDecryptor* decryptor,
                std::function<void()> poll)
        : archive_(archive), remaining_(size), decryptor_(decryptor), poll_(std::move(poll)) {}

    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(count, remaining_));
        if (want == 0)
            return 0;
        poll_();
        std::size_t got = archive_.Stream().Read(buffer, want);
        while (got < want) {
            // No disk follows the one that holds the end record.
            if (!archive_.IsMultiDisk() ||
                archive_.CurrentDisk() >= archive_.EndCentral().numberOfThisDisk)
                throw EFatalUnzipError("Premature end of file reached");
            archive_.LoadDisk(archive_.CurrentDisk() + 2);
            got += archive_.Stream().Read(buffer + got, want - got);
        }
        remaining_ -= want;
        if (decryptor_)
            decryptor_->decrypt(buffer, want);
        return want;
    }

private:
    ZipArchive& archive_;
    std::uint64_t remaining_;
    unzip::PkwareDecryptor* decryptor_;
    std::function<void()> poll_;
};

// Decoded pieces into the target file, with the percentages after each.
class EntrySink : public unzip::ByteSink {
public:
    EntrySink(TStream& file, std::uint64_t entrySize, std::uint64_t& totalWritten,
              std::uint64_t totalBytes, std::function<void(int, int)> progress)
        : file_(file), entrySize_(entrySize), totalWritten_(totalWritten), totalBytes_(totalBytes),
          progress_(std::move(progress)) {}

    bool write(const std::uint8_t* data, std::size_t count) override {
        if (file_.Write(data, count) != count)
            return false;
        written_ += count;
        totalWritten_ += count;
        progress_(Percent(written_, entrySize_), Percent(totalWritten_, totalBytes_));
        return true;
    }

private:
    TStream& file_;
    std::uint64_t entrySize_;
    std::uint64_t written_ = 0;
    std::uint64_t& totalWritten_;
    std::uint64_t totalBytes_;
    std::function<void(int, int)> progress_;
};

} // namespace

TQzUnZip::TQzUnZip(const Platform& platform)
    : platform_(platform), strings_(platform.resources),
      archive_(platform.files, platform.dialogs, strings_, platform.system.oemCodePage()) {}

TQzUnZip::~TQzUnZip() = default;

void TQzUnZip::SetZipName(const std::string& name) {
    if (text::equalsIgnoreCase(name, archive_.Name()))
        return;
    std::string chosen = name;
    if (!name.empty() && name.back() == '?') {
        // The folder part, empty when there is none (npos + 1 is 0).
        std::string folder = name.substr(0, name.find_last_of("\\:") + 1);
        OpenFileRequest request;
        request.title = "Open a Zip File";
        request.filter = "Zip Files (*.ZIP)|*.zip|SFX Files (*.EXE)|*.exe|Jar Files "
                         "(*.JAR)|*.jar|All Files (*.*)|*.*";
        request.initialDirectory =
            !folder.empty() && platform_.files.directoryExists(folder) ? folder : "C:\\";
        auto answer = platform_.dialogs.openFile(request);
        if (!answer)
            throw EUserCanceled("User canceled setting zip file name.");
        chosen = *answer;
    }
    archive_.SetName(chosen);
}

void TQzUnZip::SetDestDir(const std::string& dir) {
    std::string chosen = dir;
    if (dir == "?") {
        SelectFolderRequest request;
        request.initialDirectory = platform_.files.directoryExists(destDir_ + "\\")
                                       ? destDir_
                                       : platform_.files.currentDirectory();
        request.allowCreate = true;
        request.performCreate = true;
        auto answer = platform_.dialogs.selectFolder(request);
        if (!answer)
            throw EUserCanceled("User canceled Set Desination Directory");
        chosen = *answer;
    }
    if (!chosen.empty() && chosen.back() == '\\')
        chosen.pop_back();
    destDir_ = chosen;
}

void TQzUnZip::SetRootDir(const std::string& dir) {
    rootDir_ = dir;
    if (!rootDir_.empty() && rootDir_.back() != '\\')
        rootDir_ += '\\';
}

void TQzUnZip::SyncArchiveHooks() {
    archive_.oemCodePage = platform_.system.oemCodePage();
    archive_.poll = [this] { Poll(); };
    archive_.onIncompleteZip = [this](TIncompleteZipMode& mode) {
        if (OnInCompleteZip)
            OnInCompleteZip(*this, mode);
    };
    archive_.onGetNextDisk = nullptr;
    if (OnGetNextDisk)
        archive_.onGetNextDisk = [this](int n, std::string& name) {
            OnGetNextDisk(*this, n, name);
        };
}

void TQzUnZip::Poll() {
    if (DoProcessMessages)
        platform_.dialogs.processMessages();
    if (cancelRequested_) {
        cancelRequested_ = false;
        throw EUserCanceled("User Aborted Operation");
    }
}

// Handlers may ask for entries while a run works on the open archive: then
// the directory is there already and the file must stay open.
void TQzUnZip::OpenDirectory() {
    if (busy_ || archive_.Name().empty())
        return;
    SyncArchiveHooks();
    archive_.Open();
    CloseUnlessKept();
}

void TQzUnZip::CloseUnlessKept() {
    if (!KeepZipOpen && !busy_)
        archive_.CloseStream();
}

int TQzUnZip::Count() {
    OpenDirectory();
    return archive_.Count();
}

const TZipHeaderInfo& TQzUnZip::Entry(int index) {
    OpenDirectory();
    return archive_.Entry(index);
}

std::string TQzUnZip::Filename(int index) {
    return Entry(index).FileName();
}
std::string TQzUnZip::FullName(int index) {
    return Entry(index).FullName();
}

std::string TQzUnZip::FileComment(int index) {
    OpenDirectory();
    std::string comment = archive_.EntryComment(archive_.Entry(index));
    CloseUnlessKept();
    return comment;
}

std::string TQzUnZip::ZipComment() {
    OpenDirectory();
    std::string comment = archive_.ArchiveComment();
    CloseUnlessKept();
    return comment;
}

int TQzUnZip::UnZip() {
    busy_ = true;
    cancelRequested_ = false;
    int extracted = 0;
    try {
        if (destDir_ != "?") {
            SyncArchiveHooks();
            archive_.Open();
            unzip::DecoderWorkspace workspace; // the run's work buffers
            extracted = ExtractAll(workspace);
            if (!KeepZipOpen)
                archive_.CloseStream();
        }
    } catch (...) {
        if (!KeepZipOpen)
            archive_.CloseStream();
        busy_ = false;
        throw;
    }
    busy_ = false;
    return extracted;
}

int TQzUnZip::ExtractAll(unzip::DecoderWorkspace& workspace) {
    if (!destDir_.empty() && !platform_.files.directoryExists(destDir_))
        platform_.files.createDirectories(destDir_);

    // A multi-disk set is read in disk order, so that each disk is asked for once.
    TZipSortMode previous = archive_.SortMode();
    bool switchOrder = archive_.IsMultiDisk() && previous != TZipSortMode::ByNone;
    if (switchOrder)
        archive_.SetSortMode(TZipSortMode::ByNone);
    struct RestoreOrder {
        ZipArchive& archive;
        bool active;
        TZipSortMode mode;
        ~RestoreOrder() {
            if (active)
                archive.SetSortMode(mode);
        }
    } restore{archive_, switchOrder, previous};

    Run run;
    std::vector<std::string> patterns;
    for (const auto& pattern : FilesList)
        patterns.push_back(text::lower(pattern));
    int numFiles = 0;
    for (int i = 0; i < archive_.Count(); ++i) {
        TZipHeaderInfo& entry = archive_.Entry(i);
        entry.selected = DoAll;
        if (!entry.selected && (!entry.IsDirectory() || RecreateDirs)) {
            std::string name = text::lower(entry.FullName());
            entry.selected = std::any_of(patterns.begin(), patterns.end(),
                                         [&](const auto& p) { return WildcardMatch(name, p); });
        }
        if (entry.IsDirectory() && !RecreateDirs)
            entry.selected = false;
        if (entry.selected) {
            ++numFiles;
            run.totalBytes += entry.uncompressedSize;
        }
    }

    bool stop = false;
    if (OnStartUnZipInfo)
        OnStartUnZipInfo(*this, numFiles, static_cast<std::int64_t>(run.totalBytes), stop);
    if (stop || numFiles == 0)
        return 0;

    int extracted = numFiles;
    for (int i = 0; i < archive_.Count(); ++i) {
        if (!archive_.Entry(i).selected)
            continue;
        bool retry;
        bool counted;
        do {
            retry = false;
            counted = ExtractEntry(i, run, workspace, retry);
        } while (retry);
        if (!counted)
            --extracted;
    }
    return extracted;
}

std::string TQzUnZip::TargetDirectory(const TZipHeaderInfo& entry) {
    if (!RecreateDirs || entry.Directory().empty())
        return destDir_ + "\\";
    std::string dir = entry.Directory();
    if (!rootDir_.empty() && dir.size() >= rootDir_.size() &&
        text::equalsIgnoreCase(std::string_view(dir).substr(0, rootDir_.size()), rootDir_))
        dir.erase(0, rootDir_.size());
    std::string target;
    bool rooted = !dir.empty() && (dir[0] == '\\' || (dir.size() >= 2 && dir[1] == ':'));
    if (!rooted)
        target = destDir_ + "\\" + dir;
    else if (destDir_.empty())
        target = dir;
    else {
        // A drive-relative directory ("C:" or "C:sub\") still goes below
        // the destination, not beside it.
        std::string rest = dir[0] == '\\' ? dir : dir.substr(2);
        target = destDir_ + (rest.empty() || rest[0] != '\\' ? "\\" : "") + rest;
    }
    if (!platform_.files.directoryExists(target))
        platform_.files.createDirectories(target);
    return target;
}

void TQzUnZip::Skip(TSkipReason reason, const std::string& name, int index) {
    if (OnSkippingFile)
        OnSkippingFile(*this, reason, name, index);
}

// Offers the handler the chance to give another password; true when it did.
bool TQzUnZip::AskPassword(int index) {
    if (!OnBadPassword)
        return false;
    std::string newPassword = Password;
    OnBadPassword(*this, index, newPassword);
    if (newPassword == Password)
        return false;
    Password = newPassword;
    return true;
}

bool TQzUnZip::ExtractEntry(int index, Run& run, unzip::DecoderWorkspace& workspace, bool& retry) {
    TZipHeaderInfo header;
    header.Assign(archive_.Entry(index));
    const std::string fullName = header.FullName();

    if (LeavesDestination(fullName)) {
        Skip(TSkipReason::srFileOpenError, fullName, index);
        return false;
    }

    if (!header.IsDirectory()) {
        if (archive_.IsMultiDisk() && header.diskNumberStart != archive_.CurrentDisk())
            archive_.LoadDisk(header.diskNumberStart + 1);
        TLFNFileStream& in = archive_.Stream();
        in.Seek(header.relativeOffsetOfLocalHeader, soFromBeginning);
        std::uint8_t local[kLocalRecordSize];
        if (in.Read(local, sizeof local) != sizeof local)
            throw EFatalUnzipError("Premature end of file reached");
        in.Seek(Get16(local + 26) + Get16(local + 28), soFromCurrent);
    }

    std::string targetDir = TargetDirectory(header);
    if (header.IsDirectory()) {
        if (RecreateDirs && OnStartUnZip) {
            bool skip = false;
            OnStartUnZip(*this, index, targetDir, skip);
        }
        return true;
    }
    std::string target = targetDir + header.FileName();

    // Methods the reader does not know, and strong encryption, are refused
    // before anything is written.
    if (!unzip::isSupportedMethod(header.compressionMethod) ||
        (header.flags & kFlagStrongEncryption)) {
        MessageRequest request;
        request.kind = MessageKind::Plain;
        request.caption = "Zip Error";
        request.text = "Unknown Compression Method";
        platform_.dialogs.showMessage(request);
        return false;
    }

    std::optional<unzip::PkwareDecryptor> decryptor;
    std::uint64_t compressedSize = header.compressedSize;
    if (header.IsEncrypted()) {
        std::uint8_t check = unzip::PkwareDecryptor::checkByteFor(header.flags, header.crc32,
                                                                  header.lastModFileDateTime);
        std::int64_t headerStart = archive_.Stream().Position();
        for (;;) {
            std::uint8_t encryptionHeader[unzip::kEncryptionHeaderSize];
            bool complete = compressedSize >= sizeof encryptionHeader &&
                            archive_.Stream().Read(encryptionHeader, sizeof encryptionHeader) ==
                                sizeof encryptionHeader;
            decryptor.emplace(Password);
            if (complete && decryptor->checkHeader(encryptionHeader, check))
                break;
            if (!complete || !AskPassword(index)) {
                Skip(TSkipReason::srBadPassword, fullName, index);
                return false;
            }
            archive_.Stream().Seek(headerStart, soFromBeginning);
        }
        compressedSize -= unzip::kEncryptionHeaderSize;
    }
    // Where the data begins: handlers below may read comments through the
    // same file.
    const std::int64_t dataStart = archive_.Stream().Position();

    if (OverwriteMode != TUZOverwriteMode::Always && platform_.files.fileExists(target)) {
        bool overwrite = false;
        if (OverwriteMode == TUZOverwriteMode::Prompt) {
            if (OnPromptForOverwrite) {
                OnPromptForOverwrite(*this, overwrite, index, target);
            } else {
                MessageRequest request;
                request.kind = MessageKind::Plain;
                request.caption = "File Exists Alert";
                request.text = "Replace existing file " + header.FileName() + "?";
                request.buttons = {DialogButton::Yes, DialogButton::No};
                overwrite = platform_.dialogs.showMessage(request) == DialogButton::Yes;
            }
        }
        if (!overwrite) {
            Skip(TSkipReason::srNoOverwrite, fullName, index);
            return false;
        }
    }

    unzip::DecodeResult result;
    {
        TLFNFileStream out(platform_.files, target, fmCreate, strings_);
        bool skip = false;
        if (OnStartUnZip)
            OnStartUnZip(*this, index, target, skip);
        if (skip)
            return true;
        archive_.Stream().Seek(dataStart, soFromBeginning);
        EntrySource source(archive_, compressedSize, decryptor ? &*decryptor : nullptr,
                           [this] { Poll(); });
        EntrySink sink(out, header.uncompressedSize, run.totalWritten, run.totalBytes,
                       [this](int file, int total) {
                           if (OnFilePercentDone)
                               OnFilePercentDone(*this, file);
                           if (OnTotalPercentDone)
                               OnTotalPercentDone(*this, total);
                       });
        unzip::EntryCoding coding{header.compressionMethod, header.flags, header.uncompressedSize};
        result = workspace.decode(coding, source, sink);
        if (result.status == unzip::DecodeStatus::OutputRefused)
            throw EFatalUnzipError("Cannot write " + target);
    }
    // Corrupt data ends like a normal decode; the CRC check below fails it.
    platform_.files.setLastWriteTime(target, DosDateTimeToFileTime(header.lastModFileDateTime));
    if (RetainAttributes) {
        // Only the bits a file may carry; archives from other systems keep
        // their own permissions in the rest.
        std::uint32_t attributes =
            header.externalFileAttributes & (AttrReadOnly | AttrHidden | AttrSystem | AttrArchive);
        platform_.files.setAttributes(target, attributes ? attributes : AttrNormal);
    }

    if (result.crc == header.crc32) {
        if (OnEndUnZip)
            OnEndUnZip(*this, index, target);
        return true;
    }
    if (header.IsEncrypted()) {
        retry = AskPassword(index);
        if (!retry)
            Skip(TSkipReason::srBadPassword, fullName, index);
    } else if (OnBadCRC) {
        OnBadCRC(*this, result.crc, header.crc32, index);
    }
    platform_.files.setAttributes(target, AttrNormal);
    platform_.files.deleteFile(target);
    return false;
}

} // namespace qz
