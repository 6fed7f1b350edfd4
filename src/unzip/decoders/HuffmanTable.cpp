#include "unzip/decoders/HuffmanTable.h"

#include <array>

namespace qz::unzip {

namespace {

constexpr unsigned kMaxRootBits = 10;

std::uint32_t reverseBits(std::uint32_t code, unsigned length) {
    std::uint32_t r = 0;
    for (unsigned i = 0; i < length; ++i, code >>= 1)
        r = (r << 1) | (code & 1);
    return r;
}

void fill(std::span<HuffmanEntry> table, std::size_t start, std::size_t size, std::uint32_t first,
          unsigned step, HuffmanEntry entry) {
    for (std::size_t i = first; i < size; i += std::size_t{1} << step)
        table[start + i] = entry;
}

} // namespace

bool buildHuffmanTable(std::span<HuffmanEntry> table, unsigned rootBits,
                       std::span<const std::uint8_t> lengths, const HuffmanEntry* meaning) {
    using namespace huffman;
    constexpr unsigned kMax = kMaxCodeLength;

    std::array<unsigned, kMax + 1> count{};
    for (std::uint8_t len : lengths)
        ++count[len];
    count[0] = 0;

    // Each length doubles the codes available; using more than are left
    // makes the code ambiguous.
    std::int64_t left = 1;
    for (unsigned len = 1; len <= kMax; ++len) {
        left = 2 * left - count[len];
        if (left < 0)
            return false;
    }

    // First canonical code of each length.
    std::array<std::uint32_t, kMax + 2> firstCode{};
    for (unsigned len = 1; len <= kMax; ++len)
        firstCode[len + 1] = (firstCode[len] + count[len]) << 1;

    if (rootBits > kMaxRootBits)
        return false;
    const std::size_t rootSize = std::size_t{1} << rootBits;
    if (table.size() < rootSize)
        return false;
    const HuffmanEntry invalid{0, 0, kInvalid};
    fill(table, 0, rootSize, 0, 0, invalid);

    // Sub-table sizes: the longest code under each root pattern decides.
    std::array<std::uint8_t, 1u << kMaxRootBits> subBits{};
    std::array<std::uint32_t, kMax + 2> next = firstCode;
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const unsigned len = lengths[s];
        if (len <= rootBits)
            continue;
        const std::uint32_t root = reverseBits(next[len]++, len) & (rootSize - 1);
        if (len - rootBits > subBits[root])
            subBits[root] = static_cast<std::uint8_t>(len - rootBits);
    }
    std::size_t used = rootSize;
    for (std::size_t root = 0; root < rootSize; ++root) {
        if (subBits[root] == 0)
            continue;
        const std::size_t size = std::size_t{1} << subBits[root];
        if (used + size > table.size())
            return false;
        table[root] =
            HuffmanEntry{static_cast<std::uint16_t>(used), static_cast<std::uint8_t>(rootBits),
                         static_cast<std::uint8_t>(kLink | subBits[root])};
        fill(table, used, size, 0, 0, invalid);
        used += size;
    }

    next = firstCode;
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const unsigned len = lengths[s];
        if (len == 0)
            continue;
        const std::uint32_t reversed = reverseBits(next[len]++, len);
        HuffmanEntry e = meaning[s];
        if (len <= rootBits) {
            e.bits = static_cast<std::uint8_t>(len);
            fill(table, 0, rootSize, reversed, len, e);
        } else {
            const HuffmanEntry link = table[reversed & (rootSize - 1)];
            const unsigned rest = len - rootBits;
            e.bits = static_cast<std::uint8_t>(rest);
            fill(table, link.value, std::size_t{1} << (link.op & kCountMask), reversed >> rootBits,
                 rest, e);
        }
    }
    return true;
}

} // namespace qz::unzip
