#include "TestSupport.h"

#include "installer/ParagraphReflow.h"
#include "installer/TInstF2.h"
#include "installer/TSelLangForm.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using Lines = std::vector<std::string>;

TEST(ParagraphReflowTest, JoinsLinesIntoParagraphs) {
    struct Case {
        const char* what;
        Lines in;
        Lines out;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"lines of one paragraph join with one blank, later lines trimmed",
         {"  The problem", "   book   ", "works."},
         {"  The problem book works."}},
        {"an empty line ends a paragraph and stays",
         {"one", "two", "", "three"},
         {"one two", "", "three"}},
        {"empty lines in a row each stay", {"", ""}, {"", ""}},
        {"list items start paragraphs, even indented",
         {"Items:", "- first", "  continued", "  * second"},
         {"Items:", "- first continued", "  * second"}},
        {"copyright in any letter case starts a paragraph",
         {"text", "  Copyright (c) Quazzle", "more"},
         {"text", "  Copyright (c) Quazzle more"}},
        {"a short word like COPY does not", {"text", "COPY"}, {"text COPY"}},
        {"a line of blanks continues the paragraph", {"a", "   ", "b"}, {"a  b"}},
        {"a line of blanks begins a paragraph as read", {"", "   ", "b"}, {"", "    b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reflowParagraphs(c.in), c.out) << c.what;
}

TEST(ParagraphReflowTest, SplitsLinesAtEveryKindOfLineEnd) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines(""), Lines{});
}

class InstallerDialogsTest : public ::testing::Test {
protected:
    InstallerDialogsTest() { ResetLanguageState(); }
    ~InstallerDialogsTest() override { ResetLanguageState(); }

    test::TestMachine machine;
};

TEST_F(InstallerDialogsTest, LanguageDialogSpeaksAndProposesTheSystemsLanguage) {
    struct Case {
        std::uint16_t uiLanguage;
        const char* label;
        const char* russianButton;
        const char* proposed;
    };
    // Russian as spoken in Russia only: Russian of Moldova (0x0819) is another language id.
    for (Case c : {Case{0x0419, "Выберите язык:", "Русский", "ru"},
                   Case{0x0819, "Select a language:", "Russian", "en"},
                   Case{0x0409, "Select a language:", "Russian", "en"},
                   Case{0x0407, "Select a language:", "Russian", "en"}}) {
        machine.system.uiLanguage = c.uiLanguage;
        TSelLangForm form(machine.platform);
        EXPECT_EQ(form.caption, "Language");
        EXPECT_EQ(form.Label1.caption, c.label);
        EXPECT_EQ(form.RadioButton1.caption, "English");
        EXPECT_EQ(form.RadioButton2.caption, c.russianButton);
        EXPECT_EQ(form.language(), c.proposed);
        EXPECT_EQ(form.activeControl,
                  c.proposed == std::string("ru") ? &form.RadioButton2 : &form.RadioButton1);
    }
}

TEST_F(InstallerDialogsTest, LanguageDialogAnswersWithTheCheckedButton) {
    machine.system.uiLanguage = 0x0419;
    // OK, Enter, Esc and a double click all close it; the answer is the checked button.
    struct Case {
        std::function<void(TSelLangForm&)> act;
        const char* language;
    };
    const Case cases[] = {
        {[](TSelLangForm& f) { f.Button1.click(); }, "ru"},
        {[](TSelLangForm& f) {
             f.RadioButton1.click();
             f.pressKey(ui::KeyReturn);
         },
         "en"},
        {[](TSelLangForm& f) {
             f.RadioButton1.click();
             f.pressKey(ui::KeyEscape);
         },
         "en"},
        {[](TSelLangForm& f) {
             f.RadioButton1.click();
             f.RadioButton1.doubleClick();
         },
         "en"},
        {[](TSelLangForm& f) {
             f.RadioButton1.click();
             f.RadioButton2.click();
             f.RadioButton2.doubleClick();
         },
         "ru"},
    };
    for (const Case& c : cases) {
        TSelLangForm form(machine.platform);
        c.act(form);
        EXPECT_EQ(form.modalResult, ui::ModalResult::Ok);
        EXPECT_EQ(form.language(), c.language);
    }
}

TEST_F(InstallerDialogsTest, ViewerShowsNothingForAMissingFile) {
    TInstF2 viewer(machine.platform);
    EXPECT_FALSE(viewer.showDocument("C:\\Setup\\readme_en.txt", TInstF2::licenceCaption()));
    EXPECT_TRUE(machine.dialogs.shownForms.empty());
}

TEST_F(InstallerDialogsTest, ViewerShowsTheReflowedTextInTheAnsiCodePage) {
    SetLanguage("ru");
    machine.system.ansi = 1251;
    // "Задачник" and "Лицензия" in Windows-1251.
    machine.writeFile("C:\\Setup\\license.txt",
                      "\xc7\xe0\xe4\xe0\xf7\xed\xe8\xea\r\n  \xeb\xe8\xf6\xe5\xed\xe7\xe8\xff\r\n"
                      "\r\n- one\r\n");
    TInstF2 viewer(machine.platform);
    viewer.Memo1.lines = {"left from before"};
    machine.dialogs.formAnswers.push_back([](ModalWindow& form) {
        auto& v = static_cast<TInstF2&>(form);
        EXPECT_EQ(v.activeControl, &v.Memo1);
        EXPECT_EQ(v.Memo1.selStart, 0);
        v.pressKey(ui::KeyEscape);
        return v.modalResult;
    });
    ASSERT_TRUE(viewer.showDocument("C:\\Setup\\license.txt", TInstF2::licenceCaption()));
    EXPECT_EQ(viewer.caption, "Лицензионное соглашение [файл license.txt]");
    EXPECT_EQ(viewer.Memo1.lines, (Lines{"Задачник лицензия", "", "- one"}));
    EXPECT_EQ(viewer.modalResult, ui::ModalResult::Cancel);
}

TEST_F(InstallerDialogsTest, ViewerCaptionsFollowTheLanguage) {
    SetLanguage("en");
    EXPECT_EQ(TInstF2::readmeCaption("задачника"), "About Quazzle 4 [readme_en.txt]");
    EXPECT_EQ(TInstF2::licenceCaption(), "License agreement [license_en.txt]");
    SetLanguage("ru");
    EXPECT_EQ(TInstF2::readmeCaption("задачника"), "Описание задачника [файл readme.txt]");
}

TEST_F(InstallerDialogsTest, ViewerKeepsItsOkButtonFifteenPixelsFromTheRight) {
    TInstF2 viewer(machine.platform);
    EXPECT_EQ(viewer.Button1.parent(), &viewer.Panel1);
    EXPECT_EQ(viewer.Panel1.width - viewer.Button1.right(), 15);
    EXPECT_TRUE(viewer.Memo1.readOnly);
    EXPECT_TRUE(viewer.Memo1.wordWrap);
    EXPECT_TRUE(viewer.Memo1.verticalScrollBar);
    viewer.pressKey(ui::KeyReturn);
    EXPECT_EQ(viewer.modalResult, ui::ModalResult::Ok);
}

} // namespace
} // namespace qz
