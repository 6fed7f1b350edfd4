#include "FolderContract.h"
#include "TestSupport.h"
#include "platform/DosDateTime.h"
#include "platform/ThreadPriority.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace qz {
namespace {

TEST(HostFileSystem, ResolvesWindowsPathsWithoutRegardToCase) {
    test::TestMachine m;
    m.writeFile("C:\\Program Files\\QZ4\\QZ.INI", "x");
    EXPECT_TRUE(m.files.fileExists("c:\\PROGRAM FILES\\qz4\\qz.ini"));
    EXPECT_TRUE(m.files.fileExists("C:/Program Files/QZ4/QZ.INI"));
    EXPECT_TRUE(m.files.directoryExists("C:\\program files\\"));
    EXPECT_FALSE(m.files.fileExists("C:\\Program Files"));
    ASSERT_TRUE(m.files.setCurrentDirectory("c:\\program files\\qz4"));
    EXPECT_TRUE(m.files.fileExists("qz.ini"));
    EXPECT_TRUE(m.files.fileExists("..\\QZ4\\QZ.INI"));
}

TEST(HostFileSystem, ListsLikeFindFirstFile) {
    test::TestMachine m;
    m.writeFile("C:\\W\\b.txt", "");
    m.writeFile("C:\\W\\A.TXT", "");
    m.writeFile("C:\\W\\c.dat", "");
    m.files.createDirectory("C:\\W\\Sub");
    auto names = [](const std::vector<FindEntry>& v) {
        std::string s;
        for (const auto& e : v)
            s += e.name + ";";
        return s;
    };
    EXPECT_EQ(names(m.files.list("C:\\W\\*.txt", ListKind::Files)), "A.TXT;b.txt;");
    EXPECT_EQ(names(m.files.list("C:\\W\\*.*", ListKind::Folders)), ".;..;Sub;");
    EXPECT_EQ(names(m.files.list("C:\\W\\?.dat", ListKind::All)), "c.dat;");
    EXPECT_EQ(names(m.files.list("C:\\*", ListKind::Folders)), "W;"); // a root has no dots
    EXPECT_TRUE(m.files.list("C:\\Missing\\*", ListKind::All).empty());
}

TEST(HostFileSystem, ReadOnlyFilesResistDeletionAndOverwrite) {
    test::TestMachine m;
    m.writeFile("C:\\a.txt", "old");
    m.writeFile("C:\\b.txt", "new");
    ASSERT_TRUE(m.files.setAttributes("C:\\a.txt", AttrReadOnly | AttrArchive));
    EXPECT_EQ(*m.files.attributes("C:\\a.txt"), AttrReadOnly | AttrArchive);
    EXPECT_FALSE(m.files.deleteFile("C:\\a.txt"));
    EXPECT_FALSE(m.files.copyFile("C:\\b.txt", "C:\\a.txt", false));
    ASSERT_TRUE(m.files.setAttributes("C:\\a.txt", AttrArchive));
    EXPECT_TRUE(m.files.copyFile("C:\\b.txt", "C:\\a.txt", false));
    EXPECT_FALSE(m.files.copyFile("C:\\b.txt", "C:\\a.txt", true));
    EXPECT_EQ(m.readFile("C:\\a.txt"), "new");
    EXPECT_TRUE(m.files.moveFile("C:\\b.txt", "C:\\a.txt", true));
    EXPECT_FALSE(m.files.fileExists("C:\\b.txt"));
}

TEST(HostFileSystem, CreatesFoldersAsEveryPortDoes) {
    test::TestMachine m;
    ASSERT_TRUE(m.files.createDirectory("C:\\scratch"));
    contract::CheckFolderCreation(m.files, "C:\\scratch", 'Q');
}

TEST(HostFileSystem, SharesLieBelowUnc) {
    test::TestMachine m;
    std::filesystem::create_directories(m.root / "UNC" / "srv" / "Share");
    EXPECT_TRUE(m.files.directoryExists("\\\\SRV\\share\\"));
    EXPECT_TRUE(m.files.createDirectories("\\\\srv\\share\\a\\b"));
    EXPECT_TRUE(std::filesystem::is_directory(m.root / "UNC" / "srv" / "Share" / "a" / "b"));
    EXPECT_FALSE(m.files.directoryExists("C:\\srv\\share\\a"));
    ASSERT_TRUE(m.files.setCurrentDirectory("\\\\srv\\share\\a"));
    EXPECT_EQ(m.files.currentDirectory(), "\\\\srv\\share\\a");
    EXPECT_TRUE(m.files.directoryExists("..\\..\\..\\a\\b")); // ".." stops at the share
}

TEST(HostFileSystem, FoldersTimesAndDrives) {
    test::TestMachine m;
    EXPECT_TRUE(m.files.createDirectories("C:\\x\\y\\z"));
    EXPECT_FALSE(m.files.createDirectories("Q:\\x")); // no such drive
    EXPECT_FALSE(m.files.removeDirectory("C:\\x"));   // not empty
    EXPECT_TRUE(m.files.removeDirectory("C:\\x\\y\\z"));
    m.writeFile("C:\\t.bin", "12345");
    const FileTime t = 133000000000000000LL; // 2022
    ASSERT_TRUE(m.files.setLastWriteTime("C:\\t.bin", t));
    EXPECT_EQ(m.files.lastWriteTime("C:\\t.bin"), t);
    auto f = m.files.open("C:\\t.bin", OpenMode::ReadWrite);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->size(), 5u);
    EXPECT_TRUE(f->seek(2));
    EXPECT_TRUE(f->truncate());
    f.reset();
    EXPECT_EQ(m.readFile("C:\\t.bin"), "12");
    EXPECT_EQ(m.files.driveType('c'), DriveType::Fixed);
    EXPECT_EQ(m.files.driveType('E'), DriveType::NoRootDir);
    m.files.setDriveType('A', DriveType::Removable);
    m.files.setVolumeLabel('A', "DISK001");
    EXPECT_EQ(m.files.driveType('a'), DriveType::Removable);
    EXPECT_EQ(m.files.volumeLabel('A'), "DISK001");
}

