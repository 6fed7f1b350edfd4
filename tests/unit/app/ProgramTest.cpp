#include "app/Program.h"

#include "configtool/ProcessFlags.h"
#include "locale/LanguageReset.h"
#include "platform/host/HostFtp.h"
#include "ui/Form.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

const std::string ProgramDir = "C:\\QZ4\\";

class ProgramTest : public ::testing::Test {
protected:
    test::TestMachine m;
    HostFtp ftp{m.files};
    std::vector<std::string> shown; // class and caption of each window shown
    void SetUp() override {
        ResetLanguageState();
        RestartRequested = QuitOnShow = false;
        RememberedLeft = RememberedTop = -1;
        m.files.createDirectories(ProgramDir);
    }
    // The configuration tool starts only beside the problem book's programs
    // and with the modules of at least one environment.
    static void installProblemBook(test::TestMachine& machine) {
        for (const char* tool : {"QZ4Demo.exe", "QZ4Load.exe", "QZ4Res.exe", "QZ4Panel.exe"})
            machine.writeFile(ProgramDir + tool, "MZ");
        machine.writeFile(ProgramDir + "PASCALABC1\\qz4.pas", "unit QZ4;");
        machine.writeFile(ProgramDir + "PASCALABC1\\loadpabc.dat", "");
    }
    // Queues a user's action on the next window shown.
    void then(std::function<void(ui::Form&)> act) {
        m.dialogs.formAnswers.push_back([this, act](ModalWindow& window) {
            auto& form = static_cast<ui::Form&>(window);
            shown.push_back(form.className() + ":" + form.caption);
            act(form);
            return form.modalResult;
        });
    }
    static void click(ui::Form& form, const char* control) {
        ASSERT_NE(form.find(control), nullptr) << control;
        form.find(control)->click();
    }
};

TEST_F(ProgramTest, AnyOtherNameRunsTheInstaller) {
    // Off a Russian system the installer speaks English, whatever "-l" says.
    m.system.program = ProgramDir + "QZ4Complete.exe";
    m.system.arguments = {"-lRU"};
    m.writeFile(ProgramDir + "QZ4Complete.dat", "");
    then([](ui::Form& f) { click(f, "Button5"); });
    m.dialogs.messageAnswers = {DialogButton::Yes};
    RunProgram(m.platform, ftp);
    ASSERT_EQ(shown, std::vector<std::string>{"TInstF1:QZ4Complete Install"});
    EXPECT_EQ(m.dialogs.standardTexts().cancelButton, "Cancel");
}

TEST_F(ProgramTest, TheLanguageToggleRebuildsTheWindowsInTheOtherLanguage) {
    installProblemBook(m);
    m.system.program = ProgramDir + "qz4setup.exe";
    m.system.languageName = "Russian";
    then([](ui::Form& f) {
        EXPECT_EQ(f.find("Button26")->caption, "Exit");
        EXPECT_TRUE(f.find("Label66")->visible);
        f.left = 120;
        f.top = 80;
        click(f, "Label66");
    });
    then([](ui::Form& f) {
        EXPECT_EQ(f.find("Button26")->caption, "Выход");
        EXPECT_EQ(f.left, 120); // opens where the previous one stood
        EXPECT_EQ(f.top, 80);
        click(f, "Button26");
    });
    RunProgram(m.platform, ftp);
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_FALSE(RestartRequested);
    // The settings were written at each close, the last time in Russian.
    auto ini = m.readFile(ProgramDir + "QZ.INI");
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("[LocaleInfo]\r\nLocale=ru\r\n"), std::string::npos);
}

TEST_F(ProgramTest, TheToggleTwiceComesBackWhereTheWindowStood) {
    installProblemBook(m);
    m.system.program = ProgramDir + "QZ4Setup.exe";
    m.system.languageName = "Russian";
    m.writeFile(ProgramDir + "access.dat", "x"); // start-up opens the working-directory page
    struct Pass {
        const char* exit;
        int left, top; // where the user leaves the window
    };
    const Pass passes[] = {{"Exit", 300, 40}, {"Выход", 10, 500}, {"Exit", 0, 0}};
    for (std::size_t i = 0; i < 3; ++i) {
        then([&, i](ui::Form& f) {
            EXPECT_EQ(f.find("Button26")->caption, passes[i].exit);
            EXPECT_TRUE(f.find("TabSheet3")->showing());
            if (i > 0) {
                EXPECT_EQ(f.left, passes[i - 1].left);
                EXPECT_EQ(f.top, passes[i - 1].top);
            }
            f.left = passes[i].left;
            f.top = passes[i].top;
            f.pressKey(ui::KeyF3); // the toggle is reached from the environments page
            click(f, i < 2 ? "Label66" : "Button26");
        });
    }
    RunProgram(m.platform, ftp);
    EXPECT_EQ(shown.size(), 3u);
    auto ini = m.readFile(ProgramDir + "QZ.INI");
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("[LocaleInfo]\r\nLocale=en\r\n"), std::string::npos);
}

