// The installer's wizard: the product's title and version, the readme and
// licence, the installation folder, and the Install button whose checks
// lead to the progress window. It is the installer's main window.
#pragma once

#include "installer/InstallerCommandLine.h"
#include "installer/InstallerSetup.h"
#include "installer/TInstF2.h"
#include "installer/TInstF3.h"
#include "platform/Platform.h"
#include "ui/Form.h"

namespace qz {

class TInstF1 : public ui::Form {
public:
    explicit TInstF1(Platform& platform, const InstallerOptions& options = {},
                     InstallLog& log = NoInstallLog());

    // The run of the silent modes: Install at once, with the progress window
    // alone (Silent) or no window at all (VerySilent).
    void installUnattended();

    // The shadow lies under the title: declared first, drawn first.
    ui::Label Label2{*this, "Label2"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label3{*this, "Label3"};
    ui::Label Label4{*this, "Label4"};
    ui::Label Label5{*this, "Label5"};
    ui::Label Label6{*this, "Label6"};
    ui::Edit Edit1{*this, "Edit1"};
    ui::Button Button1{*this, "Button1"};
    ui::Button Button2{*this, "Button2"};
    ui::Button Button3{*this, "Button3"};
    ui::Button Button4{*this, "Button4"};
    ui::Button Button5{*this, "Button5"};
    ui::Timer Timer1{*this, "Timer1"};

    void FormShow() override;
    void FormKeyDown(ui::Key key, ui::Shift shift) override;
    void FormKeyPress(char16_t key) override;
    void FormCloseQuery(bool& canClose) override;
    void Timer1Timer();
    void Button1Click();
    void Button2Click(int tag);
    void Button4Click();
    void Button5Click();

    const InstallerSetup& setup() const { return setup_; }
    InstallOutcome outcome() const { return progress_.outcome(); }

private:
    void chooseLanguage();
    void setTexts();
    bool dataFilesPresent();
    void showVersion();
    void placeDocumentButtons();
    void useCommonFolders();
    void showProgress();

    Platform& platform_;
    InstallerOptions options_;
    InstallLog& log_;
    InstallerSetup setup_;
    std::string readmeFile_;
    std::string licenceFile_;
    TInstF2 viewer_;
    TInstF3 progress_;
};

} // namespace qz
