// One form on the screen: the real windows made from its model, the events
// that reach its handlers, and the model read back after each of them.
#pragma once

#include "ui/Form.h"

#include <exception>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <vector>

#include <windows.h>

namespace qz::ui::win32 {

class FormWindow {
public:
    // Creates the window, hidden, and every control in it; placed below the
    // frame of the window below when it is given.
    FormWindow(Form& form, HWND owner, HWND below = nullptr);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND handle() const { return window_; }
    Form& form() const { return form_; }
    // The form's window or one of its descendants.
    bool owns(HWND window) const;

    // Brings every control window in line with its model.
    void sync();

    // Keyboard messages of the form's windows, before they are dispatched:
    // Tab moves the focus, key preview and Enter/Esc reach the form, plain
    // F10 (a system key) never reaches the system's menu handling. True
    // when the message is used up.
    bool handleKey(const MSG& message);

    // An error raised by a handler while the system dispatched a message: it
    // cannot travel through the system's frames, so the window procedure keeps
    // it and the modal loop raises it again once the message is done.
    std::exception_ptr failure() const { return failure_; }

    // Window procedures of the form and of the controls drawn here.
    static LRESULT CALLBACK formProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK containerProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK checkListProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK editProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

private:
    // What was last given to a control window, so that sync changes only what
    // the model changed.
    struct Applied {
        bool done = false;
        RECT bounds{};
        bool enabled = false;
        bool visible = false;
        std::string text;
        Font font;
        std::vector<std::string> items;
        std::vector<CheckState> states;
        int index = -2;
        int selStart = -1;
        int position = 0, min = 0, max = 0;
        int interval = 0;
        std::string hint;
        const char* bitmap = nullptr;
    };

    static FormWindow* of(HWND anyWindowOfTheForm);
    int indexOf(HWND window) const;
    int indexOf(const Control& control) const;
    int px(int value) const { return MulDiv(value, dpi_, 96); }
    HFONT fontFor(const Font& font);
    void createControl(int index);
    RECT boundsOf(const Control& control) const;
    void syncControl(int index);
    void syncItems(int index);
    void syncHint(int index);
    // The control that has the focus becomes the model's active control.
    void readFocus();
    void command(HWND control, int code);
    void toggleCheck(HWND list, int item);
    // What the edit's key filter makes of a typed character (WM_CHAR).
    std::optional<char16_t> filterCharacter(HWND edit, WPARAM character, LPARAM keyData);
    LRESULT controlColor(HDC dc, HWND control, UINT message);
    bool setCursor(HWND control);
    void paint(HWND window, int index);
    void drawCheckItem(const DRAWITEMSTRUCT& item);
    LRESULT handleFormMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs a message's work and keeps the first error it raises.
    template <class Work> LRESULT guarded(Work&& work);

    Form& form_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr; // shows the controls' hints
    int dpi_ = 96;
    bool syncing_ = false;
    std::vector<HWND> controls_; // in the order of the model's controls
    std::unordered_map<HWND, int> indices_;
    std::vector<Applied> applied_;
    std::map<std::tuple<std::string, int, bool, bool>, HFONT> fonts_;
    Control* focused_ = nullptr;
    std::string caption_;
    std::exception_ptr failure_;
};

} // namespace qz::ui::win32
