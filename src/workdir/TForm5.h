// The repository dialog: the connection certificate of the program directory
// (selected or replaced with Button1), and the group name and student login
// with which the working directories are fetched from the teacher's
// repository. Both fields take only lower-case Latin letters and digits from
// the keyboard, whatever its layout; OK waits for a change that leaves both
// valid.
#pragma once

#include "platform/FileSystem.h"
#include "ui/Form.h"

#include <optional>
#include <string>

namespace qz {

class TForm5 : public ui::Form {
public:
    TForm5(Dialogs& dialogs, FileSystem& files);

    // Readies the dialog before it is shown: the program directory (with its
    // trailing backslash) that holds access.dat, and the remembered values.
    void prepare(const std::string& programDirectory, const std::string& groupName,
                 const std::string& login);
    // The values accepted with OK.
    const std::string& groupName() const { return groupName_; }
    const std::string& login() const { return login_; }

    ui::Button Button1{*this, "Button1"};
    ui::Label Label1{*this, "Label1"};
    ui::Edit Edit1{*this, "Edit1"};
    ui::Label Label2{*this, "Label2"};
    ui::Edit Edit2{*this, "Edit2"};
    ui::Button Button2{*this, "Button2"};
    ui::Button Button3{*this, "Button3"};

    void FormShow() override;
    void FormKeyDown(ui::Key key, ui::Shift shift) override;
    void FormClose() override;
    // Chooses a connection certificate and copies it over access.dat.
    void Button1Click();
    void EditChange();

private:
    // Enables the fields when the program directory holds a certificate.
    void checkCertificate();

    FileSystem& files_;
    std::string programDirectory_;
    std::string groupName_;
    std::string login_;
};

// A group name: 8 to 13 characters matching "aaaddadbaaaaa" position by
// position (a: a lower-case Latin letter, d: a digit, b: either), ending in
// a letter.
bool IsRepositoryGroupName(const std::string& name);
// A login: one or more lower-case Latin letters, digits, "+", "-" and "_".
bool IsRepositoryLogin(const std::string& login);
// The keyboard filter of both fields: a letter key gives its lower-case
// Latin letter whatever the layout; digits and Latin letters (made lower
// case), Backspace, Enter and Esc pass; nothing else does. While Ctrl is
// held every character passes, so that copying and pasting work.
std::optional<char16_t> RepositoryFieldCharacter(char16_t character, ui::Key key, ui::Shift shift);

} // namespace qz
