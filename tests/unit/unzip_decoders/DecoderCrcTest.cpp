// CRC-32 against published check values, and the same value however the
// data is split into updates.
#include "unzip/decoders/Crc32.h"

#include "DecoderTestSupport.h"

#include <gtest/gtest.h>

namespace qz::unzip::test {
namespace {

std::uint32_t crcOf(std::string_view s) {
    Crc32 crc;
    crc.update(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    return crc.value();
}

TEST(DecoderCrcTest, KnownValues) {
    struct Case {
        std::string_view data;
        std::uint32_t crc;
    };
    const Case cases[] = {
        {"", 0x00000000u},
        {"a", 0xE8B7BE43u},
        {"123456789", 0xCBF43926u},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
        {std::string_view("\0\0\0\0", 4), 0x2144DF1Cu},
    };
    for (const Case& c : cases)
        EXPECT_EQ(crcOf(c.data), c.crc) << c.data;
}

TEST(DecoderCrcTest, SplitUpdatesGiveTheWholeValue) {
    const std::string data = makeRandom(1000, 7);
    const std::uint32_t whole = crcOf(data);
    for (std::size_t piece : {1, 3, 7, 8, 9, 64, 999}) {
        Crc32 crc;
        for (std::size_t at = 0; at < data.size(); at += piece) {
            const std::size_t n = std::min(piece, data.size() - at);
            crc.update(reinterpret_cast<const std::uint8_t*>(data.data()) + at, n);
        }
        EXPECT_EQ(crc.value(), whole) << "pieces of " << piece;
    }
    // The byte step the decryption keys use agrees with the bulk update.
    std::uint32_t reg = 0xFFFFFFFFu;
    for (char c : data)
        reg = Crc32::updateByte(reg, static_cast<std::uint8_t>(c));
    EXPECT_EQ(~reg, whole);
}

} // namespace
} // namespace qz::unzip::test
