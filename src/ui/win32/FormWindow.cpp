#include "ui/win32/FormWindow.h"

#include "platform/win32/WideString.h"
#include "ui/win32/ControlName.h"

#include <algorithm>
#include <cstring>

#include <commctrl.h>

namespace qz::ui::win32 {
namespace {

using qz::win32::narrow;
using qz::win32::wide;

constexpr int FirstControlId = 1000;
// Posted when the form has become active; its handler runs from the queue.
constexpr UINT ActivatedMessage = WM_APP + 1;
constexpr wchar_t ContainerClass[] = L"QZ4Container";

std::string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return narrow(text.c_str());
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    return text;
}

// The system class and styles of each kind of control. Kinds drawn here use
// the container class.
struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind windowKind(const Control& control) {
    constexpr DWORD tab = WS_TABSTOP;
    switch (control.kind()) {
    case ControlKind::Label: {
        auto& label = static_cast<const Label&>(control);
        DWORD align = control.alignment == Alignment::Center  ? SS_CENTER
                      : control.alignment == Alignment::Right ? SS_RIGHT
                      : label.wordWrap                        ? SS_LEFT
                                                              : SS_LEFTNOWORDWRAP;
        return {L"STATIC", align | SS_NOTIFY | SS_NOPREFIX,
                label.transparent ? DWORD(WS_EX_TRANSPARENT) : 0};
    }
    case ControlKind::StaticText: {
        auto& text = static_cast<const StaticText&>(control);
        // Centring in the height makes a static control draw a single line.
        return {L"STATIC",
                (text.wordWrap ? DWORD(SS_LEFT) : DWORD(SS_LEFTNOWORDWRAP | SS_CENTERIMAGE)) |
                    SS_NOTIFY | SS_NOPREFIX,
                text.sunken ? DWORD(WS_EX_STATICEDGE) : 0};
    }
    case ControlKind::Button: {
        auto& button = static_cast<const Button&>(control);
        return {L"BUTTON",
                (button.isDefault ? DWORD(BS_DEFPUSHBUTTON) : DWORD(BS_PUSHBUTTON)) | BS_MULTILINE |
                    (button.flat ? DWORD(BS_FLAT) : 0) | tab,
                0};
    }
    case ControlKind::Edit:
        return {L"EDIT", ES_AUTOHSCROLL | tab, WS_EX_CLIENTEDGE};
    case ControlKind::Memo: {
        auto& memo = static_cast<const Memo&>(control);
        return {L"EDIT",
                ES_MULTILINE | ES_AUTOVSCROLL | tab | (memo.readOnly ? DWORD(ES_READONLY) : 0) |
                    (memo.wordWrap ? 0 : DWORD(ES_AUTOHSCROLL | WS_HSCROLL)) |
                    (memo.verticalScrollBar ? DWORD(WS_VSCROLL) : 0),
                WS_EX_CLIENTEDGE};
    }
    case ControlKind::CheckBox:
        return {L"BUTTON",
                (static_cast<const CheckBox&>(control).allowGrayed ? DWORD(BS_3STATE)
                                                                   : DWORD(BS_CHECKBOX)) |
                    BS_MULTILINE | tab,
                0};
    case ControlKind::RadioButton:
        return {L"BUTTON", BS_RADIOBUTTON | BS_NOTIFY | BS_MULTILINE | tab, 0};
    case ControlKind::ListBox:
        return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | tab, WS_EX_CLIENTEDGE};
    case ControlKind::CheckListBox:
        return {L"LISTBOX",
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                    WS_VSCROLL | tab,
                WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
        return {L"COMBOBOX",
                (static_cast<const ComboBox&>(control).style == ComboStyle::DropDown
                     ? DWORD(CBS_DROPDOWN | CBS_AUTOHSCROLL)
                     : DWORD(CBS_DROPDOWNLIST)) |
                    WS_VSCROLL | tab,
                0};
    case ControlKind::ProgressBar:
        return {PROGRESS_CLASSW, 0, 0};
    case ControlKind::Panel:
    case ControlKind::PageControl:
    case ControlKind::TabSheet:
    case ControlKind::Picture:
    case ControlKind::Timer: // never asked: timers have no window
        break;
    }
    return {ContainerClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

bool drawnHere(const Control& control) {
    return std::wstring(windowKind(control).className) == ContainerClass;
}

// The three-state check box of a check-list item is this wide (96 dpi).
constexpr int CheckBoxSize = 13;
constexpr int CheckBoxMargin = 2;

} // namespace

FormWindow::FormWindow(Form& form, HWND owner, HWND below) : form_(form) {
    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    DWORD style = WS_CLIPCHILDREN | WS_POPUP;
    if (form.borderStyle != BorderStyle::None)
        style |= WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (form.borderStyle == BorderStyle::Dialog)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (form.minimizeBox)
        style |= WS_MINIMIZEBOX;
    if (!owner)
        exStyle |= WS_EX_APPWINDOW;
    RECT frame{0, 0, px(form.clientWidth), px(form.clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x, y;
    if (below) {
        RECT anchor{};
        GetWindowRect(below, &anchor);
        x = anchor.left;
        y = anchor.bottom;
        width = anchor.right - anchor.left;
        form.clientWidth = MulDiv(width, 96, dpi_);
    } else if (form.left && form.top) {
        x = px(*form.left);
        y = px(*form.top);
    } else {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + (work.right - work.left - width) / 2;
        y = work.top + (work.bottom - work.top - height) / 2;
    }
    caption_ = form.caption;
    window_ =
        CreateWindowExW(exStyle, wide(form.className()).c_str(), wide(caption_).c_str(), style, x,
                        y, width, height, owner, nullptr, GetModuleHandleW(nullptr), this);

    const auto& controls = form.controls();
    controls_.resize(controls.size());
    applied_.resize(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
        createControl(static_cast<int>(i));
    sync();
}

FormWindow::~FormWindow() {
    for (HWND control : controls_)
        if (HANDLE atom = control ? RemovePropW(control, ControlNameProperty) : nullptr)
            GlobalDeleteAtom(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(atom)));
    if (tooltip_)
        DestroyWindow(tooltip_);
    DestroyWindow(window_);
    for (auto& [key, font] : fonts_)
        DeleteObject(font);
}

bool FormWindow::owns(HWND window) const {
    return window && (window == window_ || IsChild(window_, window));
}

FormWindow* FormWindow::of(HWND anyWindowOfTheForm) {
    HWND root = GetAncestor(anyWindowOfTheForm, GA_ROOT);
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

int FormWindow::indexOf(HWND window) const {
    auto found = indices_.find(window);
    return found == indices_.end() ? -1 : found->second;
}

int FormWindow::indexOf(const Control& control) const {
    const auto& all = form_.controls();
    return static_cast<int>(std::find(all.begin(), all.end(), &control) - all.begin());
}

HFONT FormWindow::fontFor(const Font& font) {
    auto key = std::make_tuple(font.name, font.height, font.bold, font.underline);
    HFONT& handle = fonts_[key];
    if (!handle)
        handle = CreateFontW(-px(font.height), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                             font.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                             wide(font.name).c_str());
    return handle;
}

void FormWindow::createControl(int index) {
    Control& control = *form_.controls()[index];
    if (control.kind() == ControlKind::Timer)
        return;
    WindowKind kind = windowKind(control);
    // Parents come before their children, so their windows exist already.
    HWND parent = control.parent() ? controls_[indexOf(*control.parent())] : window_;
    RECT r = boundsOf(control);
    int height = r.bottom - r.top;
    // A combo box's window includes its drop-down list.
    if (control.kind() == ControlKind::ComboBox)
        height += px(200);
    HWND window = CreateWindowExW(
        kind.exStyle, kind.className, L"", WS_CHILD | WS_CLIPSIBLINGS | kind.style, r.left, r.top,
        r.right - r.left, height, parent, reinterpret_cast<HMENU>(INT_PTR(FirstControlId + index)),
        GetModuleHandleW(nullptr), nullptr);
    controls_[index] = window;
    indices_[window] = index;
    SetPropW(window, ControlNameProperty,
             reinterpret_cast<HANDLE>(UINT_PTR(GlobalAddAtomW(wide(control.name()).c_str()))));
    if (control.kind() == ControlKind::CheckListBox)
        SetWindowSubclass(window, checkListProcedure, 0, 0);
    if (control.kind() == ControlKind::Edit)
        SetWindowSubclass(window, editProcedure, 0, 0);
    // Siblings beneath a transparent window are painted before it.
    if (kind.exStyle & WS_EX_TRANSPARENT)
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (control.kind() == ControlKind::Edit) {
        int limit = static_cast<const Edit&>(control).maxLength;
        SendMessageW(window, EM_LIMITTEXT, limit, 0);
    }
}

RECT FormWindow::boundsOf(const Control& control) const {
    // A page fills its page control: there are no tabs.
    if (control.kind() == ControlKind::TabSheet) {
        const Control& pages = *control.parent();
        return RECT{0, 0, px(pages.width), px(pages.height)};
    }
    return RECT{px(control.left), px(control.top), px(control.right()), px(control.bottom())};
}

void FormWindow::sync() {
    syncing_ = true;
    if (form_.caption != caption_) {
        caption_ = form_.caption;
        SetWindowTextW(window_, wide(caption_).c_str());
    }
    for (std::size_t i = 0; i < controls_.size(); ++i)
        syncControl(static_cast<int>(i));
    if (form_.activeControl != focused_) {
        focused_ = form_.activeControl;
        if (focused_ && focused_->showing())
            SetFocus(controls_[indexOf(*focused_)]);
    }
    syncing_ = false;
}

void FormWindow::syncControl(int index) {
    Control& control = *form_.controls()[index];
    HWND window = controls_[index];
    Applied& a = applied_[index];
    bool first = !a.done;
    a.done = true;
    if (control.kind() == ControlKind::Timer) {
        // The clock runs while the timer is enabled; a new interval restarts it.
        int interval = static_cast<const Timer&>(control).interval;
        if (first || control.enabled != a.enabled || interval != a.interval) {
            a.enabled = control.enabled;
            a.interval = interval;
            if (control.enabled && interval > 0)
                SetTimer(window_, FirstControlId + index, static_cast<UINT>(interval), nullptr);
            else
                KillTimer(window_, FirstControlId + index);
        }
        return;
    }
    bool repaint = false;

    RECT r = boundsOf(control);
    if (first || !EqualRect(&r, &a.bounds)) {
        a.bounds = r;
        int height = r.bottom - r.top + (control.kind() == ControlKind::ComboBox ? px(200) : 0);
        MoveWindow(window, r.left, r.top, r.right - r.left, height, TRUE);
    }
    const Font& font = control.effectiveFont();
    if (first || font != a.font) {
        a.font = font;
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(font)), TRUE);
        repaint = true;
    }
    std::string text = control.kind() == ControlKind::Memo
                           ? joinLines(static_cast<const Memo&>(control).lines)
                           : control.caption;
    bool isList =
        control.kind() == ControlKind::ListBox || control.kind() == ControlKind::CheckListBox;
    bool isCombo = control.kind() == ControlKind::ComboBox;
    if (isList || isCombo)
        syncItems(index);
    // Lists and fixed drop-down lists show their selected item, no text of their own.
    bool hasText = !isList && !(isCombo && static_cast<const ComboBox&>(control).style ==
                                               ComboStyle::DropDownList);
    if (hasText && (first || text != a.text)) {
        a.text = text;
        // New text puts an edit's caret at its start; a handler that rewrites
        // what the user is typing must not move it.
        bool editable = control.kind() == ControlKind::Edit || control.kind() == ControlKind::Memo;
        DWORD selectionStart = 0, selectionEnd = 0;
        if (editable && !first)
            SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
                         reinterpret_cast<LPARAM>(&selectionEnd));
        SetWindowTextW(window, wide(text).c_str());
        if (editable && !first)
            SendMessageW(window, EM_SETSEL, selectionStart, selectionEnd);
        repaint = true;
    }
    if (first || control.enabled != a.enabled) {
        a.enabled = control.enabled;
        EnableWindow(window, control.enabled);
    }

    switch (control.kind()) {
    case ControlKind::CheckBox: {
        auto state = static_cast<const CheckBox&>(control).state;
        SendMessageW(window, BM_SETCHECK,
                     state == CheckState::Checked  ? BST_CHECKED
                     : state == CheckState::Grayed ? BST_INDETERMINATE
                                                   : BST_UNCHECKED,
                     0);
        break;
    }
    case ControlKind::RadioButton:
        SendMessageW(window, BM_SETCHECK,
                     static_cast<const RadioButton&>(control).checked ? BST_CHECKED : BST_UNCHECKED,
                     0);
        break;
    case ControlKind::Edit:
    case ControlKind::Memo: {
        int selStart = control.kind() == ControlKind::Edit
                           ? static_cast<const Edit&>(control).selStart
                           : static_cast<const Memo&>(control).selStart;
        if (first || selStart != a.selStart) {
            a.selStart = selStart;
            SendMessageW(window, EM_SETSEL, selStart, selStart);
            SendMessageW(window, EM_SCROLLCARET, 0, 0);
        }
        if (control.kind() == ControlKind::Edit)
            SendMessageW(window, EM_LIMITTEXT, static_cast<const Edit&>(control).maxLength, 0);
        break;
    }
    case ControlKind::ProgressBar: {
        auto& bar = static_cast<const ProgressBar&>(control);
        if (first || bar.min != a.min || bar.max != a.max) {
            a.min = bar.min;
            a.max = bar.max;
            SendMessageW(window, PBM_SETRANGE32, bar.min, bar.max);
        }
        if (first || bar.position != a.position) {
            a.position = bar.position;
            SendMessageW(window, PBM_SETPOS, bar.position, 0);
        }
        break;
    }
    case ControlKind::Picture: {
        const char* bitmap = static_cast<const Picture&>(control).bitmap.data();
        repaint = repaint || bitmap != a.bitmap;
        a.bitmap = bitmap;
        break;
    }
    default:
        break;
    }

    bool visible = control.visible;
    if (control.kind() == ControlKind::TabSheet)
        visible =
            visible && static_cast<const TabSheet&>(control).pageControl().activePage == &control;
    if (first || visible != a.visible) {
        a.visible = visible;
        ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    }
    if (control.hint != a.hint)
        syncHint(index);
    if (repaint && (drawnHere(control) || control.kind() == ControlKind::Label))
        InvalidateRect(window, nullptr, TRUE);
}

void FormWindow::syncHint(int index) {
    const Control& control = *form_.controls()[index];
    Applied& a = applied_[index];
    if (!tooltip_)
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    std::wstring text = wide(control.hint);
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(controls_[index]);
    tool.lpszText = text.data();
    if (a.hint.empty())
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    else if (control.hint.empty())
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    else
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    a.hint = control.hint;
}

void FormWindow::syncItems(int index) {
    Control& control = *form_.controls()[index];
    HWND window = controls_[index];
    Applied& a = applied_[index];
    bool combo = control.kind() == ControlKind::ComboBox;
    const std::vector<std::string>& items = combo ? static_cast<const ComboBox&>(control).items
                                            : control.kind() == ControlKind::ListBox
                                                ? static_cast<const ListBox&>(control).items
                                                : static_cast<const CheckListBox&>(control).items;
    int itemIndex = combo ? static_cast<const ComboBox&>(control).itemIndex
                    : control.kind() == ControlKind::ListBox
                        ? static_cast<const ListBox&>(control).itemIndex
                        : static_cast<const CheckListBox&>(control).itemIndex;
    if (items != a.items) {
        a.items = items;
        a.index = -2;
        a.states.clear();
        SendMessageW(window, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
        for (const std::string& item : items)
            SendMessageW(window, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(wide(item).c_str()));
    }
    if (control.kind() == ControlKind::CheckListBox) {
        const auto& states = static_cast<const CheckListBox&>(control).states;
        if (states != a.states) {
            a.states = states;
            for (std::size_t i = 0; i < states.size() && i < items.size(); ++i)
                SendMessageW(window, LB_SETITEMDATA, i, static_cast<LPARAM>(states[i]));
            InvalidateRect(window, nullptr, TRUE);
        }
    }
    if (itemIndex != a.index) {
        a.index = itemIndex;
        SendMessageW(window, combo ? CB_SETCURSEL : LB_SETCURSEL, itemIndex, 0);
    }
}

void FormWindow::readFocus() {
    int index = indexOf(GetFocus());
    if (index < 0)
        return;
    focused_ = form_.controls()[index];
    form_.activeControl = focused_;
}

void FormWindow::command(HWND window, int code) {
    int index = indexOf(window);
    if (index < 0 || syncing_)
        return;
    Control& control = *form_.controls()[index];
    Applied& a = applied_[index];
    readFocus();
    switch (control.kind()) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
        if (code == BN_CLICKED)
            control.click();
        break;
    case ControlKind::RadioButton:
        if (code == BN_CLICKED)
            control.click();
        else if (code == BN_DOUBLECLICKED)
            control.doubleClick();
        break;
    case ControlKind::Label:
    case ControlKind::StaticText:
        if (code == STN_CLICKED)
            control.click();
        else if (code == STN_DBLCLK)
            control.doubleClick();
        break;
    case ControlKind::Edit:
        if (code == EN_CHANGE) {
            auto& edit = static_cast<Edit&>(control);
            a.text = windowText(window);
            DWORD caret = 0;
            SendMessageW(window, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
            edit.enterText(a.text);
            a.selStart = edit.selStart = static_cast<int>(caret);
        }
        break;
    case ControlKind::ListBox:
    case ControlKind::CheckListBox:
        if (code == LBN_SELCHANGE) {
            a.index = static_cast<int>(SendMessageW(window, LB_GETCURSEL, 0, 0));
            if (control.kind() == ControlKind::ListBox)
                static_cast<ListBox&>(control).select(a.index);
            else
                static_cast<CheckListBox&>(control).select(a.index);
        } else if (code == LBN_DBLCLK) {
            control.doubleClick();
        }
        break;
    case ControlKind::ComboBox: {
        auto& combo = static_cast<ComboBox&>(control);
        if (code == CBN_SELCHANGE) {
            a.index = static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
            if (a.index >= 0 && a.index < static_cast<int>(combo.items.size()))
                a.text = combo.items[a.index];
            combo.select(a.index);
        } else if (code == CBN_EDITCHANGE) {
            a.text = combo.caption = windowText(window);
            if (combo.onChange)
                combo.onChange();
        }
        break;
    }
    default:
        break;
    }
    sync();
}

void FormWindow::toggleCheck(HWND list, int item) {
    int index = indexOf(list);
    if (index < 0 || item < 0)
        return;
    readFocus();
    auto& checkList = static_cast<CheckListBox&>(*form_.controls()[index]);
    applied_[index].index = item; // the list box has selected it already
    checkList.toggle(item);
    sync();
}

std::optional<char16_t> FormWindow::filterCharacter(HWND edit, WPARAM character, LPARAM keyData) {
    int index = indexOf(edit);
    if (index < 0)
        return static_cast<char16_t>(character);
    // The key under the current layout: on a Russian keyboard the key of "к"
    // is still R. Characters that no key produced carry no scan code.
    UINT scanCode = (keyData >> 16) & 0xFF;
    auto key = static_cast<Key>(scanCode ? MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK) : 0);
    Shift shift{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0, GetKeyState(VK_CONTROL) < 0};
    return static_cast<const Edit&>(*form_.controls()[index])
        .filterCharacter(static_cast<char16_t>(character), key, shift);
}

bool FormWindow::handleKey(const MSG& message) {
    if (message.message == WM_CHAR) {
        form_.keyPress(static_cast<char16_t>(message.wParam));
        sync();
        return false;
    }
    // A keyboard sends F10 as a system key, which the system takes for the
    // menu key: it would leave the window in menu mode, waiting for a menu
    // it does not have, and swallow the next keys. Here plain F10 is a
    // function key like the others, so the system never sees it (Shift+F10
    // keeps its context menu).
    const bool altHeld = (message.lParam & (1 << 29)) != 0;
    const bool menuKey = message.wParam == VK_F10 && !altHeld && GetKeyState(VK_SHIFT) >= 0;
    if (message.message == WM_SYSKEYUP)
        return menuKey;
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return false;
    auto key = static_cast<Key>(message.wParam);
    Shift shift{GetKeyState(VK_SHIFT) < 0, message.message == WM_SYSKEYDOWN && altHeld,
                GetKeyState(VK_CONTROL) < 0};
    readFocus();
    if (key == KeyTab && !shift.alt && !shift.ctrl) {
        if (HWND next = GetNextDlgTabItem(window_, GetFocus(), shift.shift))
            SetFocus(next);
        readFocus();
        return true;
    }
    if ((key == KeyReturn || key == KeyEscape) && shift.none()) {
        // An open drop-down list closes itself first.
        HWND focus = GetFocus();
        HWND combo = GetParent(focus);
        if (SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0) ||
            (owns(combo) && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)))
            return false;
    }
    bool used = form_.keyDown(key, shift);
    sync();
    return used || (message.message == WM_SYSKEYDOWN && menuKey);
}

