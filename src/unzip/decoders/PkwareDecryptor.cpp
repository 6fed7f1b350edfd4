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

namespace {

// bytes of each of width streams, the keys in locals so that the compiler
// keeps the chains side by side in registers.
template <std::size_t width, typename Keys>
void lockstep(Keys* keys, std::uint8_t** data, std::size_t bytes) {
    Keys k[width];
    std::uint8_t* d[width];
    for (std::size_t s = 0; s < width; ++s) {
        k[s] = keys[s];
        d[s] = data[s];
    }
    for (std::size_t i = 0; i < bytes; ++i)
        for (std::size_t s = 0; s < width; ++s) {
            d[s][i] ^= k[s].mask();
            k[s].update(d[s][i]);
        }
    for (std::size_t s = 0; s < width; ++s)
        keys[s] = k[s];
}

} // namespace

void PkwareDecryptor::decryptSideBySide(Stream* streams, std::size_t count, std::size_t bytes) {
    static_assert(kInterleaveWidth == 4, "lockstep widths below go up to 4");
    Keys keys[kInterleaveWidth];
    std::uint8_t* data[kInterleaveWidth];
    for (std::size_t s = 0; s < count; ++s) {
        keys[s] = streams[s].keys->keys_;
        data[s] = streams[s].data;
    }
    switch (count) {
    case 4:
        lockstep<4>(keys, data, bytes);
        break;
    case 3:
        lockstep<3>(keys, data, bytes);
        break;
    case 2:
        lockstep<2>(keys, data, bytes);
        break;
    case 1:
        lockstep<1>(keys, data, bytes);
        break;
    default:
        break;
    }
    for (std::size_t s = 0; s < count; ++s) {
        streams[s].keys->keys_ = keys[s];
        streams[s].data += bytes;
        streams[s].count -= bytes;
    }
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
