#include "EnvironmentFixture.h"

#include "environments/TemplateFile.h"
#include "environments/TemplateUpdates.h"

namespace qz::test {
namespace {

class TemplateTest : public EnvironmentTest {
protected:
    TemplateEditor editor{m.files, {m.system.codePages(), 1251}};
    TemplateUpdater updater{m.platform, catalogue};

    void SetUp() override {
        m.system.ansi = 1251;
        catalogue.fill();
    }
    std::string write(int slot, const std::string& name, const std::string& bytes) {
        std::string path = moduleFile(slot, name);
        m.writeFile(path, bytes);
        return path;
    }
};

TEST_F(TemplateTest, KeyedLinesKeepIndentationAndOtherBytes) {
    std::string path = write(86, "tasks.json",
                             "{\n"
                             "        \"command\": \"old\",\r\n"
                             "    \"args\": [\"\\\"command\\\": x\"],\n"
                             "\t\"command\":\"other\"\n"
                             "}");
    editor.ReplaceKeyedLines(catalogue.moduleDirectory(86), "*tasks.json",
                             "\"command\":", "\"command\": \"new\",");
    EXPECT_EQ(read(path), "{\n"
                          "        \"command\": \"new\",\r\n"
                          "    \"args\": [\"\\\"command\\\": x\"],\n"
                          "\t\"command\": \"new\",\r\n"
                          "}");
    EXPECT_FALSE(m.files.fileExists(path + "1"));
}

TEST_F(TemplateTest, NothingToChangeLeavesTheFileAlone) {
    std::string path = write(86, "tasks.json", "a\nb");
    editor.ReplaceKeyedLines(catalogue.moduleDirectory(86), "*.json", "\"command\":", "x");
    editor.ReplaceKeyedLines(catalogue.moduleDirectory(86), "*.json", "a", "");  // empty text
    editor.ReplacePlaceholder(catalogue.moduleDirectory(86), "*.json", "", "a"); // empty text
    editor.ReplacePlaceholder(catalogue.moduleDirectory(86), "*.json", "b",
                              ""); // empty placeholder
    editor.ReplaceKeyedLines("C:\\QZ4\\NOSUCH", "*.json", "a", "x");
    EXPECT_EQ(read(path), "a\nb");
}

TEST_F(TemplateTest, TaggedLinesAndPlaceholders) {
    std::string proj =
        write(37, "qzprj.csproj",
              "<Project>\r\n  <TargetFrameworkVersion>v4.0</TargetFrameworkVersion>\r\n"
              "</Project>\r\n");
    editor.ReplaceTaggedLines(catalogue.moduleDirectory(37), "*.csproj", "v4.8",
                              "</TargetFrameworkVersion>", "    <TargetFrameworkVersion>");
    EXPECT_EQ(read(proj),
              "<Project>\r\n    <TargetFrameworkVersion>v4.8</TargetFrameworkVersion>\r\n"
              "</Project>\r\n");

    std::string win = write(70, "qzprj.win", "a=%S/bin;%S/lib\nb=%s\n");
    editor.ReplacePlaceholder(catalogue.moduleDirectory(70), "*.win", "C:/Dev-Cpp", "%S");
    EXPECT_EQ(read(win), "a=C:/Dev-Cpp/bin;C:/Dev-Cpp/lib\r\nb=%s\n");
}

TEST_F(TemplateTest, InsertedTextUsesTheFileEncoding) {
    std::string win = write(70, "qzprj.win", "dir=%S\n");
    std::string json = write(86, "launch.json", "\"cwd\": \"%S\"\n");
    editor.ReplacePlaceholder(catalogue.moduleDirectory(70), "*.win", "C:/Мой", "%S");
    editor.ReplacePlaceholder(catalogue.moduleDirectory(86), "*.json", "C:/Мой", "%S");
    EXPECT_EQ(read(win), "dir=C:/\xCC\xEE\xE9\r\n");                 // CP1251
    EXPECT_EQ(read(json), "\"cwd\": \"C:/\u041c\u043e\u0439\"\r\n"); // UTF-8
}

// A Cyrillic output folder written into files that declare their encodings
// in every way they do, on a system whose ANSI code page cannot hold it.
TEST_F(TemplateTest, InsertedTextTakesTheEncodingTheFileDeclares) {
    const std::string utf8 = "C:\\Мои работы\\";
    const std::string cp1251 = "C:\\\xCC\xEE\xE8 \xF0\xE0\xE1\xEE\xF2\xFB\\";
    const std::string cp866 = "C:\\\x8C\xAE\xA8 \xE0\xA0\xA1\xAE\xE2\xEB\\";
    const std::string ansi1252 = "C:\\??? ??????\\";
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        const char* file;
        std::string head; // what comes before the edited line
        std::string inserted;
    } cases[] = {
        {"utf8.csproj", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<Project>\r\n", utf8},
        {"upper.cbp", "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\r\n", utf8},
        {"bom.vcxproj", bom + "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n", utf8},
        {"bom.dev", bom + "[Project]\r\n", utf8},
        {"declared.vcproj", "<?xml version=\"1.0\" encoding=\"Windows-1251\"?>\r\n", cp1251},
        {"quoted.vbproj", "<?xml version='1.0'\r\n  encoding = 'windows-1251' ?>\r\n", cp1251},
        {"oem.xml", "<?xml version=\"1.0\" encoding=\"cp866\"?>\r\n", cp866},
        // XML without an encoding attribute, or without a declaration, is UTF-8.
        {"bare.fsproj", "<?xml version=\"1.0\"?>\r\n", utf8},
        {"sdk.fsproj", "<Project Sdk=\"Microsoft.NET.Sdk\">\r\n", utf8},
        {"options.ini", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n", utf8},
        // Declaring nothing, or what cannot be written, leaves the ANSI code page.
        {"plain.dev", "[Project]\r\n", ansi1252},
        {"unknown.csproj", "<?xml version=\"1.0\" encoding=\"koi8-r\"?>\r\n", ansi1252},
    };
    TemplateEditor english(m.files, {m.system.codePages(), 1252});
    std::string folder = catalogue.moduleDirectory(37);
    for (const Case& c : cases) {
        std::string path = write(37, c.file, c.head + "  <OutputPath>old</OutputPath>\n</Project>");
        english.ReplaceTaggedLines(folder, c.file, utf8, "</OutputPath>", "    <OutputPath>");
        EXPECT_EQ(read(path),
                  c.head + "    <OutputPath>" + c.inserted + "</OutputPath>\r\n</Project>")
            << c.file;
    }

    // UTF-16 has no byte lines: the file is left as it is.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("<OutputPath>old</OutputPath>\r\n"))
        utf16 += std::string{c, '\0'};
    std::string path = write(37, "wide.csproj", utf16);
    english.ReplaceTaggedLines(folder, "wide.csproj", utf8, "</OutputPath>", "<OutputPath>");
    // Not even a marker that matches its bytes.
    english.ReplaceTaggedLines(folder, "wide.csproj", utf8, "</OutputPath>",
                               std::string("<\0O", 3));
    EXPECT_EQ(read(path), utf16);
}

TEST_F(TemplateTest, FailedRewriteKeepsTheOriginal) {
    std::string path = write(86, "tasks.json", "\"command\": \"old\"\n");
    // Something named like the temporary file that cannot be replaced by it.
    m.files.createDirectories(path + "1");
    editor.ReplaceKeyedLines(catalogue.moduleDirectory(86), "*.json", "\"command\":", "x");
    EXPECT_EQ(read(path), "\"command\": \"old\"\n");
}

// A file system on which replacing a file fails, and deleting one is noted.
class NoReplaceFileSystem : public HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    bool moveFile(const std::string&, const std::string&, bool) override { return false; }
    bool deleteFile(const std::string& path) override {
        deleted.push_back(path);
        return HostFileSystem::deleteFile(path);
    }
    std::vector<std::string> deleted;
};

TEST_F(TemplateTest, OriginalIsNeverErasedBeforeItIsReplaced) {
    std::string path = write(86, "tasks.json", "\"command\": \"old\"\n");
    NoReplaceFileSystem files(m.root);
    TemplateEditor(files, {m.system.codePages(), 1251})
        .ReplaceKeyedLines(catalogue.moduleDirectory(86), "*.json", "\"command\":", "x");
    EXPECT_EQ(read(path), "\"command\": \"old\"\n");
    EXPECT_EQ(files.deleted, std::vector<std::string>{path + "1"}); // only the temporary file
    EXPECT_FALSE(m.files.fileExists(path + "1"));
}

TEST_F(TemplateTest, AFailureReportedAtTheCloseKeepsTheOriginal) {
    m.writeFile("D:\\T\\tasks.json", "\"command\": \"old\"\n");
    m.files.setWritesFailAtClose('D');
    editor.ReplaceKeyedLines("D:\\T", "*.json", "\"command\":", "x");
    EXPECT_EQ(read("D:\\T\\tasks.json"), "\"command\": \"old\"\n");
    EXPECT_FALSE(m.files.fileExists("D:\\T\\tasks.json1"));
}

TEST_F(TemplateTest, VsCodeTemplatesTakeTheCompiler) {
    std::string tasks = write(86, "tasks.json",
                              "{\n    \"tasks\": [{\n        \"command\": \"gcc\",\n"
                              "        \"options\": {\n            \"cwd\": \"x\"\n        }\n"
                              "    }]\n}\n");
    std::string launch = write(86, "launch.json", "    \"path=old\"\n");
    std::string props = write(86, "c_cpp_properties.json",
                              "            \"includePath\": [ \"x/**\"\n"
                              "            \"compilerPath\": \"x\",\n");
    updater.updateVsCodeTemplates(86, "C:\\Program Files (x86)\\Dev-Cpp\\TDM-GCC-64\\bin\\gcc.exe");
    EXPECT_EQ(read(tasks),
              "{\n    \"tasks\": [{\n"
              "        \"command\": \"C:/Program Files (x86)/Dev-Cpp/TDM-GCC-64/bin/gcc.exe\",\r\n"
              "        \"options\": {\n"
              "            \"cwd\": \"C:/Program Files (x86)/Dev-Cpp/TDM-GCC-64/bin\"\r\n"
              "        }\n    }]\n}\n");
    EXPECT_EQ(read(launch), "    \"path=C:/Program Files (x86)/Dev-Cpp/TDM-GCC-64/bin\"\r\n");
    EXPECT_EQ(read(props),
              "            \"includePath\": [ \"C:/Program Files (x86)/Dev-Cpp/TDM-GCC-64/**\"\r\n"
              "            \"compilerPath\": \"C:/Program Files "
              "(x86)/Dev-Cpp/TDM-GCC-64/bin/gcc.exe\",\r\n");
}

TEST_F(TemplateTest, OutputFolderFirstMatchingRulePerLine) {
    const std::string csproj = "<Project>\n"
                               "  <OutputPath>bin\\</OutputPath>\n"
                               "  OutputPath = \"bin\\\"\n"
                               "  <OutputPath>x</OutputPath> OutputPath = \n"
                               "</Project>\n";
    std::string cs = write(40, "qzprj.csproj", csproj);
    std::string vb = write(13, "qzprj.vbproj", csproj);
    std::string sharp = write(71, "qzprj.csproj", csproj);
    std::string vc =
        write(34, "qzprj.vcxproj",
              "<OutDir Condition=\"'$(Configuration)|$(Platform)'=='Debug|Win32'\">a</OutDir>\n"
              "  <OutDir Condition=\"'$(Configuration)|$(Platform)'=='Release|Win32'\">b"
              "</OutDir>\n"
              "OutputDirectory=\"x\"\n"
              "<OutDir>untouched</OutDir>\n");
    std::string vcOther = write(34, "other.vcxproj", "OutputDirectory=\"x\"\n");
    std::string cbp =
        write(25, "qzprj.cbp", "<Option output=\"bin/qzprj\" />\n<Option object_output=\"o\" />\n");

    updater.updateOutputFolder({true, "D:\\Out"});
    const std::string expected = "<Project>\n"
                                 "    <OutputPath>D:\\Out\\</OutputPath>\r\n"
                                 "                    OutputPath = \"D:\\Out\\\"\r\n"
                                 "    <OutputPath>D:\\Out\\</OutputPath>\r\n"
                                 "</Project>\n";
    EXPECT_EQ(read(cs), expected);
    EXPECT_EQ(read(vb), expected);
    EXPECT_EQ(read(sharp), "<Project>\n"
                           "    <OutputPath>D:\\Out\\</OutputPath>\r\n"
                           "  OutputPath = \"bin\\\"\n"
                           "    <OutputPath>D:\\Out\\</OutputPath>\r\n"
                           "</Project>\n");
    EXPECT_EQ(read(vc),
              "    <OutDir "
              "Condition=\"'$(Configuration)|$(Platform)'=='Debug|Win32'\">D:\\Out\\</OutDir>\r\n"
              "    <OutDir Condition=\"'$(Configuration)|$(Platform)'=='Release|Win32'\">D:\\Out\\"
              "</OutDir>\r\n"
              "                        OutputDirectory=\"D:\\Out\\\"\r\n"
              "<OutDir>untouched</OutDir>\n");
    EXPECT_EQ(read(vcOther), "OutputDirectory=\"x\"\n"); // not a qzprj project
    EXPECT_EQ(read(cbp),
              std::string(32, ' ') +
                  "<Option output=\"D:\\Out\\qzprj\" prefix_auto=\"1\" extension_auto=\"1\" />\r\n"
                  "<Option object_output=\"o\" />\n");

    updater.updateOutputFolder({false, "D:\\Out"});
    EXPECT_NE(read(cs).find("    <OutputPath>.\\</OutputPath>\r\n"), std::string::npos);
    EXPECT_EQ(read(cbp),
              std::string(32, ' ') +
                  "<Option output=\"qzprj\" prefix_auto=\"1\" extension_auto=\"1\" />\r\n"
                  "<Option object_output=\"o\" />\n");
}

TEST_F(TemplateTest, FrameworkVersionsPerFamily) {
    const std::string tags = "<TargetFrameworkVersion>v4.0</TargetFrameworkVersion>\n"
                             "<TargetFramework>.NETFramework,Version=v4.0</TargetFramework>\n";
    struct Case {
        int slot;
        const char* file;
        const char* additions;
        std::string expected;
    };
    const Case cases[] = {
        {17, "p.vbproj", "v4.8",
         "    <TargetFrameworkVersion>v4.8</TargetFrameworkVersion>\r\n"
         "<TargetFramework>.NETFramework,Version=v4.0</TargetFramework>\n"},
        {43, "p.csproj", "v4.7.2",
         "    <TargetFrameworkVersion>v4.7.2</TargetFrameworkVersion>\r\n"
         "<TargetFramework>.NETFramework,Version=v4.0</TargetFramework>\n"},
        {66, "p.fsproj", "v4.8", // F# 2017: version 8
         "    <TargetFrameworkVersion>v4.8</TargetFrameworkVersion>\r\n"
         "<TargetFramework>.NETFramework,Version=v4.0</TargetFramework>\n"},
        {67, "p.fsproj", "v4.8", // F# 2019: version 9
         "<TargetFrameworkVersion>v4.0</TargetFrameworkVersion>\n"
         "    <TargetFramework>.NETFramework,Version=v4.8</TargetFramework>\r\n"},
        {37, "p.csproj", "v4.6", tags}, // invalid versions are not written
        {7, "p.csproj", "v4.8", tags},  // not a .NET slot
    };
    for (const Case& c : cases) {
        std::string path = write(c.slot, c.file, tags);
        catalogue.entry(c.slot).additions = c.additions;
        updater.updateFrameworkVersion(c.slot);
        EXPECT_EQ(read(path), c.expected) << "slot " << c.slot;
    }
}

TEST_F(TemplateTest, WindowsSdkTakesTheGreatestNameOfTheFirstRoot) {
    const std::string vcx = "<PropertyGroup>\n  <WindowsTargetPlatformVersion>8.1"
                            "</WindowsTargetPlatformVersion>\n  <TargetPlatformVersion>8.1"
                            "</TargetPlatformVersion>\n</PropertyGroup>\n";
    std::string path = write(34, "qzprj.vcxproj", vcx);
    UpdateWindowsSdk(m.platform, catalogue.moduleDirectory(34), "12");
    EXPECT_EQ(read(path), vcx); // no kits anywhere

    for (const char* folder :
         {"D:\\Windows Kits\\12\\bin\\12.0.22621.0", "D:\\Windows Kits\\12\\bin\\12.0.9.0",
          "D:\\Windows Kits\\12\\bin\\x64", "D:\\Windows Kits\\12\\bin\\10.0.99999.0",
          "C:\\Program Files (x86)\\Windows Kits\\12\\bin\\12.1.0.0"})
        m.files.createDirectories(folder);
    UpdateWindowsSdk(m.platform, catalogue.moduleDirectory(34), "12");
    // d: comes before the Program Files roots; names compare as strings.
    EXPECT_EQ(read(path),
              "<PropertyGroup>\n"
              "    <WindowsTargetPlatformVersion>12.0.9.0</WindowsTargetPlatformVersion>\r\n"
              "    <TargetPlatformVersion>12.0.9.0</TargetPlatformVersion>\r\n"
              "</PropertyGroup>\n");
}

TEST_F(TemplateTest, CheckModulesUpdatesTheSdkOfVisualCpp2017To2026) {
    m.files.createDirectories("C:\\Windows Kits\\10\\bin\\10.0.19041.0");
    m.files.createDirectories("C:\\Windows Kits\\11\\bin\\11.0.1.0");
    std::string vc2017 =
        write(32, "qzprj.vcxproj", "<TargetPlatformVersion>x</TargetPlatformVersion>\n");
    std::string vc2019 =
        write(33, "qzprj.vcxproj", "<TargetPlatformVersion>x</TargetPlatformVersion>\n");
    std::string vc2015 =
        write(31, "qzprj.vcxproj", "<TargetPlatformVersion>x</TargetPlatformVersion>\n");
    catalogue.checkModules(); // none of them has its modules: updated all the same
    EXPECT_EQ(read(vc2017), "    <TargetPlatformVersion>10.0.19041.0</TargetPlatformVersion>\r\n");
    EXPECT_EQ(read(vc2019), "    <TargetPlatformVersion>11.0.1.0</TargetPlatformVersion>\r\n");
    EXPECT_EQ(read(vc2015), "<TargetPlatformVersion>x</TargetPlatformVersion>\n");
}

TEST_F(TemplateTest, PascalAbcOption) {
    const std::string set =
        "<options>\r\n  <option name=\"SaveSourceFilesIfComilationOk\">True</option>\r\n"
        "</options>\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"<options>\n<option name=\"SaveSourceFilesIfComilationOk\">False</option>\n"
         "<option name=\"SaveSourceFilesIfComilationOk\">False</option>\n</options>",
         "<options>\n  <option name=\"SaveSourceFilesIfComilationOk\">True</option>\r\n"
         "<option name=\"SaveSourceFilesIfComilationOk\">False</option>\n</options>"},
        {"<option name=\"SaveSourceFilesIfComilationOk\">True</option>\n",
         "<option name=\"SaveSourceFilesIfComilationOk\">True</option>\n"},
        {"<options>\n</options>\n", "<options>\n</options>\n"},
    };
    for (const auto& [before, after] : cases) {
        m.writeFile(kPascalAbcOptionsFile, before);
        updater.applyPascalAbcOption();
        EXPECT_EQ(read(kPascalAbcOptionsFile), after);
    }
}

