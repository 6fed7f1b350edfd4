// CRC-32 with the ZIP polynomial (reflected 0xEDB88320): register starts at
// 0xFFFFFFFF, the stored value is the register inverted.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qz::unzip {

class Crc32 {
public:
    void update(const std::uint8_t* data, std::size_t count);
    // The CRC of everything passed to update so far, as stored in an archive.
    std::uint32_t value() const { return ~state_; }

    // One byte into a raw register (no inversion); the decryption keys use it.
    static std::uint32_t updateByte(std::uint32_t crc, std::uint8_t byte);

private:
    std::uint32_t state_ = 0xFFFFFFFFu;
};

} // namespace qz::unzip
