// Drives the windows of a program running under Wine, one command per run:
//   qz4_ui_driver wait-window <class> [seconds]     wait until such a window is visible
//   qz4_ui_driver wait-gone <class> [seconds]       wait until it is gone
//   qz4_ui_driver rect <class>                      print its frame as WxH+X+Y
//   qz4_ui_driver x-window <class>                  print the X window that Wine made for it,
//                                                   for real input through the X server
//   qz4_ui_driver caption <class>                   print its caption
//   qz4_ui_driver get <class> <control> <property>  print text, enabled, visible, check,
//                                                   items, selected, position or focused
//   qz4_ui_driver expect <class> <control> <property> <value>
//   qz4_ui_driver expect-caption <class> <text>
//   qz4_ui_driver click|dblclick <class> <control>
//   qz4_ui_driver select <class> <control> <index>  select a list or combo box item
//   qz4_ui_driver toggle <class> <control> <index>  click a check-list item's check box
//   qz4_ui_driver type <class> <control> <text>     replace the text by typing it
//   qz4_ui_driver key <class> <key>                 F1..F12, Esc, Enter, Tab, Space, Alt+F4
//   qz4_ui_driver keystroke <class> <control> <key> <character>
//                                                   a letter or digit key (A..Z, 0..9) that
//                                                   gives <character>, as another keyboard
//                                                   layout would
//   qz4_ui_driver paste <class> <control> <text>    put the text on the clipboard and press
//                                                   Ctrl+V in the control as a user does
//   qz4_ui_driver caret <class> <control>           print an edit's caret position
//   qz4_ui_driver answer <button> [text]            press OK, Cancel, Yes, No or Retry on the
//                                                   open message box (or folder dialog), after
//                                                   checking that its text holds [text]
//   qz4_ui_driver link <path>                       print a shortcut's target, arguments and
//                                                   working folder, one a line
//   qz4_ui_driver dialog-edit <text>                type into the open system dialog's edit box
// Message boxes are found by their system class "#32770". Exit codes: 0 done,
// 1 an expectation failed, 2 a window or control was not found or the command
// was wrong.
#include "platform/win32/Win32Shell.h"
#include "ui/win32/ControlName.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <windows.h>
// After windows.h.
#include <commctrl.h>

namespace {

std::wstring wide(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string narrow(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

[[noreturn]] void fail(int code, const std::string& message) {
    std::fprintf(stderr, "qz4_ui_driver: %s\n", message.c_str());
    std::exit(code);
}

// Messages to another process's windows; a hung program is a failure, not a hang.
LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result))
        fail(2, "the program does not answer");
    return static_cast<LRESULT>(result);
}

std::string textOf(HWND window) {
    int length = static_cast<int>(ask(window, WM_GETTEXTLENGTH));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return narrow(text.c_str());
}

std::string classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return narrow(name);
}

HWND findWindow(const std::string& className, double seconds) {
    for (DWORD start = GetTickCount();;) {
        HWND window = FindWindowW(wide(className).c_str(), nullptr);
        if (window && IsWindowVisible(window))
            return window;
        if (GetTickCount() - start > seconds * 1000)
            return nullptr;
        Sleep(100);
    }
}

HWND windowOrFail(const std::string& className) {
    HWND window = findWindow(className, 10);
    if (!window)
        fail(2, "no window of class " + className);
    return window;
}

struct Search {
    std::wstring name;
    HWND found = nullptr;
};

