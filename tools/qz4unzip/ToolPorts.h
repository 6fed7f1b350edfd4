// The machine qz4unzip runs on: the real file system, quiet dialogs (the
// tool reports through the reader's events), and the reader's string table.
#pragma once

#include "platform/Platform.h"

#include <memory>
#include <string>
#include <vector>

namespace qz::tool {

// Dialogs of a console program: nothing is shown and every question gets
// the neutral answer (No, Cancel, nothing chosen). What went wrong reaches
// the user through the reader's events and exceptions.
class QuietDialogs : public Dialogs {
public:
    void setStandardTexts(const StandardTexts& texts) override { texts_ = texts; }
    const StandardTexts& standardTexts() const override { return texts_; }
    DialogButton showMessage(const MessageRequest&) override { return DialogButton::Cancel; }
    std::optional<std::string> openFile(const OpenFileRequest&) override { return std::nullopt; }
    std::optional<std::string> selectFolder(const SelectFolderRequest&) override {
        return std::nullopt;
    }
    DialogButton showModal(ModalWindow&) override { return DialogButton::Cancel; }
    void processMessages() override {}
    void terminateApplication() override { terminated_ = true; }
    bool applicationTerminated() const override { return terminated_; }
    int textWidth(const std::string& text, const FontSpec&) const override {
        return static_cast<int>(text.size());
    }

private:
    StandardTexts texts_;
    bool terminated_ = false;
};

class ToolPorts {
public:
    virtual ~ToolPorts() = default;
    virtual Platform& platform() = 0;
    // The command-line arguments after the program name, in UTF-8.
    virtual std::vector<std::string> arguments() const = 0;
};

// Native builds: host paths as given. Windows builds: the Win32 ports.
std::unique_ptr<ToolPorts> MakeToolPorts(int argc, char** argv);

} // namespace qz::tool
