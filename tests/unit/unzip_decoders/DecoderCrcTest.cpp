// CRC-32 against published check values, and the same value however the
// data is split into updates.
#include "unzip/decoders/Crc32.h"

#include "DecoderTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

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

// The byte step (what the decryption keys use) is the reference for the bulk
// paths: every length across the sixteen- and sixty-four-byte steps, and
// updates split at every kind of boundary.
TEST(DecoderCrcTest, BulkUpdatesAgreeWithTheByteStep) {
    const std::string data = makeRandom(5000, 7);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    std::vector<std::uint32_t> reference(data.size() + 1);
    std::uint32_t reg = 0xFFFFFFFFu;
    reference[0] = ~reg;
    for (std::size_t i = 0; i < data.size(); ++i) {
        reg = Crc32::updateByte(reg, bytes[i]);
        reference[i + 1] = ~reg;
    }
    for (std::size_t n = 0; n <= 300; ++n) {
        Crc32 crc;
        crc.update(bytes, n);
        EXPECT_EQ(crc.value(), reference[n]) << "length " << n;
    }
    for (std::size_t piece : {1, 7, 15, 16, 17, 63, 64, 65, 127, 128, 129, 1000, 4999}) {
        Crc32 crc;
        for (std::size_t at = 0; at < data.size(); at += piece)
            crc.update(bytes + at, std::min(piece, data.size() - at));
        EXPECT_EQ(crc.value(), reference.back()) << "pieces of " << piece;
    }
}

} // namespace
} // namespace qz::unzip::test
