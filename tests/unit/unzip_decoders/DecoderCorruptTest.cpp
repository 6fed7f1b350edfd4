// Damaged input never crashes, never loops and never passes for good data:
// hand-made deflate and shrink streams with one fault each, every truncation
// of real entries, and random bit flips in them (run under the sanitizers).
#include "DecoderTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace qz::unzip::test {
namespace {

// Fixed-code symbols as RFC 1951 assigns them.
void fixedLiteral(BitWriter& w, unsigned symbol) {
    if (symbol < 144)
        w.code(0x30 + symbol, 8);
    else if (symbol < 256)
        w.code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        w.code(symbol - 256, 7);
    else
        w.code(0xC0 + symbol - 280, 8);
}

void fixedBlock(BitWriter& w, bool last) {
    w.bits(last ? 1 : 0, 1);
    w.bits(1, 2);
}

// Canonical codes for the given lengths (shorter first, then symbol order).
std::vector<std::uint32_t> canonicalCodes(const std::vector<unsigned>& lengths) {
    std::vector<std::uint32_t> codes(lengths.size());
    std::uint32_t code = 0;
    for (unsigned len = 1; len <= 15; ++len, code <<= 1)
        for (std::size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s] == len)
                codes[s] = code++;
    return codes;
}

// A dynamic block header whose code length code gives codeLengthLengths[s]
// to symbol s; lengths: the sequence of code length symbols with their extra
// bits ({symbol, extra value}).
void dynamicHeader(BitWriter& w, unsigned hlit, unsigned hdist,
                   const std::vector<unsigned>& codeLengthLengths,
                   const std::vector<std::pair<unsigned, unsigned>>& lengths) {
    static const unsigned order[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                       11, 4,  12, 3, 13, 2, 14, 1, 15};
    unsigned hclen = 4;
    for (unsigned i = 0; i < 19; ++i)
        if (codeLengthLengths[order[i]] != 0)
            hclen = std::max(hclen, i + 1);
    w.bits(1, 1);
    w.bits(2, 2);
    w.bits(hlit - 257, 5);
    w.bits(hdist - 1, 5);
    w.bits(hclen - 4, 4);
    for (unsigned i = 0; i < hclen; ++i)
        w.bits(codeLengthLengths[order[i]], 3);
    const auto codes = canonicalCodes(codeLengthLengths);
    for (auto [symbol, extra] : lengths) {
        w.code(codes[symbol], codeLengthLengths[symbol]);
        if (symbol == 16)
            w.bits(extra, 2);
        else if (symbol == 17)
            w.bits(extra, 3);
        else if (symbol == 18)
            w.bits(extra, 7);
    }
}

std::vector<unsigned> codeLengthCode(std::initializer_list<std::pair<unsigned, unsigned>> given) {
    std::vector<unsigned> lengths(19, 0);
    for (auto [symbol, length] : given)
        lengths[symbol] = length;
    return lengths;
}

struct StreamCase {
    const char* name;
    std::string stream;
    DecodeStatus status;
    std::string output;
};

