// The sample program directory of the demo distribution, installed as a
// program directory: the catalogue finds exactly its environments, every
// template line that the tool rewrites is there to be rewritten, and its
// results file reads back the student's name.
#include "TestSupport.h"
#include "environments/EnvironmentCatalogue.h"
#include "environments/TemplateUpdates.h"
#include "text/Text.h"
#include "workdir/ResultsFile.h"

#include <gtest/gtest.h>

#include <set>

namespace qz::test {
namespace {

class SampleProgramDirectoryTest : public ::testing::Test {
protected:
    SampleProgramDirectoryTest() {
        std::filesystem::copy(QZ4_SAMPLE_PROGRAM_DIRECTORY, m.files.hostPath("C:\\QZ4"),
                              std::filesystem::copy_options::recursive);
        catalogue.fill();
    }
    std::string read(const std::string& path) { return m.readFile(path).value_or("<missing>"); }

    TestMachine m;
    EnvironmentCatalogue catalogue{m.platform, "C:\\QZ4\\"};
};

TEST_F(SampleProgramDirectoryTest, CatalogueFindsExactlyTheSampleEnvironments) {
    ASSERT_TRUE(catalogue.checkModules());
    std::set<std::string> found;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (catalogue.entry(slot).modulesPresent)
            found.insert(catalogue.entry(slot).displayName);
    const std::set<std::string> expected = {"PascalABC.NET",
                                            "Visual Studio Code (C++)",
                                            "Visual Studio Code (C)",
                                            "Microsoft Visual C# 2022",
                                            "Code::Blocks (C++)",
                                            "Dev-C++ (C++)",
                                            "IDLE (Python)",
                                            "PyCharm (Python)",
                                            "MS-MPI 10"};
    EXPECT_EQ(found, expected);
}

TEST_F(SampleProgramDirectoryTest, EveryRewrittenTemplateLineIsPresent) {
    ASSERT_TRUE(catalogue.checkModules());
    m.writeFile("C:\\TDM\\bin\\gcc.exe", "MZ");
    m.writeFile("C:\\TDM\\bin\\g++.exe", "MZ");
    m.writeFile("C:\\Dev-Cpp\\devcpp.exe", "MZ");
    m.writeFile("C:\\Dev-Cpp\\TDM-GCC-64\\lib\\gcc\\x86_64-w64-mingw32\\9.2.0\\32\\libgomp.a", "");
    catalogue.entry(86).additions = "C:\\TDM\\bin\\gcc.exe";
    catalogue.entry(87).additions = "C:\\TDM\\bin\\g++.exe";
    catalogue.entry(70).exePath = "C:\\Dev-Cpp\\devcpp.exe";
    catalogue.entry(43).additions = "v4.8";
    catalogue.entry(52).interpreterName = "Python 3.13";

    TemplateUpdater updater(m.platform, catalogue);
    updater.startupRefresh({true, "D:\\Work"});
    updater.writePyCharmInterpreters();
    updater.copyActiveMpiSources();

    struct Case {
        const char* file;
        const char* rewritten; // a line the rewrite produces
    } cases[] = {
        {"CPPCODE1\\tasks.json", "\"command\": \"C:/TDM/bin/g++.exe\","},
        {"CPPCODE1\\tasks.json", "\"cwd\": \"C:/TDM/bin\""},
        {"CPPCODE1\\launch.json", "\"path=C:/TDM/bin\""},
        {"CPPCODE1\\launch.json", "\"value\": \"C:/QZ4/\""},
        {"CPPCODE1\\c_cpp_properties.json", "\"includePath\": [ \"C:/TDM/**\""},
        {"CPPCODE1\\c_cpp_properties.json", "\"compilerPath\": \"C:/TDM/bin/g++.exe\","},
        {"CCODE1\\tasks.json", "\"command\": \"C:/TDM/bin/gcc.exe\","},
        {"CCODE1\\launch.json", "\"value\": \"C:/QZ4/\""},
        {"CCODE1\\c_cpp_properties.json", "\"compilerPath\": \"C:/TDM/bin/gcc.exe\","},
        {"VCSNET10\\qzprj.csproj", "    <TargetFrameworkVersion>v4.8</TargetFrameworkVersion>"},
        {"VCSNET10\\qzprj.csproj", "    <OutputPath>D:\\Work\\</OutputPath>"},
        {"CBLOCKS13\\qzprj.cbp", "<Option output=\"D:\\Work\\qzprj\""},
        {"DEVCPP5\\Makefile.win", "\"C:/Dev-Cpp/MinGW64/bin/g++.exe\""},
        {"DEVCPP5\\OMPqzprj.dev",
         "Linker=libseh.a_@@_\"C:/Dev-Cpp/TDM-GCC-64/lib/gcc/x86_64-w64-mingw32/9.2.0/32/"
         "libgomp.a\"_@@_"},
        {"PYCHARM3\\misc.xml", "project-jdk-name=\"Python 3.13\""},
        {"PYCHARM3\\QZ4Work.iml", "jdkName=\"Python 3.13\""},
    };
    for (const Case& c : cases)
        EXPECT_NE(read(std::string("C:\\QZ4\\") + c.file).find(c.rewritten), std::string::npos)
            << c.file << " lacks " << c.rewritten;

    EXPECT_TRUE(m.files.fileExists("C:\\QZ4\\MPI\\loadmpi.dat"));
    EXPECT_TRUE(m.files.fileExists("C:\\QZ4\\MPI\\qz4mpi.h"));
    EXPECT_FALSE(m.files.fileExists("C:\\QZ4\\MPI\\qz4mpi.pas"));
}

TEST_F(SampleProgramDirectoryTest, ResultsFileHoldsTheStudentName) {
    EXPECT_EQ(ReadResultsHeader(m.files, "C:\\QZ4").status, StatusOk);
    EXPECT_EQ(text::trim(ReadResultsName(m.files, "C:\\QZ4").name), "Иванов Иван");
}

} // namespace
} // namespace qz::test
