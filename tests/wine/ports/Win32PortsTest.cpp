// The Win32 ports against the real system calls, run under Wine.
#include "platform/DosDateTime.h"
#include "platform/ThreadPriority.h"
#include "platform/host/ShellLinkFile.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32CodePages.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "text/Text.h"

#include "FolderContract.h"

#include <gtest/gtest.h>

#include <process.h>
#include <random>
#include <thread>

#include <windows.h>

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

TEST_F(Win32FilesTest, CreatesFoldersAsEveryPortDoes) {
    char missing = 0;
    for (char letter = 'Y'; letter > 'C' && !missing; --letter)
        if (fs.driveType(letter) == DriveType::NoRootDir)
            missing = letter;
    ASSERT_NE(missing, 0) << "every drive letter is taken";
    contract::CheckFolderCreation(fs, dir, missing);
}

TEST_F(Win32FilesTest, ReadsAFileAnotherProgramHoldsOpenForWriting) {
    // As the problem book's programs hold results.dat while they run: open
    // for writing, letting others read.
    const std::string results = dir + "\\results.dat";
    write(results, "record");
    HANDLE writer = CreateFileW(win32::wide(results).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(read(results), "record");
    CloseHandle(writer);
}

TEST(Win32CodePages, EveryCodePageKeepsItsText) {
    Win32CodePages pages;
    struct Case {
        unsigned codePage;
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {936, "路径 张伟", "\xC2\xB7\xBE\xB6 \xD5\xC5\xCE\xB0"},
        {1253, "Ελληνικά", "\xC5\xEB\xEB\xE7\xED\xE9\xEA\xDC"},
        {1254, "İşçi", "\xDD\xFE\xE7i"},
        {1257, "Ąžuolas", "\xC0\xFEuolas"},
        {1251, "Пётр", "\xCF\xB8\xF2\xF0"},
        {866, "Ёлка", "\xF0\xAB\xAA\xA0"},
        {65001, "Ёлка 路径", "Ёлка 路径"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pages.encode(c.text, c.codePage), c.bytes) << c.codePage;
        EXPECT_EQ(pages.decode(c.bytes, c.codePage), c.text) << c.codePage;
    }
    // What a code page lacks is '?', never a look-alike (best fit would give "A").
    EXPECT_EQ(pages.encode("Ā路", 1252), "??");
    EXPECT_THROW(pages.encode("x", 12345), UnsupportedCodePage);
    EXPECT_THROW(pages.decode("x", 12345), UnsupportedCodePage);
}

// The system of a Chinese Windows, whatever the prefix runs in.
class ChineseSystem : public Win32SystemInfo {
public:
    unsigned ansiCodePage() const override { return 936; }
};

TEST(Win32CodePages, SettingsKeepFoldersAndNamesOnAChineseSystem) {
    Win32FileSystem files;
    Win32Registry registry;
    ChineseSystem system;
    Win32Dialogs dialogs;
    Win32Resources resources;
    Win32Shell shell;
    Platform platform{files, registry, system, dialogs, resources, shell};
    const std::string program = system.environmentVariable("TEMP").value_or("C:\\windows\\temp") +
                                "\\" + uniqueName("qz4-cp936-") + "\\";
    const std::string work = program + "路径";
    ASSERT_TRUE(files.createDirectories(work));

    Settings settings;
    settings.workDirectories = {work};
    settings.selectedWorkDirectory = 0;
    settings.label = "张伟";
    SettingsFile file(platform, program);
    ASSERT_TRUE(file.write(settings, nullptr, "en", ""));

    IniFile ini(files, program + "QZ.INI", system.ansiText());
    EXPECT_EQ(ini.readString("Work Directory", "Path", ""), work);
    EXPECT_EQ(ini.readString("Work Directory", "Label", ""), "张伟");
    auto raw = files.open(program + "QZ.INI", OpenMode::Read);
    ASSERT_TRUE(raw);
    std::string bytes(raw->size(), '\0');
    bytes.resize(raw->read(bytes.data(), bytes.size()));
    raw.reset();
    EXPECT_NE(bytes.find("Label=\xD5\xC5\xCE\xB0\r\n"), std::string::npos);

    files.deleteFile(program + "QZ.INI");
    files.removeDirectory(work);
    files.removeDirectory(program);
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
        // A key goes only once it has no sub-keys; one that is gone counts as removed.
        EXPECT_FALSE(reg.deleteKey(root, key));
        EXPECT_TRUE(reg.deleteKey(root, key + "\\Sub"));
        EXPECT_TRUE(reg.deleteKey(root, key));
        EXPECT_FALSE(reg.keyExists(root, key));
        EXPECT_TRUE(reg.deleteKey(root, key));
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

// The system folder is the 32-bit one (the prefix is 64-bit Windows): a file
// placed there is what a 32-bit program finds in its System32, and it is not
// in the 64-bit System32, whichever build places it.
TEST(Win32SystemInfo, SystemFolderIsWhereA32BitProgramLooks) {
    Win32SystemInfo sys;
    Win32FileSystem fs;
    const std::string dir = sys.systemDirectory();
    EXPECT_TRUE(text::equalsIgnoreCase(dir, sys.windowsDirectory() + "\\SysWOW64")) << dir;
    const std::string name = uniqueName("qz4-system-folder-") + ".dll";
    const std::wstring placed = win32::wide(dir + "\\" + name);
    {
        auto file = fs.open(dir + "\\" + name, OpenMode::Create);
        ASSERT_TRUE(file && file->write("MZ", 2) == 2 && file->close());
    }

    wchar_t system32[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryW(system32, MAX_PATH), 0u);
    const std::wstring seen = std::wstring(system32) + L"\\" + win32::wide(name);
    PVOID redirection = nullptr;
    if (sizeof(void*) == 4) {
        // What the 32-bit program reads through its System32.
        EXPECT_NE(GetFileAttributesW(seen.c_str()), INVALID_FILE_ATTRIBUTES);
        // What a 64-bit program reads there: the real System32.
        ASSERT_TRUE(Wow64DisableWow64FsRedirection(&redirection));
        EXPECT_EQ(GetFileAttributesW(seen.c_str()), INVALID_FILE_ATTRIBUTES);
        Wow64RevertWow64FsRedirection(redirection);
    } else {
        EXPECT_EQ(GetFileAttributesW(seen.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_TRUE(DeleteFileW(placed.c_str()));
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

TEST(Win32SystemInfo, DosDateTimesRoundTripThroughFileTimes) {
    Win32SystemInfo sys;
    for (DosDateTime local :
         {DosDateTime{1980, 1, 2, 0, 0, 0}, DosDateTime{2024, 2, 29, 12, 30, 10},
          DosDateTime{2099, 12, 31, 23, 59, 58}}) {
        auto time = sys.dosDateTimeToFileTime(local.pack());
        ASSERT_TRUE(time) << local.year;
        EXPECT_EQ(sys.fileTimeToDosDateTime(*time), local.pack()) << local.year;
    }
    DosDateTime noon{2024, 1, 1, 12, 0, 0}, one{2024, 1, 1, 13, 0, 0};
    EXPECT_EQ(*sys.dosDateTimeToFileTime(one.pack()) - *sys.dosDateTimeToFileTime(noon.pack()),
              3600LL * 10000000);
    // Values that name no moment, as the host refuses them.
    for (DosDateTime none : {DosDateTime{2024, 1, 1, 24, 0, 0}, DosDateTime{2023, 2, 29, 0, 0, 0},
                             DosDateTime{2024, 13, 1, 0, 0, 0}})
        EXPECT_FALSE(sys.dosDateTimeToFileTime(none.pack())) << std::hex << none.pack();
}

// Started once more by the test below, with the command line it checks.
constexpr const char* EchoVariable = "QZ4_ECHO_COMMAND_LINE";

TEST(Win32SystemInfo, AQuotedFolderKeepsItsTrailingBackslash) {
    Win32SystemInfo sys;
    Win32FileSystem fs;
    if (auto echo = sys.environmentVariable(EchoVariable)) {
        std::string joined;
        for (const std::string& word : sys.commandLine())
            joined += word + "|";
        auto out = fs.open(*echo, OpenMode::Create);
        ASSERT_TRUE(out);
        out->write(joined.data(), joined.size());
        return;
    }
    const std::string echo = sys.environmentVariable("TEMP").value_or("C:\\windows\\temp") + "\\" +
                             uniqueName("qz4-command-line-");
    ASSERT_EQ(_putenv_s(EchoVariable, echo.c_str()), 0);
    const std::string program = sys.programPath();
    const std::string quoted = "\"" + program + "\"";
    // The spawn functions join their arguments with blanks and add no quotes.
    intptr_t status =
        _spawnl(_P_WAIT, program.c_str(), quoted.c_str(),
                "--gtest_filter=Win32SystemInfo.AQuotedFolderKeepsItsTrailingBackslash",
                "\"C:\\My Dir\\\"", "-FAST", nullptr);
    _putenv_s(EchoVariable, "");
    ASSERT_EQ(status, 0);
    auto in = fs.open(echo, OpenMode::Read);
    ASSERT_TRUE(in);
    std::string joined(in->size(), '\0');
    joined.resize(in->read(joined.data(), joined.size()));
    in.reset();
    fs.deleteFile(echo);
    EXPECT_EQ(joined, "--gtest_filter=Win32SystemInfo.AQuotedFolderKeepsItsTrailingBackslash|"
                      "C:\\My Dir\\|-FAST|");
}

TEST(ThreadPriority, LowersTheCallingThreadAlone) {
    int helper = THREAD_PRIORITY_ERROR_RETURN;
    std::thread([&] {
        lowerCurrentThreadPriority();
        helper = GetThreadPriority(GetCurrentThread());
    }).join();
    EXPECT_EQ(helper, THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
}

} // namespace
} // namespace qz
