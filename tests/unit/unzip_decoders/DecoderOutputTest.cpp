// What the engine relies on at the output side: pieces of kPieceSize, a piece
// that would pass the stated size is refused with nothing more written, a
// refusing sink stops decoding, unknown methods read and write nothing, and
// the workspace serves entry after entry.
#include "unzip/decoders/Crc32.h"

#include "DecoderTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qz::unzip::test {
namespace {

// Deflate stored blocks of at most 65535 bytes each.
std::string deflateStored(std::string_view data) {
    std::string out;
    do {
        const std::size_t n = std::min<std::size_t>(data.size(), 65535);
        const bool last = n == data.size();
        out += static_cast<char>(last ? 1 : 0);
        for (unsigned v : {static_cast<unsigned>(n), static_cast<unsigned>(~n & 0xFFFF)}) {
            out += static_cast<char>(v & 0xFF);
            out += static_cast<char>(v >> 8);
        }
        out += data.substr(0, n);
        data.remove_prefix(n);
    } while (!data.empty());
    return out;
}

std::uint32_t crcOf(std::string_view s) {
    Crc32 crc;
    crc.update(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    return crc.value();
}

struct Encoded {
    const char* name;
    std::uint16_t method;
};

class DecoderOutputTest : public ::testing::TestWithParam<Encoded> {
protected:
    // 40000 bytes as the parameter's method stores them.
    const std::string data = makeText(40000, 5);
    std::string stream() const { return GetParam().method == 8 ? deflateStored(data) : data; }
    EntryCoding coding(std::uint64_t size) const { return {GetParam().method, 0, size}; }
    DecoderWorkspace workspace;
};

TEST_P(DecoderOutputTest, WholePiecesThenTheRest) {
    const std::string s = stream();
    MemorySource source(s, 7);
    MemorySink sink;
    const DecodeResult r = workspace.decode(coding(data.size()), source, sink);
    EXPECT_EQ(r.status, DecodeStatus::Done);
    EXPECT_EQ(sink.pieces, (std::vector<std::size_t>{16000, 16000, 8000}));
    EXPECT_EQ(sink.data, data);
    EXPECT_EQ(r.written, data.size());
    EXPECT_EQ(r.crc, crcOf(data));
    EXPECT_EQ(source.largestRequest, kPieceSize);
}

TEST_P(DecoderOutputTest, APieceBeyondTheStatedSizeIsNotWritten) {
    struct Case {
        std::uint64_t statedSize;
        std::size_t kept;
    };
    for (const Case c :
         {Case{35000, 32000}, Case{39999, 32000}, Case{16000, 16000}, Case{15999, 0}, Case{0, 0}}) {
        const std::string s = stream();
        MemorySource source(s);
        MemorySink sink;
        const DecodeResult r = workspace.decode(coding(c.statedSize), source, sink);
        EXPECT_EQ(r.status, DecodeStatus::BiggerThanUncompressed) << c.statedSize;
        EXPECT_EQ(r.written, c.kept) << c.statedSize;
        EXPECT_EQ(sink.data, data.substr(0, c.kept)) << c.statedSize;
        EXPECT_EQ(r.crc, crcOf(sink.data)) << c.statedSize;
    }
}

TEST_P(DecoderOutputTest, RefusingSinkStopsDecoding) {
    const std::string s = stream();
    MemorySource source(s);
    MemorySink sink;
    sink.acceptPieces = 1;
    const DecodeResult r = workspace.decode(coding(data.size()), source, sink);
    EXPECT_EQ(r.status, DecodeStatus::OutputRefused);
    EXPECT_EQ(r.written, kPieceSize);
    EXPECT_EQ(r.crc, crcOf(data.substr(0, kPieceSize)));
}

TEST_P(DecoderOutputTest, SourceExceptionsPassThrough) {
    // Cancel requests and a premature end of the archive reach the engine as
    // its own exceptions, thrown from inside the source.
    struct ThrowingSource : ByteSource {
        std::size_t read(std::uint8_t*, std::size_t) override {
            throw std::runtime_error("cancelled");
        }
    } source;
    MemorySink sink;
    EXPECT_THROW(workspace.decode(coding(data.size()), source, sink), std::runtime_error);
    // The workspace is still good for the next entry.
    const std::string s = stream();
    MemorySource good(s);
    EXPECT_EQ(workspace.decode(coding(data.size()), good, sink).status, DecodeStatus::Done);
}

INSTANTIATE_TEST_SUITE_P(Methods, DecoderOutputTest,
                         ::testing::Values(Encoded{"stored", 0}, Encoded{"deflated", 8}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecoderMethodTest, UnknownMethodsReadAndWriteNothing) {
    for (std::uint16_t m = 0; m <= 8; ++m)
        EXPECT_EQ(isSupportedMethod(m), m != 7) << m;
    DecoderWorkspace workspace;
    for (std::uint16_t m : {7, 9, 10, 12, 14, 19, 93, 95, 96, 97, 98, 99}) {
        MemorySource source("some data");
        MemorySink sink;
        const DecodeResult r = workspace.decode({m, 0, 9}, source, sink);
        EXPECT_EQ(r.status, DecodeStatus::UnsupportedMethod) << m;
        EXPECT_EQ(source.consumed(), 0u);
        EXPECT_TRUE(sink.pieces.empty());
    }
}

} // namespace
} // namespace qz::unzip::test
