#include "workdir/RepositoryFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

class RepositoryFilesTest : public ::testing::Test {
protected:
    test::TestMachine m;
    const std::string d = "C:\\QZ4Work";
    const CodePage ansi{m.system.codePages(), 1251};
    std::string at(const std::string& name) { return d + "\\" + name; }
    bool exists(const std::string& name) { return m.files.fileExists(at(name)); }
    std::string content(const std::string& name) { return m.readFile(at(name)).value_or("-"); }
};

TEST_F(RepositoryFilesTest, AccessInfo) {
    m.files.createDirectories(d);
    EXPECT_EQ(ReadAccessInfo(m.files, d, ansi), "");
    WriteAccessInfo(m.files, d + "\\", "Пётр 10-B", ansi);
    EXPECT_EQ(content("qz4.ini"), "[UpdateData]\r\nAccessInfo=\xCF\xB8\xF2\xF0 10-B\r\n");
    EXPECT_EQ(ReadAccessInfo(m.files, d, ansi), "Пётр 10-B");
    WriteAccessInfo(m.files, d, "", ansi);
    EXPECT_EQ(ReadAccessInfo(m.files, d, ansi), "");
    // A folder that does not exist: nothing written, nothing reported.
    WriteAccessInfo(m.files, "C:\\Gone", "x", ansi);
    EXPECT_EQ(ReadAccessInfo(m.files, "C:\\Gone", ansi), "");
}

TEST_F(RepositoryFilesTest, StoredIdentitiesAreRecognised) {
    const CodePage western{m.system.codePages(), 1252};
    struct Case {
        const char* stored;
        const char* identity;
        bool same;
    } cases[] = {
        {"Ivanov Petr 10-B", "Ivanov Petr 10-B", true},
        {"Ivanov Petr 10-B", "Ivanov Petr 10-A", false},
        {"??????? ???? 10-?", "Иванов Пётр 10-Б", false}, // other lengths
        {"?????? ???? 10-?", "Иванов Пётр 10-Б", true},   // as a Western writer left it
        {"Ivanov Petr", "Ivanov\nPetr", true},
        {"Ivanov", "Ivanov\nPetr", true}, // the old writer's line ended at the line feed
        {"Ivanov Petr", "\"Ivanov Petr\"", true},
        {"", "\"\"", false}, // nothing stored is never this certificate
        {"", "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SameAccessIdentity(c.stored, c.identity, western), c.same)
            << c.stored << " / " << c.identity;
}

// A full network drive: qz4.ini cannot take the new identity, so every
// check would take the folder over again; the files stay as they are.
TEST_F(RepositoryFilesTest, IdentityThatCannotBeStoredMovesNothing) {
    const std::string net = "D:\\Work";
    m.writeFile(net + "\\results.dat", "local");
    m.writeFile(net + "\\results1.dat", "switched-off results");
    m.writeFile(net + "\\qz4.ini", "[UpdateData]\r\nAccessInfo=Somebody Else\r\n");
    m.files.setWritesFailAtClose('D');
    for (int check = 0; check < 2; ++check)
        TakeOverCertificate(m.files, net, "Ivanov Petr 10-B", ansi);
    EXPECT_EQ(m.readFile(net + "\\results.dat"), "local");
    EXPECT_EQ(m.readFile(net + "\\results1.dat"), "switched-off results");
    EXPECT_FALSE(m.files.fileExists(net + "\\results0.dat"));
}

TEST_F(RepositoryFilesTest, AddingAndDeletingACertificateMovesTheLocalResults) {
    m.writeFile(at("results.dat"), "local");
    BackupLocalResults(m.files, d);
    EXPECT_FALSE(exists("results.dat"));
    EXPECT_EQ(content("results0.dat"), "local");

    // The repository's files arrive while the certificate is active.
    m.writeFile(at("results.dat"), "repository");
    m.writeFile(at("results1.dat"), "old repository");
    m.writeFile(at("access0.dat"), "off");
    m.writeFile(at("access.dat"), "on");
    m.writeFile(at("qzaccess.dir\\a.dat"), "a");
    m.writeFile(at("qzaccess.dir\\b.txt"), "b");

    ResetRepositoryFiles(m.files, d);
    EXPECT_EQ(content("results.dat"), "local");
    EXPECT_EQ(content("results0.dat"), "local");
    EXPECT_FALSE(exists("results1.dat"));
    EXPECT_FALSE(exists("access0.dat"));
    EXPECT_TRUE(exists("access.dat")) << "the caller deletes the certificate itself";
    EXPECT_FALSE(m.files.directoryExists(at("qzaccess.dir")));
}

TEST_F(RepositoryFilesTest, ResetWithoutLocalResultsAndWithSubfolders) {
    m.writeFile(at("results.dat"), "repository");
    m.writeFile(at("qzaccess.dir\\sub\\x"), "x");
    m.writeFile(at("qzaccess.dir\\a"), "a");
    ResetRepositoryFiles(m.files, d);
    EXPECT_FALSE(exists("results.dat"));
    EXPECT_FALSE(m.files.fileExists(at("qzaccess.dir\\a")));
    // Subfolders are not removed, so the folder stays: a failure that is ignored.
    EXPECT_TRUE(m.files.fileExists(at("qzaccess.dir\\sub\\x")));
}

TEST_F(RepositoryFilesTest, BackupKeepsTheResultsWhenTheCopyFails) {
    m.writeFile(at("results.dat"), "local");
    m.writeFile(at("results0.dat"), "older");
    m.files.setAttributes(at("results0.dat"), AttrReadOnly);
    BackupLocalResults(m.files, d);
    EXPECT_EQ(content("results.dat"), "local");
    EXPECT_EQ(content("results0.dat"), "older");

    m.files.setAttributes(at("results0.dat"), 0);
    BackupLocalResults(m.files, d);
    EXPECT_EQ(content("results0.dat"), "local");
    BackupLocalResults(m.files, d); // nothing to put aside: nothing changes
    EXPECT_EQ(content("results0.dat"), "local");
}

} // namespace
} // namespace qz
