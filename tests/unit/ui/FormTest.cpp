#include "TestSupport.h"

#include "ui/Form.h"

#include <gtest/gtest.h>

namespace qz::ui {
namespace {

// A window with one of each thing the tests below need.
class SampleForm : public Form {
public:
    explicit SampleForm(Dialogs& dialogs) : Form(dialogs, "TSampleForm") {
        Ok.isDefault = true;
        Ok.modalResult = ModalResult::Ok;
        Cancel.isCancel = true;
        Cancel.modalResult = ModalResult::Cancel;
        Edit1.maxLength = 5;
        Edit1.onChange = [this] { ++changes; };
        Other.onClick = [this] { ++otherClicks; };
        InnerButton.onClick = [this] { ++innerClicks; };
    }

    Button Ok{*this, "Ok"};
    Button Cancel{*this, "Cancel"};
    Button Other{*this, "Other"};
    Edit Edit1{*this, "Edit1"};
    Panel Panel1{*this, "Panel1"};
    RadioButton Radio1{*this, "Radio1", &Panel1};
    RadioButton Radio2{*this, "Radio2", &Panel1};
    RadioButton Outside{*this, "Outside"};
    PageControl Pages{*this, "Pages"};
    TabSheet Page1{*this, "Page1", Pages};
    TabSheet Page2{*this, "Page2", Pages};
    Button InnerButton{*this, "InnerButton", &Page2};

    int changes = 0;
    int otherClicks = 0;
    int innerClicks = 0;
    std::vector<std::string> events;
    bool allowClose = true;

