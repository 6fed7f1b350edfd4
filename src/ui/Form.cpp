#include "ui/Form.h"

namespace qz::ui {

Form::Form(Dialogs& dialogs, std::string className)
    : dialogs_(dialogs), className_(std::move(className)) {}

Control* Form::find(std::string_view name) const {
    for (Control* c : controls_)
        if (c->name() == name)
            return c;
    return nullptr;
}

Button* Form::defaultButton() const {
    for (Control* c : controls_)
        if (c->kind() == ControlKind::Button && static_cast<Button*>(c)->isDefault)
            return static_cast<Button*>(c);
    return nullptr;
}

Button* Form::cancelButton() const {
    for (Control* c : controls_)
        if (c->kind() == ControlKind::Button && static_cast<Button*>(c)->isCancel)
            return static_cast<Button*>(c);
    return nullptr;
}

ModalResult Form::showModal() {
    if (dialogs_.applicationTerminated())
        return modalResult = ModalResult::Cancel;
    modalResult = ModalResult::None;
    FormShow();
    modalResult = dialogs_.showModal(*this);
    FormClose();
    return modalResult;
}

void Form::close() {
    if (modalResult == ModalResult::None)
        modalResult = ModalResult::Cancel;
}

void Form::terminateApplication() {
    dialogs_.terminateApplication();
    modalResult = ModalResult::Cancel;
}

bool Form::mayEndModal() {
    if (modalResult == ModalResult::None)
        return false;
    if (dialogs_.applicationTerminated())
        return true;
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose)
        modalResult = ModalResult::None;
    return canClose;
}

bool Form::keyDown(Key key, Shift shift) {
    if (keyPreview)
        FormKeyDown(key, shift);
    if (!shift.none() || modalResult != ModalResult::None)
        return false;
    Button* target = nullptr;
    if (key == KeyReturn) {
        // Enter presses the focused button, or else the default button.
        bool onButton = activeControl && activeControl->kind() == ControlKind::Button;
        target = onButton ? static_cast<Button*>(activeControl) : defaultButton();
    } else if (key == KeyEscape) {
        target = cancelButton();
    }
    if (!target || !target->usable())
        return false;
    target->click();
    return true;
}

void Form::keyPress(char16_t character) {
    if (keyPreview)
        FormKeyPress(character);
}

void Form::pressKey(Key key, Shift shift) {
    if (!keyDown(key, shift) && shift.none() && (key == KeyReturn || key == KeyEscape))
        keyPress(static_cast<char16_t>(key));
}

} // namespace qz::ui
