// The sliding dictionary of the LZ77 methods: the last 32 KiB of output,
// kept as a ring that goes to the piece writer each time it fills.
#pragma once

#include "unzip/decoders/PieceWriter.h"

#include <cstddef>
#include <cstdint>

namespace qz::unzip {

inline constexpr std::size_t kWindowSize = 32768;
// The run's slide buffer is a little longer than the ring (32 KiB + 12).
inline constexpr std::size_t kSlideBufferSize = kWindowSize + 12;

class SlideWindow {
public:
    // Bytes before the start of the entry read as zeros, as shrink, reduce
    // and implode expect.
    SlideWindow(std::uint8_t* slide, PieceWriter& out);

    void put(std::uint8_t byte) {
        slide_[pos_++] = byte;
        ++produced_;
        if (pos_ == kWindowSize)
            wrap();
    }
    // Repeats length bytes from distance (1 .. kWindowSize) back.
    void copy(std::size_t distance, std::size_t length);
    // At the end of the entry: hands the last bytes to the piece writer.
    void finish() { out_.put(slide_, pos_); }

    std::uint64_t produced() const { return produced_; }

private:
    void wrap();

    std::uint8_t* slide_;
    PieceWriter& out_;
    std::size_t pos_ = 0;
    std::uint64_t produced_ = 0;
};

} // namespace qz::unzip
