#include "unzip/decoders/Unreduce.h"

#include "unzip/decoders/DecodeStop.h"

#include <algorithm>
#include <bit>

namespace qz::unzip {

namespace {

constexpr std::uint8_t kDle = 144;

// Bits of an index into a follower set of n bytes: enough for n - 1, and at
// least one.
unsigned indexBits(unsigned n) {
    return n <= 2 ? 1 : std::bit_width(n - 1);
}

class Unreducer {
public:
    Unreducer(ReduceTables& tables, BitInput& in, SlideWindow& out, unsigned factor)
        : t_(tables), in_(in), out_(out), factor_(factor) {}

    void run(std::uint64_t size) {
        readFollowerSets();
        // The expansion state machine, fed one byte at a time from the
        // follower-set stage.
        enum { Plain, AfterDle, LengthByte, DistanceByte } state = Plain;
        const unsigned lengthMask = 0x7Fu >> (factor_ - 1);
        unsigned v = 0;
        std::size_t length = 0;
        while (out_.produced() < size) {
            const std::uint8_t c = nextByte();
            switch (state) {
            case Plain:
                if (c == kDle)
                    state = AfterDle;
                else
                    out_.put(c);
                break;
            case AfterDle:
                if (c == 0) {
                    out_.put(kDle);
                    state = Plain;
                } else {
                    v = c;
                    length = v & lengthMask;
                    state = length == lengthMask ? LengthByte : DistanceByte;
                }
                break;
            case LengthByte:
                length += c;
                state = DistanceByte;
                break;
            case DistanceByte: {
                const std::size_t distance = (v >> (8 - factor_)) * 256 + c + 1;
                out_.copy(distance, std::min<std::uint64_t>(length + 3, size - out_.produced()));
                state = Plain;
                break;
            }
            }
        }
        in_.checkOverrun();
    }

private:
    // Stored from the set of byte 255 down to that of byte 0.
    void readFollowerSets() {
        for (int j = 255; j >= 0; --j) {
            const unsigned n = in_.take(6);
            if (n > 32)
                corruptData();
            t_.followerCount[j] = static_cast<std::uint8_t>(n);
            for (unsigned i = 0; i < n; ++i)
                t_.followers[j][i] = static_cast<std::uint8_t>(in_.take(8));
        }
    }

    // One byte of the follower-set stage.
    std::uint8_t nextByte() {
        const unsigned n = t_.followerCount[last_];
        if (n == 0 || in_.take(1) != 0) {
            last_ = static_cast<std::uint8_t>(in_.take(8));
        } else {
            const unsigned i = in_.take(indexBits(n));
            if (i >= n)
                corruptData();
            last_ = t_.followers[last_][i];
        }
        return last_;
    }

    ReduceTables& t_;
    BitInput& in_;
    SlideWindow& out_;
    unsigned factor_;
    std::uint8_t last_ = 0;
};

} // namespace

void unreduce(ReduceTables& tables, BitInput& in, SlideWindow& out, unsigned factor,
              std::uint64_t size) {
    Unreducer(tables, in, out, factor).run(size);
}

} // namespace qz::unzip
