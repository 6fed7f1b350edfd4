#include "installer/TInstF3.h"

#include "installer/DistributionPassword.h"
#include "installer/FinishingSteps.h"
#include "installer/Rollback.h"
#include "installer/UninstallRecord.h"
#include "locale/Format.h"
#include "locale/Language.h"
#include "text/Text.h"

namespace qz {

TInstF3::TInstF3(Platform& platform, InstallerSetup& setup, InstallLog& log)
    : ui::Form(platform.dialogs, "TInstF3"), QzUnZip1(platform), platform_(platform), setup_(setup),
      log_(log) {
    borderStyle = ui::BorderStyle::None;
    clientWidth = 520;
    clientHeight = 52;
    font = ui::Font{"Arial", 14};
    Label1.setBounds(5, 6, clientWidth - 10, 18);
    ProgressBar1.setBounds(5, 28, clientWidth - 10, 18);

    QzUnZip1.RecreateDirs = true;
    QzUnZip1.OverwriteMode = TUZOverwriteMode::Always;
    QzUnZip1.DoAll = true;
    QzUnZip1.OnTotalPercentDone = [this](TQzUnZip&, int percent) {
        QzUnZip1TotalPercentDone(percent);
    };
    QzUnZip1.OnEndUnZip = [this](TQzUnZip&, int fileIndex, const std::string&) {
        QzUnZip1EndUnZip(fileIndex);
    };
}

void TInstF3::placeBelow(const ui::Form& wizard) {
    placedBelow = &wizard;
    clientWidth = wizard.clientWidth;
    layOut();
}

void TInstF3::layOut() {
    Label1.width = clientWidth - 10;
    ProgressBar1.left = 5;
    ProgressBar1.width = clientWidth - 10;
}

void TInstF3::FormCloseQuery(bool& canClose) {
    canClose = false;
}

void TInstF3::FormActivate() {
    // The window is activated again whenever a message box of the work
    // closes: the work starts once.
    if (started_)
        return;
    started_ = true;
    layOut();
    platform_.dialogs.processMessages();
    install();
}

void TInstF3::installWithoutWindow() {
    started_ = true;
    install();
}

void TInstF3::install() {
    FileSystem& files = platform_.files;
    ResolvePlaceholders(setup_);
    ProgressBar1.position = 0;
    ProgressBar1.max =
        progressMaximum(setup_.volumeCount, static_cast<int>(setup_.shortcuts.size()));
    record_ = PlacementRecord{};
    completed_ = false;
    setup_.tempDir = CreateTemporaryFolder(files, setup_.installDir);
    if (setup_.tempDir.empty() || !files.createDirectories(setup_.extractionDir())) {
        dataCopyFailure();
        return;
    }
    QzUnZip1.Password = DistributionPassword;
    QzUnZip1.SetDestDir(setup_.extractionDir());
    files.createDirectories(setup_.installDir + "\\UNINST");

    // The installed configuration tool is this program under the name that
    // chooses the configuration role; it is placed after the archive.
    const std::string ownCopy = setup_.extractionDir() + "\\" + SetupProgram;
    files.copyFile(platform_.system.programPath(), ownCopy, false);
    if (auto attributes = files.attributes(ownCopy); attributes && (*attributes & AttrReadOnly))
        files.setAttributes(ownCopy, *attributes & ~AttrReadOnly);

    record_.uninstallList = {UninstallMessageLine(), setup_.installDir + "\\SAMPLES\\a",
                             setup_.installDir + "\\LIB\\a"};
    for (int volume = 1; volume <= setup_.volumeCount && !completed_; ++volume) {
        currentVolume_ = volume;
        endedEntries_.clear();
        try {
            QzUnZip1.SetZipName(setup_.volumePath(volume));
            QzUnZip1.UnZip();
            if (!completed_)
                listFailedEntries();
        } catch (const std::exception& error) {
            // Reported below as a data-copy error; the log keeps the cause.
            log_.write("archive error: " + setup_.volumeName(volume) + ": " + error.what());
            break;
        }
    }
    if (!completed_)
        dataCopyFailure();
}

void TInstF3::listFailedEntries() {
    for (int i = 0; i < QzUnZip1.Count(); ++i)
        if (!QzUnZip1.Entry(i).IsDirectory() && !endedEntries_.contains(i)) {
            const std::string target = PlacementTarget(setup_, QzUnZip1.FullName(i));
            record_.notCreated += ProblemListItem(target);
            log_.write("not created (the archive entry is damaged): " + target);
        }
}

void TInstF3::QzUnZip1TotalPercentDone(int percent) {
    ProgressBar1.position = progressPosition(currentVolume_, percent);
}

void TInstF3::QzUnZip1EndUnZip(int fileIndex) {
    Label1.caption = InstallerTitle() + Pick(": копирование файлов...", ": copying files...");
    endedEntries_.insert(fileIndex);
    const std::string entry = QzUnZip1.FullName(fileIndex);
    const Placement placement = PlaceEntry(platform_, setup_, record_, entry);
    log_.write(std::string(PlacementName(placement)) + ": " +
               (placement == Placement::Excluded ? entry : PlacementTarget(setup_, entry)));
    if (fileIndex + 1 != QzUnZip1.Count() || currentVolume_ != setup_.volumeCount)
        return;
    listFailedEntries();
    ProgressView view{[this](const std::string& phase) { Label1.caption = phase; },
                      [this](int step) { ProgressBar1.position += step; }};
    const bool withoutProblems = RunFinishingSteps(platform_, setup_, record_, view);
    completed_ = true;
    logFinish();
    outcome_ = withoutProblems ? InstallOutcome::Installed : InstallOutcome::InstalledWithProblems;
    terminateApplication();
}

void TInstF3::logFinish() {
    // The tool's own copy is placed by the finishing steps, after the archive.
    const std::string tool = PlacementTarget(setup_, SetupProgram);
    const bool toolPlaced = record_.placedKeys.contains(text::upper(tool));
    log_.write(std::string(PlacementName(toolPlaced ? Placement::Placed : Placement::NotUpdated)) +
               ": " + tool);
    for (const std::string& link : record_.createdLinks)
        log_.write("link: " + link);
    log_.write("uninstall record: " + setup_.installDir + "\\UNINST\\" + LogName);
    if (!record_.uninstallEntry.empty())
        log_.write("uninstall entry: " + record_.uninstallEntry);
    for (const std::string& line : record_.droppedRecordLines)
        log_.write("dropped from the earlier record (not inside the installation): " + line);
    if (!record_.notUpdated.empty())
        log_.write("problem: not updated: " +
                   record_.notUpdated.substr(0, record_.notUpdated.size() - 2));
    if (!record_.notCreated.empty())
        log_.write("problem: not created: " +
                   record_.notCreated.substr(0, record_.notCreated.size() - 2));
}

void TInstF3::dataCopyFailure() {
    platform_.dialogs.showMessage(
        {MessageKind::Error,
         Format(Pick("Ошибка при копировании данных. В Windows Vista и Windows 8 данная ошибка, "
                     "вероятнее всего, связана с тем, что программа установки была запущена не "
                     "от имени администратора. Возможно также, что испорчен файл "
                     "%s.\r\nПродолжение установки невозможно.",
                     "Data-copy error. It seems likely that the install application is not in "
                     "the administrator mode or the %s file is corrupted. Installation will be "
                     "terminated."),
                {setup_.volumeName(currentVolume_)}),
         "",
         {DialogButton::Ok}});
    RollBackInstallation(platform_.files, setup_, record_);
    log_.write("rolled back: everything placed was removed, every replaced file put back");
    outcome_ = InstallOutcome::RolledBack;
    terminateApplication();
}

} // namespace qz
