// The wizard from its start-up to the end of the program: what it reads
// beside itself, its language, its checks, its exit question, and whole
// installations of small distributions, good and damaged.
#include "TestSupport.h"
#include "unzip/ZipBuilder.h"

#include "installer/DistributionPassword.h"
#include "installer/InstallerRun.h"
#include "installer/TInstF1.h"
#include "installer/UninstallEntry.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

namespace qz {
namespace {

constexpr FileTime Day = 864'000'000'000;
// 2024-02-01 12:00 UTC.
constexpr FileTime February2024 = 154'528LL * Day + Day / 2;

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLanguageState();
        m.system.program = "C:\\Inst\\setup.exe";
        m.writeFile(m.system.program, "MZ installer");
        m.files.createDirectories("C:\\Program Files");
        m.system.specialFolders[SpecialFolder::Programs] = "C:\\Menu\\Programs";
        m.system.specialFolders[SpecialFolder::Desktop] = "C:\\Desk";
        m.files.createDirectories("C:\\Menu\\Programs");
        m.files.createDirectories("C:\\Desk");
    }
    void russianSystem() {
        m.system.languageName = "Russian";
        m.system.uiLanguage = 0x0419;
    }
    void startProcess() {
        BindStandardTexts(m.dialogs);
        ChooseStartupLanguage(m.system, m.files);
    }
    void dataFile(const std::string& bytes = "PK") { m.writeFile("C:\\Inst\\setup.dat", bytes); }
    // The progress window, once shown, is activated as the screen does.
    void activateProgressWindow() {
        m.dialogs.formAnswers.push_back([](ModalWindow& window) {
            auto& f = static_cast<ui::Form&>(window);
            f.FormActivate();
            return f.modalResult;
        });
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const MessageRequest& r : m.dialogs.messages)
            texts.push_back(r.text);
        return texts;
    }
    test::TestMachine m;
};

TEST_F(WizardTest, AMissingDataFileEndsTheProgramAtStart) {
    m.system.program = "C:\\Inst\\Other.exe";
    startProcess();
    TInstF1 wizard(m.platform);
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{
                  "The Other.dat file is not found. Installation will be terminated."});
    EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(wizard.showModal(), ui::ModalResult::Cancel);
    EXPECT_TRUE(m.dialogs.shownForms.empty());
}

TEST_F(WizardTest, StartUpReadsTheIniFileBesideTheInstaller) {
    dataFile();
    m.writeFile("C:\\Inst\\setup.ini",
                "[Main]\r\nInstallDir=%programfilesdir%\\Q %PROGRAMFILESDIR%\r\nAutoRun=1\r\n"
                "FinalMessage=0\r\n[Links]\r\nStartMenu=0\r\nDesktop=0\r\n[Setup]\r\nRun=0\r\n"
                "[ExcludeDir]\r\n1=Samples\r\n2=Doc\r\n4=Lib\r\n");
    startProcess();
    TInstF1 wizard(m.platform);
    const InstallerSetup& s = wizard.setup();
    EXPECT_EQ(s.startDir, "C:\\Inst");
    EXPECT_EQ(s.programFilesDir, "C:\\Program Files");
    // Only the first placeholder is replaced.
    EXPECT_EQ(wizard.Edit1.caption, "C:\\Program Files\\Q %PROGRAMFILESDIR%");
    EXPECT_TRUE(s.autoRun);
    EXPECT_FALSE(s.finalMessage);
    EXPECT_FALSE(s.startMenu);
    EXPECT_FALSE(s.desktop);
    EXPECT_FALSE(s.runSetup);
    EXPECT_EQ(s.excludeDirValues, (std::vector<std::string>{"Samples", "Doc"}));
    EXPECT_EQ(s.dataFileName, "setup.dat");
    ASSERT_EQ(s.shortcuts.size(), 12u);
    EXPECT_EQ(s.shortcuts[1].folder, "C:\\Menu\\Programs\\Quazzle 4");
    EXPECT_EQ(s.shortcuts[9].folder, "C:\\Desk");

    // AutoRun presses Install once, 200 ms after the window shows.
    wizard.FormShow();
    EXPECT_TRUE(wizard.Timer1.enabled);
    EXPECT_EQ(wizard.Timer1.interval, 200);
}

TEST_F(WizardTest, WithoutAnIniFileTheDefaultsHold) {
    dataFile();
    m.files.setLastWriteTime("C:\\Inst\\setup.dat", February2024);
    startProcess();
    TInstF1 wizard(m.platform);
    EXPECT_EQ(wizard.Edit1.caption, "C:\\Program Files\\QZ4");
    EXPECT_TRUE(wizard.setup().finalMessage && wizard.setup().startMenu && wizard.setup().desktop &&
                wizard.setup().runSetup);
    EXPECT_FALSE(wizard.setup().autoRun);
    EXPECT_EQ(wizard.Label6.caption, "Version 4.27 (Build 01.02.2024)");
    EXPECT_EQ(wizard.Edit1.right(), 580);
    EXPECT_EQ(wizard.Edit1.left, wizard.Label5.right() + 20);
    // The shadow is the title, moved by (2, 1).
    EXPECT_EQ(wizard.Label2.caption, wizard.Label1.caption);
    EXPECT_EQ(wizard.Label2.left - wizard.Label1.left, 2);
    EXPECT_EQ(wizard.Label2.top - wizard.Label1.top, 1);
}

