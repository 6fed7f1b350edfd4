// The configuration tool's main window: a two-page wizard with the
// environments page and the working-directory page, the bottom panel with
// navigation, version, web site, About box and language toggle, the start-up
// work and the settings written at close.
#pragma once

#include "configtool/EnvironmentPage.h"
#include "configtool/TForm3.h"
#include "configtool/WorkDirPage.h"
#include "environments/EnvironmentCatalogue.h"
#include "environments/EnvironmentSettings.h"
#include "environments/TForm7.h"
#include "environments/TForm8.h"
#include "environments/TemplateUpdates.h"
#include "platform/Ftp.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "ui/Form.h"
#include "workdir/TForm4.h"
#include "workdir/TForm5.h"

#include <vector>

namespace qz {

// The dialogs of the window pass that the main window opens.
struct ToolDialogs {
    TForm3& about;
    TForm4& name;                // the student's name for a results file
    TForm7& outputSettings;      // output folder and font
    TForm8& environmentSettings; // one environment's additional setting
    TForm5& repository;          // group and login in the teacher's repository
};

// The problem book's web site, opened by the link in the bottom panel.
inline constexpr const char* WebsiteAddress = "https://quazzle.example.org/";

// How a configuration without the window ended; the tool's exit status.
enum class ConfigureOutcome {
    Configured = 0,         // start-up done, QZ.INI written (with -FAST: not written)
    StartupRefused = 1,     // the start-up stopped (its message says why): nothing written
    SettingsNotWritten = 2, // QZ.INI or the settings directory's copy could not be written
};

class TForm1 : public ui::Form {
private:
    // Declared first: the pages are built on them.
    Platform& platform_;
    std::string programDirectory_;
    EnvironmentCatalogue catalogue_;
    EnvironmentSettings environmentSettings_;
    TemplateUpdater templates_;
    ToolDialogs dialogs_;
    Ftp& ftp_;

public:
    TForm1(Platform& platform, ToolDialogs dialogs, Ftp& ftp);

    ui::Panel Panel7{*this, "Panel7"};
    ui::PageControl PageControl1{*this, "PageControl1"};
    ui::TabSheet TabSheet12{*this, "TabSheet12", PageControl1};
    ui::TabSheet TabSheet3{*this, "TabSheet3", PageControl1};
    EnvironmentPage environmentPage{*this, TabSheet12, platform_, catalogue_, templates_};

    WorkDirPage workDirPage{*this,
                            TabSheet3,
                            platform_,
                            catalogue_,
                            {environmentPage.CheckListBox1, Button26, dialogs_.name,
                             settings_.defaultEnvir, settings_.label, programDirectory_}};

    ui::Panel Panel8{*this, "Panel8"};
    ui::Label Label15{*this, "Label15", &Panel8};
    ui::Label Label49{*this, "Label49", &Panel8};
    ui::Label Label48{*this, "Label48", &Panel8};
    ui::Label Label5{*this, "Label5", &Panel8};
    ui::Label Label66{*this, "Label66", &Panel8};
    ui::Button Button24{*this, "Button24", &Panel8};
    ui::Button Button25{*this, "Button25", &Panel8};
    ui::Button Button26{*this, "Button26", &Panel8};

    void FormShow() override;
    void FormClose() override;
    void FormKeyDown(ui::Key key, ui::Shift shift) override;
    void ShowPage(int page);
    void PageControl1Change();
    void Button24Click();
    void Button25Click();
    void Button26Click();
    void Button1Click();
    void SpeedButton2Click();
    void Button83Click();
    // Configures working directories from the teacher's repository.
    void Button11Click();
    void Label66Click();

    // The start-up has run; writes the settings as the close does, without
    // the window ever being shown.
    ConfigureOutcome configureWithoutWindow();

    const Settings& settings() const { return settings_; }
    EnvironmentCatalogue& catalogue() { return catalogue_; }
    const std::string& programDirectory() const { return programDirectory_; }
    int pageCount() const { return static_cast<int>(pages_.size()); }

private:
    void layOut();
    void setCaptions();
    void layOutBottomLabels();
    // Panel7's font: 20 pixels high, smaller when the page title needs it.
    void fitTitle();
    // The start-up steps; a failure sets QuitOnShow.
    void FormCreate();
    bool toolsPresent();
    void readSettings();
    void recordInstallDirectory();
    void createLibFolder();

    SettingsFile settingsFile_;
    SettingsCommandLine commandLine_;
    Settings settings_;
    std::vector<ui::TabSheet*> pages_;
    bool startupDone_ = false;
    bool settingsWritten_ = false;
};

} // namespace qz
