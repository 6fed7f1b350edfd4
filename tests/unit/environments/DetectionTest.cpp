#include "EnvironmentFixture.h"

#include "environments/DotNetFramework.h"
#include "environments/ExecutableDetection.h"
#include "environments/FileSearch.h"
#include "environments/ProgramFiles.h"
#include "environments/PythonInterpreter.h"

#include <stdexcept>

namespace qz::test {
namespace {

TEST(VisualStudioRegistryVersionTest, PerSlot) {
    const struct {
        std::vector<int> slots;
        const char* version;
    } cases[] = {
        {{12}, "8.1"},
        {{13}, "9.0"},
        {{14}, "10.0"},
        {{15}, "11.0"},
        {{16, 27, 36}, "9.0"},
        {{17, 28, 37}, "10.0"},
        {{18, 29, 38, 63}, "11.0"},
        {{19, 30, 39, 64}, "12.0"},
        {{20, 31, 40, 65}, "14.0"},
        {{21, 32, 41, 66}, "15.0"},
        {{22, 33, 42, 67}, "16.0"},
        {{23, 34, 43, 68}, "17.0"},
        {{24, 35, 44, 69}, "18.0"},
    };
    TestMachine m;
    EnvironmentCatalogue catalogue(m.platform, "C:\\QZ4\\");
    catalogue.fill();
    for (const auto& c : cases)
        for (int slot : c.slots)
            EXPECT_EQ(VisualStudioRegistryVersion(slot, catalogue.entry(slot).versionNumber),
                      c.version)
                << "slot " << slot;
}

// One detection on a fresh machine: registry text, files, expected result.
struct DetectCase {
    const char* what;
    int slot;
    const char* registry;
    std::vector<const char*> files;
    const char* expected;
};

void PrintTo(const DetectCase& c, std::ostream* os) {
    *os << c.what;
}

class DetectFamilyTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectFamilyTest, FindsTheExpectedExecutable) {
    const DetectCase& c = GetParam();
    TestMachine m;
    m.system.environment["APPDATA"] = "C:\\Users\\ann\\AppData\\Roaming";
    ASSERT_TRUE(m.registry.load(c.registry));
    for (const char* path : c.files)
        m.writeFile(path, "MZ");
    EnvironmentCatalogue catalogue(m.platform, "C:\\QZ4\\");
    catalogue.fill();
    ExecutableDetector detector(m.platform);
    EXPECT_EQ(detector.DetectExecutable(catalogue, c.slot), c.expected);
}

const char* const kPF = "[HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n"
                        "\"ProgramFilesDir\"=\"C:\\Program Files (x86)\"\n";

// clang-format off
const DetectCase kVisualStudio[] = {
    {"VS registry", 34,
     "[HKLM\\SOFTWARE\\Microsoft\\VisualStudio\\17.0\\Setup\\VS]\n\"EnvironmentPath\"=\"C:\\VS\\devenv.exe\"\n",
     {"C:\\VS\\devenv.exe"}, "C:\\VS\\devenv.exe"},
    {"VS deleted registry path skipped", 34,
     "[HKLM\\SOFTWARE\\Microsoft\\VisualStudio\\17.0\\Setup\\VS]\n\"EnvironmentPath\"=\"C:\\Old\\devenv.exe\"\n"
     "[HKCU\\SOFTWARE\\Microsoft\\VisualStudio\\17.0_Config\\Setup\\VS]\n\"EnvironmentPath\"=\"C:\\New\\devenv.exe\"\n",
     {"C:\\New\\devenv.exe"}, "C:\\New\\devenv.exe"},
    {"VB express", 17,
     "[HKCU\\SOFTWARE\\Microsoft\\VBExpress\\10.0]\n\"InstallDir\"=\"C:\\VBX\\\"\n\"ApplicationID\"=\"VBExpress\"\n",
     {"C:\\VBX\\VBExpress.exe"}, "C:\\VBX\\VBExpress.exe"},
    {"C# express", 37,
     "[HKCU\\SOFTWARE\\Microsoft\\VCSExpress\\10.0]\n\"InstallDir\"=\"C:\\CSX\\\"\n\"ApplicationID\"=\"VCSExpress\"\n",
     {"C:\\CSX\\VCSExpress.exe"}, "C:\\CSX\\VCSExpress.exe"},
    {"C++ uses the config key for the express probe", 28,
     "[HKCU\\SOFTWARE\\Microsoft\\VisualStudio\\10.0_Config\\Setup\\VS]\n\"InstallDir\"=\"C:\\VC\\\"\n\"ApplicationID\"=\"VCExpress\"\n",
     {"C:\\VC\\VCExpress.exe"}, "C:\\VC\\VCExpress.exe"},
    {"VS 2022 Community only on d:\\Program files", 34, kPF,
     {"D:\\Program Files\\Microsoft Visual Studio\\2022\\Community\\Common7\\IDE\\devenv.exe"},
     "d:\\Program files\\Microsoft Visual Studio\\2022\\Community\\Common7\\IDE\\devenv.exe"},
    {"VS editions: Professional before Community on one root", 33, "",
     {"C:\\Microsoft Visual Studio\\2019\\Community\\Common7\\IDE\\devenv.exe",
      "C:\\Microsoft Visual Studio\\2019\\Professional\\Common7\\IDE\\devenv.exe"},
     "c:\\Microsoft Visual Studio\\2019\\Professional\\Common7\\IDE\\devenv.exe"},
    {"VS roots before editions", 33, "",
     {"C:\\Microsoft Visual Studio\\2019\\Community\\Common7\\IDE\\devenv.exe",
      "D:\\Microsoft Visual Studio\\2019\\Enterprise\\Common7\\IDE\\devenv.exe"},
     "c:\\Microsoft Visual Studio\\2019\\Community\\Common7\\IDE\\devenv.exe"},
    {"VS 2026 under its short folder name, found deep", 69, kPF,
     {"C:\\Program Files\\Microsoft Visual Studio\\18\\Community\\Common7\\IDE\\Extensions\\x\\devenv.exe"},
     "c:\\Program files\\Microsoft Visual Studio\\18\\Community\\Common7\\IDE\\Extensions\\x\\devenv.exe"},
    {"VS 2010 has no edition search", 15, "",
     {"C:\\Microsoft Visual Studio\\2022\\Community\\Common7\\IDE\\devenv.exe"}, ""},
    {"VS 2015 has no edition search", 31, "",
     {"C:\\Microsoft Visual Studio\\2015\\Community\\Common7\\IDE\\devenv.exe"}, ""},
};

const DetectCase kFamilies[] = {
    {"PascalABC.NET HKCU before HKLM", 1,
     "[HKCU\\SOFTWARE\\PascalABC.NET]\n\"Install Directory\"=\"C:\\PABC\"\n"
     "[HKLM\\SOFTWARE\\PascalABC.NET]\n\"Install Directory\"=\"D:\\PABC\"\n",
     {"C:\\PABC\\PascalABCNET.exe", "D:\\PABC\\PascalABCNET.exe"}, "C:\\PABC\\PascalABCNET.exe"},
    {"PascalABC.NET HKLM when HKCU's file is gone", 1,
     "[HKCU\\SOFTWARE\\PascalABC.NET]\n\"Install Directory\"=\"C:\\PABC\"\n"
     "[HKLM\\SOFTWARE\\PascalABC.NET]\n\"Install Directory\"=\"D:\\PABC\"\n",
     {"D:\\PABC\\PascalABCNET.exe"}, "D:\\PABC\\PascalABCNET.exe"},
    {"Delphi 7 App", 7, "[HKLM\\SOFTWARE\\Borland\\Delphi\\7.0]\n\"App\"=\"C:\\D7\\Bin\\delphi32.exe\"\n",
     {"C:\\D7\\Bin\\delphi32.exe"}, "C:\\D7\\Bin\\delphi32.exe"},
    {"Delphi 3 names its value", 3, "[HKLM\\SOFTWARE\\Borland\\Delphi\\3.0]\n\"App\"=\"C:\\X.exe\"\n\"Delphi 3\"=\"C:\\D3\\delphi32.exe\"\n",
     {"C:\\X.exe", "C:\\D3\\delphi32.exe"}, "C:\\D3\\delphi32.exe"},
    {"Delphi 2006 under BDS 4.0", 9, "[HKLM\\SOFTWARE\\Borland\\BDS\\4.0]\n\"App\"=\"C:\\BDS\\bds.exe\"\n",
     {"C:\\BDS\\bds.exe"}, "C:\\BDS\\bds.exe"},
    {"Delphi missing file", 7, "[HKLM\\SOFTWARE\\Borland\\Delphi\\7.0]\n\"App\"=\"C:\\D7\\Bin\\delphi32.exe\"\n",
     {}, ""},
    {"VB5 registry", 10, "[HKLM\\SOFTWARE\\Microsoft\\Visual Basic\\5.0]\n\"InstallDir\"=\"C:\\VB\"\n",
     {"C:\\VB\\VB5.exe"}, "C:\\VB\\VB5.exe"},
    {"VB6 registry", 11, "[HKLM\\SOFTWARE\\Microsoft\\Visual Studio\\6.0\\Setup\\Microsoft Visual Basic]\n\"ProductDir\"=\"C:\\VB98\"\n",
     {"C:\\VB98\\VB6.exe"}, "C:\\VB98\\VB6.exe"},
    {"VB6 Program Files folder first", 11, kPF,
     {"C:\\vb6\\vb6.exe", "C:\\Program Files (x86)\\vb6\\vb6.exe"}, "C:\\Program Files (x86)\\vb6\\vb6.exe"},
    {"VB5 plain forms of C: before cce forms", 10, kPF,
     {"C:\\vb5cce\\vb5cce.exe", "C:\\Program Files\\vb5\\vb5.exe"}, "C:\\Program files\\vb5\\vb5.exe"},
    {"VB5 cce form on D:", 10, "", {"D:\\Program Files\\vb5cce\\vb5cce.exe"}, "D:\\Program files\\vb5cce\\vb5cce.exe"},
    {"Code::Blocks registry", 25, "[HKCU\\SOFTWARE\\CodeBlocks]\n\"Path\"=\"C:\\CB\"\n",
     {"C:\\CB\\codeblocks.exe"}, "C:\\CB\\codeblocks.exe"},
    {"Code::Blocks c: before Program Files", 85, kPF,
     {"C:\\Program Files (x86)\\CodeBlocks\\codeblocks.exe", "C:\\CodeBlocks\\codeblocks.exe"},
     "c:\\CodeBlocks\\codeblocks.exe"},
    {"Visual C++ 6 HKLM", 26, "[HKLM\\Environment]\n\"MSDevDir\"=\"C:\\VC98\\Common\\MSDev98\"\n",
     {"C:\\VC98\\Common\\MSDev98\\Bin\\MSDev.exe"}, "C:\\VC98\\Common\\MSDev98\\Bin\\MSDev.exe"},
    {"Visual C++ 6 candidate", 26, "",
     {"D:\\Program Files\\Microsoft Visual Studio\\Common\\MSDev98\\Bin\\MSDev.exe"},
     "D:\\Program Files\\Microsoft Visual Studio\\Common\\MSDev98\\Bin\\MSDev.exe"},
    {"Lazarus open command", 45,
     "[HKCR\\LazarusForm\\shell\\open\\command]\n@=\"C:\\lazarus\\lazarus.exe \"%1\"\"\n",
     {"C:\\lazarus\\lazarus.exe"}, "C:\\lazarus\\lazarus.exe"},
    {"Lazarus first existing file among the classes", 45,
     "[HKCR\\LazarusForm\\shell\\open\\command]\n@=\"C:\\gone\\lazarus.exe \"%1\"\"\n"
     "[HKCR\\LazarusUnit\\shell\\open\\command]\n@=\"\"D:\\laz\\lazarus.exe\" \"%1\"\"\n",
     {"D:\\laz\\lazarus.exe"}, "D:\\laz\\lazarus.exe"},
    {"Lazarus candidate", 45, "", {"D:\\lazarus\\lazarus.exe"}, "d:\\lazarus\\lazarus.exe"},
    {"MPICH 1.2.5 folder of the MPD path", 46,
     "[HKLM\\SOFTWARE\\MPICH\\MPD]\n\"Path\"=\"C:\\MPICH\\mpd\\bin\\mpd.exe\"\n",
     {"C:\\MPICH\\mpd\\bin\\MPIRun.exe"}, "C:\\MPICH\\mpd\\bin\\MPIRun.exe"},
    {"MPICH 1.2.5 candidate", 46, "", {"C:\\Program Files\\MPICH\\mpd\\bin\\MPIRun.exe"},
     "C:\\Program Files\\MPICH\\mpd\\bin\\MPIRun.exe"},
    {"MPICH2 registry", 47, "[HKLM\\SOFTWARE\\MPICH2]\n\"Path\"=\"C:\\MPICH2\\\"\n",
     {"C:\\MPICH2\\bin\\mpiexec.exe"}, "C:\\MPICH2\\bin\\mpiexec.exe"},
    {"MS-MPI registry", 48, "[HKLM\\SOFTWARE\\Microsoft\\MPI]\n\"InstallRoot\"=\"C:\\MSMPI\\\"\n",
     {"C:\\MSMPI\\bin\\mpiexec.exe"}, "C:\\MSMPI\\bin\\mpiexec.exe"},
    {"MS-MPI candidate", 48, "", {"D:\\Program Files (x86)\\Microsoft MPI\\bin\\mpiexec.exe"},
     "D:\\Program Files (x86)\\Microsoft MPI\\bin\\mpiexec.exe"},
    {"PyCharm pycharm.exe before pycharm64.exe", 52, "",
     {"C:\\JetBrains\\PyCharm 2023\\bin\\pycharm64.exe", "C:\\JetBrains\\PyCharm 2023\\bin\\pycharm.exe"},
     "c:\\JetBrains\\PyCharm 2023\\bin\\pycharm.exe"},
    {"PyCharm pycharm64.exe on c: before pycharm.exe on d:", 51, "",
     {"C:\\JetBrains\\P\\bin\\pycharm64.exe", "D:\\JetBrains\\P\\bin\\pycharm.exe"},
     "c:\\JetBrains\\P\\bin\\pycharm64.exe"},
    {"RubyMine rubymine64.exe first", 73, kPF,
     {"C:\\Program Files (x86)\\JetBrains\\RubyMine\\bin\\rubymine.exe",
      "C:\\Program Files (x86)\\JetBrains\\RubyMine\\bin\\rubymine64.exe"},
     "C:\\Program Files (x86)\\JetBrains\\RubyMine\\bin\\rubymine64.exe"},
    {"Eclipse in the user's profile", 58, "",
     {"C:\\Users\\ann\\eclipse\\java-2023\\eclipse\\eclipse.exe", "C:\\eclipse\\eclipse.exe"},
     "C:\\Users\\ann\\eclipse\\java-2023\\eclipse\\eclipse.exe"},
    {"Eclipse candidate", 58, "", {"D:\\eclipse\\eclipse.exe"}, "d:\\eclipse\\eclipse.exe"},
    {"Wing 101 WINGHOME", 61,
     "[HKLM\\SOFTWARE\\ARCHAEOPTERYX\\WINGIDE101\\6.0\\INSTALL]\n\"WINGHOME\"=\"C:\\Apps\\Wing IDE 101 6.0\"\n",
     {"C:\\Apps\\Wing IDE 101 6.0\\bin\\wing-101.exe"}, "C:\\Apps\\Wing IDE 101 6.0\\bin\\wing-101.exe"},
    {"Wing Personal search", 62, "",
     {"D:\\Wing IDE Personal 6.0\\bin\\sub\\wing-personal.exe"},
     "d:\\Wing IDE Personal 6.0\\bin\\sub\\wing-personal.exe"},
    {"Dev-C++ candidates before the registry", 70,
     "[HKLM\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dev-C++]\n\"DisplayIcon\"=\"C:\\Reg\\devcpp.exe\"\n",
     {"C:\\Reg\\devcpp.exe", "D:\\Dev-Cpp\\devcpp.exe"}, "d:\\Dev-Cpp\\devcpp.exe"},
    {"Dev-C++ Embarcadero folders first", 84, "",
     {"C:\\Dev-Cpp\\devcpp.exe", "D:\\Embarcadero\\Dev-Cpp\\devcpp.exe"}, "d:\\Embarcadero\\Dev-Cpp\\devcpp.exe"},
    {"Dev-C++ registry last", 84,
     "[HKLM\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dev-C++]\n\"DisplayIcon\"=\"C:\\Reg\\devcpp.exe\"\n",
     {"C:\\Reg\\devcpp.exe"}, "C:\\Reg\\devcpp.exe"},
    {"SharpDevelop 5.1", 72, kPF, {"C:\\Program Files\\SharpDevelop\\5.1\\bin\\SharpDevelop.exe"},
     "c:\\Program files\\SharpDevelop\\5.1\\bin\\SharpDevelop.exe"},
    {"SharpDevelop other version ignored", 71, "", {"C:\\SharpDevelop\\4.4\\bin\\SharpDevelop.exe"}, ""},
    {"VS Code in the local programs", 87, "",
     {"C:\\Users\\ann\\AppData\\Local\\Programs\\Microsoft VS Code\\code.exe"},
     "C:\\Users\\ann\\AppData\\Local\\Programs\\Microsoft VS Code\\code.exe"},
    {"VS Code Program Files folder first", 74, kPF,
     {"C:\\Program Files (x86)\\Microsoft VS Code\\code.exe", "C:\\Program Files\\Microsoft VS Code\\code.exe"},
     "C:\\Program Files (x86)\\Microsoft VS Code\\code.exe"},
    {"1C tails before roots", 75, kPF,
     {"C:\\Program Files (x86)\\1cv82t\\bin\\1cv8t.exe", "D:\\1cv81t\\bin\\1cv8t.exe"},
     "d:\\1cv81t\\bin\\1cv8t.exe"},
    {"RStudio search", 88, kPF, {"C:\\Program Files\\RStudio\\bin\\rstudio.exe"},
     "c:\\Program files\\RStudio\\bin\\rstudio.exe"},
    {"Added environments are not detected", 89, "", {}, ""},
    {"Empty slots are not detected", 2, "", {}, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(VisualStudio, DetectFamilyTest, ::testing::ValuesIn(kVisualStudio));
INSTANTIATE_TEST_SUITE_P(Families, DetectFamilyTest, ::testing::ValuesIn(kFamilies));

class DetectionTest : public EnvironmentTest {
protected:
    void SetUp() override { catalogue.fill(); }
};

TEST_F(DetectionTest, CandidatesOnlyOnFixedDrives) {
    m.registry.load(kPF);
    touch("D:\\Program Files\\Microsoft VS Code\\code.exe");
    ExecutableDetector detector(m.platform);
    EXPECT_EQ(detector.DetectExecutable(catalogue, 77),
              "d:\\Program files\\Microsoft VS Code\\code.exe");
    m.files.setDriveType('D', DriveType::CdRom);
    ExecutableDetector again(m.platform);
    EXPECT_EQ(again.DetectExecutable(catalogue, 77), "");
}

// A registry that fails on every read.
class BrokenRegistry : public HostRegistry {
public:
    bool keyExists(RegistryRoot, const std::string&) const override {
        throw std::runtime_error("registry unavailable");
    }
    std::optional<std::string> readString(RegistryRoot, const std::string&,
                                          const std::string&) const override {
        throw std::runtime_error("registry unavailable");
    }
};

TEST_F(DetectionTest, FailingProbesMoveOnToTheNext) {
    BrokenRegistry registry;
    Platform platform{m.files, registry, m.system, m.dialogs, m.resources, m.shell};
    touch("C:\\CodeBlocks\\codeblocks.exe");
    touch("C:\\Python312\\pythonw.exe");
    touch("C:\\Python312\\Lib\\idlelib\\idle.pyw");
    touch("C:\\Program Files\\MPICH2\\bin\\mpiexec.exe");
    ExecutableDetector detector(platform);
    EXPECT_EQ(detector.DetectExecutable(catalogue, 25), "c:\\CodeBlocks\\codeblocks.exe");
    EXPECT_EQ(detector.DetectExecutable(catalogue, 50), "c:\\Python312\\pythonw.exe");
    EXPECT_EQ(detector.DetectExecutable(catalogue, 47),
              "C:\\Program Files\\MPICH2\\bin\\mpiexec.exe");
    for (int slot : {1, 7, 34, 45, 46, 61})
        EXPECT_EQ(detector.DetectExecutable(catalogue, slot), "") << slot;
    EXPECT_EQ(ProgramFilesDirectory(registry, m.files), "C:\\Program Files");
    EXPECT_EQ(DefaultFrameworkVersion(registry), "v4.0");
}

TEST_F(DetectionTest, ProgramFilesDirectory) {
    // No drive letters beyond C: and D: exist on the test machine.
    EXPECT_EQ(ProgramFilesDirectory(m.registry, m.files), "C:");
    m.files.createDirectories("D:\\Program Files");
    EXPECT_EQ(ProgramFilesDirectory(m.registry, m.files), "D:\\Program Files");
    m.files.createDirectories("C:\\Program Files");
    EXPECT_EQ(ProgramFilesDirectory(m.registry, m.files), "C:\\Program Files");
    m.files.createDirectories("C:\\Program Files (x86)");
    EXPECT_EQ(ProgramFilesDirectory(m.registry, m.files), "C:\\Program Files (x86)");
    m.registry.writeString(RegistryRoot::LocalMachine,
                           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                           "E:\\Apps");
    EXPECT_EQ(ProgramFilesDirectory(m.registry, m.files), "E:\\Apps");
}

TEST_F(DetectionTest, ProgramFilesDirectoryStopsAtTheFirstDriveThatIsNotFixed) {
    m.files.setDriveType('C', DriveType::Remote);
    m.files.createDirectories("D:\\Program Files");
    EXPECT_EQ(ProgramFilesDirectory(m.registry, m.files), "D:");
}

TEST_F(DetectionTest, SearchRootsAndProfileBase) {
    EXPECT_EQ(StandardSearchRoots("X:\\PF"),
              (std::vector<std::string>{"c:", "d:", "X:\\PF", "c:\\Program files (x86)",
                                        "c:\\Program files", "d:\\Program files (x86)",
                                        "d:\\Program files"}));
    EXPECT_EQ(ProgramFilesRoots("X:\\PF").front(), "X:\\PF");
    m.system.environment["APPDATA"] = "C:\\Users\\ann\\AppData\\roaming\\x";
    EXPECT_EQ(ProfileBaseFolder(m.system), "C:\\Users\\ann\\AppData");
    m.system.environment["APPDATA"] = "C:\\Profiles\\ann";
    EXPECT_EQ(ProfileBaseFolder(m.system), "C:\\Profiles\\ann");
}

TEST_F(DetectionTest, IsOnFixedDrive) {
    touch("C:\\a.exe");
    EXPECT_TRUE(IsOnFixedDrive(m.files, "C:\\a.exe"));
    EXPECT_FALSE(IsOnFixedDrive(m.files, "C:\\b.exe"));
    EXPECT_FALSE(IsOnFixedDrive(m.files, ""));
    EXPECT_FALSE(IsOnFixedDrive(m.files, "\\\\server\\a.exe"));
    m.files.setDriveType('C', DriveType::Removable);
    EXPECT_FALSE(IsOnFixedDrive(m.files, "C:\\a.exe"));
}

TEST_F(DetectionTest, FindFileRecursive) {
    touch("C:\\T\\b\\deep\\x\\tool.exe");
    touch("C:\\T\\a\\other.exe");
    touch("C:\\T\\c\\tool.exe");
    m.files.createDirectories("C:\\T\\tool.exe.d");
    FileSearch search(m.files);
    // Files of a folder before its subfolders; subfolders in listing order, depth first.
    EXPECT_EQ(search.FindFileRecursive("C:\\T", "tool.exe"), "C:\\T\\b\\deep\\x\\tool.exe");
    EXPECT_EQ(search.FindFileRecursive("C:\\T\\", "TOOL.EXE"), "C:\\T\\b\\deep\\x\\tool.exe");
    EXPECT_EQ(search.FindFileRecursive("C:\\T\\c", "tool.exe"), "C:\\T\\c\\tool.exe");
    EXPECT_EQ(search.FindFileRecursive("C:\\T", "oth*.exe"), "C:\\T\\a\\other.exe");
    EXPECT_EQ(search.FindFileRecursive("C:\\T", "tool.exe.d"), ""); // folders are not hits
    EXPECT_EQ(search.FindFileRecursive("C:\\Missing", "tool.exe"), "");
    m.files.setDriveType('C', DriveType::Remote);
    EXPECT_EQ(FileSearch(m.files).FindFileRecursive("C:\\T", "tool.exe"), "");
}

TEST_F(DetectionTest, NameListingAgreesWithTheFullListing) {
    touch("C:\\T\\b.exe");
    touch("C:\\T\\A.txt");
    m.files.createDirectories("C:\\T\\Sub");
    auto flatten = [](const std::vector<NameEntry>& entries) {
        std::vector<std::string> out;
        for (const NameEntry& e : entries)
            out.push_back(e.name + (e.isDirectory ? "\\" : ""));
        return out;
    };
    const std::vector<std::string> expected = {"A.txt", "b.exe", "Sub\\"};
    EXPECT_EQ(flatten(m.files.listNames("c:\\t")), expected);
    EXPECT_EQ(flatten(m.files.FileSystem::listNames("C:\\T\\")), expected); // from list()
    EXPECT_TRUE(m.files.listNames("C:\\Missing").empty());
}

TEST(LazarusCommandTest, ExecutableBeforeTheQuotedArgument) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\lazarus\\lazarus.exe \"%1\"", "C:\\lazarus\\lazarus.exe"},
        {"  C:\\Program Files\\lazarus\\lazarus.exe   \"%1\"",
         "C:\\Program Files\\lazarus\\lazarus.exe"},
        {"\"C:\\lazarus\\lazarus.exe\" \"%1\"", "C:\\lazarus\\lazarus.exe"},
        {"C:\\lazarus\\lazarus.exe %1", ""},
        {"", ""},
    };
    for (const auto& [command, exe] : cases)
        EXPECT_EQ(LazarusCommandExecutable(command), exe) << command;
}