TEST_F(WizardTest, TheBuildDateIsTheLocalDate) {
    // 31 January 2024, 20:00 UTC is already 1 February ten hours east.
    const char* zone = std::getenv("TZ");
    const std::string previous = zone ? zone : "";
    setenv("TZ", "UTC-10", 1);
    tzset();
    dataFile();
    m.files.setLastWriteTime("C:\\Inst\\setup.dat", February2024 - Day / 2 - 4 * Day / 24);
    startProcess();
    TInstF1 wizard(m.platform);
    EXPECT_EQ(wizard.Label6.caption, "Version 4.27 (Build 01.02.2024)");
    if (zone)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST_F(WizardTest, TheDocumentButtonsFollowTheFiles) {
    struct Case {
        bool readme, licence;
        bool readmeButton, licenceButton;
        const char* f1Opens; // caption of the viewer F1 opens, "" none
    };
    const Case cases[] = {
        {true, true, true, true, "About Quazzle 4 [readme_en.txt]"},
        {false, true, false, true, "License agreement [license_en.txt]"},
        {true, false, true, false, "About Quazzle 4 [readme_en.txt]"},
        {false, false, false, false, ""},
    };
    dataFile();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.readme) + std::to_string(c.licence));
        ResetLanguageState();
        m.dialogs.shownForms.clear();
        m.files.deleteFile("C:\\Inst\\readme_en.txt");
        m.files.deleteFile("C:\\Inst\\license_en.txt");
        if (c.readme)
            m.writeFile("C:\\Inst\\readme_en.txt", "Read me.");
        if (c.licence)
            m.writeFile("C:\\Inst\\license_en.txt", "Licence.");
        startProcess();
        TInstF1 wizard(m.platform);
        EXPECT_EQ(wizard.Button2.visible, c.readmeButton);
        EXPECT_EQ(wizard.Button3.visible, c.licenceButton);
        if (c.licenceButton) {
            EXPECT_EQ(wizard.Button3.left, c.readmeButton ? 180 : wizard.Button2.left);
        }
        wizard.pressKey(ui::KeyF1);
        if (*c.f1Opens) {
            ASSERT_EQ(m.dialogs.shownForms.size(), 1u);
            EXPECT_EQ(static_cast<const ui::Form*>(m.dialogs.shownForms[0])->caption, c.f1Opens);
        } else {
            EXPECT_TRUE(m.dialogs.shownForms.empty());
        }
    }
}

TEST_F(WizardTest, ARussianSystemAsksForTheLanguage) {
    dataFile();
    m.writeFile("C:\\Inst\\readme.txt", "Описание.");
    russianSystem();
    startProcess();
    // The dialog proposes Russian; OK keeps it.
    std::string shown;
    m.dialogs.formAnswers.push_back([&shown](ModalWindow& window) {
        auto& f = static_cast<ui::Form&>(window);
        shown = f.className();
        f.find("Button1")->click();
        return f.modalResult;
    });
    TInstF1 wizard(m.platform);
    EXPECT_EQ(shown, "TSelLangForm");
    EXPECT_EQ(ActiveLanguage(), "ru");
    EXPECT_EQ(wizard.setup().setupParameters, "-lru");
    EXPECT_EQ(wizard.caption, "QZ4Complete Install - Программа установки");
    EXPECT_EQ(wizard.Button2.caption, "Описание задачника");
    EXPECT_TRUE(wizard.Button2.visible); // the Russian readme is readme.txt

    // English chosen on a Russian system.
    ResetLanguageState();
    startProcess();
    m.dialogs.formAnswers.push_back([](ModalWindow& window) {
        auto& f = static_cast<ui::Form&>(window);
        f.find("RadioButton1")->click();
        f.find("Button1")->click();
        return f.modalResult;
    });
    TInstF1 english(m.platform);
    EXPECT_EQ(english.setup().setupParameters, "-len");
    EXPECT_EQ(english.Button4.caption, "Install");
    EXPECT_FALSE(english.Button2.visible); // no readme_en.txt
}

