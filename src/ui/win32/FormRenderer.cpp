#include "ui/win32/FormRenderer.h"

#include "platform/win32/WideString.h"
#include "ui/SelectDirectoryForm.h"
#include "ui/win32/FormWindow.h"

#include <commctrl.h>

namespace qz::ui::win32 {

FormRenderer::FormRenderer(Win32Dialogs& dialogs, FileSystem& files)
    : dialogs_(dialogs), files_(files) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW container = {};
    container.cbSize = sizeof container;
    container.lpfnWndProc = FormWindow::containerProcedure;
    container.hInstance = GetModuleHandleW(nullptr);
    container.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    container.lpszClassName = L"QZ4Container";
    RegisterClassExW(&container);
    dialogs_.setFormPresenter(this);
}

FormRenderer::~FormRenderer() {
    dialogs_.setFormPresenter(nullptr);
}

void FormRenderer::registerClass(const std::string& className) {
    if (!registered_.insert(className).second)
        return;
    std::wstring name = qz::win32::wide(className);
    WNDCLASSEXW form = {};
    form.cbSize = sizeof form;
    form.style = CS_DBLCLKS;
    form.lpfnWndProc = FormWindow::formProcedure;
    form.hInstance = GetModuleHandleW(nullptr);
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    form.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    form.lpszClassName = name.c_str();
    RegisterClassExW(&form);
}

DialogButton FormRenderer::showModal(ModalWindow& modal) {
    // Every window the program shows modally is a window model.
    Form& form = static_cast<Form&>(modal);
    registerClass(form.className());
    HWND owner = GetActiveWindow();
    HWND below = nullptr;
    for (FormWindow* open : open_)
        if (&open->form() == form.placedBelow)
            below = open->handle();
    FormWindow window(form, owner, below);
    // Undone however the loop ends, an error included. The owner must be
    // enabled again before this window goes, or the system activates some
    // other program's window.
    struct Shown {
        FormRenderer& renderer;
        HWND owner;
        ~Shown() {
            if (owner)
                EnableWindow(owner, TRUE);
            renderer.open_.pop_back();
        }
    } shown{*this, nullptr};
    open_.push_back(&window);

    // A form that closed itself while being shown never appears.
    if (!form.mayEndModal()) {
        if (owner)
            EnableWindow(owner, FALSE);
        shown.owner = owner;
        ShowWindow(window.handle(), SW_SHOW);
        SetForegroundWindow(window.handle());
        window.sync();
        if (!form.activeControl)
            SetFocus(window.handle());

        MSG message;
        while (!window.failure() && !form.mayEndModal()) {
            BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got <= 0) {
                // The program is ending: pass the request on to the outer loops.
                if (got == 0)
                    PostQuitMessage(static_cast<int>(message.wParam));
                form.modalResult = ModalResult::Cancel;
                break;
            }
            if (window.owns(message.hwnd) && window.handleKey(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (window.failure())
        std::rethrow_exception(window.failure());
    return form.modalResult;
}

std::optional<std::string> FormRenderer::selectFolder(const SelectFolderRequest& request) {
    SelectDirectoryForm dialog(dialogs_, files_, request);
    if (dialog.showModal() != ModalResult::Ok)
        return std::nullopt;
    return dialog.directory();
}

void FormRenderer::refresh() {
    for (FormWindow* window : open_)
        window->sync();
}

} // namespace qz::ui::win32
