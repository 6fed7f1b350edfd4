#include "unzip/BufferStream.h"

#include "unzip/Errors.h"

#include <algorithm>
#include <cstring>

namespace qz {

TS_BufferStream::TS_BufferStream(TStream& underlying, StringLookup& strings, std::size_t bufferSize)
    : stream_(underlying), strings_(strings), buffer_(bufferSize) {}

TS_BufferStream::~TS_BufferStream() {
    if (state_ == State::Writing)
        FlushBuffer();
}

std::int64_t TS_BufferStream::bufferedOffset() const {
    if (state_ == State::Reading)
        return current_ - end_;
    if (state_ == State::Writing)
        return current_ - buffer_.data();
    return 0;
}

bool TS_BufferStream::FillBuffer() {
    std::size_t n = stream_.Read(start(), buffer_.size());
    current_ = start();
    end_ = start() + n;
    state_ = n > 0 ? State::Reading : State::Unknown;
    if (OnFillBuffer)
        OnFillBuffer();
    return n > 0;
}

bool TS_BufferStream::FlushBuffer() {
    std::size_t pending = current_ ? static_cast<std::size_t>(current_ - start()) : 0;
    bool complete = stream_.Write(start(), pending) == pending;
    current_ = start();
    state_ = State::Unknown;
    if (OnFlushBuffer)
        OnFlushBuffer();
    return complete;
}

std::size_t TS_BufferStream::Read(void* buffer, std::size_t count) {
    if (state_ == State::Writing)
        FlushBuffer();
    if (state_ != State::Reading)
        current_ = end_ = start(); // used up
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (current_ >= end_ && !FillBuffer())
            break;
        std::size_t n = std::min<std::size_t>(end_ - current_, count - done);
        std::memcpy(out + done, current_, n);
        current_ += n;
        done += n;
    }
    return done;
}

std::size_t TS_BufferStream::Write(const void* buffer, std::size_t count) {
    if (state_ == State::Reading) {
        stream_.Seek(stream_.Position() + bufferedOffset(), soFromBeginning);
        state_ = State::Unknown;
    }
    if (state_ != State::Writing) {
        current_ = start();
        end_ = start() + buffer_.size();
        state_ = State::Writing;
    }
    auto* in = static_cast<const std::uint8_t*>(buffer);
    std::size_t done = 0;
    std::size_t inBuffer = 0; // bytes of this call not yet written through
    while (done < count) {
        std::size_t n = std::min<std::size_t>(end_ - current_, count - done);
        std::memcpy(current_, in + done, n);
        current_ += n;
        done += n;
        inBuffer += n;
        if (current_ == end_) {
            if (!FlushBuffer()) {
                done -= inBuffer;
                break;
            }
            end_ = start() + buffer_.size();
            inBuffer = 0;
        }
    }
    state_ = current_ > start() ? State::Writing : State::Unknown;
    return done;
}

std::int64_t TS_BufferStream::Size() {
    return std::max(stream_.Size(), stream_.Position() + bufferedOffset());
}

std::int64_t TS_BufferStream::Seek(std::int64_t offset, int origin) {
    std::int64_t logical = stream_.Position() + bufferedOffset();
    std::int64_t target;
    switch (origin) {
    case soFromBeginning:
        target = offset;
        break;
    case soFromCurrent:
        target = logical + offset;
        break;
    case soFromEnd:
        target = Size() - (offset < 0 ? -offset : offset);
        break;
    default:
        throw EUnzipError(formatMessage(strings_.lookup(kStreamStrings, SInvalidSeekOrigin),
                                        static_cast<long long>(origin)));
    }
    if (target == logical)
        return target;
    if (state_ == State::Writing && !FlushBuffer())
        throw EStreamError(strings_.lookup(kStreamStrings, SSeekError));
    current_ = nullptr;
    state_ = State::Unknown;
    // A target the underlying stream refuses is an error too, never a silent
    // stay at the old place.
    if (stream_.Seek(target, soFromBeginning) != target)
        throw EStreamError(strings_.lookup(kStreamStrings, SSeekError));
    return target;
}

void TS_BufferStream::PutBack(std::uint8_t byte) {
    if (current_ == nullptr || current_ <= start())
        throw EStreamError(strings_.lookup(kStreamStrings, SPutbackOverflow));
    *--current_ = byte;
}

namespace detail {

OwnedFileStream::OwnedFileStream(FileSystem& files, const std::string& fileName,
                                 std::uint16_t mode) {
    // The low two bits say read, write or both; the share bits have no
    // counterpart in the port.
    OpenMode openMode = mode == fmCreate           ? OpenMode::Create
                        : (mode & 3) == fmOpenRead ? OpenMode::Read
                                                   : OpenMode::ReadWrite;
    auto file = files.open(fileName, openMode);
    if (!file)
        throw EFOpenError(formatMessage("Cannot open file \"%s\"", fileName));
    file_ = std::make_unique<TFileStream>(std::move(file));
}

} // namespace detail

TLFNFileStream::TLFNFileStream(FileSystem& files, const std::string& fileName, std::uint16_t mode,
                               StringLookup& strings, std::size_t bufferSize)
    : OwnedFileStream(files, fileName, mode), TS_BufferStream(*file_, strings, bufferSize) {}

std::optional<FileTime> TLFNFileStream::fileDate() const {
    return file_->file().lastWriteTime();
}

bool TLFNFileStream::Close() {
    bool flushed = state() != State::Writing || FlushBuffer();
    bool closed = file_->file().close();
    return flushed && closed;
}

} // namespace qz