std::vector<StreamCase> deflateCases() {
    std::vector<StreamCase> cases;
    const auto add = [&](const char* name, std::string stream, DecodeStatus status,
                         std::string output = {}) {
        cases.push_back({name, std::move(stream), status, std::move(output)});
    };
    using S = DecodeStatus;
    add("no input", "", S::CorruptData);
    add("empty stored block", std::string("\x01\x00\x00\xFF\xFF", 5), S::Done);
    add("stored block", std::string("\x01\x05\x00\xFA\xFFhello", 10), S::Done, "hello");
    add("stored length check fails", std::string("\x01\x05\x00\x00\x00hello", 10), S::CorruptData);
    add("stored block cut short", std::string("\x01\x0A\x00\xF5\xFFhello", 10), S::CorruptData);
    add("last block missing", std::string("\x00\x00\x00\xFF\xFF", 5), S::CorruptData);
    {
        BitWriter w;
        w.bits(1, 1);
        w.bits(3, 2);
        add("reserved block type", w.finish(), S::CorruptData);
    }
    {
        BitWriter w;
        fixedBlock(w, true);
        fixedLiteral(w, 'a');
        fixedLiteral(w, 257); // length 3
        w.code(0, 5);         // distance 1
        fixedLiteral(w, 256);
        add("run of one byte", w.finish(), S::Done, "aaaa");
    }
    {
        BitWriter w;
        fixedBlock(w, true);
        fixedLiteral(w, 'a');
        fixedLiteral(w, 257);
        w.code(1, 5); // distance 2, one byte written so far
        fixedLiteral(w, 256);
        add("distance before the output", w.finish(), S::CorruptData);
    }
    {
        BitWriter w;
        fixedBlock(w, true);
        fixedLiteral(w, 'a');
        fixedLiteral(w, 286);
        add("literal/length 286", w.finish(), S::CorruptData);
    }
    {
        BitWriter w;
        fixedBlock(w, true);
        fixedLiteral(w, 'a');
        fixedLiteral(w, 257);
        w.code(30, 5);
        add("distance code 30", w.finish(), S::CorruptData);
    }
    {
        BitWriter w;
        fixedBlock(w, true);
        fixedLiteral(w, 'a');
        add("no end of block", w.finish(), S::CorruptData);
    }
    {
        // 32768 bytes, then a copy of 258 from exactly the window's size back.
        const std::string first = makeRandom(32768, 3);
        std::string s = std::string("\x00\x00\x80\xFF\x7F", 5) + first;
        BitWriter w;
        fixedBlock(w, true);
        fixedLiteral(w, 285); // length 258
        w.code(29, 5);
        w.bits(8191, 13); // distance 24577 + 8191 = 32768
        fixedLiteral(w, 256);
        add("longest distance and length", s + w.finish(), S::Done, first + first.substr(0, 258));
    }
    {
        BitWriter w;
        dynamicHeader(w, 287, 1, codeLengthCode({{1, 1}, {18, 1}}), {});
        add("287 literal/length codes", w.finish(), S::CorruptData);
    }
    {
        BitWriter w;
        dynamicHeader(w, 257, 31, codeLengthCode({{1, 1}, {18, 1}}), {});
        add("31 distance codes", w.finish(), S::CorruptData);
    }
    {
        BitWriter w;
        dynamicHeader(w, 257, 1, codeLengthCode({{16, 1}, {1, 1}}), {{16, 0}});
        add("repeat with nothing before", w.finish(), S::CorruptData);
    }
    {
        BitWriter w;
        dynamicHeader(w, 257, 1, codeLengthCode({{16, 1}, {17, 1}, {18, 1}}), {});
        add("over-subscribed code length code", w.finish(), S::CorruptData);
    }
    {
        // Only 'x' and 'y' have codes; the block can never end.
        BitWriter w;
        dynamicHeader(w, 257, 1, codeLengthCode({{1, 1}, {18, 1}}),
                      {{18, 120 - 11}, {1, 0}, {1, 0}, {18, 136 - 11}});
        add("no end-of-block code", w.finish(), S::CorruptData);
    }
    {
        // 'x' has the all-zero code: the zeros after the input's end would
        // decode as 'x' for ever.
        BitWriter w;
        dynamicHeader(w, 257, 1, codeLengthCode({{1, 1}, {18, 1}}),
                      {{18, 120 - 11}, {1, 0}, {18, 135 - 11}, {1, 0}, {1, 0}});
        w.code(0, 1);
        add("zeros after the end", w.finish(), S::CorruptData);
    }
    {
        BitWriter w;
        dynamicHeader(w, 257, 1, codeLengthCode({{1, 1}, {18, 1}}),
                      {{18, 120 - 11}, {1, 0}, {18, 135 - 11}, {1, 0}, {1, 0}});
        w.code(0, 1);
        w.code(0, 1);
        w.code(1, 1);
        add("two-symbol dynamic code", w.finish(), S::Done, "xx");
    }
    return cases;
}

TEST(DecoderCorruptTest, HandMadeDeflateStreams) {
    DecoderWorkspace workspace;
    for (const StreamCase& c : deflateCases()) {
        MemorySource source(c.stream);
        MemorySink sink;
        // A size far beyond the data: only the stream itself can stop decoding.
        const DecodeResult r = workspace.decode({8, 0, std::uint64_t{1} << 40}, source, sink);
        EXPECT_EQ(r.status, c.status) << c.name;
        // On a fault nothing still pending is written.
        EXPECT_TRUE(sink.data == c.output) << c.name;
    }
}

