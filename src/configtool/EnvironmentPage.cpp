#include "configtool/EnvironmentPage.h"

#include "configtool/PathAbbreviation.h"
#include "environments/DotNetFramework.h"
#include "environments/ExecutableDetection.h"
#include "environments/PathParts.h"
#include "environments/PythonInterpreter.h"
#include "locale/Catalogue.h"
#include "locale/Format.h"
#include "text/Text.h"

#include <utility>

namespace qz {
namespace {

constexpr ui::Color StatusRed = ui::rgb(255, 0, 0);
constexpr const char* EclipsePlugin = "com.eclipse.zelvora_1.2.0.jar";

ui::CheckState checkStateOf(ListCheck check) {
    switch (check) {
    case ListCheck::Checked:
        return ui::CheckState::Checked;
    case ListCheck::Grayed:
        return ui::CheckState::Grayed;
    case ListCheck::Unchecked:
        break;
    }
    return ui::CheckState::Unchecked;
}

bool isPythonIdeSlot(int slot) {
    return slot == 51 || slot == 52 || slot == 61 || slot == 62;
}

// "PyCharm (Python)" shows its interpreter in place of "Python" and the seven
// characters after the word's start.
std::string withInterpreter(const std::string& displayName, const std::string& interpreter) {
    std::size_t at = displayName.find("Python");
    if (at == std::string::npos)
        return displayName;
    return displayName.substr(0, at) + interpreter +
           displayName.substr(std::min(at + 8, displayName.size()));
}

// "PyCharm (Python 2)" -> "PyCharm".
std::string withoutParenthesis(const std::string& displayName) {
    if (!displayName.ends_with(')'))
        return displayName;
    std::size_t open = displayName.rfind('(');
    return open == std::string::npos ? displayName : text::trim(displayName.substr(0, open));
}

} // namespace

EnvironmentPage::EnvironmentPage(ui::Form& form, ui::TabSheet& page, const Platform& platform,
                                 EnvironmentCatalogue& catalogue, TemplateUpdater& templates)
    : CheckListBox1(form, "CheckListBox1", &page), Label25(form, "Label25", &page),
      StaticText10(form, "StaticText10", &page), Button20(form, "Button20", &page),
      StaticText13(form, "StaticText13", &page), Button5(form, "Button5", &page),
      Button3(form, "Button3", &page), Button4(form, "Button4", &page),
      Button39(form, "Button39", &page), platform_(platform), catalogue_(catalogue),
      templates_(templates) {
    CheckListBox1.setBounds(8, 8, 250, 218);
    CheckListBox1.allowGrayed = true;
    Button3.setBounds(8, 232, 122, 26);
    Button4.setBounds(136, 232, 122, 26);
    Label25.setBounds(272, 8, 372, 14);
    StaticText10.setBounds(272, 24, 372, 20);
    Button20.setBounds(272, 50, 130, 26);
    StaticText13.setBounds(272, 84, 372, 108);
    StaticText13.wordWrap = true;
    Button5.setBounds(272, 198, 130, 42);
    Button5.visible = false;
    Button39.setBounds(408, 232, 236, 26);

    CheckListBox1.onClick = [this] { CheckListBox1Click(); };
    CheckListBox1.onClickCheck = [this] { CheckListBox1ClickCheck(); };
    CheckListBox1.onDblClick = [this] { CheckListBox1ClickCheck(); };
    Button3.onClick = [this] { Button3Click(); };
    Button4.onClick = [this] { Button4Click(); };
    Button20.onClick = [this] { Button20Click(); };
    Button39.onClick = [this] { Button39Click(); };
    Button5.onClick = [this] { Button5Click(); };
    setCaptions();
}

void EnvironmentPage::setCaptions() {
    Label25.caption = MsgExecutableFile;
    Button20.caption = MsgBrowseF8;
    Button5.caption = MsgAdditionalSettingsF9;
    Button3.caption = MsgUpF5;
    Button4.caption = MsgDownF6;
    Button39.caption = MsgDoNotUseForIde;
}

void EnvironmentPage::showList() {
    CheckListBox1.items.clear();
    CheckListBox1.states.clear();
    for (const std::string& name : catalogue_.checkList())
        CheckListBox1.addItem(
            name, checkStateOf(catalogue_.listCheck(catalogue_.findSlotByDisplayName(name))));
    if (CheckListBox1.itemIndex >= static_cast<int>(CheckListBox1.items.size()))
        CheckListBox1.itemIndex = -1;
    Button39.enabled = catalogue_.removeModulesEnabled();
}

void EnvironmentPage::detectAndRefreshAll() {
    ExecutableDetector detector(platform_);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EnvironmentEntry& e = catalogue_.entry(slot);
        if (!e.modulesPresent)
            continue;
        if (e.exePath.empty()) {
            std::string found = detector.DetectExecutable(catalogue_, slot);
            if (!found.empty() && platform_.files.fileExists(found))
                e.exePath = found;
        }
        RefreshEnvironmentStatus(slot);
    }
}

