// Decoding tables for the prefix codes of deflate and implode, built from
// code lengths as canonical codes (shorter codes first, then symbol order)
// and read least significant bit first.
//
// The first rootBits bits of the input index the root table. A code longer
// than that continues in a sub-table that the root entry links to; the
// sub-table is indexed by the bits after the root bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qz::unzip {

struct HuffmanEntry {
    std::uint16_t value; // symbol, base value, or offset of the sub-table
    std::uint8_t bits;   // code length (for a link: rootBits)
    std::uint8_t op;     // one of the kinds below
};

namespace huffman {
inline constexpr std::uint8_t kSymbol = 0x00;     // value is the symbol
inline constexpr std::uint8_t kEndOfBlock = 0x01; // deflate's symbol 256
inline constexpr std::uint8_t kInvalid = 0x02;    // no code, or a symbol the format forbids
inline constexpr std::uint8_t kLink = 0x40;       // | sub-table index bits
inline constexpr std::uint8_t kBaseExtra = 0x80;  // value is a base; | number of extra bits
inline constexpr std::uint8_t kCountMask = 0x1F;  // the bit count under kLink and kBaseExtra
inline constexpr unsigned kMaxCodeLength = 16;    // implode's longest; deflate stops at 15
} // namespace huffman

// Fills table from lengths[symbol] (0: symbol unused); rootBits is at most 10. meaning[symbol]
// gives each symbol's value and op (its bits are ignored). Bit patterns that no code reaches decode
// as kInvalid. Returns false when the lengths describe more codes than fit (an over-subscribed
// code) or the table is too small.
bool buildHuffmanTable(std::span<HuffmanEntry> table, unsigned rootBits,
                       std::span<const std::uint8_t> lengths, const HuffmanEntry* meaning);

// The entry for the code at the bottom of bits; its bits field is the whole
// code length.
inline HuffmanEntry decodeHuffman(const HuffmanEntry* table, unsigned rootBits,
                                  std::uint64_t bits) {
    HuffmanEntry e = table[bits & ((1u << rootBits) - 1)];
    if (e.op & huffman::kLink) {
        const unsigned subBits = e.op & huffman::kCountMask;
        e = table[e.value + ((bits >> rootBits) & ((1u << subBits) - 1))];
        e.bits = static_cast<std::uint8_t>(e.bits + rootBits);
    }
    return e;
}

} // namespace qz::unzip
