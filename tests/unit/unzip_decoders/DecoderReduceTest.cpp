// Reduce with each compression factor, on hand-made streams: the DLE escape,
// short and long matches, matches reaching before the start (zeros), and a
// follower set in use.
#include "DecoderTestSupport.h"

#include <gtest/gtest.h>

namespace qz::unzip::test {
namespace {

constexpr std::uint8_t kDle = 144;

// Empty follower sets, then the bytes of the first stage, each in 8 bits.
std::string reduceStream(const std::vector<std::uint8_t>& bytes) {
    BitWriter w;
    for (int j = 255; j >= 0; --j)
        w.bits(0, 6);
    for (std::uint8_t b : bytes)
        w.byte(b);
    return w.finish();
}

struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string output;
};

class DecoderReduceTest : public ::testing::TestWithParam<unsigned> {
protected:
    std::string decode(const std::string& stream, std::size_t size) {
        MemorySource source(stream);
        MemorySink sink;
        const DecodeResult r =
            workspace.decode({static_cast<std::uint16_t>(1 + GetParam()), 0, size}, source, sink);
        EXPECT_EQ(r.status, DecodeStatus::Done);
        return sink.data;
    }
    DecoderWorkspace workspace;
};

TEST_P(DecoderReduceTest, ExpandsLengthDistancePairs) {
    const unsigned factor = GetParam();
    const std::uint8_t lengthMask = 0x7F >> (factor - 1);
    const std::uint8_t far = static_cast<std::uint8_t>(1u << (8 - factor)); // distance + 256
    const Case cases[] = {
        {"plain bytes", {'a', 'b', 'c'}, "abc"},
        {"escaped DLE",
         {'a', kDle, 0, 'b'},
         "a\x90"
         "b"},
        // V = 3: length 3 + 3, distance 2 + 1.
        {"short match", {'a', 'b', 'c', kDle, 3, 2}, "abcabcabc"},
        // Length field full: one more byte adds to it.
        {"long match", {'z', kDle, lengthMask, 5, 0}, std::string(1 + lengthMask + 5 + 3, 'z')},
        {"match before the start",
         {kDle, static_cast<std::uint8_t>(far | 1), 0},
         std::string(4, '\0')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decode(reduceStream(c.bytes), c.output.size()), c.output)
            << c.name << ", factor " << factor;
}

TEST_P(DecoderReduceTest, UsesTheFollowerSetOfThePreviousByte) {
    // After 'q' the set {'u', 'a', 'e'} takes 2-bit indexes; after byte 0
    // (the start) the one-entry set {'q'} takes a 1-bit index.
    BitWriter w;
    for (int j = 255; j >= 0; --j) {
        const std::string set = j == 'q' ? "uae" : j == 0 ? "q" : "";
        w.bits(static_cast<std::uint32_t>(set.size()), 6);
        for (char c : set)
            w.byte(static_cast<std::uint8_t>(c));
    }
    w.bits(0, 1); // from the start's set ...
    w.bits(0, 1); // ... index 0: 'q'
    w.bits(0, 1); // from q's set ...
    w.bits(2, 2); // ... index 2: 'e'
    EXPECT_EQ(decode(w.finish(), 2), "qe");
}

INSTANTIATE_TEST_SUITE_P(Factors, DecoderReduceTest, ::testing::Values(1u, 2u, 3u, 4u),
                         [](const auto& info) { return "factor" + std::to_string(info.param); });

} // namespace
} // namespace qz::unzip::test
