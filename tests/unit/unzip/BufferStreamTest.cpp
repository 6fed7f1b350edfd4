#include "unzip/BufferStream.h"
#include "TestSupport.h"
#include "unzip/Errors.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace qz {
namespace {

// An underlying stream in memory that counts the calls reaching it and can
// refuse writes beyond a limit.
class MemoryStream : public TStream {
public:
    std::string data;
    std::int64_t position = 0;
    std::size_t writeLimit = SIZE_MAX;
    int reads = 0;
    int writes = 0;

    std::size_t Read(void* buffer, std::size_t count) override {
        ++reads;
        std::size_t n = position >= static_cast<std::int64_t>(data.size())
                            ? 0
                            : std::min(count, data.size() - static_cast<std::size_t>(position));
        std::memcpy(buffer, data.data() + position, n);
        position += static_cast<std::int64_t>(n);
        return n;
    }
    std::size_t Write(const void* buffer, std::size_t count) override {
        ++writes;
        std::size_t n = std::min(count, writeLimit);
        writeLimit -= n;
        if (data.size() < position + n)
            data.resize(position + n);
        std::memcpy(data.data() + position, buffer, n);
        position += static_cast<std::int64_t>(n);
        return n;
    }
    std::int64_t Seek(std::int64_t offset, int origin) override {
        position = origin == soFromBeginning ? offset
                   : origin == soFromCurrent ? position + offset
                                             : static_cast<std::int64_t>(data.size()) + offset;
        return position;
    }
    std::int64_t Size() override { return static_cast<std::int64_t>(data.size()); }
};

class BufferStreamTest : public ::testing::Test {
protected:
    BufferStreamTest() { registerUnzipStrings(resources); }
    HostResources resources;
    StringLookup strings{resources};
    MemoryStream memory;
};

std::string ReadAll(TStream& s, std::size_t count) {
    std::string out(count, '\0');
    out.resize(s.Read(out.data(), count));
    return out;
}

TEST_F(BufferStreamTest, OriginEndCountsBackWhateverTheSign) {
    memory.data = std::string(100, 'x');
    TS_BufferStream s(memory, strings);
    EXPECT_EQ(s.Seek(5, soFromEnd), 95);
    EXPECT_EQ(s.Seek(-5, soFromEnd), 95);
    EXPECT_EQ(s.Seek(10, soFromCurrent), 105);
}

TEST_F(BufferStreamTest, UnflushedBytesCountForTheEnd) {
    TS_BufferStream s(memory, strings);
    s.Write("0123456789", 10);
    EXPECT_EQ(memory.writes, 0);
    EXPECT_EQ(s.Size(), 10);
    EXPECT_EQ(s.Seek(0, soFromEnd), 10); // where it is already: nothing to do
    EXPECT_EQ(memory.data, "");
    EXPECT_EQ(s.Seek(-4, soFromEnd), 6);
    EXPECT_EQ(memory.data, "0123456789"); // flushed by the move
}

TEST_F(BufferStreamTest, ReadAfterWriteFlushesAndContinuesBehindTheWrittenBytes) {
    memory.data = "abcdefghij";
    TS_BufferStream s(memory, strings);
    s.Write("XYZ", 3);
    EXPECT_EQ(ReadAll(s, 4), "defg");
    EXPECT_EQ(memory.data, "XYZdefghij");
    EXPECT_EQ(s.Position(), 7);
}

TEST_F(BufferStreamTest, WriteAfterReadGoesToTheLogicalPosition) {
    memory.data = "abcdefghij";
    TS_BufferStream s(memory, strings);
    EXPECT_EQ(ReadAll(s, 2), "ab");
    s.Write("12", 2);
    s.Seek(0, soFromBeginning);
    EXPECT_EQ(ReadAll(s, 10), "ab12efghij");
}

TEST_F(BufferStreamTest, SmallReadsReachTheUnderlyingStreamOncePerBuffer) {
    memory.data = std::string(3 * 8192, 'z');
    TS_BufferStream s(memory, strings);
    int fills = 0;
    s.OnFillBuffer = [&] { ++fills; };
    char c;
    for (int i = 0; i < 8192 * 2; ++i)
        ASSERT_EQ(s.Read(&c, 1), 1u);
    EXPECT_EQ(memory.reads, 2);
    EXPECT_EQ(fills, 2);
    // Seeking to where the stream already is costs nothing.
    s.Seek(8192 * 2, soFromBeginning);
    EXPECT_EQ(memory.reads, 2);
    ASSERT_EQ(s.Read(&c, 1), 1u);
    EXPECT_EQ(memory.reads, 3);
}

TEST_F(BufferStreamTest, LargeReadsAndWritesCrossBufferBoundaries) {
    std::string payload(20000, '\0');
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>(i * 7);
    {
        TS_BufferStream s(memory, strings);
        int flushes = 0;
        s.OnFlushBuffer = [&] { ++flushes; };
        EXPECT_EQ(s.Write(payload.data(), payload.size()), payload.size());
        EXPECT_EQ(flushes, 2); // two full buffers; the rest waits for the destructor
    }
    EXPECT_TRUE(memory.data == payload);
    memory.position = 0;
    TS_BufferStream s(memory, strings);
    EXPECT_TRUE(ReadAll(s, 30000) == payload);
    EXPECT_EQ(s.Read(payload.data(), 1), 0u);
}

// Extracted files get a buffer of their own size: writes reach the
// underlying stream once per buffer of that size.
TEST_F(BufferStreamTest, AGivenBufferSizeSetsTheWrites) {
    const std::string payload(100000, 'p');
    {
        TS_BufferStream s(memory, strings, 40000);
        EXPECT_EQ(s.bufferSize(), 40000u);
        EXPECT_EQ(s.Write(payload.data(), payload.size()), payload.size());
        EXPECT_EQ(memory.writes, 2);
    }
    EXPECT_EQ(memory.writes, 3); // the last 20000 bytes at the end
    EXPECT_TRUE(memory.data == payload);
}

TEST_F(BufferStreamTest, ShortWritesShowInTheCountAndFailSeeks) {
    memory.writeLimit = 100;
    TS_BufferStream s(memory, strings);
    std::string big(3 * 8192, 'w');
    EXPECT_EQ(s.Write(big.data(), big.size()), 0u);

    memory.writeLimit = 5;
    s.Write("0123456789", 10);
    try {
        s.Seek(0, soFromBeginning);
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Seek error");
    }
}

TEST_F(BufferStreamTest, InvalidOriginNamesIt) {
    TS_BufferStream s(memory, strings);
    try {
        s.Seek(0, 7);
        FAIL() << "no error";
    } catch (const EUnzipError& e) {
        EXPECT_STREQ(e.what(), "Invalid seek origin (7)");
    }
}

TEST_F(BufferStreamTest, PutBackReturnsTheByteAndOverflowsAtTheBufferStart) {
    memory.data = "abc";
    TS_BufferStream s(memory, strings);
    EXPECT_THROW(s.PutBack('x'), EStreamError); // nothing read yet
    EXPECT_EQ(ReadAll(s, 1), "a");
    s.PutBack('Q');
    EXPECT_EQ(ReadAll(s, 3), "Qbc");

    TS_BufferStream fresh(memory, strings);
    memory.position = 0;
    EXPECT_EQ(ReadAll(fresh, 1), "a");
    fresh.PutBack('a');
    try {
        fresh.PutBack('a');
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Putback overflow");
    }
}

TEST_F(BufferStreamTest, FileStreamWritesReadsAndReportsTheDate) {
    test::TestMachine m;
    EXPECT_THROW(TLFNFileStream(m.files, "C:\\missing\\f.bin", fmCreate, strings), EFOpenError);
    m.files.createDirectories("C:\\data");
    {
        TLFNFileStream out(m.files, "C:\\data\\f.bin", fmCreate, strings);
        out.Write("hello, world", 12);
    }
    EXPECT_EQ(m.readFile("C:\\data\\f.bin"), "hello, world");
    TLFNFileStream in(m.files, "C:\\DATA\\F.BIN", fmOpenRead | fmShareDenyWrite, strings);
    in.Seek(7, soFromBeginning);
    EXPECT_EQ(ReadAll(in, 10), "world");
    EXPECT_EQ(in.fileDate(), m.files.lastWriteTime("C:\\data\\f.bin"));
    EXPECT_THROW(TLFNFileStream(m.files, "C:\\nothing.zip", fmOpenRead, strings), EFOpenError);
}

TEST_F(BufferStreamTest, StringTablesAnswerByIdAndNameTheMissingTable) {
    EXPECT_EQ(strings.lookup(kStreamStrings, 1), "Seek error");
    EXPECT_EQ(strings.lookup(kStreamStrings, 4), "Cannot find resource");
    EXPECT_EQ(strings.lookup(kStreamStrings, 7), "Cannot write to a resource stream");
    EXPECT_EQ(strings.lookup(kStreamStrings, 8), "");
    try {
        strings.lookup("S_OTHER", 1);
        FAIL() << "no error";
    } catch (const EUnzipError& e) {
        EXPECT_STREQ(e.what(), "No such string resource: S_OTHER");
    }
}

TEST_F(BufferStreamTest, DamagedTableEndsTheSearchInsideItsBytes) {
    // Record 5 claims 200 bytes where 3 remain; no record has id 0.
    static const std::uint8_t table[] = {1, 0, 2, 'o', 'k', 5, 0, 200, 'a', 'b', 'c'};
    resources.add(kStringTableType, "S_BROKEN", table);
    EXPECT_EQ(strings.lookup("S_BROKEN", 1), "ok");
    EXPECT_EQ(strings.lookup("S_BROKEN", 5), "");
    EXPECT_EQ(strings.lookup("S_BROKEN", 9), "");
}

} // namespace
} // namespace qz