TEST_F(WizardTest, BrowseStartsAtTheFieldsFolderWhenItExists) {
    dataFile();
    startProcess();
    TInstF1 wizard(m.platform);
    m.dialogs.selectFolderAnswers = {std::string("D:\\Programs\\QZ4"), std::nullopt};
    wizard.Button1.click(); // C:\Program Files\QZ4 does not exist yet
    wizard.Button1.click(); // D:\Programs\QZ4 does not either; cancelled
    ASSERT_EQ(m.dialogs.selectFolderRequests.size(), 2u);
    const SelectFolderRequest& first = m.dialogs.selectFolderRequests[0];
    EXPECT_EQ(first.initialDirectory, "C:\\Program Files");
    EXPECT_TRUE(first.allowCreate && first.performCreate && first.prompt);
    EXPECT_EQ(wizard.Edit1.caption, "D:\\Programs\\QZ4");

    m.files.createDirectories("D:\\Programs\\QZ4");
    m.dialogs.selectFolderAnswers = {std::nullopt};
    wizard.Button1.click();
    EXPECT_EQ(m.dialogs.selectFolderRequests.back().initialDirectory, "D:\\Programs\\QZ4");
    EXPECT_EQ(wizard.Edit1.caption, "D:\\Programs\\QZ4");
}

TEST_F(WizardTest, EveryWayOfClosingAsksFirst) {
    dataFile();
    startProcess();
    TInstF1 wizard(m.platform);
    m.dialogs.messageAnswers = {DialogButton::No, DialogButton::No, DialogButton::Yes};
    wizard.Button5.click();
    EXPECT_FALSE(wizard.mayEndModal());
    wizard.pressKey(ui::KeyEscape);
    EXPECT_FALSE(wizard.mayEndModal());
    wizard.close(); // the close box
    EXPECT_TRUE(wizard.mayEndModal());
    ASSERT_EQ(m.dialogs.messages.size(), 3u);
    EXPECT_EQ(m.dialogs.messages[0].text,
              "If you exit now, QZ4 will not be installed. Are you sure you want to exit and "
              "cancel installation?");
    EXPECT_EQ(m.dialogs.messages[0].buttons,
              (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No}));
}

// A file system on which the write test of chosen folders fails.
class ReadOnlyFolders : public HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        if (mode == OpenMode::Create && path.rfind("C:\\RO\\", 0) == 0)
            return nullptr;
        return HostFileSystem::open(path, mode);
    }
};

TEST_F(WizardTest, InstallChecksStopWithTheirMessages) {
    dataFile();
    m.writeFile("C:\\AFile", "x");
    struct Case {
        const char* what;
        std::function<void()> prepare;
        const char* folder;
        std::vector<DialogButton> answers;
        std::string message; // start of the only message, "" none
        bool proceeds;
    };
    auto oldDll = [this](int year) {
        m.writeFile("C:\\Windows\\System32\\qz4.dll", "old");
        // 1 January of that year, noon.
        long long days =
            (year - 1601) * 365LL + (year - 1601) / 4 - (year - 1601) / 100 + (year - 1601) / 400;
        m.files.setLastWriteTime("C:\\Windows\\System32\\qz4.dll", days * Day + Day / 2);
    };
    const Case cases[] = {
        {"an old installation must go first",
         [this] { m.files.createDirectories("C:\\Program Files\\QZ4\\UNINST.QZ4"); },
         "C:\\QZ4",
         {},
         "Before installing Quazzle 4 you have to uninstall",
         false},
        {"a folder that cannot be made",
         [] {},
         "C:\\AFile\\QZ4",
         {},
         "Could not create the \"C:\\AFile\\QZ4\" directory.",
         false},
        {"a folder that cannot be written",
         [] {},
         "C:\\RO\\QZ4\\",
         {},
         "The \"C:\\RO\\QZ4\" directory is read-only.",
         false},
        {"old libraries, answered No",
         [&] { oldDll(2005); },
         "C:\\QZ4",
         {DialogButton::No},
         "The old versions of some Quazzle components were found",
         false},
        {"old libraries, answered Yes",
         [&] { oldDll(2005); },
         "C:\\QZ4",
         {DialogButton::Yes},
         "The old versions of some Quazzle components were found",
         true},
        {"libraries of 2006 raise no question", [&] { oldDll(2006); }, "C:\\QZ4", {}, "", true},
        {"one trailing backslash goes", [] {}, "C:\\QZ4\\", {}, "", true},
        {"a relative folder",
         [] {},
         "QZ4",
         {},
         "The installation directory \"QZ4\" is not a full path.",
         false},
        {"a folder relative to a drive's current folder",
         [] {},
         "C:QZ4",
         {},
         "The installation directory \"C:QZ4\" is not a full path.",
         false},
        {"the root of a drive",
         [] {},
         "C:\\",
         {},
         "The installation directory cannot be the root of a drive: \"C:\"",
         false},
        {"the root of a share",
         [] {},
         "\\\\srv\\share",
         {},
         "The installation directory cannot be the root of a drive: \"\\\\srv\\share\"",
         false},
    };
    ReadOnlyFolders files(m.root);
    Platform platform{files, m.registry, m.system, m.dialogs, m.resources, m.shell};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetLanguageState();
        startProcess();
        std::filesystem::remove_all(m.root / "C" / "Program Files" / "QZ4");
        std::filesystem::remove_all(m.root / "C" / "Windows");
        c.prepare();
        TInstF1 wizard(platform);
        m.dialogs.messages.clear();
        m.dialogs.shownForms.clear();
        m.dialogs.messageAnswers = {c.answers.begin(), c.answers.end()};
        wizard.Edit1.enterText(c.folder);
        wizard.Button4.click();
        if (c.message.empty()) {
            EXPECT_TRUE(m.dialogs.messages.empty());
        } else {
            ASSERT_EQ(m.dialogs.messages.size(), 1u);
            EXPECT_EQ(m.dialogs.messages[0].text.substr(0, c.message.size()), c.message);
        }
        // Passing the checks shows the progress window below the wizard.
        ASSERT_EQ(m.dialogs.shownForms.size(), c.proceeds ? 1u : 0u);
        if (c.proceeds) {
            const auto& progress = static_cast<const ui::Form&>(*m.dialogs.shownForms[0]);
            EXPECT_EQ(progress.className(), "TInstF3");
            EXPECT_EQ(progress.placedBelow, &wizard);
            EXPECT_EQ(progress.find("Label1")->caption, "QZ4 Install: data reading...");
            EXPECT_EQ(progress.find("ProgressBar1")->width, progress.clientWidth - 10);
            EXPECT_EQ(wizard.setup().installDir, "C:\\QZ4");
        }
        EXPECT_FALSE(m.files.fileExists("C:\\QZ4\\$$tfile$.tmp"));
    }
}

