#include "unzip/decoders/Unshrink.h"

#include "unzip/decoders/DecodeStop.h"

#include <algorithm>

namespace qz::unzip {

namespace {

constexpr std::uint16_t kFree = 0xFFFF;
constexpr unsigned kControl = 256; // followed by 1 (wider codes) or 2 (partial clear)
constexpr unsigned kFirstString = 257;
constexpr unsigned kFirstCodeSize = 9;
constexpr unsigned kLastCodeSize = 13;

class Unshrinker {
public:
    Unshrinker(ShrinkTables& tables, BitInput& in, PieceWriter& out)
        : t_(tables), in_(in), out_(out) {
        std::fill(t_.prefix.begin() + kFirstString, t_.prefix.end(), kFree);
    }

    void run(std::uint64_t size) {
        std::uint64_t produced = 0;
        while (produced < size) {
            in_.need(codeSize_);
            if (!in_.hasBits(codeSize_))
                break; // the input ends here; a short last code is padding
            const unsigned code = in_.take(codeSize_);
            if (code == kControl) {
                control();
                continue;
            }
            const std::size_t top = expand(code);
            const std::size_t n = std::min<std::uint64_t>(kShrinkCodes - top, size - produced);
            out_.put(t_.stack.data() + top, n);
            produced += n;
        }
        in_.checkOverrun();
    }

private:
    void control() {
        in_.need(codeSize_);
        if (!in_.hasBits(codeSize_))
            corruptData();
        const unsigned what = in_.take(codeSize_);
        if (what == 1 && codeSize_ < kLastCodeSize)
            ++codeSize_;
        else if (what == 2)
            partialClear();
        else
            corruptData();
    }

    // Every string code that is no other string's prefix becomes free.
    void partialClear() {
        std::fill(t_.isPrefix.begin(), t_.isPrefix.end(), false);
        for (unsigned c = kFirstString; c < kShrinkCodes; ++c)
            if (t_.prefix[c] != kFree)
                t_.isPrefix[t_.prefix[c]] = true;
        for (unsigned c = kFirstString; c < kShrinkCodes; ++c)
            if (t_.prefix[c] != kFree && !t_.isPrefix[c])
                t_.prefix[c] = kFree;
        nextFree_ = freeCodeFrom(kFirstString);
    }

    unsigned freeCodeFrom(unsigned c) const {
        while (c < kShrinkCodes && t_.prefix[c] != kFree)
            ++c;
        return c;
    }

    // Builds the string of code at the end of the stack, adds the new string
    // (previous string + this one's first byte), and returns where it starts.
    std::size_t expand(unsigned code) {
        if (previous_ < 0) {
            if (code >= kControl)
                corruptData();
            previous_ = static_cast<int>(code);
            t_.stack[kShrinkCodes - 1] = static_cast<std::uint8_t>(code);
            return kShrinkCodes - 1;
        }
        std::size_t top = kShrinkCodes;
        unsigned c = code;
        const bool unknown = code >= kFirstString && t_.prefix[code] == kFree;
        if (unknown) {
            // Only the code about to be made can be used before it exists:
            // the previous string followed by its own first byte.
            if (code != nextFree_)
                corruptData();
            --top;
            c = static_cast<unsigned>(previous_);
        }
        while (c >= kFirstString) {
            if (top == 0 || t_.prefix[c] == kFree)
                corruptData(); // a loop or a hole: no string is that long
            t_.stack[--top] = t_.last[c];
            c = t_.prefix[c];
        }
        if (top == 0)
            corruptData();
        const auto first = static_cast<std::uint8_t>(c);
        t_.stack[--top] = first;
        if (unknown)
            t_.stack[kShrinkCodes - 1] = first;

        if (nextFree_ < kShrinkCodes) {
            t_.prefix[nextFree_] = static_cast<std::uint16_t>(previous_);
            t_.last[nextFree_] = first;
            nextFree_ = freeCodeFrom(nextFree_ + 1);
        }
        previous_ = static_cast<int>(code);
        return top;
    }

    ShrinkTables& t_;
    BitInput& in_;
    PieceWriter& out_;
    unsigned codeSize_ = kFirstCodeSize;
    unsigned nextFree_ = kFirstString;
    int previous_ = -1;
};

} // namespace

void unshrink(ShrinkTables& tables, BitInput& in, PieceWriter& out, std::uint64_t size) {
    Unshrinker(tables, in, out).run(size);
}

} // namespace qz::unzip
