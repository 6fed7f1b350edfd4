#include "unzip/decoders/PkwareDecryptor.h"

#include "unzip/decoders/Crc32.h"
#include "unzip/decoders/DecryptionLanes.h"

#include <algorithm>

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

#ifdef QZ4_DECRYPTION_LANES
static_assert(PkwareDecryptor::kInterleaveWidth == kDecryptionLanes);
// Below this many streams the vector lanes, which cost the same however many
// of them are busy, are slower than the streams in general registers.
constexpr std::size_t kStreamsForLanes = 5;
#endif

} // namespace

// Up to four streams in general registers; more would not fit in them.
void PkwareDecryptor::decryptGroup(Stream* streams, std::size_t count, std::size_t bytes) {
    Keys keys[4];
    std::uint8_t* data[4];
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

void PkwareDecryptor::decryptSideBySide(Stream* streams, std::size_t count, std::size_t bytes) {
#ifdef QZ4_DECRYPTION_LANES
    // The lanes take whole rows of 16 bytes; the rest goes to the groups.
    if (count >= kStreamsForLanes && haveDecryptionLanes()) {
        const std::size_t rows = bytes - bytes % 16;
        KeyLanes lanes{};
        std::uint8_t* data[kDecryptionLanes];
        for (std::size_t s = 0; s < count; ++s) {
            lanes.k0[s] = streams[s].keys->keys_.k0;
            lanes.k1[s] = streams[s].keys->keys_.k1;
            lanes.k2[s] = streams[s].keys->keys_.k2;
            data[s] = streams[s].data;
        }
        decryptLanes(lanes, data, count, rows);
        for (std::size_t s = 0; s < count; ++s) {
            streams[s].keys->keys_ = {lanes.k0[s], lanes.k1[s], lanes.k2[s]};
            streams[s].data += rows;
            streams[s].count -= rows;
        }
        bytes -= rows;
    }
#endif
    for (std::size_t first = 0; first < count; first += 4)
        decryptGroup(streams + first, std::min<std::size_t>(4, count - first), bytes);
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
