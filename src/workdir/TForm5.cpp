#include "workdir/TForm5.h"

#include "locale/Catalogue.h"
#include "locale/Format.h"
#include "text/Text.h"

#include <initializer_list>

namespace qz {
namespace {

bool isLetter(char c) {
    return c >= 'a' && c <= 'z';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool IsRepositoryGroupName(const std::string& name) {
    static const char pattern[] = "aaaddadbaaaaa";
    if (name.size() < 8 || name.size() > sizeof pattern - 1 || !isLetter(name.back()))
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool fits = pattern[i] == 'a'   ? isLetter(c)
                          : pattern[i] == 'd' ? isDigit(c)
                                              : isLetter(c) || isDigit(c);
        if (!fits)
            return false;
    }
    return true;
}

bool IsRepositoryLogin(const std::string& login) {
    if (login.empty())
        return false;
    for (char c : login)
        if (!isLetter(c) && !isDigit(c) && c != '+' && c != '-' && c != '_')
            return false;
    return true;
}

std::optional<char16_t> RepositoryFieldCharacter(char16_t character, ui::Key key, ui::Shift shift) {
    if (shift.ctrl)
        return character;
    if (key >= ui::KeyA && key <= ui::KeyZ)
        return static_cast<char16_t>(u'a' + (key - ui::KeyA));
    if (character == ui::KeyBack || character == ui::KeyReturn || character == ui::KeyEscape ||
        (character >= u'0' && character <= u'9') || (character >= u'a' && character <= u'z'))
        return character;
    if (character >= u'A' && character <= u'Z')
        return static_cast<char16_t>(character - u'A' + u'a');
    return std::nullopt;
}

TForm5::TForm5(Dialogs& dialogs, FileSystem& files) : ui::Form(dialogs, "TForm5"), files_(files) {
    clientWidth = 480;
    clientHeight = 178;
    font = ui::Font{"Arial", 14};
    keyPreview = true;

    Button1.setBounds(12, 10, 456, 30);
    Button1.onClick = [this] { Button1Click(); };
    Label1.setBounds(12, 52, 220, 18);
    Edit1.setBounds(240, 49, 228, 24);
    Label2.setBounds(12, 88, 220, 18);
    Edit2.setBounds(240, 85, 228, 24);
    for (ui::Edit* edit : {&Edit1, &Edit2}) {
        edit->onChange = [this] { EditChange(); };
        edit->onKeyPress = RepositoryFieldCharacter;
    }

    Button2.setBounds(296, 138, 80, 28);
    Button2.isDefault = true;
    Button2.modalResult = ui::ModalResult::Ok;
    Button3.setBounds(388, 138, 80, 28);
    Button3.isCancel = true;
    Button3.modalResult = ui::ModalResult::Cancel;
}

void TForm5::prepare(const std::string& programDirectory, const std::string& groupName,
                     const std::string& login) {
    programDirectory_ = programDirectory;
    groupName_ = groupName;
    login_ = login;
}

void TForm5::FormShow() {
    caption = MsgConfigureFromRepository;
    Label1.caption = MsgRepositoryGroup;
    Label2.caption = MsgStudentLogin;
    Edit1.caption = groupName_;
    Edit2.caption = login_;
    Button2.caption = "OK";
    Button3.caption = MsgCancel;
    // The remembered values are not a change: OK waits for one.
    Button2.enabled = false;
    checkCertificate();
}

void TForm5::checkCertificate() {
    const bool present = files_.fileExists(programDirectory_ + "access.dat");
    for (ui::Control* control :
         std::initializer_list<ui::Control*>{&Label1, &Label2, &Edit1, &Edit2})
        control->enabled = present;
    if (present) {
        Button1.caption = MsgReplaceCertificateF2;
        Edit1.selStart = static_cast<int>(text::toUtf16(Edit1.caption).size());
        Edit1.focus();
    } else {
        Button1.caption = MsgSelectCertificateF2;
        Button1.focus();
    }
}

void TForm5::Button1Click() {
    std::optional<std::string> chosen = dialogs_.openFile(
        OpenFileRequest{MsgSelectCertificate, "Certificates (access.dat)|access.dat",
                        programDirectory_, "", true, "dat"});
    if (!chosen)
        return;
    const std::string target = programDirectory_ + "access.dat";
    if (!files_.copyFile(*chosen, target, false))
        ShowErrorBox(dialogs_, Format(MsgCannotCopyCertificate, {*chosen, target}));
    checkCertificate();
}

void TForm5::EditChange() {
    Button2.enabled = IsRepositoryGroupName(Edit1.caption) && IsRepositoryLogin(Edit2.caption);
}

void TForm5::FormKeyDown(ui::Key key, ui::Shift shift) {
    if (key == ui::KeyF2 && shift.none())
        Button1.click();
}

void TForm5::FormClose() {
    if (modalResult == ui::ModalResult::Ok) {
        groupName_ = Edit1.caption;
        login_ = Edit2.caption;
    }
}

} // namespace qz
