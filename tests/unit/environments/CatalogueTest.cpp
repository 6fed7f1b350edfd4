#include "EnvironmentFixture.h"

#include "environments/SlotRanges.h"

#include <set>

namespace qz::test {
namespace {

class CatalogueTest : public EnvironmentTest {
protected:
    void SetUp() override { catalogue.fill(); }
};

TEST_F(CatalogueTest, BuiltInSlotsAsTabled) {
    const std::set<int> empty = {2, 53, 54, 55, 56, 57, 59, 60, 79, 81, 82, 89, 90};
    std::set<std::string> names;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const EnvironmentEntry& e = catalogue.entry(slot);
        EXPECT_EQ(e.occupied(), !empty.count(slot)) << slot;
        if (e.occupied())
            EXPECT_TRUE(names.insert(e.displayName).second) << "duplicate " << e.displayName;
        else
            EXPECT_TRUE(e.displayName.empty() && e.loadSuffix.empty() && e.versionNumber == 0);
    }
    EXPECT_EQ(names.size(), 77u);

    struct Row {
        int slot;
        const char* name;
        const char* key;
        const char* load;
        const char* exe;
        const char* language;
    };
    const Row rows[] = {
        {1, "PascalABC.NET", "PASCALABC1", "pabc", "pascalabcnet", "PascalABC"},
        {8, "Borland Delphi 2005", "DELPHI9", "dpr", "bds", "Pascal"},
        {24, "Microsoft Visual Basic .NET 2026", "VBNET11", "netb", "devenv", "VB.NET"},
        {25, "Code::Blocks (C++)", "CBLOCKS13", "cbp", "codeblocks", "CPP"},
        {46, "MPICH 1.2.5", "MPICH1", "mpi", "mpirun", ""},
        {58, "Eclipse (Java)", "JAVAEC4", "jec", "eclipse", "Java"},
        {73, "RubyMine", "RUBYMINE20", "rbm", "rubymine64", "Ruby"},
        {75, "1C:Enterprise 8", "_1C8", "1c", "1cv8", "1C"},
        {88, "RStudio", "RSTUDIO1", "rs", "rstudio", "R"},
    };
    catalogue.checkModules(); // computes the version texts
    for (const Row& r : rows) {
        const EnvironmentEntry& e = catalogue.entry(r.slot);
        EXPECT_EQ(e.displayName, r.name);
        EXPECT_EQ(e.key(), r.key);
        EXPECT_EQ(e.loadSuffix, r.load);
        EXPECT_EQ(e.exeBaseName, r.exe);
        EXPECT_EQ(e.language, r.language);
        EXPECT_EQ(catalogue.moduleDirectory(r.slot), std::string("C:\\QZ4\\") + r.key);
    }
}

TEST_F(CatalogueTest, FindSlotByKeyAndByName) {
    catalogue.checkModules();
    EXPECT_EQ(catalogue.findSlotByKey("vcnet10"), 34);
    EXPECT_EQ(catalogue.findSlotByKey("MPICH1"), 46);
    EXPECT_EQ(catalogue.findSlotByKey("VCNET12"), 0);
    EXPECT_EQ(catalogue.findSlotByKey("0"), 0); // empty slots have no key
    EXPECT_EQ(catalogue.findSlotByDisplayName("Borland Delphi 7"), 7);
    EXPECT_EQ(catalogue.findSlotByDisplayName("borland delphi 7"), 0);
    EXPECT_EQ(catalogue.findSlotByDisplayName(""), 0);
}

class AddedEnvironmentsTest : public CatalogueTest {
protected:
    void SetUp() override {}
    void fillWith(const std::string& ini) {
        m.writeFile("C:\\QZ4\\AddQZ.INI", ini);
        catalogue.fill();
        catalogue.checkModules();
    }
};

TEST_F(AddedEnvironmentsTest, SectionsFillSlots89And90) {
    fillWith("[Add1]\r\nEnv=KUMIR\r\nFullName= Kumir 2 \r\nExeFile=kumir\r\nLoadFile=kum\r\n"
             "Ver=2\r\nLang=Kumir\r\n[Add2]\r\nEnv=OTHER\r\nExeFile=\r\n[Add3]\r\nEnv=THIRD\r\n");
    const EnvironmentEntry& a = catalogue.entry(89);
    EXPECT_EQ(a.displayName, "Kumir 2");
    EXPECT_EQ(a.key(), "KUMIR2");
    EXPECT_EQ(a.exeBaseName, "kumir");
    EXPECT_EQ(a.loadSuffix, "kum");
    EXPECT_EQ(a.language, "Kumir");
    const EnvironmentEntry& b = catalogue.entry(90);
    EXPECT_EQ(b.displayName, "?");
    EXPECT_EQ(b.exeBaseName, "*"); // empty means any name
    EXPECT_EQ(b.key(), "OTHER1");
    EXPECT_EQ(b.language, "?");
    EXPECT_EQ(catalogue.findSlotByKey("THIRD1"), 0);
}

TEST_F(AddedEnvironmentsTest, GapEndsTheReading) {
    fillWith("[Add1]\r\nEnv=ONE\r\n[Add3]\r\nEnv=THREE\r\n");
    EXPECT_TRUE(catalogue.entry(89).occupied());
    EXPECT_FALSE(catalogue.entry(90).occupied());
}

TEST_F(AddedEnvironmentsTest, AddedEnvironmentNeedsOnlyItsLoadFile) {
    fillWith("[Add1]\r\nEnv=ONE\r\nLoadFile=one\r\n");
    EXPECT_FALSE(catalogue.entry(89).modulesPresent);
    m.writeFile("C:\\QZ4\\ONE1\\loadone.dat", "x");
    catalogue.fill();
    catalogue.checkModules();
    EXPECT_TRUE(catalogue.entry(89).modulesPresent);
}

TEST_F(CatalogueTest, MarkerFilesPerSlotRange) {
    struct Case {
        int slot;
        std::vector<const char*> markers;
        bool inProgramDir = false; // qz4net.dll beside the program instead
    };
    const Case cases[] = {
        {1, {"qz4.pas"}},
        {80, {"qz4.pas"}},
        {5, {"qz4tasks.pas"}},
        {45, {"qz4tasks.pas"}},
        {10, {"qz4.bas"}},
        {14, {"qz4net.dll"}},
        {26, {"qz4.cpp"}},
        {87, {"qz4.cpp"}},
        {40, {"qz4main.cs", "qz4net.dll"}},
        {71, {"qz4main.cs"}, true},
        {66, {"qz4main.fs", "qz4net.dll"}},
        {72, {"qz4main.fs"}, true},
        {47, {}},
        {51, {"qz4.py"}},
        {77, {"qz4.py"}},
        {58, {"QZ.java"}},
        {78, {"QZ.rb"}},
        {74, {"qz4core.cs"}},
        {75, {"qz4_1c.dll", "source.1c", "1Cv8.1CD"}},
        {83, {"QZ.jl"}},
        {85, {"qz4.c"}},
        {88, {"QZ4.R"}},
    };
    for (const Case& c : cases) {
        TestMachine fresh;
        EnvironmentCatalogue cat(fresh.platform, "C:\\QZ4\\");
        cat.fill();
        cat.checkModules();
        std::string dir = "C:\\QZ4\\" + cat.environmentKey(c.slot) + "\\";
        if (c.inProgramDir)
            fresh.writeFile("C:\\QZ4\\qz4net.dll", "x");
        // Every marker but the last, and the load file: not yet present.
        for (std::size_t i = 0; i + 1 < c.markers.size(); ++i)
            fresh.writeFile(dir + c.markers[i], "x");
        fresh.writeFile(dir + "load" + cat.entry(c.slot).loadSuffix + ".dat", "x");
        if (!c.markers.empty()) {
            cat.checkModules();
            EXPECT_FALSE(cat.entry(c.slot).modulesPresent) << "slot " << c.slot;
            fresh.writeFile(dir + c.markers.back(), "x");
        }
        cat.checkModules();
        EXPECT_TRUE(cat.entry(c.slot).modulesPresent) << "slot " << c.slot;
        // Without its load data file a slot is not present whatever its markers.
        fresh.files.deleteFile(dir + "load" + cat.entry(c.slot).loadSuffix + ".dat");
        cat.checkModules();
        EXPECT_FALSE(cat.entry(c.slot).modulesPresent) << "slot " << c.slot;
    }
}

TEST_F(CatalogueTest, CheckModulesReportsWhetherAnyIsPresent) {
    EXPECT_FALSE(catalogue.checkModules());
    installModules(7, {"qz4tasks.pas"});
    EXPECT_TRUE(catalogue.checkModules());
    EXPECT_TRUE(catalogue.entry(7).modulesPresent);
    EXPECT_FALSE(catalogue.entry(6).modulesPresent);
}

TEST_F(CatalogueTest, MpiLoadCopyOverwritesOnlyForPresentSlots) {
    installModules(48, {});
    m.writeFile(moduleFile(48, "MPIloadmpi.dat"), "old");
    m.writeFile(moduleFile(48, "MPIloadmpi.dat2"), "new");
    m.writeFile(moduleFile(7, "MPIloaddpr.dat2"), "new"); // Delphi 7 not installed
    catalogue.checkModules();
    EXPECT_EQ(read(moduleFile(48, "MPIloadmpi.dat")), "new");
    EXPECT_FALSE(m.files.fileExists(moduleFile(7, "MPIloaddpr.dat")));
}

TEST_F(CatalogueTest, ListCheckFollowsPresenceStatusAndSuspension) {
    installModules(7, {"qz4tasks.pas"});
    catalogue.checkModules();
    EnvironmentEntry& e = catalogue.entry(7);
    EXPECT_EQ(catalogue.listCheck(7), ListCheck::Unchecked); // status not checked yet
    e.connectedOk = true;
    EXPECT_EQ(catalogue.listCheck(7), ListCheck::Checked);
    e.suspended = true;
    EXPECT_EQ(catalogue.listCheck(7), ListCheck::Grayed);
    e.modulesPresent = false;
    EXPECT_EQ(catalogue.listCheck(7), ListCheck::Unchecked);
}

TEST_F(CatalogueTest, MpiRuleKeepsExactlyOneActive) {
    struct Case {
        std::vector<int> present;
        std::vector<int> suspended;
        std::vector<int> activeAfter;
    };
    const Case cases[] = {
        {{46, 48}, {}, {48}},       // neither suspended: the highest wins
        {{46, 48}, {46, 48}, {48}}, // all suspended
        {{46, 47}, {47}, {46}},     // exactly one active stays
        {{46, 47, 48}, {48}, {48}}, // two active: start again from the top
        {{46}, {46}, {46}},         // a single runtime is always active
    };
    for (const Case& c : cases) {
        catalogue.fill();
        for (int slot : c.present)
            catalogue.entry(slot).modulesPresent = true;
        for (int slot : c.suspended)
            catalogue.entry(slot).suspended = true;
        catalogue.applyMpiRule();
        std::vector<int> active;
        for (int slot : c.present)
            if (!catalogue.entry(slot).suspended)
                active.push_back(slot);
        EXPECT_EQ(active, c.activeAfter);
    }
}

TEST_F(CatalogueTest, MergeKeepsRememberedOrderAndSortsNewItems) {
    catalogue.appendToList(1); // remembered out of alphabetical order
    catalogue.appendToList(7);
    catalogue.mergeIntoList(3);
    catalogue.mergeIntoList(25);
    catalogue.mergeIntoList(88);
    EXPECT_EQ(catalogue.checkList(),
              (std::vector<std::string>{"Borland Delphi 3", "Code::Blocks (C++)", "PascalABC.NET",
                                        "Borland Delphi 7", "RStudio"}));
    EXPECT_TRUE(catalogue.removeModulesEnabled());
    catalogue.checkList().resize(1);
    EXPECT_FALSE(catalogue.removeModulesEnabled());
}

} // namespace
} // namespace qz::test
