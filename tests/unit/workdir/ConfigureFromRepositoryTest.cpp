#include "workdir/ConfigureFromRepository.h"

#include "CertificateWriter.h"
#include "StudentCertificate.h"
#include "TestSupport.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"
#include "platform/host/HostFtp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace qz {
namespace {

const std::string One = test::StudentCertificate("Ivanov One");
const std::string Two = test::StudentCertificate("Ivanov Two");

// A program directory with the group certificate and a repository with
// group "abc2401b" for which the tests put a student's files.
class ConfigureFromRepositoryTest : public ::testing::Test {
protected:
    const std::string p = "C:\\QZ4\\";
    const std::string group = "abc2401b";
    const std::string login = "ivanov";

    void SetUp() override {
        ResetLanguageState();
        SetLanguage("en");
        m.files.createDirectories("C:\\QZ4");
        writeCertificate("repo.example:2121 (1)");
        server.host = "repo.example";
        server.port = 2121;
        server.user = "group10";
        server.password = "pass";
        server.folders[""] = {};
        server.folders["_accessdat_"] = {};
        server.folders["_accessdat_/" + group] = {};
        for (const char* link : {"Load.lnk", "Demo.lnk", "Results.lnk", "Panel.lnk"})
            m.writeFile(std::string("C:\\QZ4Work\\") + link, link);
    }
    void TearDown() override { ResetLanguageState(); }

    void writeCertificate(const std::string& host) {
        std::ostringstream err;
        ASSERT_EQ(
            RunMakeCertificate({"--out", m.files.hostPath(p + "access.dat").string(), "--name",
                                "Group", "--host", host, "--user", "group10", "--password", "pass"},
                               err),
            0)
            << err.str();
    }
    void put(const std::string& name, const std::string& content) {
        server.folders["_accessdat_/" + group][name] = {content};
    }
    RepositoryConfiguration run(const std::string& g, const std::string& l) {
        return ConfigureFromRepository(m.files, server, "C:\\Users\\ivan", g, l, p);
    }
    RepositoryConfiguration run() { return run(group, login); }

    test::TestMachine m;
    HostFtp server{m.files};
};

TEST_F(ConfigureFromRepositoryTest, ConfiguresTheDirectoriesOfTheListing) {
    put("ivanov.1", One);
    put("ivanov.2", Two);
    put("ivanov.txt", "not a certificate");
    put("petrov.1", "another student");
    put("1.dir", "4W_F_L\r\nsecond line");
    put("2.dir", "1DYGNA");

    RepositoryConfiguration result = run();
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.directories,
              (std::vector<std::string>{"C:\\QZ4Work_ivanov_1",
                                        "C:\\Users\\ivan\\Desktop\\QZ4abc2401b"}));
    EXPECT_EQ(server.connections.at(0),
              (HostFtpConnection{"repo.example", 2121, "group10", "pass"}));
    EXPECT_EQ(m.readFile("C:\\QZ4Work_ivanov_1\\access.dat"), One);
    EXPECT_EQ(m.readFile("C:\\Users\\ivan\\Desktop\\QZ4abc2401b\\access.dat"), Two);
    EXPECT_EQ(m.readFile("C:\\QZ4Work_ivanov_1\\Panel.lnk"), "Panel.lnk");
    for (const char* left : {"ivanov.1", "ivanov.2", "1.dir", "2.dir", "ivanov.txt"})
        EXPECT_FALSE(m.files.fileExists(p + left)) << left;
    EXPECT_EQ(server.openSessions, 0);
}

TEST_F(ConfigureFromRepositoryTest, TwoTemplatesToOneFolderGiveItTheLaterCertificate) {
    put("ivanov.1", One);
    put("ivanov.2", Two);
    put("1.dir", "4WF");
    put("2.dir", "4WF");
    RepositoryConfiguration result = run();
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.directories, (std::vector<std::string>(2, "C:\\QZ4Workivanov")));
    EXPECT_EQ(m.readFile("C:\\QZ4Workivanov\\access.dat"), Two);
}

