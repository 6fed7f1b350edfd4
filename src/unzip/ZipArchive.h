// An open ZIP archive as the reader sees it: its file (or the current disk of
// a multi-disk set), the end record, the entries in physical order (the main
// list) and the current view in the chosen sort order. Reads the directory
// from the central records, or rebuilds it from the local headers when the
// central directory is not where the end record says.
#pragma once

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "unzip/BufferStream.h"
#include "unzip/SortedZip.h"
#include "unzip/ZipHeaders.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace qz {

enum class TIncompleteZipMode { izAssumeMulti, izAssumeBad };

enum class DiskMode { Single, Diskettes, SplitFiles };

class ZipArchive {
public:
    ZipArchive(FileSystem& files, Dialogs& dialogs, StringLookup& strings, const CodePages& pages,
               unsigned oemCodePage);
    ~ZipArchive();

    // The archive's path. Setting it discards the directory and closes the file.
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);

    // Opens the file when it is closed and reads the directory when none has
    // been read or the file's date has changed since. Raises EIncompleteZip,
    // EBadZipFile, EUserCanceled; the archive is closed after such a failure.
    void Open();
    // Closes the file; the directory stays.
    void CloseStream();
    // Frees the directory, resets the end record and the disk state, clears the name.
    void Close();
    // The open file (Open first).
    TLFNFileStream& Stream() { return *stream_; }

    // Entries of the current view; an index outside raises EListError.
    // While the directory is being read there are none.
    int Count() const { return view_ ? main_->Count() : 0; }
    TZipHeaderInfo& Entry(int index) const;
    // Indexes of the view refer to the main list's entries in this order.
    TZipSortMode SortMode() const { return sortMode_; }
    void SetSortMode(TZipSortMode mode);
    // The view is the main list itself in physical order.
    bool ViewIsMainList() const { return view_ == main_.get(); }

    const TEndCentral& EndCentral() const { return end_; }
    // Read with the end record.
    std::string ArchiveComment() const { return end_.comment.value_or(std::string()); }
    // Read on first use and kept (Open first). The file's position stays
    // where it was, so that a run reading the file can ask too.
    std::string EntryComment(TZipHeaderInfo& entry);

    DiskMode Mode() const { return diskMode_; }
    bool IsMultiDisk() const { return diskMode_ != DiskMode::Single; }
    int CurrentDisk() const { return currentDisk_; }
    // Makes disk n (1-based) of a multi-disk set the open file; raises
    // EUserCanceled when the user gives no name.
    void LoadDisk(int n);

    // Names without the UTF-8 flag are read in this code page.
    unsigned oemCodePage;
    TIncompleteZipMode incompleteZipMode = TIncompleteZipMode::izAssumeMulti;
    bool checkVolumeLabels = true;
    // May change incompleteZipMode when the end record is missing.
    std::function<void(TIncompleteZipMode&)> onIncompleteZip;
    // Names the file of disk n (1-based); FName comes in as the current
    // name, and an empty one cancels. Unset: the default of the disk mode.
    std::function<void(int n, std::string& fileName)> onGetNextDisk;
    // Called while long work runs: lets messages run and raises EUserCanceled
    // when a cancel was requested.
    std::function<void()> poll;

private:
    void ReadDirectory();
    bool ReadEndRecord();
    bool ReadCentralRecord(TZipHeaderInfo& header);
    bool ReadLocalRecord(TZipHeaderInfo& header);
    bool ScanLocalHeaders();
    void RefuseZip64(std::int64_t endRecordPosition);
    [[noreturn]] void Fail(const char* error, bool incomplete);
    void FreeLists();
    void OpenFile(const std::string& name);
    std::string DefaultDiskName(int n, const std::string& current);
    std::string Convert(std::string_view stored, std::uint16_t flags) const;

    FileSystem& files_;
    Dialogs& dialogs_;
    StringLookup& strings_;
    const CodePages& pages_; // entry names and comments without the UTF-8 flag

    std::string name_;
    std::unique_ptr<TLFNFileStream> stream_;
    std::optional<FileTime> fileDate_;
    bool directoryRead_ = false;
    TEndCentral end_;
    std::unique_ptr<TSortedZip> main_;
    std::unique_ptr<TSortedZip> sortedView_;
    TSortedZip* view_ = nullptr;
    TZipSortMode sortMode_ = TZipSortMode::ByNone;
    DiskMode diskMode_ = DiskMode::Single;
    int currentDisk_ = 0;
};

} // namespace qz
