// The installer's progress window: a bare panel below the wizard that
// extracts the distribution archive, places each entry as it arrives, and
// ends the program, either through the finishing steps or, when the archive
// cannot be read to its end, through a rollback of everything placed.
#pragma once

#include "installer/EntryPlacement.h"
#include "installer/InstallLog.h"
#include "installer/InstallOutcome.h"
#include "ui/Form.h"
#include "unzip/QzUnZip.h"

#include <unordered_set>

namespace qz {

class TInstF3 : public ui::Form {
public:
    TInstF3(Platform& platform, InstallerSetup& setup, InstallLog& log = NoInstallLog());

    // The work without the window, for an installation that shows none.
    void installWithoutWindow();

    // Puts the window below the wizard, as wide as the wizard's frame.
    void placeBelow(const ui::Form& wizard);

    // The bar's position for a volume (from 1) and the percentage of its
    // extraction.
    static int progressPosition(int volume, int percent) { return volume * 100 + percent - 100; }
    // The bar's end: a hundred per volume and five per shortcut.
    static int progressMaximum(int volumes, int shortcuts) { return volumes * 100 + shortcuts * 5; }

    ui::Label Label1{*this, "Label1"};
    ui::ProgressBar ProgressBar1{*this, "ProgressBar1"};
    TQzUnZip QzUnZip1;

    void FormActivate() override;
    void FormCloseQuery(bool& canClose) override;
    void QzUnZip1TotalPercentDone(int percent);
    void QzUnZip1EndUnZip(int fileIndex);

    bool completed() const { return completed_; }
    // NotInstalled until the work has ended one way or the other.
    InstallOutcome outcome() const { return outcome_; }

private:
    void layOut();
    void install();
    void dataCopyFailure();
    // Lists the current volume's file entries that never reached their end
    // (bad CRC or password, unknown method, skipped) as not created.
    void listFailedEntries();
    void logFinish();

    Platform& platform_;
    InstallerSetup& setup_;
    InstallLog& log_;
    PlacementRecord record_;
    bool started_ = false;
    bool completed_ = false;
    int currentVolume_ = 1;
    std::unordered_set<int> endedEntries_; // of the current volume
    InstallOutcome outcome_ = InstallOutcome::NotInstalled;
};

} // namespace qz
