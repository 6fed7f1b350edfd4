#include "unzip/decoders/Crc32.h"

#include <array>
#include <bit>
#include <cstring>

namespace qz::unzip {

static_assert(std::endian::native == std::endian::little,
              "the sixteen-byte step reads words in little-endian order");

namespace {

constexpr int kSlices = 16;
using Tables = std::array<std::array<std::uint32_t, 256>, kSlices>;

// tables[0] is the classic byte table; tables[k][b] is the register change
// of byte b followed by k zero bytes, which lets sixteen bytes be folded in
// one step from independent lookups.
constexpr Tables makeTables() {
    Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (std::uint32_t n = 0; n < 256; ++n)
        for (int k = 1; k < kSlices; ++k)
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    return t;
}

constexpr Tables kTables = makeTables();

std::uint32_t load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

} // namespace

std::uint32_t Crc32::updateByte(std::uint32_t crc, std::uint8_t byte) {
    return (crc >> 8) ^ kTables[0][(crc ^ byte) & 0xFF];
}

void Crc32::update(const std::uint8_t* data, std::size_t count) {
    std::uint32_t c = state_;
    for (; count >= 16; count -= 16, data += 16) {
        const std::uint32_t w[4] = {load32(data) ^ c, load32(data + 4), load32(data + 8),
                                    load32(data + 12)};
        c = 0;
        // Byte j of the sixteen is followed by 15 - j more.
        for (int j = 0; j < 16; ++j)
            c ^= kTables[15 - j][(w[j / 4] >> (8 * (j % 4))) & 0xFF];
    }
    for (; count > 0; --count)
        c = updateByte(c, *data++);
    state_ = c;
}

} // namespace qz::unzip
