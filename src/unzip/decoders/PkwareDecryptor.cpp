#include "unzip/decoders/PkwareDecryptor.h"

#include "unzip/decoders/Crc32.h"

namespace qz::unzip {

inline void PkwareDecryptor::Keys::update(std::uint8_t plain) {
    k0 = Crc32::updateByte(k0, plain);
    k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1;
    k2 = Crc32::updateByte(k2, static_cast<std::uint8_t>(k1 >> 24));
}

// The byte that was XORed onto the next plain byte.
inline std::uint8_t PkwareDecryptor::Keys::mask() const {
    const std::uint32_t t = (k2 | 2) & 0xFFFF;
    return static_cast<std::uint8_t>((t * (t ^ 1)) >> 8);
}

PkwareDecryptor::PkwareDecryptor(std::string_view password) {
    for (char c : password)
        keys_.update(static_cast<std::uint8_t>(c));
}

void PkwareDecryptor::decrypt(std::uint8_t* data, std::size_t count) {
    Keys keys = keys_; // a local copy stays in registers across the loop
    for (std::size_t i = 0; i < count; ++i) {
        data[i] ^= keys.mask();
        keys.update(data[i]);
    }
    keys_ = keys;
}

bool PkwareDecryptor::checkHeader(std::uint8_t* header, std::uint8_t checkByte) {
    decrypt(header, kEncryptionHeaderSize);
    return header[kEncryptionHeaderSize - 1] == checkByte;
}

std::uint8_t PkwareDecryptor::checkByteFor(std::uint16_t flags, std::uint32_t crc,
                                           std::uint32_t dosDateTime) {
    return (flags & 0x0008) ? static_cast<std::uint8_t>(dosDateTime >> 8)
                            : static_cast<std::uint8_t>(crc >> 24);
}

} // namespace qz::unzip
