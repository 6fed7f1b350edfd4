#include "installer/TInstF1.h"

#include "installer/FileDate.h"
#include "installer/InstallChecks.h"
#include "installer/TSelLangForm.h"
#include "locale/Format.h"
#include "locale/Language.h"

namespace qz {
namespace {

constexpr ui::Color TitleColor = ui::rgb(0, 0, 192);
constexpr int AutoRunDelay = 200; // milliseconds after the window shows

} // namespace

TInstF1::TInstF1(Platform& platform, const InstallerOptions& options, InstallLog& log)
    : ui::Form(platform.dialogs, "TInstF1"), platform_(platform), options_(options), log_(log),
      setup_(ReadInstallerSetup(platform)), viewer_(platform), progress_(platform, setup_, log) {
    ApplyInstallerOptions(setup_, options_);
    if (options_.allUsers)
        useCommonFolders();
    clientWidth = 600;
    clientHeight = 290;
    keyPreview = true;
    font = ui::Font{"Arial", 14};

    const ui::Font title{"Times New Roman", 36, true, false, TitleColor};
    Label1.setBounds(20, 10, 560, 46);
    Label1.font = title;
    Label1.transparent = true;
    // The grey shadow: 2 pixels right of and 1 pixel below the title.
    Label2.setBounds(Label1.left + 2, Label1.top + 1, Label1.width, Label1.height);
    Label2.font = ui::Font{title.name, title.height, true, false, ui::clGray};
    Label2.transparent = true;
    Label3.setBounds(20, 60, 560, 40);
    Label3.wordWrap = true;
    Label3.font = ui::Font{"Arial", 16, true, false, TitleColor};
    Label4.setBounds(20, 104, 560, 18);
    Label4.alignment = ui::Alignment::Right;
    Label4.font = ui::Font{"Arial", 14, false, false, TitleColor};
    Label6.setBounds(20, 126, 560, 18);
    Label6.font = Label4.font;
    // A smaller font leaves the folder field room beside the long prompt.
    Label5.setBounds(20, 173, 0, 18);
    Label5.font = ui::Font{"Arial", 12};
    Edit1.setBounds(0, 168, 0, 24);
    Button1.setBounds(470, 200, 110, 28);
    Button2.setBounds(20, 248, 150, 28);
    Button3.setBounds(180, 248, 190, 28);
    Button4.setBounds(380, 248, 95, 28);
    Button4.isDefault = true;
    Button5.setBounds(485, 248, 95, 28);
    Timer1.enabled = false;
    Timer1.interval = AutoRunDelay;

    Timer1.onTimer = [this] { Timer1Timer(); };
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(1); };
    Button3.onClick = [this] { Button2Click(2); };
    Button4.onClick = [this] { Button4Click(); };
    Button5.onClick = [this] { Button5Click(); };

    chooseLanguage();
    setTexts();
    Edit1.caption = setup_.programFilesDir + "\\QZ4";
    const int editRight = 580;
    Label5.width = platform.dialogs.textWidth(Label5.caption, ui::toFontSpec(*Label5.font));
    Edit1.left = Label5.right() + 20;
    Edit1.width = editRight - Edit1.left;
    if (!dataFilesPresent())
        return;
    showVersion();
    placeDocumentButtons();
    if (!setup_.proposedInstallDir.empty())
        Edit1.caption = setup_.proposedInstallDir;
}

void TInstF1::chooseLanguage() {
    if (!options_.language.empty()) {
        SetLanguage(options_.language);
    } else if (SystemLanguageCode() == "ru" && !options_.unattended()) {
        TSelLangForm dialog(platform_);
        dialog.showModal();
        SetLanguage(dialog.language());
    } else {
        SetLanguage(SystemLanguageCode() == "ru" ? "ru" : "en");
    }
    setup_.setupParameters = "-l" + ActiveLanguage();
}

void TInstF1::setTexts() {
    caption = Pick("QZ4Complete Install - Программа установки", "QZ4Complete Install");
    Label1.caption = "Quazzle 4";
    Label2.caption = Label1.caption;
    Label3.caption =
        Pick("Электронный задачник по программированию (полный вариант)", "Complete Edition");
    Label4.caption = "Copyright (c) Quazzle Project Team";
    Label5.caption = Pick("Задачник будет установлен в следующем каталоге:",
                          "Select the directory where you would like QZ4 to be installed:");
    Button1.caption = Pick("Обзор...", "Browse...");
    Button2.caption = Pick(Format("Описание %s", {ProductNounGenitive()}), "About QZ4");
    Button3.caption = Pick("Лицензионное соглашение", "License agreement");
    Button4.caption = Pick("Установка", "Install");
    Button5.caption = Pick("Выход", "Exit");
    readmeFile_ = Pick("readme.txt", "readme_en.txt");
    licenceFile_ = Pick("license.txt", "license_en.txt");
}