TEST_F(TemplateTest, DevCppFoldersAndOpenMpLinker) {
    std::string win = write(70, "qzprj.win", "Compiler=%S/MinGW64/bin\n");
    std::string dev = write(70, "OMPqzprj.dev", "[Project]\n  Linker=libseh.a_@@_-fopenmp_@@_\n");
    std::string winC = write(84, "qzprj.win", "Compiler=%S/MinGW64/bin\n");
    catalogue.entry(70).exePath = touch("C:\\Program Files (x86)\\Dev-Cpp\\devcpp.exe");
    std::string lib =
        "C:\\Program Files (x86)\\Dev-Cpp\\MinGW64\\lib\\gcc\\x86_64-w64-mingw32\\4.9.2"
        "\\32\\libgomp.a";
    touch(lib);
    updater.startupRefresh({});
    EXPECT_EQ(read(win), "Compiler=C:/Program Files (x86)/Dev-Cpp/MinGW64/bin\r\n");
    EXPECT_EQ(read(winC), "Compiler=%S/MinGW64/bin\n"); // Dev-C++ (C) has no executable yet
    EXPECT_EQ(read(dev),
              "[Project]\n  Linker=libseh.a_@@_\"C:/Program Files (x86)/Dev-Cpp/MinGW64/lib/"
              "gcc/x86_64-w64-mingw32/4.9.2/32/libgomp.a\"_@@_\r\n");

    // Browse chose another installation, which has the TDM-GCC library.
    std::string previous = catalogue.entry(70).exePath;
    catalogue.entry(70).exePath = touch("D:\\Dev\\devcpp.exe");
    touch("D:\\Dev\\TDM-GCC-64\\lib\\gcc\\x86_64-w64-mingw32\\9.2.0\\32\\libgomp.a");
    touch("D:\\Dev\\MinGW64\\lib\\gcc\\x86_64-w64-mingw32\\4.9.2\\32\\libgomp.a");
    updater.devCppBrowseFollowUp(70, previous);
    EXPECT_EQ(read(win), "Compiler=D:/Dev/MinGW64/bin\r\n");
    EXPECT_EQ(read(dev), "[Project]\n  Linker=libseh.a_@@_\"D:/Dev/TDM-GCC-64/lib/gcc/"
                         "x86_64-w64-mingw32/9.2.0/32/libgomp.a\"_@@_\r\n");

    catalogue.entry(84).exePath = "D:\\Dev\\devcpp.exe";
    updater.devCppBrowseFollowUp(84, "");
    EXPECT_EQ(read(winC), "Compiler=D:/Dev/MinGW64/bin\r\n");
}

