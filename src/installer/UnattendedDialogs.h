// Stands in for the person at the screen in the silent modes: every message
// box is written to the log and answered at once by the documented default,
// so that no box ever waits for someone who is not there.
//   OK alone             OK (the text is in the log)
//   Yes/No               Yes (old components: replace them)
//   Retry/Ignore         Retry for a few seconds, then Ignore (a locked file
//                        is listed among the problems)
//   anything else        the default button
// Folder and file dialogs answer Cancel; with no window at all, no window is
// ever shown either.
#pragma once

#include "installer/InstallLog.h"
#include "installer/InstallerCommandLine.h"
#include "platform/Dialogs.h"

#include <chrono>
#include <functional>
#include <map>

namespace qz {

struct RetryPolicy {
    int retries = 10;
    std::chrono::milliseconds pause{500};
};

class UnattendedDialogs : public Dialogs {
public:
    // mode: Silent or VerySilent. wait is how a retry waits (tests pass one
    // that does not).
    UnattendedDialogs(Dialogs& screen, InstallLog& log, InstallMode mode, RetryPolicy retry = {},
                      std::function<void(std::chrono::milliseconds)> wait = {});

    void setStandardTexts(const StandardTexts& texts) override;
    const StandardTexts& standardTexts() const override;
    DialogButton showMessage(const MessageRequest& request) override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<std::string> selectFolder(const SelectFolderRequest& request) override;
    DialogButton showModal(ModalWindow& window) override;
    void processMessages() override;
    void terminateApplication() override;
    bool applicationTerminated() const override;
    int textWidth(const std::string& text, const FontSpec& font) const override;

private:
    DialogButton answer(const MessageRequest& request);

    Dialogs& screen_;
    InstallLog& log_;
    InstallMode mode_;
    RetryPolicy retry_;
    std::function<void(std::chrono::milliseconds)> wait_;
    std::map<std::string, int> retriesGiven_; // per question text
};

} // namespace qz
