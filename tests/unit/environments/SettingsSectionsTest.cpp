#include "EnvironmentFixture.h"

#include "environments/EnvironmentSettings.h"
#include "settings/IniFile.h"

namespace qz::test {
namespace {

class SettingsSectionsTest : public EnvironmentTest {
protected:
    EnvironmentSettings sections{m.platform, catalogue};

    void SetUp() override {
        catalogue.fill();
        installModules(3, {"qz4tasks.pas"});
        installModules(7, {"qz4tasks.pas"});
        installModules(1, {"qz4.pas"});
        installModules(86, {"qz4.c"});
        installModules(46, {});
        installModules(48, {});
        m.writeFile("C:\\QZ4\\qz4net.dll", "x");
        installModules(37, {"qz4main.cs"});
        catalogue.checkModules();
    }
    void readSettings(const std::string& text) {
        m.writeFile("C:\\QZ4\\QZ.INI", text);
        IniFile ini(m.files, "C:\\QZ4\\QZ.INI", m.system.ansiText());
        sections.readSections(ini);
    }
    IniFile writeSettings() {
        m.files.deleteFile("C:\\QZ4\\QZ.INI");
        IniFile ini(m.files, "C:\\QZ4\\QZ.INI", m.system.ansiText());
        sections.writeSections(ini);
        return IniFile(m.files, "C:\\QZ4\\QZ.INI", m.system.ansiText());
    }
};

TEST_F(SettingsSectionsTest, PackagesOrderFirstThenNewItemsAlphabetically) {
    readSettings("[Packages]\r\nPASCALABC1=1\r\nDELPHI7=2\r\ndelphi7=1\r\nVCNET10=1\r\n"
                 "UNKNOWN5=1\r\nMPICH3=1\r\n");
    EXPECT_EQ(catalogue.checkList(),
              (std::vector<std::string>{
                  "Borland Delphi 3", "MPICH 1.2.5", "Microsoft Visual C# 2010", "PascalABC.NET",
                  "Borland Delphi 7", "MS-MPI 10", "Visual Studio Code (C)"}));
    EXPECT_TRUE(catalogue.entry(7).suspended);
    EXPECT_FALSE(catalogue.entry(1).suspended);
    EXPECT_FALSE(catalogue.entry(34).modulesPresent); // listed key without modules: ignored
}

TEST_F(SettingsSectionsTest, MpiRuleAppliesAfterReading) {
    readSettings("[Packages]\r\nMPICH1=1\r\nMPICH3=1\r\n");
    EXPECT_TRUE(catalogue.entry(46).suspended);
    EXPECT_FALSE(catalogue.entry(48).suspended);
    readSettings("[Packages]\r\nMPICH1=1\r\nMPICH3=2\r\n");
    EXPECT_FALSE(catalogue.entry(46).suspended);
    EXPECT_TRUE(catalogue.entry(48).suspended);
}

TEST_F(SettingsSectionsTest, ExecutablesThatVanishedAreDroppedAndFrameworkDefaults) {
    touch("C:\\Delphi7\\Bin\\delphi32.exe");
    m.registry.writeString(RegistryRoot::LocalMachine,
                           "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full", "Version",
                           "4.8.04084");
    readSettings("[EXE files]\r\nDELPHI7=C:\\Delphi7\\Bin\\delphi32.exe\r\n"
                 "DELPHI3=C:\\Gone\\delphi32.exe\r\n"
                 "[Additions]\r\nCCODE1=C:\\gcc\\bin\\gcc.exe\r\nVBNET3=v4.7.2\r\n");
    EXPECT_EQ(catalogue.entry(7).exePath, "C:\\Delphi7\\Bin\\delphi32.exe");
    EXPECT_EQ(catalogue.entry(3).exePath, "");
    EXPECT_EQ(catalogue.entry(86).additions, "C:\\gcc\\bin\\gcc.exe");
    EXPECT_EQ(catalogue.entry(16).additions, "v4.7.2");
    EXPECT_EQ(catalogue.entry(37).additions, "v4.8"); // .NET slot without a value
    EXPECT_EQ(catalogue.entry(65).additions, "v4.8");
    EXPECT_EQ(catalogue.entry(1).additions, "");
}

TEST_F(SettingsSectionsTest, FrameworkDefaultWithoutInstalledFramework) {
    readSettings("");
    EXPECT_EQ(catalogue.entry(17).additions, "v4.0");
}

TEST_F(SettingsSectionsTest, WritesListedEnvironmentsInListOrder) {
    readSettings("[Packages]\r\nPASCALABC1=1\r\nDELPHI7=1\r\n");
    for (int slot : {1, 3, 7, 37, 46, 48, 86})
        catalogue.entry(slot).connectedOk = true;
    catalogue.entry(3).suspended = true;
    catalogue.entry(86).connectedOk = false;
    catalogue.entry(7).exePath = "C:\\Delphi7\\Bin\\delphi32.exe";
    catalogue.entry(86).additions = "C:\\gcc\\bin\\gcc.exe";

    IniFile ini = writeSettings();
    EXPECT_EQ(ini.sectionKeys("Packages"),
              (std::vector<std::string>{"DELPHI3", "MPICH1", "MPICH3", "VCSNET4", "PASCALABC1",
                                        "DELPHI7", "CCODE1"}));
    EXPECT_EQ(ini.readInteger("Packages", "DELPHI3", -1), 2);
    EXPECT_EQ(ini.readInteger("Packages", "MPICH1", -1), 2); // suspended by the MPI rule
    EXPECT_EQ(ini.readInteger("Packages", "MPICH3", -1), 1);
    EXPECT_EQ(ini.readInteger("Packages", "DELPHI7", -1), 1);
    EXPECT_EQ(ini.readInteger("Packages", "CCODE1", -1), 0);
    EXPECT_EQ(ini.readString("EXE files", "DELPHI7", ""), "C:\\Delphi7\\Bin\\delphi32.exe");
    EXPECT_EQ(ini.readString("Names", "DELPHI7", ""), "Borland Delphi 7");
    EXPECT_FALSE(ini.valueExists("EXE files", "DELPHI3"));
    EXPECT_EQ(ini.readString("Additions", "CCODE1", ""), "C:\\gcc\\bin\\gcc.exe");
    EXPECT_EQ(ini.readString("Additions", "VCSNET4", ""), "v4.0");
    // Only connected, active, non-MPI environments are in use.
    EXPECT_EQ(ini.readString("Environments", "Packages", ""), "VCSNET4|PASCALABC1|DELPHI7|");
    EXPECT_EQ(ini.readString("Environments", "LoadFiles", ""), "nets|pabc|dpr|");
    EXPECT_EQ(ini.readString("Environments", "Languages", ""), "CS|PascalABC|Pascal|");
    EXPECT_EQ(ini.sectionKeys("LangCodes"),
              (std::vector<std::string>{"CS", "PascalABC", "Pascal"}));
    EXPECT_EQ(ini.readInteger("LangCodes", "PascalABC", -1), 512);
    EXPECT_EQ(ini.readInteger("LangCodes", "CS", -1), 64);
}

TEST_F(SettingsSectionsTest, NothingInUseWritesEmptyLists) {
    readSettings("");
    IniFile ini = writeSettings();
    EXPECT_TRUE(ini.valueExists("Environments", "Packages"));
    EXPECT_EQ(ini.readString("Environments", "Languages", "?"), "");
    EXPECT_FALSE(ini.sectionExists("LangCodes"));
}

TEST_F(SettingsSectionsTest, LanguageCodesFollowTheSubstringRule) {
    // 1C listed before C: "C|" already occurs inside "1C|".
    catalogue.fill();
    installModules(75, {"qz4_1c.dll", "source.1c", "1Cv8.1CD"});
    installModules(84, {"qz4.c"});
    installModules(85, {"qz4.c"});
    catalogue.checkModules();
    readSettings("[Packages]\r\n_1C8=1\r\nDEVCC5=1\r\nCCBLOCKS13=1\r\n");
    for (int slot : {75, 84, 85, 86})
        catalogue.entry(slot).connectedOk = true;
    IniFile ini = writeSettings();
    EXPECT_EQ(ini.readString("Environments", "Languages", ""), "1C|C|C|C|");
    EXPECT_EQ(ini.sectionKeys("LangCodes"), (std::vector<std::string>{"1C"}));
}

TEST_F(SettingsSectionsTest, RoundTripKeepsOrderStateAndPaths) {
    touch("C:\\Delphi7\\Bin\\delphi32.exe");
    readSettings("[Packages]\r\nVCSNET4=1\r\nDELPHI7=2\r\n"
                 "[EXE files]\r\nDELPHI7=C:\\Delphi7\\Bin\\delphi32.exe\r\n"
                 "[Additions]\r\nVCSNET4=v4.8.1\r\n");
    for (int slot = 1; slot <= kSlotCount; ++slot)
        catalogue.entry(slot).connectedOk = catalogue.entry(slot).modulesPresent;
    std::vector<std::string> order = catalogue.checkList();
    writeSettings();

    EnvironmentCatalogue again(m.platform, kProgramDir);
    again.fill();
    again.checkModules();
    EnvironmentSettings(m.platform, again)
        .readSections(IniFile(m.files, "C:\\QZ4\\QZ.INI", m.system.ansiText()));
    EXPECT_EQ(again.checkList(), order);
    EXPECT_TRUE(again.entry(7).suspended);
    EXPECT_EQ(again.entry(7).exePath, "C:\\Delphi7\\Bin\\delphi32.exe");
    EXPECT_EQ(again.entry(37).additions, "v4.8.1");
}

TEST(LanguageMaskTest, TabledMasks) {
    const std::pair<const char*, long> cases[] = {
        {"Pascal", 0},        {"VB", 2},
        {"CPP", 8},           {"CS", 64},
        {"VB.NET", 256},      {"PascalABC", 512},
        {"1C", 16384},        {"Python-2", 4456448},
        {"Python-3", 262144}, {"Python", 262144},
        {"Java", 1048576},    {"Ruby", 2097152},
        {"FS", 8388608},      {"Julia", 33554432},
        {"C", 67108864},      {"R", 134217728},
        {"cpp", 0},           {"?", 0},
        {"python-3", 0},
    };
    for (const auto& [name, mask] : cases)
        EXPECT_EQ(LanguageMask(name), mask) << name;
}

} // namespace
} // namespace qz::test
