// Executable detection against the real registry and file system, under Wine.
#include "environments/EnvironmentCatalogue.h"
#include "environments/ExecutableDetection.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"

#include <gtest/gtest.h>

#include <random>

#include <windows.h>

namespace qz {
namespace {

// The registry keys the tests below write, each removed with everything
// under it: all tests of a run share one prefix.
struct TestKey {
    HKEY root;
    const wchar_t* path;
};
const TestKey TestKeys[] = {
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\QZ4 Probe"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\VisualStudio"},
    {HKEY_CLASSES_ROOT, L"LazarusProject"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\ARCHAEOPTERYX"},
};

// In the 32-bit view, where the registry port writes.
void removeKey(const TestKey& k) {
    HKEY key;
    if (RegOpenKeyExW(k.root, k.path, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return;
    RegDeleteTreeW(key, nullptr); // everything below it
    RegCloseKey(key);
    RegDeleteKeyExW(k.root, k.path, KEY_WOW64_32KEY, 0);
}

void removeTree(FileSystem& files, const std::string& folder) {
    for (const NameEntry& e : files.listNames(folder)) {
        const std::string path = folder + "\\" + e.name;
        if (e.isDirectory)
            removeTree(files, path);
        else
            files.deleteFile(path);
    }
    files.removeDirectory(folder);
}

class DetectionWineTest : public ::testing::Test {
protected:
    Win32FileSystem files;
    Win32Registry registry;
    Win32SystemInfo system;
    Win32Dialogs dialogs;
    Win32Resources resources;
    Win32Shell shell;
    Platform platform{files, registry, system, dialogs, resources, shell};
    std::string dir;

    void SetUp() override {
        std::random_device rd;
        dir = "C:\\qz4-detect-" + std::to_string(rd() % 1000000);
        ASSERT_TRUE(files.createDirectories(dir + "\\bin"));
    }
    // Runs however the test ended, a failed assertion included.
    void TearDown() override {
        for (const TestKey& key : TestKeys)
            removeKey(key);
        removeTree(files, dir);
    }
    std::string touch(const std::string& path) {
        auto file = files.open(path, OpenMode::Create);
        EXPECT_TRUE(file);
        return path;
    }
    std::string detect(int slot) {
        EnvironmentCatalogue catalogue(platform, dir + "\\");
        catalogue.fill();
        return ExecutableDetector(platform).DetectExecutable(catalogue, slot);
    }
};

TEST_F(DetectionWineTest, KeysWrittenRelativeToTheRootWithOrWithoutLeadingBackslash) {
    ASSERT_TRUE(registry.writeString(RegistryRoot::LocalMachine, "SOFTWARE\\QZ4 Probe", "v", "x"));
    EXPECT_TRUE(registry.keyExists(RegistryRoot::LocalMachine, "\\SOFTWARE\\QZ4 Probe"));
    EXPECT_EQ(registry.readString(RegistryRoot::LocalMachine, "\\SOFTWARE\\QZ4 Probe", "v"), "x");
}

TEST_F(DetectionWineTest, VisualStudioFromTheRegistry) {
    const std::string key = "\\SOFTWARE\\Microsoft\\VisualStudio\\18.0\\Setup\\VS";
    ASSERT_TRUE(registry.writeString(RegistryRoot::LocalMachine, key, "EnvironmentPath",
                                     dir + "\\missing\\devenv.exe"));
    EXPECT_EQ(detect(35), ""); // a path that does not exist is never returned
    std::string devenv = touch(dir + "\\bin\\devenv.exe");
    ASSERT_TRUE(registry.writeString(RegistryRoot::LocalMachine, key, "EnvironmentPath", devenv));
    EXPECT_EQ(detect(35), devenv);
    EXPECT_EQ(detect(44), devenv); // C# 2026 shares the installation
}

TEST_F(DetectionWineTest, LazarusFromItsOpenCommand) {
    std::string lazarus = touch(dir + "\\bin\\lazarus.exe");
    ASSERT_TRUE(registry.writeString(RegistryRoot::ClassesRoot,
                                     "\\LazarusProject\\shell\\open\\command", "",
                                     lazarus + " \"%1\""));
    EXPECT_EQ(detect(45), lazarus);
}

TEST_F(DetectionWineTest, SearchWalksTheRealTree) {
    // A Wing IDE installation the registry points at, found through WINGHOME.
    ASSERT_TRUE(files.createDirectories(dir + "\\Wing IDE 101 6.0\\bin"));
    std::string wing = touch(dir + "\\Wing IDE 101 6.0\\bin\\wing-101.exe");
    ASSERT_TRUE(registry.writeString(RegistryRoot::LocalMachine,
                                     "\\SOFTWARE\\ARCHAEOPTERYX\\WINGIDE101\\6.0\\INSTALL",
                                     "WINGHOME", dir + "\\Wing IDE 101 6.0"));
    EXPECT_EQ(detect(61), wing);
    // The same tree searched through the bare-name listing.
    FileSearch search(files);
    EXPECT_EQ(search.FindFileRecursive(dir, "WING-101.EXE"), wing);
    EXPECT_EQ(search.FindFileRecursive(dir, "wing-*.exe"), wing);
}

} // namespace
} // namespace qz
