#include "unzip/QzUnZip.h"

#include "text/Text.h"
#include "unzip/Errors.h"
#include "unzip/LittleEndian.h"
#include "unzip/ReadAhead.h"
#include "unzip/WildcardMatch.h"
#include "unzip/decoders/Decoder.h"
#include "unzip/decoders/PkwareDecryptor.h"
#include "unzip/decoders/RecordedDecode.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace qz {
namespace {

constexpr std::size_t kLocalRecordSize = 30;

// An extracted file is written in blocks of up to a quarter megabyte (whole
// pages): under Wine a write call for every 8 kB cost the installer a tenth
// of its time. A smaller file gets a buffer of its own size.
std::size_t OutputBufferSize(std::uint64_t fileSize) {
    constexpr std::uint64_t kLargest = 256 * 1024;
    return static_cast<std::size_t>(
        std::clamp<std::uint64_t>(fileSize, DefaultBufferSize, kLargest));
}

int Percent(std::uint64_t part, std::uint64_t whole) {
    if (whole == 0)
        return 0;
    double percent = std::round(static_cast<double>(part) * 100.0 / static_cast<double>(whole));
    return percent > 100 ? 100 : static_cast<int>(percent);
}

// A name that leads out of its folder, or that no Windows file or folder
// can bear (a colon names a drive or a data stream).
bool Unsafe(std::string_view name) {
    return name == ".." || name.find(':') != std::string_view::npos;
}

// Whether every component of a relative path stays below where it starts.
bool StaysBelow(std::string_view path) {
    std::size_t start = 0;
    for (;;) {
        std::size_t end = path.find('\\', start);
        if (Unsafe(path.substr(start, end == std::string_view::npos ? end : end - start)))
            return false;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

// Marks the component busy for as long as it lives.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

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
      archive_(platform.files, platform.dialogs, strings_, platform.system.codePages(),
               platform.system.oemCodePage()) {}

int TQzUnZip::DefaultDecodeThreads() {
    return unzip::DecodePool::threadsForThisProcessor();
}

TQzUnZip::~TQzUnZip() = default;

void TQzUnZip::RefuseWhileBusy(const char* operation) const {
    if (busy_)
        throw EUnzipError(
            formatMessage("%s is not allowed while the archive is in use", operation));
}

void TQzUnZip::SetZipName(const std::string& name) {
    if (text::equalsIgnoreCase(name, archive_.Name()))
        return;
    RefuseWhileBusy("ZipName");
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

void TQzUnZip::SetSortMode(TZipSortMode mode) {
    RefuseWhileBusy("SortMode");
    archive_.SetSortMode(mode);
}

void TQzUnZip::CloseArchive() {
    RefuseWhileBusy("CloseArchive");
    archive_.Close();
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
    if (DoProcessMessages && pollsSinceMessages_++ % PollsPerMessages == 0)
        platform_.dialogs.processMessages();
    if (cancelRequested_) {
        cancelRequested_ = false;
        throw EUserCanceled("User Aborted Operation");
    }
}

// Handlers may ask for entries while the archive is being read: then the
// directory is there already (or being read) and the file must stay open.
void TQzUnZip::OpenDirectory() {
    if (busy_ || archive_.Name().empty())
        return;
    SyncArchiveHooks();
    {
        BusyScope busy(busy_);
        archive_.Open();
    }
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
    RefuseWhileBusy("UnZip");
    BusyScope busy(busy_);
    cancelRequested_ = false;
    pollsSinceMessages_ = 0;
    if (destDir_ == "?")
        return 0;
    int extracted;
    try {
        SyncArchiveHooks();
        archive_.Open();
        unzip::DecoderWorkspace workspace; // the run's work buffers
        extracted = ExtractAll(workspace);
    } catch (...) {
        if (!KeepZipOpen)
            archive_.CloseStream();
        throw;
    }
    if (!KeepZipOpen)
        archive_.CloseStream();
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
    int numFiles = 0;
    for (int i = 0; i < archive_.Count(); ++i) {
        TZipHeaderInfo& entry = archive_.Entry(i);
        entry.selected = DoAll;
        if (!entry.selected && (!entry.IsDirectory() || RecreateDirs))
            entry.selected = MatchesAnyPattern(entry.FullName(), FilesList);
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

    std::vector<int> order;
    for (int i = 0; i < archive_.Count(); ++i)
        if (archive_.Entry(i).selected)
            order.push_back(i);
    // Decoding ahead keeps every event and cancel point where it is, as long
    // as the archive is one file. While this thread waits for an entry's
    // decoding the window's queue keeps running; a cancel asked for then
    // is taken at the next poll, as on one thread.
    std::optional<unzip::ReadAhead> ahead;
    if (DecodeThreads > 0 && !archive_.IsMultiDisk())
        ahead.emplace(platform_.files, archive_, order, DecodeAheadBudget, DecodeThreads, [this] {
            if (DoProcessMessages)
                platform_.dialogs.processMessages();
        });

    int extracted = numFiles;
    for (int i : order) {
        // A retry has a new password: the entry is read again.
        const unzip::RecordedDecode* decoded = ahead ? ahead->take(i, Password) : nullptr;
        bool retry;
        bool counted;
        do {
            retry = false;
            counted = ExtractEntry(i, run, workspace, retry, decoded);
            decoded = nullptr;
        } while (retry);
        if (!counted)
            --extracted;
    }
    return extracted;
}

// Every rewrite of the entry's folder (RootDir, drive and leading "\" taken
// off) comes first; the folder that results is checked here, once.
std::optional<std::string> TQzUnZip::TargetDirectory(const TZipHeaderInfo& entry) const {
    if (!RecreateDirs || entry.Directory().empty())
        return destDir_ + "\\";
    std::string dir = entry.Directory();
    if (!rootDir_.empty() && dir.size() >= rootDir_.size() &&
        text::equalsIgnoreCase(std::string_view(dir).substr(0, rootDir_.size()), rootDir_))
        dir.erase(0, rootDir_.size());
    bool drive = dir.size() >= 2 && dir[1] == ':';
    std::string relative = drive ? dir.substr(2) : dir;
    relative.erase(0, relative.find_first_not_of('\\'));
    if (!StaysBelow(relative))
        return std::nullopt;
    // Without a destination a rooted folder is taken as it stands.
    bool rooted = drive || (!dir.empty() && dir[0] == '\\');
    if (rooted && destDir_.empty())
        return dir;
    // A drive-relative folder ("C:" or "C:sub\") still goes below the
    // destination, not beside it.
    return destDir_ + "\\" + relative;
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

bool TQzUnZip::ExtractEntry(int index, Run& run, unzip::DecoderWorkspace& workspace, bool& retry,
                            const unzip::RecordedDecode* decoded) {
    TZipHeaderInfo header;
    header.Assign(archive_.Entry(index));
    const std::string fullName = header.FullName();

    std::optional<std::string> targetDir = TargetDirectory(header);
    if (!targetDir || Unsafe(header.FileName())) {
        Skip(TSkipReason::srFileOpenError, fullName, index);
        return false;
    }

    if (!header.IsDirectory() && !decoded) {
        if (archive_.IsMultiDisk() && header.diskNumberStart != archive_.CurrentDisk())
            archive_.LoadDisk(header.diskNumberStart + 1);
        TLFNFileStream& in = archive_.Stream();
        in.Seek(header.relativeOffsetOfLocalHeader, soFromBeginning);
        std::uint8_t local[kLocalRecordSize];
        if (in.Read(local, sizeof local) != sizeof local)
            throw EFatalUnzipError("Premature end of file reached");
        in.Seek(Get16(local + 26) + Get16(local + 28), soFromCurrent);
    }

    if (!platform_.files.directoryExists(*targetDir))
        platform_.files.createDirectories(*targetDir);
    if (header.IsDirectory()) {
        if (RecreateDirs && OnStartUnZip) {
            bool skip = false;
            OnStartUnZip(*this, index, *targetDir, skip);
        }
        return true;
    }
    std::string target = *targetDir + header.FileName();

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
    if (header.IsEncrypted() && !decoded) {
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

    std::optional<unzip::DecodeResult> result; // none: skipped at the start
    bool written;
    {
        TLFNFileStream out(platform_.files, target, fmCreate, strings_,
                           OutputBufferSize(header.uncompressedSize));
        bool skip = false;
        if (OnStartUnZip)
            OnStartUnZip(*this, index, target, skip);
        if (!skip) {
            EntrySink sink(out, header.uncompressedSize, run.totalWritten, run.totalBytes,
                           [this](int file, int total) {
                               if (OnFilePercentDone)
                                   OnFilePercentDone(*this, file);
                               if (OnTotalPercentDone)
                                   OnTotalPercentDone(*this, total);
                           });
            if (decoded) {
                result = unzip::replay(*decoded, sink, [this] { Poll(); });
            } else {
                EntrySource source(archive_, compressedSize, decryptor ? &*decryptor : nullptr,
                                   [this] { Poll(); });
                unzip::EntryCoding coding{header.compressionMethod, header.flags,
                                          header.uncompressedSize};
                result = workspace.decode(coding, source, sink);
            }
        }
        // The last piece reaches the file only at the close, where a full
        // disk may show too.
        written = (!result || result->status != unzip::DecodeStatus::OutputRefused) && out.Close();
    }
    if (!written) {
        platform_.files.deleteFile(target);
        throw EFatalUnzipError("Cannot write " + target);
    }
    if (!result)
        return true; // the empty file stays and counts
    // Corrupt data ends like a normal decode; the CRC check below fails it.
    if (auto stamp = platform_.system.dosDateTimeToFileTime(header.lastModFileDateTime))
        platform_.files.setLastWriteTime(target, *stamp);
    if (RetainAttributes) {
        // Only the bits a file may carry; archives from other systems keep
        // their own permissions in the rest.
        std::uint32_t attributes =
            header.externalFileAttributes & (AttrReadOnly | AttrHidden | AttrSystem | AttrArchive);
        platform_.files.setAttributes(target, attributes ? attributes : AttrNormal);
    }

    if (result->crc == header.crc32) {
        if (OnEndUnZip)
            OnEndUnZip(*this, index, target);
        return true;
    }
    if (header.IsEncrypted()) {
        retry = AskPassword(index);
        if (!retry)
            Skip(TSkipReason::srBadPassword, fullName, index);
    } else if (OnBadCRC) {
        OnBadCRC(*this, result->crc, header.crc32, index);
    }
    platform_.files.setAttributes(target, AttrNormal);
    platform_.files.deleteFile(target);
    return false;
}

} // namespace qz