bool TInstF1::dataFilesPresent() {
    for (int volume = 1; volume <= setup_.volumeCount; ++volume) {
        if (platform_.files.fileExists(setup_.volumePath(volume)))
            continue;
        platform_.dialogs.showMessage(
            {MessageKind::Error,
             Format(Pick("Не найден файл %s.\r\nВыполнить установку %s %s невозможно.",
                         "The %s file is not found. Installation will be terminated."),
                    {setup_.volumeName(volume), ProductNounGenitive(), std::string(ProductName)}),
             "",
             {DialogButton::Ok}});
        terminateApplication();
        return false;
    }
    return true;
}

void TInstF1::showVersion() {
    auto time = platform_.files.lastWriteTime(setup_.volumePath(1));
    auto date = time ? LocalDateOf(platform_.system, *time) : std::nullopt;
    Label6.caption = date ? Format(Pick("Версия %s от %s", "Version %s (Build %s)"),
                                   {std::string(InstallerVersion), FormatDate(*date)})
                          : std::string();
}

void TInstF1::placeDocumentButtons() {
    if (!platform_.files.fileExists(setup_.startDir + "\\" + readmeFile_)) {
        Button2.visible = false;
        Button3.left = Button2.left;
    }
    if (!platform_.files.fileExists(setup_.startDir + "\\" + licenceFile_))
        Button3.visible = false;
}

// The program group and the desktop link for every user of the computer, when
// the installer may write there (it runs elevated); else the user's own.
void TInstF1::useCommonFolders() {
    const std::string programs = platform_.system.specialFolder(SpecialFolder::CommonPrograms);
    const std::string desktop = platform_.system.specialFolder(SpecialFolder::CommonDesktop);
    const std::string probe = programs + "\\$$tfile$.tmp";
    auto file = programs.empty() || desktop.empty() ? nullptr
                                                    : platform_.files.open(probe, OpenMode::Create);
    if (!file) {
        log_.write("links for the current user: the common folders cannot be written");
        return;
    }
    file->close();
    platform_.files.deleteFile(probe);
    setup_.programsDir = programs;
    setup_.desktopDir = desktop;
    setup_.shortcuts = ShortcutTable(programs, desktop, setup_.systemDir);
}

void TInstF1::FormShow() {
    if (setup_.autoRun)
        Timer1.enabled = true;
}

void TInstF1::Timer1Timer() {
    Timer1.enabled = false;
    Button4Click();
}

void TInstF1::Button1Click() {
    SelectFolderRequest request;
    request.initialDirectory =
        platform_.files.directoryExists(Edit1.caption) ? Edit1.caption : setup_.programFilesDir;
    request.allowCreate = true;
    request.performCreate = true;
    request.prompt = true;
    if (auto chosen = platform_.dialogs.selectFolder(request))
        Edit1.caption = *chosen;
}

void TInstF1::Button2Click(int tag) {
    if (tag == 1)
        viewer_.showDocument(setup_.startDir + "\\" + readmeFile_,
                             TInstF2::readmeCaption(ProductNounGenitive()));
    else
        viewer_.showDocument(setup_.startDir + "\\" + licenceFile_, TInstF2::licenceCaption());
}

void TInstF1::Button4Click() {
    if (!RunInstallChecks(platform_, setup_, Edit1.caption))
        return;
    progress_.placeBelow(*this);
    showProgress();
}

void TInstF1::showProgress() {
    progress_.Label1.caption = InstallerTitle() + Pick(": чтение данных...", ": data reading...");
    progress_.showModal();
}

void TInstF1::installUnattended() {
    if (platform_.dialogs.applicationTerminated() ||
        !RunInstallChecks(platform_, setup_, Edit1.caption))
        return;
    if (options_.mode == InstallMode::VerySilent) {
        progress_.installWithoutWindow();
        return;
    }
    showProgress();
}

void TInstF1::Button5Click() {
    close();
}

void TInstF1::FormKeyDown(ui::Key key, ui::Shift shift) {
    if (key == ui::KeyF1 && shift.none()) {
        if (Button2.visible)
            Button2Click(1);
        else if (Button3.visible)
            Button2Click(2);
    } else if (key == ui::KeyF4 && shift.alt) {
        close();
    }
}

void TInstF1::FormKeyPress(char16_t key) {
    if (key == ui::KeyEscape)
        close();
}

void TInstF1::FormCloseQuery(bool& canClose) {
    MessageRequest question{
        MessageKind::Confirmation,
        Pick(Format("Вы хотите выйти из программы,\r\nне выполнив установку %s?",
                    {ProductNounGenitive()}),
             "If you exit now, QZ4 will not be installed. Are you sure you want to exit and "
             "cancel installation?"),
        "",
        {DialogButton::Yes, DialogButton::No}};
    canClose = platform_.dialogs.showMessage(question) == DialogButton::Yes;
}

} // namespace qz