LRESULT FormWindow::controlColor(HDC dc, HWND window, UINT message) {
    int index = indexOf(window);
    if (index >= 0)
        SetTextColor(dc, form_.controls()[index]->effectiveFont().color);
    if (index >= 0 && form_.controls()[index]->kind() == ControlKind::Label &&
        static_cast<const Label*>(form_.controls()[index])->transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    bool document = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ||
                    (index >= 0 && form_.controls()[index]->kind() == ControlKind::Memo);
    int background = document ? COLOR_WINDOW : COLOR_BTNFACE;
    SetBkColor(dc, GetSysColor(background));
    SetBkMode(dc, document ? OPAQUE : TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

bool FormWindow::setCursor(HWND window) {
    int index = indexOf(window);
    if (index < 0 || form_.controls()[index]->cursor != Cursor::HandPoint)
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void FormWindow::paint(HWND window, int index) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const Control& control = *form_.controls()[index];
    if (control.kind() == ControlKind::Panel) {
        auto bevel = static_cast<const Panel&>(control).bevel;
        if (bevel != Bevel::None)
            DrawEdge(dc, &r, bevel == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        const Font& font = control.effectiveFont();
        HGDIOBJ previous = SelectObject(dc, fontFor(font));
        SetTextColor(dc, font.color);
        SetBkMode(dc, TRANSPARENT);
        std::wstring text = wide(control.caption);
        DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, previous);
    } else if (control.kind() == ControlKind::Picture) {
        auto& picture = static_cast<const Picture&>(control);
        if (picture.framed) {
            DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        }
        // A bitmap file: file header, then the bitmap's header and bits.
        std::string_view bmp = picture.bitmap;
        if (bmp.size() > sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) && bmp[0] == 'B' &&
            bmp[1] == 'M') {
            BITMAPFILEHEADER file;
            std::memcpy(&file, bmp.data(), sizeof file);
            auto* info = reinterpret_cast<const BITMAPINFO*>(bmp.data() + sizeof file);
            int w = info->bmiHeader.biWidth;
            int h = std::abs(info->bmiHeader.biHeight);
            if (file.bfOffBits < bmp.size()) {
                RECT target =
                    picture.stretch ? r : RECT{r.left, r.top, r.left + px(w), r.top + px(h)};
                SetStretchBltMode(dc, HALFTONE);
                StretchDIBits(dc, target.left, target.top, target.right - target.left,
                              target.bottom - target.top, 0, 0, w, h, bmp.data() + file.bfOffBits,
                              info, DIB_RGB_COLORS, SRCCOPY);
            }
        }
    }
    EndPaint(window, &ps);
}

void FormWindow::drawCheckItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1))
        return;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    auto state =
        static_cast<CheckState>(SendMessageW(item.hwndItem, LB_GETITEMDATA, item.itemID, 0));
    int box = px(CheckBoxSize);
    RECT check{r.left + px(CheckBoxMargin), r.top + (r.bottom - r.top - box) / 2, 0, 0};
    check.right = check.left + box;
    check.bottom = check.top + box;
    UINT look = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (state == CheckState::Checked)
        look |= DFCS_CHECKED;
    else if (state == CheckState::Grayed)
        look = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
    DrawFrameControl(dc, &check, DFC_BUTTON, look);

    int length = static_cast<int>(SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0));
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    RECT label = r;
    label.left = check.right + px(4);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, text.c_str(), -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &r);
}

