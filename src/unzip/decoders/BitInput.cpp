#include "unzip/decoders/BitInput.h"

#include "unzip/decoders/DecodeStop.h"

#include <algorithm>

namespace qz::unzip {

bool BitInput::fillBuffer() {
    if (ended_)
        return false;
    std::size_t got = kPieceSize;
    next_ = source_.readInPlace(buffer_, got);
    end_ = next_ + got;
    ended_ = got == 0;
    return got > 0;
}

void BitInput::refillSlowly() {
    while (count_ <= 56) {
        if (next_ == end_ && !fillBuffer()) {
            // Zero bytes from here on; once the decoder has eaten into them
            // the data was cut short, and refusing now also stops a decoder
            // that would otherwise read zeros for ever.
            checkOverrun();
            ++padding_;
            count_ += 8;
            continue;
        }
        bits_ |= static_cast<std::uint64_t>(*next_++) << count_;
        count_ += 8;
    }
}

void BitInput::checkOverrun() const {
    if (realBits() < 0)
        corruptData();
}

void BitInput::readAligned(std::uint8_t* out, std::size_t count) {
    for (; count > 0 && count_ >= 8; --count) {
        *out++ = static_cast<std::uint8_t>(bits_);
        drop(8);
    }
    checkOverrun();
    if (count == 0)
        return;
    // The register is empty; the bits above it belong to bytes about to be
    // copied past it, so they must not be merged into a later refill.
    bits_ = 0;
    while (count > 0) {
        if (next_ == end_ && !fillBuffer())
            corruptData();
        const std::size_t n = std::min<std::size_t>(count, end_ - next_);
        std::memcpy(out, next_, n);
        next_ += n;
        out += n;
        count -= n;
    }
}

} // namespace qz::unzip
