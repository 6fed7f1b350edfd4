// Shows window models as real Win32 windows: registers a window class named
// as each form, runs the modal loops, and is the Dialogs port's presenter,
// which also shows the select-directory dialog.
#pragma once

#include "platform/FileSystem.h"
#include "platform/win32/Win32Dialogs.h"

#include <set>
#include <string>
#include <vector>

namespace qz::ui::win32 {

class FormWindow;

class FormRenderer : public FormPresenter {
public:
    // Hands itself to the port for as long as it lives.
    FormRenderer(Win32Dialogs& dialogs, FileSystem& files);
    ~FormRenderer() override;
    FormRenderer(const FormRenderer&) = delete;
    FormRenderer& operator=(const FormRenderer&) = delete;

    DialogButton showModal(ModalWindow& window) override;
    std::optional<std::string> selectFolder(const SelectFolderRequest& request) override;
    void refresh() override;

private:
    void registerClass(const std::string& className);

    Win32Dialogs& dialogs_;
    FileSystem& files_;
    std::set<std::string> registered_;
    std::vector<FormWindow*> open_; // nested modal windows, innermost last
};

} // namespace qz::ui::win32