TEST_F(TemplateTest, StartupRefreshOfVisualStudioCode) {
    std::string launchC = write(86, "launch.json", "\"program\": \"%S/run.exe\",\n\"path=x\"\n");
    std::string tasksCpp = write(87, "tasks.json", "\"command\": \"g++\",\n");
    catalogue.entry(86).additions = "C:\\gcc\\bin\\cc.exe"; // not a gcc.exe
    touch(catalogue.entry(86).additions);
    catalogue.entry(87).additions = touch("C:\\TDM\\bin\\G++.EXE");
    updater.startupRefresh({});
    EXPECT_EQ(read(launchC), "\"program\": \"C:/QZ4//run.exe\",\r\n\"path=x\"\n");
    EXPECT_EQ(read(tasksCpp), "\"command\": \"C:/TDM/bin/G++.EXE\",\r\n");
}

TEST_F(TemplateTest, StartupRefreshAppliesThePascalOptionOnlyWhenConnected) {
    const std::string options = "<option name=\"SaveSourceFilesIfComilationOk\">False</option>\n";
    m.writeFile(kPascalAbcOptionsFile, options);
    installModules(1, {"qz4.pas"});
    catalogue.checkModules();
    catalogue.entry(1).suspended = true;
    updater.startupRefresh({});
    EXPECT_EQ(read(kPascalAbcOptionsFile), options);
    catalogue.entry(1).suspended = false;
    updater.startupRefresh({});
    EXPECT_NE(read(kPascalAbcOptionsFile).find("True"), std::string::npos);
}

