#include "configtool/TForm1.h"

#include "configtool/ProcessFlags.h"
#include "environments/AdditionalSettings.h"
#include "locale/Catalogue.h"
#include "locale/Language.h"

namespace qz {
namespace {

std::string directoryOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

} // namespace

TForm1::TForm1(Platform& platform, ToolDialogs dialogs, Ftp& ftp)
    : ui::Form(platform.dialogs, "TForm1"), platform_(platform),
      programDirectory_(directoryOf(platform.system.programPath())),
      catalogue_(platform, programDirectory_), environmentSettings_(platform, catalogue_),
      templates_(platform, catalogue_), dialogs_(dialogs), ftp_(ftp),
      settingsFile_(platform, programDirectory_) {
    layOut();
    setCaptions();
    FormCreate();
}

void TForm1::layOut() {
    clientWidth = 653;
    clientHeight = 355;
    borderStyle = ui::BorderStyle::Single;
    minimizeBox = true;
    font = ui::Font{"Arial", 11};
    keyPreview = true;

    Panel7.setBounds(0, 0, 653, 45);
    Panel7.font = ui::Font{"Arial", 20};
    PageControl1.setBounds(0, 45, 653, 266);
    PageControl1.onChange = [this] { PageControl1Change(); };

    workDirPage.Button83.onClick = [this] { Button83Click(); };
    workDirPage.Button11.onClick = [this] { Button11Click(); };
    environmentPage.onAdditionalSettings = [this](int slot) {
        if (EditEnvironmentAdditions(dialogs_.environmentSettings, catalogue_, templates_, slot))
            environmentPage.RefreshEnvironmentStatus(slot);
    };

    Panel8.setBounds(0, 311, 653, 44);
    Label15.setBounds(8, 6, 100, 14);
    Label15.font = ui::Font{"Arial", 11, true};
    Label49.setBounds(113, 6, 40, 14);
    Label48.setBounds(158, 6, 200, 14);
    Label48.font = ui::Font{"Arial", 11, false, true, ui::clBlue};
    Label48.cursor = ui::Cursor::HandPoint;
    Label48.onClick = [this] { SpeedButton2Click(); };
    Label5.setBounds(8, 24, 160, 14);
    Label5.font = ui::Font{"Arial", 11, false, true};
    Label5.cursor = ui::Cursor::HandPoint;
    Label5.onClick = [this] { Button1Click(); };
    Label66.setBounds(200, 24, 100, 14);
    Label66.font = ui::Font{"Arial", 11, false, true};
    Label66.cursor = ui::Cursor::HandPoint;
    Label66.onClick = [this] { Label66Click(); };
    Button24.setBounds(378, 8, 88, 28);
    Button24.flat = true;
    Button24.onClick = [this] { Button24Click(); };
    Button25.setBounds(470, 8, 88, 28);
    Button25.flat = true;
    Button25.onClick = [this] { Button25Click(); };
    Button26.setBounds(562, 8, 83, 28);
    Button26.flat = true;
    Button26.onClick = [this] { Button26Click(); };
}

void TForm1::setCaptions() {
    TabSheet12.caption = MsgEnvironmentsPageTitle;
    TabSheet3.caption = MsgWorkDirPageTitle;
    Panel7.caption = TabSheet12.caption;
    environmentPage.setCaptions();
    workDirPage.setCaptions();
    Button24.caption = MsgBackF3;
    Button25.caption = MsgNextF4;
    Button26.caption = MsgExit;
    Label5.caption = MsgAboutF1;
    Label66.caption = MsgOtherLanguage;
    Label66.visible = SystemLanguageCode() == "ru";
    // Where the language toggle closed the window, it opens again.
    if (RememberedLeft != -1) {
        left = RememberedLeft;
        top = RememberedTop;
    }
    caption = MsgToolTitle;
}

void TForm1::layOutBottomLabels() {
    Label15.caption = MsgVersionLabel;
    Label49.caption = MsgWebsite;
    Label48.caption = WebsiteAddress;
    // The labels size themselves to their texts, one after the other.
    auto widthOf = [&](const ui::Label& label) {
        return platform_.dialogs.textWidth(label.caption, ui::toFontSpec(label.effectiveFont()));
    };
    Label49.left = Label15.right() + 5;
    Label49.width = widthOf(Label49);
    Label48.left = Label49.right() + 5;
    Label48.width = widthOf(Label48);
}

void TForm1::fitTitle() {
    // A long title (the Russian ones) gets a smaller font rather than lose its ends.
    ui::Font title{"Arial", 20};
    while (title.height > 12 &&
           platform_.dialogs.textWidth(Panel7.caption, ui::toFontSpec(title)) > Panel7.width - 8)
        --title.height;
    Panel7.font = title;
}

void TForm1::ShowPage(int page) {
    if (page < 1 || page > pageCount())
        return;
    ui::TabSheet* sheet = pages_[page - 1];
    Panel7.caption = sheet->caption;
    fitTitle();
    PageControl1.activePage = sheet;
    Button24.enabled = page != 1;
    Button25.enabled = page != pageCount();
    PageControl1Change();
}

void TForm1::PageControl1Change() {
    if (PageControl1.activePage == &TabSheet3) {
        workDirPage.pageEntered();
        if (workDirPage.ListBox1.items.empty())
            workDirPage.Button14.focus();
        else
            workDirPage.ListBox1.focus();
        return;
    }
    workDirPage.pageLeft();
    ui::CheckListBox& list = environmentPage.CheckListBox1;
    list.focus();
    if (list.itemIndex < 0 && !list.items.empty())
        list.itemIndex = 0;
    environmentPage.CheckListBox1Click();
}

void TForm1::Button24Click() {
    ShowPage(1);
}

void TForm1::Button25Click() {
    ShowPage(pageCount());
}

void TForm1::Button26Click() {
    close();
}

void TForm1::Button1Click() {
    dialogs_.about.showModal();
}

void TForm1::SpeedButton2Click() {
    platform_.shell.openDocument(WebsiteAddress);
}

void TForm1::Button83Click() {
    OutputFolderSetting output{settings_.useLocalDir, settings_.localDirName};
    EditOutputSettings(dialogs_.outputSettings, templates_, output, settings_.font,
                       workDirPage.CurrentWorkDir());
    settings_.useLocalDir = output.useLocalDir;
    settings_.localDirName = output.localDirName;
}

void TForm1::FormKeyDown(ui::Key key, ui::Shift shift) {
    // A key reaches a button only while a user could press it.
    auto press = [](ui::Button& button) {
        if (button.visible && button.enabled)
            button.click();
    };
    if (key == ui::KeyEscape || (key == ui::KeyF4 && shift.alt)) {
        close();
        return;
    }
    if (shift.alt || shift.ctrl)
        return;
    const bool environments = PageControl1.activePage == &TabSheet12;
    EnvironmentPage& page = environmentPage;
    WorkDirPage& work = workDirPage;
    switch (key) {
    case ui::KeyF1:
        Button1Click();
        break;
    case ui::KeyF2:
        if (!environments)
            press(work.Button11);
        break;
    case ui::KeyF3:
        press(Button24);
        break;
    case ui::KeyF4:
        press(Button25);
        break;
    case ui::KeyF5:
        environments ? page.Button3Click() : press(work.Button8);
        break;
    case ui::KeyF6:
        environments ? page.Button4Click() : press(work.Button9);
        break;
    case ui::KeyF7:
        press(environments ? page.Button39 : work.Button13);
        break;
    case ui::KeyF8:
        press(environments ? page.Button20 : work.Button7);
        break;
    case ui::KeyF9:
        press(environments ? page.Button5 : work.Button14);
        break;
    case ui::KeyF10:
        if (!environments)
            press(work.Button6);
        break;
    case ui::KeyF12:
        if (!environments)
            press(work.Button83);
        break;
    default:
        break;
    }
}

void TForm1::Label66Click() {
    const std::string code = MsgLanguageCode == "ru" ? "en" : "ru";
    RememberedLeft = left.value_or(-1);
    RememberedTop = top.value_or(-1);
    close();
    RestartRequested = true;
    SetLanguage(code);
    FillCatalogue();
}

void TForm1::FormShow() {
    if (QuitOnShow)
        close();
}

void TForm1::FormClose() {
    // A window that quits on show ends without saving anything.
    if (QuitOnShow)
        return;
    // The working directories as the page's list holds them now.
    settings_.workDirectories = workDirPage.ListBox1.items;
    settings_.selectedWorkDirectory = workDirPage.ListBox1.itemIndex;
    settingsWritten_ = settingsFile_.write(settings_, &environmentSettings_, MsgLanguageCode,
                                           commandLine_.settingsDirectory);
    templates_.copyActiveMpiSources();
}

} // namespace qz