int EnvironmentPage::selectedSlot() const {
    int index = CheckListBox1.itemIndex;
    if (index < 0 || index >= static_cast<int>(CheckListBox1.items.size()))
        return 0;
    return catalogue_.findSlotByDisplayName(CheckListBox1.items[index]);
}

int EnvironmentPage::itemOf(int slot) const {
    const auto& items = CheckListBox1.items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == catalogue_.entry(slot).displayName)
            return static_cast<int>(i);
    return -1;
}

void EnvironmentPage::showExecutable(const EnvironmentEntry& e) {
    const ui::Font font = StaticText10.effectiveFont();
    Dialogs& dialogs = platform_.dialogs;
    std::string shown =
        AbbreviatePath(e.exePath, StaticText10.width - 3, [&](const std::string& text) {
            return dialogs.textWidth(text, ui::toFontSpec(font));
        });
    StaticText10.caption = shown;
    StaticText10.hint = shown == e.exePath ? std::string() : e.exePath;
}

void EnvironmentPage::vsCodeCompiler(int slot, bool& red) {
    EnvironmentEntry& e = catalogue_.entry(slot);
    const std::string compiler = slot == kVsCodeCSlot ? "gcc.exe" : "g++.exe";
    if (platform_.files.fileExists(e.additions) &&
        text::upper(FileNameOf(e.additions)) == text::upper(compiler))
        return;
    // The compiler comes with Dev-C++ or Code::Blocks; the environment of the
    // same language is asked first, and only one whose executable is known.
    auto installed = [&](const char* first, const char* second) {
        for (const char* key : {first, second})
            if (int found = catalogue_.findSlotByKey(key);
                found && !catalogue_.entry(found).exePath.empty())
                return found;
        return 0;
    };
    bool cpp = slot == kVsCodeCppSlot;
    std::string derived;
    if (int dev = cpp ? installed("DEVCPP5", "DEVCC5") : installed("DEVCC5", "DEVCPP5")) {
        std::string folder = FolderOf(catalogue_.entry(dev).exePath);
        derived = folder + "\\TDM-GCC-64\\bin\\" + compiler;
        if (!platform_.files.fileExists(derived))
            derived = folder + "\\MinGW64\\bin\\" + compiler;
    } else if (int blocks = cpp ? installed("CBLOCKS13", "CCBLOCKS13")
                                : installed("CCBLOCKS13", "CBLOCKS13")) {
        derived = FolderOf(catalogue_.entry(blocks).exePath) + "\\MinGW\\bin\\" + compiler;
    }
    if (!derived.empty() && platform_.files.fileExists(derived)) {
        e.additions = derived;
        templates_.updateVsCodeTemplates(slot, e.additions);
        return;
    }
    e.additions.clear();
    red = true;
    StaticText13.caption = Format(MsgAdditionalSettingsRequired, {e.displayName});
}