class PythonTest : public EnvironmentTest {
protected:
    void SetUp() override { catalogue.fill(); }
    void installPython(const std::string& folder, bool withIdle = true) {
        touch(folder + "\\pythonw.exe");
        if (withIdle)
            touch(folder + "\\Lib\\idlelib\\idle.pyw");
    }
    void registerPython(RegistryRoot root, const std::string& version, const std::string& dir) {
        m.registry.writeString(root, "SOFTWARE\\Python\\PythonCore\\" + version + "\\InstallPath",
                               "", dir);
    }
    std::string find(const char* major) {
        return FindPythonInterpreter(m.registry, m.files, major);
    }
};

TEST_F(PythonTest, RegistryNewestMinorFirst) {
    installPython("C:\\Py39");
    installPython("C:\\Py312");
    registerPython(RegistryRoot::LocalMachine, "3.9", "C:\\Py39\\");
    registerPython(RegistryRoot::CurrentUser, "3.12-32", "C:\\Py312\\");
    EXPECT_EQ(find("3"), "C:\\Py312\\pythonw.exe");
    EXPECT_EQ(find("2"), "");
}

TEST_F(PythonTest, LaterProbeOfTheSameVersionReplacesTheResult) {
    installPython("C:\\A");
    installPython("C:\\B");
    registerPython(RegistryRoot::CurrentUser, "3.11-32", "C:\\A\\");
    registerPython(RegistryRoot::LocalMachine, "3.11", "C:\\B\\");
    EXPECT_EQ(find("3"), "C:\\B\\pythonw.exe");
}