TEST_F(TemplateTest, PyCharmInterpreterAtClose) {
    installModules(52, {"qz4.py"});
    installModules(51, {"qz4.py"});
    catalogue.checkModules();
    std::string misc = write(52, "misc.xml",
                             "<project>\n  <component name=\"ProjectRootManager\" version=\"2\" "
                             "project-jdk-name=\"Python 3.8\" project-jdk-type=\"Python SDK\" />\n"
                             "</project>\n");
    std::string iml = write(52, "QZ4Work.iml", "    <orderEntry type=\"jdk\" jdkName=\"old\" />\n");
    std::string other = write(51, "misc.xml", "project-jdk-name=\"Python 2.7\"\n");
    catalogue.entry(52).interpreterName = "Python 3.12.1 (C:\\Py312\\python.exe)";
    updater.writePyCharmInterpreters();
    EXPECT_EQ(read(misc), "<project>\n  <component name=\"ProjectRootManager\" version=\"2\" "
                          "project-jdk-name=\"Python 3.12.1 (C:\\Py312\\python.exe)\" "
                          "project-jdk-type=\"Python SDK\" />\r\n</project>\n");
    EXPECT_EQ(
        read(iml),
        "    <orderEntry type=\"jdk\" jdkName=\"Python 3.12.1 (C:\\Py312\\python.exe)\" />\r\n");
    EXPECT_EQ(read(other), "project-jdk-name=\"Python 2.7\"\n"); // no interpreter known
}

TEST_F(TemplateTest, MpiCopyOfTheActiveRuntime) {
    installModules(47, {});
    installModules(48, {});
    catalogue.checkModules();
    write(47, "qzmpi.pas", "pascal");
    write(47, "mpi.h", "two");
    write(48, "mpi.h", "ms");
    write(48, "Main.PAS", "pascal");
    m.writeFile("C:\\QZ4\\MPI\\mpi.h", "old");
    catalogue.entry(47).suspended = true;
    updater.copyActiveMpiSources();
    EXPECT_EQ(read("C:\\QZ4\\MPI\\mpi.h"), "ms");
    EXPECT_TRUE(m.files.fileExists("C:\\QZ4\\MPI\\loadmpi.dat"));
    EXPECT_FALSE(m.files.fileExists("C:\\QZ4\\MPI\\Main.PAS"));
    EXPECT_FALSE(m.files.fileExists("C:\\QZ4\\MPI\\qzmpi.pas"));
}

} // namespace
} // namespace qz::test
