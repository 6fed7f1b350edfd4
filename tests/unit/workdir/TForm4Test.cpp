#include "TestSupport.h"

#include "locale/Catalogue.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"
#include "workdir/TForm4.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

class TForm4Test : public ::testing::Test {
protected:
    TForm4Test() {
        ResetLanguageState();
        SetLanguage("ru");
        FillCatalogue();
    }
    ~TForm4Test() override { ResetLanguageState(); }

    test::TestMachine machine;
};

TEST_F(TForm4Test, ShowsThePromptAndButtonsOfTheActiveLanguage) {
    struct Case {
        const char* language;
        const char* prompt;
        const char* cancel;
    } cases[] = {
        {"ru", "Введите свои данные (фамилия, имя), которые будут занесены в файл результатов:",
         "Отмена"},
        {"en",
         "Enter user data (name, surname), which will be saved in the results file:", "Cancel"},
    };
    for (const Case& c : cases) {
        SetLanguage(c.language);
        FillCatalogue();
        TForm4 dialog(machine.dialogs);
        EXPECT_EQ(dialog.Label1.caption, c.prompt) << c.language;
        EXPECT_EQ(dialog.Button1.caption, "OK") << c.language;
        EXPECT_EQ(dialog.Button2.caption, c.cancel) << c.language;
        EXPECT_TRUE(dialog.Label1.wordWrap);
    }
}

TEST_F(TForm4Test, OkIsEnabledExactlyWhenThereIsAName) {
    TForm4 dialog(machine.dialogs);
    EXPECT_FALSE(dialog.Button1.enabled);
    struct Step {
        const char* typed;
        bool okEnabled;
    };
    for (Step s : {Step{"И", true}, Step{"", false}, Step{"   ", true}, Step{"Иванов", true}}) {
        dialog.Edit1.enterText(s.typed);
        EXPECT_EQ(dialog.Button1.enabled, s.okEnabled) << '"' << s.typed << '"';
    }
}

TEST_F(TForm4Test, NameIsCutToTwentyFiveCharacters) {
    TForm4 dialog(machine.dialogs);
    dialog.Edit1.enterText("Константинопольский Александр");
    EXPECT_EQ(dialog.Edit1.caption, "Константинопольский Алекс");
}

TEST_F(TForm4Test, PreparedDialogProposesTheNameWithTheCaretAtItsEnd) {
    TForm4 dialog(machine.dialogs);
    dialog.prepare(MsgResultsFileChange, "Пётр Ёлкин");
    EXPECT_EQ(dialog.caption, MsgResultsFileChange);
    EXPECT_EQ(dialog.Edit1.selStart, 10);
    EXPECT_EQ(dialog.activeControl, &dialog.Edit1);
    EXPECT_TRUE(dialog.Button1.enabled);

    dialog.prepare(MsgResultsFileCreation, "");
    EXPECT_FALSE(dialog.Button1.enabled);
    // Enter cannot accept an empty name; Esc cancels.
    dialog.pressKey(ui::KeyReturn);
    EXPECT_EQ(dialog.modalResult, ui::ModalResult::None);
    dialog.pressKey(ui::KeyEscape);
    EXPECT_EQ(dialog.modalResult, ui::ModalResult::Cancel);
}

TEST_F(TForm4Test, ShownModallyItReturnsTheUsersAnswer) {
    TForm4 dialog(machine.dialogs);
    dialog.prepare(MsgResultsFileCreation, "student");
    machine.dialogs.formAnswers.push_back([](ModalWindow& form) {
        auto& d = static_cast<TForm4&>(form);
        d.Edit1.enterText("Анна");
        d.pressKey(ui::KeyReturn);
        return d.modalResult;
    });
    EXPECT_EQ(dialog.showModal(), ui::ModalResult::Ok);
    EXPECT_EQ(dialog.Edit1.caption, "Анна");
}

} // namespace
} // namespace qz
