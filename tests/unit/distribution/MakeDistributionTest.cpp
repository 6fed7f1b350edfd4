// make-distribution: a distribution built from a small tree reads back with
// the installer's own ZIP reader, and every wrong input is refused before
// anything is written.
#include "DistributionBuilder.h"
#include "TestSupport.h"
#include "installer/DistributionPassword.h"
#include "unzip/QzUnZip.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>

namespace qz::distribution {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<fs::path> Zip() {
    const char* path = std::getenv("PATH");
    return FindProgram("zip", path ? path : "");
}

// The tree and the tool's inputs live on drive C: of a test machine, so the
// installer's reader can open the result through its host file system.
class MakeDistributionTest : public ::testing::Test {
protected:
    MakeDistributionTest() {
        registerUnzipStrings(m.resources);
        m.system.oem = 866; // a Russian system, as the entry names are written for
        Write(c / "QZ4Setup.exe", "MZ installer");
        for (const auto& [name, bytes] : tree)
            Write(c / "tree" / name, bytes);
        // An empty folder sorts last: it must not end the archive.
        fs::create_directories(c / "tree" / "пустая");
        Write(c / "texts" / "ru.txt", "readme ru");
        Write(c / "texts" / "en.txt", "readme en");
        Write(c / "texts" / "lic.txt", "licence");
        Write(c / "texts" / "setup.ini", "[Main]\r\nAutoRun=1\r\n");
        request.exe = c / "QZ4Setup.exe";
        request.sourceDir = c / "tree";
        request.out = c / "dist" / "QZ4Complete.exe";
    }

