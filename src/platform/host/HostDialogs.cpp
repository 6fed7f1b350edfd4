#include "platform/host/HostDialogs.h"

#include "text/Text.h"

namespace qz {

DialogButton HostDialogs::showMessage(const MessageRequest& request) {
    messages.push_back(request);
    if (messageAnswers.empty())
        return DialogButton::Cancel;
    DialogButton answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<std::string> HostDialogs::openFile(const OpenFileRequest& request) {
    openFileRequests.push_back(request);
    if (openFileAnswers.empty())
        return std::nullopt;
    auto answer = openFileAnswers.front();
    openFileAnswers.pop_front();
    return answer;
}

std::optional<std::string> HostDialogs::selectFolder(const SelectFolderRequest& request) {
    selectFolderRequests.push_back(request);
    if (selectFolderAnswers.empty())
        return std::nullopt;
    auto answer = selectFolderAnswers.front();
    selectFolderAnswers.pop_front();
    return answer;
}

DialogButton HostDialogs::showModal(ModalWindow& window) {
    shownForms.push_back(&window);
    if (terminated || formAnswers.empty())
        return DialogButton::Cancel;
    auto answer = std::move(formAnswers.front());
    formAnswers.pop_front();
    DialogButton result = answer(window);
    return terminated ? DialogButton::Cancel : result;
}

void HostDialogs::processMessages() {
    ++processMessagesCalls;
    if (onProcessMessages)
        onProcessMessages();
}

int HostDialogs::textWidth(const std::string& text, const FontSpec& font) const {
    int count = static_cast<int>(text::toUtf16(text).size());
    return count * (characterWidth + (font.bold ? 1 : 0)) * font.height / 11;
}

} // namespace qz
