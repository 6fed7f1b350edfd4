// What the main window does with its two additional-settings dialogs: the
// environment setting of one slot (TForm8, environment page) and the output
// folder and font (TForm7, working-directory page), with the template
// rewrites that their answers call for.
#pragma once

#include "environments/EnvironmentCatalogue.h"
#include "environments/TForm7.h"
#include "environments/TForm8.h"
#include "environments/TemplateUpdates.h"

#include <string>

namespace qz {

// The dialog mode a slot's additional setting takes; None for slots that
// have none.
TForm8Mode AdditionsMode(int slot);

// Shows TForm8 for the slot, unless it has no additional setting. On OK the
// slot's additions take the value and its templates follow it; the result is
// then true, and the caller recomputes the slot's status.
bool EditEnvironmentAdditions(TForm8& dialog, EnvironmentCatalogue& catalogue,
                              TemplateUpdater& updater, int slot);

// Shows TForm7 with the stored output folder and font; Browse starts in the
// current working directory when the dialog's folder does not exist. On OK a
// changed output folder is written into the templates, and the stored values
// take the dialog's; Cancel changes nothing.
void EditOutputSettings(TForm7& dialog, TemplateUpdater& updater, OutputFolderSetting& output,
                        std::string& font, const std::string& currentWorkDir);

} // namespace qz
