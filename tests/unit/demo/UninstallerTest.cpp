// The stand-in uninstaller: reading the record, and removing what it lists.
#include "Uninstaller.h"
#include "TestSupport.h"
#include "UninstallRecord.h"
#include "installer/UninstallEntry.h"
#include "settings/TextFile.h"
#include "text/Text.h"

#include <gtest/gtest.h>

namespace qz::demo {
namespace {

TEST(UninstallRecord, Parsing) {
    struct Case {
        const char* what;
        const char* text;
        bool valid;
        std::vector<std::string> folders;
        std::vector<std::string> files;
    } cases[] = {
        {"installer's record",
         "T|Q?|Done.|Left:|\r\nC:\\QZ4\\SAMPLES\\a\r\nC:\\QZ4\\LIB\\a\r\nC:\\QZ4\\QZ4Demo.exe\r\n"
         "C:\\G\\QZ4 Demo.lnk\r\n",
         true,
         {"C:\\QZ4\\SAMPLES", "C:\\QZ4\\LIB"},
         {"C:\\QZ4\\QZ4Demo.exe", "C:\\G\\QZ4 Demo.lnk"}},
        {"LF line ends, blank lines, no final line end",
         "T|Q|D|L|\n\nC:\\QZ4\\a.txt\n  \nC:\\QZ4\\b.txt",
         true,
         {},
         {"C:\\QZ4\\a.txt", "C:\\QZ4\\b.txt"}},
        {"texts with more bars than four", "T|Q|D|L|extra|\r\nC:\\x\r\n", true, {}, {"C:\\x"}},
        {"a file named a is not a folder line",
         "T|Q|D|L|\r\nC:\\QZ4\\data\r\n",
         true,
         {},
         {"C:\\QZ4\\data"}},
        {"three texts only", "T|Q|D\r\nC:\\x\r\n", false, {}, {}},
        {"empty", "", false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto record = ParseUninstallRecord(c.text);
        ASSERT_EQ(record.has_value(), c.valid);
        if (!record)
            continue;
        EXPECT_EQ(record->folders, c.folders);
        EXPECT_EQ(record->files, c.files);
    }
    auto record = ParseUninstallRecord("Title|Question|Done|Left:|\r\n");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->title, "Title");
    EXPECT_EQ(record->question, "Question");
    EXPECT_EQ(record->completedText, "Done");
    EXPECT_EQ(record->notRemovedText, "Left:");
}

// An installation as the installer leaves it: files in the installation
// folder and its SAMPLES and LIB folders, links in the program group and on
// the desktop, and the record in UNINST, written in the ANSI code page.
class UninstallerTest : public ::testing::Test {
protected:
    static constexpr const char* Dir = "C:\\Program Files\\QZ4";
    static constexpr const char* Group = "C:\\Users\\u\\Programs\\Quazzle 4";
    static constexpr const char* Desktop = "C:\\Users\\u\\Desktop";
    static constexpr const char* Record = "C:\\Program Files\\QZ4\\UNINST\\qz4.log";

    UninstallerTest() {
        m.system.ansi = 1251;
        m.system.specialFolders[SpecialFolder::Desktop] = Desktop;
        m.system.specialFolders[SpecialFolder::Programs] = "C:\\Users\\u\\Programs";
        build();
    }

    // The installation, with more lines at the end of its record.
    void build(const std::vector<std::string>& moreLines = {}) {
        for (const std::string& file : listed)
            m.writeFile(file, "x");
        m.writeFile(std::string(Dir) + "\\SAMPLES\\Begin\\task.pas", "x");
        m.writeFile(std::string(Dir) + "\\LIB\\lib.dll", "x");
        m.files.createDirectories("C:\\Users\\u\\Programs\\Other");
        m.files.setAttributes(listed[1], AttrReadOnly);

        std::string record = "Удаление Quazzle|Удалить задачник?|Удален.|Не удалены файлы:|\r\n";
        record += std::string(Dir) + "\\SAMPLES\\a\r\n" + Dir + "\\LIB\\a\r\n";
        for (const std::string& file : listed)
            record += file + "\r\n";
        record += std::string(Dir) + "\\QZ4Help.chm\r\n"; // never placed
        for (const std::string& line : moreLines)
            record += line + "\r\n";
        m.writeFile(Record, text::encode(record, 1251));
    }

    int run(std::vector<std::string> switches = {}) {
        Uninstaller uninstaller(m.files, m.dialogs, m.system, m.registry);
        switches.push_back(Record);
        return uninstaller.run(switches);
    }

