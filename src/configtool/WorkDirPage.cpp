#include "configtool/WorkDirPage.h"

#include "environments/SlotRanges.h"
#include "locale/Catalogue.h"
#include "locale/Format.h"
#include "text/Text.h"
#include "workdir/CertificateHeader.h"
#include "workdir/RepositoryFiles.h"
#include "workdir/ResultsFile.h"
#include "workdir/WorkDirShortcuts.h"

#include <algorithm>
#include <optional>

namespace qz {
namespace {

constexpr ui::Color StatusRed = ui::rgb(255, 0, 0);

void setColour(ui::Control& control, ui::Color colour) {
    ui::Font font = control.effectiveFont();
    font.color = colour;
    control.font = font;
}

ui::Color colourOf(const ui::Control& control) {
    return control.effectiveFont().color;
}

} // namespace

WorkDirPage::WorkDirPage(ui::Form& form, ui::TabSheet& page, const Platform& platform,
                         EnvironmentCatalogue& catalogue, Window window)
    : ListBox1(form, "ListBox1", &page), Button8(form, "Button8", &page),
      Button9(form, "Button9", &page), Button13(form, "Button13", &page),
      Button7(form, "Button7", &page), Button14(form, "Button14", &page),
      Label21(form, "Label21", &page), StaticText4(form, "StaticText4", &page),
      Label20(form, "Label20", &page), ComboBox1(form, "ComboBox1", &page),
      Label6(form, "Label6", &page), StaticText1(form, "StaticText1", &page),
      Button6(form, "Button6", &page), Label12(form, "Label12", &page),
      Button11(form, "Button11", &page), Button83(form, "Button83", &page), page_(page),
      platform_(platform), catalogue_(catalogue), window_(window) {
    ListBox1.setBounds(8, 8, 250, 218);
    Button8.setBounds(8, 232, 122, 26);
    Button9.setBounds(136, 232, 122, 26);
    Button13.setBounds(272, 8, 120, 26);
    Button7.setBounds(398, 8, 120, 26);
    Button14.setBounds(524, 8, 120, 26);
    Label21.setBounds(272, 42, 372, 14);
    StaticText4.setBounds(272, 58, 372, 20);
    Label20.setBounds(272, 86, 372, 14);
    ComboBox1.setBounds(272, 102, 372, 22);
    Label6.setBounds(272, 132, 260, 14);
    StaticText1.setBounds(272, 148, 260, 36);
    StaticText1.wordWrap = true;
    Button6.setBounds(540, 142, 104, 42);
    Label12.setBounds(272, 190, 372, 40);
    Label12.wordWrap = true;
    Button11.setBounds(272, 232, 200, 26);
    Button83.setBounds(478, 232, 166, 26);

    ListBox1.onClick = [this] { ListBox1Click(); };
    ComboBox1.onChange = [this] { ComboBox1Change(); };
    Button8.onClick = [this] { Button8Click(); };
    Button9.onClick = [this] { Button9Click(); };
    Button7.onClick = [this] { Button7Click(); };
    Button13.onClick = [this] { Button13Click(); };
    Button14.onClick = [this] { Button14Click(); };
    Button6.onClick = [this] { Button6Click(); };
    setCaptions();
}

void WorkDirPage::setCaptions() {
    Label20.caption = MsgEnvironmentLabel;
    Label21.caption = MsgFile + " results.dat:";
    Label6.caption = MsgFile + " access.dat:";
    Button13.caption = MsgAdd + " [F7]";
    Button7.caption = MsgRemove + " [F8]";
    Button8.caption = MsgUpF5;
    Button9.caption = MsgDownF6;
    Button14.caption = MsgChange + " [F9]";
    Button6.caption = MsgAddAccessDat + " [F10]";
    Button11.caption = MsgConfigureFromRepositoryF2;
    Button83.caption = MsgAdditionalSettingsF12;
}

std::string WorkDirPage::CurrentWorkDir() const {
    const int i = ListBox1.itemIndex;
    return i >= 0 && i < static_cast<int>(ListBox1.items.size()) ? ListBox1.items[i]
                                                                 : std::string();
}

bool WorkDirPage::active() const {
    return page_.pageControl().activePage == &page_;
}

void WorkDirPage::enableListButtons() {
    const int i = ListBox1.itemIndex;
    const int count = static_cast<int>(ListBox1.items.size());
    const bool selected = i >= 0 && i < count;
    Button8.enabled = i > 0;
    Button9.enabled = selected && i < count - 1;
    Button7.enabled = selected && count > 1;
}

void WorkDirPage::showStatus(const std::string& message, bool red) {
    Label12.caption = "\r\n" + message;
    setColour(Label12, red ? StatusRed : ui::clWindowText);
}

void WorkDirPage::showReady(bool ready) {
    if (!ready)
        window_.exitButton.caption = MsgExit;
    else if (active())
        window_.exitButton.caption = MsgFinish;
}

void WorkDirPage::RefreshWorkDirStatus() {
    FileSystem& files = platform_.files;
    enableListButtons();
    Button13.enabled = true;

    const std::string folder = CurrentWorkDir();
    if (folder.empty() || !files.directoryExists(folder)) {
        Label12.caption = "\r\n" + MsgWorkDirRequired;
        ComboBox1.items.clear();
        ComboBox1.itemIndex = -1;
        ComboBox1.caption.clear();
        ComboBox1.enabled = false;
        window_.exitButton.caption = MsgExit;
        StaticText4.caption.clear();
        StaticText1.caption.clear();
        certificateSwitchedOff_ = false;
        Button14.caption = MsgChange + " [F9]";
        Button14.enabled = false;
        Button6.caption = MsgAddAccessDat + " [F10]";
        Button6.enabled = false;
        return;
    }
    Button14.enabled = true;
    StaticText4.caption = ReadResultsName(files, folder).name;

    std::string key = ReadResultsHeader(files, folder).header.key;
    if (key.empty())
        key = window_.environmentKey;
    EnvironmentKeyParts parts = SplitEnvironmentKey(key);
    FillEnvironmentCombo(parts.code, parts.version);

    // A certificate that is new to the folder takes its results file over:
    // what the previous one left goes, the local file is put aside.
    const CodePage ansi = platform_.system.ansiText();
    bool greyCertificate = false;
    std::string certificate = ReadCertificateText(files, folder, "access.dat");
    if (!certificate.empty()) {
        TakeOverCertificate(files, folder, CertificateIdentity(certificate, IdentityForm::Long),
                            ansi);
    } else {
        certificate = ReadCertificateText(files, folder, "access0.dat");
        greyCertificate = !certificate.empty();
    }
    StaticText1.caption = certificate;
    setColour(StaticText1, greyCertificate ? ui::clGray : ui::clWindowText);
    certificateSwitchedOff_ = greyCertificate;
    Button6.caption = (certificate.empty() ? MsgAddAccessDat : MsgDeleteAccessDat) + " [F10]";
    Button6.enabled = true;

    const std::string student =
        greyCertificate ? std::string() : CertificateIdentity(certificate, IdentityForm::Short);
    Button14.enabled = student.empty();
    ComboBox1.enabled = student.empty();
    if (!student.empty()) {
        StaticText4.caption = student;
        Button14.caption = MsgChange + " [F9]";
        showStatus(MsgWorkDirComplete, false);
        showReady(true);
        return;
    }

    if (!files.fileExists(folder + "\\results.dat")) {
        showStatus(MsgNoResultsFile, true);
        Button14.caption = MsgCreateF9;
        showReady(false);
        return;
    }
    Button14.caption = MsgChange + " [F9]";
    if (StaticText4.caption.empty()) {
        setColour(StaticText4, StatusRed);
        showStatus(MsgResultsFileCorrupted, true);
        showReady(false);
        return;
    }
    setColour(StaticText4, ui::clWindowText);
    writeEnvironment(folder, FindEnvironmentByName());
    CreateWorkDirShortcuts(files, platform_.shell, folder, window_.programDirectory);
    const bool chosen = ComboBox1.caption != MsgNotDefined;
    showStatus(chosen ? MsgWorkDirComplete : MsgSelectEnvironment, !chosen);
    showReady(chosen);
}

void WorkDirPage::FillEnvironmentCombo(const std::string& code, int version) {
    ComboBox1.enabled = true;
    ComboBox1.items.clear();
    ComboBox1.itemIndex = -1;
    ComboBox1.caption.clear();

    ui::CheckListBox& list = window_.environmentList;
    for (std::size_t item = 0; item < list.items.size(); ++item) {
        const int slot = catalogue_.findSlotByDisplayName(list.items[item]);
        if (slot == 0)
            continue;
        const ListCheck check = catalogue_.listCheck(slot);
        list.states[item] = check == ListCheck::Checked  ? ui::CheckState::Checked
                            : check == ListCheck::Grayed ? ui::CheckState::Grayed
                                                         : ui::CheckState::Unchecked;
        if (check != ListCheck::Checked || IsMpiSlot(slot))
            continue;
        const EnvironmentEntry& e = catalogue_.entry(slot);
        ComboBox1.items.push_back(e.displayName);
        if (e.ideCode == code && e.versionNumber == version)
            ComboBox1.itemIndex = static_cast<int>(ComboBox1.items.size()) - 1;
    }

    if (ComboBox1.itemIndex < 0) {
        if (ComboBox1.items.empty()) {
            ComboBox1.items.push_back(MsgNotDefined);
            ComboBox1.itemIndex = 0;
        } else {
            // The default environment, when it is one of the items.
            const int slot = catalogue_.findSlotByKey(window_.environmentKey);
            ComboBox1.itemIndex = 0;
            for (std::size_t i = 0; slot != 0 && i < ComboBox1.items.size(); ++i)
                if (text::equalsIgnoreCase(ComboBox1.items[i],
                                           catalogue_.entry(slot).displayName)) {
                    ComboBox1.itemIndex = static_cast<int>(i);
                    break;
                }
        }
    }
    ComboBox1.caption = ComboBox1.items[ComboBox1.itemIndex];
}

int WorkDirPage::FindEnvironmentByName() const {
    return catalogue_.findSlotByDisplayName(ComboBox1.caption);
}

void WorkDirPage::writeEnvironment(const std::string& folder, int slot) {
    const bool valid = slot >= 1 && slot <= kSlotCount;
    const std::string key = valid ? catalogue_.environmentKey(slot) : std::string();
    WriteResultsHeader(platform_.files, folder, key, window_.programDirectory);
    window_.environmentKey = key.empty() ? "0" : key;
}

void WorkDirPage::pageEntered() {
    // The environments page may have changed what the combo offers.
    RefreshWorkDirStatus();
    window_.exitButton.caption = colourOf(Label12) == StatusRed ? MsgExit : MsgFinish;
}

void WorkDirPage::pageLeft() {
    window_.exitButton.caption = MsgExit;
}

void WorkDirPage::ListBox1Click() {
    RefreshWorkDirStatus();
}

void WorkDirPage::ComboBox1Change() {
    writeEnvironment(CurrentWorkDir(), FindEnvironmentByName());
    RefreshWorkDirStatus();
}

void WorkDirPage::moveSelected(int step) {
    const int from = ListBox1.itemIndex;
    const int to = from + step;
    if (from < 0 || to < 0 || to >= static_cast<int>(ListBox1.items.size()))
        return;
    std::swap(ListBox1.items[from], ListBox1.items[to]);
    ListBox1.itemIndex = to;
    enableListButtons();
}

void WorkDirPage::Button8Click() {
    moveSelected(-1);
}

void WorkDirPage::Button9Click() {
    moveSelected(1);
}

void WorkDirPage::Button7Click() {
    const int index = ListBox1.itemIndex;
    if (index < 0 || index >= static_cast<int>(ListBox1.items.size()))
        return;
    MessageRequest question{MessageKind::Confirmation,
                            Format(MsgConfirmRemoveWorkDir, {ListBox1.items[index]}),
                            "",
                            {DialogButton::Yes, DialogButton::No}};
    if (platform_.dialogs.showMessage(question) != DialogButton::Yes)
        return;
    ListBox1.items.erase(ListBox1.items.begin() + index);
    ListBox1.itemIndex = std::min(index, static_cast<int>(ListBox1.items.size()) - 1);
    RefreshWorkDirStatus();
}

std::string WorkDirPage::startFolder() {
    FileSystem& files = platform_.files;
    const std::string current = CurrentWorkDir();
    if (!current.empty() && files.directoryExists(current))
        return current;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (files.driveType(letter) == DriveType::Fixed && files.directoryExists(root)) {
            files.setCurrentDirectory(root);
            return root;
        }
    }
    return std::string();
}

