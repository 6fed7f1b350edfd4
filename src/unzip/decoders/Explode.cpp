#include "unzip/decoders/Explode.h"

#include "unzip/decoders/DecodeStop.h"

#include <algorithm>

namespace qz::unzip {

namespace {

using namespace huffman;

constexpr std::array<HuffmanEntry, 256> makeSymbols() {
    std::array<HuffmanEntry, 256> m{};
    for (unsigned s = 0; s < 256; ++s)
        m[s] = {static_cast<std::uint16_t>(s), 0, kSymbol};
    return m;
}

constexpr auto kSymbols = makeSymbols();

class Exploder {
public:
    Exploder(ExplodeTables& tables, BitInput& in, SlideWindow& out, std::uint16_t flags)
        : t_(tables), in_(in), out_(out), bigWindow_(flags & 0x0002), literalTree_(flags & 0x0004) {
    }

    void run(std::uint64_t size) {
        if (literalTree_)
            readTree(t_.literals, kExplodeLiteralRootBits, 256);
        readTree(t_.lengths, kExplodeRootBits, 64);
        readTree(t_.distances, kExplodeRootBits, 64);

        const unsigned minMatch = literalTree_ ? 3 : 2;
        const unsigned lowBits = bigWindow_ ? 7 : 6;
        while (out_.produced() < size) {
            if (in_.take(1) != 0) {
                const unsigned c = literalTree_
                                       ? decode(t_.literals.data(), kExplodeLiteralRootBits)
                                       : in_.take(8);
                out_.put(static_cast<std::uint8_t>(c));
                continue;
            }
            const unsigned low = in_.take(lowBits);
            const std::size_t distance =
                ((decode(t_.distances.data(), kExplodeRootBits) << lowBits) | low) + 1;
            std::size_t length = decode(t_.lengths.data(), kExplodeRootBits) + minMatch;
            if (length == 63 + minMatch)
                length += in_.take(8);
            out_.copy(distance, std::min<std::uint64_t>(length, size - out_.produced()));
        }
        in_.checkOverrun();
    }

private:
    // A tree is sent as a byte count - 1, then bytes of (codes - 1) << 4 |
    // (length - 1), runs of equal lengths in symbol order.
    void readTree(std::span<HuffmanEntry> table, unsigned rootBits, unsigned symbols) {
        std::array<std::uint8_t, 256> lengths{};
        const unsigned bytes = in_.take(8) + 1;
        unsigned n = 0;
        for (unsigned i = 0; i < bytes; ++i) {
            const unsigned b = in_.take(8);
            const unsigned count = (b >> 4) + 1;
            if (n + count > symbols)
                corruptData();
            std::fill_n(lengths.begin() + n, count, static_cast<std::uint8_t>((b & 0x0F) + 1));
            n += count;
        }
        if (n != symbols ||
            !buildHuffmanTable(table, rootBits, std::span(lengths).first(symbols), kSymbols.data()))
            corruptData();
    }

    // The trees give the longest codes the lowest values, so the bits as
    // sent are the complement of the canonical code the table holds.
    unsigned decode(const HuffmanEntry* table, unsigned rootBits) {
        in_.need(kMaxCodeLength);
        const HuffmanEntry e = decodeHuffman(table, rootBits, ~in_.peek());
        if (e.op != kSymbol)
            corruptData();
        in_.drop(e.bits);
        return e.value;
    }

    ExplodeTables& t_;
    BitInput& in_;
    SlideWindow& out_;
    bool bigWindow_;
    bool literalTree_;
};

} // namespace

void explode(ExplodeTables& tables, BitInput& in, SlideWindow& out, std::uint16_t flags,
             std::uint64_t size) {
    Exploder(tables, in, out, flags).run(size);
}

} // namespace qz::unzip
