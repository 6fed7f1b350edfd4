#include "unzip/decoders/Crc32.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define QZ4_CRC_CARRYLESS 1
#endif

namespace qz::unzip {

static_assert(std::endian::native == std::endian::little,
              "the sixteen-byte step reads words in little-endian order");

namespace {

constexpr int kSlices = 16;
using Tables = std::array<std::array<std::uint32_t, 256>, kSlices>;

// tables[0] is the byte table; tables[k][b] is the register change of byte
// b followed by k zero bytes, which lets sixteen bytes be folded in one step
// from independent lookups.
constexpr Tables makeTables() {
    Tables t{};
    t[0] = detail::kCrcByteTable;
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

// Sixteen bytes at a time from tables; the tail byte by byte.
std::uint32_t updateFromTables(std::uint32_t c, const std::uint8_t* data, std::size_t count) {
    for (; count >= 16; count -= 16, data += 16) {
        const std::uint32_t w[4] = {load32(data) ^ c, load32(data + 4), load32(data + 8),
                                    load32(data + 12)};
        c = 0;
        // Byte j of the sixteen is followed by 15 - j more.
        for (int j = 0; j < 16; ++j)
            c ^= kTables[15 - j][(w[j / 4] >> (8 * (j % 4))) & 0xFF];
    }
    for (; count > 0; --count)
        c = Crc32::updateByte(c, *data++);
    return c;
}

#ifdef QZ4_CRC_CARRYLESS

// Folding with carry-less multiplication. Read in the data's own bit order, a
// 128-bit lane stands for a polynomial whose first bit has the highest degree;
// moving a lane forward over d bits multiplies it by x^d, and modulo the CRC
// polynomial that is a multiplication of each 64-bit half by a 32-bit
// constant. The lanes then fold into one, whose CRC the tables finish.

// x^k modulo the CRC polynomial, coefficient of x^m in bit m.
constexpr std::uint64_t xPowerModP(unsigned k) {
    std::uint64_t r = 1;
    for (unsigned i = 0; i < k; ++i) {
        r <<= 1;
        if (r & (std::uint64_t{1} << 32))
            r ^= 0x104C11DB7u;
    }
    return r;
}

// The constant that moves a half forward: a 64-bit operand's bit j stands for
// x^(63 - j), and the multiplication itself adds one more factor x.
constexpr std::uint64_t factor(unsigned k) {
    const std::uint64_t p = xPowerModP(k - 1);
    std::uint64_t r = 0;
    for (unsigned m = 0; m < 32; ++m)
        if ((p >> m) & 1)
            r |= std::uint64_t{1} << (63 - m);
    return r;
}

// Moves a lane forward over bits: its first half carries x^(bits + 64), its
// second x^bits.
struct Fold {
    std::uint64_t first;
    std::uint64_t second;
};
constexpr Fold kOver512{factor(512 + 64), factor(512)};
constexpr Fold kOver128{factor(128 + 64), factor(128)};

__attribute__((target("pclmul,sse2"))) inline __m128i fold(__m128i lane, __m128i by) {
    return _mm_xor_si128(_mm_clmulepi64_si128(lane, by, 0x00),
                         _mm_clmulepi64_si128(lane, by, 0x11));
}

__attribute__((target("pclmul,sse2"))) inline __m128i load(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

__attribute__((target("pclmul,sse2"))) inline __m128i constants(const Fold& f) {
    return _mm_set_epi64x(static_cast<long long>(f.second), static_cast<long long>(f.first));
}

__attribute__((target("pclmul,sse2"))) std::uint32_t
updateCarryless(std::uint32_t c, const std::uint8_t* data, std::size_t count) {
    // The register enters as the first four bytes' change.
    __m128i x0 = _mm_xor_si128(load(data), _mm_cvtsi32_si128(static_cast<int>(c)));
    __m128i x1 = load(data + 16), x2 = load(data + 32), x3 = load(data + 48);
    data += 64;
    count -= 64;
    const __m128i over512 = constants(kOver512);
    for (; count >= 64; count -= 64, data += 64) {
        x0 = _mm_xor_si128(fold(x0, over512), load(data));
        x1 = _mm_xor_si128(fold(x1, over512), load(data + 16));
        x2 = _mm_xor_si128(fold(x2, over512), load(data + 32));
        x3 = _mm_xor_si128(fold(x3, over512), load(data + 48));
    }
    const __m128i over128 = constants(kOver128);
    __m128i x = _mm_xor_si128(fold(x0, over128), x1);
    x = _mm_xor_si128(fold(x, over128), x2);
    x = _mm_xor_si128(fold(x, over128), x3);
    for (; count >= 16; count -= 16, data += 16)
        x = _mm_xor_si128(fold(x, over128), load(data));
    alignas(16) std::uint8_t last[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(last), x);
    return updateFromTables(updateFromTables(0, last, 16), data, count);
}

bool haveCarrylessMultiply() {
    static const bool have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
    }();
    return have;
}

#endif

} // namespace

void Crc32::update(const std::uint8_t* data, std::size_t count) {
#ifdef QZ4_CRC_CARRYLESS
    if (count >= 64 && haveCarrylessMultiply()) {
        state_ = updateCarryless(state_, data, count);
        return;
    }
#endif
    state_ = updateFromTables(state_, data, count);
}

} // namespace qz::unzip