void WorkDirPage::showFolderMessage(MessageKind kind, const std::string& pattern,
                                    const std::string& folder) {
    platform_.dialogs.showMessage(
        MessageRequest{kind, Format(pattern, {folder}), "", {DialogButton::Ok}});
}

void WorkDirPage::Button13Click() {
    FileSystem& files = platform_.files;
    std::optional<std::string> chosen =
        platform_.dialogs.selectFolder(SelectFolderRequest{"", startFolder(), true, true, true});
    if (!chosen)
        return;
    std::string folder = *chosen;
    if (!files.directoryExists(folder)) {
        showFolderMessage(MessageKind::Error, MsgDirCannotBeCreated, folder);
        return;
    }
    // Only a folder below the root of a fixed disk: the results must stay
    // where the student left them.
    const char letter = folder.empty() ? '\0' : text::upperAscii(folder.substr(0, 1))[0];
    if (folder.size() < 4 || letter < 'A' || letter > 'Z' ||
        files.driveType(letter) != DriveType::Fixed) {
        showFolderMessage(MessageKind::Error, MsgNotAWorkDir, folder);
        return;
    }
    // The list holds folders without a trailing backslash, so one folder is
    // listed once however the dialog spelled it.
    if (folder.back() == '\\')
        folder.pop_back();

    auto& items = ListBox1.items;
    auto listed = std::find_if(items.begin(), items.end(), [&](const std::string& item) {
        return text::equalsIgnoreCase(item, folder);
    });
    if (listed == items.end()) {
        items.push_back(folder);
        ListBox1.itemIndex = static_cast<int>(items.size()) - 1;
    } else {
        ListBox1.itemIndex = static_cast<int>(listed - items.begin());
        showFolderMessage(MessageKind::Information, MsgWorkDirAlreadyListed, folder);
    }

    const std::string selected = CurrentWorkDir();
    if (!files.fileExists(selected + "\\results.dat")) {
        // The owner's name: the results file is usable at once, and the
        // name dialog can change it later.
        CreateResultsFile(files, selected + "\\", ownerName(), "|10", window_.programDirectory);
    }
    RefreshWorkDirStatus();
}

