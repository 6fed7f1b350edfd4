// The working-directory page of the main window: the list of working
// directories, the state of the selected one (results file, environment,
// certificate), the list operations, adding a folder and creating its
// results file, adding and deleting a certificate. Every operation ends with
// RefreshWorkDirStatus, which recomputes the page from the disk.
#pragma once

#include "environments/EnvironmentCatalogue.h"
#include "platform/Platform.h"
#include "ui/Form.h"
#include "workdir/TForm4.h"

#include <string>

namespace qz {

class WorkDirPage {
public:
    // What the page needs of its window: the environment check list (the
    // combo brings its check states up to date), the exit button, whose
    // caption says whether the folder is ready, the name dialog, and the
    // settings values of the current environment key ("0" for none) and of
    // the last student name.
    struct Window {
        ui::CheckListBox& environmentList;
        ui::Button& exitButton;
        TForm4& nameDialog;
        std::string& environmentKey;
        std::string& lastStudentName;        // the name last entered in the name dialog
        const std::string& programDirectory; // with its trailing backslash
    };

    WorkDirPage(ui::Form& form, ui::TabSheet& page, const Platform& platform,
                EnvironmentCatalogue& catalogue, Window window);
    WorkDirPage(const WorkDirPage&) = delete;
    WorkDirPage& operator=(const WorkDirPage&) = delete;

    ui::ListBox ListBox1;
    ui::Button Button8;
    ui::Button Button9;
    ui::Button Button13;
    ui::Button Button7;
    ui::Button Button14;
    ui::Label Label21;
    ui::StaticText StaticText4;
    ui::Label Label20;
    ui::ComboBox ComboBox1;
    ui::Label Label6;
    ui::StaticText StaticText1;
    ui::Button Button6;
    ui::Label Label12;
    ui::Button Button11;
    ui::Button Button83;

    // Captions in the active language.
    void setCaptions();

    // The selected folder, or empty text.
    std::string CurrentWorkDir() const;
    void RefreshWorkDirStatus();
    // Refills ComboBox1 with the connected environments (the MPI runtimes
    // excepted) and selects the one named by code and version.
    void FillEnvironmentCombo(const std::string& code, int version);
    // Slot of the first entry whose display name is ComboBox1's text, or 0.
    int FindEnvironmentByName() const;

    // Entering the page shows it afresh; the exit button's caption follows
    // the page in and out.
    void pageEntered();
    void pageLeft();

    void ListBox1Click();
    void ComboBox1Change();
    void Button8Click();
    void Button9Click();
    void Button7Click();
    // Adds a folder chosen in the select-directory dialog (creating its
    // results file for the owner when it has none).
    void Button13Click();
    // Creates the results file anew with the name the user enters.
    void Button14Click();
    // Deletes the certificate the page shows, or adds one the user chooses.
    void Button6Click();

private:
    bool active() const;
    void enableListButtons();
    void moveSelected(int step);
    // Stores slot's environment in the folder's results file and makes it
    // the current environment.
    void writeEnvironment(const std::string& folder, int slot);
    void showStatus(const std::string& message, bool red);
    void showReady(bool ready);
    std::string startFolder();
    void showFolderMessage(MessageKind kind, const std::string& pattern, const std::string& folder);
    void addCertificate(const std::string& folder);
    bool confirmRecreation(const std::string& folder);
    // The student's name until one is entered: the Windows user name, or
    // "QZ4 User" when it cannot be read.
    std::string ownerName() const;
    void deleteCertificate(const std::string& folder);

    ui::TabSheet& page_;
    Platform platform_;
    EnvironmentCatalogue& catalogue_;
    Window window_;
    // The certificate shown is access0.dat (grey), not access.dat.
    bool certificateSwitchedOff_ = false;
};

} // namespace qz
