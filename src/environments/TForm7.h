// The output folder and font dialog: where the .NET, Visual C++, SharpDevelop
// and Code::Blocks projects build, and the font of the problem book's window.
#pragma once

#include "environments/TemplateUpdates.h"
#include "platform/FileSystem.h"
#include "ui/Form.h"

#include <string>

namespace qz {

class TForm7 : public ui::Form {
public:
    TForm7(Dialogs& dialogs, FileSystem& files);

    // Set by the caller before the dialog is shown: the stored output folder
    // setting, and the folder Browse starts in when Edit2 names none.
    OutputFolderSetting output;
    std::string currentWorkDir;

    ui::Label Label1{*this, "Label1"};
    ui::CheckBox CheckBox1{*this, "CheckBox1"};
    ui::Edit Edit2{*this, "Edit2"};
    ui::Button Button3{*this, "Button3"};
    ui::Label Label2{*this, "Label2"};
    ui::RadioButton RadioButton1{*this, "RadioButton1"};
    ui::RadioButton RadioButton2{*this, "RadioButton2"};
    ui::Button Button1{*this, "Button1"};
    ui::Button Button2{*this, "Button2"};

    void FormShow() override;
    void FormKeyDown(ui::Key key, ui::Shift shift) override;
    void CheckBox1Click();
    void Edit2Change();
    void Button1Click();
    void Button3Click();

private:
    // True when the folder can be used; otherwise the user has been told why.
    bool acceptFolder(const std::string& folder);
    bool namesLocalDisk(const std::string& folder) const;

    FileSystem& files_;
};

} // namespace qz
