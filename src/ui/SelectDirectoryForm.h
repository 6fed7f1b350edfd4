// The standard "Select Directory" dialog: a folder name to type, the folders
// on the way to the current one and inside it, the files there, and the
// drives. Its texts are the user-interface layer's standard texts, so it
// speaks the active language. A typed folder that does not exist may be
// created, after a question, as the request allows.
#pragma once

#include "platform/FileSystem.h"
#include "ui/Form.h"

namespace qz::ui {

class SelectDirectoryForm : public Form {
public:
    SelectDirectoryForm(Dialogs& dialogs, FileSystem& files, const SelectFolderRequest& request);

    // The folder shown; after OK, the folder chosen.
    const std::string& directory() const { return directory_; }
    // Shows the folder's contents (and the drive it lies on).
    void changeDirectory(const std::string& folder);

    Label Label1{*this, "Label1"}; // directory name
    Edit Edit1{*this, "Edit1"};
    Label Label2{*this, "Label2"}; // directories
    Label Label3{*this, "Label3"}; // the folder shown
    ListBox DirList{*this, "DirList"};
    Label Label4{*this, "Label4"}; // files
    ListBox FileList{*this, "FileList"};
    Label Label5{*this, "Label5"}; // drives
    ComboBox DriveCombo{*this, "DriveCombo"};
    Button OKButton{*this, "OKButton"};
    Button CancelButton{*this, "CancelButton"};

    void OKButtonClick();
    void DirListDblClick();
    void DriveComboChange();

private:
    FileSystem& files_;
    SelectFolderRequest request_;
    std::string directory_;
    std::vector<std::string> dirPaths_; // the folder of each DirList item
    std::vector<char> drives_;          // the letter of each DriveCombo item
};

} // namespace qz::ui
