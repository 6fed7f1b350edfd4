#include "unzip/decoders/DecryptionLanes.h"

#ifdef QZ4_DECRYPTION_LANES

#include "unzip/decoders/Crc32.h"

#include <immintrin.h>

// Functions that use the instructions carry the target themselves, so that
// the rest of the program still runs on processors without them.
#define LANES_TARGET __attribute__((target("ssse3,sse4.1")))
// 32-bit Windows keeps the stack only 4-byte aligned; vectors spilled to it
// need 16.
#ifdef __i386__
#define LANES_ENTRY LANES_TARGET __attribute__((force_align_arg_pointer))
#else
#define LANES_ENTRY LANES_TARGET
#endif

namespace qz::unzip {

namespace {

// The CRC-32 byte table is linear over the bits of its index, so
// T[x] = T[x & 0x0F] ^ T[x & 0xF0]. low[j][n] is byte j of T[n], high[j][n]
// byte j of T[n << 4]: sixteen entries each, one shuffle's worth.
struct NibbleTables {
    std::uint8_t low[4][16];
    std::uint8_t high[4][16];
};

constexpr NibbleTables makeNibbleTables() {
    NibbleTables t{};
    for (int j = 0; j < 4; ++j)
        for (std::uint32_t n = 0; n < 16; ++n) {
            t.low[j][n] = static_cast<std::uint8_t>(detail::kCrcByteTable[n] >> (8 * j));
            t.high[j][n] = static_cast<std::uint8_t>(detail::kCrcByteTable[n << 4] >> (8 * j));
        }
    return t;
}

alignas(16) constexpr NibbleTables kNibbles = makeNibbleTables();

// A key held as planes: plane j has byte j of the key of every lane.
struct Planes {
    __m128i b0, b1, b2, b3;
};

LANES_TARGET inline __m128i load16(const std::uint8_t (&bytes)[16]) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
}

// crc = (crc >> 8) ^ T[(crc ^ in) & 0xFF] in every lane. Dropping the low
// byte moves each plane down by one.
LANES_TARGET inline void crcUpdate(Planes& crc, __m128i in) {
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i index = _mm_xor_si128(crc.b0, in);
    const __m128i low = _mm_and_si128(index, nibble);
    const __m128i high = _mm_and_si128(_mm_srli_epi16(index, 4), nibble);
    const NibbleTables& t = kNibbles;
    crc.b0 = _mm_xor_si128(crc.b1, _mm_xor_si128(_mm_shuffle_epi8(load16(t.low[0]), low),
                                                 _mm_shuffle_epi8(load16(t.high[0]), high)));
    crc.b1 = _mm_xor_si128(crc.b2, _mm_xor_si128(_mm_shuffle_epi8(load16(t.low[1]), low),
                                                 _mm_shuffle_epi8(load16(t.high[1]), high)));
    crc.b2 = _mm_xor_si128(crc.b3, _mm_xor_si128(_mm_shuffle_epi8(load16(t.low[2]), low),
                                                 _mm_shuffle_epi8(load16(t.high[2]), high)));
    crc.b3 = _mm_xor_si128(_mm_shuffle_epi8(load16(t.low[3]), low),
                           _mm_shuffle_epi8(load16(t.high[3]), high));
}

// k1 = (k1 + (k0 & 0xFF)) * 134775813 + 1, with k1 as whole 32-bit words
// (lanes 4q to 4q + 3 in k1[q]); gives back the top byte of every new k1.
struct Words {
    __m128i q0, q1, q2, q3;
};

LANES_TARGET inline __m128i k1Step(__m128i k1, __m128i add) {
    return _mm_add_epi32(
        _mm_mullo_epi32(_mm_add_epi32(k1, _mm_cvtepu8_epi32(add)), _mm_set1_epi32(134775813)),
        _mm_set1_epi32(1));
}

LANES_TARGET inline __m128i k1Update(Words& k1, __m128i k0Low) {
    k1.q0 = k1Step(k1.q0, k0Low);
    k1.q1 = k1Step(k1.q1, _mm_srli_si128(k0Low, 4));
    k1.q2 = k1Step(k1.q2, _mm_srli_si128(k0Low, 8));
    k1.q3 = k1Step(k1.q3, _mm_srli_si128(k0Low, 12));
    return _mm_packus_epi16(_mm_packus_epi32(_mm_srli_epi32(k1.q0, 24), _mm_srli_epi32(k1.q1, 24)),
                            _mm_packus_epi32(_mm_srli_epi32(k1.q2, 24), _mm_srli_epi32(k1.q3, 24)));
}

// The byte XORed onto the plain byte: t = (k2 | 2) & 0xFFFF, (t * (t ^ 1)) >> 8.
LANES_TARGET inline __m128i mask(const Planes& k2) {
    const __m128i two = _mm_set1_epi16(2);
    const __m128i one = _mm_set1_epi16(1);
    __m128i low = _mm_or_si128(_mm_unpacklo_epi8(k2.b0, k2.b1), two);
    __m128i high = _mm_or_si128(_mm_unpackhi_epi8(k2.b0, k2.b1), two);
    low = _mm_srli_epi16(_mm_mullo_epi16(low, _mm_xor_si128(low, one)), 8);
    high = _mm_srli_epi16(_mm_mullo_epi16(high, _mm_xor_si128(high, one)), 8);
    return _mm_packus_epi16(low, high);
}

constexpr int bitReversed(int i) {
    return ((i & 1) << 3) | ((i & 2) << 1) | ((i & 4) >> 1) | ((i & 8) >> 3);
}

// Sixteen rows of sixteen bytes become sixteen columns: out[c] holds byte c
// of every in[r], in lane r. Four rounds of interleaving halves move a byte
// from row r, place c to row c, place bitReversed(r); so the rows go in
// at their bit-reversed places.
LANES_TARGET inline void transpose(const __m128i (&in)[16], __m128i (&out)[16]) {
    __m128i a[16];
    __m128i b[16];
    for (int r = 0; r < 16; ++r)
        a[bitReversed(r)] = in[r];
    for (int i = 0; i < 8; ++i) {
        b[2 * i] = _mm_unpacklo_epi8(a[i], a[i + 8]);
        b[2 * i + 1] = _mm_unpackhi_epi8(a[i], a[i + 8]);
    }
    for (int i = 0; i < 8; ++i) {
        a[2 * i] = _mm_unpacklo_epi16(b[i], b[i + 8]);
        a[2 * i + 1] = _mm_unpackhi_epi16(b[i], b[i + 8]);
    }
    for (int i = 0; i < 8; ++i) {
        b[2 * i] = _mm_unpacklo_epi32(a[i], a[i + 8]);
        b[2 * i + 1] = _mm_unpackhi_epi32(a[i], a[i + 8]);
    }
    for (int i = 0; i < 8; ++i) {
        out[2 * i] = _mm_unpacklo_epi64(b[i], b[i + 8]);
        out[2 * i + 1] = _mm_unpackhi_epi64(b[i], b[i + 8]);
    }
}

LANES_TARGET void toPlanes(const std::uint32_t* keys, Planes& planes) {
    alignas(16) std::uint8_t bytes[4][kDecryptionLanes];
    for (std::size_t lane = 0; lane < kDecryptionLanes; ++lane)
        for (int j = 0; j < 4; ++j)
            bytes[j][lane] = static_cast<std::uint8_t>(keys[lane] >> (8 * j));
    planes = {load16(bytes[0]), load16(bytes[1]), load16(bytes[2]), load16(bytes[3])};
}

LANES_TARGET void fromPlanes(const Planes& planes, std::uint32_t* keys) {
    alignas(16) std::uint8_t bytes[4][kDecryptionLanes];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes[0]), planes.b0);
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes[1]), planes.b1);
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes[2]), planes.b2);
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes[3]), planes.b3);
    for (std::size_t lane = 0; lane < kDecryptionLanes; ++lane)
        keys[lane] = bytes[0][lane] | bytes[1][lane] << 8 | bytes[2][lane] << 16 |
                     static_cast<std::uint32_t>(bytes[3][lane]) << 24;
}

} // namespace