TEST(ProgressTest, TheBarCountsVolumesAndShortcuts) {
    EXPECT_EQ(TInstF3::progressMaximum(1, 12), 160);
    EXPECT_EQ(TInstF3::progressMaximum(3, 12), 360);
    EXPECT_EQ(TInstF3::progressPosition(1, 0), 0);
    EXPECT_EQ(TInstF3::progressPosition(1, 100), 100);
    EXPECT_EQ(TInstF3::progressPosition(2, 40), 140);
}

// Whole installations from distributions made with the shared password.
class InstallationTest : public WizardTest {
protected:
    // Writes the tree and packs it with the real writer; false without it.
    bool distribution(const std::vector<std::pair<std::string, std::string>>& tree) {
        auto source = m.root / "source";
        std::filesystem::remove_all(source);
        for (const auto& [name, bytes] : tree) {
            std::filesystem::create_directories((source / name).parent_path());
            std::ofstream(source / name, std::ios::binary) << bytes;
        }
        std::filesystem::remove(m.files.hostPath("C:\\Inst\\setup.dat"));
        std::string line = "cd '" + source.string() + "' && zip -qrD -P " + DistributionPassword +
                           " '" + m.files.hostPath("C:\\Inst\\setup.dat").string() +
                           "' . >/dev/null 2>&1";
        return std::system(line.c_str()) == 0;
    }
    InstallOutcome install(const std::string& folder) {
        ResetLanguageState();
        m.dialogs.terminated = false;
        m.dialogs.messages.clear();
        m.shell.requests.clear();
        startProcess();
        TInstF1 wizard(m.platform);
        wizard.Edit1.enterText(folder);
        activateProgressWindow();
        wizard.Button4.click();
        EXPECT_TRUE(m.dialogs.terminated);
        return wizard.outcome();
    }
    // Every file and folder below a folder (relative, '/' separated), with
    // each file's bytes; links are listed as links and not entered.
    std::map<std::string, std::string> tree(const std::string& folder) {
        std::map<std::string, std::string> found;
        const auto top = m.files.hostPath(folder);
        for (auto it = std::filesystem::recursive_directory_iterator(top);
             it != std::filesystem::recursive_directory_iterator(); ++it) {
            const std::string name = std::filesystem::relative(it->path(), top).string();
            if (it->is_symlink())
                found[name] = "link to " + std::filesystem::read_symlink(it->path()).string();
            else if (it->is_regular_file())
                found[name] = m.readFile(folder + "\\" + name).value_or("?");
            else
                found[name] = "folder";
        }
        return found;
    }
    std::vector<std::string> record(const std::string& path) {
        std::vector<std::string> lines;
        std::ifstream in(m.files.hostPath(path));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line.substr(0, line.size() - 1)); // without CR
        return lines;
    }
    const std::vector<std::pair<std::string, std::string>> demo{
        {"QZ4Demo.exe", "demo"},
        {"QZ4Load.exe", "load"},
        {"QZ4Res.exe", "res"},
        {"QZ4Panel.exe", "panel"},
        {"readme_en.txt", "readme"},
        {"LIB/core.dll", "core"},
        {"SAMPLES/one.pas", "sample"},
        {"SYSTEM/sysunima.exe", "uninstaller"},
        {"RESULTS.DAT", "blank results"},
    };
};

