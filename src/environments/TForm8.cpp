#include "environments/TForm8.h"

#include "environments/DotNetFramework.h"
#include "environments/PathParts.h"
#include "locale/Catalogue.h"
#include "locale/Format.h"
#include "text/Text.h"

namespace qz {

TForm8::TForm8(Dialogs& dialogs, const FileSystem& files)
    : ui::Form(dialogs, "TForm8"), files_(files) {
    clientWidth = 560;
    clientHeight = 344;
    keyPreview = true;
    font = ui::Font{"Arial", 14};

    Label1.setBounds(12, 10, 536, 250);
    Label1.wordWrap = true;

    Edit2.setBounds(12, 268, 436, 23);
    Edit2.onChange = [this] { Edit2Change(); };

    Button3.setBounds(456, 267, 92, 25);
    Button3.caption = MsgBrowseF8;
    Button3.onClick = [this] { Button3Click(); };

    Button1.setBounds(376, 308, 80, 26);
    Button1.caption = "OK";
    Button1.isDefault = true;
    Button1.modalResult = ui::ModalResult::Ok;
    Button1.onClick = [this] { Button1Click(); };

    Button2.setBounds(464, 308, 84, 26);
    Button2.caption = MsgCancel;
    Button2.isCancel = true;
    Button2.modalResult = ui::ModalResult::Cancel;

    activeControl = &Edit2;
}

void TForm8::FormShow() {
    caption = Format(MsgAdditionalSettingsFor, {displayName});
    bool compiler = mode == TForm8Mode::Compiler;
    Label1.caption = compiler ? Format(MsgSelectCompilerHelp, {compilerName, displayName})
                              : Format(MsgNetFrameworkHelp, {displayName});
    Button3.visible = compiler;
    // The compiler's help runs to a dozen lines, the version's to three.
    Label1.height = compiler ? 250 : 56;
    Edit2.top = Label1.bottom() + 8;
    Button3.top = Edit2.top - 1;
    Button1.top = Edit2.bottom() + 17;
    Button2.top = Button1.top;
    clientHeight = Button1.bottom() + 10;
    OpenDialog1.title = Format(MsgSelectCompiler, {compilerName, displayName});
    OpenDialog1.filter = MsgExeFilter;
    activeControl = &Edit2;
    Edit2Change();
}

void TForm8::FormKeyDown(ui::Key key, ui::Shift shift) {
    if (key == ui::KeyF8 && shift.none())
        Button3.click();
}

bool TForm8::valueAcceptable() const {
    std::string value = text::trim(Edit2.caption);
    switch (mode) {
    case TForm8Mode::Compiler:
        return !value.empty() && files_.fileExists(value);
    case TForm8Mode::FrameworkVersion:
        return IsValidFrameworkVersion("v" + value);
    case TForm8Mode::None:
        break;
    }
    return false;
}

void TForm8::Edit2Change() {
    Button1.enabled = valueAcceptable();
}

void TForm8::Button1Click() {
    Edit2.caption = text::trim(Edit2.caption);
    if (mode != TForm8Mode::Compiler || Edit2.caption.empty())
        return;
    if (text::upper(FileNameOf(Edit2.caption)) == text::upper(compilerName + ".exe"))
        return;
    dialogs_.showMessage({MessageKind::Error,
                          Format(MsgNonstandardExeName, {displayName, compilerName}),
                          "",
                          {DialogButton::Ok}});
    modalResult = ui::ModalResult::None;
}

void TForm8::Button3Click() {
    OpenDialog1.fileName = text::trim(Edit2.caption);
    OpenDialog1.initialDirectory = FolderOf(OpenDialog1.fileName);
    if (auto chosen = dialogs_.openFile(OpenDialog1)) {
        Edit2.caption = *chosen;
        Edit2.selStart = static_cast<int>(text::toUtf16(*chosen).size());
        Edit2Change();
    }
}

} // namespace qz
