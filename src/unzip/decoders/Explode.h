// Method 6, implode: a 4 KiB or 8 KiB sliding dictionary whose literals,
// lengths and distances are coded with Shannon-Fano trees sent at the start
// of the data (flag bit 1: 8 KiB; flag bit 2: a literal tree is present).
#pragma once

#include "unzip/decoders/BitInput.h"
#include "unzip/decoders/HuffmanTable.h"
#include "unzip/decoders/SlideWindow.h"

#include <array>
#include <cstdint>

namespace qz::unzip {

inline constexpr unsigned kExplodeLiteralRootBits = 10;
inline constexpr unsigned kExplodeRootBits = 8;

struct ExplodeTables {
    // Codes reach 16 bits: sub-tables of up to 64 (literals) and 256 entries.
    std::array<HuffmanEntry, (1 << kExplodeLiteralRootBits) + 256 * 64> literals;
    std::array<HuffmanEntry, (1 << kExplodeRootBits) + 64 * 256> lengths;
    std::array<HuffmanEntry, (1 << kExplodeRootBits) + 64 * 256> distances;
};

// Decodes exactly size bytes.
void explode(ExplodeTables& tables, BitInput& in, SlideWindow& out, std::uint16_t flags,
             std::uint64_t size);

} // namespace qz::unzip