LRESULT FormWindow::handleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam)
            command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_TIMER: {
        int index = static_cast<int>(wParam) - FirstControlId;
        if (index >= 0 && index < static_cast<int>(form_.controls().size()) &&
            form_.controls()[index]->kind() == ControlKind::Timer) {
            static_cast<Timer*>(form_.controls()[index])->elapse();
            sync();
        }
        return 0;
    }
    case WM_ACTIVATE:
        // FormActivate runs once the activation is complete and the window
        // drawn, from the queue.
        if (LOWORD(wParam) != WA_INACTIVE)
            PostMessageW(window_, ActivatedMessage, 0, 0);
        // The focus leaves with the window and comes back to the same control
        // (the system would give it to the window itself).
        if (LOWORD(wParam) == WA_INACTIVE) {
            readFocus();
        } else if (focused_ && focused_->showing()) {
            SetFocus(controls_[indexOf(*focused_)]);
            return 0;
        }
        break;
    case WM_MOVE: {
        // The model follows the window wherever the user drags it.
        RECT frame{};
        GetWindowRect(window_, &frame);
        form_.left = MulDiv(frame.left, 96, dpi_);
        form_.top = MulDiv(frame.top, 96, dpi_);
        break;
    }
    case ActivatedMessage:
        UpdateWindow(window_);
        form_.FormActivate();
        sync();
        return 0;
    case WM_CLOSE:
        // The close box, Alt+F4 and the system menu close it as Close does.
        form_.close();
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return controlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
    case WM_SETCURSOR:
        if (setCursor(reinterpret_cast<HWND>(wParam)))
            return TRUE;
        break;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        int index = static_cast<int>(item->CtlID) - FirstControlId;
        if (index >= 0 && index < static_cast<int>(form_.controls().size())) {
            int height = form_.controls()[index]->effectiveFont().height;
            item->itemHeight = static_cast<UINT>(px(std::max(height * 5 / 4, CheckBoxSize) + 3));
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_LISTBOX) {
            drawCheckItem(*item);
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

template <class Work> LRESULT FormWindow::guarded(Work&& work) {
    try {
        return work();
    } catch (...) {
        if (!failure_)
            failure_ = std::current_exception();
        // The modal loop may be waiting for a message: wake it to end.
        PostMessageW(window_, WM_NULL, 0, 0);
        return 0;
    }
}

LRESULT CALLBACK FormWindow::formProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormWindow*>(created->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || message == WM_NCDESTROY) {
        if (message == WM_NCDESTROY)
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->guarded([&] { return self->handleFormMessage(message, wParam, lParam); });
}

LRESULT CALLBACK FormWindow::containerProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    FormWindow* self = of(window);
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // Events of the controls inside go to the form, as if they sat on it.
        if (self)
            return self->guarded([&] { return self->handleFormMessage(message, wParam, lParam); });
        break;
    case WM_SETCURSOR:
        if (self && self->setCursor(reinterpret_cast<HWND>(wParam)))
            return TRUE;
        break;
    case WM_PAINT:
        if (self && self->indexOf(window) >= 0) {
            self->paint(window, self->indexOf(window));
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return TRUE; // painted whole in WM_PAINT
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR) {
    if (message == WM_CHAR) {
        FormWindow* self = of(window);
        std::optional<char16_t> typed = static_cast<char16_t>(wParam);
        if (self)
            self->guarded([&] {
                typed = self->filterCharacter(window, wParam, lParam);
                return LRESULT(0);
            });
        if (!typed)
            return 0;
        wParam = *typed;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, editProcedure, 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::checkListProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR) {
    FormWindow* self = of(window);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        int x = static_cast<short>(LOWORD(lParam));
        LRESULT hit = SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam);
        if (self && HIWORD(hit) == 0 &&
            x < self->px(CheckBoxMargin + CheckBoxSize + CheckBoxMargin))
            self->guarded([&] {
                self->toggleCheck(window, LOWORD(hit));
                return LRESULT(0);
            });
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && self) {
            return self->guarded([&] {
                self->toggleCheck(window,
                                  static_cast<int>(SendMessageW(window, LB_GETCURSEL, 0, 0)));
                return LRESULT(0);
            });
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, checkListProcedure, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace qz::ui::win32
