// Shows one window or standard dialog of the program for the UI scenarios:
//   qz4_ui_host <language> <what> [arguments...]
// what: TGalleryForm | TForm3 | TForm4 <create|change> <name> | TSelLangForm | TInstF2
// <readme|licence> <path> | TRaiseForm (its button's handler raises)
//       | TForm7 <on|off> <output folder> <font> <working directory>
//       | TForm8 <slot> <additions>
//       | message <warning|error|information|confirmation> <ok|okcancel|yesno|retryignore> <text>
//       | folder <initial folder> | openfile <initial folder>
// The outcome is written to ui_host_result.txt in the current folder as
// "key=value" lines; the exit code is the modal result's number, 0 after an
// error that no handler dealt with, which is shown as the program shows it.
#include "GalleryForm.h"
#include "configtool/TForm3.h"
#include "environments/AdditionalSettings.h"
#include "installer/TInstF2.h"
#include "installer/TSelLangForm.h"
#include "locale/Catalogue.h"
#include "locale/ErrorName.h"
#include "locale/Language.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "ui/win32/FormRenderer.h"
#include "workdir/TForm4.h"

#include <fstream>
#include <map>

#include <windows.h>

namespace {

class EHandlerFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A window whose button's handler raises, as a failing handler of any window would.
class TRaiseForm : public qz::ui::Form {
public:
    explicit TRaiseForm(qz::Dialogs& dialogs) : qz::ui::Form(dialogs, "TRaiseForm") {
        caption = "Raise";
        clientWidth = 200;
        clientHeight = 60;
        Button1.setBounds(60, 16, 80, 26);
        Button1.caption = "Raise";
        Button1.onClick = [] { throw EHandlerFailed("the handler failed"); };
    }
    qz::ui::Button Button1{*this, "Button1"};
};

const char* resultName(qz::DialogButton button) {
    static const char* names[] = {"None",  "Ok",     "Cancel", "Yes",     "No",      "Abort",
                                  "Retry", "Ignore", "All",    "NoToAll", "YesToAll"};
    return names[static_cast<int>(button)];
}

int run(qz::Platform& platform, const std::vector<std::string>& args) {
    std::ofstream out("ui_host_result.txt", std::ios::binary | std::ios::trunc);
    const std::string& what = args.at(1);
    auto arg = [&](std::size_t i) { return i < args.size() ? args[i] : std::string(); };
    qz::DialogButton result = qz::DialogButton::None;

    if (what == "TGalleryForm") {
        qz::GalleryForm form(platform.dialogs);
        result = form.showModal();
    } else if (what == "TRaiseForm") {
        TRaiseForm form(platform.dialogs);
        result = form.showModal();
    } else if (what == "TForm3") {
        qz::TForm3 form(platform.dialogs);
        result = form.showModal();
    } else if (what == "TForm4") {
        qz::TForm4 form(platform.dialogs);
        form.prepare(arg(2) == "change" ? qz::MsgResultsFileChange : qz::MsgResultsFileCreation,
                     arg(3));
        result = form.showModal();
        out << "name=" << form.Edit1.caption << "\n";
    } else if (what == "TForm7" || what == "TForm8") {
        // The catalogue of a program installed in the work folder, which
        // holds no templates: the dialogs' answers rewrite nothing.
        qz::EnvironmentCatalogue catalogue(platform, ".\\");
        catalogue.fill();
        qz::TemplateUpdater updater(platform, catalogue);
        if (what == "TForm7") {
            qz::TForm7 form(platform.dialogs, platform.files);
            qz::OutputFolderSetting output{arg(2) == "on", arg(3)};
            std::string font = arg(4);
            qz::EditOutputSettings(form, updater, output, font, arg(5));
            result = form.modalResult;
            out << "useLocalDir=" << output.useLocalDir << "\nlocalDirName=" << output.localDirName
                << "\nfont=" << font << "\n";
        } else {
            qz::TForm8 form(platform.dialogs, platform.files);
            int slot = std::stoi(arg(2));
            catalogue.entry(slot).additions = arg(3);
            qz::EditEnvironmentAdditions(form, catalogue, updater, slot);
            result = form.modalResult;
            out << "additions=" << catalogue.entry(slot).additions << "\n";
        }
    } else if (what == "TSelLangForm") {
        qz::TSelLangForm form(platform);
        result = form.showModal();
        out << "language=" << form.language() << "\n";
    } else if (what == "TInstF2") {
        qz::TInstF2 form(platform);
        std::string caption = arg(2) == "readme" ? qz::TInstF2::readmeCaption("задачника")
                                                 : qz::TInstF2::licenceCaption();
        out << "shown=" << form.showDocument(arg(3), caption) << "\n";
        result = form.modalResult;
    } else if (what == "message") {
        static const std::map<std::string, qz::MessageKind> kinds = {
            {"warning", qz::MessageKind::Warning},
            {"error", qz::MessageKind::Error},
            {"information", qz::MessageKind::Information},
            {"confirmation", qz::MessageKind::Confirmation}};
        static const std::map<std::string, std::vector<qz::DialogButton>> buttons = {
            {"ok", {qz::DialogButton::Ok}},
            {"okcancel", {qz::DialogButton::Ok, qz::DialogButton::Cancel}},
            {"yesno", {qz::DialogButton::Yes, qz::DialogButton::No}},
            {"retryignore", {qz::DialogButton::Retry, qz::DialogButton::Ignore}}};
        result = platform.dialogs.showMessage({kinds.at(arg(2)), arg(4), {}, buttons.at(arg(3))});
    } else if (what == "folder") {
        auto folder = platform.dialogs.selectFolder({{}, arg(2), true, true, true});
        result = folder ? qz::DialogButton::Ok : qz::DialogButton::Cancel;
        out << "folder=" << folder.value_or("") << "\n";
    } else if (what == "openfile") {
        qz::OpenFileRequest request;
        request.title = qz::MsgSelectAccessDat;
        request.filter = qz::MsgExeFilter;
        request.initialDirectory = arg(2);
        auto file = platform.dialogs.openFile(request);
        result = file ? qz::DialogButton::Ok : qz::DialogButton::Cancel;
        out << "file=" << file.value_or("") << "\n";
    } else {
        return 100;
    }
    out << "result=" << resultName(result) << "\n";
    return static_cast<int>(result);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qz::Win32FileSystem files;
    qz::Win32Registry registry;
    qz::Win32SystemInfo system;
    qz::Win32Dialogs dialogs;
    qz::Win32Resources resources;
    qz::Win32Shell shell;
    qz::Platform platform{files, registry, system, dialogs, resources, shell};
    qz::ui::win32::FormRenderer renderer(dialogs, files);

    std::vector<std::string> args = system.commandLine();
    if (args.size() < 2)
        return 101;
    qz::BindStandardTexts(dialogs);
    qz::SetLanguage(args[0]);
    qz::FillCatalogue();
    try {
        return run(platform, args);
    } catch (...) {
        qz::ShowUnhandledError(dialogs, std::current_exception());
        return 0;
    }
}
