// Shortcut files made and read by the host shell: every field comes back as
// written, an existing file is kept, and bytes that are not a whole shortcut
// are refused.
#include "TestSupport.h"
#include "platform/host/ShellLinkFile.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(HostShell, ShortcutsReadBackAsWritten) {
    const ShellLink cases[] = {
        {"C:\\QZ4\\QZ4Demo.exe", "", "C:\\QZ4", "", 0},
        {"C:\\Windows\\system32\\sysunima.exe", "\"C:\\QZ4\\UNINST\\qz4.log\"",
         "C:\\Windows\\system32", "", 0},
        {"D:\\Задачник\\QZ4Load.exe", "-l ru", "D:\\Задачник", "D:\\Задачник\\qz4.ico", 3},
        {"C:\\QZ4\\readme.txt", "", "", "", 0},
    };
    test::TestMachine m;
    m.files.createDirectories("C:\\Links");
    int n = 0;
    for (const ShellLink& link : cases) {
        std::string path = "C:\\Links\\link" + std::to_string(n++) + ".lnk";
        ASSERT_TRUE(m.shell.createShortcut(path, link)) << link.target;
        EXPECT_EQ(m.shell.readShortcut(path), link) << link.target;
    }
}

TEST(HostShell, AnExistingShortcutIsLeftAlone) {
    test::TestMachine m;
    m.writeFile("C:\\Links\\Demo.lnk", "mine");
    EXPECT_TRUE(
        m.shell.createShortcut("C:\\Links\\Demo.lnk", {"C:\\QZ4\\QZ4Demo.exe", "", "", "", 0}));
    EXPECT_EQ(m.readFile("C:\\Links\\Demo.lnk"), "mine");
    EXPECT_EQ(m.shell.readShortcut("C:\\Links\\Demo.lnk"), std::nullopt);
    EXPECT_FALSE(m.shell.createShortcut("C:\\NoSuchFolder\\Demo.lnk",
                                        {"C:\\QZ4\\QZ4Demo.exe", "", "", "", 0}));
    EXPECT_EQ(m.shell.readShortcut("C:\\Links\\None.lnk"), std::nullopt);
}

TEST(ShellLinkFile, RefusesBytesCutShort) {
    const std::string whole = encodeShellLink({"C:\\QZ4\\QZ4Panel.exe", "-x", "C:\\QZ4", "", 0});
    ASSERT_TRUE(decodeShellLink(whole));
    // Every shorter prefix that still has the string data's last byte cut
    // off must be refused, never read as garbage or past its end.
    const std::size_t stringsEnd = whole.size() - 4; // the end marker follows the strings
    for (std::size_t size = 0; size < stringsEnd; ++size)
        EXPECT_FALSE(decodeShellLink(whole.substr(0, size))) << size;
    std::string otherClass = whole;
    otherClass[4] = 0x02;
    EXPECT_FALSE(decodeShellLink(otherClass));
}

} // namespace
} // namespace qz
