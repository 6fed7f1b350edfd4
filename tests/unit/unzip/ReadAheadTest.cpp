// What the planning side hands over: entries decoded with the password they
// were read with, and nothing for an entry that the engine must read itself.
#include "unzip/ReadAhead.h"
#include "TestSupport.h"
#include "ZipBuilder.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <gtest/gtest.h>

namespace qz::unzip {
namespace {

using test::ZipBuilder;

class ReadAheadTest : public ::testing::Test {
protected:
    ReadAheadTest() {
        registerUnzipStrings(m.resources);
        ZipBuilder b;
        b.add("plain.txt", std::string(1000, 'p'));
        b.add("locked.txt", std::string(2000, 'l')).password = "pw";
        b.add("big.bin", std::string(100000, 'b'));
        b.add("dir\\", "");
        b.add("claims.bin", "x").uncompressedSize = 0xFFFFFFF0; // 4 GiB said, 1 byte there
        b.add("unknown.bin", "u").method = 99;
        b.add("last.txt", "last");
        b.add("long.bin", Pattern(40000)).password = "pw"; // over three blocks
        m.writeFile("C:\\a.zip", b.bytes());
        archive.SetName("C:\\a.zip");
        archive.Open();
    }

    static std::string Pattern(std::size_t size) {
        std::string text(size, 0);
        for (std::size_t i = 0; i < size; ++i)
            text[i] = static_cast<char>(i * 7 + i / 251);
        return text;
    }

    static std::string Text(const RecordedDecode* decoded) {
        if (!decoded)
            return "(none)";
        std::string text;
        for (std::size_t i = 0; i < decoded->pieces.size(); ++i)
            text.append(reinterpret_cast<const char*>(decoded->blocks[i]), decoded->pieces[i].size);
        return text;
    }

    test::TestMachine m;
    StringLookup strings{m.resources};
    ZipArchive archive{m.files, m.dialogs, strings, m.system.codePages(), 866};
    const std::vector<int> all{0, 1, 2, 3, 4, 5, 6, 7};
};

TEST_F(ReadAheadTest, EntriesWithinTheBudgetComeDecoded) {
    ReadAhead ahead(m.files, archive, all, 200000, 2);
    EXPECT_EQ(Text(ahead.take(0, "pw")), std::string(1000, 'p'));
    const RecordedDecode* locked = ahead.take(1, "pw");
    ASSERT_TRUE(locked);
    EXPECT_EQ(Text(locked), std::string(2000, 'l'));
    EXPECT_EQ(locked->status, DecodeStatus::Done);
    EXPECT_EQ(locked->crc, test::crc32Of(std::string(2000, 'l')));
    EXPECT_EQ(locked->pieces.size(), 1u);
    // Bigger than the whole budget, said to be, a folder, no decoder.
    for (int index : {2, 3, 4, 5})
        EXPECT_FALSE(ahead.take(index, "pw")) << index;
    EXPECT_EQ(Text(ahead.take(6, "pw")), "last");
    const RecordedDecode* spanning = ahead.take(7, "pw");
    ASSERT_TRUE(spanning);
    EXPECT_EQ(Text(spanning), Pattern(40000));
    EXPECT_EQ(spanning->crc, test::crc32Of(Pattern(40000)));
}

TEST_F(ReadAheadTest, PasswordsMustBeTheOnesOfTheRead) {
    {
        ReadAhead ahead(m.files, archive, all, 50000, 1);
        EXPECT_FALSE(ahead.take(1, "wrong")); // the header check fails
    }
    {
        ReadAhead ahead(m.files, archive, all, 50000, 1);
        EXPECT_TRUE(ahead.take(0, "pw"));     // read ahead with "pw" as well
        EXPECT_FALSE(ahead.take(1, "other")); // changed since
        EXPECT_TRUE(ahead.take(6, "other"));  // not encrypted: any password
    }
}

TEST_F(ReadAheadTest, SkippedEntriesAreDroppedAndATinyBudgetOrNoThreadDecodesNothing) {
    {
        ReadAhead ahead(m.files, archive, {0, 1, 6}, 50000, 2);
        EXPECT_EQ(Text(ahead.take(6, "pw")), "last");
    }
    for (auto [budget, threads] : {std::pair{100, 2}, std::pair{50000, 0}}) {
        ReadAhead ahead(m.files, archive, all, budget, threads);
        for (int index : all)
            EXPECT_FALSE(ahead.take(index, "pw")) << index << " " << budget;
    }
}

TEST_F(ReadAheadTest, AnArchiveThatCannotBeOpenedAgainIsReadByTheEngineAlone) {
    ASSERT_TRUE(m.files.deleteFile("C:\\a.zip")); // the engine's handle stays open
    ReadAhead ahead(m.files, archive, all, 200000, 2);
    for (int index : all)
        EXPECT_FALSE(ahead.take(index, "pw")) << index;
}

} // namespace
} // namespace qz::unzip
