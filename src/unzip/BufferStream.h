// Buffered streams: every archive read and every extracted file goes through
// one buffer, so that small header reads and single bytes do not each reach
// the file system.
#pragma once

#include "unzip/Stream.h"
#include "unzip/StringResource.h"

#include <functional>
#include <string>
#include <vector>

namespace qz {

// Buffer size of every buffered stream created from now on.
inline std::size_t DefaultBufferSize = 8192;

class TS_BufferStream : public TStream {
public:
    enum class State { Unknown = 0, Reading = 1, Writing = 2 };

    // The underlying stream is not owned; error texts come from "S_STREAM".
    TS_BufferStream(TStream& underlying, StringLookup& strings,
                    std::size_t bufferSize = DefaultBufferSize);
    // Writes a pending write buffer.
    ~TS_BufferStream() override;
    TS_BufferStream(const TS_BufferStream&) = delete;
    TS_BufferStream& operator=(const TS_BufferStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    // Origin 2 counts back from the end whatever the offset's sign.
    std::int64_t Seek(std::int64_t offset, int origin) override;
    // Unflushed bytes count.
    std::int64_t Size() override;

    bool FillBuffer();
    bool FlushBuffer();
    // Makes the next read return this byte again.
    void PutBack(std::uint8_t byte);

    State state() const { return state_; }
    std::size_t bufferSize() const { return buffer_.size(); }

    std::function<void()> OnFillBuffer;
    std::function<void()> OnFlushBuffer;

private:
    // Bytes between the underlying position and the logical one.
    std::int64_t bufferedOffset() const;
    std::uint8_t* start() { return buffer_.data(); }

    TStream& stream_;
    StringLookup& strings_;
    std::vector<std::uint8_t> buffer_;
    std::uint8_t* current_ = nullptr; // none: nothing buffered yet
    std::uint8_t* end_ = nullptr;
    State state_ = State::Unknown;
};

// Open modes, as the run time's file streams take them.
enum : std::uint16_t {
    fmOpenRead = 0x0000,
    fmShareDenyWrite = 0x0020,
    fmCreate = 0xFFFF,
};

namespace detail {
// Opens the file before the buffered stream over it is built, and closes it
// after that stream has written its last buffer.
struct OwnedFileStream {
    OwnedFileStream(FileSystem& files, const std::string& fileName, std::uint16_t mode);
    std::unique_ptr<TFileStream> file_;
};
} // namespace detail

// A buffered stream over a file it opens and owns. Raises EFOpenError when
// the file cannot be opened.
class TLFNFileStream : private detail::OwnedFileStream, public TS_BufferStream {
public:
    TLFNFileStream(FileSystem& files, const std::string& fileName, std::uint16_t mode,
                   StringLookup& strings, std::size_t bufferSize = DefaultBufferSize);

    // The file's last write time (the archive's "date").
    std::optional<FileTime> fileDate() const;
    // Writes what the buffer holds and closes the file; false when either
    // fails, which is where a full disk shows. Nothing but destruction may
    // follow.
    bool Close();
    // The underlying file, for setting its date after writing.
    File& file() { return file_->file(); }
};

} // namespace qz
