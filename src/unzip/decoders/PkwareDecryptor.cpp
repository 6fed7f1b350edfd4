#include "unzip/decoders/PkwareDecryptor.h"

#include "unzip/decoders/Crc32.h"

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

// count bytes of each of width streams, the keys in locals so that the
// compiler keeps the chains side by side in registers.
template <std::size_t width, typename Keys>
void lockstep(Keys* keys, PkwareDecryptor::Stream* streams, std::size_t offset, std::size_t count) {
    Keys k[width];
    std::uint8_t* data[width];
    for (std::size_t s = 0; s < width; ++s) {
        k[s] = keys[s];
        data[s] = streams[s].data + offset;
    }
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t s = 0; s < width; ++s) {
            data[s][i] ^= k[s].mask();
            k[s].update(data[s][i]);
        }
    for (std::size_t s = 0; s < width; ++s)
        keys[s] = k[s];
}

} // namespace

void PkwareDecryptor::decryptInterleaved(Stream* streams, std::size_t count) {
    static_assert(kInterleaveWidth == 4, "lockstep widths below go up to 4");
    for (std::size_t first = 0; first < count; first += kInterleaveWidth) {
        const std::size_t width = std::min(kInterleaveWidth, count - first);
        // Longest first, so that the streams still running are always the
        // first ones of the group.
        Stream group[kInterleaveWidth];
        std::copy(streams + first, streams + first + width, group);
        std::sort(group, group + width,
                  [](const Stream& a, const Stream& b) { return a.count > b.count; });
        Keys keys[kInterleaveWidth];
        for (std::size_t s = 0; s < width; ++s)
            keys[s] = group[s].keys->keys_;
        std::size_t done = 0;
        for (std::size_t running = width; running > 0; --running) {
            const std::size_t step = group[running - 1].count - done;
            switch (running) {
            case 4:
                lockstep<4>(keys, group, done, step);
                break;
            case 3:
                lockstep<3>(keys, group, done, step);
                break;
            case 2:
                lockstep<2>(keys, group, done, step);
                break;
            default:
                lockstep<1>(keys, group, done, step);
                break;
            }
            done += step;
        }
        for (std::size_t s = 0; s < width; ++s)
            group[s].keys->keys_ = keys[s];
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
