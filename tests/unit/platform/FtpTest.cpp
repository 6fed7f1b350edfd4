#include "platform/Ftp.h"
#include "platform/host/HostFtp.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(SplitFtpAddress, PortOnlyWhenANumberFollowsTheColon) {
    const struct {
        const char* field;
        FtpAddress address;
    } cases[] = {
        {"ftp.school.example", {"ftp.school.example", 21}},
        {"ftp.school.example:2121", {"ftp.school.example", 2121}},
        {"host:abc", {"host", 21}},
        {"host:", {"host", 21}},
        {"host:21x", {"host", 21}},
        {"host:0", {"host", 21}},
        {"host:65535", {"host", 65535}},
        {"host:65536", {"host", 21}},
        {"host:99999999999999999999", {"host", 21}},
        {"10.0.0.1:990:7", {"10.0.0.1", 21}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitFtpAddress(c.field), c.address) << c.field;
}

class HostFtpTest : public ::testing::Test {
protected:
    HostFtpTest() {
        server.host = "repo";
        server.port = 2121;
        server.user = "teacher";
        server.password = "secret";
        server.folders[""] = {};
        server.folders["_accessdat_"] = {};
        server.folders["_accessdat_/grp"] = {
            {"ivanov.1", {"one", "2026.02.03_04:05"}},
            {"ivanov.txt", {"notes", "2026.02.03_04:06"}},
            {"petrov.1", {"x", "2026.02.03_04:07"}},
        };
        server.folders["_accessdat_/grp/sub.1"] = {};
    }

    test::TestMachine machine;
    HostFtp server{machine.files};
};

TEST_F(HostFtpTest, StatusesOfOpening) {
    EXPECT_EQ(server.openRepositorySession("repo:2121", ".", "teacher", "secret").status,
              SessionStatus::Connected);
    EXPECT_EQ(server.openRepositorySession("repo", ".", "teacher", "secret").status,
              SessionStatus::ConnectFailed);
    EXPECT_EQ(server.openRepositorySession("repo:2121", ".", "teacher", "wrong").status,
              SessionStatus::ConnectFailed);
    EXPECT_EQ(server.openRepositorySession("repo:2121", "missing", "teacher", "secret").status,
              SessionStatus::FolderNotFound);
    server.internetAvailable = false;
    EXPECT_EQ(server.openRepositorySession("repo:2121", ".", "teacher", "secret").status,
              SessionStatus::NoInternet);
    EXPECT_EQ(server.connections.size(), 4u);
    EXPECT_EQ(server.connections[1], (HostFtpConnection{"repo", 21, "teacher", "secret"}));
    EXPECT_EQ(server.openSessions, 0);
}

TEST_F(HostFtpTest, ListsAndDownloadsInTheEnteredFolder) {
    RepositorySession opened = server.openRepositorySession("repo:2121", ".", "teacher", "secret");
    ASSERT_TRUE(opened.session);
    FtpSession& s = *opened.session;
    EXPECT_EQ(s.listRemoteFiles("ivanov.*"), std::vector<RemoteFileInfo>{});
    EXPECT_FALSE(s.enterFolder("grp"));
    ASSERT_TRUE(s.enterFolder("_accessdat_"));
    ASSERT_TRUE(s.enterFolder("grp"));
    EXPECT_EQ(s.listRemoteFiles("ivanov.*"),
              (std::vector<RemoteFileInfo>{{"ivanov.1", 3, "2026.02.03_04:05"},
                                           {"ivanov.txt", 5, "2026.02.03_04:06"}}));
    server.failingListings = {"_accessdat_/grp"};
    EXPECT_EQ(s.listRemoteFiles("ivanov.*"), std::nullopt);

    EXPECT_FALSE(s.downloadFile("ivanov.1", "C:\\P\\ivanov.1")); // no folder P yet
    machine.files.createDirectories("C:\\P");
    machine.writeFile("C:\\P\\ivanov.1", "old longer content");
    ASSERT_TRUE(s.downloadFile("ivanov.1", "C:\\P\\ivanov.1"));
    EXPECT_EQ(machine.readFile("C:\\P\\ivanov.1"), "one");
    EXPECT_FALSE(s.downloadFile("sidorov.1", "C:\\P\\sidorov.1"));
    server.failingDownloads = {"petrov.1"};
    EXPECT_FALSE(s.downloadFile("petrov.1", "C:\\P\\petrov.1"));
    server.truncatedDownloads = {"ivanov.txt"};
    ASSERT_TRUE(s.downloadFile("ivanov.txt", "C:\\P\\ivanov.txt"));
    EXPECT_EQ(machine.readFile("C:\\P\\ivanov.txt"), "no");
    EXPECT_EQ(server.openSessions, 1);
    opened.session.reset();
    EXPECT_EQ(server.openSessions, 0);
}

} // namespace
} // namespace qz