    const std::vector<std::string> listed = {
        std::string(Dir) + "\\QZ4Demo.exe",       std::string(Dir) + "\\QZ4Setup.exe",
        std::string(Dir) + "\\CPPCODE1\\qz4.cpp", std::string(Dir) + "\\UNINST\\QZ4Uninstall.lnk",
        std::string(Group) + "\\QZ4 Setup.lnk",   std::string(Group) + "\\QZ4 Demo.lnk",
        std::string(Desktop) + "\\QZ4 Panel.lnk",
    };
    test::TestMachine m;
};

// A record whose paths a Western code page cannot hold is in UTF-16 with its
// mark, as the installer writes it; the uninstaller reads it as such.
TEST_F(UninstallerTest, ARecordInUtf16IsRead) {
    m.system.ansi = 1252;
    const std::string dir = "C:\\Задачник";
    m.writeFile(dir + "\\QZ4Demo.exe", "x");
    TextFileForm form = TextFileForm::CodePage;
    m.writeFile(dir + "\\UNINST\\qz4.log",
                EncodeTextFile("Uninstall|Remove?|Removed.|Left:|\r\n" + dir + "\\QZ4Demo.exe\r\n",
                               m.system.ansiText(), form));
    ASSERT_EQ(form, TextFileForm::Utf16);
    m.dialogs.messageAnswers = {DialogButton::Yes, DialogButton::Ok};
    Uninstaller uninstaller(m.files, m.dialogs, m.system, m.registry);
    EXPECT_EQ(uninstaller.run({dir + "\\UNINST\\qz4.log"}), 0);
    EXPECT_FALSE(m.files.directoryExists(dir));
    ASSERT_EQ(m.dialogs.messages.size(), 2u);
    EXPECT_EQ(m.dialogs.messages[1].text, "Removed.");
}

TEST_F(UninstallerTest, DeclinedLeavesEverything) {
    m.dialogs.messageAnswers = {DialogButton::No};
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].caption, "Удаление Quazzle");
    EXPECT_EQ(m.dialogs.messages[0].text, "Удалить задачник?");
    for (const std::string& file : listed)
        EXPECT_TRUE(m.files.fileExists(file)) << file;
    EXPECT_TRUE(m.files.fileExists(Record));
}

TEST_F(UninstallerTest, RemovesTheWholeInstallationAndKeepsShellFolders) {
    m.dialogs.messageAnswers = {DialogButton::Yes, DialogButton::Ok};
    EXPECT_EQ(run(), 0);
    EXPECT_FALSE(m.files.directoryExists(Dir));
    EXPECT_FALSE(m.files.directoryExists(Group));
    EXPECT_TRUE(m.files.directoryExists(Desktop));
    EXPECT_FALSE(m.files.fileExists(std::string(Desktop) + "\\QZ4 Panel.lnk"));
    EXPECT_TRUE(m.files.directoryExists("C:\\Users\\u\\Programs"));
    EXPECT_TRUE(m.files.directoryExists("C:\\Program Files"));
    ASSERT_EQ(m.dialogs.messages.size(), 2u);
    EXPECT_EQ(m.dialogs.messages[1].text, "Удален.");
}

TEST_F(UninstallerTest, ReportsWhatStaysAndKeepsFoldersThatAreNotEmpty) {
    m.writeFile(std::string(Dir) + "\\Work\\mine.pas", "student's own");
    m.files.deleteFile(listed[0]);
    m.writeFile(listed[0] + "\\inside.txt", "a folder where a file was listed");
    m.writeFile(std::string(Group) + "\\Notes.txt", "not ours");
    m.dialogs.messageAnswers = {DialogButton::Yes, DialogButton::Ok};
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(m.files.fileExists(std::string(Dir) + "\\Work\\mine.pas"));
    EXPECT_TRUE(m.files.fileExists(std::string(Group) + "\\Notes.txt"));
    EXPECT_FALSE(m.files.fileExists(listed[1]));
    EXPECT_FALSE(m.files.directoryExists(std::string(Dir) + "\\CPPCODE1"));
    EXPECT_FALSE(m.files.directoryExists(std::string(Dir) + "\\SAMPLES"));
    ASSERT_EQ(m.dialogs.messages.size(), 2u);
    EXPECT_EQ(m.dialogs.messages[1].text, "Не удалены файлы:\r\n" + listed[0]);
}

// /S: no question, no report, the exit status tells; the entry in the list
// of installed programs goes with the installation, another one's stays.
TEST_F(UninstallerTest, QuietRemovalTellsThroughItsStatus) {
    const UninstallEntry ours{"Quazzle 4", "4.27", "p", Dir, "C:\\W\\sysunima.exe", Record};
    UninstallEntry other = ours;
    other.recordPath = "D:\\QZ4\\UNINST\\qz4.log";
    ASSERT_EQ(WriteUninstallEntry(m.registry, other), RegistryRoot::LocalMachine);
    EXPECT_EQ(run({"/S"}), 0);
    EXPECT_TRUE(m.registry.keyExists(RegistryRoot::LocalMachine, UninstallKey()));

    ASSERT_EQ(WriteUninstallEntry(m.registry, ours), RegistryRoot::LocalMachine);
    build();
    m.files.deleteFile(listed[0]);
    m.writeFile(listed[0] + "\\inside.txt", "a folder where a file was listed");
    EXPECT_EQ(run({"-s"}), 2);
    EXPECT_TRUE(m.dialogs.messages.empty());
    EXPECT_FALSE(m.registry.keyExists(RegistryRoot::LocalMachine, UninstallKey()));
    EXPECT_FALSE(m.files.fileExists(listed[1]));
    EXPECT_FALSE(m.files.fileExists(Record));
}

