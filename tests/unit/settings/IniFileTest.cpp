#include "settings/IniFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    test::TestMachine m;
    const std::string path = "C:\\QZ4\\QZ.INI";
    CodePage page(unsigned number) const { return {m.system.codePages(), number}; }
    IniFile load(const std::string& content, unsigned codePage = 1251) {
        m.writeFile(path, content);
        return IniFile(m.files, path, page(codePage));
    }
};

TEST_F(IniFileTest, ReadsLikeThePrivateProfileCalls) {
    IniFile ini = load("[Work Directory]\r\n  path =  C:\\A  \r\nPATH=C:\\B\r\n[work directory]\r\n"
                       "Label=second\r\n[Font]\nMain=\"Consolas\"\n");
    EXPECT_EQ(ini.readString("WORK DIRECTORY", "Path", "?"), "C:\\A");    // first wins, trimmed
    EXPECT_EQ(ini.readString("Work Directory", "Label", "none"), "none"); // second section unseen
    EXPECT_EQ(ini.readString("Font", "main", ""), "Consolas");            // quotes stripped
    EXPECT_EQ(ini.readString("Nope", "x", " d "), "d");
    EXPECT_EQ(ini.sectionKeys("work directory"), (std::vector<std::string>{"path", "PATH"}));
}

TEST_F(IniFileTest, IntegersAndBooleansReadAsTheRunTimeDoes) {
    IniFile ini = load("[S]\na=42\nb=-7\nc=0x1F\nd=$10\ne=12abc\nf=\ng=0\nh=99999999999\n");
    struct Case {
        const char* key;
        long value;
    } cases[] = {{"a", 42}, {"b", -7}, {"c", 31}, {"d", 16},     {"e", 5},
                 {"f", 5},  {"g", 0},  {"h", 5},  {"missing", 5}};
    for (const auto& c : cases)
        EXPECT_EQ(ini.readInteger("S", c.key, 5), c.value) << c.key;
    EXPECT_TRUE(ini.readBool("S", "b", false));
    EXPECT_FALSE(ini.readBool("S", "g", true));
    EXPECT_TRUE(ini.readBool("S", "e", true)); // not a number: the default
}

TEST_F(IniFileTest, WritesGoToTheFileAtOnceKeepingOtherLines) {
    IniFile ini = load("; comment\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(ini.writeString("a", "X", "10"));
    ASSERT_TRUE(ini.writeString("A", "z", "3"));
    ASSERT_TRUE(ini.writeInteger("C", "n", 7));
    EXPECT_EQ(m.readFile(path),
              "; comment\r\n[A]\r\nX=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nn=7\r\n");
    ASSERT_TRUE(ini.eraseSection("b"));
    EXPECT_EQ(m.readFile(path), "; comment\r\n[A]\r\nX=10\r\nz=3\r\n\r\n[C]\r\nn=7\r\n");
    EXPECT_EQ(IniFile(m.files, path, page(1251)).readInteger("c", "N", 0), 7);
}

TEST_F(IniFileTest, TextIsInTheAnsiCodePage) {
    IniFile ini = load("[Work Directory]\r\nLabel=\xC8\xE2\xE0\xED\r\n"); // "Иван" in 1251
    EXPECT_EQ(ini.readString("Work Directory", "Label", ""), "Иван");
    ASSERT_TRUE(ini.writeString("Work Directory", "Label", "Пётр"));
    EXPECT_EQ(m.readFile(path), "[Work Directory]\r\nLabel=\xCF\xB8\xF2\xF0\r\n");
}

// Whatever is written reads back as it was on every code page, or is refused:
// nothing silently becomes '?', loses its blanks or quotes, or breaks the line.
TEST_F(IniFileTest, ValuesReadBackAsWrittenOrAreRefused) {
    struct Case {
        const char* what;
        std::string value;
        bool stored;
    } cases[] = {
        {"Latin", "Ivanov Petr", true},
        {"Cyrillic", "Иванов Пётр", true},
        {"Chinese", "C:\\路径", true},
        {"quotes around", "\"Ivanov\"", true},
        {"single quotes around", "'x'", true},
        {"blanks at the ends", "  Ivanov ", true},
        {"line feed", "Ivanov\nPetr", false},
        {"carriage return", "Ivanov\r[Other]", false},
        {"tabs", "\ta\tb", true},
        {"escape", "a\x1b", false},
    };
    for (unsigned codePage : {1251u, 1252u}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " on " + std::to_string(codePage));
            IniFile ini = load("[A]\r\nx=1\r\n", codePage);
            EXPECT_EQ(ini.writeString("S", "k", c.value), c.stored);
            EXPECT_EQ(ini.writeFailed(), !c.stored);
            IniFile again(m.files, path, page(codePage));
            EXPECT_EQ(again.readString("S", "k", "<none>"), c.stored ? c.value : "<none>");
            EXPECT_EQ(again.readString("A", "x", ""), "1");
        }
    }
}

