// The finishing steps: the uninstall record merged with an earlier one, the
// final message in its variants, and the shortcut rows with their skip rules.
#include "TestSupport.h"

#include "installer/FinishingSteps.h"
#include "installer/UninstallRecord.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"
#include "settings/TextFile.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using Lines = std::vector<std::string>;

InstallationBounds boundsOf(const std::string& installDir) {
    return InstallationBounds(installDir,
                              InstallationLinkFiles(installDir, "C:\\Menu\\Programs", "C:\\Desk",
                                                    "C:\\Windows\\System32"));
}

TEST(UninstallRecordTest, MergesWithAnEarlierRecord) {
    struct Case {
        const char* what;
        Lines earlier;
        Lines list;
        Lines merged;
        Lines dropped;
    };
    const Case cases[] = {
        {"no earlier record", {}, {"msg2|", "C:\\QZ4\\LIB\\a"}, {"msg2|", "C:\\QZ4\\LIB\\a"}, {}},
        {"the message line is the new one, paths are not repeated in any letter case",
         {"msg1|", "C:\\QZ4\\LIB\\a", "C:\\QZ4\\old"},
         {"msg2|", "c:\\qz4\\lib\\A", "C:\\QZ4\\new"},
         {"msg2|", "C:\\QZ4\\LIB\\a", "C:\\QZ4\\old", "C:\\QZ4\\new"},
         {}},
        {"a path twice in the new list is added once",
         {"msg1|"},
         {"msg2|", "C:\\QZ4\\x", "C:\\QZ4\\X"},
         {"msg2|", "C:\\QZ4\\x"},
         {}},
        {"lines that name what is not the installation's are dropped",
         {"msg1|", "C:\\a", "C:\\Windows\\system.ini", "C:\\QZ4\\..\\Windows\\win.ini",
          "C:\\QZ4Old\\x", "C:\\Menu\\Programs\\Quazzle 4\\QZ4 Demo.lnk", "C:\\Desk\\other.lnk", "",
          "C:\\QZ4\\kept"},
         {"msg2|"},
         {"msg2|", "C:\\Menu\\Programs\\Quazzle 4\\QZ4 Demo.lnk", "C:\\QZ4\\kept"},
         {"C:\\a", "C:\\Windows\\system.ini", "C:\\QZ4\\..\\Windows\\win.ini", "C:\\QZ4Old\\x",
          "C:\\Desk\\other.lnk"}},
    };
    for (const Case& c : cases) {
        RecordMerge merge = MergeUninstallRecord(c.earlier, c.list, boundsOf("C:\\QZ4"));
        EXPECT_EQ(merge.lines, c.merged) << c.what;
        EXPECT_EQ(merge.dropped, c.dropped) << c.what;
    }
}

TEST(UninstallRecordTest, ARecordOnDiskIsMergedAndKeptInItsCodePage) {
    test::TestMachine m;
    const std::string path = "C:\\Задачник\\UNINST\\qz4.log";
    // "C:\Задачник\LIB\a" in code page 1251, and read-only.
    const std::string cyrillic = "C:\\\xC7\xE0\xE4\xE0\xF7\xED\xE8\xEA";
    m.writeFile(path, "old|\r\n" + cyrillic + "\\LIB\\a\r\nC:\\Windows\\win.ini\r\n");
    m.files.setAttributes(path, AttrReadOnly);
    RecordWrite written =
        WriteUninstallRecord(m.files, path, {"new|", "C:\\ЗАДАЧНИК\\LIB\\A", "C:\\Задачник\\b"},
                             boundsOf("C:\\Задачник"), {m.system.codePages(), 1251});
    EXPECT_TRUE(written.written);
    EXPECT_EQ(written.dropped, Lines{"C:\\Windows\\win.ini"});
    EXPECT_EQ(m.readFile(path), "new|\r\n" + cyrillic + "\\LIB\\a\r\n" + cyrillic + "\\b\r\n");
    EXPECT_FALSE(m.files.fileExists(path + "1"));
}

