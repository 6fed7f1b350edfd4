// Dialogs port for tests and tools: every request is recorded, and answers
// come from queues the test fills. A request with no queued answer gets the
// neutral one (Cancel / nothing chosen), so an unexpected dialog shows up
// as a recorded request instead of a hang.
#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <functional>

namespace qz {

class HostDialogs : public Dialogs {
public:
    std::vector<MessageRequest> messages;
    std::vector<OpenFileRequest> openFileRequests;
    std::vector<SelectFolderRequest> selectFolderRequests;
    std::deque<DialogButton> messageAnswers;
    std::deque<std::optional<std::string>> openFileAnswers;
    std::deque<std::optional<std::string>> selectFolderAnswers;
    // Modal windows: each shown window is recorded, and the next answer acts
    // on it as its user would and returns how the window ended. With no
    // answer queued the window is closed (Cancel) untouched. Once the
    // application is terminated every window ends with Cancel.
    std::vector<const ModalWindow*> shownForms;
    std::deque<std::function<DialogButton(ModalWindow&)>> formAnswers;
    int processMessagesCalls = 0;
    bool terminated = false;
    // Runs inside processMessages(), so a test can act "while the queue runs".
    std::function<void()> onProcessMessages;
    // Width of one character 11 pixels high in the measuring rule below.
    int characterWidth = 6;

    void setStandardTexts(const StandardTexts& texts) override { texts_ = texts; }
    const StandardTexts& standardTexts() const override { return texts_; }
    DialogButton showMessage(const MessageRequest& request) override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<std::string> selectFolder(const SelectFolderRequest& request) override;
    DialogButton showModal(ModalWindow& window) override;
    void processMessages() override;
    void terminateApplication() override { terminated = true; }
    bool applicationTerminated() const override { return terminated; }
    // Characters times characterWidth, bold adding one pixel per character,
    // in proportion to the font's height.
    int textWidth(const std::string& text, const FontSpec& font) const override;

private:
    StandardTexts texts_;
};

} // namespace qz
