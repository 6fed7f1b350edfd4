// Compressed input as a stream of bits, least significant bit of each byte
// first (the order of every ZIP method). Bytes come from the source a piece at
// a time into the caller's buffer and are moved into a 64-bit register.
//
// Past the end of the input the register is filled with zero bytes so that a
// decoder may look ahead freely; a decoder that actually consumes those bits
// has met truncated data, which refill() and checkOverrun() report as
// CorruptData.
#pragma once

#include "unzip/decoders/Decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qz::unzip {

class BitInput {
public:
    // buffer holds kPieceSize bytes, for sources that do not read in place.
    BitInput(ByteSource& source, std::uint8_t* buffer) : source_(source), buffer_(buffer) {}

    // Guarantees at least 56 bits in the register.
    void refill() {
        if (end_ - next_ >= 8) {
            // Eight bytes at once; the bytes that do not fit stay unread and
            // their bits, already above count_, are the same ones a later
            // refill puts there.
            std::uint64_t word;
            std::memcpy(&word, next_, 8);
            bits_ |= word << count_;
            next_ += (63 - count_) >> 3;
            count_ |= 56;
        } else {
            refillSlowly();
        }
    }

    void need(unsigned n) {
        if (count_ < n)
            refill();
    }
    std::uint64_t peek() const { return bits_; }
    void drop(unsigned n) {
        bits_ >>= n;
        count_ -= n;
    }
    // n <= 32 bits as a number, first bit lowest.
    std::uint32_t take(unsigned n) {
        need(n);
        const auto v = static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << n) - 1));
        drop(n);
        return v;
    }

    void alignToByte() { drop(count_ & 7); }
    // Copies count bytes at a byte boundary (after alignToByte).
    void readAligned(std::uint8_t* out, std::size_t count);

    // After need(n): whether n bits of real input remain.
    bool hasBits(unsigned n) const { return realBits() >= static_cast<std::int64_t>(n); }
    // Throws CorruptData when bits past the end of the input were consumed.
    void checkOverrun() const;

private:
    void refillSlowly();
    bool fillBuffer();
    std::int64_t realBits() const {
        return static_cast<std::int64_t>(count_) + 8 * (end_ - next_) - 8 * padding_;
    }

    ByteSource& source_;
    std::uint8_t* buffer_;
    const std::uint8_t* next_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    std::uint64_t bits_ = 0;
    unsigned count_ = 0;
    unsigned padding_ = 0; // zero bytes added after the end of the input
    bool ended_ = false;
};

} // namespace qz::unzip