void WorkDirPage::Button14Click() {
    TForm4& dialog = window_.nameDialog;
    std::string name = text::trim(StaticText4.caption);
    if (name.empty())
        name = window_.lastStudentName;
    if (name.empty())
        name = ownerName();
    dialog.prepare(Button14.caption == MsgCreateF9 ? MsgResultsFileCreation : MsgResultsFileChange,
                   name);
    if (dialog.showModal() == ui::ModalResult::Ok) {
        window_.lastStudentName = text::trim(dialog.Edit1.caption);
        // The file is made anew: what the student has done is lost unless
        // the user says so.
        const std::string folder = CurrentWorkDir();
        if (!HoldsResults(platform_.files, folder) || confirmRecreation(folder))
            CreateResultsFile(platform_.files, folder + "\\", window_.lastStudentName, "",
                              window_.programDirectory);
    }
    RefreshWorkDirStatus();
}

bool WorkDirPage::confirmRecreation(const std::string& folder) {
    MessageRequest question{MessageKind::Confirmation,
                            Format(MsgConfirmRecreateResults, {folder}),
                            "",
                            {DialogButton::Yes, DialogButton::No}};
    return platform_.dialogs.showMessage(question) == DialogButton::Yes;
}

std::string WorkDirPage::ownerName() const {
    const std::string name = text::trim(text::leftChars(platform_.system.userName(), IdNameSize));
    return name.empty() ? "QZ4 User" : name;
}