BOOL CALLBACK matchName(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    auto atom = static_cast<ATOM>(
        reinterpret_cast<UINT_PTR>(GetPropW(child, qz::ui::win32::ControlNameProperty)));
    wchar_t name[256] = {};
    if (atom && GlobalGetAtomNameW(atom, name, 256) && search->name == name) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND controlOrFail(HWND window, const std::string& name) {
    Search search{wide(name)};
    EnumChildWindows(window, matchName, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        fail(2, "no control named " + name);
    return search.found;
}

std::string listItems(HWND control, bool combo) {
    int count = static_cast<int>(ask(control, combo ? CB_GETCOUNT : LB_GETCOUNT));
    bool checkList = !combo && (GetWindowLongW(control, GWL_STYLE) & LBS_OWNERDRAWFIXED);
    std::string items;
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(ask(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ask(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items += (i ? "|" : "") + narrow(text.c_str());
        if (checkList) {
            static const char* states[] = {"unchecked", "checked", "grayed"};
            items += std::string("=") + states[ask(control, LB_GETITEMDATA, i) % 3];
        }
    }
    return items;
}

// The window with the keyboard focus in the thread that owns the given one.
HWND focusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

std::string property(HWND control, const std::string& name) {
    std::string kind = classOf(control);
    bool combo = kind == "ComboBox";
    if (name == "text")
        return textOf(control);
    if (name == "enabled")
        return IsWindowEnabled(control) ? "true" : "false";
    if (name == "visible")
        return IsWindowVisible(control) ? "true" : "false";
    if (name == "check") {
        LRESULT state = ask(control, BM_GETCHECK);
        return state == BST_CHECKED         ? "checked"
               : state == BST_INDETERMINATE ? "grayed"
                                            : "unchecked";
    }
    if (name == "items")
        return listItems(control, combo);
    if (name == "position")
        return std::to_string(ask(control, PBM_GETPOS));
    if (name == "selected")
        return std::to_string(ask(control, combo ? CB_GETCURSEL : LB_GETCURSEL));
    if (name == "focused")
        return focusOf(control) == control ? "true" : "false";
    fail(2, "unknown property " + name);
}

void postClick(HWND control, UINT message, POINT at) {
    PostMessageW(control, message, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    if (message == WM_LBUTTONDOWN)
        PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

POINT itemPoint(HWND list, int index, int x) {
    RECT item{};
    ask(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    return POINT{x, (item.top + item.bottom) / 2};
}

void click(HWND control, bool twice) {
    std::string kind = classOf(control);
    if (kind == "Button" && !twice) {
        PostMessageW(control, BM_CLICK, 0, 0);
    } else if (kind == "ListBox") {
        int selected = static_cast<int>(ask(control, LB_GETCURSEL));
        POINT at = itemPoint(control, selected < 0 ? 0 : selected, 40);
        postClick(control, WM_LBUTTONDOWN, at);
        if (twice)
            postClick(control, WM_LBUTTONDBLCLK, at);
    } else {
        postClick(control, WM_LBUTTONDOWN, POINT{2, 2});
        if (twice)
            postClick(control, WM_LBUTTONDBLCLK, POINT{2, 2});
    }
}

void select(HWND control, int index) {
    bool combo = classOf(control) == "ComboBox";
    ask(control, combo ? CB_SETCURSEL : LB_SETCURSEL, index);
    PostMessageW(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control), combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
}

void type(HWND control, const std::string& text) {
    ask(control, EM_SETSEL, 0, -1);
    for (wchar_t c : wide(text))
        PostMessageW(control, WM_CHAR, c, 1);
}

void pressKey(HWND window, const std::string& name) {
    static const std::map<std::string, UINT> keys = {
        {"Esc", VK_ESCAPE}, {"Enter", VK_RETURN}, {"Tab", VK_TAB}, {"Space", VK_SPACE},
        {"F1", VK_F1},      {"F2", VK_F2},        {"F3", VK_F3},   {"F4", VK_F4},
        {"F5", VK_F5},      {"F6", VK_F6},        {"F7", VK_F7},   {"F8", VK_F8},
        {"F9", VK_F9},      {"F10", VK_F10},      {"F11", VK_F11}, {"F12", VK_F12}};
    bool alt = name.rfind("Alt+", 0) == 0;
    auto key = keys.find(alt ? name.substr(4) : name);
    if (key == keys.end())
        fail(2, "unknown key " + name);
    // Keys go where the user's keys would: to the window with the focus.
    HWND focus = focusOf(window);
    HWND target = focus ? focus : window;
    UINT scan = MapVirtualKeyW(key->second, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (scan << 16) | (alt ? 1 << 29 : 0);
    PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key->second, down);
    PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, key->second, down | (1u << 30) | (1u << 31));
}

// A key of a layout that gives another character than its name: the
// character arrives with the key's scan code, as the system's translation of
// that key would send it. (A key-down message posted as well would be
// translated once more, under this keyboard's own layout.)
void keystroke(HWND control, const std::string& key, const std::string& character) {
    if (key.size() != 1 || !std::isalnum(static_cast<unsigned char>(key[0])))
        fail(2, "keystroke takes a letter or digit key");
    UINT vk = static_cast<UINT>(std::toupper(static_cast<unsigned char>(key[0])));
    LPARAM keyData = 1 | (MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
    for (wchar_t c : wide(character))
        PostMessageW(control, WM_CHAR, c, keyData);
}

// Ctrl+V as real keyboard input, so that the program sees Ctrl held.
void paste(HWND window, HWND control, const std::string& text) {
    std::wstring w = wide(text);
    if (!OpenClipboard(nullptr))
        fail(2, "the clipboard cannot be opened");
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SetForegroundWindow(window);
    if (focusOf(window) != control)
        fail(2, "the control does not have the focus");
    INPUT keys[4] = {};
    WORD codes[4] = {VK_CONTROL, 'V', 'V', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(codes[i], MAPVK_VK_TO_VSC));
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    if (SendInput(4, keys, sizeof(INPUT)) != 4)
        fail(2, "the keys cannot be sent");
}

BOOL CALLBACK collectButtons(HWND child, LPARAM data) {
    if (classOf(child) == "Button" && IsWindowVisible(child))
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return TRUE;
}

BOOL CALLBACK findEdit(HWND child, LPARAM data) {
    if (classOf(child) == "Edit" && IsWindowVisible(child)) {
        *reinterpret_cast<HWND*>(data) = child;
        return FALSE;
    }
    return TRUE;
}

int answer(const std::string& button, const std::string& expected) {
    static const std::map<std::string, int> ids = {
        {"OK", IDOK}, {"Cancel", IDCANCEL}, {"Yes", IDYES}, {"No", IDNO}, {"Retry", IDRETRY}};
    auto id = ids.find(button);
    if (id == ids.end())
        fail(2, "unknown button " + button);
    HWND box = windowOrFail("#32770");
    std::wstring text(4096, L'\0');
    GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
    std::string message = narrow(text.c_str());
    std::printf("caption: %s\ntext: %s\n", textOf(box).c_str(), message.c_str());
    std::vector<HWND> buttons;
    EnumChildWindows(box, collectButtons, reinterpret_cast<LPARAM>(&buttons));
    for (HWND b : buttons)
        std::printf("button %d: %s\n", GetDlgCtrlID(b), textOf(b).c_str());
    if (!expected.empty() && message.find(expected) == std::string::npos)
        fail(1, "the message box does not say \"" + expected + "\"");
    HWND target = GetDlgItem(box, id->second);
    if (!target)
        fail(2, "the box has no " + button + " button");
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id->second, BN_CLICKED),
                 reinterpret_cast<LPARAM>(target));
    return 0;
}

int expectEqual(const std::string& what, const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return 0;
    std::fprintf(stderr, "qz4_ui_driver: %s is \"%s\", expected \"%s\"\n", what.c_str(),
                 actual.c_str(), expected.c_str());
    return 1;
}

int run(const std::vector<std::string>& a) {
    auto arg = [&](std::size_t i) {
        if (i >= a.size())
            fail(2, "missing argument for " + a[0]);
        return a[i];
    };
    const std::string& command = a.at(0);
    if (command == "wait-window")
        return findWindow(arg(1), a.size() > 2 ? std::stod(a[2]) : 30) ? 0 : 2;
    if (command == "wait-gone") {
        for (DWORD start = GetTickCount(); findWindow(arg(1), 0);) {
            if (GetTickCount() - start > (a.size() > 2 ? std::stod(a[2]) : 30) * 1000)
                fail(1, "the window " + a[1] + " stays open");
            Sleep(100);
        }
        return 0;
    }
    if (command == "link") {
        std::optional<qz::ShellLink> link = qz::Win32Shell().readShortcut(arg(1));
        if (!link)
            fail(2, "not a shortcut: " + a[1]);
        std::printf("target: %s\narguments: %s\nfolder: %s\n", link->target.c_str(),
                    link->arguments.c_str(), link->workingDirectory.c_str());
        return 0;
    }
    if (command == "answer")
        return answer(arg(1), a.size() > 2 ? a[2] : "");
    if (command == "dialog-edit") {
        HWND box = windowOrFail("#32770");
        HWND edit = nullptr;
        EnumChildWindows(box, findEdit, reinterpret_cast<LPARAM>(&edit));
        if (!edit)
            fail(2, "the dialog has no edit box");
        std::wstring text = wide(arg(1));
        ask(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return 0;
    }
    HWND window = windowOrFail(arg(1));
    if (command == "rect") {
        RECT r{};
        GetWindowRect(window, &r);
        std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
        return 0;
    }
    if (command == "x-window") {
        // Wine keeps the X window of a top-level window in this property.
        auto id = reinterpret_cast<std::uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
        if (!id)
            fail(2, "no X window for " + a[1]);
        std::printf("%llu\n", static_cast<unsigned long long>(id));
        return 0;
    }
    if (command == "caption") {
        std::printf("%s\n", textOf(window).c_str());
        return 0;
    }
    if (command == "expect-caption")
        return expectEqual("the caption of " + a[1], textOf(window), arg(2));
    if (command == "key") {
        pressKey(window, arg(2));
        return 0;
    }
    HWND control = controlOrFail(window, arg(2));
    if (command == "get") {
        std::printf("%s\n", property(control, arg(3)).c_str());
        return 0;
    }
    if (command == "expect")
        return expectEqual(a[2] + " " + arg(3), property(control, a[3]), arg(4));
    if (command == "click" || command == "dblclick") {
        click(control, command == "dblclick");
        return 0;
    }
    if (command == "select") {
        select(control, std::stoi(arg(3)));
        return 0;
    }
    if (command == "toggle") {
        postClick(control, WM_LBUTTONDOWN, itemPoint(control, std::stoi(arg(3)), 4));
        return 0;
    }
    if (command == "type") {
        type(control, arg(3));
        return 0;
    }
    if (command == "keystroke") {
        keystroke(control, arg(3), arg(4));
        return 0;
    }
    if (command == "paste") {
        paste(window, control, arg(3));
        return 0;
    }
    if (command == "caret") {
        // Only the answer travels between processes, not pointers.
        std::printf("%u\n", static_cast<unsigned>(LOWORD(ask(control, EM_GETSEL))));
        return 0;
    }
    fail(2, "unknown command " + command);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(narrow(argv[i]));
    if (args.empty())
        fail(2, "no command");
    int code = run(args);
    // Posted input is handled by the program in its own time; give it that.
    Sleep(150);
    return code;
}
