// The controls windows are made of, each with the state a user sees and the
// actions a user takes on it.
#pragma once

#include "platform/Dialogs.h"
#include "ui/Control.h"
#include "ui/Keys.h"

#include <optional>
#include <string_view>
#include <vector>

namespace qz::ui {

// How a modal window ended: the button that closed it, as message boxes say it.
using ModalResult = DialogButton;

class Label : public Control {
public:
    Label(Form& form, std::string name, Control* parent = nullptr);
    bool wordWrap = false;
    // Only the text is drawn, over whatever lies beneath; a transparent
    // label declared later lies over the controls declared before it.
    bool transparent = false;
};

// A label with a sunken border, as read-only status texts have. One line
// centred in its height, or with wordWrap the lines of its caption from the
// top, long ones wrapped.
class StaticText : public Control {
public:
    StaticText(Form& form, std::string name, Control* parent = nullptr);
    bool sunken = true;
    bool wordWrap = false;
};

class Button : public Control {
public:
    Button(Form& form, std::string name, Control* parent = nullptr);
    ModalResult modalResult = ModalResult::None; // given to the form on a click
    bool isDefault = false;                      // Enter presses it
    bool isCancel = false;                       // Esc presses it
    bool flat = false;
    // A caption of several lines ("Add\r\naccess.dat") wraps.
    void click() override;
};

// Sees a character typed into an edit before the edit takes it, with the key
// that produced it and the modifiers held: returns the character to take
// instead, or nothing to drop it.
using KeyPressFilter =
    std::function<std::optional<char16_t>(char16_t character, Key key, Shift shift)>;

class Edit : public Control {
public:
    Edit(Form& form, std::string name, Control* parent = nullptr);
    int maxLength = 0; // characters; 0: no limit
    int selStart = 0;  // caret position in characters
    Handler onChange;
    KeyPressFilter onKeyPress;
    // The user replaces the text (cut to maxLength).
    void enterText(std::string_view text);
    // The user types one character at the caret: onKeyPress may change or
    // drop it, Backspace deletes the character before the caret, other
    // control characters (Enter, Esc, Ctrl+letter) insert nothing.
    void typeCharacter(char16_t character, Key key = KeyNone, Shift shift = {});
    // What onKeyPress makes of a typed character (the character itself
    // without a filter); the renderer asks this for every real key press.
    std::optional<char16_t> filterCharacter(char16_t character, Key key, Shift shift) const;
};

// A multi-line text; read-only memos show documents.
class Memo : public Control {
public:
    Memo(Form& form, std::string name, Control* parent = nullptr);
    std::vector<std::string> lines;
    bool readOnly = false;
    bool wordWrap = true;
    bool verticalScrollBar = false;
    int selStart = 0;
};

enum class CheckState { Unchecked, Checked, Grayed };

class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name, Control* parent = nullptr);
    CheckState state = CheckState::Unchecked;
    bool allowGrayed = false;
    bool checked() const { return state == CheckState::Checked; }
    // A click moves to the next state, then runs onClick.
    void click() override;
};

// Radio buttons with the same parent form one group: checking one unchecks
// the others.
class RadioButton : public Control {
public:
    RadioButton(Form& form, std::string name, Control* parent = nullptr);
    bool checked = false;
    void setChecked(bool value);
    void click() override;
};

class ListBox : public Control {
public:
    ListBox(Form& form, std::string name, Control* parent = nullptr);
    std::vector<std::string> items;
    int itemIndex = -1;
    // The user selects an item (onClick follows).
    void select(int index);
};

// A list whose items carry a three-state check box.
class CheckListBox : public Control {
public:
    CheckListBox(Form& form, std::string name, Control* parent = nullptr);
    std::vector<std::string> items;
    std::vector<CheckState> states; // one per item
    int itemIndex = -1;
    bool allowGrayed = false;
    Handler onClickCheck;
    void addItem(std::string text, CheckState state = CheckState::Unchecked);
    void select(int index);
    // The user clicks the check box of an item: its state moves on and
    // onClickCheck follows. The item becomes the selected one too; the
    // selection's own onClick comes from the list's click, not from here.
    void toggle(int index);
};

enum class ComboStyle { DropDown, DropDownList };

class ComboBox : public Control {
public:
    ComboBox(Form& form, std::string name, Control* parent = nullptr);
    std::vector<std::string> items;
    int itemIndex = -1;
    ComboStyle style = ComboStyle::DropDownList;
    Handler onChange;
    // The user picks an item from the list; the text follows it.
    void select(int index);
};

class ProgressBar : public Control {
public:
    ProgressBar(Form& form, std::string name, Control* parent = nullptr);
    int min = 0;
    int max = 100;
    int position = 0;
};

enum class Bevel { None, Raised, Lowered };

// A container; its caption is drawn in its middle.
class Panel : public Control {
public:
    Panel(Form& form, std::string name, Control* parent = nullptr);
    Bevel bevel = Bevel::Raised;
};

class TabSheet;

// Pages on top of each other; only the active one shows. Tabs are never
// drawn: windows move between their pages with their own buttons.
class PageControl : public Control {
public:
    PageControl(Form& form, std::string name, Control* parent = nullptr);
    std::vector<TabSheet*> pages; // filled by the pages themselves
    TabSheet* activePage = nullptr;
    Handler onChange;
};

class TabSheet : public Control {
public:
    TabSheet(Form& form, std::string name, PageControl& pageControl);
    PageControl& pageControl() const { return pageControl_; }

private:
    PageControl& pageControl_;
};

// A picture from the bytes of a Windows bitmap file.
class Picture : public Control {
public:
    Picture(Form& form, std::string name, Control* parent = nullptr);
    std::string_view bitmap; // ".bmp" file bytes that outlive the form
    bool stretch = false;
    bool framed = false;
};

// Runs onTimer every interval milliseconds while enabled; it has no window.
class Timer : public Control {
public:
    Timer(Form& form, std::string name);
    int interval = 1000;
    Handler onTimer;
    // An interval has passed (the renderer's clock, or a test, says so).
    void elapse();
};

} // namespace qz::ui
