// The stand-in for the person in the silent modes: each kind of message box
// gets its documented answer at once, and the log keeps what was asked.
#include "TestSupport.h"

#include "installer/UnattendedDialogs.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

class UnattendedDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(log.open(m.files, "C:\\setup.log")); }
    std::string logText() {
        log.close();
        return m.readFile("C:\\setup.log").value_or("");
    }
    test::TestMachine m;
    InstallLog log;
    int waits = 0;
    UnattendedDialogs quiet{m.dialogs, log, InstallMode::Silent, RetryPolicy{3, {}},
                            [this](std::chrono::milliseconds) { ++waits; }};
};

TEST_F(UnattendedDialogsTest, EveryKindOfBoxIsAnsweredByItsDefault) {
    using B = DialogButton;
    struct Case {
        std::vector<B> buttons;
        B defaultButton;
        B answer;
    };
    const Case cases[] = {
        {{B::Ok}, B::None, B::Ok},
        {{B::Yes, B::No}, B::None, B::Yes},
        {{B::Yes, B::No}, B::No, B::Yes}, // old components are replaced
        {{B::Ok, B::Cancel}, B::None, B::Ok},
        {{B::Abort, B::Cancel}, B::Cancel, B::Cancel},
    };
    for (const Case& c : cases)
        EXPECT_EQ(quiet.showMessage({MessageKind::Warning, "text", "", c.buttons, c.defaultButton}),
                  c.answer);
    EXPECT_TRUE(m.dialogs.messages.empty()) << "no box reaches the screen";
    EXPECT_EQ(quiet.selectFolder({}), std::nullopt);
    EXPECT_EQ(quiet.openFile({}), std::nullopt);
}

TEST_F(UnattendedDialogsTest, ALockedFileIsRetriedForAWhileThenIgnored) {
    const MessageRequest locked{MessageKind::Warning,
                                "Could not update the \"C:\\QZ4\\a.exe\" file.\r\nClose it.",
                                "",
                                {DialogButton::Retry, DialogButton::Ignore}};
    for (int round = 0; round < 2; ++round) {
        for (int retry = 0; retry < 3; ++retry)
            EXPECT_EQ(quiet.showMessage(locked), DialogButton::Retry);
        EXPECT_EQ(quiet.showMessage(locked), DialogButton::Ignore);
    }
    EXPECT_EQ(waits, 6);
    // Each question is written once with its first answer, and once with
    // the last, on one line.
    EXPECT_EQ(logText(), "\xEF\xBB\xBF"
                         "warning: Could not update the \"C:\\QZ4\\a.exe\" file. | Close it. -> "
                         "Retry\r\n"
                         "warning: Could not update the \"C:\\QZ4\\a.exe\" file. | Close it. -> "
                         "Ignore\r\n"
                         "warning: Could not update the \"C:\\QZ4\\a.exe\" file. | Close it. -> "
                         "Retry\r\n"
                         "warning: Could not update the \"C:\\QZ4\\a.exe\" file. | Close it. -> "
                         "Ignore\r\n");
}

TEST_F(UnattendedDialogsTest, WithoutAnyWindowNoneIsShown) {
    UnattendedDialogs none(m.dialogs, log, InstallMode::VerySilent);
    ui::Form form(none, "TInstF3");
    EXPECT_EQ(form.showModal(), ui::ModalResult::Cancel);
    EXPECT_TRUE(m.dialogs.shownForms.empty());
    // The progress window of the silent mode is the screen's.
    ui::Form progress(quiet, "TInstF3");
    progress.showModal();
    EXPECT_EQ(m.dialogs.shownForms.size(), 1u);
}

} // namespace
} // namespace qz
