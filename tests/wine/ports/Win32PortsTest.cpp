// The Win32 ports against the real system calls, run under Wine.
#include "platform/host/ShellLinkFile.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "text/Text.h"

#include <gtest/gtest.h>

#include <random>

namespace qz {
namespace {

std::string uniqueName(const std::string& prefix) {
    std::random_device rd;
    return prefix + std::to_string(rd() % 1000000);
}

class Win32FilesTest : public ::testing::Test {
protected:
    Win32FileSystem fs;
    Win32SystemInfo sys;
    std::string dir;
    void SetUp() override {
        dir = sys.environmentVariable("TEMP").value_or("C:\\windows\\temp") + "\\" +
              uniqueName("qz4 тест ");
        ASSERT_TRUE(fs.createDirectories(dir + "\\a\\b"));
    }
    void write(const std::string& path, const std::string& bytes) {
        auto f = fs.open(path, OpenMode::Create);
        ASSERT_TRUE(f);
        ASSERT_EQ(f->write(bytes.data(), bytes.size()), bytes.size());
    }
    std::string read(const std::string& path) {
        auto f = fs.open(path, OpenMode::Read);
        if (!f)
            return "<none>";
        std::string s(f->size(), '\0');
        s.resize(f->read(s.data(), s.size()));
        return s;
    }
};

TEST_F(Win32FilesTest, FilesFoldersAndListings) {
    write(dir + "\\a\\Ёлка.txt", "hello");
    write(dir + "\\a\\two.txt", "2");
    EXPECT_TRUE(fs.fileExists(dir + "\\A\\ёлка.TXT"));
    EXPECT_TRUE(fs.directoryExists(dir + "\\a\\b"));
    std::vector<std::string> names;
    for (const auto& e : fs.list(dir + "\\a\\*.txt", ListKind::Files))
        names.push_back(e.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"two.txt", "Ёлка.txt"}));
    EXPECT_EQ(fs.list(dir + "\\a\\*", ListKind::Folders).size(), 3u); // ".", "..", "b"
    EXPECT_EQ(read(dir + "\\a\\Ёлка.txt"), "hello");

    // Replace in one step, as the settings writer does.
    EXPECT_FALSE(fs.moveFile(dir + "\\a\\two.txt", dir + "\\a\\Ёлка.txt", false));
    EXPECT_TRUE(fs.moveFile(dir + "\\a\\two.txt", dir + "\\a\\Ёлка.txt", true));
    EXPECT_EQ(read(dir + "\\a\\Ёлка.txt"), "2");
    EXPECT_FALSE(fs.fileExists(dir + "\\a\\two.txt"));

    EXPECT_TRUE(fs.copyFile(dir + "\\a\\Ёлка.txt", dir + "\\copy.txt", true));
    EXPECT_FALSE(fs.copyFile(dir + "\\a\\Ёлка.txt", dir + "\\copy.txt", true));
    EXPECT_FALSE(fs.removeDirectory(dir + "\\a"));
    EXPECT_TRUE(fs.removeDirectory(dir + "\\a\\b"));
}

TEST_F(Win32FilesTest, AttributesAndTimes) {
    const std::string f = dir + "\\ro.txt";
    write(f, "x");
    ASSERT_TRUE(fs.setAttributes(f, AttrReadOnly | AttrArchive));
    EXPECT_EQ(fs.attributes(f).value_or(0) & (AttrReadOnly | AttrArchive),
              AttrReadOnly | AttrArchive);
    EXPECT_FALSE(fs.deleteFile(f));
    ASSERT_TRUE(fs.setAttributes(f, AttrArchive));
    const FileTime t = 133000000000000000LL;
    ASSERT_TRUE(fs.setLastWriteTime(f, t));
    EXPECT_EQ(fs.lastWriteTime(f), t);
    auto file = fs.open(f, OpenMode::ReadWrite);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->lastWriteTime(), t);
    file.reset();
    EXPECT_TRUE(fs.deleteFile(f));
    EXPECT_FALSE(fs.attributes(f));
}

