// Method 8, deflate (RFC 1951): stored, fixed-code and dynamic-code blocks
// over a 32 KiB window.
#pragma once

#include "unzip/decoders/BitInput.h"
#include "unzip/decoders/HuffmanTable.h"
#include "unzip/decoders/PieceWriter.h"

#include <array>
#include <cstdint>

namespace qz::unzip {

inline constexpr unsigned kLiteralRootBits = 10;
inline constexpr unsigned kDistanceRootBits = 8;

// The code tables of one block, and those of the fixed codes, built once.
struct InflateTables {
    InflateTables();

    // Root table plus at most one 32-entry sub-table per literal/length code.
    std::array<HuffmanEntry, (1 << kLiteralRootBits) + 288 * 32> literals;
    std::array<HuffmanEntry, (1 << kDistanceRootBits) + 32 * 128> distances;
    std::array<HuffmanEntry, 1 << 7> codeLengths;
    std::array<HuffmanEntry, 1 << kLiteralRootBits> fixedLiterals; // no code longer than 9 bits
    std::array<HuffmanEntry, 1 << kDistanceRootBits> fixedDistances;
};

// Decodes the whole deflate stream into out; slide holds kSlideBufferSize bytes.
void inflate(InflateTables& tables, BitInput& in, std::uint8_t* slide, PieceWriter& out);

} // namespace qz::unzip
