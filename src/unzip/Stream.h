// The abstract stream the reader's buffered streams are built on, and its
// file variant over the FileSystem port.
#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qz {

// Seek origins.
enum SeekOrigin : int { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;
    // Short counts are not errors: they show the end of the data or a failed write.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;
    virtual std::int64_t Size() = 0;

    std::int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }
};

// A stream over an open file of the port. The position is kept here, so
// asking for it costs no call into the system.
class TFileStream : public TStream {
public:
    explicit TFileStream(std::unique_ptr<File> file);

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    // A target before the start or refused by the system leaves the position
    // unchanged and returns -1.
    std::int64_t Seek(std::int64_t offset, int origin) override;
    std::int64_t Size() override;

    File& file() { return *file_; }

private:
    std::unique_ptr<File> file_;
    std::int64_t position_ = 0;
};

} // namespace qz