std::vector<StreamCase> shrinkCases() {
    using S = DecodeStatus;
    struct Codes {
        const char* name;
        std::vector<std::pair<unsigned, unsigned>> codes; // {code, bits}
        S status;
        std::string output;
    };
    const Codes table[] = {
        {"literals", {{'a', 9}, {'b', 9}}, S::Done, "ab"},
        {"string code", {{'a', 9}, {'b', 9}, {257, 9}}, S::Done, "abab"},
        {"code defined by its own use", {{'a', 9}, {257, 9}}, S::Done, "aaa"},
        {"wider codes", {{'a', 9}, {256, 9}, {1, 9}, {'c', 10}}, S::Done, "ac"},
        {"short last code is padding", {{'a', 9}, {0, 5}}, S::Done, "a"},
        {"first code not a byte", {{300, 9}}, S::CorruptData, ""},
        {"unknown control", {{'a', 9}, {256, 9}, {3, 9}}, S::CorruptData, ""},
        {"control cut short", {{'a', 9}, {256, 9}}, S::CorruptData, ""},
        {"code from the future", {{'a', 9}, {300, 9}}, S::CorruptData, ""},
        {"codes wider than 13 bits",
         {{'a', 9},
          {256, 9},
          {1, 9},
          {256, 10},
          {1, 10},
          {256, 11},
          {1, 11},
          {256, 12},
          {1, 12},
          {256, 13},
          {1, 13}},
         S::CorruptData,
         ""},
    };
    std::vector<StreamCase> cases;
    for (const Codes& c : table) {
        BitWriter w;
        for (auto [code, bits] : c.codes)
            w.bits(code, bits);
        cases.push_back({c.name, w.finish(), c.status, c.output});
    }
    return cases;
}

TEST(DecoderCorruptTest, HandMadeShrinkStreams) {
    DecoderWorkspace workspace;
    for (const StreamCase& c : shrinkCases()) {
        MemorySource source(c.stream);
        MemorySink sink;
        const DecodeResult r = workspace.decode({1, 0, 1000}, source, sink);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(sink.data, c.output) << c.name;
    }
}

// Entries of every method: the fixtures and a deflated one made here.
std::vector<ZipEntry> sampleEntries(const std::filesystem::path& fixtures) {
    std::vector<ZipEntry> all;
    for (const char* name : {"HWSHRINK.ZIP", "HWREDUCE.ZIP", "HWIMPODE.ZIP", "example-i.zip"})
        for (ZipEntry& e : readZipEntries(fixtures / name))
            if (e.uncompressedSize < 10000)
                all.push_back(std::move(e));
    if (haveTool("zip")) {
        ScratchFolder scratch;
        writeBytes(scratch.path / "t.txt", makeText(6000, 9) + makeRandom(300, 9));
        if (runCommand("cd '" + scratch.path.string() + "' && zip -q -9 a.zip t.txt"))
            for (ZipEntry& e : readZipEntries(scratch.path / "a.zip"))
                all.push_back(std::move(e));
    }
    return all;
}

TEST(DecoderCorruptTest, TruncatedDataNeverPassesForComplete) {
    QZ4_FIXTURES_OR_SKIP(dir, "zip");
    DecoderWorkspace workspace;
    for (ZipEntry e : sampleEntries(dir)) {
        const std::string whole = e.data;
        for (std::size_t n = 0; n < whole.size(); ++n) {
            e.data = whole.substr(0, n);
            MemorySink sink;
            const DecodeResult r = decodeEntry(workspace, e, sink);
            EXPECT_FALSE(r.status == DecodeStatus::Done && r.crc == e.crc &&
                         r.written == e.uncompressedSize)
                << e.name << " cut at " << n;
            // Deflate knows where its data ends; shrink has no end mark, and
            // reduce and implode may finish on bits of the last byte.
            if (e.method == 8) {
                EXPECT_EQ(r.status, DecodeStatus::CorruptData) << e.name << " cut at " << n;
            }
        }
    }
}

TEST(DecoderCorruptTest, FlippedBitsEndCleanly) {
    QZ4_FIXTURES_OR_SKIP(dir, "zip");
    DecoderWorkspace workspace;
    std::mt19937 rng(2026);
    for (ZipEntry e : sampleEntries(dir)) {
        const std::string whole = e.data;
        for (int round = 0; round < 300; ++round) {
            e.data = whole;
            const int flips = 1 + static_cast<int>(rng() % 4);
            for (int i = 0; i < flips; ++i)
                e.data[rng() % e.data.size()] ^= static_cast<char>(1u << (rng() % 8));
            MemorySink sink;
            const DecodeResult r = decodeEntry(workspace, e, sink);
            EXPECT_LE(r.written, e.uncompressedSize);
            EXPECT_EQ(sink.data.size(), r.written);
        }
    }
}

} // namespace
} // namespace qz::unzip::test
