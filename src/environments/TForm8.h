// The environment settings dialog: the one more value some environments need,
// the compiler of Visual Studio Code (C) and (C++) or the target .NET
// Framework version of the Visual Basic .NET, C# and F# projects.
#pragma once

#include "platform/FileSystem.h"
#include "ui/Form.h"

#include <string>

namespace qz {

enum class TForm8Mode {
    None = 0,
    Compiler = 1,         // Edit2 names the compiler executable
    FrameworkVersion = 2, // Edit2 holds a version without its "v" ("4.8")
};

class TForm8 : public ui::Form {
public:
    TForm8(Dialogs& dialogs, const FileSystem& files);

    // Set by the caller before the dialog is shown.
    TForm8Mode mode = TForm8Mode::None;
    std::string displayName;
    std::string compilerName; // "gcc" or "g++" in the compiler mode

    ui::Label Label1{*this, "Label1"};
    ui::Edit Edit2{*this, "Edit2"};
    ui::Button Button1{*this, "Button1"};
    ui::Button Button2{*this, "Button2"};
    ui::Button Button3{*this, "Button3"};
    OpenFileRequest OpenDialog1;

    void FormShow() override;
    void FormKeyDown(ui::Key key, ui::Shift shift) override;
    void Edit2Change();
    void Button1Click();
    void Button3Click();

private:
    bool valueAcceptable() const;

    const FileSystem& files_;
};

} // namespace qz