void WorkDirPage::Button6Click() {
    const std::string folder = CurrentWorkDir();
    if (folder.empty())
        return;
    if (StaticText1.caption.empty())
        addCertificate(folder);
    else
        deleteCertificate(folder);
}

void WorkDirPage::addCertificate(const std::string& folder) {
    FileSystem& files = platform_.files;
    OpenFileRequest request;
    request.title = MsgSelectAccessDat;
    request.filter = "File access.dat|access.dat";
    request.initialDirectory = FirstReadableDriveRoot(files);
    const std::optional<std::string> chosen = platform_.dialogs.openFile(request);
    if (!chosen)
        return;
    const std::string target = folder + "\\access.dat";
    if (!files.copyFile(*chosen, target, false)) {
        ShowErrorBox(platform_.dialogs, Format(MsgCannotCopyCertificate, {*chosen, target}));
        RefreshWorkDirStatus();
        return;
    }
    // A file that is no certificate would hide the local results file
    // behind a folder that still asks for a certificate; it does not stay.
    if (ReadCertificateText(files, folder, "access.dat").empty()) {
        files.deleteFile(target);
        ShowErrorBox(platform_.dialogs, Format(MsgNotACertificate, {*chosen}));
        RefreshWorkDirStatus();
        return;
    }
    BackupLocalResults(files, folder);
    RefreshWorkDirStatus();
    WriteAccessInfo(files, folder, CertificateIdentity(StaticText1.caption, IdentityForm::Long),
                    platform_.system.ansiText());
}

void WorkDirPage::deleteCertificate(const std::string& folder) {
    FileSystem& files = platform_.files;
    MessageRequest question{MessageKind::Confirmation,
                            Format(MsgConfirmDeleteAccessDat, {folder}),
                            "",
                            {DialogButton::Yes, DialogButton::No}};
    if (platform_.dialogs.showMessage(question) != DialogButton::Yes)
        return;
    const char* name = certificateSwitchedOff_ ? "\\access0.dat" : "\\access.dat";
    if (!files.deleteFile(folder + name)) {
        platform_.dialogs.showMessage(
            MessageRequest{MessageKind::Warning, MsgCannotDeleteAccessDat, "", {DialogButton::Ok}});
    } else if (certificateSwitchedOff_) {
        // The repository results it kept aside go with it; the local
        // results file, the active one, stays.
        files.deleteFile(folder + "\\results1.dat");
    } else {
        ResetRepositoryFiles(files, folder);
        WriteAccessInfo(files, folder, "", platform_.system.ansiText());
    }
    RefreshWorkDirStatus();
}

} // namespace qz
