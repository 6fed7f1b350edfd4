// The end of a successful extraction: the configuration tool's copy put in
// place, the temporary folder removed, the program group and its shortcuts, the uninstall
// record, the final message and the start of the configuration tool.
#pragma once

#include "installer/EntryPlacement.h"

#include <functional>

namespace qz {

// How the progress window shows these steps.
struct ProgressView {
    std::function<void(const std::string&)> showPhase;
    std::function<void(int)> advance; // moves the bar on by this much
};

// What went wrong, as the final message lists it.
struct InstallProblems {
    std::string notUpdated; // "\"path\", " each
    std::string notCreated;
    std::string shortcutFailures;
    std::string groupFailure; // a whole sentence with CR LF, or empty
    bool any() const {
        return !notUpdated.empty() || !notCreated.empty() || !shortcutFailures.empty() ||
               !groupFailure.empty();
    }
};

// The final message. groupSentence: the program group was to be made and
// the shortcut table is not empty; setupWillRun: the configuration tool is
// there and will be started.
std::string FinalMessageText(const InstallProblems& problems, bool groupSentence,
                             bool setupWillRun);

// True when the installation ended without a problem to report.
bool RunFinishingSteps(Platform& platform, const InstallerSetup& setup, PlacementRecord& record,
                       const ProgressView& view);

} // namespace qz