TEST_F(InstallationTest, InstallsADistributionAndStartsTheTool) {
    if (!distribution(demo))
        GTEST_SKIP() << "zip is not available";
    m.writeFile("C:\\Inst\\setup.ini", "[ExcludeDir]\r\n1=samples\r\n");
    m.writeFile("C:\\QZ4\\RESULTS.DAT", "the student's results");
    EXPECT_EQ(install("C:\\QZ4"), InstallOutcome::Installed);

    EXPECT_EQ(m.readFile("C:\\QZ4\\QZ4Demo.exe"), "demo");
    EXPECT_EQ(m.readFile("C:\\QZ4\\LIB\\core.dll"), "core");
    EXPECT_EQ(m.readFile("C:\\Windows\\System32\\sysunima.exe"), "uninstaller");
    EXPECT_EQ(m.readFile("C:\\QZ4\\RESULTS.DAT"), "the student's results");
    EXPECT_EQ(m.readFile("C:\\QZ4\\QZ4Setup.exe"), "MZ installer");
    EXPECT_FALSE(m.files.directoryExists("C:\\QZ4\\SAMPLES"));
    EXPECT_EQ(tree("C:\\QZ4").count("~QZ4Setup1.tmp"), 0u);

    auto demoLink = m.shell.readShortcut("C:\\Menu\\Programs\\Quazzle 4\\QZ4 Demo.lnk");
    ASSERT_TRUE(demoLink);
    EXPECT_EQ(demoLink->target, "C:\\QZ4\\QZ4Demo.exe");
    EXPECT_EQ(demoLink->workingDirectory, "C:\\QZ4");
    // Help files are not in this distribution: no links to them.
    EXPECT_FALSE(m.files.fileExists("C:\\Menu\\Programs\\Quazzle 4\\QZ4 Help.lnk"));

    std::vector<std::string> log = record("C:\\QZ4\\UNINST\\qz4.log");
    ASSERT_GT(log.size(), 4u);
    EXPECT_EQ(log[0], "Uninstall Quazzle 4|Do you want to uninstall Quazzle 4?|Quazzle 4 has "
                      "uninstalled completely.|Quazzle 4 has uninstalled but the following files "
                      "have not removed:|");
    EXPECT_EQ(log[1], "C:\\QZ4\\SAMPLES\\a");
    EXPECT_EQ(log[2], "C:\\QZ4\\LIB\\a");
    for (const char* line :
         {"C:\\QZ4\\QZ4Demo.exe", "C:\\QZ4\\RESULTS.DAT", "C:\\QZ4\\QZ4Setup.exe",
          "C:\\QZ4\\UNINST\\QZ4Uninstall.lnk", "C:\\Desk\\QZ4 Panel.lnk"})
        EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
    EXPECT_EQ(std::find(log.begin(), log.end(), "C:\\Windows\\System32\\sysunima.exe"), log.end());

    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].text.substr(0, 45),
              "The Quazzle system is installed successfully.");
    EXPECT_EQ(m.shell.requests,
              (std::vector<ShellRequest>{
                  {ShellRequest::Kind::Start, "C:\\QZ4\\qz4setup.exe", "-len", "C:\\QZ4"}}));

    // A second installation into the same folder merges the record.
    install("C:\\QZ4");
    std::vector<std::string> again = record("C:\\QZ4\\UNINST\\qz4.log");
    EXPECT_EQ(again, log);
}

TEST_F(InstallationTest, ADistributionUnderAnotherPasswordIsADataCopyError) {
    auto source = m.root / "source";
    std::filesystem::create_directories(source);
    std::ofstream(source / "QZ4Demo.exe") << "demo";
    std::string line = "cd '" + source.string() + "' && zip -q -P other '" +
                       m.files.hostPath("C:\\Inst\\setup.dat").string() + "' QZ4Demo.exe";
    m.files.createDirectories("C:\\Inst");
    if (std::system(line.c_str()) != 0)
        GTEST_SKIP() << "zip is not available";
    EXPECT_EQ(install("C:\\QZ4"), InstallOutcome::RolledBack);
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].text.substr(0, 16), "Data-copy error.");
    EXPECT_FALSE(m.files.directoryExists("C:\\QZ4"));
}

TEST_F(InstallationTest, AnArchiveThatEndsBadlyLeavesNothingBehind) {
    enum Damage { BadCrc, FolderLast, CutShort };
    struct Case {
        const char* what;
        Damage damage;
    };
    for (const Case c : {Case{"bad CRC at the end", BadCrc},
                         Case{"a folder at the end", FolderLast}, Case{"cut short", CutShort}}) {
        SCOPED_TRACE(c.what);
        test::ZipBuilder zip;
        zip.add("QZ4Demo.exe", "demo");
        zip.add("LIB\\deep\\core.dll", "core");
        zip.add("SYSTEM\\sysunima.exe", "uninstaller");
        zip.add("RESULTS.DAT", "blank");
        if (c.damage == FolderLast)
            zip.add("EMPTY\\", "");
        else
            zip.add("QZ4Load.exe", "load").crc = c.damage == BadCrc ? 1 : 0;
        const std::string bytes = zip.bytes();
        dataFile(c.damage == CutShort ? bytes.substr(0, bytes.size() - 30) : bytes);
        // The user's results in an existing folder stay; nothing else does.
        std::filesystem::remove_all(m.root / "C" / "Old");
        m.writeFile("C:\\Old\\QZ4\\RESULTS.DAT", "the student's results");
        EXPECT_EQ(install("C:\\Old\\QZ4"), InstallOutcome::RolledBack);
        ASSERT_EQ(m.dialogs.messages.size(), 1u);
        EXPECT_EQ(m.dialogs.messages[0].text,
                  "Data-copy error. It seems likely that the install application is not in the "
                  "administrator mode or the setup.dat file is corrupted. Installation will be "
                  "terminated.");
        std::vector<std::string> left;
        for (auto& e : std::filesystem::recursive_directory_iterator(m.root / "C" / "Old"))
            left.push_back(std::filesystem::relative(e.path(), m.root / "C").string());
        EXPECT_EQ(left, (std::vector<std::string>{"Old/QZ4", "Old/QZ4/RESULTS.DAT"}));
        EXPECT_EQ(m.readFile("C:\\Old\\QZ4\\RESULTS.DAT"), "the student's results");
        EXPECT_TRUE(m.shell.requests.empty());
        m.files.deleteFile("C:\\Windows\\System32\\sysunima.exe");

        // Into a new folder: not even the folder, nor the parents made for it, stay.
        install("C:\\New\\Deep\\QZ4");
        EXPECT_FALSE(m.files.directoryExists("C:\\New"));
    }
}

