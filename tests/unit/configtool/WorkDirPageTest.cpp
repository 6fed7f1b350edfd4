#include "ToolFixture.h"

#include "text/Text.h"
#include "workdir/CertificateHeader.h"
#include "workdir/Cp866.h"
#include "workdir/RecordFile.h"
#include "workdir/RepositoryFiles.h"
#include "workdir/ResultsFile.h"

namespace qz {
namespace {

using test::ToolTest;

constexpr const char* kDir = "C:\\Work";
const ui::Color Red = ui::rgb(255, 0, 0);

// The main window on the working-directory page, with PascalABC.NET and
// Delphi 7 installed and kDir the only listed folder.
class WorkDirTest : public ToolTest {
public:
    WorkDirPage& work() { return form->workDirPage; }
    std::string at(const std::string& name) { return std::string(kDir) + "\\" + name; }
    int delphi() { return form->catalogue().findSlotByDisplayName("Borland Delphi 7"); }

    void startOnPage(std::vector<std::string> folders = {kDir}) {
        installPascalAbc();
        installDelphi7();
        start();
        work().ListBox1.items = std::move(folders);
        work().ListBox1.itemIndex = 0;
        form->ShowPage(2);
    }
    void connect(int slot) { entry(slot).connectedOk = true; }
    void createResults(const std::string& key) {
        m.files.createDirectories(kDir);
        ASSERT_EQ(CreateResultsFile(m.files, std::string(kDir) + "\\", "Ivanov", "|10", "C:\\QZ4"),
                  0);
        if (!key.empty()) {
            ASSERT_EQ(WriteResultsHeader(m.files, kDir, key, "C:\\QZ4"), 0);
        }
    }
    void writeCertificate(const std::string& name) {
        m.writeFile(at(name), PaddedRecord("1.0|Ivanov Petr|10-B|ivanov|School 5|") +
                                  PaddedRecord("x") + PaddedRecord("x"));
    }
    ui::Color colour(const ui::Control& c) { return c.effectiveFont().color; }
};

// One state of the page: what lies in the folder and what the page shows.
struct PageCase {
    const char* what;
    std::function<void(WorkDirTest&)> prepare;
    std::string status; // Label12 after its line break
    bool red;
    std::string name; // StaticText4
    std::string certificate;
    bool greyCertificate;
    std::string combo;
    bool comboEnabled;
    std::string button14;
    bool button14Enabled;
    std::string button6;
    std::string exit;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.what;
}

class PageStateTest : public WorkDirTest, public ::testing::WithParamInterface<PageCase> {};

const std::string Complete =
    "The working directory is defined. It contains all necessary components.";
const std::string Change = "Change [F9]";
const std::string AddCert = "Add\r\naccess.dat [F10]";
const std::string DeleteCert = "Delete\r\naccess.dat [F10]";
const std::string Certificate = "Ivanov Petr\r\n10-B [ivanov] School 5";
const std::string Ivanov = "Ivanov" + std::string(19, ' ');

TEST_P(PageStateTest, ShowsTheFolderAsItIs) {
    const PageCase& c = GetParam();
    startOnPage();
    c.prepare(*this);
    work().RefreshWorkDirStatus();
    WorkDirPage& p = work();
    EXPECT_EQ(p.Label12.caption, "\r\n" + c.status);
    EXPECT_EQ(colour(p.Label12), c.red ? Red : ui::clWindowText);
    EXPECT_EQ(p.StaticText4.caption, c.name);
    EXPECT_EQ(p.StaticText1.caption, c.certificate);
    EXPECT_EQ(colour(p.StaticText1), c.greyCertificate ? ui::clGray : ui::clWindowText);
    EXPECT_EQ(p.ComboBox1.caption, c.combo);
    EXPECT_EQ(p.ComboBox1.enabled, c.comboEnabled);
    EXPECT_EQ(p.Button14.caption, c.button14);
    EXPECT_EQ(p.Button14.enabled, c.button14Enabled);
    EXPECT_EQ(p.Button6.caption, c.button6);
    EXPECT_EQ(form->Button26.caption, c.exit);
}

INSTANTIATE_TEST_SUITE_P(
    WorkDir, PageStateTest,
    ::testing::Values(
        // Label12 keeps its colour: red from the start-up, which found
        // C:\\QZ4Work without a results file.
        PageCase{"no folder", [](WorkDirTest&) {}, "The working directory must be specified.", true,
                 "", "", false, "", false, Change, false, AddCert, "Exit"},
        PageCase{"no results file",
                 [](WorkDirTest& t) {
                     t.m.files.createDirectories(kDir);
                     t.connect(kPascalAbcSlot);
                 },
                 "A file results.dat is not found at the working directory.", true, "", "", false,
                 "PascalABC.NET", true, "Create [F9]", true, AddCert, "Exit"},
        PageCase{"identification record fails its check",
                 [](WorkDirTest& t) {
                     t.m.files.createDirectories(kDir);
                     t.m.writeFile(t.at("results.dat"), PaddedRecord("Ivanov|10") +
                                                            PaddedRecord("C:\\QZ4") +
                                                            PaddedRecord(std::string(78, 'z')));
                 },
                 "The file results.dat is corrupted and needs to be deleted and then recreated.",
                 true, "", "", false, "Not defined", true, Change, true, AddCert, "Exit"},
        PageCase{"results naming a connected environment",
                 [](WorkDirTest& t) {
                     t.connect(kPascalAbcSlot);
                     t.connect(t.delphi());
                     t.createResults("DELPHI7");
                 },
                 Complete, false, Ivanov, "", false, "Borland Delphi 7", true, Change, true,
                 AddCert, "Finish"},
        PageCase{"results without an environment", [](WorkDirTest& t) { t.createResults(""); },
                 "Select a work environment.", true, Ivanov, "", false, "Not defined", true, Change,
                 true, AddCert, "Exit"},
        PageCase{"active certificate",
                 [](WorkDirTest& t) {
                     t.connect(kPascalAbcSlot);
                     t.createResults("PASCALABC1");
                     t.writeCertificate("access.dat");
                 },
                 Complete, false, "Ivanov Petr", Certificate, false, "PascalABC.NET", false, Change,
                 false, DeleteCert, "Finish"},
        PageCase{"switched-off certificate",
                 [](WorkDirTest& t) {
                     t.connect(kPascalAbcSlot);
                     t.createResults("PASCALABC1");
                     t.writeCertificate("access0.dat");
                 },
                 Complete, false, Ivanov, Certificate, true, "PascalABC.NET", true, Change, true,
                 DeleteCert, "Finish"}));

TEST_F(WorkDirTest, LocalFolderGetsItsShortcutsAndTheChosenEnvironment) {
    startOnPage();
    connect(kPascalAbcSlot);
    connect(delphi());
    createResults("");
    m.writeFile(at("Demo.lnk"), "not a link"); // a user's own file stays
    work().RefreshWorkDirStatus();
    // Nothing named and no default: the first connected environment is taken.
    auto& combo = work().ComboBox1;
    ASSERT_EQ(combo.items.size(), 2u);
    EXPECT_EQ(combo.caption, combo.items[0]);
    const int first = form->catalogue().findSlotByDisplayName(combo.items[0]);
    EXPECT_EQ(ReadResultsHeader(m.files, kDir).header.key, entry(first).key());
    EXPECT_EQ(read(at("Demo.lnk")), "not a link");
    auto link = m.shell.readShortcut(at("Results.lnk"));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, "C:\\QZ4\\QZ4Res.exe");
    EXPECT_TRUE(m.shell.readShortcut(at("Panel.lnk")));
    EXPECT_TRUE(m.shell.readShortcut(at("Load.lnk")));