TEST_F(PythonTest, WithoutIdleNotAccepted) {
    installPython("C:\\NoIdle", false);
    registerPython(RegistryRoot::LocalMachine, "3.10", "C:\\NoIdle\\");
    installPython("D:\\Python310", false);
    EXPECT_EQ(find("3"), "");
    installPython("D:\\Python38");
    EXPECT_EQ(find("3"), "d:\\Python38\\pythonw.exe");
}

TEST_F(PythonTest, FolderSearchRootsOuterMinorsInner) {
    installPython("C:\\Python37");
    installPython("D:\\Python312");
    EXPECT_EQ(find("3"), "c:\\Python37\\pythonw.exe");
}

TEST_F(PythonTest, DescriptionFromTheIdleSlotOrTheSearch) {
    const char* header = "/* Version */\n#define PY_VERSION_HEX 0x030C01F0\n"
                         "#define PY_VERSION      \"3.12.1\"\n";
    installPython("C:\\Py312");
    m.writeFile("C:\\Py312\\include\\patchlevel.h", header);
    catalogue.entry(50).exePath = "C:\\Py312\\pythonw.exe";
    EXPECT_EQ(DescribePythonInterpreter(m.registry, m.files, catalogue, 52),
              "Python 3.12.1 (C:\\Py312\\python.exe)");
    EXPECT_EQ(DescribePythonInterpreter(m.registry, m.files, catalogue, 61),
              "Python 3.12.1 (C:\\Py312\\python.exe)");
    // PyCharm (Python 2) looks at IDLE (Python 2), then searches for a Python 2; with
    // neither known, a header at the drive's root is not taken for one.
    m.writeFile("C:\\include\\patchlevel.h", "#define PY_VERSION \"0.0\"\n");
    EXPECT_EQ(DescribePythonInterpreter(m.registry, m.files, catalogue, 51), "");
    installPython("C:\\Python27");
    m.writeFile("C:\\Python27\\include\\patchlevel.h", "#define PY_VERSION \"2.7.18\"\r\n");
    EXPECT_EQ(DescribePythonInterpreter(m.registry, m.files, catalogue, 51),
              "Python 2.7.18 (c:\\Python27\\python.exe)");
}