TEST_F(InstallationTest, AFailedUpdateLeavesThePreviousInstallationAsItWas) {
    if (!distribution(demo))
        GTEST_SKIP() << "zip is not available";
    ASSERT_EQ(install("C:\\QZ4"), InstallOutcome::Installed);
    // The student edits files of the installation; one is read-only.
    m.writeFile("C:\\QZ4\\LIB\\core.dll", "edited by the student");
    m.files.setAttributes("C:\\QZ4\\QZ4Load.exe", AttrReadOnly);
    const auto before = tree("C:\\QZ4");
    const auto system = m.readFile("C:\\Windows\\System32\\sysunima.exe");
    const auto links = tree("C:\\Menu\\Programs");

    // The new version's archive breaks at its last entry.
    test::ZipBuilder zip;
    zip.add("QZ4Demo.exe", "demo 2");
    zip.add("QZ4Load.exe", "load 2");
    zip.add("LIB\\core.dll", "core 2");
    zip.add("LIB\\new\\more.dll", "more 2");
    zip.add("SYSTEM\\sysunima.exe", "uninstaller 2");
    zip.add("QZ4Res.exe", "res 2").crc = 1;
    dataFile(zip.bytes());
    EXPECT_EQ(install("C:\\QZ4"), InstallOutcome::RolledBack);

    EXPECT_EQ(tree("C:\\QZ4"), before);
    EXPECT_EQ(m.readFile("C:\\Windows\\System32\\sysunima.exe"), system);
    EXPECT_EQ(tree("C:\\Menu\\Programs"), links);
    EXPECT_TRUE(m.files.attributes("C:\\QZ4\\QZ4Load.exe").value_or(0) & AttrReadOnly);
}

TEST_F(InstallationTest, FoldersOfOthersInTheInstallationFolderAreNeverTouched) {
    // A TEMP folder of the user's, with a link into the user's documents.
    m.writeFile("C:\\QZ4\\TEMP\\notes.txt", "the user's notes");
    m.writeFile("C:\\QZ4\\~QZ4Setup1.tmp\\keep.txt", "someone's file");
    m.writeFile("C:\\Users\\me\\Documents\\essay.txt", "the user's essay");
    std::filesystem::create_directory_symlink(m.files.hostPath("C:\\Users\\me\\Documents"),
                                              m.files.hostPath("C:\\QZ4\\TEMP") / "docs");
    const auto documents = tree("C:\\Users\\me\\Documents");
    const auto temp = tree("C:\\QZ4\\TEMP");
    test::ZipBuilder zip;
    zip.add("QZ4Demo.exe", "demo");
    zip.add("TEMP\\other.txt", "an entry of the archive");
    zip.add("SYSTEM\\sysunima.exe", "uninstaller");
    zip.add("QZ4Res.exe", "res");
    dataFile(zip.bytes());
    ASSERT_EQ(install("C:\\QZ4"), InstallOutcome::Installed);
    EXPECT_EQ(m.readFile("C:\\QZ4\\TEMP\\other.txt"), "an entry of the archive");
    m.files.deleteFile("C:\\QZ4\\TEMP\\other.txt");
    EXPECT_EQ(tree("C:\\QZ4\\TEMP"), temp);
    EXPECT_EQ(m.readFile("C:\\QZ4\\~QZ4Setup1.tmp\\keep.txt"), "someone's file");

    // A rollback takes back only what the run placed.
    zip.add("broken.dll", "x").crc = 1;
    dataFile(zip.bytes());
    ASSERT_EQ(install("C:\\QZ4"), InstallOutcome::RolledBack);
    EXPECT_EQ(tree("C:\\QZ4\\TEMP"), temp);
    EXPECT_EQ(tree("C:\\Users\\me\\Documents"), documents);
    EXPECT_EQ(m.readFile("C:\\QZ4\\~QZ4Setup1.tmp\\keep.txt"), "someone's file");
    EXPECT_EQ(m.readFile("C:\\QZ4\\QZ4Demo.exe"), "demo");
}

