#include "ui/SelectDirectoryForm.h"

#include "platform/PathRoot.h"
#include "text/Text.h"

#include <algorithm>

namespace qz::ui {
namespace {

// Labels show their texts without the accelerator marks of the standard texts.
std::string withoutAccelerator(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

std::string child(const std::string& folder, const std::string& name) {
    return folder + (!folder.empty() && folder.back() == '\\' ? "" : "\\") + name;
}

// "C:\QZ4\Work\" and "c:/qz4/work" both become "C:\QZ4\Work"; a drive stays
// "C:\", a share is "\\server\share".
std::string normalised(std::string folder) {
    std::replace(folder.begin(), folder.end(), '/', '\\');
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    if (folder.size() >= 2 && folder[1] == ':') {
        folder[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0])));
        if (folder.size() == 2)
            folder += '\\';
    }
    return folder;
}

std::vector<std::string> names(const std::vector<FindEntry>& entries) {
    std::vector<std::string> out;
    for (const FindEntry& e : entries)
        if (e.name != "." && e.name != "..")
            out.push_back(e.name);
    std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
        return text::compareIgnoreCase(a, b) < 0;
    });
    return out;
}

} // namespace

SelectDirectoryForm::SelectDirectoryForm(Dialogs& dialogs, FileSystem& files,
                                         const SelectFolderRequest& request)
    : Form(dialogs, "TSelectDirDlg"), files_(files), request_(request) {
    const StandardTexts& texts = dialogs.standardTexts();
    caption = request.caption.empty() ? texts.selectDirectoryCaption : request.caption;
    clientWidth = 430;
    clientHeight = 300;
    font = Font{"Arial", 14};

    Label1.setBounds(10, 10, 410, 18);
    Label1.caption = withoutAccelerator(texts.directoryNameLabel);
    Edit1.setBounds(10, 30, 410, 23);

    Label2.setBounds(10, 62, 200, 18);
    Label2.caption = withoutAccelerator(texts.directoriesLabel);
    Label3.setBounds(10, 80, 200, 18);
    DirList.setBounds(10, 100, 200, 142);
    DirList.onDblClick = [this] { DirListDblClick(); };

    Label4.setBounds(220, 62, 200, 18);
    Label4.caption = withoutAccelerator(texts.filesLabel);
    FileList.setBounds(220, 100, 200, 142);
    FileList.enabled = false; // shown for orientation only

    Label5.setBounds(10, 250, 200, 18);
    Label5.caption = withoutAccelerator(texts.drivesLabel);
    DriveCombo.setBounds(10, 268, 200, 23);
    DriveCombo.onChange = [this] { DriveComboChange(); };

    OKButton.setBounds(250, 266, 80, 26);
    OKButton.caption = "OK";
    OKButton.isDefault = true;
    OKButton.onClick = [this] { OKButtonClick(); };
    CancelButton.setBounds(340, 266, 80, 26);
    CancelButton.caption = texts.cancelButton;
    CancelButton.isCancel = true;
    CancelButton.modalResult = ModalResult::Cancel;

    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        DriveType type = files.driveType(letter);
        if (type == DriveType::Unknown || type == DriveType::NoRootDir)
            continue;
        std::string label = files.volumeLabel(letter).value_or("");
        drives_.push_back(letter);
        DriveCombo.items.push_back(std::string(1, static_cast<char>(letter + 'a' - 'A')) + ":" +
                                   (label.empty() ? "" : " [" + label + "]"));
    }

    std::string start = normalised(request.initialDirectory);
    if (start.empty() || !files.directoryExists(start))
        start = normalised(files.currentDirectory());
    changeDirectory(start);
    Edit1.focus();
}

void SelectDirectoryForm::changeDirectory(const std::string& folder) {
    directory_ = normalised(folder);
    Edit1.caption = directory_;
    Edit1.selStart = static_cast<int>(text::toUtf16(directory_).size());
    Label3.caption = directory_;

    // The way down from the drive or share, then the folders inside, each a
    // step further in.
    DirList.items.clear();
    dirPaths_.clear();
    const std::size_t rootEnd = PathRootLength(directory_);
    std::string path = normalised(directory_.substr(0, rootEnd));
    DirList.items.push_back(path);
    dirPaths_.push_back(path);
    std::size_t depth = 1;
    for (std::size_t start = rootEnd; start < directory_.size();) {
        std::size_t end = directory_.find('\\', start);
        if (end == std::string::npos)
            end = directory_.size();
        const std::string name = directory_.substr(start, end - start);
        path = child(path, name);
        DirList.items.push_back(std::string(2 * depth++, ' ') + name);
        dirPaths_.push_back(path);
        start = end + 1;
    }
    DirList.itemIndex = static_cast<int>(DirList.items.size()) - 1;
    for (const std::string& name : names(files_.list(child(directory_, "*"), ListKind::Folders))) {
        DirList.items.push_back(std::string(2 * depth, ' ') + name);
        dirPaths_.push_back(child(directory_, name));
    }
    FileList.items = names(files_.list(child(directory_, "*"), ListKind::Files));

    auto drive = std::find(drives_.begin(), drives_.end(), directory_[0]);
    DriveCombo.itemIndex = drive == drives_.end() ? -1 : static_cast<int>(drive - drives_.begin());
    if (DriveCombo.itemIndex >= 0)
        DriveCombo.caption = DriveCombo.items[DriveCombo.itemIndex];
}

void SelectDirectoryForm::DirListDblClick() {
    if (DirList.itemIndex >= 0 && DirList.itemIndex < static_cast<int>(dirPaths_.size()))
        changeDirectory(dirPaths_[DirList.itemIndex]);
}

void SelectDirectoryForm::DriveComboChange() {
    if (DriveCombo.itemIndex >= 0)
        changeDirectory(std::string(1, drives_[DriveCombo.itemIndex]) + ":\\");
}

void SelectDirectoryForm::OKButtonClick() {
    std::string typed = normalised(text::trim(Edit1.caption));
    if (typed.empty())
        return;
    // A name without a drive is taken inside the folder shown.
    if (!(typed.size() >= 3 && typed[1] == ':') && typed.rfind("\\\\", 0) != 0)
        typed = child(directory_, typed);
    if (files_.directoryExists(typed)) {
        directory_ = typed;
        modalResult = ModalResult::Ok;
        return;
    }
    if (!request_.allowCreate)
        return;
    if (request_.prompt) {
        MessageRequest ask{MessageKind::Confirmation,
                           dialogs_.standardTexts().createDirectoryPrompt,
                           {},
                           {DialogButton::Yes, DialogButton::No}};
        if (dialogs_.showMessage(ask) != DialogButton::Yes)
            return;
    }
    // A folder that cannot be made is still the answer: callers check that
    // the chosen folder exists.
    if (request_.performCreate)
        files_.createDirectories(typed);
    directory_ = typed;
    modalResult = ModalResult::Ok;
}

} // namespace qz::ui
