#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/WideString.h"

#include <algorithm>
#include <stdexcept>

#include <windows.h>
// The shell headers come after windows.h.
#include <commctrl.h>
#include <commdlg.h>

namespace qz {
namespace {

using win32::narrow;
using win32::wide;

// Message boxes take their button captions from the system. A thread hook
// renames the buttons of the box about to open to the standard texts (and
// makes sure its text fits).
struct ButtonCaptions {
    std::wstring cancel, yes, no, retry;
};
thread_local HHOOK captionHook = nullptr;
thread_local const ButtonCaptions* pendingCaptions = nullptr;

BOOL CALLBACK moveButton(HWND child, LPARAM offset) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (std::wstring(className) == L"Button") {
        auto* by = reinterpret_cast<const POINT*>(offset);
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + by->x, r.top + by->y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

// Some systems size the box or its text for another font than the one the
// text is drawn in, and its end is cut off. Measured with the text's own
// font, the text and the box get the room they need; the buttons move down
// and stay centred.
void fitText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!text)
        return;
    RECT has;
    GetClientRect(text, &has);
    std::wstring content(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
    GetWindowTextW(text, content.data(), static_cast<int>(content.size()));
    HDC dc = GetDC(text);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
    // Drawing may overhang the measure by a little: one average character
    // more keeps the last one whole.
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    RECT needs = has;
    DrawTextW(dc, content.c_str(), -1, &needs,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    needs.right += metrics.tmAveCharWidth;
    SelectObject(dc, previous);
    ReleaseDC(text, dc);

    // The text keeps the margin on its right that it has on its left.
    RECT place, client;
    GetWindowRect(text, &place);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
    GetClientRect(box, &client);
    LONG wider = std::max(0L, needs.right - has.right);
    LONG taller = std::max(0L, needs.bottom - has.bottom);
    LONG boxWider = std::max(0L, place.right + wider + place.left / 2 - client.right);
    if (wider == 0 && taller == 0 && boxWider == 0)
        return;
    SetWindowPos(text, nullptr, 0, 0, place.right - place.left + wider,
                 place.bottom - place.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    POINT by{boxWider / 2, taller};
    EnumChildWindows(box, moveButton, reinterpret_cast<LPARAM>(&by));
    RECT frame;
    GetWindowRect(box, &frame);
    SetWindowPos(box, nullptr, frame.left - boxWider / 2, frame.top - taller / 2,
                 frame.right - frame.left + boxWider, frame.bottom - frame.top + taller,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK fitAfterLayout(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(box, fitAfterLayout, 0);
    LRESULT result = DefSubclassProc(box, message, wParam, lParam);
    if (message == WM_SHOWWINDOW && wParam)
        fitText(box);
    return result;
}

LRESULT CALLBACK renameButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && pendingCaptions) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(box, className, 16);
        if (std::wstring(className) == L"#32770") {
            SetDlgItemTextW(box, IDCANCEL, pendingCaptions->cancel.c_str());
            SetDlgItemTextW(box, IDYES, pendingCaptions->yes.c_str());
            SetDlgItemTextW(box, IDNO, pendingCaptions->no.c_str());
            SetDlgItemTextW(box, IDRETRY, pendingCaptions->retry.c_str());
            pendingCaptions = nullptr;
            // Some systems lay the box out only after it is activated:
            // the text is fitted again when the box appears.
            fitText(box);
            SetWindowSubclass(box, fitAfterLayout, 0, 0);
        }
    }
    return CallNextHookEx(captionHook, code, wParam, lParam);
}

// The button sets a system message box offers, in their order on the box.
// Retry and Ignore alone have no box of their own: the Retry/Cancel box
// serves, its Cancel button named and answering as Ignore (closing the box
// is then Ignore too, which is what a user who walks away means).
struct ButtonSet {
    UINT style;
    std::vector<DialogButton> buttons;
    DialogButton cancelMeans = DialogButton::Cancel;
};
const ButtonSet buttonSets[] = {
    {MB_OK, {DialogButton::Ok}},
    {MB_OKCANCEL, {DialogButton::Ok, DialogButton::Cancel}},
    {MB_YESNO, {DialogButton::Yes, DialogButton::No}},
    {MB_YESNOCANCEL, {DialogButton::Yes, DialogButton::No, DialogButton::Cancel}},
    {MB_RETRYCANCEL, {DialogButton::Retry, DialogButton::Cancel}},
    {MB_RETRYCANCEL, {DialogButton::Retry, DialogButton::Ignore}, DialogButton::Ignore},
    {MB_ABORTRETRYIGNORE, {DialogButton::Abort, DialogButton::Retry, DialogButton::Ignore}},
};

DialogButton fromCommand(int id, DialogButton cancelMeans) {
    switch (id) {
    case IDOK:
        return DialogButton::Ok;
    case IDYES:
        return DialogButton::Yes;
    case IDNO:
        return DialogButton::No;
    case IDABORT:
        return DialogButton::Abort;
    case IDRETRY:
        return DialogButton::Retry;
    case IDIGNORE:
        return DialogButton::Ignore;
    default:
        return cancelMeans;
    }
}

// The title a program without its own shows: its file name without extension.
std::wstring programTitle() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

} // namespace

DialogButton Win32Dialogs::showMessage(const MessageRequest& request) {
    const ButtonSet* set = nullptr;
    for (const ButtonSet& candidate : buttonSets)
        if (candidate.buttons == request.buttons)
            set = &candidate;
    if (!set)
        throw std::invalid_argument("no message box offers this set of buttons");

    UINT style = set->style | MB_SETFOREGROUND;
    std::string caption;
    switch (request.kind) {
    case MessageKind::Warning:
        style |= MB_ICONWARNING;
        caption = texts_.warningCaption;
        break;
    case MessageKind::Error:
        style |= MB_ICONERROR;
        caption = texts_.errorCaption;
        break;
    case MessageKind::Information:
        style |= MB_ICONINFORMATION;
        caption = texts_.informationCaption;
        break;
    case MessageKind::Confirmation:
        style |= MB_ICONQUESTION;
        caption = texts_.confirmationCaption;
        break;
    case MessageKind::Plain:
        caption = request.caption;
        break;
    }
    for (std::size_t i = 0; i < set->buttons.size(); ++i)
        if (set->buttons[i] == request.defaultButton)
            style |= static_cast<UINT>(i) * MB_DEFBUTTON2;
    HWND owner = GetActiveWindow();
    if (!owner)
        style |= MB_TASKMODAL;

    ButtonCaptions captions{
        wide(set->cancelMeans == DialogButton::Ignore ? texts_.ignoreButton : texts_.cancelButton),
        wide(texts_.yesButton), wide(texts_.noButton), wide(texts_.retryButton)};
    std::wstring title = caption.empty() ? programTitle() : wide(caption);
    pendingCaptions = &captions;
    captionHook = SetWindowsHookExW(WH_CBT, renameButtons, nullptr, GetCurrentThreadId());
    int pressed = MessageBoxW(owner, wide(request.text).c_str(), title.c_str(), style);
    UnhookWindowsHookEx(captionHook);
    captionHook = nullptr;
    pendingCaptions = nullptr;
    return fromCommand(pressed, set->cancelMeans);
}

std::optional<std::string> Win32Dialogs::openFile(const OpenFileRequest& request) {
    // "description|pattern|..." becomes "description\0pattern\0...\0\0".
    std::wstring filter = wide(request.filter);
    for (wchar_t& c : filter)
        if (c == L'|')
            c = L'\0';
    filter.append(2, L'\0');
    std::wstring title = wide(request.title);
    std::wstring folder = wide(request.initialDirectory);
    std::wstring file = wide(request.fileName);
    file.resize(32768, L'\0');
    std::wstring extension = wide(request.defaultExtension);

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING |
                   (request.fileMustExist ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0);
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt;
    return narrow(file.c_str());
}

std::optional<std::string> Win32Dialogs::selectFolder(const SelectFolderRequest& request) {
    return presenter().selectFolder(request);
}

DialogButton Win32Dialogs::showModal(ModalWindow& window) {
    return presenter().showModal(window);
}

FormPresenter& Win32Dialogs::presenter() const {
    if (!presenter_)
        throw std::logic_error("no window presenter: the Win32 renderer was not created");
    return *presenter_;
}

void Win32Dialogs::processMessages() {
    if (presenter_)
        presenter_->refresh();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The modal loops that own the queue see the quit request too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Dialogs::terminateApplication() {
    terminated_ = true;
    PostQuitMessage(0);
}

int Win32Dialogs::textWidth(const std::string& text, const FontSpec& font) const {
    // Measured at 96 dots per inch, the unit all window layouts are given in.
    HFONT handle = CreateFontW(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH, wide(font.name).c_str());
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, handle);
    std::wstring w = wide(text);
    SIZE size = {};
    GetTextExtentPoint32W(screen, w.c_str(), static_cast<int>(w.size()), &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(handle);
    return size.cx;
}

} // namespace qz