TEST_F(InstallationTest, AnEntryThatFailsInTheMiddleIsAProblem) {
    struct Case {
        const char* what;
        std::function<void(test::ZipBuilder&)> middle;
    };
    const Case cases[] = {
        {"bad CRC", [](test::ZipBuilder& zip) { zip.add("QZ4Load.exe", "load").crc = 1; }},
        {"unknown method",
         [](test::ZipBuilder& zip) { zip.add("QZ4Load.exe", "load").method = 99; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(m.root / "C" / "QZ4");
        test::ZipBuilder zip;
        zip.add("QZ4Demo.exe", "demo");
        c.middle(zip);
        zip.add("SYSTEM\\sysunima.exe", "uninstaller");
        zip.add("QZ4Res.exe", "res");
        dataFile(zip.bytes());
        m.writeFile("C:\\Inst\\setup.ini", "[Main]\r\nFinalMessage=0\r\n");
        EXPECT_EQ(install("C:\\QZ4"), InstallOutcome::InstalledWithProblems);
        // The reader names an unknown method itself; the final message comes last.
        ASSERT_FALSE(m.dialogs.messages.empty());
        EXPECT_NE(m.dialogs.messages.back().text.find(
                      "Could not create the following files: \r\n\"C:\\QZ4\\QZ4Load.exe\"."),
                  std::string::npos)
            << m.dialogs.messages.back().text;
        EXPECT_EQ(m.readFile("C:\\QZ4\\QZ4Res.exe"), "res");
        EXPECT_TRUE(m.shell.requests.empty());
    }
}

TEST_F(InstallationTest, ARefusedInstallationSaysSo) {
    dataFile();
    startProcess();
    TInstF1 wizard(m.platform);
    wizard.Edit1.enterText("QZ4");
    wizard.Button4.click();
    wizard.Button5.click();
    EXPECT_EQ(wizard.outcome(), InstallOutcome::NotInstalled);
}

// Installations from a deployment script: the command line, no person.
class UnattendedInstallationTest : public InstallationTest {
protected:
    int run(std::vector<std::string> arguments) {
        ResetLanguageState();
        m.dialogs.terminated = false;
        m.system.arguments = std::move(arguments);
        startProcess();
        return RunInstaller(m.platform);
    }
    std::string log() { return m.readFile("C:\\Logs\\лаб.log").value_or("no log"); }
    bool logged(const std::string& line) {
        return log().find("\r\n" + line + "\r\n") != std::string::npos;
    }
};

TEST_F(UnattendedInstallationTest, WithoutAnyWindowEverythingGoesToTheLogAndTheRegistry) {
    if (!distribution(demo))
        GTEST_SKIP() << "zip is not available";
    russianSystem(); // no language question either
    m.writeFile("C:\\Inst\\setup.ini",
                "[ExcludeDir]\r\n1=samples\r\n[Main]\r\nInstallDir=C:\\Ini\r\n");
    m.writeFile("C:\\Лаб\\QZ4\\RESULTS.DAT", "the student's results");
    EXPECT_EQ(run({"/VERYSILENT", "/DIR=C:\\Лаб\\QZ4", "-log=C:\\Logs\\лаб.log", "/NOLAUNCH"}), 0);
    EXPECT_TRUE(m.dialogs.shownForms.empty());
    EXPECT_TRUE(m.dialogs.messages.empty());
    EXPECT_TRUE(m.shell.requests.empty()) << "the tool is not started";
    EXPECT_EQ(ActiveLanguage(), "ru");
    EXPECT_FALSE(m.files.directoryExists("C:\\Ini"));

    EXPECT_TRUE(
        log().starts_with("\xEF\xBB\xBFQZ4 installer 4.27: C:\\Inst\\setup.exe /VERYSILENT"))
        << log();
    for (const char* line : {
             "mode: very silent",
             "folder: C:\\Лаб\\QZ4",
             "placed: C:\\Лаб\\QZ4\\QZ4Demo.exe",
             "placed: C:\\Лаб\\QZ4\\LIB\\core.dll",
             "placed: C:\\Windows\\System32\\sysunima.exe",
             "kept (the user's own file): C:\\Лаб\\QZ4\\RESULTS.DAT",
             "excluded: SAMPLES\\one.pas",
             "link: C:\\Menu\\Programs\\Quazzle 4\\QZ4 Demo.lnk",
             "uninstall record: C:\\Лаб\\QZ4\\UNINST\\qz4.log",
             "uninstall entry: "
             "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quazzle 4",
             "outcome: 0 (installed)",
         })
        EXPECT_TRUE(logged(line)) << line << "\n" << log();

    auto value = [&](const char* name) {
        return m.registry.readString(RegistryRoot::LocalMachine, UninstallKey(), name);
    };
    EXPECT_EQ(value("DisplayName"), "Quazzle 4");
    EXPECT_EQ(value("DisplayVersion"), "4.27");
    EXPECT_EQ(value("InstallLocation"), "C:\\Лаб\\QZ4");
    EXPECT_EQ(value("UninstallString"),
              "\"C:\\Windows\\System32\\sysunima.exe\" \"C:\\Лаб\\QZ4\\UNINST\\qz4.log\"");
    EXPECT_EQ(value("QuietUninstallString"),
              "\"C:\\Windows\\System32\\sysunima.exe\" /S \"C:\\Лаб\\QZ4\\UNINST\\qz4.log\"");
}

TEST_F(UnattendedInstallationTest, ADamagedArchiveLeavesNothingAndTheLogSaysWhy) {
    test::ZipBuilder zip;
    zip.add("QZ4Demo.exe", "demo");
    zip.add("QZ4Load.exe", "load").crc = 1;
    dataFile(zip.bytes());
    activateProgressWindow();
    EXPECT_EQ(run({"/SILENT", "/DIR=C:\\QZ4", "/LOG=C:\\Logs\\лаб.log", "/LANG=en"}), 2);
    EXPECT_TRUE(m.dialogs.messages.empty());
    EXPECT_FALSE(m.files.directoryExists("C:\\QZ4"));
    EXPECT_FALSE(m.registry.keyExists(RegistryRoot::LocalMachine, UninstallKey()));
    EXPECT_TRUE(logged("not created (the archive entry is damaged): C:\\QZ4\\QZ4Load.exe"))
        << log();
    EXPECT_NE(log().find("error: Data-copy error."), std::string::npos) << log();
    EXPECT_TRUE(logged("outcome: 2 (failed, rolled back)")) << log();
}

TEST_F(UnattendedInstallationTest, ARefusedCheckOrABadCommandLineChangesNothing) {
    dataFile();
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* why;
    };
    const Case cases[] = {
        {{"/VERYSILENT", "/DIR=QZ4", "/LOG=C:\\Logs\\лаб.log"}, 1, "is not a full path"},
        {{"/VERYSILENT", "/DIR=C:\\QZ4", "/LOG=C:\\Logs\\лаб.log", "/SILNET"},
         5,
         "Unknown command-line parameter: \"/SILNET\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.arguments), c.status);
        EXPECT_TRUE(m.dialogs.messages.empty());
        EXPECT_NE(log().find(c.why), std::string::npos) << log();
        EXPECT_FALSE(m.files.directoryExists("C:\\QZ4"));
    }
    // With the wizard the mistake is shown, since someone is there to read it.
    EXPECT_EQ(run({"/DIRECTORY=C:\\QZ4"}), 5);
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(m.dialogs.shownForms.empty());
}

// /ALLUSERS: the group and the desktop link in the common folders when the
// installer may write there; otherwise the user's, and the log says why.
TEST_F(UnattendedInstallationTest, AllUsersLinksGoToTheCommonFoldersWhenTheyCanBeWritten) {
    if (!distribution(demo))
        GTEST_SKIP() << "zip is not available";
    m.system.specialFolders[SpecialFolder::CommonPrograms] = "C:\\All\\Programs";
    m.system.specialFolders[SpecialFolder::CommonDesktop] = "C:\\All\\Desktop";
    const std::vector<std::string> arguments{"/VERYSILENT", "/ALLUSERS", "/DIR=C:\\QZ4",
                                             "/LOG=C:\\Logs\\лаб.log", "/NOLAUNCH"};
    // Not elevated: the common folders cannot be written (here: are missing).
    EXPECT_EQ(run(arguments), 0);
    EXPECT_TRUE(m.shell.readShortcut("C:\\Menu\\Programs\\Quazzle 4\\QZ4 Demo.lnk"));
    EXPECT_TRUE(logged("links for the current user: the common folders cannot be written"))
        << log();

    m.files.createDirectories("C:\\All\\Programs");
    m.files.createDirectories("C:\\All\\Desktop");
    EXPECT_EQ(run(arguments), 0);
    EXPECT_TRUE(m.shell.readShortcut("C:\\All\\Programs\\Quazzle 4\\QZ4 Demo.lnk"));
    EXPECT_TRUE(m.shell.readShortcut("C:\\All\\Desktop\\QZ4 Panel.lnk"));
    EXPECT_TRUE(logged("link: C:\\All\\Programs\\Quazzle 4\\QZ4 Demo.lnk")) << log();
    EXPECT_EQ(tree("C:\\All\\Programs").count("$$tfile$.tmp"), 0u);

    // Installed again for the user alone: the record keeps the common links,
    // so that the removal still finds them.
    EXPECT_EQ(run({"/VERYSILENT", "/DIR=C:\\QZ4", "/NOLAUNCH"}), 0);
    const auto lines = record("C:\\QZ4\\UNINST\\qz4.log");
    for (const char* link : {"C:\\All\\Programs\\Quazzle 4\\QZ4 Demo.lnk",
                             "C:\\Menu\\Programs\\Quazzle 4\\QZ4 Demo.lnk"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), link), lines.end()) << link;
}

} // namespace
} // namespace qz