TEST_F(ProgramTest, FastModeQuitsWithoutShowingOrSaving) {
    installProblemBook(m);
    m.system.program = ProgramDir + "QZ4Setup.exe";
    m.system.arguments = {"-FAST"};
    m.writeFile(ProgramDir + "QZ.INI", "[LocaleInfo]\r\nLocale=en\r\n[Keep]\r\nx=1\r\n");
    RunProgram(m.platform, ftp);
    EXPECT_TRUE(QuitOnShow);
    EXPECT_EQ(m.readFile(ProgramDir + "QZ.INI"), "[LocaleInfo]\r\nLocale=en\r\n[Keep]\r\nx=1\r\n");
    EXPECT_FALSE(m.dialogs.messages.size());
}

TEST_F(ProgramTest, OnANonRussianSystemThereIsNoLanguageToggle) {
    installProblemBook(m);
    m.system.program = ProgramDir + "QZ4Setup.exe";
    then([](ui::Form& f) {
        EXPECT_FALSE(f.find("Label66")->visible);
        f.pressKey(ui::KeyEscape);
    });
    RunProgram(m.platform, ftp);
    EXPECT_EQ(shown, std::vector<std::string>{"TForm1:QZ4 Setup"});
}

class HandlerFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

TEST_F(ProgramTest, AnErrorNoHandlerDealtWithIsShownAndTheRunEnds) {
    for (const char* program : {"QZ4Setup.exe", "QZ4Complete.exe"}) {
        SCOPED_TRACE(program);
        test::TestMachine machine;
        installProblemBook(machine);
        machine.system.program = ProgramDir + program;
        machine.writeFile(ProgramDir + "QZ4Complete.dat", ""); // the installer's data
        machine.dialogs.formAnswers.push_back(
            [](ModalWindow&) -> DialogButton { throw HandlerFailure("the disk went away"); });
        RunProgram(machine.platform, ftp);
        EXPECT_EQ(machine.dialogs.shownForms.size(), 1u); // nothing after the error
        ASSERT_EQ(machine.dialogs.messages.size(), 1u);
        EXPECT_EQ(machine.dialogs.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(machine.dialogs.messages[0].text, "HandlerFailure: the disk went away");
    }
}

TEST_F(ProgramTest, AStartupErrorNamesItsOwnClass) {
    // The host has no table for code page 936, so the settings cannot be read.
    installProblemBook(m);
    m.system.program = ProgramDir + "QZ4Setup.exe";
    m.system.ansi = 936;
    m.writeFile(ProgramDir + "QZ.INI", "[Font]\r\nMain=Consolas\r\n");
    RunProgram(m.platform, ftp);
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].text,
              "The program QZ4Setup caused a system error UnsupportedCodePage with diagnostics "
              "\"code page 936 cannot be converted\". It is likely that the program was run in "
              "the read-only directory (for example, in the directory on CD)");
    EXPECT_EQ(m.readFile(ProgramDir + "QZ.INI"), "[Font]\r\nMain=Consolas\r\n");
}

// -AUTO: the start-up and the close's writing, no window and no box; the
// outcome in the exit status and the log.
TEST_F(ProgramTest, WithoutAWindowTheToolConfiguresAndWritesTheSettings) {
    installProblemBook(m);
    m.system.program = ProgramDir + "QZ4Setup.exe";
    m.system.arguments = {"/auto", "-LOG=C:\\Logs\\настройка.log"};
    EXPECT_EQ(RunProgram(m.platform, ftp), 0);
    EXPECT_TRUE(m.dialogs.shownForms.empty());
    EXPECT_TRUE(m.dialogs.messages.empty());
    auto ini = m.readFile(ProgramDir + "QZ.INI");
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("[LocaleInfo]\r\nLocale=en\r\n"), std::string::npos) << *ini;
    EXPECT_NE(ini->find("PASCALABC1"), std::string::npos) << *ini;
    auto log = m.readFile("C:\\Logs\\настройка.log").value_or("");
    EXPECT_NE(log.find("settings: C:\\QZ4\\QZ.INI\r\noutcome: 0 (configured)\r\n"),
              std::string::npos)
        << log;

    // Without the problem book's programs the start-up stops: its message
    // goes to the log, nothing waits and nothing is written.
    m.files.deleteFile(ProgramDir + "QZ4Res.exe");
    m.files.deleteFile(ProgramDir + "QZ.INI");
    EXPECT_EQ(RunProgram(m.platform, ftp), 1);
    EXPECT_TRUE(m.dialogs.messages.empty());
    EXPECT_FALSE(m.files.fileExists(ProgramDir + "QZ.INI"));
    log = m.readFile("C:\\Logs\\настройка.log").value_or("");
    EXPECT_NE(log.find("QZ4Res.exe"), std::string::npos) << log;
    EXPECT_NE(log.find("outcome: 1"), std::string::npos) << log;
}

TEST_F(ProgramTest, WithoutAWindowASettingsFileThatCannotBeWrittenIsItsOwnStatus) {
    installProblemBook(m);
    m.system.program = ProgramDir + "QZ4Setup.exe";
    m.system.arguments = {"-AUTO", "-LOG=D:\\cfg.log"};
    m.files.createDirectories("D:\\");
    m.files.setWritesFailAtClose('C');
    EXPECT_EQ(RunProgram(m.platform, ftp), 2);
    EXPECT_TRUE(m.dialogs.messages.empty());
    const std::string log = m.readFile("D:\\cfg.log").value_or("");
    EXPECT_NE(log.find("error: "), std::string::npos) << log;
    EXPECT_NE(log.find("outcome: 2 (the settings could not be written)"), std::string::npos) << log;
}

} // namespace
} // namespace qz
