#include "unzip/Stream.h"

namespace qz {

TFileStream::TFileStream(std::unique_ptr<File> file) : file_(std::move(file)) {
    position_ = static_cast<std::int64_t>(file_->position());
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    std::size_t n = file_->read(buffer, count);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    std::size_t n = file_->write(buffer, count);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::int64_t TFileStream::Seek(std::int64_t offset, int origin) {
    std::int64_t target = offset;
    if (origin == soFromCurrent)
        target = position_ + offset;
    else if (origin == soFromEnd)
        target = Size() + offset;
    if (target == position_)
        return target;
    if (target < 0 || !file_->seek(static_cast<std::uint64_t>(target)))
        return -1;
    position_ = target;
    return target;
}

std::int64_t TFileStream::Size() {
    return static_cast<std::int64_t>(file_->size());
}

} // namespace qz
