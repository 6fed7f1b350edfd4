// The installer's command line: switches in any order and letter case, their
// values, the mistakes a script can make, and how they meet the ini file.
#include "TestSupport.h"

#include "installer/InstallerCommandLine.h"
#include "installer/TInstF1.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"
#include "platform/CommandLine.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct Case {
    const char* line; // as a script writes it, after the program name
    InstallMode mode;
    const char* dir; // nullptr: no /DIR
    const char* language;
    const char* log;
    bool noLaunch;
    bool allUsers;
    const char* error; // a part of the message; nullptr: none
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.line;
}

constexpr InstallMode W = InstallMode::Wizard, S = InstallMode::Silent, V = InstallMode::VerySilent;

const Case Cases[] = {
    {"", W, nullptr, "", "", false, false, nullptr},
    {"/SILENT", S, nullptr, "", "", false, false, nullptr},
    {"-verysilent", V, nullptr, "", "", false, false, nullptr},
    {R"(/VerySilent /DIR="C:\Program Files\QZ 4" /LOG="C:\logs\лаб 1.log" /NOLAUNCH)", V,
     R"(C:\Program Files\QZ 4)", "", R"(C:\logs\лаб 1.log)", true, false, nullptr},
    {R"(-nolaunch -lang=RU /allusers -dir=D:\QZ4 /silent)", S, "D:\\QZ4", "ru", "", true, true,
     nullptr},
    // A quoted folder ending in a backslash stays a folder.
    {R"(/DIR="C:\My Dir\")", W, "C:\\My Dir\\", "", "", false, false, nullptr},
    // The start-up's own language parameter is let through.
    {"-lru /LANG=en", W, nullptr, "en", "", false, false, nullptr},
    {"/QUIET", W, nullptr, "", "", false, false, "Unknown command-line parameter: \"/QUIET\""},
    {"/VERYSILENT /D=C:\\QZ4", V, nullptr, "", "", false, false, "\"/D=C:\\QZ4\""},
    {"C:\\QZ4", W, nullptr, "", "", false, false, "\"C:\\QZ4\""},
    {"/LANG=de", W, nullptr, "", "", false, false, "Unknown language \"de\""},
    {"/DIR=", W, nullptr, "", "", false, false, "The /DIR parameter needs a value"},
    {"/LOG=\"  \"", W, nullptr, "", "", false, false, "The /LOG parameter needs a value"},
    {"/NOLAUNCH=1", W, nullptr, "", "", false, false, "The /NOLAUNCH parameter takes no value"},
    {"/DIR=C:\\A /dir=C:\\B", W, "C:\\A", "", "", false, false, "/DIR parameter is given twice"},
    // The quieter mode holds, so that the error itself waits for no one.
    {"/SILENT /VERYSILENT", V, nullptr, "", "", false, false, "exclude each other"},
    {"/VERYSILENT /SILENT", V, nullptr, "", "", false, false, "exclude each other"},
};

class InstallerCommandLineTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        ResetLanguageState();
        SetLanguage("en");
    }
};

TEST_P(InstallerCommandLineTest, ReadsSwitchesAndRefusesMistakes) {
    const Case& c = GetParam();
    auto arguments = SplitCommandLine(std::string("setup.exe ") + c.line);
    arguments.erase(arguments.begin());
    const ParsedInstallerCommandLine parsed = ParseInstallerCommandLine(arguments);
    const InstallerOptions& o = parsed.options;
    EXPECT_EQ(o.mode, c.mode);
    EXPECT_EQ(o.installDir.has_value(), c.dir != nullptr);
    if (c.dir && o.installDir) {
        EXPECT_EQ(*o.installDir, c.dir);
    }
    EXPECT_EQ(o.language, c.language);
    EXPECT_EQ(o.logFile, c.log);
    EXPECT_EQ(o.noLaunch, c.noLaunch);
    EXPECT_EQ(o.allUsers, c.allUsers);
    if (c.error) {
        EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
    } else {
        EXPECT_EQ(parsed.error, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, InstallerCommandLineTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return "Line" + std::to_string(info.index); });

TEST(InstallerCommandLineMessages, FollowTheLanguage) {
    ResetLanguageState();
    SetLanguage("ru");
    EXPECT_NE(ParseInstallerCommandLine({"/X"}).error.find("Неизвестный параметр"),
              std::string::npos);
}

// The command line wins over the ini file beside the installer; what it
// does not mention keeps the ini file's value.
TEST(InstallerCommandLineAndIni, TheCommandLineWins) {
    struct IniCase {
        const char* line;
        const char* field; // the folder proposed
        bool runSetup;     // the tool started at the end
        bool finalMessage; // the final message shown
        bool autoRun;
    };
    const IniCase cases[] = {
        {"", "C:\\Lab\\QZ4", true, true, true},
        {"/DIR=D:\\Other", "D:\\Other", true, true, true},
        {"/NOLAUNCH", "C:\\Lab\\QZ4", false, true, true},
        {"/SILENT", "C:\\Lab\\QZ4", true, false, false},
        {"/VERYSILENT /DIR=E:\\Q /NOLAUNCH", "E:\\Q", false, false, false},
    };
    for (const IniCase& c : cases) {
        SCOPED_TRACE(c.line);
        ResetLanguageState();
        test::TestMachine m;
        m.system.program = "C:\\Inst\\setup.exe";
        m.writeFile("C:\\Inst\\setup.dat", "PK");
        m.writeFile("C:\\Inst\\setup.ini", "[Main]\r\nInstallDir=C:\\Lab\\QZ4\r\nAutoRun=1\r\n"
                                           "[Setup]\r\nRun=1\r\n");
        auto arguments = SplitCommandLine(std::string("setup.exe ") + c.line);
        arguments.erase(arguments.begin());
        const auto parsed = ParseInstallerCommandLine(arguments);
        ASSERT_EQ(parsed.error, "");
        TInstF1 wizard(m.platform, parsed.options);
        EXPECT_EQ(wizard.Edit1.caption, c.field);
        EXPECT_EQ(wizard.setup().runSetup, c.runSetup);
        EXPECT_EQ(wizard.setup().finalMessage, c.finalMessage);
        EXPECT_EQ(wizard.setup().autoRun, c.autoRun);
    }
}

} // namespace
} // namespace qz
