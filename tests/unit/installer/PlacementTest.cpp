// Placing extracted entries: where each goes, which existing files it may
// replace, what the uninstall record and the final message learn, and a
// locked target answered with Retry or Ignore.
#include "TestSupport.h"

#include "installer/EntryPlacement.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"

#include <gtest/gtest.h>

#include <map>

namespace qz {
namespace {

constexpr FileTime Day = 864'000'000'000;
constexpr FileTime Copied = 150'000 * Day; // the extracted copies' date

InstallerSetup setupFor() {
    InstallerSetup s;
    s.installDir = "C:\\QZ4";
    s.systemDir = "C:\\Windows\\System32";
    s.windowsDir = "C:\\Windows";
    s.excludedDirs = {"SAMPLES"};
    s.tempDir = "C:\\QZ4\\~QZ4Setup1.tmp";
    return s;
}

// A file system on which chosen files cannot be deleted, as files that a
// running program holds open.
class LockingFileSystem : public HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    std::map<std::string, int> failuresLeft; // by Windows path as asked
    bool deleteFile(const std::string& path) override {
        auto it = failuresLeft.find(path);
        if (it != failuresLeft.end() && it->second > 0) {
            --it->second;
            return false;
        }
        return HostFileSystem::deleteFile(path);
    }
};

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLanguageState();
        SetLanguage("en");
    }
    test::TestMachine m;
    InstallerSetup setup = setupFor();
    PlacementRecord record;

    // An extracted copy of the entry, dated Copied.
    void extracted(const std::string& entry, const std::string& content = "new") {
        m.writeFile(copyOf(entry), content);
        m.files.setLastWriteTime(copyOf(entry), Copied);
    }
    std::string copyOf(const std::string& entry) const {
        return setup.extractionDir() + "\\" + entry;
    }
};