// On a Western system a Cyrillic installation folder does not fit the code
// page: the record goes to UTF-16 with its mark instead of "?" letters, and
// a second installation reads it back and keeps that form.
TEST(UninstallRecordTest, PathsTheCodePageCannotHoldKeepTheirLetters) {
    test::TestMachine m;
    const std::string path = "C:\\Задачник\\UNINST\\qz4.log";
    const CodePage western{m.system.codePages(), 1252};
    m.files.createDirectories("C:\\Задачник\\UNINST");
    for (const auto& list :
         {Lines{"new|", "C:\\Задачник\\b"}, Lines{"again|", "C:\\Задачник\\c"}}) {
        RecordWrite written =
            WriteUninstallRecord(m.files, path, list, boundsOf("C:\\Задачник"), western);
        EXPECT_TRUE(written.written);
        EXPECT_TRUE(written.dropped.empty());
    }
    const std::string bytes = m.readFile(path).value_or("");
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(DecodeTextFile(bytes, western).text,
              "again|\r\nC:\\Задачник\\b\r\nC:\\Задачник\\c\r\n");
}

TEST(UninstallRecordTest, ARecordTooLargeToBeOneIsNotRead) {
    test::TestMachine m;
    const std::string path = "C:\\QZ4\\UNINST\\qz4.log";
    m.writeFile(path, "old|\r\nC:\\QZ4\\planted\r\n" + std::string(MaxUninstallRecordBytes, 'x'));
    RecordWrite written = WriteUninstallRecord(m.files, path, {"new|", "C:\\QZ4\\b"},
                                               boundsOf("C:\\QZ4"), {m.system.codePages(), 1251});
    EXPECT_TRUE(written.written);
    EXPECT_EQ(written.dropped, Lines{path});
    EXPECT_EQ(m.readFile(path), "new|\r\nC:\\QZ4\\b\r\n");
}

TEST(UninstallRecordTest, ARecordThatCannotBeWrittenKeepsTheOldOne) {
    test::TestMachine m;
    const std::string path = "D:\\QZ4\\UNINST\\qz4.log";
    m.files.createDirectories("D:\\QZ4\\UNINST");
    m.writeFile(path, "old|\r\nD:\\QZ4\\a.exe\r\n");
    m.files.setWritesFailAtClose('D');
    RecordWrite written = WriteUninstallRecord(m.files, path, {"new|", "D:\\QZ4\\b"},
                                               boundsOf("D:\\QZ4"), {m.system.codePages(), 1251});
    EXPECT_FALSE(written.written);
    EXPECT_EQ(m.readFile(path), "old|\r\nD:\\QZ4\\a.exe\r\n");
    EXPECT_FALSE(m.files.fileExists(path + "1"));
}

TEST(FinalMessageTest, TellsWhatHappened) {
    ResetLanguageState();
    SetLanguage("en");
    InstallProblems none;
    InstallProblems locked{"\"C:\\QZ4\\a.dll\", \"C:\\QZ4\\b.dll\", ", "", "", ""};
    InstallProblems links{"", "\"C:\\QZ4\\QZ.INI\", ", "\"C:\\Desk\\QZ4 Panel\", ", ""};
    InstallProblems group{"", "", "\"C:\\P\\Quazzle 4\\QZ4 Demo\", ",
                          "Could not create the \"Quazzle 4\" program group.\r\n"};
    const std::string placed = "Shortcuts of the Quazzle system are placed in the \"Quazzle 4\" "
                               "program group of the Start Menu.";
    const std::string advice = "These problems may lead to an unproper work of Quazzle.\r\nWe "
                               "recommend to you to reload your computer and repeat the "
                               "installation of the Quazzle system.";
    struct Case {
        const InstallProblems& problems;
        bool groupSentence;
        bool setupWillRun;
        std::string text;
    };
    const Case cases[] = {
        {none, true, true,
         "The Quazzle system is installed successfully.\r\n" + placed +
             "\r\nTo complete the Quazzle setup, the QZ4Setup program will be launched."},
        {none, false, false, "The Quazzle system is installed successfully."},
        {locked, true, true,
         "The Quazzle system is installed.\r\n" + placed +
             "\r\nCould not update the following files: \r\n\"C:\\QZ4\\a.dll\", "
             "\"C:\\QZ4\\b.dll\".\r\n" +
             advice},
        {links, false, false,
         "The Quazzle system is installed.\r\nCould not create the following files: "
         "\r\n\"C:\\QZ4\\QZ.INI\".\r\nCould not create the following shortcuts: "
         "\r\n\"C:\\Desk\\QZ4 "
         "Panel\".\r\n" +
             advice},
        // A failed group replaces the group sentence and the shortcut list.
        {group, true, false,
         "The Quazzle system is installed.\r\nCould not create the \"Quazzle 4\" program "
         "group.\r\n" +
             advice},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FinalMessageText(c.problems, c.groupSentence, c.setupWillRun), c.text);

    SetLanguage("ru");
    EXPECT_EQ(FinalMessageText(none, true, false),
              "Установка задачника Quazzle успешно завершена.\r\nЯрлыки задачника Quazzle "
              "помещены в группу \"Quazzle 4\" раздела \"Программы\" меню \"Пуск\".");
    EXPECT_EQ(FinalMessageText(locked, false, false)
                  .rfind("Установка задачника Quazzle завершена.\r\nНе удалось", 0),
              0u);
}

class ShortcutStepsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLanguageState();
        SetLanguage("en");
        m.system.specialFolders[SpecialFolder::Programs] = "C:\\Menu\\Programs";
        m.system.specialFolders[SpecialFolder::Desktop] = "C:\\Desk";
        m.system.program = "C:\\Inst\\setup.exe";
        m.files.createDirectories("C:\\Menu\\Programs");
        m.files.createDirectories("C:\\Desk");
        setup = ReadInstallerSetup(m.platform);
        setup.installDir = "C:\\QZ4";
        setup.setupParameters = "-len";
        ResolvePlaceholders(setup);
        m.files.createDirectories("C:\\QZ4\\UNINST");
        for (const char* program :
             {"qz4setup.exe", "QZ4Demo.exe", "QZ4Load.exe", "QZ4Res.exe", "readme.txt",
              "readme_en.txt", "QZ4Panel.exe", "QZ4Help.chm", "QZ4Help_en.chm"})
            m.writeFile("C:\\QZ4\\" + std::string(program), "x");
        setup.tempDir = "C:\\QZ4\\~QZ4Setup1.tmp";
        m.writeFile(setup.extractionDir() + "\\QZ4Setup.exe", "MZ");
        m.writeFile(setup.backupDir() + "\\1", "old");
        m.writeFile("C:\\Windows\\System32\\sysunima.exe", "MZ");
        record.uninstallList = {"msg|"};
    }
    bool finish() {
        return RunFinishingSteps(m.platform, setup, record,
                                 {[this](const std::string& phase) { phases.push_back(phase); },
                                  [this](int step) { progress += step; }});
    }
    test::TestMachine m;
    InstallerSetup setup;
    PlacementRecord record;
    std::vector<std::string> phases;
    int progress = 0;
};

TEST_F(ShortcutStepsTest, MakesEveryRowThatAppliesAndLaunchesTheTool) {
    m.writeFile("C:\\QZ4\\QZ4Demo.exe", ""); // delivered empty
    EXPECT_TRUE(finish());
    const std::string group = "C:\\Menu\\Programs\\Quazzle 4\\";
    auto link = m.shell.readShortcut("C:\\QZ4\\UNINST\\QZ4Uninstall.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, (ShellLink{"C:\\Windows\\System32\\sysunima.exe",
                                "\"C:\\QZ4\\UNINST\\qz4.log\"", "C:\\Windows\\System32", "", 0}));
    link = m.shell.readShortcut(group + "QZ4 Setup.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, (ShellLink{"C:\\QZ4\\qz4setup.exe", "", "C:\\QZ4", "", 0}));
    EXPECT_TRUE(m.shell.readShortcut("C:\\Desk\\QZ4 Panel.lnk"));
    // The empty program and its link are gone.
    EXPECT_FALSE(m.files.fileExists("C:\\QZ4\\QZ4Demo.exe"));
    EXPECT_FALSE(m.files.fileExists(group + "QZ4 Demo.lnk"));
    EXPECT_EQ(progress, 12 * 5);
    EXPECT_EQ(phases, (Lines{"QZ4 Install: creating shortcuts...", "QZ4 Install"}));

    // The tool's copy is in place, the temporary folder with the replaced
    // files is gone, the record lists links.
    EXPECT_EQ(m.readFile("C:\\QZ4\\QZ4Setup.exe"), "MZ");
    EXPECT_FALSE(m.files.directoryExists(setup.tempDir));
    auto log = m.readFile("C:\\QZ4\\UNINST\\qz4.log");
    ASSERT_TRUE(log);
    EXPECT_EQ(log->substr(0, 19), "msg|\r\nC:\\QZ4\\QZ4Set");
    EXPECT_NE(log->find("C:\\Desk\\QZ4 Panel.lnk\r\n"), std::string::npos);
    EXPECT_EQ(log->find("QZ4 Demo.lnk"), std::string::npos);

    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(m.shell.requests,
              (std::vector<ShellRequest>{
                  {ShellRequest::Kind::Start, "C:\\QZ4\\qz4setup.exe", "-len", "C:\\QZ4"}}));
}