    // The user picks another environment: the header and the default follow.
    const std::string other = first == kPascalAbcSlot ? "Borland Delphi 7" : "PascalABC.NET";
    auto chosen = std::find(combo.items.begin(), combo.items.end(), other);
    combo.select(static_cast<int>(chosen - combo.items.begin()));
    const std::string key = entry(form->catalogue().findSlotByDisplayName(other)).key();
    EXPECT_EQ(ReadResultsHeader(m.files, kDir).header.key, key);
    EXPECT_EQ(form->settings().defaultEnvir, key);
    EXPECT_EQ(combo.caption, other);
}

// What changed while the environments page was shown (a connected
// environment, the folder's files) shows when the page is entered again.
TEST_F(WorkDirTest, EnteringThePageShowsTheFolderAsItIsNow) {
    startOnPage();
    form->ShowPage(1);
    connect(delphi());
    createResults("DELPHI7");
    form->pressKey(ui::KeyF4);
    EXPECT_EQ(work().ComboBox1.caption, "Borland Delphi 7");
    EXPECT_EQ(work().Label12.caption, "\r\n" + Complete);
    EXPECT_EQ(form->Button26.caption, "Finish");
}

TEST_F(WorkDirTest, ComboHoldsConnectedEnvironmentsButNoMpiRuntime) {
    startOnPage();
    m.files.createDirectories(kDir);
    connect(kPascalAbcSlot);
    connect(delphi());
    entry(delphi()).suspended = true;
    EnvironmentEntry& mpi = entry(46);
    mpi.modulesPresent = mpi.connectedOk = true;
    form->environmentPage.CheckListBox1.addItem(mpi.displayName);
    work().RefreshWorkDirStatus();
    EXPECT_EQ(work().ComboBox1.items, std::vector<std::string>{"PascalABC.NET"});
    const auto& states = form->environmentPage.CheckListBox1.states;
    EXPECT_EQ(states.back(), ui::CheckState::Checked);
    EXPECT_NE(std::find(states.begin(), states.end(), ui::CheckState::Grayed), states.end());

    entry(kPascalAbcSlot).connectedOk = false;
    work().RefreshWorkDirStatus();
    EXPECT_EQ(work().ComboBox1.items, std::vector<std::string>{"Not defined"});
}

TEST_F(WorkDirTest, CertificateNewToTheFolderTakesItOver) {
    startOnPage();
    createResults("");
    const CodePage ansi = m.system.ansiText();
    const std::string local = read(at("results.dat"));

    // The first certificate puts the local results file aside.
    writeCertificate("access.dat");
    work().RefreshWorkDirStatus();
    EXPECT_EQ(ReadAccessInfo(m.files, kDir, ansi), "Ivanov Petr 10-B");
    EXPECT_EQ(read(at("results0.dat")), local);
    EXPECT_FALSE(m.files.fileExists(at("results.dat")));

    // Seen once, it changes nothing more.
    m.writeFile(at("results.dat"), "repository results");
    work().RefreshWorkDirStatus();
    EXPECT_EQ(read(at("results.dat")), "repository results");

    // Another certificate: what the previous one left goes, the local file
    // comes back and is put aside again.
    WriteAccessInfo(m.files, kDir, "Somebody Else 9-A", ansi);
    m.writeFile(at("results1.dat"), "switched-off results");
    work().RefreshWorkDirStatus();
    EXPECT_EQ(ReadAccessInfo(m.files, kDir, ansi), "Ivanov Petr 10-B");
    EXPECT_FALSE(m.files.fileExists(at("results1.dat")));
    EXPECT_FALSE(m.files.fileExists(at("results.dat")));
    EXPECT_EQ(read(at("results0.dat")), local);
}

// The identity a folder last saw survives qz4.ini on every system: whatever
// the certificate header holds and whoever wrote the stored identity, two
// status checks leave the repository's results and data where they are.
struct IdentityCase {
    const char* what;
    std::string header; // UTF-8; stored in CP866 like every record
    unsigned ansiCodePage;
    bool storedTheOldWay; // qz4.ini as a writer that knew only the code page left it
};

void PrintTo(const IdentityCase& c, std::ostream* os) {
    *os << c.what << " on " << c.ansiCodePage << (c.storedTheOldWay ? ", stored the old way" : "");
}

class CertificateIdentityTest : public WorkDirTest,
                                public ::testing::WithParamInterface<IdentityCase> {};

TEST_P(CertificateIdentityTest, RepositoryResultsSurviveStatusChecks) {
    const IdentityCase& c = GetParam();
    m.system.ansi = c.ansiCodePage;
    startOnPage();
    createResults("");
    const std::string local = read(at("results.dat"));
    m.writeFile(at("access.dat"),
                PaddedRecord(CharToCp866(c.header)) + PaddedRecord("x") + PaddedRecord("x"));
    const std::string identity =
        CertificateIdentity(FormatCertificateInfo(c.header), IdentityForm::Long);
    if (c.storedTheOldWay) {
        // The folder has worked with this certificate for a while.
        m.files.deleteFile(at("results.dat"));
        m.writeFile(at("results0.dat"), local);
        m.writeFile(at("qz4.ini"), "[UpdateData]\r\nAccessInfo=" +
                                       text::encode(identity, c.ansiCodePage) + "\r\n");
    } else {
        work().RefreshWorkDirStatus(); // takes the folder over
        EXPECT_FALSE(m.files.fileExists(at("results.dat")));
    }
    m.writeFile(at("results.dat"), "repository results");
    m.writeFile(at("qzaccess.dir\\tasks.dat"), "repository data");

    work().RefreshWorkDirStatus();
    work().ListBox1Click();
    EXPECT_EQ(read(at("results.dat")), "repository results");
    EXPECT_EQ(read(at("qzaccess.dir\\tasks.dat")), "repository data");
    EXPECT_EQ(read(at("results0.dat")), local);
    // Stored now as it reads back.
    EXPECT_EQ(ReadAccessInfo(m.files, kDir, m.system.ansiText()), StoredIdentity(identity));
}

std::vector<IdentityCase> identityCases() {
    const std::pair<const char*, std::string> headers[] = {
        {"Latin", "1.0|Ivanov Petr|10-B|ivanov|School 5|"},
        {"Cyrillic", "1.0|Иванов Пётр|10-Б|ivanov|Школа 5|"},
        {"line feed", "1.0|Ivanov\nPetr|10-B|ivanov|School 5|"},
        {"quotes", "1.0|\"Ivanov Petr\"||ivanov|School 5|"},
        {"quotes around both fields", "1.0|'Иванов|Пётр'|ivanov|x|"},
        {"no name", "1.0||10-B|ivanov|School 5|"},
    };
    std::vector<IdentityCase> cases;
    for (const auto& [what, header] : headers)
        for (unsigned codePage : {1251u, 1252u})
            for (bool old : {false, true})
                cases.push_back({what, header, codePage, old});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(HeadersAndCodePages, CertificateIdentityTest,
                         ::testing::ValuesIn(identityCases()));

TEST_F(WorkDirTest, ListOperations) {
    startOnPage({"C:\\A", "C:\\B", "C:\\C"});
    WorkDirPage& p = work();
    p.RefreshWorkDirStatus();
    EXPECT_FALSE(p.Button8.enabled);
    form->pressKey(ui::KeyF5); // first item: nothing moves
    form->pressKey(ui::KeyF6);
    EXPECT_EQ(p.ListBox1.items, (std::vector<std::string>{"C:\\B", "C:\\A", "C:\\C"}));
    EXPECT_EQ(p.ListBox1.itemIndex, 1);
    EXPECT_TRUE(p.Button8.enabled);
    p.Button9.click();
    EXPECT_EQ(p.ListBox1.itemIndex, 2);
    EXPECT_FALSE(p.Button9.enabled);

    m.dialogs.messageAnswers = {DialogButton::No, DialogButton::Yes};
    p.Button7.click();
    EXPECT_EQ(p.ListBox1.items.size(), 3u);
    p.Button7.click();
    ASSERT_EQ(m.dialogs.messages.size(), 2u);
    EXPECT_EQ(m.dialogs.messages[1].text,
              "Remove directory \"C:\\A\" from the list of working directories? The contents of "
              "the directory on the disk will not be changed.");
    EXPECT_EQ(p.ListBox1.items, (std::vector<std::string>{"C:\\B", "C:\\C"}));
    EXPECT_EQ(p.ListBox1.itemIndex, 1); // the last was removed: the one before it
}

TEST_F(WorkDirTest, AddingAFolder) {
    m.system.user = "Petrov Sergei Alexandrovich Junior";
    m.files.setDriveType('D', DriveType::Remote);
    m.files.createDirectories("D:\\Net");
    m.files.createDirectories("C:\\Work");
    m.files.createDirectories("C:\\Kept");
    startOnPage({"C:\\Work"});
    createResults("");
    const std::string kept = read(at("results.dat"));
    m.writeFile("C:\\Kept\\results.dat", "the runtime's own file");

    struct Case {
        const char* chosen;
        std::string message; // empty: none
        std::vector<std::string> list;
        int selected;
    } cases[] = {
        {"C:\\Missing", "Cannot create the directory \"C:\\Missing\".", {"C:\\Work"}, 0},
        {"C:\\",
         "The \"C:\\\" directory cannot be used as a working directory of the Quazzle.",
         {"C:\\Work"},
         0},
        {"D:\\Net",
         "The \"D:\\Net\" directory cannot be used as a working directory of the Quazzle.",
         {"C:\\Work"},
         0},
        {"c:\\WORK",
         "The directory \"c:\\WORK\" is already contained in the list of working directories.",
         {"C:\\Work"},
         0},
        {"C:\\Kept\\", "", {"C:\\Work", "C:\\Kept"}, 1},
        {"C:\\New", "", {"C:\\Work", "C:\\Kept", "C:\\New"}, 2},
    };
    for (const auto& c : cases) {
        m.files.createDirectories("C:\\New");
        m.dialogs.messages.clear();
        m.dialogs.selectFolderAnswers = {std::string(c.chosen)};
        form->pressKey(ui::KeyF7);
        std::vector<std::string> shown;
        for (const MessageRequest& message : m.dialogs.messages)
            shown.push_back(message.text);
        EXPECT_EQ(shown, c.message.empty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{c.message})
            << c.chosen;
        EXPECT_EQ(work().ListBox1.items, c.list) << c.chosen;
        EXPECT_EQ(work().ListBox1.itemIndex, c.selected) << c.chosen;
    }
    EXPECT_EQ(read(at("results.dat")), kept);
    EXPECT_EQ(read("C:\\Kept\\results.dat"), "the runtime's own file");
    // A new folder's results file carries the owner's name, cut to 25.
    EXPECT_EQ(ReadResultsName(m.files, "C:\\New").name, "Petrov Sergei Alexandrovi");
    EXPECT_EQ(ReadResultsHeader(m.files, "C:\\New").header.name, "Petrov Sergei Alexandrovi");
}

// The list as the user left it, and the folder selected, are what the
// settings file keeps.
TEST_F(WorkDirTest, ListIsWrittenAtClose) {
    installPascalAbc();
    m.files.createDirectories("C:\\New");
    start();
    m.dialogs.formAnswers.push_back([&](ModalWindow&) {
        form->ShowPage(2);
        m.dialogs.selectFolderAnswers = {std::string("C:\\New")};
        form->pressKey(ui::KeyF7);
        form->pressKey(ui::KeyF5);
        return DialogButton::Cancel;
    });
    form->showModal();
    const std::string ini = read(kIni);
    EXPECT_NE(ini.find("Paths=C:\\New|C:\\QZ4Work\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Path=C:\\New\r\n"), std::string::npos) << ini;
}

TEST_F(WorkDirTest, NameDialogCreatesAndChangesTheResultsFile) {
    m.files.createDirectories(kDir);
    startOnPage();
    work().RefreshWorkDirStatus();
    std::vector<std::pair<std::string, std::string>> shown; // caption, proposed name
    auto answer = [&](const char* typed, bool ok) {
        m.dialogs.formAnswers.push_back([&, typed, ok](ModalWindow& window) {
            auto& dialog = static_cast<TForm4&>(window);
            shown.emplace_back(dialog.caption, dialog.Edit1.caption);
            dialog.Edit1.enterText(typed);
            (ok ? dialog.Button1 : dialog.Button2).click();
            return dialog.modalResult;
        });
    };

    answer("Nobody", false); // Cancel changes nothing
    form->pressKey(ui::KeyF9);
    EXPECT_FALSE(m.files.fileExists(at("results.dat")));
    answer("  Sidorova Anna ", true);
    form->pressKey(ui::KeyF9);
    EXPECT_EQ(text::trim(work().StaticText4.caption), "Sidorova Anna");
    EXPECT_EQ(ReadResultsHeader(m.files, kDir).header.name, "Sidorova Anna");
    EXPECT_EQ(form->settings().label, "Sidorova Anna");
    answer("Sidorova Anna B", true);
    form->pressKey(ui::KeyF9);
    EXPECT_EQ(text::trim(work().StaticText4.caption), "Sidorova Anna B");

    using Shown = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(shown, (Shown{{"Results file creation", "student"},
                            {"Results file creation", "student"},
                            {"Results file changing", "Sidorova Anna"}}));
}

// The owner's name stands in until the student enters one; a user name that
// cannot be read gives "QZ4 User", never a blank name.
TEST_F(WorkDirTest, UnreadableUserNameGivesTheDefaultOwner) {
    m.system.user = "";
    m.files.createDirectories("C:\\New");
    startOnPage();
    m.dialogs.selectFolderAnswers = {std::string("C:\\New")};
    form->pressKey(ui::KeyF7);
    EXPECT_EQ(text::trim(ReadResultsName(m.files, "C:\\New").name), "QZ4 User");
    EXPECT_EQ(ReadResultsHeader(m.files, "C:\\New").header.name, "QZ4 User");

    std::string proposed;
    m.dialogs.formAnswers.push_back([&](ModalWindow& window) {
        proposed = static_cast<TForm4&>(window).Edit1.caption;
        return ui::ModalResult::Cancel;
    });
    m.files.deleteFile("C:\\New\\results.dat");
    work().RefreshWorkDirStatus();
    form->pressKey(ui::KeyF9);
    EXPECT_EQ(proposed, "QZ4 User");
}

// Change [F9] on a results file the runtime has written to asks before the
// file is made anew; No keeps the student's work as it is.
TEST_F(WorkDirTest, RecreatingAResultsFileWithResultsAsksFirst) {
    startOnPage();
    createResults("");
    const std::string withResults = read(at("results.dat")) + PaddedRecord("task 1 done");
    m.writeFile(at("results.dat"), withResults);
    work().RefreshWorkDirStatus();
    auto enterName = [&](const char* typed) {
        m.dialogs.formAnswers.push_back([typed](ModalWindow& window) {
            auto& dialog = static_cast<TForm4&>(window);
            dialog.Edit1.enterText(typed);
            dialog.Button1.click();
            return dialog.modalResult;
        });
    };

    enterName("Ivanov Petr");
    m.dialogs.messageAnswers = {DialogButton::No};
    form->pressKey(ui::KeyF9);
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(m.dialogs.messages[0].text,
              "The results file in the directory \"C:\\Work\" already holds task results. If it "
              "is created anew, they will be lost.\r\nCreate the results file anew?");
    EXPECT_EQ(read(at("results.dat")), withResults);

    enterName("Ivanov Petr");
    m.dialogs.messageAnswers = {DialogButton::Yes};
    form->pressKey(ui::KeyF9);
    EXPECT_EQ(read(at("results.dat")).size(), 3 * RecordSize);
    EXPECT_EQ(text::trim(work().StaticText4.caption), "Ivanov Petr");

    // A file with nothing after its three records is made anew without asking.
    m.dialogs.messages.clear();
    enterName("Ivanov Pyotr");
    form->pressKey(ui::KeyF9);
    EXPECT_TRUE(m.dialogs.messages.empty());
    EXPECT_EQ(text::trim(work().StaticText4.caption), "Ivanov Pyotr");
}

// Button6 (F10) on a local folder: a certificate added through the open
// dialog puts the local results file aside; deleting it drops what the
// repository left and brings the local file back.
TEST_F(WorkDirTest, CertificateAddedAndDeleted) {
    startOnPage();
    connect(kPascalAbcSlot);
    createResults("PASCALABC1");
    const std::string local = read(at("results.dat"));
    m.writeFile("C:\\Teacher\\access.dat", PaddedRecord("1.0|Ivanov Petr|10-B|ivanov|School 5|") +
                                               PaddedRecord("x") + PaddedRecord("x"));
    work().RefreshWorkDirStatus();
    WorkDirPage& p = work();
    const CodePage ansi = m.system.ansiText();

    m.dialogs.openFileAnswers = {std::string("C:\\Teacher\\access.dat")};
    form->pressKey(ui::KeyF10);
    ASSERT_EQ(m.dialogs.openFileRequests.size(), 1u);
    const OpenFileRequest& request = m.dialogs.openFileRequests[0];
    EXPECT_EQ(request.title, "Select the certificate file access.dat");
    EXPECT_EQ(request.filter, "File access.dat|access.dat");
    EXPECT_EQ(request.initialDirectory, "C:\\");
    EXPECT_EQ(request.fileName, "");
    EXPECT_EQ(read(at("access.dat")), read("C:\\Teacher\\access.dat"));
    EXPECT_EQ(read(at("results0.dat")), local);
    EXPECT_FALSE(m.files.fileExists(at("results.dat")));
    EXPECT_EQ(ReadAccessInfo(m.files, kDir, ansi), "Ivanov Petr 10-B");
    EXPECT_EQ(p.StaticText1.caption, Certificate);
    EXPECT_EQ(p.Button6.caption, DeleteCert);

    // What the runtime fetched for the certificate.
    m.writeFile(at("results.dat"), "repository results");
    m.writeFile(at("qzaccess.dir\\tasks.dat"), "x");

    m.dialogs.messageAnswers = {DialogButton::No, DialogButton::Yes};
    form->pressKey(ui::KeyF10);
    EXPECT_EQ(read(at("results.dat")), "repository results");
    form->pressKey(ui::KeyF10);
    ASSERT_EQ(m.dialogs.messages.size(), 2u);
    EXPECT_EQ(m.dialogs.messages[1].kind, MessageKind::Confirmation);
    EXPECT_EQ(m.dialogs.messages[1].text,
              "Delete the certificate file access.dat from the working directory \"C:\\Work\"?");
    EXPECT_FALSE(m.files.fileExists(at("access.dat")));
    EXPECT_FALSE(m.files.directoryExists(at("qzaccess.dir")));
    EXPECT_EQ(read(at("results.dat")), local);
    EXPECT_EQ(ReadAccessInfo(m.files, kDir, ansi), "");
    EXPECT_EQ(p.StaticText1.caption, "");
    EXPECT_EQ(p.Button6.caption, AddCert);
    EXPECT_EQ(p.StaticText4.caption, Ivanov);
    EXPECT_TRUE(p.Button14.enabled);
}

// A chosen file that holds no certificate does not stay, and the local
// results file stays where it is.
TEST_F(WorkDirTest, FileThatIsNoCertificateIsNotAdded) {
    // A file that is no certificate, and one that cannot be copied: each is
    // reported, and the local results file stays where it is.
    struct Case {
        const char* chosen;
        std::string message;
    };
    const Case cases[] = {
        {"C:\\Teacher\\access.dat",
         "The file C:\\Teacher\\access.dat is not an access certificate."},
        {"C:\\Teacher\\missing.dat",
         "Could not copy the file C:\\Teacher\\missing.dat to " + at("access.dat") + "."},
    };
    createResults("");
    const std::string local = read(at("results.dat"));
    m.writeFile("C:\\Teacher\\access.dat", PaddedRecord("2.0|Ivanov Petr|10-B|ivanov|x|"));
    startOnPage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        m.dialogs.messages.clear();
        m.dialogs.openFileAnswers = {std::string(c.chosen)};
        form->pressKey(ui::KeyF10);
        ASSERT_EQ(m.dialogs.messages.size(), 1u);
        EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(m.dialogs.messages[0].text, c.message);
        EXPECT_FALSE(m.files.fileExists(at("access.dat")));
        EXPECT_EQ(read(at("results.dat")), local);
        EXPECT_FALSE(m.files.fileExists(at("results0.dat")));
        EXPECT_EQ(work().Button6.caption, AddCert);
    }
}

// A switched-off certificate goes with the repository results it kept
// aside; the local results file, the active one, stays.
TEST_F(WorkDirTest, SwitchedOffCertificateDeleted) {
    startOnPage();
    connect(kPascalAbcSlot);
    createResults("PASCALABC1");
    const std::string local = read(at("results.dat"));
    writeCertificate("access0.dat");
    m.writeFile(at("results1.dat"), "repository results");
    work().RefreshWorkDirStatus();
    ASSERT_EQ(work().Button6.caption, DeleteCert);
    m.dialogs.messageAnswers = {DialogButton::Yes};
    form->pressKey(ui::KeyF10);
    EXPECT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_FALSE(m.files.fileExists(at("access0.dat")));
    EXPECT_FALSE(m.files.fileExists(at("results1.dat")));
    EXPECT_EQ(read(at("results.dat")), local);
    EXPECT_EQ(work().StaticText1.caption, "");
    EXPECT_EQ(work().Button6.caption, AddCert);
}

// A certificate that cannot be deleted is reported, and every file stays.
TEST_F(WorkDirTest, CertificateThatCannotBeDeletedIsReported) {
    for (const char* name : {"access.dat", "access0.dat"}) {
        SCOPED_TRACE(name);
        m.files.createDirectories(kDir);
        m.writeFile(at("results.dat"), "results");
        m.writeFile(at("results1.dat"), "put aside");
        writeCertificate(name);
        WriteAccessInfo(m.files, kDir, "Ivanov Petr 10-B", m.system.ansiText());
        startOnPage();
        // Locked after the page read it (reading access.dat unlocks it).
        m.files.setAttributes(at(name), AttrReadOnly);
        m.dialogs.messages.clear();
        m.dialogs.messageAnswers = {DialogButton::Yes, DialogButton::Ok};
        form->pressKey(ui::KeyF10);
        ASSERT_EQ(m.dialogs.messages.size(), 2u);
        EXPECT_EQ(m.dialogs.messages[1].kind, MessageKind::Warning);
        EXPECT_EQ(m.dialogs.messages[1].text,
                  "Could not delete the certificate file access.dat from the working directory.");
        EXPECT_TRUE(m.files.fileExists(at(name)));
        EXPECT_EQ(read(at("results.dat")), "results");
        EXPECT_EQ(read(at("results1.dat")), "put aside");
        EXPECT_EQ(ReadAccessInfo(m.files, kDir, m.system.ansiText()), "Ivanov Petr 10-B");
        EXPECT_EQ(work().Button6.caption, DeleteCert);
        m.files.setAttributes(at(name), AttrNormal);
        m.files.deleteFile(at(name));
    }
}

// F12 on the page: the output folder is browsed for from the working
// directory, and what the dialog takes is kept for the settings file.
TEST_F(WorkDirTest, AdditionalSettingsStartFromTheWorkingDirectory) {
    m.files.createDirectories(kDir);
    m.files.createDirectories("C:\\Out");
    startOnPage();
    m.dialogs.selectFolderAnswers = {std::string("C:\\Out")};
    m.dialogs.formAnswers.push_back([](ModalWindow& window) {
        auto& dialog = static_cast<TForm7&>(window);
        dialog.CheckBox1.click();
        dialog.pressKey(ui::KeyF8);
        dialog.Button1.click();
        return dialog.modalResult;
    });
    form->pressKey(ui::KeyF12);
    ASSERT_EQ(m.dialogs.selectFolderRequests.size(), 1u);
    EXPECT_EQ(m.dialogs.selectFolderRequests[0].initialDirectory, kDir);
    EXPECT_TRUE(form->settings().useLocalDir);
    EXPECT_EQ(form->settings().localDirName, "C:\\Out");
}

} // namespace
} // namespace qz
