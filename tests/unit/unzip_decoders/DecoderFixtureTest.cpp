// Every entry of the archives written by other ZIP programs decodes to its
// stored size and CRC: shrunk, reduced, imploded (both window sizes and tree
// counts), stored and deflated.
#include "DecoderTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace qz::unzip::test {
namespace {

struct FixtureCase {
    const char* archive;
    std::size_t entries;
    std::uint16_t someMethod; // a method the archive must contain
};

class DecoderFixtureTest : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(DecoderFixtureTest, EveryEntryMatchesItsCrcAndSize) {
    QZ4_FIXTURES_OR_SKIP(dir, "zip");
    const FixtureCase& c = GetParam();
    const auto entries = readZipEntries(dir / c.archive);
    ASSERT_EQ(entries.size(), c.entries);
    DecoderWorkspace workspace; // one for all entries, as in an extraction run
    bool sawMethod = false;
    for (const ZipEntry& e : entries) {
        SCOPED_TRACE(e.name);
        sawMethod |= e.method == c.someMethod;
        // Small input pieces as well, so that codes straddle every refill.
        for (std::size_t chunk : {kPieceSize, std::size_t{1}, std::size_t{7}}) {
            MemorySink sink;
            const DecodeResult r = decodeEntry(workspace, e, sink, {}, chunk);
            EXPECT_EQ(r.status, DecodeStatus::Done) << "chunk " << chunk;
            EXPECT_EQ(r.written, e.uncompressedSize);
            EXPECT_EQ(sink.data.size(), e.uncompressedSize);
            EXPECT_EQ(r.crc, e.crc) << std::hex << "chunk " << std::dec << chunk;
        }
    }
    EXPECT_TRUE(sawMethod);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DecoderFixtureTest,
    ::testing::Values(FixtureCase{"example-s.zip", 1, 1}, FixtureCase{"HWSHRINK.ZIP", 3, 1},
                      FixtureCase{"example-r.zip", 1, 5}, FixtureCase{"HWREDUCE.ZIP", 3, 5},
                      FixtureCase{"example-i.zip", 1, 6}, FixtureCase{"HWIMPODE.ZIP", 3, 6},
                      FixtureCase{"data_descriptor.zip", 1, 8},
                      FixtureCase{"files_and_dirs.zip", 3, 0}, FixtureCase{"non_utf8.zip", 2, 0}),
    [](const auto& info) {
        std::string name = info.param.archive;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

} // namespace
} // namespace qz::unzip::test
