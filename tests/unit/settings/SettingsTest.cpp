#include "settings/Settings.h"

#include "locale/Catalogue.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"

#include "TestSupport.h"
#include "text/Text.h"

#include <gtest/gtest.h>

#include <functional>

namespace qz {
namespace {

const std::string ProgramDir = "C:\\Program Files (x86)\\QZ4\\";
const std::string IniPath = ProgramDir + "QZ.INI";

class SettingsTest : public ::testing::Test {
protected:
    test::TestMachine m;
    SettingsFile file{m.platform, ProgramDir};
    SettingsTest() {
        ResetLanguageState();
        SetLanguage("en");
        FillCatalogue();
    }
    ~SettingsTest() override { ResetLanguageState(); }
    void SetUp() override { m.files.createDirectories(ProgramDir); }
    Settings readWith(const std::string& ini) {
        m.writeFile(IniPath, ini);
        return file.read(nullptr);
    }
};

TEST_F(SettingsTest, PathsKeepExistingFoldersAndSkipABareRootAtTheEnd) {
    m.files.createDirectories("C:\\A");
    m.files.createDirectories("C:\\B");
    struct Case {
        const char* paths;
        std::vector<std::string> expected;
    } cases[] = {
        {"C:\\A|C:\\B|", {"C:\\QZ4Work", "C:\\A", "C:\\B"}},
        {"C:\\A|C:\\", {"C:\\QZ4Work", "C:\\A"}},
        {"C:\\|C:\\A", {"C:\\QZ4Work", "C:\\", "C:\\A"}}, // a root inside the list is taken
        {" C:\\B | C:\\Missing |c:\\a", {"C:\\QZ4Work", "C:\\B", "c:\\a"}},
        {"C:\\QZ4WORK|C:\\A", {"C:\\QZ4WORK", "C:\\A"}}, // already listed: not inserted again
    };
    for (const auto& c : cases) {
        Settings s = readWith("[Work Directory]\r\nPaths=" + std::string(c.paths) + "\r\n");
        EXPECT_EQ(s.workDirectories, c.expected) << c.paths;
    }
}

TEST_F(SettingsTest, SelectionFollowsPathOrFallsBackToTheFirst) {
    m.files.createDirectories("C:\\A");
    Settings s = readWith("[Work Directory]\r\nPaths=C:\\A\r\nPath= c:\\a \r\n");
    ASSERT_EQ(s.workDirectories, (std::vector<std::string>{"C:\\QZ4Work", "C:\\A"}));
    EXPECT_EQ(s.selectedWorkDirectory, 1);
    s = readWith("[Work Directory]\r\nPaths=C:\\A\r\nPath=C:\\Elsewhere\r\n");
    EXPECT_EQ(s.selectedWorkDirectory, 0);
}

TEST_F(SettingsTest, EmptyFileGivesTheDefaultWorkDirectoryCreated) {
    Settings s = readWith("");
    EXPECT_TRUE(m.files.directoryExists("C:\\QZ4Work"));
    EXPECT_EQ(s.workDirectories, std::vector<std::string>{"C:\\QZ4Work"});
    EXPECT_EQ(s.selectedWorkDirectory, 0);
    EXPECT_EQ(s.font, "Consolas");
    EXPECT_FALSE(s.useLocalDir);
    EXPECT_EQ(s.localDirName, "C:\\QZ4Work\\Output");
}

TEST_F(SettingsTest, WithoutADriveCNothingIsSelected) {
    m.files.setDriveType('C', DriveType::NoRootDir);
    std::filesystem::remove_all(m.root / "C");
    SettingsFile onD{m.platform, "D:\\QZ4\\"};
    m.writeFile("D:\\QZ4\\QZ.INI", "[Work Directory]\r\nPath=D:\\\r\n");
    Settings s = onD.read(nullptr);
    EXPECT_TRUE(s.workDirectories.empty());
    EXPECT_EQ(s.selectedWorkDirectory, -1);
}

TEST_F(SettingsTest, FontLabelAndOutputDirectoryRules) {
    struct Case {
        const char* font;
        const char* expected;
    } fonts[] = {{"Consolas", "Consolas"},
                 {"CONSOLAS", "CONSOLAS"},
                 {"Arial", "Courier New"},
                 {"", "Courier New"}};
    for (const auto& c : fonts)
        EXPECT_EQ(readWith("[Font]\r\nMain=" + std::string(c.font) + "\r\n").font, c.expected);

    m.system.ansi = 1251;
    Settings s = readWith(text::encode("[Work Directory]\r\nLabel=Абвгдеёжзийклмнопрстуфхцчш\r\n"
                                       "DefaultEnvir=VCNET10\r\n[Repos]\r\nName=g1\r\nLogin=st\r\n",
                                       1251));
    EXPECT_EQ(s.label, "Абвгдеёжзийклмнопрстуфхцч"); // the first 25 characters
    EXPECT_EQ(s.defaultEnvir, "VCNET10");
    EXPECT_EQ(s.reposName, "g1");
    EXPECT_EQ(s.reposLogin, "st");

    s = readWith("[Output .NET Directory]\r\nUseLocalDir=1\r\nLocalDirName=\r\n");
    EXPECT_FALSE(s.useLocalDir);
    EXPECT_EQ(s.localDirName, "C:\\QZ4Work\\Output");
    s = readWith("[Output .NET Directory]\r\nUseLocalDir=1\r\nLocalDirName=D:\\Out\\Deep\r\n");
    EXPECT_TRUE(s.useLocalDir);
    EXPECT_TRUE(m.files.directoryExists("D:\\Out\\Deep"));
    s = readWith("[Output .NET Directory]\r\nUseLocalDir=1\r\nLocalDirName=Q:\\Out\r\n");
    EXPECT_FALSE(s.useLocalDir);
    EXPECT_EQ(s.localDirName, "");
}

class RecordingSections : public EnvironmentSections {
public:
    std::string seen;
    void readSections(const IniFile& ini) override {
        seen = ini.readString("Packages", "VCNET10", "");
    }
    void writeSections(IniFile& ini) override {
        ini.writeString("EXE files", "VCNET10", "C:\\VS\\devenv.exe");
        ini.writeString("Environments", "Packages", "VCNET10|");
    }
};

TEST_F(SettingsTest, WritesTheWholeFileInOrderAndReplacesItInOneStep) {
    RecordingSections sections;
    Settings s = readWith("[Packages]\r\nVCNET10=1\r\n[Stale]\r\nx=1\r\n");
    EXPECT_EQ(sections.seen, "");
    m.writeFile(IniPath, "[Packages]\r\nVCNET10=1\r\n[Stale]\r\nx=1\r\n");
    s = file.read(&sections);
    EXPECT_EQ(sections.seen, "1");
    s.label = "Иван";
    s.defaultEnvir = "VCNET10";
    ASSERT_TRUE(file.write(s, &sections, "ru", ""));
    const std::string expected =
        "[EXE files]\r\nVCNET10=C:\\VS\\devenv.exe\r\n"
        "[Environments]\r\nPackages=VCNET10|\r\n"
        "[Work Directory]\r\nPath=C:\\QZ4Work\r\nLabel=\xC8\xE2\xE0\xED\r\n"
        "DefaultEnvir=VCNET10\r\nPaths=C:\\QZ4Work\r\n"
        "[Output .NET Directory]\r\nUseLocalDir=0\r\n"
        "LocalDirName=C:\\QZ4Work\\Output\r\n"
        "[LocaleInfo]\r\nLocale=ru\r\n[Font]\r\nMain=Consolas\r\n"
        "[Repos]\r\nName=\r\nLogin=\r\n";
    m.system.ansi = 1251;
    ASSERT_TRUE(file.write(s, &sections, "ru", ""));
    EXPECT_EQ(m.readFile(IniPath), expected);
    EXPECT_FALSE(m.files.fileExists(IniPath + "1"));

    // Read back what was written: the same values.
    Settings again = file.read(nullptr);
    EXPECT_EQ(again.label, "Иван");
    EXPECT_EQ(again.workDirectories, s.workDirectories);
}

TEST_F(SettingsTest, AFailedWriteIsShownAndKeepsThePreviousFile) {
    struct Case {
        const char* what;
        std::function<void(test::TestMachine&)> block;
    };
    const Case cases[] = {
        {"the new file cannot be made",
         [](test::TestMachine& t) { t.files.createDirectories(IniPath + "1"); }},
        {"QZ.INI is read-only",
         [](test::TestMachine& t) { t.files.setAttributes(IniPath, AttrReadOnly); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestMachine t;
        SettingsFile settingsFile{t.platform, ProgramDir};
        t.writeFile(IniPath, "[LocaleInfo]\r\nLocale=ru\r\n");
        Settings s = settingsFile.read(nullptr);
        c.block(t);
        EXPECT_FALSE(settingsFile.write(s, nullptr, "en", ""));
        EXPECT_EQ(t.readFile(IniPath), "[LocaleInfo]\r\nLocale=ru\r\n");
        EXPECT_FALSE(t.files.fileExists(IniPath + "1"));
        ASSERT_EQ(t.dialogs.messages.size(), 1u);
        EXPECT_EQ(t.dialogs.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(t.dialogs.messages[0].text.rfind(
                      "Could not write the settings to the file " + IniPath + ".\r\n", 0),
                  0u);
    }
}

TEST_F(SettingsTest, AFailedCopyToTheSettingsDirectoryIsShown) {
    // That copy is imported at the next start: a stale one would bring old settings back.
    m.writeFile("D:\\Group\\qz.ini", "[Work Directory]\r\nPath=D:\\Group\r\n");
    m.files.setAttributes("D:\\Group\\qz.ini", AttrReadOnly);
    Settings s = readWith("");
    EXPECT_FALSE(file.write(s, nullptr, "en", "D:\\Group"));
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].text.rfind(
                  "Could not write the settings to the file D:\\Group\\qz.ini.\r\n", 0),
              0u);
}

TEST_F(SettingsTest, SettingsDirectoryIsImportedAndRefreshed) {
    m.writeFile("D:\\Group\\qz.ini", "[Work Directory]\r\nPath=D:\\Group\r\nPaths=D:\\Group\r\n");
    m.writeFile(IniPath, "[Work Directory]\r\nPath=C:\\Other\r\n");
    m.system.arguments = {"-lru", "d:\\group\\", "-fast", "C:\\NoSuchDir"};
    SettingsCommandLine cl = ReadSettingsCommandLine(m.system.arguments, m.files);
    EXPECT_TRUE(cl.fast);
    EXPECT_EQ(cl.settingsDirectory, "d:\\group");
    file.importSettingsDirectory(cl.settingsDirectory);
    Settings s = file.read(nullptr);
    EXPECT_EQ(s.workDirectories, (std::vector<std::string>{"C:\\QZ4Work", "D:\\Group"}));
    EXPECT_EQ(s.selectedWorkDirectory, 1);
    s.label = "after";
    ASSERT_TRUE(file.write(s, nullptr, "en", cl.settingsDirectory));
    EXPECT_EQ(m.readFile("D:\\Group\\qz.ini"), m.readFile(IniPath));
}

TEST_F(SettingsTest, ShadowCopiesAreRefreshedButNeverCreated) {
    m.system.environment["APPDATA"] = "C:\\Users\\st\\AppData\\Roaming";
    const std::string vista =
        "C:\\Users\\st\\AppData\\Local\\VirtualStore\\Program Files (x86)\\QZ4\\QZ.INI";
    const std::string xp =
        "C:\\Users\\st\\Local Settings\\VirtualStore\\Program Files (x86)\\QZ4\\QZ.INI";
    m.writeFile(vista, "old");
    m.files.createDirectories("C:\\Users\\st\\Local Settings\\VirtualStore");
    Settings s = readWith("");
    ASSERT_TRUE(file.write(s, nullptr, "en", ""));
    EXPECT_EQ(m.readFile(vista), m.readFile(IniPath));
    EXPECT_FALSE(m.files.fileExists(xp));
    m.writeFile(xp, "old");
    ASSERT_TRUE(file.write(s, nullptr, "en", ""));
    EXPECT_EQ(m.readFile(xp), m.readFile(IniPath));
}

} // namespace
} // namespace qz
