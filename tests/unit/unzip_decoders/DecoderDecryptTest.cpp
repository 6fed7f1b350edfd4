// Traditional decryption on archives written at test time by Info-ZIP zip
// and 7-Zip: the header check with the CRC byte and, for streamed entries
// (flag bit 3), with the time byte; decryption of the data; wrong passwords.
#include "unzip/decoders/PkwareDecryptor.h"

#include "DecoderTestSupport.h"

#include <gtest/gtest.h>

namespace qz::unzip::test {
namespace {

constexpr const char* kPassword = "7305118242913370012345678901234567"; // 34 digits

TEST(DecoderDecryptTest, CheckByteComesFromTheCrcOrFromTheTime) {
    struct Case {
        std::uint16_t flags;
        std::uint8_t expected;
    };
    const std::uint32_t crc = 0xA1B2C3D4u;
    const std::uint32_t dateTime = 0x5A3B6C7Du; // date 0x5A3B, time 0x6C7D
    for (const Case c :
         {Case{0x0000, 0xA1}, Case{0x0001, 0xA1}, Case{0x0008, 0x6C}, Case{0x0009, 0x6C}})
        EXPECT_EQ(PkwareDecryptor::checkByteFor(c.flags, crc, dateTime), c.expected)
            << "flags " << c.flags;
}

struct Writer {
    const char* tool;
    const char* command; // %A archive, %P password; run in the files' folder
    bool timeCheck;      // entries carry flag bit 3, so the header ends in the time's byte
};

class DecoderDecryptArchiveTest : public ::testing::TestWithParam<Writer> {};

TEST_P(DecoderDecryptArchiveTest, RightPasswordDecodesWrongOneNever) {
    const Writer& w = GetParam();
    if (!haveTool(w.tool))
        GTEST_SKIP() << w.tool << " is not installed";
    ScratchFolder scratch;
    const std::string text = makeText(70000, 1);
    const std::string random = makeRandom(20000, 2);
    writeBytes(scratch.path / "in" / "text.txt", text);
    writeBytes(scratch.path / "in" / "random.bin", random);
    writeBytes(scratch.path / "in" / "empty.txt", "");
    std::string command = w.command;
    const auto replace = [&](const std::string& key, const std::string& value) {
        command.replace(command.find(key), key.size(), value);
    };
    replace("%A", (scratch.path / "a.zip").string());
    replace("%P", kPassword);
    ASSERT_TRUE(runCommand("cd '" + (scratch.path / "in").string() + "' && (" + command +
                           ") >/dev/null 2>&1"))
        << command;

    const auto entries = readZipEntries(scratch.path / "a.zip");
    ASSERT_FALSE(entries.empty());
    DecoderWorkspace workspace;
    for (const ZipEntry& e : entries) {
        SCOPED_TRACE(e.name);
        ASSERT_TRUE(e.flags & 1) << "not encrypted";
        MemorySink sink;
        const DecodeResult r = decodeEntry(workspace, e, sink, kPassword);
        ASSERT_EQ(r.status, DecodeStatus::Done);
        EXPECT_EQ(r.crc, e.crc);
        EXPECT_EQ((e.flags & 0x0008) != 0, w.timeCheck);
        const std::string& original = e.name == "text.txt" || e.name == "-" ? text
                                      : e.name == "random.bin"              ? random
                                                                            : std::string();
        EXPECT_EQ(sink.data, original);

        // A wrong password passes the one-byte check now and then; the data
        // then never decodes to the stored CRC.
        MemorySink wrong;
        const DecodeResult bad =
            decodeEntry(workspace, e, wrong, "73051182429133700123456789012345");
        EXPECT_FALSE(bad.status == DecodeStatus::Done && bad.crc == e.crc &&
                     bad.written == e.uncompressedSize && e.uncompressedSize > 0);
    }
}

// Streams stepped side by side must come out as each would alone, in steps
// of any size, and leave their keys where decrypting alone leaves them.
TEST(DecoderDecryptTest, StreamsSideBySideDecryptAsOneByOne) {
    const std::size_t size = 1000;
    for (std::size_t count = 1; count <= PkwareDecryptor::kInterleaveWidth; ++count) {
        SCOPED_TRACE(count);
        std::vector<std::string> alone, together;
        std::vector<PkwareDecryptor> aloneKeys, togetherKeys;
        std::vector<PkwareDecryptor::Stream> streams;
        for (std::size_t i = 0; i < count; ++i) {
            alone.push_back(makeRandom(size, static_cast<std::uint32_t>(i)));
            together.push_back(alone.back());
            aloneKeys.emplace_back("pass" + std::to_string(i));
            togetherKeys.emplace_back("pass" + std::to_string(i));
        }
        for (std::size_t i = 0; i < count; ++i) {
            aloneKeys[i].decrypt(reinterpret_cast<std::uint8_t*>(alone[i].data()), size);
            streams.push_back(
                {&togetherKeys[i], reinterpret_cast<std::uint8_t*>(together[i].data()), size - 8});
        }
        for (std::size_t step : {std::size_t{0}, std::size_t{1}, std::size_t{7}, size - 16})
            PkwareDecryptor::decryptSideBySide(streams.data(), count, step);
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(streams[i].count, 0u);
            // The last 8 bytes alone, from the keys the steps left.
            togetherKeys[i].decrypt(streams[i].data, 8);
            EXPECT_EQ(together[i], alone[i]) << "stream " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Writers, DecoderDecryptArchiveTest,
    ::testing::Values(Writer{"zip", "zip -q -P %P %A text.txt random.bin empty.txt", true},
                      // Streamed from standard input to standard output.
                      Writer{"zip", "zip -q -P %P - - < text.txt > %A", true},
                      Writer{"7z", "7z a -tzip -mem=ZipCrypto -p%P %A text.txt random.bin", false}),
    [](const auto& info) { return std::string(info.param.tool) + std::to_string(info.index); });

} // namespace
} // namespace qz::unzip::test