TEST_F(Win32FilesTest, DrivesAndCurrentDirectory) {
    EXPECT_EQ(fs.driveType('C'), DriveType::Fixed);
    EXPECT_TRUE(fs.driveSizeReadable('C'));
    EXPECT_TRUE(fs.volumeLabel('C').has_value());
    ASSERT_TRUE(fs.setCurrentDirectory(dir + "\\a"));
    EXPECT_TRUE(fs.directoryExists("b"));
    EXPECT_EQ(fs.currentDirectory(), dir + "\\a");
}

TEST(Win32Registry, WritesAndReadsUnderBothRoots) {
    Win32Registry reg;
    const std::string key = "Software\\QZ4 Tests\\" + uniqueName("k");
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        EXPECT_FALSE(reg.keyExists(root, key));
        ASSERT_TRUE(reg.writeString(root, key, "Install Directory", "C:\\Program Files\\QZ4"));
        ASSERT_TRUE(reg.writeString(root, key, "", "default"));
        EXPECT_TRUE(reg.keyExists(root, key));
        EXPECT_EQ(reg.readString(root, key, "install directory"), "C:\\Program Files\\QZ4");
        EXPECT_EQ(reg.readString(root, key, ""), "default");
        EXPECT_FALSE(reg.readString(root, key, "missing"));
        ASSERT_TRUE(reg.createKey(root, key + "\\Sub"));
        EXPECT_EQ(reg.subKeys(root, key), std::vector<std::string>{"Sub"});
    }
    EXPECT_FALSE(reg.readString(RegistryRoot::ClassesRoot, "NoSuchKey\\x", ""));
}

TEST(Win32SystemInfo, ReportsTheMachine) {
    Win32SystemInfo sys;
    EXPECT_FALSE(sys.localeLanguageName().empty());
    EXPECT_FALSE(sys.userName().empty());
    EXPECT_NE(sys.programPath().find("wine_ports"), std::string::npos);
    EXPECT_TRUE(sys.environmentVariable("PATH").has_value());
    EXPECT_FALSE(sys.environmentVariable("QZ4_NO_SUCH_VARIABLE").has_value());
    EXPECT_FALSE(sys.systemDirectory().empty());
    EXPECT_NE(sys.ansiCodePage(), 0u);
    EXPECT_NE(sys.oemCodePage(), 0u);
}

// A shortcut made through the shell link object resolves to what it was
// given, an existing one is kept, and the shortcut files the native build
// writes are read by the system as the same shortcut.
TEST_F(Win32FilesTest, ShortcutsResolve) {
    Win32Shell shell;
    write(dir + "\\a\\Demo.exe", "MZ");
    const ShellLink link{dir + "\\a\\Demo.exe", "\"" + dir + "\\a\\qz4.log\"", dir + "\\a", "", 0};
    const std::string made = dir + "\\Demo.lnk";
    ASSERT_TRUE(shell.createShortcut(made, link));
    std::optional<ShellLink> back = shell.readShortcut(made);
    ASSERT_TRUE(back);
    EXPECT_TRUE(text::equalsIgnoreCase(back->target, link.target)) << back->target;
    EXPECT_EQ(back->arguments, link.arguments);
    EXPECT_TRUE(text::equalsIgnoreCase(back->workingDirectory, link.workingDirectory));

    const std::string before = read(made);
    EXPECT_TRUE(shell.createShortcut(made, {dir + "\\other.exe", "", "", "", 0}));
    EXPECT_EQ(read(made), before);
    EXPECT_FALSE(shell.createShortcut(dir + "\\missing\\x.lnk", link));
    EXPECT_FALSE(shell.readShortcut(dir + "\\a\\Demo.exe"));

    // Wine reads a link's target only from the ANSI path of its location
    // block, which keeps ASCII alone: the native link names an ASCII path.
    const ShellLink plain{"C:\\QZ4\\QZ4Demo.exe", "-x \"C:\\QZ4\\тест\"", "C:\\QZ4", "", 0};
    const std::string native = dir + "\\Native.lnk";
    write(native, encodeShellLink(plain));
    back = shell.readShortcut(native);
    ASSERT_TRUE(back);
    EXPECT_TRUE(text::equalsIgnoreCase(back->target, plain.target)) << back->target;
    EXPECT_EQ(back->arguments, plain.arguments);
    EXPECT_TRUE(text::equalsIgnoreCase(back->workingDirectory, plain.workingDirectory));
}

} // namespace
} // namespace qz
