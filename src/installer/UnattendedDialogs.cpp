#include "installer/UnattendedDialogs.h"

#include <algorithm>
#include <thread>

namespace qz {
namespace {

bool offers(const MessageRequest& request, DialogButton button) {
    return std::find(request.buttons.begin(), request.buttons.end(), button) !=
           request.buttons.end();
}

const char* buttonName(DialogButton button) {
    switch (button) {
    case DialogButton::Ok:
        return "OK";
    case DialogButton::Yes:
        return "Yes";
    case DialogButton::No:
        return "No";
    case DialogButton::Retry:
        return "Retry";
    case DialogButton::Ignore:
        return "Ignore";
    case DialogButton::Cancel:
        return "Cancel";
    default:
        return "another button";
    }
}

const char* kindName(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return "error";
    case MessageKind::Warning:
        return "warning";
    case MessageKind::Confirmation:
        return "question";
    default:
        return "message";
    }
}

// A message on one log line: its line breaks become " | ".
std::string oneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\r' || text[i] == '\n')
            line += " | ";
        else
            line += text[i];
    }
    return line;
}

} // namespace

UnattendedDialogs::UnattendedDialogs(Dialogs& screen, InstallLog& log, InstallMode mode,
                                     RetryPolicy retry,
                                     std::function<void(std::chrono::milliseconds)> wait)
    : screen_(screen), log_(log), mode_(mode), retry_(retry), wait_(std::move(wait)) {
    if (!wait_)
        wait_ = [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
}

void UnattendedDialogs::setStandardTexts(const StandardTexts& texts) {
    screen_.setStandardTexts(texts);
}

const StandardTexts& UnattendedDialogs::standardTexts() const {
    return screen_.standardTexts();
}

DialogButton UnattendedDialogs::answer(const MessageRequest& request) {
    if (offers(request, DialogButton::Retry) && offers(request, DialogButton::Ignore)) {
        int& given = retriesGiven_[request.text];
        if (given < retry_.retries) {
            ++given;
            wait_(retry_.pause);
            return DialogButton::Retry;
        }
        retriesGiven_.erase(request.text);
        return DialogButton::Ignore;
    }
    if (offers(request, DialogButton::Yes) && offers(request, DialogButton::No))
        return DialogButton::Yes;
    if (offers(request, DialogButton::Ok))
        return DialogButton::Ok;
    if (request.defaultButton != DialogButton::None)
        return request.defaultButton;
    return request.buttons.empty() ? DialogButton::Ok : request.buttons.front();
}

DialogButton UnattendedDialogs::showMessage(const MessageRequest& request) {
    const DialogButton button = answer(request);
    // A retried question is written once, when it is first asked.
    const auto asked = retriesGiven_.find(request.text);
    if (button != DialogButton::Retry || (asked != retriesGiven_.end() && asked->second == 1))
        log_.write(std::string(kindName(request.kind)) + ": " + oneLine(request.text) +
                   (request.buttons.size() > 1 ? std::string(" -> ") + buttonName(button) : ""));
    return button;
}

std::optional<std::string> UnattendedDialogs::openFile(const OpenFileRequest&) {
    return std::nullopt;
}

std::optional<std::string> UnattendedDialogs::selectFolder(const SelectFolderRequest&) {
    return std::nullopt;
}

DialogButton UnattendedDialogs::showModal(ModalWindow& window) {
    if (mode_ == InstallMode::VerySilent)
        return DialogButton::Cancel;
    return screen_.showModal(window);
}

void UnattendedDialogs::processMessages() {
    screen_.processMessages();
}

void UnattendedDialogs::terminateApplication() {
    screen_.terminateApplication();
}

bool UnattendedDialogs::applicationTerminated() const {
    return screen_.applicationTerminated();
}

int UnattendedDialogs::textWidth(const std::string& text, const FontSpec& font) const {
    return screen_.textWidth(text, font);
}

} // namespace qz