TEST_F(ShortcutStepsTest, SwitchedOffLinksAreNotMade) {
    setup.startMenu = false;
    setup.desktop = false;
    setup.finalMessage = false;
    finish();
    EXPECT_TRUE(m.files.fileExists("C:\\QZ4\\UNINST\\QZ4Uninstall.lnk"));
    EXPECT_FALSE(m.files.directoryExists("C:\\Menu\\Programs\\Quazzle 4"));
    EXPECT_FALSE(m.files.fileExists("C:\\Desk\\QZ4 Panel.lnk"));
    EXPECT_EQ(progress, 5); // only the uninstaller's row
    // Nothing to say: the tool starts silently.
    EXPECT_TRUE(m.dialogs.messages.empty());
    EXPECT_EQ(m.shell.requests.size(), 1u);
}

TEST_F(ShortcutStepsTest, ProblemsAreReportedAndTheToolIsNotStarted) {
    record.notUpdated = "\"C:\\QZ4\\a.dll\", ";
    m.system.specialFolders[SpecialFolder::Desktop] = "C:\\NoDesk";
    setup = ReadInstallerSetup(m.platform);
    setup.installDir = "C:\\QZ4";
    ResolvePlaceholders(setup);
    setup.tempDir = "C:\\QZ4\\~QZ4Setup1.tmp";
    EXPECT_FALSE(finish());
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    const std::string& text = m.dialogs.messages[0].text;
    EXPECT_NE(text.find("Could not update the following files: \r\n\"C:\\QZ4\\a.dll\"."),
              std::string::npos);
    EXPECT_NE(text.find("Could not create the following shortcuts: \r\n\"C:\\NoDesk\\QZ4 Panel\"."),
              std::string::npos);
    EXPECT_TRUE(m.shell.requests.empty());
}

TEST_F(ShortcutStepsTest, AMissingUninstallerOrRecordIsAProblem) {
    struct Case {
        const char* what;
        bool uninstaller;
        bool recordWritable;
        const char* listed;
    };
    const Case cases[] = {
        {"no uninstaller", false, true,
         "Could not create the following shortcuts: \r\n\"C:\\QZ4\\UNINST\\QZ4Uninstall\", "
         "\"C:\\Menu\\Programs\\Quazzle 4\\QZ4 Uninstall\"."},
        {"the record cannot be written", true, false,
         "Could not create the following files: \r\n\"C:\\QZ4\\UNINST\\qz4.log\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        record = PlacementRecord{};
        SetUp();
        m.dialogs.messages.clear();
        m.shell.requests.clear();
        if (!c.uninstaller)
            m.files.deleteFile("C:\\Windows\\System32\\sysunima.exe");
        if (!c.recordWritable)
            m.files.createDirectories("C:\\QZ4\\UNINST\\qz4.log1\\in-the-way");
        EXPECT_FALSE(finish());
        ASSERT_EQ(m.dialogs.messages.size(), 1u);
        EXPECT_NE(m.dialogs.messages[0].text.find(c.listed), std::string::npos)
            << m.dialogs.messages[0].text;
        EXPECT_TRUE(m.shell.requests.empty());
        m.files.removeDirectory("C:\\QZ4\\UNINST\\qz4.log1\\in-the-way");
        m.files.removeDirectory("C:\\QZ4\\UNINST\\qz4.log1");
    }
}

} // namespace
} // namespace qz