bool haveDecryptionLanes() {
    static const bool have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("sse4.1");
    }();
    return have;
}

LANES_ENTRY void decryptLanes(KeyLanes& keys, std::uint8_t* const* data, std::size_t count,
                              std::size_t bytes) {
    Planes k0;
    Planes k2;
    toPlanes(keys.k0, k0);
    toPlanes(keys.k2, k2);
    const auto* k1In = reinterpret_cast<const __m128i*>(keys.k1);
    Words k1{_mm_loadu_si128(k1In), _mm_loadu_si128(k1In + 1), _mm_loadu_si128(k1In + 2),
             _mm_loadu_si128(k1In + 3)};

    for (std::size_t offset = 0; offset < bytes; offset += 16) {
        // Lanes without a stream decrypt zeros that go nowhere.
        __m128i rows[16];
        for (std::size_t lane = 0; lane < kDecryptionLanes; ++lane)
            rows[lane] =
                lane < count
                    ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(data[lane] + offset))
                    : _mm_setzero_si128();
        __m128i columns[16];
        transpose(rows, columns);
        for (__m128i& column : columns) {
            column = _mm_xor_si128(column, mask(k2));
            crcUpdate(k0, column);
            crcUpdate(k2, k1Update(k1, k0.b0));
        }
        transpose(columns, rows);
        for (std::size_t lane = 0; lane < count; ++lane)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(data[lane] + offset), rows[lane]);
    }

    fromPlanes(k0, keys.k0);
    fromPlanes(k2, keys.k2);
    auto* k1Out = reinterpret_cast<__m128i*>(keys.k1);
    _mm_storeu_si128(k1Out, k1.q0);
    _mm_storeu_si128(k1Out + 1, k1.q1);
    _mm_storeu_si128(k1Out + 2, k1.q2);
    _mm_storeu_si128(k1Out + 3, k1.q3);
}

} // namespace qz::unzip

#endif
