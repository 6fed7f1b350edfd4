#include "TStandInForm.h"

#include "text/Text.h"
#include "workdir/ResultsFile.h"

namespace qz::demo {

TStandInForm::TStandInForm(Dialogs& dialogs, FileSystem& files, const StandInRole& role)
    : ui::Form(dialogs, "TStandInForm") {
    caption = std::string(role.title);
    clientWidth = 480;
    clientHeight = 156;
    font = ui::Font{"Arial", 14};

    Label1.setBounds(12, 12, 456, 40);
    Label1.wordWrap = true;
    Label1.caption = std::string(role.fileName) + ": stand-in for the program that " +
                     std::string(role.purpose) + ".";

    std::string folder = files.currentDirectory();
    Label2.setBounds(12, 58, 456, 40);
    Label2.wordWrap = true;
    Label2.caption = "Working directory: " + folder;

    Label3.setBounds(12, 104, 360, 20);
    Label3.visible = role.showsStudent;
    if (role.showsStudent)
        Label3.caption = StudentLine(files, folder);

    Button1.setBounds(388, 120, 80, 26);
    Button1.caption = "Close";
    Button1.isDefault = true;
    Button1.isCancel = true;
    Button1.modalResult = ui::ModalResult::Ok;
    activeControl = &Button1;
}

std::string StudentLine(FileSystem& files, const std::string& folder) {
    int status = ReadResultsHeader(files, folder).status;
    if (status == StatusFolderMissing || status == StatusFileMissing)
        return "No results file (results.dat) here.";
    std::string name = text::trim(ReadResultsName(files, folder).name);
    if (name.empty())
        return "The results file holds no valid student name.";
    return "Student: " + name;
}

} // namespace qz::demo
