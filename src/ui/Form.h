// A window: its frame, the controls it owns, the keyboard as it sees it, and
// the modal contract. Concrete windows derive from Form, own their controls
// as members named as the controls, and override the handlers they need.
#pragma once

#include "platform/Dialogs.h"
#include "ui/Controls.h"
#include "ui/Keys.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::ui {

enum class BorderStyle {
    Dialog, // fixed frame, caption and close box only
    Single, // fixed frame with a system menu
    None,   // no frame and no caption: a bare panel on the screen
};

class Form : public ModalWindow {
public:
    Form(Dialogs& dialogs, std::string className);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    // The window class name, which is also how a test driver finds the window.
    const std::string& className() const { return className_; }

    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    BorderStyle borderStyle = BorderStyle::Dialog;
    bool minimizeBox = false;
    // Screen position of the window frame; nothing: centred on the screen.
    std::optional<int> left;
    std::optional<int> top;
    // Another open window this one is placed against: its frame starts at
    // that window's bottom-left corner and is exactly as wide as that frame
    // (the width, real only on the screen, replaces clientWidth). Left and
    // top are then not used.
    const Form* placedBelow = nullptr;
    Font font;
    bool keyPreview = false; // the form sees keys before the focused control
    ModalResult modalResult = ModalResult::None;
    Control* activeControl = nullptr; // the control with the keyboard focus

    // Every control, parents before children, in declaration order.
    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(std::string_view name) const;
    Button* defaultButton() const;
    Button* cancelButton() const;

    // Shows the window modally through the Dialogs port and returns how it
    // ended. FormShow runs before it appears, FormClose after it closed.
    ModalResult showModal();
    // Asks the window to close as its close box does (modal result Cancel).
    void close();
    // Ends the application: this and every other modal window close with
    // Cancel without asking FormCloseQuery, and no window opens any more.
    void terminateApplication();
    // The modal loop asks this after every event: true when a modal result
    // is set and FormCloseQuery lets the window close; a refusal clears the
    // result again.
    bool mayEndModal();

    // The keyboard. keyDown offers the key to FormKeyDown (with key preview),
    // then Enter presses the focused or the default button and Esc the
    // cancel button; true when it pressed one, which uses the key up.
    // keyPress offers a character to FormKeyPress.
    bool keyDown(Key key, Shift shift = {});
    void keyPress(char16_t character);
    // A key pressed and released by a user: keyDown, then the character that
    // Enter or Esc produce unless a button used the key up.
    void pressKey(Key key, Shift shift = {});

    // Handlers of the window's own events.
    virtual void FormShow() {}
    // The window has been shown and drawn and has become the active window;
    // it comes again each time the window is activated anew.
    virtual void FormActivate() {}
    virtual void FormKeyDown(Key /*key*/, Shift /*shift*/) {}
    virtual void FormKeyPress(char16_t /*key*/) {}
    virtual void FormCloseQuery(bool& /*canClose*/) {}
    virtual void FormClose() {}

protected:
    Dialogs& dialogs_;

private:
    friend class Control;
    std::string className_;
    std::vector<Control*> controls_;
};

} // namespace qz::ui