    void FormShow() override { events.push_back("show"); }
    void FormClose() override { events.push_back("close"); }
    void FormKeyDown(Key key, Shift shift) override {
        events.push_back("down " + std::to_string(key) + (shift.alt ? " alt" : ""));
    }
    void FormKeyPress(char16_t key) override { events.push_back("press " + std::to_string(key)); }
    void FormCloseQuery(bool& canClose) override { canClose = allowClose; }
};

class FormTest : public ::testing::Test {
protected:
    test::TestMachine machine;
    SampleForm form{machine.dialogs};
};

TEST_F(FormTest, ControlsAreFoundByNameInDeclarationOrder) {
    ASSERT_EQ(form.controls().size(), 12u);
    EXPECT_EQ(form.controls().front(), &form.Ok);
    EXPECT_EQ(form.find("InnerButton"), &form.InnerButton);
    EXPECT_EQ(form.find("Nothing"), nullptr);
    EXPECT_EQ(form.defaultButton(), &form.Ok);
    EXPECT_EQ(form.cancelButton(), &form.Cancel);
}

TEST_F(FormTest, ButtonGivesItsModalResultBeforeItsHandlerRuns) {
    form.Ok.onClick = [this] { form.modalResult = ModalResult::Retry; };
    form.Ok.click();
    EXPECT_EQ(form.modalResult, ModalResult::Retry);
}

TEST_F(FormTest, ControlsOutOfReachIgnoreTheUser) {
    form.Other.enabled = false;
    form.Other.click();
    form.Other.enabled = true;
    form.Other.visible = false;
    form.Other.click();
    EXPECT_EQ(form.otherClicks, 0);

    // A button on a page that is not active is not showing.
    form.InnerButton.click();
    EXPECT_FALSE(form.InnerButton.showing());
    form.Pages.activePage = &form.Page2;
    form.InnerButton.click();
    EXPECT_EQ(form.innerClicks, 1);
    // A disabled parent disables its children.
    form.Page2.enabled = false;
    EXPECT_TRUE(form.InnerButton.showing());
    EXPECT_FALSE(form.InnerButton.usable());
}

TEST_F(FormTest, KeyPreviewShowsEveryKeyToTheFormFirst) {
    form.pressKey(KeyF5);
    EXPECT_TRUE(form.events.empty()) << "without key preview the form sees nothing";

    form.keyPreview = true;
    form.pressKey(KeyF5);
    form.pressKey(KeyF4, AltHeld);
    form.pressKey(KeyEscape);
    EXPECT_EQ(form.events, (std::vector<std::string>{"down 116", "down 115 alt", "down 27"}))
        << "the cancel button uses Esc up";
    EXPECT_EQ(form.modalResult, ModalResult::Cancel);

    // Without a button to press, Enter goes on as a character.
    form.events.clear();
    form.modalResult = ModalResult::None;
    form.Ok.enabled = false;
    form.activeControl = &form.Edit1;
    form.pressKey(KeyReturn);
    EXPECT_EQ(form.events, (std::vector<std::string>{"down 13", "press 13"}));
}

TEST_F(FormTest, EnterPressesTheFocusedButtonOrElseTheDefaultOne) {
    struct Case {
        Control* focused;
        Shift shift;
        ModalResult expected;
        int otherClicks;
    };
    const Case cases[] = {
        {nullptr, {}, ModalResult::Ok, 0},
        {&form.Edit1, {}, ModalResult::Ok, 0},
        {&form.Other, {}, ModalResult::None, 1},
        {&form.Cancel, {}, ModalResult::Cancel, 0},
        {&form.Edit1, AltHeld, ModalResult::None, 0},
    };
    for (const Case& c : cases) {
        form.modalResult = ModalResult::None;
        form.otherClicks = 0;
        form.activeControl = c.focused;
        form.keyDown(KeyReturn, c.shift);
        EXPECT_EQ(form.modalResult, c.expected) << (c.focused ? c.focused->name() : "no focus");
        EXPECT_EQ(form.otherClicks, c.otherClicks);
    }
}

TEST_F(FormTest, DisabledDefaultButtonIsNotPressedByEnter) {
    form.Ok.enabled = false;
    form.keyDown(KeyReturn);
    EXPECT_EQ(form.modalResult, ModalResult::None);
}

TEST_F(FormTest, CloseQueryCanKeepTheWindowOpen) {
    form.close();
    form.allowClose = false;
    EXPECT_FALSE(form.mayEndModal());
    EXPECT_EQ(form.modalResult, ModalResult::None);

    form.allowClose = true;
    EXPECT_FALSE(form.mayEndModal()) << "no result, nothing to end";
    form.Ok.click();
    EXPECT_TRUE(form.mayEndModal());
    EXPECT_EQ(form.modalResult, ModalResult::Ok);
}

TEST_F(FormTest, ShowModalRunsShowAndCloseAroundTheUser) {
    form.modalResult = ModalResult::Abort; // left from an earlier showing
    machine.dialogs.formAnswers.push_back([](ModalWindow& shown) {
        auto& f = static_cast<SampleForm&>(shown);
        f.events.push_back("user");
        EXPECT_EQ(f.modalResult, ModalResult::None);
        f.Ok.click();
        return f.modalResult;
    });
    EXPECT_EQ(form.showModal(), ModalResult::Ok);
    EXPECT_EQ(form.events, (std::vector<std::string>{"show", "user", "close"}));
    ASSERT_EQ(machine.dialogs.shownForms.size(), 1u);
    EXPECT_EQ(machine.dialogs.shownForms[0], &form);

    // Nobody answers: the window is closed untouched.
    EXPECT_EQ(form.showModal(), ModalResult::Cancel);
}

TEST_F(FormTest, TerminatingEndsEveryWindowWithoutAsking) {
    // An inner window ends the application while the outer one waits.
    SampleForm inner(machine.dialogs);
    form.allowClose = false;
    inner.allowClose = false;
    machine.dialogs.formAnswers.push_back([&inner](ModalWindow& window) {
        auto& outer = static_cast<Form&>(window);
        inner.showModal();
        return outer.modalResult;
    });
    machine.dialogs.formAnswers.push_back([](ModalWindow& window) {
        auto& shown = static_cast<Form&>(window);
        shown.terminateApplication();
        return shown.modalResult;
    });
    EXPECT_EQ(form.showModal(), ModalResult::Cancel);
    EXPECT_EQ(inner.modalResult, ModalResult::Cancel);
    EXPECT_TRUE(form.mayEndModal()) << "the close query is not asked";
    EXPECT_EQ(inner.events, (std::vector<std::string>{"show", "close"}));

    // No window opens any more.
    SampleForm later(machine.dialogs);
    EXPECT_EQ(later.showModal(), ModalResult::Cancel);
    EXPECT_TRUE(later.events.empty());
    EXPECT_EQ(machine.dialogs.shownForms.size(), 2u);
}

TEST_F(FormTest, EditKeepsAtMostItsLimitOfCharacters) {
    form.Edit1.enterText("Ёлкин Пётр");
    EXPECT_EQ(form.Edit1.caption, "Ёлкин");
    EXPECT_EQ(form.Edit1.selStart, 5);
    form.Edit1.enterText("");
    EXPECT_EQ(form.Edit1.caption, "");
    EXPECT_EQ(form.changes, 2);
}

TEST_F(FormTest, TypedCharactersGoInAtTheCaretThroughTheKeyFilter) {
    // The filter makes "x" a "y" and drops digits.
    std::vector<std::pair<char16_t, Key>> seen;
    form.Edit1.onKeyPress = [&](char16_t c, Key key, Shift) -> std::optional<char16_t> {
        seen.emplace_back(c, key);
        if (c >= u'0' && c <= u'9')
            return std::nullopt;
        return c == u'x' ? u'y' : c;
    };
    form.Edit1.enterText("ac");
    form.Edit1.selStart = 1;
    form.Edit1.typeCharacter(u'x', Key(0x58));
    form.Edit1.typeCharacter(u'7', Key(0x37));
    EXPECT_EQ(form.Edit1.caption, "ayc");
    EXPECT_EQ(form.Edit1.selStart, 2);
    EXPECT_EQ(form.changes, 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(u'x', Key(0x58)));

    // Backspace deletes before the caret; other control characters insert
    // nothing; the limit holds for typing too.
    form.Edit1.typeCharacter(u'\b', KeyBack);
    EXPECT_EQ(form.Edit1.caption, "ac");
    EXPECT_EQ(form.Edit1.selStart, 1);
    form.Edit1.typeCharacter(u'\r', KeyReturn);
    form.Edit1.typeCharacter(u'\x16', Key(0x56), Shift{false, false, true});
    EXPECT_EQ(form.Edit1.caption, "ac");
    for (char16_t c : std::u16string(u"ёлки"))
        form.Edit1.typeCharacter(c);
    EXPECT_EQ(form.Edit1.caption, "aёлкc");
    EXPECT_EQ(form.Edit1.selStart, 4);

    // Without a filter every character is taken as typed.
    form.Edit1.onKeyPress = nullptr;
    EXPECT_EQ(form.Edit1.filterCharacter(u'7', Key(0x37), {}), u'7');
}

TEST_F(FormTest, RadioButtonsOfOneParentExcludeEachOther) {
    form.Outside.setChecked(true);
    form.Radio1.click();
    form.Radio2.click();
    EXPECT_FALSE(form.Radio1.checked);
    EXPECT_TRUE(form.Radio2.checked);
    EXPECT_TRUE(form.Outside.checked) << "another parent is another group";
}

TEST(CheckStatesTest, ClicksCycleThroughGrayedOnlyWhenAllowed) {
    test::TestMachine machine;
    Form form(machine.dialogs, "TCheckForm");
    CheckBox box(form, "CheckBox1");
    CheckListBox list(form, "CheckListBox1");
    list.addItem("Delphi");
    list.addItem("Lazarus", CheckState::Grayed);
    int checks = 0;
    list.onClickCheck = [&] { ++checks; };

    std::vector<CheckState> seen;
    for (int i = 0; i < 3; ++i) {
        box.click();
        seen.push_back(box.state);
    }
    EXPECT_EQ(seen, (std::vector<CheckState>{CheckState::Checked, CheckState::Unchecked,
                                             CheckState::Checked}));
    box.allowGrayed = true;
    box.click();
    EXPECT_EQ(box.state, CheckState::Grayed);

    list.allowGrayed = true;
    list.toggle(1);
    EXPECT_EQ(list.states[1], CheckState::Unchecked);
    EXPECT_EQ(list.itemIndex, 1);
    list.toggle(0);
    list.toggle(0);
    EXPECT_EQ(list.states[0], CheckState::Grayed);
    list.toggle(2); // no such item
    EXPECT_EQ(checks, 3);
}

TEST(TimerTest, RunsItsHandlerOnlyWhileEnabled) {
    test::TestMachine machine;
    Form form(machine.dialogs, "TTimerForm");
    Timer timer(form, "Timer1");
    int ticks = 0;
    timer.onTimer = [&] {
        ++ticks;
        timer.enabled = false; // once, as a start-up delay does
    };
    timer.elapse();
    timer.elapse();
    EXPECT_EQ(ticks, 1);
}

TEST(FontTest, ControlsWithoutAFontOfTheirOwnUseTheirParentsFont) {
    test::TestMachine machine;
    Form form(machine.dialogs, "TFontForm");
    form.font = Font{"Arial", 11};
    Panel panel(form, "Panel7");
    Label title(form, "Title", &panel);
    Label plain(form, "Plain");
    panel.font = Font{"Arial", 20};
    EXPECT_EQ(title.effectiveFont().height, 20);
    EXPECT_EQ(plain.effectiveFont().height, 11);
}

} // namespace
} // namespace qz::ui
