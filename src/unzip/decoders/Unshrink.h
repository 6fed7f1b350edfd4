// Method 1, shrink: LZW with codes of 9 to 13 bits, where the code size grows
// only when the data says so (256, 1) and a full table is partly cleared
// (256, 2: every code that is no other code's prefix becomes free again).
#pragma once

#include "unzip/decoders/BitInput.h"
#include "unzip/decoders/PieceWriter.h"

#include <array>
#include <cstdint>

namespace qz::unzip {

inline constexpr unsigned kShrinkCodes = 8192;

struct ShrinkTables {
    std::array<std::uint16_t, kShrinkCodes> prefix; // code of the string minus its last byte
    std::array<std::uint8_t, kShrinkCodes> last;    // last byte of the string
    std::array<std::uint8_t, kShrinkCodes> stack;   // one string, built from its end
    std::array<bool, kShrinkCodes> isPrefix;        // for partial clearing
};

// Decodes until the input ends or size bytes are out.
void unshrink(ShrinkTables& tables, BitInput& in, PieceWriter& out, std::uint64_t size);

} // namespace qz::unzip