TEST_F(IniFileTest, TextTheCodePageCannotHoldMakesTheFileUtf16) {
    IniFile ini = load("[Work Directory]\r\nPath=C:\\Work\r\n", 1252);
    ASSERT_TRUE(ini.writeString("Work Directory", "Label", "Иван"));
    std::string utf16 = "\xFF\xFE";
    for (char16_t unit :
         std::u16string_view(u"[Work Directory]\r\nPath=C:\\Work\r\nLabel=Иван\r\n"))
        utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    EXPECT_EQ(m.readFile(path), utf16);
    // It stays UTF-16 when what follows would fit the code page again.
    ASSERT_TRUE(ini.writeString("Work Directory", "Label", "Ivan"));
    EXPECT_TRUE(m.readFile(path)->starts_with("\xFF\xFE"));
    // A file with the UTF-8 mark keeps it.
    IniFile utf8 = load("\xEF\xBB\xBF[S]\r\nk=Пётр\r\n", 1252);
    EXPECT_EQ(utf8.readString("S", "k", ""), "Пётр");
    ASSERT_TRUE(utf8.writeString("S", "n", "Иван"));
    EXPECT_EQ(m.readFile(path), "\xEF\xBB\xBF[S]\r\nk=Пётр\r\nn=Иван\r\n");
}

TEST_F(IniFileTest, ACodePageWithoutATableIsRefusedNotGuessed) {
    // "路径" in code page 936: read as any other code page it would become
    // other letters, written back it would become "??".
    const std::string chinese = "[Work Directory]\r\nPath=C:\\\xC2\xB7\xBE\xB6\r\n";
    EXPECT_THROW(load(chinese, 936), UnsupportedCodePage);
    IniFile unsupported(m.files, "C:\\new.ini", page(936));
    EXPECT_THROW(unsupported.writeString("Work Directory", "Path", "C:\\路径"),
                 UnsupportedCodePage);
    EXPECT_FALSE(m.files.fileExists("C:\\new.ini"));
    EXPECT_EQ(m.readFile(path), chinese);
}

TEST_F(IniFileTest, MissingFileReadsEmptyAndUnwritableFileReportsFailure) {
    IniFile missing(m.files, "C:\\none.ini", page(1252));
    EXPECT_FALSE(missing.readable());
    EXPECT_EQ(missing.readString("S", "k", "d"), "d");
    IniFile noFolder(m.files, "C:\\no\\such\\folder.ini", page(1252));
    EXPECT_FALSE(noFolder.writeString("S", "k", "v"));
}

TEST_F(IniFileTest, AFailureReportedAtTheCloseIsAFailedWrite) {
    m.files.createDirectories("D:\\QZ4");
    m.files.setWritesFailAtClose('D');
    IniFile ini(m.files, "D:\\QZ4\\QZ.INI", page(1252));
    EXPECT_FALSE(ini.writeString("S", "k", "v"));
    EXPECT_TRUE(ini.writeFailed());
}

} // namespace
} // namespace qz
