// Archives written at test time by real writers decode to the very bytes that
// went in: Info-ZIP zip at every level (stored and deflated) and 7-Zip's
// deflate, over text, random data, long runs, empty and tiny files, and a file
// larger than the window many times over.
#include "DecoderTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace qz::unzip::test {
namespace {

std::map<std::string, std::string> sampleFiles() {
    std::map<std::string, std::string> files;
    files["text.txt"] = makeText(300000, 11);
    files["random.bin"] = makeRandom(100000, 12);
    files["runs.bin"] = std::string(150000, 'a') + std::string(70000, '\0');
    files["empty.txt"] = "";
    files["tiny.txt"] = "x";
    // Text with random stretches: matches across the window's wrap, stored
    // blocks among coded ones.
    std::string mixed;
    for (std::uint32_t i = 0; mixed.size() < 1200000; ++i)
        mixed += (i % 3 == 2) ? makeRandom(20000, i) : makeText(40000, i);
    files["mixed.dat"] = mixed;
    return files;
}

struct Writer {
    const char* tool;
    std::string options;
};

class DecoderRoundTripTest : public ::testing::TestWithParam<Writer> {};

TEST_P(DecoderRoundTripTest, DecodesToTheOriginalBytes) {
    const Writer& w = GetParam();
    if (!haveTool(w.tool))
        GTEST_SKIP() << w.tool << " is not installed";
    static const auto files = sampleFiles();
    ScratchFolder scratch;
    std::string list;
    for (const auto& [name, bytes] : files) {
        writeBytes(scratch.path / "in" / name, bytes);
        list += " " + name;
    }
    const std::string archive = (scratch.path / "a.zip").string();
    const std::string command = std::string(w.tool) == "zip"
                                    ? "zip -q " + w.options + " '" + archive + "'" + list
                                    : "7z a -tzip " + w.options + " '" + archive + "'" + list;
    ASSERT_TRUE(runCommand("cd '" + (scratch.path / "in").string() + "' && " + command +
                           " >/dev/null 2>&1"))
        << command;

    const auto entries = readZipEntries(archive);
    ASSERT_EQ(entries.size(), files.size());
    DecoderWorkspace workspace;
    for (const ZipEntry& e : entries) {
        SCOPED_TRACE(e.name + " " + w.options);
        MemorySink sink;
        const DecodeResult r = decodeEntry(workspace, e, sink);
        EXPECT_EQ(r.status, DecodeStatus::Done);
        EXPECT_EQ(r.crc, e.crc);
        EXPECT_TRUE(sink.data == files.at(e.name)) << "decoded bytes differ";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Writers, DecoderRoundTripTest,
    ::testing::Values(Writer{"zip", "-0"}, Writer{"zip", "-1"}, Writer{"zip", "-2"},
                      Writer{"zip", "-3"}, Writer{"zip", "-4"}, Writer{"zip", "-5"},
                      Writer{"zip", "-6"}, Writer{"zip", "-7"}, Writer{"zip", "-8"},
                      Writer{"zip", "-9"}, Writer{"7z", "-mm=Deflate -mx=1"},
                      Writer{"7z", "-mm=Deflate -mx=9"}),
    [](const auto& info) {
        std::string name = std::string(info.param.tool) + "_" + info.param.options;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

} // namespace
} // namespace qz::unzip::test