TEST(HostRegistry, LoadsTextFormAndMatchesWithoutCase) {
    HostRegistry r;
    ASSERT_TRUE(r.load("; sample\n[HKLM\\SOFTWARE\\Vendor\\Tool]\n\"Path\"=\"C:\\\\x\"\n@=\"def\"\n"
                       "[HKCU\\Software\\Other]\n"));
    EXPECT_TRUE(r.keyExists(RegistryRoot::LocalMachine, "software\\VENDOR"));
    EXPECT_EQ(r.readString(RegistryRoot::LocalMachine, "SOFTWARE\\vendor\\tool", "path"),
              "C:\\\\x");
    EXPECT_EQ(r.readString(RegistryRoot::LocalMachine, "SOFTWARE\\Vendor\\Tool", ""), "def");
    EXPECT_FALSE(r.readString(RegistryRoot::CurrentUser, "SOFTWARE\\Vendor\\Tool", "Path"));
    EXPECT_EQ(r.subKeys(RegistryRoot::LocalMachine, "SOFTWARE"),
              std::vector<std::string>{"Vendor"});
    EXPECT_FALSE(r.load("[HKXX\\Bad]\n"));
    EXPECT_FALSE(r.load("[HKLM\\A]\nnot a value\n"));
}

TEST(HostDialogs, RecordsRequestsAndAnswersFromTheQueue) {
    HostDialogs d;
    d.messageAnswers.push_back(DialogButton::Yes);
    EXPECT_EQ(d.showMessage(
                  {MessageKind::Confirmation, "Go?", "", {DialogButton::Yes, DialogButton::No}}),
              DialogButton::Yes);
    EXPECT_EQ(d.showMessage({MessageKind::Error, "Oops", "", {DialogButton::Ok}}),
              DialogButton::Cancel);
    ASSERT_EQ(d.messages.size(), 2u);
    EXPECT_EQ(d.messages[1].text, "Oops");
    EXPECT_FALSE(d.openFile({}));
}

TEST(HostSystemInfo, DosTimesAreLocalTimes) {
    test::ScopedTimeZone zone("UTC-3"); // three hours ahead of UTC
    HostSystemInfo system;
    struct Case {
        DosDateTime local;
        std::optional<FileTime> time;
    } cases[] = {
        {{2024, 1, 1, 12, 30, 10}, 133485750100000000}, // 09:30:10 UTC
        {{1980, 1, 1, 3, 0, 0}, 119600064000000000},
        {{2024, 2, 29, 0, 0, 0}, 133536276000000000},
        {{2023, 2, 29, 0, 0, 0}, std::nullopt},
        {{2024, 1, 1, 24, 0, 0}, std::nullopt},
        {{2024, 1, 1, 23, 59, 60}, std::nullopt},
        {{2024, 13, 1, 0, 0, 0}, std::nullopt},
    };
    for (const auto& c : cases) {
        std::uint32_t dos = c.local.pack();
        EXPECT_EQ(system.dosDateTimeToFileTime(dos), c.time) << std::hex << dos;
        if (c.time) {
            EXPECT_EQ(system.fileTimeToDosDateTime(*c.time), dos) << std::hex << dos;
        }
    }
    // Odd seconds go down to even ones; a moment before 1980 there has no DOS form.
    EXPECT_EQ(system.fileTimeToDosDateTime(133485750110000000),
              (DosDateTime{2024, 1, 1, 12, 30, 10}.pack()));
    EXPECT_EQ(system.fileTimeToDosDateTime(119599955990000000), std::nullopt);
}

TEST(ThreadPriority, LowersTheCallingThreadAlone) {
    const auto niceOf = [](pid_t thread) {
        errno = 0;
        const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
        EXPECT_EQ(errno, 0);
        return nice;
    };
    const int before = niceOf(gettid());
    int helper = 0;
    std::thread([&] {
        lowerCurrentThreadPriority();
        helper = niceOf(gettid());
    }).join();
    EXPECT_GT(helper, before);
    EXPECT_EQ(niceOf(gettid()), before);
}

} // namespace
} // namespace qz
