#include "ToolFixture.h"

namespace qz {
namespace {

using test::ToolTest;

const std::string NotFound = "The executable file for %s is not found.\r\nTry to find it by "
                             "pressing the \"Browse\" button,\r\nbut it seems likely that %s is "
                             "not installed on your computer.";

std::string notFound(const std::string& name) {
    std::string text = NotFound;
    for (int i = 0; i < 2; ++i)
        text.replace(text.find("%s"), 2, name);
    return text;
}

// One status of one environment: what is set up, the text and its colour.
struct StatusCase {
    const char* what;
    int slot;
    std::function<void(ToolTest&, EnvironmentEntry&)> prepare;
    std::string text;
    bool red;
};

void PrintTo(const StatusCase& c, std::ostream* os) {
    *os << c.what;
}

class StatusTest : public ToolTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusTest, ShowsTheStatusText) {
    const StatusCase& c = GetParam();
    installPascalAbc();
    start();
    EnvironmentEntry& e = entry(c.slot);
    e.exePath.clear();
    e.suspended = false;
    c.prepare(*this, e);
    page().RefreshEnvironmentStatus(c.slot);
    EXPECT_EQ(page().StaticText13.caption, c.text);
    ASSERT_TRUE(page().StaticText13.font);
    EXPECT_EQ(page().StaticText13.font->color, c.red ? ui::rgb(255, 0, 0) : ui::clWindowText);
    EXPECT_EQ(e.connectedOk, !c.red);
}

void withExe(ToolTest&, EnvironmentEntry& e) {
    e.exePath = "C:\\Tools\\ide.exe";
}
void suspendedWithExe(ToolTest& t, EnvironmentEntry& e) {
    withExe(t, e);
    e.suspended = true;
}
void nothing(ToolTest&, EnvironmentEntry&) {}
// Python 3.12 for IDLE, with the header PyCharm's interpreter name is read from.
void python312(ToolTest& t, EnvironmentEntry& e) {
    withExe(t, e);
    t.entry(50).exePath = t.touch("C:\\Python312\\pythonw.exe");
    t.m.writeFile("C:\\Python312\\include\\patchlevel.h",
                  "/* version */\r\n#define PY_MAJOR_VERSION 3\r\n"
                  "#define PY_VERSION      \"3.12.1\"\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Families, StatusTest,
    ::testing::Values(
        StatusCase{"IDE ready", 7, withExe, "\r\nQuazzle can be used with Borland Delphi 7.",
                   false},
        StatusCase{"IDE suspended", 7, suspendedWithExe,
                   "\r\nQuazzle is temporarily disconnected from Borland Delphi 7.", false},
        StatusCase{"IDE not found", 7, nothing, notFound("Borland Delphi 7"), true},
        StatusCase{"MPI ready", 48, withExe, "\r\nQuazzle can be used with MS-MPI 10.", false},
        StatusCase{"MPI suspended", 48, suspendedWithExe,
                   "\r\nThe MS-MPI 10 is temporarily disconnected from Quazzle.", false},
        StatusCase{"MPI not found", 47, nothing,
                   "The executable file MPIRun.exe of MPICH 1.2.5 is not found. It seems likely "
                   "that MPICH 1.2.5\r\n(ftp://ftp.mcs.anl.gov/pub/mpi/nt/mpich.nt.1.2.5.exe)"
                   "\r\nis not installed on your computer.",
                   true},
        StatusCase{"PyCharm with its interpreter", 52, python312,
                   "\r\nQuazzle can be used with PyCharm (Python 3.12.1 "
                   "(C:\\Python312\\python.exe).",
                   false},
        StatusCase{"PyCharm without Python", 51, withExe,
                   "The Python 2 system for PyCharm is not found.\r\nTry to find it in the "
                   "\"IDLE (Python 2)\" section by pressing the \"Browse\" button,\r\nbut it "
                   "seems likely that this system is not installed on your computer.",
                   true},
        StatusCase{"PyCharm not found", 52, nothing, notFound("PyCharm (Python)"), true},
        StatusCase{"VS Code without a compiler", 87, withExe,
                   "\r\nAdditional settings for Visual Studio Code (C++) are required\r\n(use the "
                   "\"Additional settings\" button).",
                   true},
        StatusCase{"VS Code with Dev-C++'s compiler", 87,
                   [](ToolTest& t, EnvironmentEntry& e) {
                       withExe(t, e);
                       t.entry(70).exePath = t.touch("C:\\Dev-Cpp\\devcpp.exe");
                       t.touch("C:\\Dev-Cpp\\MinGW64\\bin\\g++.exe");
                   },
                   "\r\nQuazzle can be used with Visual Studio Code (C++).", false}));

TEST_F(ToolTest, CompilerAndFrameworkAreCompletedByTheStatus) {
    installPascalAbc();
    start();
    entry(84).exePath = touch("C:\\Dev-Cpp\\devcpp.exe");
    touch("C:\\Dev-Cpp\\TDM-GCC-64\\bin\\gcc.exe");
    page().RefreshEnvironmentStatus(86);
    EXPECT_EQ(entry(86).additions, "C:\\Dev-Cpp\\TDM-GCC-64\\bin\\gcc.exe");
    EXPECT_TRUE(page().Button5.visible);

    entry(43).additions = "v4.6";
    page().RefreshEnvironmentStatus(43);
    EXPECT_EQ(entry(43).additions, "v4.0"); // no framework is recorded on this machine
    EXPECT_TRUE(page().Button5.visible);
    page().RefreshEnvironmentStatus(7);
    EXPECT_FALSE(page().Button5.visible);
}

TEST_F(ToolTest, TheShownPathFitsAndTheHintHoldsTheWholePath) {
    installPascalAbc();
    start();
    entry(7).exePath = "C:\\Program Files (x86)\\Borland\\Delphi7\\Projects\\Bin\\delphi32.exe";
    page().RefreshEnvironmentStatus(7);
    const std::string& shown = page().StaticText10.caption;
    EXPECT_LE(m.dialogs.textWidth(shown, ui::toFontSpec(page().StaticText10.effectiveFont())),
              page().StaticText10.width - 3);
    EXPECT_EQ(shown, "C:\\...\\Borland\\Delphi7\\Projects\\Bin\\delphi32.exe");
    EXPECT_EQ(page().StaticText10.hint, entry(7).exePath);

    entry(7).exePath = "C:\\D7\\delphi32.exe";
    page().RefreshEnvironmentStatus(7);
    EXPECT_EQ(page().StaticText10.caption, "C:\\D7\\delphi32.exe");
    EXPECT_EQ(page().StaticText10.hint, "");
}

TEST_F(ToolTest, ARedItemCannotBeChecked) {
    installPascalAbc();
    installDelphi7();
    start();
    selectItem("Borland Delphi 7");
    EXPECT_EQ(page().CheckListBox1.states[0], ui::CheckState::Unchecked);
    page().CheckListBox1.toggle(0);
    EXPECT_EQ(page().CheckListBox1.states[0], ui::CheckState::Unchecked);
    EXPECT_FALSE(entry(7).suspended);
}

TEST_F(ToolTest, AConnectedItemIsSuspendedAndResumed) {
    installPascalAbc();
    m.registry.load("[HKCU\\SOFTWARE\\PascalABC.NET]\n\"Install Directory\"=\"C:\\PABC\"\n");
    touch("C:\\PABC\\PascalABCNET.exe");
    start();
    selectItem("PascalABC.NET");
    auto& list = page().CheckListBox1;
    EXPECT_EQ(list.states[0], ui::CheckState::Checked);
    list.toggle(0);
    EXPECT_EQ(list.states[0], ui::CheckState::Grayed);
    EXPECT_TRUE(entry(1).suspended);
    EXPECT_FALSE(page().Button20.enabled); // a suspended environment offers no Browse
    EXPECT_EQ(page().StaticText13.caption,
              "\r\nQuazzle is temporarily disconnected from PascalABC.NET.");
    list.doubleClick();
    EXPECT_EQ(list.states[0], ui::CheckState::Checked);
    EXPECT_FALSE(entry(1).suspended);
    EXPECT_TRUE(page().Button20.enabled);
}

TEST_F(ToolTest, OneMpiRuntimeIsActiveAtATime) {
    installPascalAbc();
    installModules("MPICH1", {}, "mpi");
    installModules("MPICH3", {}, "mpi");
    touch("C:\\Program Files\\MPICH\\mpd\\bin\\MPIRun.exe");
    touch("C:\\Program Files\\Microsoft MPI\\bin\\mpiexec.exe");
    start();
    auto& list = page().CheckListBox1;
    auto stateOf = [&](const char* name) {
        auto at = std::find(list.items.begin(), list.items.end(), name) - list.items.begin();
        return list.states[at];
    };
    EXPECT_EQ(stateOf("MS-MPI 10"), ui::CheckState::Checked);
    EXPECT_EQ(stateOf("MPICH 1.2.5"), ui::CheckState::Grayed);

    selectItem("MPICH 1.2.5");
    list.toggle(list.itemIndex);
    EXPECT_EQ(stateOf("MPICH 1.2.5"), ui::CheckState::Checked);
    EXPECT_EQ(stateOf("MS-MPI 10"), ui::CheckState::Grayed);
    EXPECT_TRUE(entry(48).suspended);

    // The active runtime stays active.
    list.toggle(list.itemIndex);
    EXPECT_EQ(stateOf("MPICH 1.2.5"), ui::CheckState::Checked);
    EXPECT_FALSE(entry(46).suspended);
}

TEST_F(ToolTest, RemoveModulesListsTheFilesThatStay) {
    installPascalAbc();
    installDelphi7();
    m.writeFile("C:\\QZ4\\DELPHI7\\locked.pas", "x");
    m.files.setAttributes("C:\\QZ4\\DELPHI7\\locked.pas", AttrReadOnly);
    start();
    EXPECT_TRUE(page().Button39.enabled);
    selectItem("Borland Delphi 7");

    m.dialogs.messageAnswers = {DialogButton::No};
    page().Button39.click();
    EXPECT_EQ(page().CheckListBox1.items.size(), 2u);
    EXPECT_TRUE(m.files.fileExists("C:\\QZ4\\DELPHI7\\qz4tasks.pas"));

    m.dialogs.messages.clear();
    m.dialogs.messageAnswers = {DialogButton::Yes};
    page().Button39.click();
    ASSERT_EQ(m.dialogs.messages.size(), 2u);
    EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(m.dialogs.messages[0].text,
              "The Quazzle components for Borland Delphi 7 will be completely removed from your "
              "computer. Remove these components?");
    EXPECT_EQ(m.dialogs.messages[1].text,
              "The Quazzle components for Borland Delphi 7 are deleted, with the exception of "
              "the following files:\r\n\"C:\\QZ4\\DELPHI7\\locked.pas\"");
    EXPECT_FALSE(m.files.fileExists("C:\\QZ4\\DELPHI7\\qz4tasks.pas"));
    EXPECT_FALSE(entry(7).modulesPresent);
    EXPECT_EQ(page().CheckListBox1.items, std::vector<std::string>{"PascalABC.NET"});
    EXPECT_EQ(page().CheckListBox1.itemIndex, 0);
    EXPECT_FALSE(page().Button39.enabled);
}

// Browse: the chosen file, and whether the environment takes it.
struct BrowseCase {
    const char* what;
    int slot;
    const char* chosen;
    const char* kept; // exePath afterwards
    bool complaint;
};

void PrintTo(const BrowseCase& c, std::ostream* os) {
    *os << c.what;
}

class BrowseTest : public ToolTest, public ::testing::WithParamInterface<BrowseCase> {};

TEST_P(BrowseTest, TakesOnlyAFileOfTheExpectedName) {
    const BrowseCase& c = GetParam();
    installPascalAbc();
    installDelphi7();
    m.writeFile("C:\\QZ4\\AddQZ.INI", "[Add1]\r\nEnv=MYIDE\r\nFullName=My IDE\r\nLoadFile=my\r\n");
    installModules("MYIDE1", {}, "my");
    start();
    selectItem(entry(c.slot).displayName);
    m.dialogs.openFileAnswers = {std::string(c.chosen)};
    page().Button20.click();
    ASSERT_EQ(m.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(m.dialogs.openFileRequests[0].initialDirectory, "C:\\");
    EXPECT_EQ(entry(c.slot).exePath, c.kept);
    EXPECT_EQ(entry(c.slot).connectedOk, !std::string(c.kept).empty());
    if (c.complaint) {
        ASSERT_EQ(m.dialogs.messages.size(), 1u);
        EXPECT_EQ(m.dialogs.messages[0].text,
                  "The selected filename differs from the default filename of Borland Delphi 7 "
                  "IDE (delphi32.exe).");
    } else {
        EXPECT_TRUE(m.dialogs.messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, BrowseTest,
    ::testing::Values(BrowseCase{"another program", 7, "C:\\Windows\\notepad.exe", "", true},
                      BrowseCase{"the name in another case", 7, "C:\\D7\\BIN\\DELPHI32.EXE",
                                 "C:\\D7\\BIN\\DELPHI32.EXE", false},
                      BrowseCase{"an added environment takes any name", 89,
                                 "C:\\Windows\\notepad.exe", "C:\\Windows\\notepad.exe", false}));

TEST_F(ToolTest, BrowseOffersTheDetectedFileAndCancelKeepsEverything) {
    installPascalAbc();
    start();
    m.registry.load("[HKCU\\SOFTWARE\\PascalABC.NET]\n\"Install Directory\"=\"C:\\PABC\"\n");
    touch("C:\\PABC\\PascalABCNET.exe");
    selectItem("PascalABC.NET");
    page().Button20.click();
    ASSERT_EQ(m.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(m.dialogs.openFileRequests[0].fileName, "C:\\PABC\\PascalABCNET.exe");
    EXPECT_EQ(m.dialogs.openFileRequests[0].title,
              "Select the executable file for PascalABC.NET IDE (pascalabcnet.exe)");
    EXPECT_EQ(entry(1).exePath, "");
}

TEST_F(ToolTest, AdditionalSettingsOpenTheirDialogsFromTheKeys) {
    installPascalAbc();
    installModules("VCSNET10", {"qz4main.cs", "qz4net.dll"}, "nets");
    TForm1& tool = start();
    selectItem("Microsoft Visual C# 2022");
    m.dialogs.formAnswers.push_back([](ModalWindow& window) {
        auto& dialog = static_cast<TForm8&>(window);
        EXPECT_EQ(dialog.Edit2.caption, "4.0");
        dialog.Edit2.enterText("4.8");
        dialog.Button1.click();
        return dialog.modalResult;
    });
    tool.pressKey(ui::KeyF9);
    EXPECT_EQ(entry(43).additions, "v4.8");

    tool.pressKey(ui::KeyF4);
    m.dialogs.formAnswers.push_back([](ModalWindow& window) {
        auto& dialog = static_cast<TForm7&>(window);
        dialog.RadioButton2.click();
        dialog.Button1.click();
        return dialog.modalResult;
    });
    tool.pressKey(ui::KeyF12);
    ASSERT_EQ(m.dialogs.shownForms.size(), 2u);
    EXPECT_EQ(tool.settings().font, "Courier New");
}

TEST_F(ToolTest, BrowsingForIdleConnectsPyCharmToThatPython) {
    installPascalAbc();
    installModules("PYTHON3", {"qz4.py"}, "pyw");
    installModules("PYCHARM3", {"qz4.py"}, "pyw");
    touch("C:\\JetBrains\\PyCharm\\bin\\pycharm.exe");
    touch("C:\\Tools\\Py\\pythonw.exe"); // where no search looks
    m.writeFile("C:\\Tools\\Py\\include\\patchlevel.h", "#define PY_VERSION \"3.11.4\"\r\n");
    start();
    EXPECT_FALSE(entry(52).connectedOk);

    selectItem("IDLE (Python)");
    m.dialogs.openFileAnswers = {std::string("C:\\Tools\\Py\\pythonw.exe")};
    page().Button20.click();
    EXPECT_TRUE(entry(50).connectedOk);
    EXPECT_TRUE(entry(52).connectedOk);
    EXPECT_EQ(entry(52).interpreterName, "Python 3.11.4 (C:\\Tools\\Py\\python.exe)");
    const auto& items = page().CheckListBox1.items;
    auto pycharm = std::find(items.begin(), items.end(), "PyCharm (Python)") - items.begin();
    EXPECT_EQ(page().CheckListBox1.states[pycharm], ui::CheckState::Checked);
    // The page shows IDLE, whose Browse it was.
    EXPECT_EQ(page().StaticText13.caption, "\r\nQuazzle can be used with IDLE (Python).");
}

} // namespace
} // namespace qz