// An installation for all users has its links in the common folders.
TEST_F(UninstallerTest, RemovesTheLinksOfAnInstallationForAllUsers) {
    m.system.specialFolders[SpecialFolder::CommonPrograms] = "C:\\All\\Programs";
    m.system.specialFolders[SpecialFolder::CommonDesktop] = "C:\\All\\Desktop";
    const std::string links[] = {"C:\\All\\Programs\\Quazzle 4\\QZ4 Demo.lnk",
                                 "C:\\All\\Desktop\\QZ4 Panel.lnk"};
    build({links[0], links[1]});
    for (const std::string& link : links)
        m.writeFile(link, "link");
    EXPECT_EQ(run({"/S"}), 0);
    for (const std::string& link : links)
        EXPECT_FALSE(m.files.fileExists(link)) << link;
    EXPECT_FALSE(m.files.directoryExists("C:\\All\\Programs\\Quazzle 4"));
    EXPECT_TRUE(m.files.directoryExists("C:\\All\\Desktop"));
}

TEST_F(UninstallerTest, RecordMissingOrNotARecord) {
    Uninstaller uninstaller(m.files, m.dialogs, m.system, m.registry);
    EXPECT_EQ(uninstaller.run({}), 1);
    EXPECT_EQ(uninstaller.run({"C:\\nowhere\\qz4.log"}), 1);
    m.writeFile("C:\\other.log", "just a log\r\n");
    EXPECT_EQ(uninstaller.run({"C:\\other.log"}), 1);
    ASSERT_EQ(m.dialogs.messages.size(), 3u);
    for (const MessageRequest& message : m.dialogs.messages)
        EXPECT_EQ(message.kind, MessageKind::Error);
    EXPECT_NE(m.dialogs.messages[1].text.find("C:\\nowhere\\qz4.log"), std::string::npos);
    EXPECT_TRUE(m.files.fileExists(Record));
}

// Lines a record may carry that name what is not the installation's: each is
// skipped and named, and what it names outside the installation survives.
TEST_F(UninstallerTest, ActsOnlyOnWhatTheInstallationOwns) {
    const std::string documents = "C:\\Users\\u\\Documents";
    const std::string essay = documents + "\\essay.txt";
    struct Case {
        const char* what;
        std::string line;
        const char* linkIn; // a folder of the installation whose "docs" leads into the documents
    };
    const Case cases[] = {
        {"a file outside", essay, nullptr},
        {"the drive's root as a folder line", "C:\\a", nullptr},
        {"a file named a beside the user's files", documents + "\\a", nullptr},
        {"a system file", "C:\\Windows\\System32\\kernel32.dll", nullptr},
        {"up and out with ..", std::string(Dir) + "\\..\\..\\Users\\u\\Documents\\essay.txt",
         nullptr},
        {"up and out with /", std::string(Dir) + "/../../Users/u/Documents/essay.txt", nullptr},
        {"a folder whose name begins like the installation's",
         "C:\\Program Files\\QZ4Other\\tool.exe", nullptr},
        {"another program's link in the menu", "C:\\Users\\u\\Programs\\Other\\other.lnk", nullptr},
        {"a file reached through a link", std::string(Dir) + "\\CPPCODE1\\docs\\essay.txt",
         "CPPCODE1"},
        {"a link inside SAMPLES, removed with its folder", "", "SAMPLES"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m.writeFile(essay, "the user's essay");
        m.writeFile(documents + "\\a", "a file named a");
        m.writeFile("C:\\Windows\\System32\\kernel32.dll", "system");
        m.writeFile("C:\\Program Files\\QZ4Other\\tool.exe", "another program");
        m.writeFile("C:\\Users\\u\\Programs\\Other\\other.lnk", "another link");
        build(c.line.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.line});
        if (c.linkIn)
            std::filesystem::create_directory_symlink(
                m.files.hostPath(documents),
                m.files.hostPath(std::string(Dir) + "\\" + c.linkIn) / "docs");
        m.dialogs.messages.clear();
        m.dialogs.messageAnswers = {DialogButton::Yes, DialogButton::Ok};
        EXPECT_EQ(run(), 0);

        EXPECT_EQ(m.readFile(essay), "the user's essay");
        EXPECT_EQ(m.readFile(documents + "\\a"), "a file named a");
        EXPECT_EQ(m.readFile("C:\\Windows\\System32\\kernel32.dll"), "system");
        EXPECT_EQ(m.readFile("C:\\Program Files\\QZ4Other\\tool.exe"), "another program");
        EXPECT_EQ(m.readFile("C:\\Users\\u\\Programs\\Other\\other.lnk"), "another link");
        ASSERT_EQ(m.dialogs.messages.size(), 2u);
        const std::string& report = m.dialogs.messages[1].text;
        if (!c.line.empty()) {
            EXPECT_NE(report.find("\r\n" + c.line), std::string::npos) << report;
        }
        // What is the installation's is gone all the same.
        EXPECT_FALSE(m.files.fileExists(listed[0]));
        EXPECT_FALSE(m.files.directoryExists(std::string(Dir) + "\\SAMPLES"));
    }
}

} // namespace
} // namespace qz::demo