TEST_F(PlacementTest, EachEntryGoesToItsPlaceUnderItsRules) {
    enum Existing { None, Older, Same, Newer };
    struct Case {
        const char* entry;
        Existing existing;  // a file at the target before, with its date
        bool readOnly;      // ... read-only
        const char* target; // where the entry goes
        const char* after;  // the target's content afterwards ("" none)
        bool listed;        // in the uninstall list
        bool copyStays;     // the copy is left where it was extracted
    };
    const Case cases[] = {
        {"QZ4Demo.exe", None, false, "C:\\QZ4\\QZ4Demo.exe", "new", true, false},
        {"LIB\\core.dll", Newer, false, "C:\\QZ4\\LIB\\core.dll", "new", true, false},
        {"LIB\\ro.dll", Older, true, "C:\\QZ4\\LIB\\ro.dll", "new", true, false},
        // The system folders take only newer copies, except the core libraries.
        {"SYSTEM\\qz4.dll", Newer, false, "C:\\Windows\\System32\\qz4.dll", "new", false, false},
        {"system\\QZ4Tools.DLL", Newer, false, "C:\\Windows\\System32\\QZ4Tools.DLL", "new", false,
         false},
        {"SYSTEM\\other.dll", Newer, false, "C:\\Windows\\System32\\other.dll", "old", false, true},
        {"SYSTEM\\other2.dll", Same, false, "C:\\Windows\\System32\\other2.dll", "old", false,
         true},
        {"SYSTEM\\other3.dll", Older, false, "C:\\Windows\\System32\\other3.dll", "new", false,
         false},
        {"SYSTEM\\sysunima.exe", None, false, "C:\\Windows\\System32\\sysunima.exe", "new", false,
         false},
        {"WINDOWS\\qz4.ini", Same, false, "C:\\Windows\\qz4.ini", "old", false, true},
        {"WINDOWS\\fonts\\qz.fon", None, false, "C:\\Windows\\fonts\\qz.fon", "new", true, false},
        // The user's own results and settings at the top level stay.
        {"RESULTS.DAT", Older, false, "C:\\QZ4\\RESULTS.DAT", "old", true, false},
        {"QZ.INI", None, false, "C:\\QZ4\\QZ.INI", "new", true, false},
        {"SUB\\results.dat", Older, false, "C:\\QZ4\\SUB\\results.dat", "new", true, false},
        // Excluded folders at any depth below; the top level never is.
        {"samples\\deep\\a.txt", None, false, "C:\\QZ4\\samples\\deep\\a.txt", "", false, true},
        {"SAMPLES.TXT", None, false, "C:\\QZ4\\SAMPLES.TXT", "new", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        extracted(c.entry);
        if (c.existing != None) {
            m.writeFile(c.target, "old");
            FileTime offset = c.existing == Older ? -Day : c.existing == Newer ? Day : 0;
            m.files.setLastWriteTime(c.target, Copied + offset);
            if (c.readOnly)
                m.files.setAttributes(c.target, AttrReadOnly);
        }
        record.uninstallList.clear();
        PlaceEntry(m.platform, setup, record, c.entry);
        EXPECT_EQ(PlacementTarget(setup, c.entry), c.target);
        EXPECT_EQ(m.readFile(c.target).value_or(""), c.after);
        EXPECT_EQ(record.uninstallList,
                  c.listed ? std::vector<std::string>{c.target} : std::vector<std::string>{});
        EXPECT_EQ(m.files.fileExists(copyOf(c.entry)), c.copyStays);
    }
    EXPECT_EQ(record.notUpdated, "");
    EXPECT_EQ(record.notCreated, "");
    EXPECT_TRUE(m.dialogs.messages.empty());
}

TEST_F(PlacementTest, FoldersMadeForTargetsAreRemembered) {
    m.files.createDirectories("C:\\QZ4\\A");
    extracted("A\\B\\C\\x.txt");
    extracted("A\\B\\y.txt");
    PlaceEntry(m.platform, setup, record, "A\\B\\C\\x.txt");
    PlaceEntry(m.platform, setup, record, "A\\B\\y.txt");
    EXPECT_EQ(record.createdDirs, (std::vector<std::string>{"C:\\QZ4\\A\\B", "C:\\QZ4\\A\\B\\C"}));
    EXPECT_EQ(record.placedFiles,
              (std::vector<std::string>{"C:\\QZ4\\A\\B\\C\\x.txt", "C:\\QZ4\\A\\B\\y.txt"}));
}

TEST_F(PlacementTest, ALockedTargetIsTriedAgainOrListed) {
    LockingFileSystem files(m.root);
    Platform platform{files, m.registry, m.system, m.dialogs, m.resources, m.shell};
    for (const char* name : {"a.dll", "b.dll"}) {
        extracted(name);
        m.writeFile("C:\\QZ4\\" + std::string(name), "old");
        files.failuresLeft["C:\\QZ4\\" + std::string(name)] = 2;
    }
    // Retry twice: the third attempt goes through.
    m.dialogs.messageAnswers = {DialogButton::Retry, DialogButton::Retry};
    PlaceEntry(platform, setup, record, "a.dll");
    EXPECT_EQ(m.readFile("C:\\QZ4\\a.dll"), "new");
    ASSERT_EQ(m.dialogs.messages.size(), 2u);
    EXPECT_EQ(m.dialogs.messages[0].buttons,
              (std::vector<DialogButton>{DialogButton::Retry, DialogButton::Ignore}));
    EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Warning);
    EXPECT_NE(m.dialogs.messages[0].text.find("Could not update the \"C:\\QZ4\\a.dll\" file."),
              std::string::npos);

    // Ignore gives up: the old file stays, listed, and the copy goes.
    m.dialogs.messageAnswers = {DialogButton::Ignore};
    PlaceEntry(platform, setup, record, "b.dll");
    EXPECT_EQ(m.readFile("C:\\QZ4\\b.dll"), "old");
    EXPECT_FALSE(m.files.fileExists(copyOf("b.dll")));
    EXPECT_EQ(record.notUpdated, "\"C:\\QZ4\\b.dll\", ");
    EXPECT_EQ(record.uninstallList, std::vector<std::string>{"C:\\QZ4\\a.dll"});
}

TEST_F(PlacementTest, AFailedMoveIsListedByKind) {
    // A folder where the file should go: neither kind of file can be moved there.
    extracted("QZ4Load.exe");
    extracted("RESULTS.DAT");
    m.files.createDirectories("C:\\QZ4\\QZ4Load.exe");
    m.files.createDirectories("C:\\QZ4\\RESULTS.DAT");
    PlaceEntry(m.platform, setup, record, "QZ4Load.exe");
    PlaceEntry(m.platform, setup, record, "RESULTS.DAT");
    EXPECT_EQ(record.notUpdated, "\"C:\\QZ4\\QZ4Load.exe\", ");
    EXPECT_EQ(record.notCreated, "\"C:\\QZ4\\RESULTS.DAT\", ");
    EXPECT_TRUE(record.uninstallList.empty());
    EXPECT_FALSE(m.files.fileExists(copyOf("QZ4Load.exe")));
    EXPECT_FALSE(m.files.fileExists(copyOf("RESULTS.DAT")));
}

} // namespace
} // namespace qz
