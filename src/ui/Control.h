// What every control of a window has: its name, its place in the window, and
// the state a user sees. Controls are members of the form that owns them and
// register themselves with it, parents before children.
#pragma once

#include "ui/Font.h"

#include <functional>
#include <optional>
#include <string>

namespace qz::ui {

class Form;

enum class ControlKind {
    Label,
    StaticText,
    Button,
    Edit,
    Memo,
    CheckBox,
    RadioButton,
    ListBox,
    CheckListBox,
    ComboBox,
    ProgressBar,
    Panel,
    PageControl,
    TabSheet,
    Picture,
    Timer,
};

enum class Cursor { Default, HandPoint };
enum class Alignment { Left, Center, Right };

using Handler = std::function<void()>;

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    Form& form() const { return form_; }
    Control* parent() const { return parent_; }

    // Position relative to the parent's client area, in pixels.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // The caption, or the text of an edit, memo or combo box.
    std::string caption;
    bool enabled = true;
    bool visible = true;
    std::optional<Font> font; // nothing: the parent's font
    std::string hint;
    Cursor cursor = Cursor::Default;
    Alignment alignment = Alignment::Left;

    Handler onClick;
    Handler onDblClick;

    void setBounds(int l, int t, int w, int h);
    int right() const { return left + width; }
    int bottom() const { return top + height; }

    const Font& effectiveFont() const;
    // Visible on the screen: the control, its parents and their pages.
    bool showing() const;
    // A user can reach it: showing and enabled along the whole parent chain.
    bool usable() const;

    // What a user does. A control that is not usable ignores the user.
    virtual void click();
    void doubleClick();
    // Gives the control the keyboard focus.
    void focus();

protected:
    Control(Form& form, Control* parent, std::string name, ControlKind kind);

private:
    Form& form_;
    Control* parent_;
    std::string name_;
    ControlKind kind_;
};

} // namespace qz::ui
