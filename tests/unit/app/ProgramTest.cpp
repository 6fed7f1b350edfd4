#include "app/Program.h"

#include "configtool/ProcessFlags.h"
#include "locale/LanguageReset.h"
#include "ui/Form.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

const std::string ProgramDir = "C:\\QZ4\\";

class ProgramTest : public ::testing::Test {
protected:
    test::TestMachine m;
    std::vector<std::string> shown; // class and caption of each window shown
    void SetUp() override {
        ResetLanguageState();
        RestartRequested = QuitOnShow = false;
        RememberedLeft = RememberedTop = -1;
        m.files.createDirectories(ProgramDir);
    }
    // Queues a user's action on the next window shown.
    void then(std::function<void(ui::Form&)> act) {
        m.dialogs.formAnswers.push_back([this, act](ui::Form& form) {
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
    RunProgram(m.platform);
    ASSERT_EQ(shown, std::vector<std::string>{"TInstF1:QZ4Complete Install"});
    EXPECT_EQ(m.dialogs.standardTexts().cancelButton, "Cancel");
}

TEST_F(ProgramTest, TheLanguageToggleRebuildsTheWindowsInTheOtherLanguage) {
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
    RunProgram(m.platform);
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_FALSE(RestartRequested);
    // The settings were written at each close, the last time in Russian.
    auto ini = m.readFile(ProgramDir + "QZ.INI");
    ASSERT_TRUE(ini);
    EXPECT_NE(ini->find("[LocaleInfo]\r\nLocale=ru\r\n"), std::string::npos);
}

TEST_F(ProgramTest, FastModeQuitsWithoutShowingOrSaving) {
    m.system.program = ProgramDir + "QZ4Setup.exe";
    m.system.arguments = {"-FAST"};
    m.writeFile(ProgramDir + "QZ.INI", "[LocaleInfo]\r\nLocale=en\r\n[Keep]\r\nx=1\r\n");
    RunProgram(m.platform);
    EXPECT_TRUE(QuitOnShow);
    EXPECT_EQ(m.readFile(ProgramDir + "QZ.INI"), "[LocaleInfo]\r\nLocale=en\r\n[Keep]\r\nx=1\r\n");
    EXPECT_FALSE(m.dialogs.messages.size());
}

TEST_F(ProgramTest, OnANonRussianSystemThereIsNoLanguageToggle) {
    m.system.program = ProgramDir + "QZ4Setup.exe";
    then([](ui::Form& f) {
        EXPECT_FALSE(f.find("Label66")->visible);
        f.pressKey(ui::KeyEscape);
    });
    RunProgram(m.platform);
    EXPECT_EQ(shown, std::vector<std::string>{"TForm1:QZ4 Setup"});
}

} // namespace
} // namespace qz
