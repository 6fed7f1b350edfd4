#include "configtool/TForm1.h"

#include "configtool/ProcessFlags.h"
#include "locale/Catalogue.h"
#include "locale/ErrorName.h"
#include "locale/Format.h"
#include "locale/Language.h"

namespace qz {
namespace {

std::string directoryOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

} // namespace

TForm1::TForm1(Platform& platform)
    : ui::Form(platform.dialogs, "TForm1"), platform_(platform),
      programDirectory_(directoryOf(platform.system.programPath())),
      settingsFile_(platform, programDirectory_) {
    FormCreate();
}

void TForm1::FormCreate() {
    caption = MsgToolTitle;
    clientWidth = 653;
    clientHeight = 355;
    borderStyle = ui::BorderStyle::Single;
    minimizeBox = true;
    font = ui::Font{"Arial", 11};
    keyPreview = true;
    if (RememberedLeft != -1) {
        left = RememberedLeft;
        top = RememberedTop;
    }

    Panel7.setBounds(0, 0, 653, 45);
    Panel7.font = ui::Font{"Arial", 20};
    Panel7.caption = MsgEnvironmentsPageTitle;
    Panel8.setBounds(0, 311, 653, 44);
    Label15.setBounds(8, 6, 100, 14);
    Label15.caption = MsgVersionLabel;
    Label15.font = ui::Font{"Arial", 11, true};
    Label66.setBounds(8, 24, 100, 14);
    Label66.caption = MsgOtherLanguage;
    Label66.font = ui::Font{"Arial", 11, false, true};
    Label66.cursor = ui::Cursor::HandPoint;
    Label66.visible = SystemLanguageCode() == "ru";
    Label66.onClick = [this] { Label66Click(); };
    Button26.setBounds(560, 8, 85, 28);
    Button26.caption = MsgExit;
    Button26.flat = true;
    Button26.onClick = [this] { Button26Click(); };

    try {
        commandLine_ = ReadSettingsCommandLine(platform_.system.commandLine(), platform_.files);
        settingsFile_.importSettingsDirectory(commandLine_.settingsDirectory);
        settings_ = settingsFile_.read(nullptr);
        if (commandLine_.fast)
            QuitOnShow = true;
    } catch (const std::exception& error) {
        MessageRequest box{MessageKind::Error,
                           Format(MsgStartupError, {ErrorClassName(error), error.what()}),
                           "",
                           {DialogButton::Ok}};
        platform_.dialogs.showMessage(box);
        QuitOnShow = true;
    }
}

void TForm1::FormShow() {
    if (QuitOnShow)
        close();
}

void TForm1::FormClose() {
    // A window that quits on show ends without saving anything.
    if (QuitOnShow)
        return;
    settingsFile_.write(settings_, nullptr, MsgLanguageCode, commandLine_.settingsDirectory);
}

void TForm1::FormKeyDown(ui::Key key, ui::Shift shift) {
    if (key == ui::KeyEscape || (key == ui::KeyF4 && shift.alt))
        close();
}

void TForm1::Button26Click() {
    close();
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

} // namespace qz