void EnvironmentPage::RefreshEnvironmentStatus(int slot) {
    EnvironmentEntry& e = catalogue_.entry(slot);
    Button39.caption = MsgDoNotUseForIde;
    Label25.caption = MsgExecutableFile;

    if (slot == kEclipseSlot && !e.exePath.empty()) {
        std::string target = FolderPart(e.exePath) + "dropins\\" + EclipsePlugin;
        platform_.files.copyFile(catalogue_.programDirectory() + EclipsePlugin, target, true);
        if (!platform_.files.fileExists(target))
            e.exePath.clear();
    }
    showExecutable(e);

    bool red = e.exePath.empty();
    std::string status;
    if (IsMpiSlot(slot)) {
        status = red ? MsgMpichNotFound
                     : "\r\n" + Format(e.suspended ? MsgSystemSuspended : MsgSystemReady,
                                       {e.displayName});
    } else if (isPythonIdeSlot(slot)) {
        e.interpreterName =
            DescribePythonInterpreter(platform_.registry, platform_.files, catalogue_, slot);
        if (red) {
            status = Format(MsgIdeExeNotFound, {e.displayName});
        } else if (e.interpreterName.empty()) {
            red = true;
            status = Format(MsgPythonNotFound, {e.versionText, withoutParenthesis(e.displayName)});
        } else {
            status = "\r\n" + Format(e.suspended ? MsgIdeSuspended : MsgIdeReady,
                                     {withInterpreter(e.displayName, e.interpreterName)});
        }
    } else {
        status =
            red ? Format(MsgIdeExeNotFound, {e.displayName})
                : "\r\n" + Format(e.suspended ? MsgIdeSuspended : MsgIdeReady, {e.displayName});
    }
    StaticText13.caption = status;

    bool dotNet = IsDotNetSlot(slot);
    bool vsCode = slot == kVsCodeCSlot || slot == kVsCodeCppSlot;
    Button5.visible = dotNet || vsCode;
    if (dotNet && !IsValidFrameworkVersion(e.additions))
        e.additions = DefaultFrameworkVersion(platform_.registry);
    if (vsCode)
        vsCodeCompiler(slot, red);

    StaticText13.font = StaticText13.parent()->effectiveFont();
    StaticText13.font->color = red ? StatusRed : ui::clWindowText;
    e.connectedOk = !red;
    if (int item = itemOf(slot); item >= 0)
        CheckListBox1.states[item] = checkStateOf(catalogue_.listCheck(slot));
    if (slot == selectedSlot()) {
        bool offered = red || !e.suspended;
        StaticText10.enabled = !e.suspended;
        Button20.enabled = offered;
        Button5.enabled = offered;
    }
    if (slot == kPascalAbcSlot && e.modulesPresent && !e.suspended)
        templates_.applyPascalAbcOption();
}

void EnvironmentPage::CheckListBox1Click() {
    int slot = selectedSlot();
    if (slot == 0)
        return;
    RefreshEnvironmentStatus(slot);
    int index = CheckListBox1.itemIndex;
    Button3.enabled = index > 0;
    Button4.enabled = index < static_cast<int>(CheckListBox1.items.size()) - 1;
}

void EnvironmentPage::CheckListBox1ClickCheck() {
    int slot = selectedSlot();
    if (slot == 0)
        return;
    EnvironmentEntry& e = catalogue_.entry(slot);
    if (!e.modulesPresent || !e.connectedOk) {
        // A red environment cannot be connected.
        CheckListBox1.states[CheckListBox1.itemIndex] = ui::CheckState::Unchecked;
        return;
    }
    if (!IsMpiSlot(slot)) {
        e.suspended = !e.suspended;
    } else if (e.suspended) {
        // One MPI runtime is active at a time.
        for (int other = 46; other <= 48; ++other) {
            EnvironmentEntry& o = catalogue_.entry(other);
            if (other == slot || !o.modulesPresent)
                continue;
            o.suspended = true;
            if (int item = itemOf(other); item >= 0)
                CheckListBox1.states[item] = ui::CheckState::Grayed;
        }
        e.suspended = false;
    }
    RefreshEnvironmentStatus(slot);
}

void EnvironmentPage::moveSelected(int step) {
    int from = CheckListBox1.itemIndex;
    int to = from + step;
    int count = static_cast<int>(CheckListBox1.items.size());
    if (from < 0 || from >= count || to < 0 || to >= count)
        return;
    std::swap(CheckListBox1.items[from], CheckListBox1.items[to]);
    std::swap(CheckListBox1.states[from], CheckListBox1.states[to]);
    std::swap(catalogue_.checkList()[from], catalogue_.checkList()[to]);
    CheckListBox1.itemIndex = to;
    Button3.enabled = to > 0;
    Button4.enabled = to < count - 1;
}

