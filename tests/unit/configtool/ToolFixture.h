// A test machine with the problem book installed in C:\QZ4 and the main
// window started on it.
#pragma once

#include "TestSupport.h"
#include "configtool/ProcessFlags.h"
#include "configtool/TForm1.h"
#include "configtool/TForm3.h"
#include "locale/Catalogue.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"
#include "platform/host/HostFtp.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace qz::test {

class ToolTest : public ::testing::Test {
public:
    static constexpr const char* kProgramDir = "C:\\QZ4\\";
    static constexpr const char* kIni = "C:\\QZ4\\QZ.INI";

    TestMachine m;
    TForm3 about{m.dialogs};
    TForm4 name{m.dialogs};
    TForm7 output{m.dialogs, m.files};
    TForm8 environment{m.dialogs, m.files};
    TForm5 repository{m.dialogs, m.files};
    HostFtp ftp{m.files};
    std::unique_ptr<TForm1> form;

    ToolTest() {
        ResetLanguageState();
        SetLanguage("en");
        FillCatalogue();
        RestartRequested = QuitOnShow = false;
        RememberedLeft = RememberedTop = -1;
        m.system.program = std::string(kProgramDir) + "QZ4Setup.exe";
        for (const char* tool : {"QZ4Demo.exe", "QZ4Load.exe", "QZ4Res.exe", "QZ4Panel.exe"})
            writeTool(tool);
    }
    ~ToolTest() override {
        ResetLanguageState();
        RestartRequested = QuitOnShow = false;
        RememberedLeft = RememberedTop = -1;
    }

    void writeTool(const char* name) { m.writeFile(std::string(kProgramDir) + name, "MZ"); }
    // Installs the modules of an environment (key, marker, load suffix).
    void installModules(const std::string& key, std::initializer_list<const char*> markers,
                        const std::string& loadSuffix) {
        std::string dir = kProgramDir + key + "\\";
        for (const char* name : markers)
            m.writeFile(dir + name, "x");
        m.writeFile(dir + "load" + loadSuffix + ".dat", "x");
    }
    void installPascalAbc() { installModules("PASCALABC1", {"qz4.pas"}, "pabc"); }
    void installDelphi7() { installModules("DELPHI7", {"qz4tasks.pas"}, "dpr"); }
    std::string touch(const std::string& path) {
        m.writeFile(path, "MZ");
        return path;
    }

    TForm1& start() {
        form = std::make_unique<TForm1>(
            m.platform, ToolDialogs{about, name, output, environment, repository}, ftp);
        return *form;
    }
    EnvironmentPage& page() { return form->environmentPage; }
    EnvironmentEntry& entry(int slot) { return form->catalogue().entry(slot); }
    // Selects an environment's item as a click on it does.
    void selectItem(const std::string& name) {
        auto& items = page().CheckListBox1.items;
        auto found = std::find(items.begin(), items.end(), name);
        ASSERT_NE(found, items.end()) << name;
        page().CheckListBox1.select(static_cast<int>(found - items.begin()));
    }
    std::string read(const std::string& path) { return m.readFile(path).value_or("<missing>"); }
};

} // namespace qz::test
