#include "unzip/decoders/Inflate.h"

#include "unzip/decoders/DecodeStop.h"
#include "unzip/decoders/SlideWindow.h"

#include <algorithm>
#include <cstring>

namespace qz::unzip {

namespace {

using namespace huffman;

constexpr unsigned kLiteralSymbols = 288; // 286 and 287 take part in the fixed code only
constexpr unsigned kDistanceSymbols = 32; // 30 and 31 likewise

// What each literal/length symbol stands for: bytes, end of block, and the
// lengths 3..258 as base plus extra bits.
constexpr std::array<HuffmanEntry, kLiteralSymbols> makeLiteralMeaning() {
    constexpr std::uint16_t base[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                        15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                        67, 83, 99, 115, 131, 163, 195, 227, 258};
    constexpr std::uint8_t extra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                        2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    std::array<HuffmanEntry, kLiteralSymbols> m{};
    for (unsigned s = 0; s < 256; ++s)
        m[s] = {static_cast<std::uint16_t>(s), 0, kSymbol};
    m[256] = {0, 0, kEndOfBlock};
    for (unsigned s = 257; s < 286; ++s)
        m[s] = {base[s - 257], 0, static_cast<std::uint8_t>(kBaseExtra | extra[s - 257])};
    m[286] = m[287] = {0, 0, kInvalid};
    return m;
}

// Distances 1..32768 as base plus extra bits.
constexpr std::array<HuffmanEntry, kDistanceSymbols> makeDistanceMeaning() {
    std::array<HuffmanEntry, kDistanceSymbols> m{};
    unsigned base = 1;
    for (unsigned s = 0; s < 30; ++s) {
        const unsigned extra = s < 2 ? 0 : s / 2 - 1;
        m[s] = {static_cast<std::uint16_t>(base), 0, static_cast<std::uint8_t>(kBaseExtra | extra)};
        base += 1u << extra;
    }
    m[30] = m[31] = {0, 0, kInvalid};
    return m;
}

constexpr std::array<HuffmanEntry, 19> makeCodeLengthMeaning() {
    std::array<HuffmanEntry, 19> m{};
    for (unsigned s = 0; s < 19; ++s)
        m[s] = {static_cast<std::uint16_t>(s), 0, kSymbol};
    return m;
}

constexpr auto kLiteralMeaning = makeLiteralMeaning();
constexpr auto kDistanceMeaning = makeDistanceMeaning();
constexpr auto kCodeLengthMeaning = makeCodeLengthMeaning();

// The order in which a dynamic block sends the code length code's lengths.
constexpr std::uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                               11, 4,  12, 3, 13, 2, 14, 1, 15};

class Inflater {
public:
    Inflater(InflateTables& tables, BitInput& in, std::uint8_t* slide, PieceWriter& out)
        : tables_(tables), in_(in), slide_(slide), out_(out) {}

    void run() {
        bool last;
        do {
            last = in_.take(1) != 0;
            switch (in_.take(2)) {
            case 0:
                storedBlock();
                break;
            case 1:
                codes(tables_.fixedLiterals.data(), tables_.fixedDistances.data());
                break;
            case 2:
                dynamicCodes();
                codes(tables_.literals.data(), tables_.distances.data());
                break;
            default:
                corruptData();
            }
        } while (!last);
        in_.checkOverrun();
        out_.put(slide_, pos_);
    }

private:
    // The ring is full: out it goes, and it is history from now on.
    void wrap() {
        out_.put(slide_, kWindowSize);
        pos_ = 0;
        wrapped_ = true;
    }

    void storedBlock() {
        in_.alignToByte();
        const std::uint32_t length = in_.take(16);
        if (in_.take(16) != (~length & 0xFFFF))
            corruptData();
        for (std::size_t left = length; left > 0;) {
            const std::size_t n = std::min(left, kWindowSize - pos_);
            in_.readAligned(slide_ + pos_, n);
            pos_ += n;
            left -= n;
            if (pos_ == kWindowSize)
                wrap();
        }
    }

