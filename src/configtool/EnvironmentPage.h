// The environments page of the main window: the check list of the
// environments whose modules are installed, the executable and status of the
// selected one, and the actions that connect, suspend, reorder and remove
// environments or point them at their executables.
#pragma once

#include "environments/EnvironmentCatalogue.h"
#include "environments/TemplateUpdates.h"
#include "platform/Platform.h"
#include "ui/Form.h"

#include <functional>

namespace qz {

class EnvironmentPage {
public:
    EnvironmentPage(ui::Form& form, ui::TabSheet& page, const Platform& platform,
                    EnvironmentCatalogue& catalogue, TemplateUpdater& templates);
    EnvironmentPage(const EnvironmentPage&) = delete;
    EnvironmentPage& operator=(const EnvironmentPage&) = delete;

    ui::CheckListBox CheckListBox1;
    ui::Label Label25;
    ui::StaticText StaticText10;
    ui::Button Button20;
    ui::StaticText StaticText13;
    ui::Button Button5;
    ui::Button Button3;
    ui::Button Button4;
    ui::Button Button39;

    // Captions in the active language.
    void setCaptions();
    // Shows the catalogue's check list; the remove button is usable while it
    // holds more than one item.
    void showList();
    // At start-up: every environment with modules but no executable is
    // detected (one detection session for all), then each one's status.
    void detectAndRefreshAll();

    // The status of one environment: text and colour, connectedOk, its check
    // state, and what the page offers for it.
    void RefreshEnvironmentStatus(int slot);

    void CheckListBox1Click();
    void CheckListBox1ClickCheck();
    void Button3Click();
    void Button4Click();
    void Button20Click();
    void Button39Click();
    void Button5Click();

    // Additional settings of the selected environment (the dialog is the
    // window pass's); nothing set: the button does nothing.
    std::function<void(int slot)> onAdditionalSettings;

private:
    int selectedSlot() const;
    int itemOf(int slot) const;
    void moveSelected(int step);
    void showExecutable(const EnvironmentEntry& e);
    void vsCodeCompiler(int slot, bool& red);

    Platform platform_;
    EnvironmentCatalogue& catalogue_;
    TemplateUpdater& templates_;
};

} // namespace qz
