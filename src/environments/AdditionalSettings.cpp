#include "environments/AdditionalSettings.h"

#include "environments/SlotRanges.h"
#include "text/Text.h"

namespace qz {

TForm8Mode AdditionsMode(int slot) {
    if (IsDotNetSlot(slot))
        return TForm8Mode::FrameworkVersion;
    if (slot == kVsCodeCSlot || slot == kVsCodeCppSlot)
        return TForm8Mode::Compiler;
    return TForm8Mode::None;
}

bool EditEnvironmentAdditions(TForm8& dialog, EnvironmentCatalogue& catalogue,
                              TemplateUpdater& updater, int slot) {
    TForm8Mode mode = AdditionsMode(slot);
    if (mode == TForm8Mode::None)
        return false;
    EnvironmentEntry& entry = catalogue.entry(slot);
    dialog.mode = mode;
    dialog.displayName = entry.displayName;
    dialog.compilerName = slot == kVsCodeCSlot ? "gcc" : "g++";
    // Framework versions are stored with a "v" the user does not type.
    dialog.Edit2.caption = mode == TForm8Mode::FrameworkVersion && !entry.additions.empty()
                               ? entry.additions.substr(1)
                               : entry.additions;
    dialog.Edit2.selStart = static_cast<int>(text::toUtf16(dialog.Edit2.caption).size());
    if (dialog.showModal() != ui::ModalResult::Ok)
        return false;

    if (mode == TForm8Mode::FrameworkVersion) {
        entry.additions = "v" + dialog.Edit2.caption;
        updater.updateFrameworkVersion(slot);
    } else {
        entry.additions = dialog.Edit2.caption;
        updater.updateVsCodeTemplates(slot, entry.additions);
    }
    return true;
}

void EditOutputSettings(TForm7& dialog, TemplateUpdater& updater, OutputFolderSetting& output,
                        std::string& font, const std::string& currentWorkDir) {
    dialog.output = output;
    dialog.currentWorkDir = currentWorkDir;
    (font == "Consolas" ? dialog.RadioButton1 : dialog.RadioButton2).setChecked(true);
    if (dialog.showModal() != ui::ModalResult::Ok)
        return;

    OutputFolderSetting chosen{dialog.CheckBox1.checked(), text::trim(dialog.Edit2.caption)};
    if (chosen.useLocalDir != output.useLocalDir ||
        (chosen.useLocalDir &&
         text::upper(chosen.localDirName) != text::upper(output.localDirName)))
        updater.updateOutputFolder(chosen);
    output = chosen;
    font = dialog.RadioButton1.checked ? "Consolas" : "Courier New";
}

} // namespace qz