// Every failure leaves the working directory's files as they were and no
// download in the program directory.
TEST_F(ConfigureFromRepositoryTest, ErrorTexts) {
    const std::string unreadable = "The following files could not be read from the repository: ";
    const std::string toTeacher = ".\r\nReport this issue to the teacher.";
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;
        const char* group;
        std::string error;
        std::vector<std::string> truncated = {};
        bool listingFails = false;
    } cases[] = {
        {"unknown group", {}, "zzz2401b", "Group zzz2401b not found in the repository."},
        {"no files",
         {{"petrov.1", "x"}},
         "abc2401b",
         "Group abc2401b has no student with login ivanov."},
        {"no certificate among them",
         {{"ivanov.txt", "x"}, {"ivanov.dat", "y"}},
         "abc2401b",
         "Group abc2401b has no student with login ivanov."},
        {"missing template",
         {{"ivanov.1", One}, {"ivanov.2", Two}, {"2.dir", "4W"}},
         "abc2401b",
         "The following files could not be read from the repository: 1.dir.\r\n"
         "Report this issue to the teacher."},
        {"empty template and control character",
         {{"ivanov.1", One}, {"ivanov.2", Two}, {"1.dir", "\r\n4W"}, {"2.dir", "4\tW"}},
         "abc2401b",
         "The following files could not be read from the repository: 1.dir, 2.dir.\r\n"
         "Report this issue to the teacher."},
        {"hostile names",
         {{"ivanov.\\", "x"}, {"ivanov.:", "y"}, {"ivanov..", "z"}, {"ivanov./", "w"}},
         "abc2401b",
         "The following files could not be read from the repository: ivanov.., ivanov./, "
         "ivanov.:, ivanov.\\.\r\nReport this issue to the teacher."},
        {"empty certificate",
         {{"ivanov.1", ""}, {"1.dir", "4W_F_L"}},
         "abc2401b",
         unreadable + "ivanov.1" + toTeacher},
        {"file that is no certificate",
         {{"ivanov.1", One.substr(0, 2 * 79)}, {"1.dir", "4W_F_L"}},
         "abc2401b",
         unreadable + "ivanov.1" + toTeacher},
        {"certificate far too large",
         {{"ivanov.1", One + std::string(70000, 'x')}, {"1.dir", "4W_F_L"}},
         "abc2401b",
         unreadable + "ivanov.1" + toTeacher},
        {"truncated download",
         {{"ivanov.1", One}, {"ivanov.2", Two}, {"1.dir", "4W_F_L"}, {"2.dir", "4W_F_L"}},
         "abc2401b",
         unreadable + "ivanov.2" + toTeacher,
         {"ivanov.2"}},
        {"truncated template",
         {{"ivanov.1", One}, {"1.dir", "4W_F_L"}},
         "abc2401b",
         unreadable + "1.dir" + toTeacher,
         {"1.dir"}},
        {"listing cut off",
         {{"ivanov.1", One}, {"1.dir", "4W_F_L"}},
         "abc2401b",
         "Could not read the list of files of group abc2401b in the repository.",
         {},
         true},
        {"names that differ in letter case",
         {{"ivanov.1", One}, {"IVANOV.1", Two}, {"1.dir", "4W_F_L"}},
         "abc2401b",
         unreadable + "IVANOV.1, ivanov.1" + toTeacher},
        {"templates that differ in letter case",
         {{"ivanov.a", One}, {"a.dir", "4W_F_L"}, {"A.dir", "5W_F_L"}},
         "abc2401b",
         unreadable + "a.dir" + toTeacher},
        {"template that gives no full path",
         {{"ivanov.1", One}, {"1.dir", "W_F_L"}},
         "abc2401b",
         unreadable + "1.dir" + toTeacher},
        {"template far too long",
         {{"ivanov.1", One}, {"1.dir", "4W_F_L" + std::string(5000, ' ')}},
         "abc2401b",
         unreadable + "1.dir" + toTeacher},
    };
    m.writeFile("C:\\QZ4Work_ivanov_1\\access.dat", "the folder's own certificate");
    for (const auto& c : cases) {
        server.folders["_accessdat_/" + group].clear();
        for (const auto& [name, content] : c.files)
            put(name, content);
        server.truncatedDownloads = c.truncated;
        server.failingListings.clear();
        if (c.listingFails)
            server.failingListings.push_back("_accessdat_/" + group);
        RepositoryConfiguration result = run(c.group, login);
        EXPECT_EQ(result.error, c.error) << c.what;
        EXPECT_TRUE(result.directories.empty()) << c.what;
        EXPECT_EQ(server.openSessions, 0) << c.what;
        EXPECT_EQ(m.files.list(p + "*.*", ListKind::Files).size(), 1u) << c.what; // access.dat
    }
    EXPECT_EQ(m.readFile("C:\\QZ4Work_ivanov_1\\access.dat"), "the folder's own certificate");
    // Nothing was written outside the program directory and the link folder.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m.root))
        if (entry.is_regular_file()) {
            std::string folder = entry.path().parent_path().lexically_relative(m.root).string();
            EXPECT_TRUE(folder == "C/QZ4" || folder == "C/QZ4Work" ||
                        folder == "C/QZ4Work_ivanov_1")
                << entry.path();
        }
}

