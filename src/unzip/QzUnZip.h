// TQzUnZip: extracts the entries of a ZIP archive into a destination folder,
// checks each one's CRC-32, gives it its stored date and attributes, and
// reports progress and asks for decisions through events.
#pragma once

#include "platform/Platform.h"
#include "unzip/StringResource.h"
#include "unzip/ZipArchive.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qz {

namespace unzip {
class DecoderWorkspace;
class ReadAhead;
struct RecordedDecode;
} // namespace unzip

enum class TUZOverwriteMode { Prompt, Always, Never };
enum class TSkipReason { srBadPassword, srNoOverwrite, srFileOpenError };

class TQzUnZip {
public:
    explicit TQzUnZip(const Platform& platform);
    ~TQzUnZip();
    TQzUnZip(const TQzUnZip&) = delete;
    TQzUnZip& operator=(const TQzUnZip&) = delete;

    // Published properties, in their order.
    int ThisVersion() const { return 217; }
    const std::string& ZipName() const { return archive_.Name(); }
    // A name ending in "?" asks for the file; the same name in other letter
    // case keeps the directory already read.
    void SetZipName(const std::string& name);
    const std::string& DestDir() const { return destDir_; }
    // "?" asks for the folder.
    void SetDestDir(const std::string& dir);
    const std::string& RootDir() const { return rootDir_; }
    void SetRootDir(const std::string& dir);
    TZipSortMode SortMode() const { return archive_.SortMode(); }
    void SetSortMode(TZipSortMode mode);
    bool RecreateDirs = false;
    TUZOverwriteMode OverwriteMode = TUZOverwriteMode::Prompt;
    std::vector<std::string> FilesList;
    bool DoAll = false;
    TIncompleteZipMode IncompleteZipMode() const { return archive_.incompleteZipMode; }
    void SetIncompleteZipMode(TIncompleteZipMode mode) { archive_.incompleteZipMode = mode; }
    bool KeepZipOpen = false;
    // The window's queue runs at the first of every PollsPerMessages polls
    // of a run (a poll comes with each read of an entry's data, about 16 kB):
    // a window that runs its queue every quarter megabyte stays responsive,
    // and one pass of the queue costs more than writing the piece.
    bool DoProcessMessages = true;
    static constexpr int PollsPerMessages = 16;
    bool RetainAttributes = true;

    std::string Password;

    // Threads that decode entries ahead while this one raises the events and
    // writes the files, in the order and with the results of decoding every
    // entry here; 0 decodes every entry on this thread. Multi-disk sets
    // always do.
    int DecodeThreads = DefaultDecodeThreads();
    // Memory for entries decoded ahead (their data in and out); an entry
    // that needs more is decoded on this thread when its turn comes.
    std::size_t DecodeAheadBudget = std::size_t{64} << 20;
    // One fewer than the processor runs at once (at least one, at most a few).
    static int DefaultDecodeThreads();

    // Published events, in their order.
    std::function<void(TQzUnZip& sender, int numFiles, std::int64_t totalBytes, bool& stopNow)>
        OnStartUnZipInfo;
    std::function<void(TQzUnZip& sender, int percent)> OnFilePercentDone;
    std::function<void(TQzUnZip& sender, int percent)> OnTotalPercentDone;
    std::function<void(TQzUnZip& sender, int fileIndex, const std::string& fName, bool& skip)>
        OnStartUnZip;
    std::function<void(TQzUnZip& sender, int fileIndex, const std::string& fName)> OnEndUnZip;
    std::function<void(TQzUnZip& sender, bool& overWriteIt, int fileIndex, std::string& fName)>
        OnPromptForOverwrite;
    std::function<void(TQzUnZip& sender, TSkipReason reason, const std::string& fName,
                       int fileIndex)>
        OnSkippingFile;
    std::function<void(TQzUnZip& sender, int fileIndex, std::string& newPassword)> OnBadPassword;
    std::function<void(TQzUnZip& sender, std::uint32_t calcCRC, std::uint32_t storedCRC,
                       int fileIndex)>
        OnBadCRC;
    std::function<void(TQzUnZip& sender, TIncompleteZipMode& incompleteMode)> OnInCompleteZip;
    std::function<void(TQzUnZip& sender, int nextDisk, std::string& fName)> OnGetNextDisk;

    // Extracts the selected entries; the number of files extracted.
    int UnZip();
    // Asks a running operation to stop; it raises EUserCanceled at its next
    // look at the flag.
    void Cancel() { cancelRequested_ = true; }
    // While the archive is being read: a run, or its directory for an
    // accessor. Handlers called then may use the accessors below; setting
    // ZipName or SortMode, CloseArchive and UnZip raise EUnzipError.
    bool Busy() const { return busy_; }
    // Frees the directory and clears ZipName.
    void CloseArchive();

    // Entries of the current view (reading the directory when needed); an
    // index outside raises EListError. While the directory is being read
    // there are none.
    int Count();
    std::string Filename(int index);
    std::string FullName(int index);
    std::string FileComment(int index);
    std::string ZipComment();
    const TZipHeaderInfo& Entry(int index);

private:
    struct Run;

    void RefuseWhileBusy(const char* operation) const;
    void SyncArchiveHooks();
    void Poll();
    void OpenDirectory();
    void CloseUnlessKept();
    int ExtractAll(unzip::DecoderWorkspace& workspace);
    // Returns whether the entry counts as extracted; sets retry when a new
    // password asks for another attempt. With decoded (decoded ahead with the
    // current password, whose header check passed) the entry's data is not
    // read from the archive again.
    bool ExtractEntry(int index, Run& run, unzip::DecoderWorkspace& workspace, bool& retry,
                      const unzip::RecordedDecode* decoded);
    // Nothing when the entry's folder would leave DestDir.
    std::optional<std::string> TargetDirectory(const TZipHeaderInfo& entry) const;
    bool AskPassword(int index);
    void Skip(TSkipReason reason, const std::string& name, int index);

    const Platform& platform_;
    StringLookup strings_;
    ZipArchive archive_;
    std::string destDir_;
    std::string rootDir_;
    bool cancelRequested_ = false;
    int pollsSinceMessages_ = 0;
    bool busy_ = false;
};

} // namespace qz
