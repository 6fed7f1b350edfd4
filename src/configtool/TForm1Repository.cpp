// The working-directory page's "Configure from repository": the repository
// dialog, the working directories made from the teacher's repository, and
// the list, Explorer windows and main window after them.
#include "configtool/TForm1.h"

#include "text/Text.h"
#include "workdir/ConfigureFromRepository.h"

#include <algorithm>

namespace qz {
namespace {

// Puts the folders at the top of the list in their order: a listed folder
// (whatever its letter case) moves up, the others keep their order.
void putFirst(std::vector<std::string>& list, const std::vector<std::string>& folders) {
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        auto listed = std::find_if(list.begin(), list.end(), [&](const std::string& item) {
            return text::equalsIgnoreCase(item, *folder);
        });
        if (listed == list.end())
            list.insert(list.begin(), *folder);
        else
            std::rotate(list.begin(), listed, listed + 1);
    }
}

} // namespace

void TForm1::Button11Click() {
    TForm5& dialog = dialogs_.repository;
    dialog.prepare(programDirectory_, settings_.reposName, settings_.reposLogin);
    if (dialog.showModal() != ui::ModalResult::Ok)
        return;
    settings_.reposName = dialog.groupName();
    settings_.reposLogin = dialog.login();

    const std::string userProfile =
        platform_.system.environmentVariable("userprofile").value_or(std::string());
    RepositoryConfiguration result =
        ConfigureFromRepository(platform_.files, ftp_, userProfile, settings_.reposName,
                                settings_.reposLogin, programDirectory_);
    if (!result.error.empty()) {
        ShowErrorBox(platform_.dialogs, result.error);
        return;
    }

    ui::ListBox& list = workDirPage.ListBox1;
    putFirst(list.items, result.directories);
    list.itemIndex = 0;
    workDirPage.RefreshWorkDirStatus();
    for (const std::string& folder : result.directories)
        platform_.shell.exploreFolder(folder);
    close();
}

} // namespace qz
