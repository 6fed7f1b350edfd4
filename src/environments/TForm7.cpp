#include "environments/TForm7.h"

#include "locale/Catalogue.h"
#include "locale/Format.h"
#include "text/Text.h"

namespace qz {

TForm7::TForm7(Dialogs& dialogs, FileSystem& files) : ui::Form(dialogs, "TForm7"), files_(files) {
    clientWidth = 580;
    clientHeight = 352;
    keyPreview = true;
    font = ui::Font{"Arial", 14};

    Label1.setBounds(12, 10, 556, 180);
    Label1.wordWrap = true;

    CheckBox1.setBounds(12, 196, 556, 20);
    CheckBox1.caption = MsgUseLocalOutputDir;
    CheckBox1.onClick = [this] { CheckBox1Click(); };

    Edit2.setBounds(12, 222, 456, 23);
    Edit2.onChange = [this] { Edit2Change(); };

    Button3.setBounds(476, 221, 92, 25);
    Button3.caption = MsgBrowseF8;
    Button3.onClick = [this] { Button3Click(); };

    Label2.setBounds(12, 262, 556, 18);
    Label2.caption = MsgFontHelp;

    RadioButton1.setBounds(12, 284, 140, 20);
    RadioButton1.caption = "Consolas";
    RadioButton1.checked = true;
    RadioButton2.setBounds(160, 284, 140, 20);
    RadioButton2.caption = "Courier New";

    Button1.setBounds(396, 316, 80, 26);
    Button1.caption = "OK";
    Button1.isDefault = true;
    Button1.modalResult = ui::ModalResult::Ok;
    Button1.onClick = [this] { Button1Click(); };

    Button2.setBounds(484, 316, 84, 26);
    Button2.caption = MsgCancel;
    Button2.isCancel = true;
    Button2.modalResult = ui::ModalResult::Cancel;

    activeControl = &CheckBox1;
}

void TForm7::FormShow() {
    caption = MsgAdditionalSettings;
    Label1.caption = MsgOutputDirHelp;
    Edit2.caption = output.localDirName;
    CheckBox1.state = output.useLocalDir ? ui::CheckState::Checked : ui::CheckState::Unchecked;
    activeControl = &CheckBox1;
    CheckBox1Click();
}

void TForm7::FormKeyDown(ui::Key key, ui::Shift shift) {
    if (key == ui::KeyF8 && shift.none())
        Button3.click();
}

void TForm7::CheckBox1Click() {
    Edit2.enabled = CheckBox1.checked();
    Button3.enabled = CheckBox1.checked();
    Edit2Change();
}

void TForm7::Edit2Change() {
    Button1.enabled = !CheckBox1.checked() || !text::trim(Edit2.caption).empty();
}

bool TForm7::namesLocalDisk(const std::string& folder) const {
    if (folder.size() < 4 || folder.compare(1, 2, ":\\") != 0)
        return false;
    char letter = text::upperAscii(folder.substr(0, 1))[0];
    return letter >= 'A' && letter <= 'Z' && files_.driveType(letter) == DriveType::Fixed;
}

bool TForm7::acceptFolder(const std::string& folder) {
    if (!namesLocalDisk(folder)) {
        ShowErrorBox(dialogs_, MsgLocalDriveRequired);
        return false;
    }
    if (files_.directoryExists(folder))
        return true;
    MessageRequest ask{MessageKind::Confirmation,
                       Format(MsgConfirmCreateDir, {folder}),
                       "",
                       {DialogButton::Yes, DialogButton::No}};
    if (dialogs_.showMessage(ask) != DialogButton::Yes)
        return false;
    files_.createDirectories(folder);
    if (files_.directoryExists(folder))
        return true;
    ShowErrorBox(dialogs_, Format(MsgCannotCreateDir, {folder}));
    return false;
}

void TForm7::Button1Click() {
    if (CheckBox1.checked() && !acceptFolder(text::trim(Edit2.caption)))
        modalResult = ui::ModalResult::None;
}

void TForm7::Button3Click() {
    std::string folder = text::trim(Edit2.caption);
    SelectFolderRequest request;
    request.initialDirectory =
        !folder.empty() && files_.directoryExists(folder) ? folder : currentWorkDir;
    if (auto chosen = dialogs_.selectFolder(request)) {
        Edit2.caption = *chosen;
        Edit2.selStart = static_cast<int>(text::toUtf16(*chosen).size());
        Edit2Change();
    }
}

} // namespace qz
