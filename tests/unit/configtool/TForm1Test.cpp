#include "ToolFixture.h"

#include "platform/host/HostShell.h"

namespace qz {
namespace {

using test::ToolTest;

// How one start-up ends: the messages shown, whether the window stays.
struct StartupCase {
    const char* what;
    std::function<void(ToolTest&)> prepare;
    std::string message; // the only message expected; empty: none
    bool quits;
};

class TForm1Startup : public ToolTest, public ::testing::WithParamInterface<StartupCase> {};

void PrintTo(const StartupCase& c, std::ostream* os) {
    *os << c.what;
}

TEST_P(TForm1Startup, EndsAsExpected) {
    const StartupCase& c = GetParam();
    c.prepare(*this);
    const std::string before = read(kIni);
    TForm1& tool = start();
    if (c.message.empty()) {
        EXPECT_TRUE(m.dialogs.messages.empty());
    } else {
        ASSERT_EQ(m.dialogs.messages.size(), 1u);
        EXPECT_EQ(m.dialogs.messages[0].text, c.message);
        EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Error);
    }
    EXPECT_EQ(QuitOnShow, c.quits);
    tool.showModal();
    if (c.quits) {
        // The window vanished when shown and saved nothing.
        EXPECT_EQ(read(kIni), before);
    } else {
        EXPECT_NE(read(kIni), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, TForm1Startup,
    ::testing::Values(
        StartupCase{"tools missing",
                    [](ToolTest& t) {
                        t.installPascalAbc();
                        t.m.files.deleteFile("C:\\QZ4\\QZ4Res.exe");
                        t.m.files.deleteFile("C:\\QZ4\\QZ4Panel.exe");
                    },
                    "The following tools of Quazzle are not found:\r\nQZ4Res.exe, "
                    "QZ4Panel.exe.\r\nYou should reinstall Quazzle.",
                    true},
        StartupCase{"no environment installed", [](ToolTest&) {},
                    "Environments for Quazzle are not found. You should reinstall Quazzle.", true},
        StartupCase{"LIB cannot be made",
                    [](ToolTest& t) {
                        t.installPascalAbc();
                        t.m.writeFile("C:\\QZ4\\LIB", "a file where the folder should be");
                    },
                    "The program QZ4Setup caused a system error runtime_error with diagnostics "
                    "\"Cannot create the directory C:\\QZ4\\LIB\". It is likely that the program "
                    "was run in the read-only directory (for example, in the directory on CD)",
                    true},
        StartupCase{"fast mode",
                    [](ToolTest& t) {
                        t.installPascalAbc();
                        t.m.writeFile(ToolTest::kIni, "[Font]\r\nMain=Consolas\r\n");
                        t.m.system.arguments = {"-fast"};
                    },
                    "", true},
        StartupCase{"a normal start", [](ToolTest& t) { t.installPascalAbc(); }, "", false}));

TEST_F(ToolTest, FastModeDoesTheWholeStartupWork) {
    installPascalAbc();
    m.registry.load("[HKCU\\SOFTWARE\\PascalABC.NET]\n\"Install Directory\"=\"C:\\PABC\"\n");
    touch("C:\\PABC\\PascalABCNET.exe");
    m.system.arguments = {"-FAST"};
    start();
    EXPECT_TRUE(QuitOnShow);
    EXPECT_EQ(entry(1).exePath, "C:\\PABC\\PascalABCNET.exe");
    EXPECT_TRUE(entry(1).connectedOk);
    EXPECT_TRUE(m.files.directoryExists("C:\\QZ4\\LIB"));
    EXPECT_EQ(m.registry.readString(RegistryRoot::LocalMachine, "\\SOFTWARE\\Quazzle 4",
                                    "Install Directory"),
              "C:\\QZ4");
}

TEST_F(ToolTest, CaptionsFollowTheActiveLanguage) {
    for (const char* code : {"en", "ru"}) {
        SCOPED_TRACE(code);
        SetLanguage(code);
        FillCatalogue();
        installPascalAbc();
        TForm1& tool = start();
        EXPECT_EQ(tool.caption, "QZ4 Setup");
        EXPECT_EQ(tool.Panel7.caption, MsgEnvironmentsPageTitle);
        EXPECT_EQ(tool.workDirPage.Button13.caption, MsgAdd + " [F7]");
        EXPECT_EQ(tool.workDirPage.Label21.caption, MsgFile + " results.dat:");
        EXPECT_EQ(tool.environmentPage.Button20.caption, MsgBrowseF8);
        EXPECT_EQ(tool.Label48.caption, WebsiteAddress);
        // The bottom labels stand in a row, five pixels apart, each as wide as its text.
        EXPECT_EQ(tool.Label49.left, tool.Label15.right() + 5);
        EXPECT_EQ(tool.Label48.left, tool.Label49.right() + 5);
        EXPECT_EQ(tool.Label49.width,
                  m.dialogs.textWidth(MsgWebsite, ui::toFontSpec(tool.Label49.effectiveFont())));
    }
}

TEST_F(ToolTest, APageTitleTooWideForThePanelGetsASmallerFont) {
    installPascalAbc();
    m.dialogs.characterWidth = 7; // the English title fits at 20 pixels, the Russian one not
    TForm1& english = start();
    EXPECT_EQ(english.Panel7.font->height, 20);
    SetLanguage("ru");
    FillCatalogue();
    TForm1& russian = start();
    const int height = russian.Panel7.font->height;
    EXPECT_LT(height, 20);
    auto widthAt = [&](int h) {
        return m.dialogs.textWidth(russian.Panel7.caption, FontSpec{"Arial", h, false});
    };
    EXPECT_LE(widthAt(height), russian.Panel7.width - 8);
    EXPECT_GT(widthAt(height + 1), russian.Panel7.width - 8);
}

TEST_F(ToolTest, AccessDatOpensTheWorkingDirectoryPage) {
    installPascalAbc();
    m.writeFile("C:\\QZ4\\access.dat", "x");
    TForm1& tool = start();
    EXPECT_EQ(tool.PageControl1.activePage, &tool.TabSheet3);
    EXPECT_EQ(tool.Panel7.caption, MsgWorkDirPageTitle);
    EXPECT_TRUE(tool.Button24.enabled);
    EXPECT_FALSE(tool.Button25.enabled);
    tool.pressKey(ui::KeyF3);
    EXPECT_EQ(tool.PageControl1.activePage, &tool.TabSheet12);
    EXPECT_FALSE(tool.Button24.enabled);
    EXPECT_TRUE(tool.Button25.enabled);
    // The environment list has the focus and its first item is shown.
    EXPECT_EQ(tool.activeControl, &tool.environmentPage.CheckListBox1);
    EXPECT_EQ(tool.environmentPage.CheckListBox1.itemIndex, 0);
}

TEST_F(ToolTest, KeysActOnTheActivePage) {
    installPascalAbc();
    installDelphi7();
    TForm1& tool = start();
    EnvironmentPage& env = page();
    ASSERT_EQ(env.CheckListBox1.items,
              (std::vector<std::string>{"Borland Delphi 7", "PascalABC.NET"}));

    tool.pressKey(ui::KeyF6); // Down
    EXPECT_EQ(env.CheckListBox1.items[1], "Borland Delphi 7");
    EXPECT_EQ(env.CheckListBox1.itemIndex, 1);
    tool.pressKey(ui::KeyF6); // already last: nothing
    EXPECT_EQ(env.CheckListBox1.itemIndex, 1);
    tool.pressKey(ui::KeyF5);
    EXPECT_EQ(env.CheckListBox1.items[0], "Borland Delphi 7");

    tool.pressKey(ui::KeyF9); // Additional settings are not offered for Delphi
    tool.pressKey(ui::KeyF1);
    ASSERT_EQ(m.dialogs.shownForms.size(), 1u);
    EXPECT_EQ(m.dialogs.shownForms[0], &about);
    tool.pressKey(ui::KeyF8); // Browse
    EXPECT_EQ(m.dialogs.openFileRequests.size(), 1u);

    tool.pressKey(ui::KeyF4);
    EXPECT_EQ(tool.PageControl1.activePage, &tool.TabSheet3);
    EXPECT_EQ(tool.activeControl, &tool.workDirPage.ListBox1); // C:\QZ4Work is listed
    tool.pressKey(ui::KeyF4);                                  // Next is disabled on the last page
    EXPECT_EQ(tool.PageControl1.activePage, &tool.TabSheet3);
    tool.pressKey(ui::KeyF8); // the working directory's Remove: no Browse here
    EXPECT_EQ(m.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(tool.modalResult, ui::ModalResult::None);

    tool.pressKey(ui::KeyF3);
    tool.pressKey(ui::KeyF4, ui::Shift{false, true, false}); // Alt+F4 closes on page 1
    EXPECT_EQ(tool.modalResult, ui::ModalResult::Cancel);
}

TEST_F(ToolTest, EscExitsAndTheWebSiteOpensInTheBrowser) {
    installPascalAbc();
    TForm1& tool = start();
    tool.Label48.click();
    EXPECT_EQ(m.shell.requests,
              (std::vector<ShellRequest>{{ShellRequest::Kind::Open, WebsiteAddress, "", ""}}));
    tool.pressKey(ui::KeyEscape);
    EXPECT_EQ(tool.modalResult, ui::ModalResult::Cancel);
}

// The problem book's own programs read every section; a close that dropped
// one would break them.
TEST_F(ToolTest, SettingsFileKeepsEverySectionThroughTheWindow) {
    installPascalAbc();
    installDelphi7();
    installModules("MPICH3", {}, "mpi");
    touch("C:\\PABC\\PascalABCNET.exe");
    touch("C:\\Delphi7\\Bin\\delphi32.exe");
    touch("C:\\Program Files\\Microsoft MPI\\bin\\mpiexec.exe");
    m.files.createDirectories("C:\\Students\\Group1");
    m.writeFile(kIni, "[Packages]\r\nDELPHI7=2\r\nPASCALABC1=1\r\n"
                      "[EXE files]\r\nPASCALABC1=C:\\PABC\\PascalABCNET.exe\r\n"
                      "DELPHI7=C:\\Delphi7\\Bin\\delphi32.exe\r\n"
                      "[Additions]\r\nPASCALABC1=keep me\r\n"
                      "[Work Directory]\r\nPath=C:\\Students\\Group1\r\nLabel=Anna\r\n"
                      "DefaultEnvir=PASCALABC1\r\nPaths=C:\\QZ4Work|C:\\Students\\Group1\r\n"
                      "[Output .NET Directory]\r\nUseLocalDir=0\r\nLocalDirName=D:\\Out\r\n"
                      "[LocaleInfo]\r\nLocale=en\r\n[Font]\r\nMain=Courier New\r\n"
                      "[Repos]\r\nName=ftp.example.org\r\nLogin=group1\r\n");
    start().showModal();
    const std::string first = read(kIni);
    for (const char* line : {"[Packages]\r\nDELPHI7=2\r\nMPICH3=1\r\nPASCALABC1=1\r\n",
                             "PASCALABC1=C:\\PABC\\PascalABCNET.exe\r\n",
                             "DELPHI7=C:\\Delphi7\\Bin\\delphi32.exe\r\n",
                             "MPICH3=C:\\Program Files\\Microsoft MPI\\bin\\mpiexec.exe\r\n",
                             "[Names]\r\n",
                             "PASCALABC1=PascalABC.NET\r\n",
                             "MPICH3=MS-MPI 10\r\n",
                             "[Additions]\r\nPASCALABC1=keep me\r\n",
                             "[Environments]\r\n",
                             "Packages=PASCALABC1|\r\n",
                             "LoadFiles=pabc|\r\n",
                             "Languages=PascalABC|\r\n",
                             "[LangCodes]\r\nPascalABC=512\r\n",
                             "Path=C:\\Students\\Group1\r\n",
                             "Label=Anna\r\n",
                             "DefaultEnvir=PASCALABC1\r\n",
                             "Paths=C:\\QZ4Work|C:\\Students\\Group1\r\n",
                             "LocalDirName=D:\\Out\r\n",
                             "[LocaleInfo]\r\nLocale=en\r\n",
                             "Main=Courier New\r\n",
                             "Name=ftp.example.org\r\n",
                             "Login=group1\r\n"})
        EXPECT_NE(first.find(line), std::string::npos) << line << "\nin\n" << first;

    // A second pass reads what the first wrote and writes it again unchanged.
    form.reset();
    start().showModal();
    EXPECT_EQ(read(kIni), first);
}

} // namespace
} // namespace qz
