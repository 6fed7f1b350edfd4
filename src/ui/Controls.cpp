#include "ui/Controls.h"

#include "text/Text.h"
#include "ui/Form.h"

#include <algorithm>

namespace qz::ui {
namespace {

// A click on a check box: unchecked, checked, grayed when allowed, unchecked.
CheckState nextState(CheckState state, bool allowGrayed) {
    switch (state) {
    case CheckState::Unchecked:
        return CheckState::Checked;
    case CheckState::Checked:
        return allowGrayed ? CheckState::Grayed : CheckState::Unchecked;
    case CheckState::Grayed:
        break;
    }
    return CheckState::Unchecked;
}

} // namespace

Label::Label(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::Label) {}

StaticText::StaticText(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::StaticText) {}

Button::Button(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::Button) {}

void Button::click() {
    if (!usable())
        return;
    // The modal result goes to the form first, so that the handler may still
    // change it.
    if (modalResult != ModalResult::None)
        form().modalResult = modalResult;
    if (onClick)
        onClick();
}

Edit::Edit(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::Edit) {}

void Edit::enterText(std::string_view text) {
    if (!usable())
        return;
    std::u16string wide = text::toUtf16(text);
    if (maxLength > 0 && wide.size() > static_cast<std::size_t>(maxLength))
        wide.resize(maxLength);
    caption = text::fromUtf16(wide);
    selStart = static_cast<int>(wide.size());
    if (onChange)
        onChange();
}

void Edit::typeCharacter(char16_t character, Key key, Shift shift) {
    if (!usable())
        return;
    std::optional<char16_t> typed = filterCharacter(character, key, shift);
    if (!typed)
        return;
    std::u16string wide = text::toUtf16(caption);
    std::size_t caret = std::min(static_cast<std::size_t>(std::max(selStart, 0)), wide.size());
    if (*typed == KeyBack) {
        if (caret == 0)
            return;
        wide.erase(--caret, 1);
    } else if (*typed < u' ' ||
               (maxLength > 0 && wide.size() >= static_cast<std::size_t>(maxLength))) {
        return;
    } else {
        wide.insert(caret++, 1, *typed);
    }
    caption = text::fromUtf16(wide);
    selStart = static_cast<int>(caret);
    if (onChange)
        onChange();
}

std::optional<char16_t> Edit::filterCharacter(char16_t character, Key key, Shift shift) const {
    return onKeyPress ? onKeyPress(character, key, shift) : character;
}

Memo::Memo(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::Memo) {}

CheckBox::CheckBox(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::CheckBox) {}

void CheckBox::click() {
    if (!usable())
        return;
    state = nextState(state, allowGrayed);
    if (onClick)
        onClick();
}

RadioButton::RadioButton(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::RadioButton) {}

void RadioButton::setChecked(bool value) {
    checked = value;
    if (!value)
        return;
    for (Control* c : form().controls())
        if (c != this && c->kind() == ControlKind::RadioButton && c->parent() == parent())
            static_cast<RadioButton*>(c)->checked = false;
}

void RadioButton::click() {
    if (!usable())
        return;
    setChecked(true);
    if (onClick)
        onClick();
}

ListBox::ListBox(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::ListBox) {}

void ListBox::select(int index) {
    if (!usable() || index < 0 || index >= static_cast<int>(items.size()))
        return;
    itemIndex = index;
    if (onClick)
        onClick();
}

CheckListBox::CheckListBox(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::CheckListBox) {}

void CheckListBox::addItem(std::string text, CheckState state) {
    items.push_back(std::move(text));
    states.push_back(state);
}

void CheckListBox::select(int index) {
    if (!usable() || index < 0 || index >= static_cast<int>(items.size()))
        return;
    itemIndex = index;
    if (onClick)
        onClick();
}

void CheckListBox::toggle(int index) {
    if (!usable() || index < 0 || index >= static_cast<int>(items.size()))
        return;
    itemIndex = index;
    states[index] = nextState(states[index], allowGrayed);
    if (onClickCheck)
        onClickCheck();
}

ComboBox::ComboBox(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::ComboBox) {}

void ComboBox::select(int index) {
    if (!usable() || index < 0 || index >= static_cast<int>(items.size()))
        return;
    itemIndex = index;
    caption = items[index];
    if (onChange)
        onChange();
}

ProgressBar::ProgressBar(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::ProgressBar) {}

Panel::Panel(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::Panel) {}

PageControl::PageControl(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::PageControl) {}

TabSheet::TabSheet(Form& form, std::string name, PageControl& pageControl)
    : Control(form, &pageControl, std::move(name), ControlKind::TabSheet),
      pageControl_(pageControl) {
    pageControl.pages.push_back(this);
    if (!pageControl.activePage)
        pageControl.activePage = this;
}

Picture::Picture(Form& form, std::string name, Control* parent)
    : Control(form, parent, std::move(name), ControlKind::Picture) {}

Timer::Timer(Form& form, std::string name)
    : Control(form, nullptr, std::move(name), ControlKind::Timer) {}

void Timer::elapse() {
    if (enabled && onTimer)
        onTimer();
}

} // namespace qz::ui
