// Traditional decryption of sixteen entries at once in the processor's
// 128-bit vector registers. One entry's bytes each wait for the keys the
// previous byte made, so no entry is ever faster than that chain; sixteen
// entries, each in its own lane, go through it together. Every key is kept
// as four planes of one byte per lane, so that the CRC-32 table lookups the
// keys need become byte shuffles of sixteen-entry tables.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define QZ4_DECRYPTION_LANES 1
#endif

namespace qz::unzip {

#ifdef QZ4_DECRYPTION_LANES

inline constexpr std::size_t kDecryptionLanes = 16;

// The three keys of each lane, as PkwareDecryptor keeps them.
struct KeyLanes {
    std::uint32_t k0[kDecryptionLanes];
    std::uint32_t k1[kDecryptionLanes];
    std::uint32_t k2[kDecryptionLanes];
};

// Whether this processor has the instructions (SSSE3 and SSE4.1).
bool haveDecryptionLanes();

// Decrypts the next bytes (a multiple of 16) of each of the first count
// (at most 16) streams in place, as each would be decrypted alone, and
// leaves their keys after them.
void decryptLanes(KeyLanes& keys, std::uint8_t* const* data, std::size_t count, std::size_t bytes);

#endif

} // namespace qz::unzip