void EnvironmentPage::Button3Click() {
    moveSelected(-1);
}

void EnvironmentPage::Button4Click() {
    moveSelected(+1);
}

void EnvironmentPage::Button20Click() {
    int slot = selectedSlot();
    if (slot == 0) {
        ShowErrorBox(platform_.dialogs, "Error: ButtonBrowse");
        return;
    }
    EnvironmentEntry& e = catalogue_.entry(slot);
    OpenFileRequest request;
    request.title = Format(MsgSelectIdeExe, {e.displayName, e.exeBaseName});
    request.filter = MsgExeFilter;
    request.fileName = e.exePath;
    if (e.exePath.empty()) {
        request.initialDirectory = FirstReadableDriveRoot(platform_.files);
        request.fileName = ExecutableDetector(platform_).DetectExecutable(catalogue_, slot);
    }
    const std::string previous = e.exePath;
    if (auto chosen = platform_.dialogs.openFile(request)) {
        e.exePath = *chosen;
        if (e.exeBaseName != "*" &&
            text::upper(FileNameOf(*chosen)).find(text::upper(e.exeBaseName)) ==
                std::string::npos) {
            e.exePath.clear();
            ShowErrorBox(platform_.dialogs,
                         Format(MsgNonstandardExeName, {e.displayName, e.exeBaseName}));
        }
    }
    if (!e.exePath.empty())
        Button20.caption = MsgBrowseF8;
    // PyCharm uses the interpreter of the IDLE two slots below it.
    if ((slot == 49 || slot == 50) && catalogue_.listed(slot + 2))
        RefreshEnvironmentStatus(slot + 2);
    RefreshEnvironmentStatus(slot);
    if ((slot == kDevCppSlot || slot == kDevCSlot) && !e.exePath.empty())
        templates_.devCppBrowseFollowUp(slot, previous);
}

void EnvironmentPage::Button39Click() {
    int slot = selectedSlot();
    if (slot == 0) {
        ShowErrorBox(platform_.dialogs, "Error: ButtonDelete");
        return;
    }
    EnvironmentEntry& e = catalogue_.entry(slot);
    MessageRequest question{MessageKind::Warning,
                            Format(MsgConfirmRemoveComponents, {e.displayName}),
                            "",
                            {DialogButton::Yes, DialogButton::No}};
    if (platform_.dialogs.showMessage(question) != DialogButton::Yes)
        return;

    FileSystem& files = platform_.files;
    const std::string folder = catalogue_.moduleDirectory(slot) + "\\";
    std::string kept;
    for (const FindEntry& file : files.list(folder + "*", ListKind::Files))
        if (!files.deleteFile(folder + file.name))
            kept += "\"" + folder + file.name + "\", ";
    files.removeDirectory(catalogue_.moduleDirectory(slot));
    if (slot == kEclipseSlot && !e.exePath.empty())
        files.deleteFile(FolderPart(e.exePath) + "dropins\\" + EclipsePlugin);
    if (!kept.empty()) {
        kept.resize(kept.size() - 2);
        platform_.dialogs.showMessage(
            MessageRequest{MessageKind::Information,
                           Format(MsgComponentsRemovedExcept, {e.displayName}) + "\r\n" + kept,
                           "",
                           {DialogButton::Ok}});
    }

    e.modulesPresent = false;
    int index = CheckListBox1.itemIndex;
    auto& list = catalogue_.checkList();
    list.erase(list.begin() + index);
    CheckListBox1.items.erase(CheckListBox1.items.begin() + index);
    CheckListBox1.states.erase(CheckListBox1.states.begin() + index);
    CheckListBox1.itemIndex = std::min(index, static_cast<int>(list.size()) - 1);
    Button39.enabled = catalogue_.removeModulesEnabled();
    CheckListBox1Click();
}

void EnvironmentPage::Button5Click() {
    int slot = selectedSlot();
    if (slot != 0 && onAdditionalSettings)
        onAdditionalSettings(slot);
}

} // namespace qz