    test::TestMachine m;
    fs::path c = m.root / "C";
    Request request;
    const std::vector<std::pair<std::string, std::string>> tree = {
        {"QZ4Demo.exe", "MZ demo"},
        {"results.dat", std::string(237, 'r')},
        {"CPPCODE1/tasks.json", "{\r\n    \"command\": \"g++\",\r\n}\r\n"},
        {"CPPCODE1/deeper/note.txt", std::string(5000, 'n')},
        {"SYSTEM/sysunima.exe", "MZ uninstaller"},
        {"last.txt", "last"},
        {"Папка/файл.txt", "кириллица"},
    };
};

TEST_F(MakeDistributionTest, ArchiveReadsBackWithThePassword) {
    auto zip = Zip();
    if (!zip)
        GTEST_SKIP() << "Info-ZIP zip is not installed";
    request.readme = c / "texts" / "ru.txt";
    request.readmeEn = c / "texts" / "en.txt";
    request.licenceEn = c / "texts" / "lic.txt";
    request.ini = c / "texts" / "setup.ini";
    MakeDistribution(request, zip);

    fs::path dist = c / "dist";
    EXPECT_EQ(Read(dist / "QZ4Complete.exe"), "MZ installer");
    EXPECT_EQ(Read(dist / "QZ4Complete.ini"), "[Main]\r\nAutoRun=1\r\n");
    EXPECT_EQ(Read(dist / "readme.txt"), "readme ru");
    EXPECT_EQ(Read(dist / "readme_en.txt"), "readme en");
    EXPECT_EQ(Read(dist / "license_en.txt"), "licence");
    EXPECT_FALSE(fs::exists(dist / "license.txt"));

    TQzUnZip unzip(m.platform);
    int badPasswords = 0, badCrcs = 0;
    std::vector<std::string> ended;
    unzip.OnBadPassword = [&](TQzUnZip&, int, std::string&) { ++badPasswords; };
    unzip.OnBadCRC = [&](TQzUnZip&, std::uint32_t, std::uint32_t, int) { ++badCrcs; };
    unzip.OnEndUnZip = [&](TQzUnZip&, int, const std::string& name) { ended.push_back(name); };
    unzip.SetZipName("C:\\dist\\QZ4Complete.dat");
    unzip.SetDestDir("C:\\out");
    unzip.Password = DistributionPassword;
    unzip.RecreateDirs = true;
    unzip.DoAll = true;
    unzip.OverwriteMode = TUZOverwriteMode::Always;
    EXPECT_EQ(unzip.UnZip(), static_cast<int>(tree.size()));
    EXPECT_EQ(badPasswords, 0);
    EXPECT_EQ(badCrcs, 0);
    ASSERT_EQ(unzip.Count(), static_cast<int>(tree.size()));
    for (int i = 0; i < unzip.Count(); ++i)
        EXPECT_TRUE(unzip.Entry(i).IsEncrypted()) << unzip.Entry(i).FullName();
    EXPECT_FALSE(unzip.Entry(unzip.Count() - 1).IsDirectory());
    for (const auto& [name, bytes] : tree)
        EXPECT_EQ(Read(c / "out" / name), bytes) << name;
    EXPECT_EQ(ended.size(), tree.size());
}

TEST_F(MakeDistributionTest, ArchiveIsMadeAnewAndNeedsThePassword) {
    auto zip = Zip();
    if (!zip)
        GTEST_SKIP() << "Info-ZIP zip is not installed";
    MakeDistribution(request, zip);
    fs::remove(c / "tree" / "QZ4Demo.exe");
    MakeDistribution(request, zip);

    TQzUnZip unzip(m.platform);
    int badPasswords = 0;
    unzip.OnBadPassword = [&](TQzUnZip&, int, std::string&) { ++badPasswords; };
    unzip.SetZipName("C:\\dist\\QZ4Complete.dat");
    unzip.SetDestDir("C:\\out");
    unzip.Password = "1234";
    unzip.RecreateDirs = true;
    unzip.DoAll = true;
    EXPECT_EQ(unzip.Count(), static_cast<int>(tree.size()) - 1);
    EXPECT_EQ(unzip.UnZip(), 0);
    EXPECT_GT(badPasswords, 0);
    EXPECT_FALSE(fs::exists(c / "out" / "results.dat"));
}

TEST_F(MakeDistributionTest, EntriesPutEachFoldersFilesFirstAndEndWithAFile) {
    EXPECT_EQ(ArchiveEntries(c / "tree"),
              (std::vector<std::string>{"QZ4Demo.exe", "last.txt", "results.dat",
                                        "CPPCODE1/tasks.json", "CPPCODE1/deeper/note.txt",
                                        "SYSTEM/sysunima.exe", "Папка/файл.txt"}));
}

TEST_F(MakeDistributionTest, WrongInputsAreRefusedBeforeAnythingIsWritten) {
    fs::path fakeZip = c / "bin" / "zip";
    Write(fakeZip, "#!/bin/sh\nexit 0\n");
    fs::permissions(fakeZip, fs::perms::owner_all);
    fs::create_directories(c / "hollow" / "sub");
    Write(c / "accents" / "café.txt", "no such letter in the entry code page");
    Write(c / "broken" / "two\nlines.txt", "a line break would split zip's list");
    Write(c / "own" / "qz4setup.EXE", "a configuration tool of its own");

    struct Case {
        const char* what;
        std::function<void(Request&)> change;
        bool zipInstalled;
        const char* message;
    } cases[] = {
        {"missing executable", [&](Request& r) { r.exe = c / "none.exe"; }, true,
         "none.exe\" is not found"},
        {"folder as executable", [&](Request& r) { r.exe = c / "tree"; }, true, "is not found"},
        {"missing folder", [&](Request& r) { r.sourceDir = c / "none"; }, true,
         "none\" is not found"},
        {"folder without files", [&](Request& r) { r.sourceDir = c / "hollow"; }, true,
         "holds no files"},
        {"missing readme", [&](Request& r) { r.readme = c / "texts" / "none.txt"; }, true,
         "readme"},
        {"name the entry code page cannot hold", [&](Request& r) { r.sourceDir = c / "accents"; },
         true, "\"café.txt\" cannot be written in code page 866"},
        {"name with a line break", [&](Request& r) { r.sourceDir = c / "broken"; }, true,
         "lines.txt\" cannot be written"},
        {"name without .exe", [&](Request& r) { r.out = c / "dist" / "QZ4Complete"; }, true,
         "must end in .exe"},
        {"the installer's own name at the top", [&](Request& r) { r.sourceDir = c / "own"; }, true,
         "holds qz4setup.EXE at its top"},
        {"no zip", [](Request&) {}, false, "zip is not found"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Request r = request;
        k.change(r);
        try {
            MakeDistribution(r, k.zipInstalled ? std::optional(fakeZip) : std::nullopt);
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(k.message), std::string::npos) << e.what();
        }
        EXPECT_FALSE(fs::exists(c / "dist"));
    }
}

TEST(MakeDistributionArguments, OptionsAndPositionals) {
    Request r = ParseArguments({"--ini", "a.ini", "--readme-en", "r.txt", "--licence", "l.txt",
                                "QZ4Setup.exe", "src", "out/QZ4Complete.exe"});
    EXPECT_EQ(r.ini, fs::path("a.ini"));
    EXPECT_EQ(r.readmeEn, fs::path("r.txt"));
    EXPECT_EQ(r.licence, fs::path("l.txt"));
    EXPECT_FALSE(r.readme);
    EXPECT_EQ(r.exe, "QZ4Setup.exe");
    EXPECT_EQ(r.sourceDir, "src");
    EXPECT_EQ(r.out, "out/QZ4Complete.exe");

    const std::vector<std::vector<std::string>> wrong = {
        {"QZ4Setup.exe", "src"},
        {"QZ4Setup.exe", "src", "out.exe", "extra"},
        {"--ini"},
        {"--colour", "x", "QZ4Setup.exe", "src", "out.exe"},
    };
    for (const auto& args : wrong)
        EXPECT_THROW(ParseArguments(args), Error) << args.front();
}

TEST(MakeDistributionArguments, FindsProgramsOnTheSearchPath) {
    test::TestMachine m;
    Write(m.root / "bin" / "zip", "#!/bin/sh\n");
    Write(m.root / "plain" / "zip", "not executable");
    fs::permissions(m.root / "bin" / "zip", fs::perms::owner_all);
    fs::permissions(m.root / "plain" / "zip", fs::perms::owner_read);
    std::string path = (m.root / "none").string() + ":" + (m.root / "plain").string() +
                       "::" + (m.root / "bin").string();
    EXPECT_EQ(FindProgram("zip", path), m.root / "bin" / "zip");
    EXPECT_FALSE(FindProgram("zip", (m.root / "plain").string()));
    EXPECT_FALSE(FindProgram("zip", ""));
}

} // namespace
} // namespace qz::distribution
