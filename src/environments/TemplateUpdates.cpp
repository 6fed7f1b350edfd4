#include "environments/TemplateUpdates.h"

#include "environments/DotNetFramework.h"
#include "environments/PathParts.h"
#include "environments/ProgramFiles.h"
#include "text/Text.h"

#include <utility>
#include <vector>

namespace qz {
namespace {

// A line containing the marker is replaced by the text; rules are tried in
// order and only the first that matches applies.
struct LineRule {
    std::string marker;
    std::string replacement;
};

LineEdit firstMatchingRule(std::vector<LineRule> rules) {
    return
        [rules = std::move(rules)](const std::string& line,
                                   const TemplateEncoding& encoding) -> std::optional<std::string> {
            for (const LineRule& rule : rules)
                if (line.find(rule.marker) != std::string::npos)
                    return encoding.bytes(rule.replacement);
            return std::nullopt;
        };
}

// After the marker, the quoted value up to the next double quote becomes the text.
LineEdit replaceQuotedValue(std::string marker, std::string value) {
    return [marker = std::move(marker), value = std::move(value)](
               const std::string& line,
               const TemplateEncoding& encoding) -> std::optional<std::string> {
        std::size_t at = line.find(marker);
        if (at == std::string::npos)
            return std::nullopt;
        std::size_t start = at + marker.size();
        std::size_t end = line.find('"', start);
        if (end == std::string::npos)
            end = line.size();
        return line.substr(0, start) + encoding.bytes(value) + line.substr(end);
    };
}

const std::string kBlanks20(20, ' ');
const std::string kBlanks24(24, ' ');
const std::string kBlanks32(32, ' ');

} // namespace

TemplateUpdater::TemplateUpdater(const Platform& platform, EnvironmentCatalogue& catalogue)
    : platform_(platform), catalogue_(catalogue),
      editor_(platform.files, platform.system.ansiText()) {}

void TemplateUpdater::updateVsCodeTemplates(int slot, const std::string& compilerPath) {
    std::string module = catalogue_.moduleDirectory(slot);
    std::string p = ForwardSlashes(compilerPath);
    std::string d = ForwardSlashes(FolderOf(compilerPath));
    std::string r = ForwardSlashes(FolderOf(FolderOf(compilerPath)));
    editor_.ReplaceKeyedLines(module, "*tasks.json", "\"command\":", "\"command\": \"" + p + "\",");
    editor_.ReplaceKeyedLines(module, "*tasks.json", "\"cwd\":", "\"cwd\": \"" + d + "\"");
    editor_.ReplaceKeyedLines(module, "*launch.json", "\"path=", "\"path=" + d + "\"");
    editor_.ReplaceKeyedLines(module, "*c_cpp_properties.json", "\"includePath\": [",
                              "\"includePath\": [ \"" + r + "/**\"");
    editor_.ReplaceKeyedLines(module, "*c_cpp_properties.json",
                              "\"compilerPath\":", "\"compilerPath\": \"" + p + "\",");
}

void TemplateUpdater::updateOutputFolder(const OutputFolderSetting& output) {
    std::string f = output.useLocalDir ? WithTrailingBackslash(output.localDirName) : ".\\";
    std::string codeBlocks = output.useLocalDir ? WithTrailingBackslash(output.localDirName) : "";
    LineRule outputPath{"<OutputPath>", "    <OutputPath>" + f + "</OutputPath>"};
    LineRule oldOutputPath{"OutputPath = ", kBlanks20 + "OutputPath = \"" + f + "\""};
    auto outDir = [&](const std::string& configuration) {
        std::string tag =
            "<OutDir Condition=\"'$(Configuration)|$(Platform)'=='" + configuration + "|Win32'\">";
        return LineRule{tag, "    " + tag + f + "</OutDir>"};
    };

    LineEdit dotNet = firstMatchingRule({outputPath, oldOutputPath});
    LineEdit visualCpp =
        firstMatchingRule({outDir("Debug"),
                           outDir("Release"),
                           {"OutputDirectory=", kBlanks24 + "OutputDirectory=\"" + f + "\""}});
    LineEdit codeBlocksProject = firstMatchingRule(
        {{"<Option output=", kBlanks32 + "<Option output=\"" + codeBlocks +
                                 "qzprj\" prefix_auto=\"1\" extension_auto=\"1\" />"}});

    for (int slot = 12; slot <= 24; ++slot)
        editor_.rewriteFiles(catalogue_.moduleDirectory(slot), "*.vbproj", dotNet);
    for (int slot = 36; slot <= 44; ++slot)
        editor_.rewriteFiles(catalogue_.moduleDirectory(slot), "*.csproj", dotNet);
    for (int slot = 27; slot <= 35; ++slot)
        editor_.rewriteFiles(catalogue_.moduleDirectory(slot), "*qzprj.vc*proj", visualCpp);
    editor_.rewriteFiles(catalogue_.moduleDirectory(71), "*.csproj",
                         firstMatchingRule({outputPath}));
    for (int slot : {25, 85})
        editor_.rewriteFiles(catalogue_.moduleDirectory(slot), "*qzprj.cbp", codeBlocksProject);
}

void TemplateUpdater::updateFrameworkVersion(int slot) {
    const EnvironmentEntry& e = catalogue_.entry(slot);
    if (!IsDotNetSlot(slot) || !IsValidFrameworkVersion(e.additions))
        return;
    std::string module = catalogue_.moduleDirectory(slot);
    if (IsFSharpNetSlot(slot) && e.versionNumber > 8)
        editor_.ReplaceTaggedLines(module, "*.fsproj", e.additions, "</TargetFramework>",
                                   "    <TargetFramework>.NETFramework,Version=");
    else
        editor_.ReplaceTaggedLines(module,
                                   IsVisualBasicNetSlot(slot) ? "*.vbproj"
                                   : IsCSharpNetSlot(slot)    ? "*.csproj"
                                                              : "*.fsproj",
                                   e.additions, "</TargetFrameworkVersion>",
                                   "    <TargetFrameworkVersion>");
}

void TemplateUpdater::applyPascalAbcOption() {
    const std::string option = "\"SaveSourceFilesIfComilationOk\"";
    bool seen = false;
    editor_.rewriteFile(
        kPascalAbcOptionsFile,
        [&](const std::string& line, const TemplateEncoding&) -> std::optional<std::string> {
            if (seen || line.find(option) == std::string::npos)
                return std::nullopt;
            seen = true;
            if (line.find("True") != std::string::npos)
                return std::nullopt;
            return "  <option name=" + option + ">True</option>";
        });
}

void TemplateUpdater::replaceDevCppFolder(int slot, const std::string& oldText) {
    const std::string& exe = catalogue_.entry(slot).exePath;
    if (exe.empty())
        return;
    editor_.ReplacePlaceholder(catalogue_.moduleDirectory(slot), "*.win",
                               ForwardSlashes(FolderOf(exe)), oldText);
}

void TemplateUpdater::updateOpenMpLinker() {
    const std::string& exe = catalogue_.entry(kDevCppSlot).exePath;
    if (exe.empty())
        return;
    std::string folder = FolderOf(exe);
    std::string library;
    for (const char* tail : {"\\TDM-GCC-64\\lib\\gcc\\x86_64-w64-mingw32\\9.2.0\\32\\libgomp.a",
                             "\\MinGW64\\lib\\gcc\\x86_64-w64-mingw32\\4.9.2\\32\\libgomp.a"}) {
        if (platform_.files.fileExists(folder + tail)) {
            library = folder + tail;
            break;
        }
    }
    if (library.empty())
        return;
    editor_.ReplaceKeyedLines(catalogue_.moduleDirectory(kDevCppSlot), "OMPqzprj.dev",
                              "Linker=libseh.a_@@_",
                              "Linker=libseh.a_@@_\"" + ForwardSlashes(library) + "\"_@@_");
}

void TemplateUpdater::refreshVsCode(int slot, const char* compiler) {
    editor_.ReplacePlaceholder(catalogue_.moduleDirectory(slot), "*launch.json",
                               ForwardSlashes(catalogue_.programDirectory()), "%S");
    const std::string& additions = catalogue_.entry(slot).additions;
    if (text::upper(FileNameOf(additions)) == text::upper(compiler) &&
        platform_.files.fileExists(additions))
        updateVsCodeTemplates(slot, additions);
}

void TemplateUpdater::startupRefresh(const OutputFolderSetting& output) {
    updateOutputFolder(output);
    replaceDevCppFolder(kDevCppSlot, "%S");
    replaceDevCppFolder(kDevCSlot, "%S");
    refreshVsCode(kVsCodeCSlot, "gcc.exe");
    updateOpenMpLinker();
    refreshVsCode(kVsCodeCppSlot, "g++.exe");
    for (int slot = 1; slot <= kSlotCount; ++slot)
        updateFrameworkVersion(slot);
    const EnvironmentEntry& pascal = catalogue_.entry(kPascalAbcSlot);
    if (pascal.modulesPresent && !pascal.suspended)
        applyPascalAbcOption();
}

void TemplateUpdater::devCppBrowseFollowUp(int slot, const std::string& previousExePath) {
    if (slot != kDevCppSlot && slot != kDevCSlot)
        return;
    replaceDevCppFolder(slot, previousExePath.empty() ? std::string("%S")
                                                      : ForwardSlashes(FolderOf(previousExePath)));
    if (slot == kDevCppSlot)
        updateOpenMpLinker();
}

void TemplateUpdater::writePyCharmInterpreters() {
    for (int slot : {51, 52}) {
        const EnvironmentEntry& e = catalogue_.entry(slot);
        if (!e.modulesPresent || e.interpreterName.empty())
            continue;
        std::string module = catalogue_.moduleDirectory(slot);
        editor_.rewriteFiles(module, "misc.xml",
                             replaceQuotedValue("project-jdk-name=\"", e.interpreterName));
        editor_.rewriteFiles(module, "QZ4Work.iml",
                             replaceQuotedValue("jdkName=\"", e.interpreterName));
    }
}

void TemplateUpdater::copyActiveMpiSources() {
    for (int slot = 46; slot <= 48; ++slot) {
        const EnvironmentEntry& e = catalogue_.entry(slot);
        if (!e.modulesPresent || e.suspended)
            continue;
        std::string module = catalogue_.moduleDirectory(slot) + "\\";
        std::string target = catalogue_.programDirectory() + "MPI\\";
        platform_.files.createDirectories(target);
        for (const FindEntry& file : platform_.files.list(module + "*", ListKind::Files))
            if (text::upperAscii(ExtensionOf(file.name)) != ".PAS")
                platform_.files.copyFile(module + file.name, target + file.name, false);
        return;
    }
}

void UpdateWindowsSdk(const Platform& platform, const std::string& moduleDirectory,
                      const std::string& kit) {
    std::string programFiles = ProgramFilesDirectory(platform.registry, platform.files);
    for (const std::string& root : StandardSearchRoots(programFiles)) {
        std::string bin = root + "\\Windows Kits\\" + kit + "\\bin";
        if (!platform.files.directoryExists(bin))
            continue;
        std::string newest;
        for (const FindEntry& e : platform.files.list(bin + "\\" + kit + "*", ListKind::Folders))
            if (e.isDirectory() && e.name.compare(0, kit.size(), kit) == 0 && e.name > newest)
                newest = e.name;
        if (newest.empty())
            continue;
        TemplateEditor editor(platform.files, platform.system.ansiText());
        editor.rewriteFiles(
            moduleDirectory, "*.vcxproj",
            firstMatchingRule(
                {{"<TargetPlatformVersion>",
                  "    <TargetPlatformVersion>" + newest + "</TargetPlatformVersion>"},
                 {"<WindowsTargetPlatformVersion>", "    <WindowsTargetPlatformVersion>" + newest +
                                                        "</WindowsTargetPlatformVersion>"}}));
        return;
    }
}

} // namespace qz
