// CRC-32 with the ZIP polynomial (reflected 0xEDB88320): register starts at
// 0xFFFFFFFF, the stored value is the register inverted.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qz::unzip {

namespace detail {
// The register change of each byte value, for one byte at a time.
constexpr std::array<std::uint32_t, 256> makeCrcByteTable() {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}
inline constexpr std::array<std::uint32_t, 256> kCrcByteTable = makeCrcByteTable();
} // namespace detail

class Crc32 {
public:
    void update(const std::uint8_t* data, std::size_t count);
    // The CRC of everything passed to update so far, as stored in an archive.
    std::uint32_t value() const { return ~state_; }

    // One byte into a raw register (no inversion); the decryption keys use it
    // in their per-byte loop, so it stays inline.
    static std::uint32_t updateByte(std::uint32_t crc, std::uint8_t byte) {
        return (crc >> 8) ^ detail::kCrcByteTable[(crc ^ byte) & 0xFF];
    }

private:
    std::uint32_t state_ = 0xFFFFFFFFu;
};

} // namespace qz::unzip
