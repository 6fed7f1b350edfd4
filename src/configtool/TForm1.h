// The configuration tool's main window, as far as it is built yet: its frame,
// the settings it reads at start and writes at close, the fast-mode and
// start-up-failure quit, the language toggle and Exit. The environment and
// working-directory pages join it later.
#pragma once

#include "platform/Platform.h"
#include "settings/Settings.h"
#include "ui/Form.h"

namespace qz {

class TForm1 : public ui::Form {
public:
    explicit TForm1(Platform& platform);

    ui::Panel Panel7{*this, "Panel7"};
    ui::Panel Panel8{*this, "Panel8"};
    ui::Label Label15{*this, "Label15", &Panel8};
    ui::Label Label66{*this, "Label66", &Panel8};
    ui::Button Button26{*this, "Button26", &Panel8};

    void FormShow() override;
    void FormClose() override;
    void FormKeyDown(ui::Key key, ui::Shift shift) override;
    void Button26Click();
    void Label66Click();

    const Settings& settings() const { return settings_; }

private:
    void FormCreate();

    Platform& platform_;
    std::string programDirectory_;
    SettingsFile settingsFile_;
    SettingsCommandLine commandLine_;
    Settings settings_;
};

} // namespace qz