TEST(FrameworkVersionTest, DefaultFromTheRegistry) {
    const std::pair<const char*, const char*> cases[] = {
        {"4.8.04084", "v4.8"}, {"4.7.03190", "v4.7"}, {"4.8", "v4.8"},
        {"4.8.1", "v4.8.1"},   {"", "v4.0"},
    };
    for (const auto& [installed, expected] : cases) {
        HostRegistry registry;
        registry.writeString(RegistryRoot::LocalMachine,
                             "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full", "Version",
                             installed);
        EXPECT_EQ(DefaultFrameworkVersion(registry), expected) << installed;
    }
    EXPECT_EQ(DefaultFrameworkVersion(HostRegistry()), "v4.0");
}

TEST(FrameworkVersionTest, ValidVersions) {
    for (const char* valid : {"v4.7", "v4.8", "v4.9", "v4.8.1", "v4.7.2"})
        EXPECT_TRUE(IsValidFrameworkVersion(valid)) << valid;
    for (const char* invalid :
         {"v4.6", "v4.8.", "v4.10", "4.8", "v4.8.x", "v5.0", "V4.8", "", "v4.8.12"})
        EXPECT_FALSE(IsValidFrameworkVersion(invalid)) << invalid;
}

} // namespace
} // namespace qz::test