    void dynamicCodes() {
        const unsigned literalCount = in_.take(5) + 257;
        const unsigned distanceCount = in_.take(5) + 1;
        const unsigned lengthCodeCount = in_.take(4) + 4;
        if (literalCount > 286 || distanceCount > 30)
            corruptData();

        std::array<std::uint8_t, 19> lengthCodeLengths{};
        for (unsigned i = 0; i < lengthCodeCount; ++i)
            lengthCodeLengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(in_.take(3));
        if (!buildHuffmanTable(tables_.codeLengths, 7, lengthCodeLengths,
                               kCodeLengthMeaning.data()))
            corruptData();

        // Literal/length and distance lengths form one sequence; a repeat may
        // run from the first part into the second.
        std::array<std::uint8_t, 286 + 30> lengths{};
        const unsigned total = literalCount + distanceCount;
        for (unsigned n = 0; n < total;) {
            in_.need(7 + 7);
            const HuffmanEntry e = decodeHuffman(tables_.codeLengths.data(), 7, in_.peek());
            if (e.op != kSymbol)
                corruptData();
            in_.drop(e.bits);
            unsigned repeat = 1;
            std::uint8_t value = static_cast<std::uint8_t>(e.value);
            if (e.value == 16) {
                if (n == 0)
                    corruptData();
                value = lengths[n - 1];
                repeat = 3 + in_.take(2);
            } else if (e.value == 17) {
                value = 0;
                repeat = 3 + in_.take(3);
            } else if (e.value == 18) {
                value = 0;
                repeat = 11 + in_.take(7);
            }
            if (n + repeat > total)
                corruptData();
            std::fill_n(lengths.begin() + n, repeat, value);
            n += repeat;
        }
        // A block without an end-of-block code could never end.
        if (lengths[256] == 0)
            corruptData();

        const std::span<const std::uint8_t> all(lengths);
        if (!buildHuffmanTable(tables_.literals, kLiteralRootBits, all.first(literalCount),
                               kLiteralMeaning.data()) ||
            !buildHuffmanTable(tables_.distances, kDistanceRootBits,
                               all.subspan(literalCount, distanceCount), kDistanceMeaning.data()))
            corruptData();
    }

    // Literals and length/distance pairs up to the end-of-block code.
    void codes(const HuffmanEntry* literals, const HuffmanEntry* distances) {
        for (;;) {
            // The longest symbol: 15-bit length code, 5 extra bits, 15-bit
            // distance code, 13 extra bits.
            in_.need(48);
            HuffmanEntry e = decodeHuffman(literals, kLiteralRootBits, in_.peek());
            in_.drop(e.bits);
            if (e.op == kSymbol) {
                slide_[pos_++] = static_cast<std::uint8_t>(e.value);
                if (pos_ == kWindowSize)
                    wrap();
                continue;
            }
            if (!(e.op & kBaseExtra)) {
                if (e.op == kEndOfBlock)
                    return;
                corruptData();
            }
            const unsigned extra = e.op & kCountMask;
            const std::size_t length =
                e.value + static_cast<std::size_t>(in_.peek() & ((1u << extra) - 1));
            in_.drop(extra);

            e = decodeHuffman(distances, kDistanceRootBits, in_.peek());
            if (!(e.op & kBaseExtra))
                corruptData();
            in_.drop(e.bits);
            const unsigned distExtra = e.op & kCountMask;
            const std::size_t distance =
                e.value + static_cast<std::size_t>(in_.peek() & ((1u << distExtra) - 1));
            in_.drop(distExtra);
            if (distance > pos_ && !wrapped_)
                corruptData();
            copyMatch(distance, length);
        }
    }

    void copyMatch(std::size_t distance, std::size_t length) {
        std::size_t from = (pos_ - distance) & (kWindowSize - 1);
        while (length > 0) {
            // As far as neither the source nor the destination wraps.
            const std::size_t n = std::min(length, kWindowSize - std::max(from, pos_));
            std::uint8_t* to = slide_ + pos_;
            const std::uint8_t* src = slide_ + from;
            if (from < pos_ && pos_ - from < n) {
                // The match overlaps its own output: byte by byte.
                for (std::size_t i = 0; i < n; ++i)
                    to[i] = src[i];
            } else {
                std::memmove(to, src, n);
            }
            pos_ += n;
            from = (from + n) & (kWindowSize - 1);
            length -= n;
            if (pos_ == kWindowSize)
                wrap();
        }
    }

    InflateTables& tables_;
    BitInput& in_;
    std::uint8_t* slide_;
    PieceWriter& out_;
    std::size_t pos_ = 0;
    bool wrapped_ = false;
};

} // namespace

InflateTables::InflateTables() {
    std::array<std::uint8_t, kLiteralSymbols> literal{};
    std::fill(literal.begin(), literal.begin() + 144, 8);
    std::fill(literal.begin() + 144, literal.begin() + 256, 9);
    std::fill(literal.begin() + 256, literal.begin() + 280, 7);
    std::fill(literal.begin() + 280, literal.end(), 8);
    std::array<std::uint8_t, kDistanceSymbols> distance{};
    distance.fill(5);
    buildHuffmanTable(fixedLiterals, kLiteralRootBits, literal, kLiteralMeaning.data());
    buildHuffmanTable(fixedDistances, kDistanceRootBits, distance, kDistanceMeaning.data());
}

void inflate(InflateTables& tables, BitInput& in, std::uint8_t* slide, PieceWriter& out) {
    Inflater(tables, in, slide, out).run();
}

} // namespace qz::unzip