// A template is one file whatever the letter case of its name.
TEST_F(ConfigureFromRepositoryTest, TemplateIsFoundWhateverItsLetterCase) {
    put("ivanov.A", One);
    put("a.dir", "4W_L");
    RepositoryConfiguration result = run();
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.directories, std::vector<std::string>{"C:\\QZ4Work_A"});
    EXPECT_EQ(m.readFile("C:\\QZ4Work_A\\access.dat"), One);
}

TEST_F(ConfigureFromRepositoryTest, MoreThan26CertificatesAreRefused) {
    for (char c = 'a'; c <= 'z'; ++c)
        put(login + "." + c, One), put(std::string(1, c) + ".dir", "4W");
    put(login + ".0", One);
    RepositoryConfiguration result = run();
    EXPECT_EQ(result.error, "The student with login ivanov in group abc2401b has more than 26 "
                            "certificates in the repository.\r\nReport this issue to the teacher.");
    EXPECT_FALSE(m.files.fileExists(p + "ivanov.a"));
}

TEST_F(ConfigureFromRepositoryTest, CertificateAndConnectionFailures) {
    server.port = 21;
    RepositoryConfiguration result = run();
    EXPECT_EQ(result.error, "Cannot connect to the repository.");
    server.internetAvailable = false;
    EXPECT_EQ(run().error, "Cannot connect to the repository.");

    // A port that is no number connects to 21.
    server.internetAvailable = true;
    writeCertificate("repo.example:abc");
    put("ivanov.1", One);
    put("1.dir", "4W");
    EXPECT_EQ(run().error, "");
    EXPECT_EQ(server.connections.back().port, 21);

    m.writeFile(p + "access.dat", std::string(19 * 79, 'x'));
    EXPECT_EQ(
        run().error,
        "The repository connection certificate \"C:\\QZ4\\access.dat\" has an invalid format.");
}

TEST_F(ConfigureFromRepositoryTest, FolderThatCannotBeMadeIsReported) {
    put("ivanov.1", One);
    put("1.dir", "5W");
    m.writeFile("C:\\QZ5Work", "a file where the folder should be");
    RepositoryConfiguration result = run();
    EXPECT_EQ(result.error, "Failed to create the following directories: C:\\QZ5Work.\r\n"
                            "Report this issue to the teacher.");
}

// A folder whose certificate cannot be placed is reported, not passed off as
// configured; no downloaded certificate stays in the program directory.
TEST_F(ConfigureFromRepositoryTest, CertificateThatCannotBePlacedIsReported) {
    put("ivanov.1", One);
    put("ivanov.2", Two);
    put("1.dir", "4W_F_L");
    put("2.dir", "4W_F_L");
    m.files.createDirectories("C:\\QZ4Work_ivanov_2\\access.dat");
    RepositoryConfiguration result = run();
    EXPECT_EQ(result.error, "Failed to place the certificate in the following directories: "
                            "C:\\QZ4Work_ivanov_2.\r\nReport this issue to the teacher.");
    EXPECT_TRUE(result.directories.empty());
    EXPECT_EQ(m.readFile("C:\\QZ4Work_ivanov_1\\access.dat"), One);
    for (const char* left : {"ivanov.1", "ivanov.2"})
        EXPECT_FALSE(m.files.fileExists(p + left)) << left;
}

} // namespace
} // namespace qz
