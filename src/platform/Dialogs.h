// Dialogs port: message boxes, common file and folder dialogs, the program's
// own modal windows, the message queue, and text measurement. Captions and
// button texts of message boxes and the folder dialog follow the active
// language through StandardTexts.
#pragma once

#include "platform/FontSpec.h"
#include "platform/ModalWindow.h"

#include <optional>
#include <string>
#include <vector>

namespace qz {

// The user-interface layer's standard texts, replaced when the language changes.
struct StandardTexts {
    std::string createDirectoryPrompt = "The specified directory does not exist. Create it?";
    std::string selectDirectoryCaption = "Select Directory";
    std::string directoryNameLabel = "Directory &Name:";
    std::string drivesLabel = "D&rives:";
    std::string directoriesLabel = "&Directories:";
    std::string filesLabel = "&Files: (*.*)";
    std::string networkButton = "Ne&twork...";
    std::string cancelButton = "Cancel";
    std::string yesButton = "&Yes";
    std::string noButton = "&No";
    std::string retryButton = "&Retry";
    std::string ignoreButton = "&Ignore";
    std::string warningCaption = "Warning";
    std::string errorCaption = "Error";
    std::string informationCaption = "Information";
    std::string confirmationCaption = "Confirm";
};

// Message kinds choose the icon and the standard caption; Plain has neither
// icon nor standard caption and shows the caption it is given.
enum class MessageKind { Warning, Error, Information, Confirmation, Plain };

enum class DialogButton { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore, All, NoToAll, YesToAll };

struct MessageRequest {
    MessageKind kind = MessageKind::Information;
    std::string text;
    std::string caption; // only for Plain; empty gives the application title
    std::vector<DialogButton> buttons{DialogButton::Ok};
    DialogButton defaultButton = DialogButton::None; // None: the first button
};

struct OpenFileRequest {
    std::string title;
    std::string filter; // "description|pattern|description|pattern..."
    std::string initialDirectory;
    std::string fileName;
    bool fileMustExist = true;
    std::string defaultExtension; // given to a typed name that has none
};

struct SelectFolderRequest {
    std::string caption;
    std::string initialDirectory;
    bool allowCreate = false;   // the user may type a folder that does not exist
    bool performCreate = false; // such a folder is created on OK
    bool prompt = false;        // ask before creating it
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual void setStandardTexts(const StandardTexts& texts) = 0;
    virtual const StandardTexts& standardTexts() const = 0;

    // Shows a modal message box and returns the button pressed (Cancel or
    // the closing button's equivalent when the box is closed otherwise).
    virtual DialogButton showMessage(const MessageRequest& request) = 0;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
    virtual std::optional<std::string> selectFolder(const SelectFolderRequest& request) = 0;

    // Shows one of the program's windows modally until it closes and returns
    // its modal result (Cancel when its close box closed it).
    virtual DialogButton showModal(ModalWindow& window) = 0;

    // Lets pending window messages run (long work on the one thread calls it).
    virtual void processMessages() = 0;

    // Ends the application from wherever it is: every modal window that is
    // open closes with Cancel without being asked, and none opens any more.
    virtual void terminateApplication() = 0;
    virtual bool applicationTerminated() const = 0;

    // Width in pixels of a single line of text in the given font.
    virtual int textWidth(const std::string& text, const FontSpec& font) const = 0;
};

// An error box with OK alone: the form most failures are reported in.
inline void ShowErrorBox(Dialogs& dialogs, const std::string& text) {
    dialogs.showMessage(MessageRequest{MessageKind::Error, text, "", {DialogButton::Ok}});
}

} // namespace qz
