#include "unzip/QzUnZip.h"
#include "TestSupport.h"
#include "ZipBuilder.h"
#include "unzip/Errors.h"
#include "unzip/WildcardMatch.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace qz {
namespace {

using test::ZipBuilder;

TEST(WildcardMatch, Patterns) {
    struct Case {
        const char* name;
        const char* pattern;
        bool match;
    } cases[] = {
        {"dir\\a.txt", "*", true},
        {"", "*", true},
        {"dir\\a.txt", "*.txt", true},
        {"dir\\a.txt", "dir\\?.txt", true},
        {"dir\\ab.txt", "dir\\?.txt", false},
        {"dir\\a.txt", "*\\a*", true},
        {"a.txt", "a.tx", false},
        {"abcabd", "*abd", true},
        {"b.txt", "<abc>.txt", true},
        {"d.txt", "<a-c>.txt", false},
        {"d.txt", "<^a-c>.txt", true},
        {"b.txt", "<!a-c>.txt", false},
        {"b.txt", "<>.txt", false},
        {"<.txt", "<.txt", true}, // no closing ">": a plain character
        {"файл.txt", "????.txt", true},
        {"файл.txt", "<а-я>*", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A component on a throw-away machine, with every event it raises recorded.
class QzUnZipTest : public ::testing::Test {
protected:
    QzUnZipTest() {
        registerUnzipStrings(m.resources);
        zip.OnSkippingFile = [this](TQzUnZip&, TSkipReason reason, const std::string& name, int) {
            skipped.push_back({reason, name});
        };
        zip.OnBadCRC = [this](TQzUnZip&, std::uint32_t, std::uint32_t, int index) {
            badCrc.push_back(index);
        };
        zip.OnEndUnZip = [this](TQzUnZip&, int, const std::string& name) { ended.push_back(name); };
    }

    int Extract(const std::string& bytes, const std::string& dest = "C:\\out") {
        m.writeFile("C:\\a.zip", bytes);
        zip.SetZipName("C:\\a.zip");
        zip.SetDestDir(dest);
        return zip.UnZip();
    }
    void Everything() {
        zip.DoAll = true;
        zip.RecreateDirs = true;
        zip.OverwriteMode = TUZOverwriteMode::Always;
    }
    // One archive cut into four volumes: one.txt runs from data.001 into
    // data.002, two.txt starts data.003, data.zip holds the directory.
    void WriteSplitSet() {
        ZipBuilder b;
        b.add("one.txt", std::string(3000, '1'));
        b.add("two.txt", std::string(5000, '2'));
        std::string all = b.bytes();
        std::size_t two = all.find("PK\x03\x04", 4);
        std::size_t central = all.find("PK\x01\x02");
        m.writeFile("C:\\set\\data.001", all.substr(0, 2000));
        m.writeFile("C:\\set\\data.002", all.substr(2000, two - 2000));
        m.writeFile("C:\\set\\data.003", all.substr(two, central - two));
        // Disk numbers and offsets as a writer of split sets stores them.
        std::string last = all.substr(central);
        std::size_t twoRecord = last.find("PK\x01\x02", 4);
        last[twoRecord + 34] = 2;                              // two.txt starts on disk 2
        last.replace(twoRecord + 42, 4, std::string(4, '\0')); // at its start
        std::size_t end = last.find("PK\x05\x06");
        last[end + 4] = 3;                               // this disk
        last[end + 6] = 3;                               // the directory's disk
        last.replace(end + 16, 4, std::string(4, '\0')); // at its start
        m.writeFile("C:\\set\\data.zip", last);
    }

    test::TestMachine m;
    TQzUnZip zip{m.platform};
    std::vector<std::pair<TSkipReason, std::string>> skipped;
    std::vector<int> badCrc;
    std::vector<std::string> ended;
};

TEST_F(QzUnZipTest, ThirdPartyArchivesExtractWithTheirCrc) {
    QZ4_FIXTURES_OR_SKIP(dir, "zip");
    struct Case {
        const char* file;
        int files;
    } cases[] = {
        {"HWIMPODE.ZIP", 3},       {"HWREDUCE.ZIP", 3},        {"HWSHRINK.ZIP", 3},
        {"example-i.zip", 1},      {"example-r.zip", 1},       {"example-s.zip", 1},
        {"files_and_dirs.zip", 3}, {"data_descriptor.zip", 1}, {"non_utf8.zip", 2},
        {"invalid_offset.zip", 4}, {"comment_garbage.zip", 0}, {"misaligned_comment.zip", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Everything();
        std::string out = std::string("C:\\out\\") + c.file;
        EXPECT_EQ(Extract(FileBytes(dir / c.file), out), c.files);
        EXPECT_TRUE(badCrc.empty());
        for (int i = 0; i < zip.Count(); ++i) {
            const TZipHeaderInfo& e = zip.Entry(i);
            if (e.IsDirectory()) {
                EXPECT_TRUE(m.files.directoryExists(out + "\\" + e.FullName()));
                continue;
            }
            auto bytes = m.readFile(out + "\\" + e.FullName());
            ASSERT_TRUE(bytes) << e.FullName();
            EXPECT_EQ(bytes->size(), e.uncompressedSize) << e.FullName();
            EXPECT_EQ(test::crc32Of(*bytes), e.crc32) << e.FullName();
        }
    }
    EXPECT_THROW(Extract(FileBytes(dir / "invalid_offset2.zip")), EBadZipFile);
}

// Archives written here by real writers, compared byte for byte with the
// files they were made from.
class RealWriterTest : public QzUnZipTest {
protected:
    void SetUp() override {
        tree = m.root / "tree";
        std::filesystem::create_directories(tree / "sub" / "empty");
        std::string text;
        for (int i = 0; i < 3000; ++i)
            text += "line " + std::to_string(i * 7919 % 1000) + " of the problem book\n";
        std::string binary(70000, '\0');
        for (std::size_t i = 0; i < binary.size(); i += 37)
            binary[i] = static_cast<char>(i * 31);
        files = {{"text.txt", text},
                 {"sub/binary.bin", binary},
                 {"sub/empty.txt", ""},
                 {"\x8f\xe0\xa8\xa2\xa5\xe2.txt", "cp866 name"}};
        for (const auto& [name, bytes] : files)
            std::ofstream(tree / name, std::ios::binary) << bytes;
        m.system.oem = 866;
    }
    // Runs a writer in the tree; false when the tool is missing.
    bool Make(const std::string& command) {
        std::filesystem::remove(m.root / "C" / "made.zip");
        std::string line = "cd '" + tree.string() + "' && (" + command + ") >/dev/null 2>&1";
        return std::system(line.c_str()) == 0;
    }
    void ExpectTree(const std::string& out) {
        for (const auto& [name, bytes] : files) {
            std::string path = out + "\\" + name;
            std::replace(path.begin(), path.end(), '/', '\\');
            if (name[0] == '\x8f')
                path = out + "\\Привет.txt";
            auto got = m.readFile(path);
            ASSERT_TRUE(got) << path;
            EXPECT_TRUE(*got == bytes) << path;
        }
        EXPECT_TRUE(m.files.directoryExists(out + "\\sub\\empty"));
    }

    std::filesystem::path tree;
    std::vector<std::pair<std::string, std::string>> files;
};

TEST_F(RealWriterTest, InfoZipLevelsAndEncryption) {
    const std::string all = "text.txt sub \x8f\xe0\xa8\xa2\xa5\xe2.txt";
    for (std::string options : {"-0", "-1", "-6", "-9", "-P 0123456789012345678901234567890123"}) {
        SCOPED_TRACE(options);
        if (!Make("zip -qr " + options + " ../C/made.zip " + all))
            GTEST_SKIP() << "zip is not available";
        Everything();
        zip.Password = "0123456789012345678901234567890123";
        zip.SetZipName("C:\\made.zip");
        zip.SetDestDir("C:\\out" + options.substr(1, 1));
        EXPECT_EQ(zip.UnZip(), 6); // four files, two folders
        ExpectTree("C:\\out" + options.substr(1, 1));
    }
}

TEST_F(RealWriterTest, StreamedEntriesCarryDataDescriptors) {
    // Written to a pipe, the writer cannot go back to fill in the sizes.
    if (!Make("zip -q - - < text.txt | cat > ../C/made.zip && "
              "zip -q -P pw - - < text.txt | cat > ../C/made2.zip"))
        GTEST_SKIP() << "zip is not available";
    for (const char* archive : {"C:\\made.zip", "C:\\made2.zip"}) {
        Everything();
        zip.Password = "pw";
        zip.SetZipName(archive);
        zip.SetDestDir("C:\\s");
        ASSERT_EQ(zip.Count(), 1);
        EXPECT_TRUE(zip.Entry(0).flags & kFlagDataDescriptor);
        EXPECT_EQ(zip.UnZip(), 1) << archive;
        EXPECT_TRUE(m.readFile("C:\\s\\-") == files[0].second);
    }
}

TEST_F(RealWriterTest, SevenZipDeflateAndZipCrypto) {
    for (std::string options : {"-mx=9", "-mem=ZipCrypto -psecret"}) {
        SCOPED_TRACE(options);
        if (!Make("7z a -tzip -bd " + options + " ../C/made.zip text.txt sub"))
            GTEST_SKIP() << "7z is not available";
        Everything();
        zip.Password = "secret";
        zip.SetZipName("C:\\made.zip");
        zip.SetDestDir("C:\\z");
        EXPECT_EQ(zip.UnZip(), 5);
        EXPECT_TRUE(m.readFile("C:\\z\\text.txt") == files[0].second);
        EXPECT_TRUE(m.readFile("C:\\z\\sub\\binary.bin") == files[1].second);
    }
}

TEST_F(QzUnZipTest, SelectionByPatternsDoAllAndDirectories) {
    ZipBuilder b;
    for (const char* name : {"Docs/", "Docs/Read.me", "docs/b.TXT", "top.txt", "x/y/z.txt"})
        b.add(name, name);
    m.writeFile("C:\\a.zip", b.bytes());
    zip.SetZipName("C:\\a.zip");
    zip.OverwriteMode = TUZOverwriteMode::Always;
    struct Case {
        std::vector<std::string> patterns;
        bool doAll, recreate;
        int files;
        std::int64_t bytes;
    } cases[] = {
        {{}, true, false, 4, 12 + 10 + 7 + 9},
        {{}, true, true, 5, 5 + 12 + 10 + 7 + 9},
        {{"docs\\read.me"}, false, false, 1, 12},
        {{"DOCS\\*"}, false, false, 2, 22},
        {{"DOCS\\*"}, false, true, 3, 27},
        {{"*.txt", "nothing"}, false, false, 3, 26},
        {{"top"}, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        zip.FilesList = c.patterns;
        zip.DoAll = c.doAll;
        zip.RecreateDirs = c.recreate;
        int numFiles = -1;
        std::int64_t total = -1;
        zip.OnStartUnZipInfo = [&](TQzUnZip&, int n, std::int64_t bytes, bool&) {
            numFiles = n;
            total = bytes;
        };
        zip.SetDestDir("C:\\sel");
        EXPECT_EQ(zip.UnZip(), c.files);
        EXPECT_EQ(numFiles, c.files);
        EXPECT_EQ(total, c.bytes);
    }
    // Stopped by the first event: nothing is written.
    zip.OnStartUnZipInfo = [](TQzUnZip&, int, std::int64_t, bool& stop) { stop = true; };
    zip.SetDestDir("C:\\stopped");
    EXPECT_EQ(zip.UnZip(), 0);
    EXPECT_FALSE(m.files.fileExists("C:\\stopped\\top.txt"));
}

TEST_F(QzUnZipTest, TargetDirectories) {
    ZipBuilder b;
    b.add("C:/Program/a.txt", "a");
    b.add("/abs/b.txt", "b");
    b.add("base/sub/c.txt", "c");
    b.add("d.txt", "d");
    b.add("D:e.txt", "e");
    b.add("D:near/f.txt", "f");
    Everything();
    zip.SetRootDir("BASE");
    EXPECT_EQ(zip.RootDir(), "BASE\\");
    EXPECT_EQ(Extract(b.bytes(), "C:\\dest\\"), 6);
    EXPECT_EQ(zip.DestDir(), "C:\\dest");
    for (const char* path :
         {"C:\\dest\\Program\\a.txt", "C:\\dest\\abs\\b.txt", "C:\\dest\\sub\\c.txt",
          "C:\\dest\\d.txt", "C:\\dest\\e.txt", "C:\\dest\\near\\f.txt"})
        EXPECT_TRUE(m.files.fileExists(path)) << path;
    // Drive-relative names stay inside the destination, not beside it.
    EXPECT_FALSE(m.files.fileExists("C:\\deste.txt"));
    EXPECT_FALSE(m.files.directoryExists("C:\\destnear"));

    zip.RecreateDirs = false;
    EXPECT_EQ(Extract(b.bytes(), "C:\\flat"), 6);
    EXPECT_TRUE(m.files.fileExists("C:\\flat\\c.txt"));
}

TEST_F(QzUnZipTest, PathsThatLeaveTheDestinationAreNeverWritten) {
    // Each leaves the destination once RootDir, a drive or a leading "\" is
    // taken off, or names a folder no Windows path can hold.
    const std::string names[] = {"../evil.txt",         "a\\..\\..\\evil.txt",
                                 "a/../ok/../../e.txt", "C:..\\evil.txt",
                                 "C:..\\..\\evil.txt",  "\\..\\evil.txt",
                                 "sub\\C:..\\evil.txt", "root\\C:..\\evil.txt",
                                 "root/../evil.txt",    ".."};
    // Every file written below C:\ lies inside the destination.
    auto outside = [&] {
        std::vector<std::string> found;
        for (const auto& f : std::filesystem::recursive_directory_iterator(m.root / "C"))
            if (!f.is_directory() && f.path() != m.root / "C" / "a.zip" &&
                f.path().string().rfind((m.root / "C" / "jail" / "in").string() + "/", 0) != 0)
                found.push_back(f.path().string());
        return found;
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ZipBuilder b;
        b.add(name, "x");
        b.add("fine..txt", "5");
        Everything();
        zip.SetRootDir("root");
        skipped.clear();
        EXPECT_EQ(Extract(b.bytes(), "C:\\jail\\in"), 1);
        ASSERT_EQ(skipped.size(), 1u);
        EXPECT_EQ(skipped[0].first, TSkipReason::srFileOpenError);
        std::string stored = name;
        std::replace(stored.begin(), stored.end(), '/', '\\');
        EXPECT_EQ(skipped[0].second, stored);
        EXPECT_TRUE(m.files.fileExists("C:\\jail\\in\\fine..txt"));
        EXPECT_EQ(outside(), std::vector<std::string>{});

        // Without RecreateDirs only the file name counts: it stays inside.
        zip.RecreateDirs = false;
        EXPECT_EQ(Extract(b.bytes(), "C:\\jail\\in\\flat"), name == ".." ? 1 : 2);
        EXPECT_EQ(outside(), std::vector<std::string>{});
    }
}

TEST_F(QzUnZipTest, AFailedLastWriteIsAWriteFailure) {
    ZipBuilder b;
    b.add("small.txt", std::string(100, 's')); // written only when the file is closed
    b.add("after.txt", "a");
    Everything();
    auto expectWriteFailure = [&](const std::string& dest) {
        try {
            Extract(b.bytes(), dest);
            FAIL() << "no error";
        } catch (const EFatalUnzipError& e) {
            EXPECT_EQ(e.what(), "Cannot write " + dest + "\\small.txt");
        }
        EXPECT_TRUE(ended.empty());
        EXPECT_FALSE(m.files.fileExists(dest + "\\after.txt"));
    };
    // The system refuses the bytes: the file is the full device.
    if (std::filesystem::exists("/dev/full")) {
        std::filesystem::create_directories(m.root / "C" / "full");
        std::filesystem::create_symlink("/dev/full", m.root / "C" / "full" / "small.txt");
        expectWriteFailure("C:\\full");
    }
    // The system takes the bytes and reports their loss at the close: the
    // partial file goes.
    m.files.setWritesFailAtClose('D');
    expectWriteFailure("D:\\out");
    EXPECT_FALSE(m.files.fileExists("D:\\out\\small.txt"));
}

TEST_F(QzUnZipTest, CrcMismatchDeletesTheFileAndLowersTheCount) {
    ZipBuilder b;
    b.add("good.txt", "good");
    b.add("bad.txt", "bad").crc = 0x12345678;
    Everything();
    EXPECT_EQ(Extract(b.bytes()), 1);
    EXPECT_EQ(badCrc, std::vector<int>{1});
    EXPECT_FALSE(m.files.fileExists("C:\\out\\bad.txt"));
    EXPECT_EQ(m.readFile("C:\\out\\good.txt"), "good");
}

// Every event of a run, each handler reading the archive or trying to
// change it under the run.
class HandlerTest : public QzUnZipTest {
protected:
    enum Event {
        StartUnZipInfo,
        FilePercentDone,
        TotalPercentDone,
        StartUnZip,
        EndUnZip,
        PromptForOverwrite,
        SkippingFile,
        BadPassword,
        BadCRC,
        InCompleteZip,
        GetNextDisk,
        EventCount
    };
    enum Action { Read, CloseArchive, SetZipName, UnZip, SetSortMode };

    // The archive that raises the event: one that raises the first nine,
    // the same without its directory, a split set.
    void SetUp() override {
        ZipBuilder b;
        b.add("bad.txt", "bad").crc = 1;
        b.add("big.bin", big).comment = "big comment";
        b.add("locked.txt", "secret").password = "right";
        b.add("keep.txt", "new");
        b.add("last.txt", "last");
        b.archiveComment = "archive comment";
        std::string bytes = b.bytes();
        m.writeFile("C:\\a.zip", bytes);
        m.writeFile("C:\\cut.zip", bytes.substr(0, bytes.find("PK\x01\x02")));
        WriteSplitSet();
        m.writeFile("C:\\other.zip", bytes);
    }

    // Runs the archive for the event with the action in every call of its
    // handler; the number of files, or the text of the error that ended the run.
    std::string RunWith(Event event, Action action) {
        std::filesystem::remove_all(m.root / "C" / "out");
        m.writeFile("C:\\out\\keep.txt", "old");
        std::string archive = event == InCompleteZip ? "C:\\cut.zip"
                              : event == GetNextDisk ? "C:\\set\\data.zip"
                                                     : "C:\\a.zip";
        TQzUnZip zip{m.platform};
        zip.DoAll = true;
        zip.RecreateDirs = true;
        zip.Password = "wrong";
        zip.SetZipName(archive);
        zip.SetDestDir("C:\\out");
        auto at = [&, this](Event e) {
            raised[e] = true;
            if (e == event)
                Act(zip, action);
        };
        zip.OnStartUnZipInfo = [=](TQzUnZip&, int, std::int64_t, bool&) { at(StartUnZipInfo); };
        zip.OnFilePercentDone = [=](TQzUnZip&, int) { at(FilePercentDone); };
        zip.OnTotalPercentDone = [=](TQzUnZip&, int) { at(TotalPercentDone); };
        zip.OnStartUnZip = [=](TQzUnZip&, int, const std::string&, bool&) { at(StartUnZip); };
        zip.OnEndUnZip = [=](TQzUnZip&, int, const std::string&) { at(EndUnZip); };
        zip.OnPromptForOverwrite = [=](TQzUnZip&, bool& overwrite, int, std::string&) {
            at(PromptForOverwrite);
            overwrite = false;
        };
        zip.OnSkippingFile = [=](TQzUnZip&, TSkipReason, const std::string&, int) {
            at(SkippingFile);
        };
        zip.OnBadPassword = [=](TQzUnZip&, int, std::string& password) {
            at(BadPassword);
            password = "right";
        };
        zip.OnBadCRC = [=](TQzUnZip&, std::uint32_t, std::uint32_t, int) { at(BadCRC); };
        zip.OnInCompleteZip = [=](TQzUnZip&, TIncompleteZipMode& mode) {
            at(InCompleteZip);
            mode = TIncompleteZipMode::izAssumeBad;
        };
        zip.OnGetNextDisk = [=](TQzUnZip&, int n, std::string& name) {
            at(GetNextDisk);
            name = "C:\\set\\data.00" + std::to_string(n);
        };
        try {
            return std::to_string(zip.UnZip());
        } catch (const EUnzipError& e) {
            return e.what();
        }
    }

    void Act(TQzUnZip& zip, Action action) {
        switch (action) {
        case Read:
            for (int i = 0; i < zip.Count(); ++i)
                seen.insert(zip.FullName(i) + ":" + zip.FileComment(i));
            seen.insert(zip.ZipComment());
            break;
        case CloseArchive:
            zip.CloseArchive();
            break;
        case SetZipName:
            zip.SetZipName("C:\\other.zip");
            break;
        case UnZip:
            zip.UnZip();
            break;
        case SetSortMode:
            zip.SetSortMode(TZipSortMode::ByName);
            break;
        }
    }

    const std::string big = std::string(20000, 'b') + std::string(20000, 'B');
    bool raised[EventCount] = {};
    std::set<std::string> seen;
};

TEST_F(HandlerTest, HandlersReadTheArchiveButCannotChangeItDuringARun) {
    struct Case {
        Action action;
        const char* outcome;
    } cases[] = {
        {Read, ""},
        {CloseArchive, "CloseArchive is not allowed while the archive is in use"},
        {SetZipName, "ZipName is not allowed while the archive is in use"},
        {UnZip, "UnZip is not allowed while the archive is in use"},
        {SetSortMode, "SortMode is not allowed while the archive is in use"},
    };
    for (int event = 0; event < EventCount; ++event) {
        // Files extracted: big.bin, locked.txt, last.txt; one.txt, two.txt.
        std::string files = event == GetNextDisk ? "2" : "3";
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << "event " << event << ", action " << c.action);
            std::fill(std::begin(raised), std::end(raised), false);
            seen.clear();
            EXPECT_EQ(RunWith(static_cast<Event>(event), c.action), *c.outcome ? c.outcome : files);
            EXPECT_TRUE(raised[event]);
            if (c.action == Read && event != InCompleteZip && event != GetNextDisk) {
                EXPECT_TRUE(seen.count("archive comment"));
                EXPECT_TRUE(seen.count("big.bin:big comment"));
            }
            if (!*c.outcome && event == GetNextDisk) {
                EXPECT_EQ(m.readFile("C:\\out\\two.txt"), std::string(5000, '2'));
            } else if (!*c.outcome) {
                EXPECT_EQ(m.readFile("C:\\out\\big.bin"), big);
                EXPECT_EQ(m.readFile("C:\\out\\locked.txt"), "secret");
                EXPECT_EQ(m.readFile("C:\\out\\keep.txt"), "old");
            }
        }
    }
}

TEST_F(HandlerTest, HandlersOfADirectoryReadOutsideARun) {
    TQzUnZip zip{m.platform};
    zip.SetZipName("C:\\cut.zip");
    int counted = -1;
    zip.OnInCompleteZip = [&](TQzUnZip& sender, TIncompleteZipMode& mode) {
        counted = sender.Count(); // the directory is not there yet
        mode = TIncompleteZipMode::izAssumeBad;
    };
    EXPECT_EQ(zip.Count(), 5);
    EXPECT_EQ(counted, 0);
    zip.SetZipName("C:\\a.zip");
    zip.SetZipName("C:\\cut.zip");
    zip.OnInCompleteZip = [&](TQzUnZip& sender, TIncompleteZipMode&) { sender.CloseArchive(); };
    EXPECT_THROW(zip.Count(), EUnzipError);
    EXPECT_EQ(zip.ZipName(), "C:\\cut.zip");
}

TEST_F(QzUnZipTest, DataLongerThanItsSizeKeepsThePiecesThatFit) {
    ZipBuilder b;
    std::string data(40000, 'L');
    auto& e = b.add("long.bin", data);
    e.uncompressedSize = 20000;
    e.crc = test::crc32Of(data);
    e.dosDateTime = 0x58210000 | (10 << 11);
    Everything();
    std::optional<std::string> atCheck;
    std::optional<FileTime> dateAtCheck;
    zip.OnBadCRC = [&](TQzUnZip&, std::uint32_t, std::uint32_t, int) {
        atCheck = m.readFile("C:\\out\\long.bin");
        dateAtCheck = m.files.lastWriteTime("C:\\out\\long.bin");
    };
    EXPECT_EQ(Extract(b.bytes()), 0);
    ASSERT_TRUE(atCheck);
    EXPECT_EQ(atCheck->size(), 16000u);
    EXPECT_EQ(dateAtCheck, m.system.dosDateTimeToFileTime(e.dosDateTime));
}

TEST_F(QzUnZipTest, DatesAreLocalTimesAndAttributesKept) {
    ZipBuilder b;
    auto& ro = b.add("ro.txt", "r");
    ro.externalAttributes = 0x81A40001; // Unix permissions above, read-only below
    ro.dosDateTime = (44u << 25) | (1 << 21) | (1 << 16) | (12 << 11) | (30 << 5) | 5;
    b.add("late.txt", "l").dosDateTime = (44u << 25) | (1 << 21) | (1 << 16) | (24 << 11);
    Everything();
    struct Case {
        const char* tz;
        FileTime stamp; // 2024-01-01 12:30:10 there
    } cases[] = {
        {"UTC0", 133485858100000000},
        {"UTC-3", 133485750100000000}, // three hours ahead of UTC
        {"EST5", 133486038100000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tz);
        test::ScopedTimeZone zone(c.tz);
        FileTime before = *m.files.lastWriteTime("C:\\");
        EXPECT_EQ(Extract(b.bytes()), 2);
        EXPECT_EQ(m.files.lastWriteTime("C:\\out\\ro.txt"), c.stamp);
        // 24:00 names no time: the file keeps the time it was written.
        EXPECT_GE(m.files.lastWriteTime("C:\\out\\late.txt"), before);
        m.files.setAttributes("C:\\out\\ro.txt", AttrNormal);
    }
    EXPECT_EQ(Extract(b.bytes()), 2);
    EXPECT_EQ(*m.files.attributes("C:\\out\\ro.txt") & AttrReadOnly, AttrReadOnly);
    zip.RetainAttributes = false;
    EXPECT_EQ(Extract(b.bytes(), "C:\\plain"), 2);
    EXPECT_EQ(*m.files.attributes("C:\\plain\\ro.txt") & AttrReadOnly, 0u);
}

TEST_F(QzUnZipTest, OverwriteModes) {
    ZipBuilder b;
    b.add("f.txt", "new");
    zip.DoAll = true;
    struct Case {
        TUZOverwriteMode mode;
        std::optional<DialogButton> answer;
        int files;
        const char* content;
    } cases[] = {
        {TUZOverwriteMode::Always, {}, 1, "new"},
        {TUZOverwriteMode::Never, {}, 0, "old"},
        {TUZOverwriteMode::Prompt, DialogButton::No, 0, "old"},
        {TUZOverwriteMode::Prompt, DialogButton::Yes, 1, "new"},
    };
    for (const auto& c : cases) {
        m.writeFile("C:\\out\\f.txt", "old");
        m.dialogs.messages.clear();
        if (c.answer)
            m.dialogs.messageAnswers = {*c.answer};
        skipped.clear();
        zip.OverwriteMode = c.mode;
        EXPECT_EQ(Extract(b.bytes()), c.files);
        EXPECT_EQ(m.readFile("C:\\out\\f.txt"), c.content);
        EXPECT_EQ(skipped.size(), c.files ? 0u : 1u);
        if (c.answer) {
            ASSERT_EQ(m.dialogs.messages.size(), 1u);
            EXPECT_EQ(m.dialogs.messages[0].caption, "File Exists Alert");
            EXPECT_EQ(m.dialogs.messages[0].text, "Replace existing file f.txt?");
        }
    }
    // The handler decides and may choose another name.
    m.writeFile("C:\\out\\f.txt", "old");
    zip.OverwriteMode = TUZOverwriteMode::Prompt;
    zip.OnPromptForOverwrite = [](TQzUnZip&, bool& overwrite, int, std::string& name) {
        overwrite = true;
        name = "C:\\out\\f2.txt";
    };
    EXPECT_EQ(Extract(b.bytes()), 1);
    EXPECT_EQ(m.readFile("C:\\out\\f.txt"), "old");
    EXPECT_EQ(m.readFile("C:\\out\\f2.txt"), "new");
}

TEST_F(RealWriterTest, WrongPasswords) {
    if (!Make("zip -q -P right ../C/made.zip text.txt"))
        GTEST_SKIP() << "zip is not available";
    zip.DoAll = true;
    zip.OverwriteMode = TUZOverwriteMode::Always;
    zip.SetZipName("C:\\made.zip");
    zip.SetDestDir("C:\\pw");

    zip.Password = "wrong";
    EXPECT_EQ(zip.UnZip(), 0);
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0], std::make_pair(TSkipReason::srBadPassword, std::string("text.txt")));
    EXPECT_FALSE(m.files.fileExists("C:\\pw\\text.txt"));

    std::vector<std::string> offered;
    zip.OnBadPassword = [&](TQzUnZip&, int, std::string& password) {
        offered.push_back(password);
        if (password == "wrong")
            password = "also wrong";
        else if (password == "also wrong")
            password = "right";
    };
    EXPECT_EQ(zip.UnZip(), 1);
    EXPECT_EQ(offered, (std::vector<std::string>{"wrong", "also wrong"}));
    EXPECT_EQ(zip.Password, "right");
    EXPECT_TRUE(m.readFile("C:\\pw\\text.txt") == files[0].second);

    // A handler that gives the same password back ends the attempts.
    zip.Password = "nope";
    zip.OnBadPassword = [](TQzUnZip&, int, std::string&) {};
    skipped.clear();
    EXPECT_EQ(zip.UnZip(), 0);
    EXPECT_EQ(skipped.size(), 1u);
}

TEST_F(QzUnZipTest, UnknownMethodsAreRefusedBeforeWriting) {
    ZipBuilder b;
    b.add("bz.bin", "whatever").method = 12;
    b.add("ok.txt", "ok");
    Everything();
    EXPECT_EQ(Extract(b.bytes()), 1);
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].caption, "Zip Error");
    EXPECT_EQ(m.dialogs.messages[0].text, "Unknown Compression Method");
    EXPECT_FALSE(m.files.fileExists("C:\\out\\bz.bin"));
}

TEST_F(QzUnZipTest, ProgressSkipAndCancel) {
    ZipBuilder b;
    b.add("big.bin", std::string(50000, 'b'));
    b.add("small.txt", "s");
    Everything();
    std::vector<int> filePercents, totalPercents;
    zip.OnFilePercentDone = [&](TQzUnZip&, int p) { filePercents.push_back(p); };
    zip.OnTotalPercentDone = [&](TQzUnZip&, int p) { totalPercents.push_back(p); };
    EXPECT_EQ(Extract(b.bytes()), 2);
    EXPECT_EQ(filePercents, (std::vector<int>{32, 64, 96, 100, 100}));
    EXPECT_EQ(totalPercents.back(), 100);
    EXPECT_GE(m.dialogs.processMessagesCalls, 1);
    int calls = m.dialogs.processMessagesCalls;
    zip.DoProcessMessages = false;
    EXPECT_EQ(Extract(b.bytes(), "C:\\quiet"), 2);
    EXPECT_EQ(m.dialogs.processMessagesCalls, calls);

    // Skipped at the start: the file stays, empty, and counts.
    zip.OnStartUnZip = [](TQzUnZip&, int index, const std::string&, bool& skip) {
        skip = index == 0;
    };
    EXPECT_EQ(Extract(b.bytes(), "C:\\skip"), 2);
    EXPECT_EQ(m.readFile("C:\\skip\\big.bin"), "");

    // A cancel request is honoured at the next refill.
    zip.OnStartUnZip = nullptr;
    zip.OnFilePercentDone = [](TQzUnZip& sender, int) { sender.Cancel(); };
    try {
        Extract(b.bytes(), "C:\\cancel");
        FAIL() << "no error";
    } catch (const EUserCanceled& e) {
        EXPECT_STREQ(e.what(), "User Aborted Operation");
    }
    EXPECT_FALSE(zip.Busy());
    EXPECT_FALSE(m.files.fileExists("C:\\cancel\\small.txt"));
}

// A window extracting a large entry runs its queue about every quarter
// megabyte: often enough to stay responsive, not at every piece.
TEST_F(QzUnZipTest, TheWindowsQueueRunsEverySixteenReads) {
    ZipBuilder b;
    b.add("large.bin", std::string(1 << 20, 'l'));
    Everything();
    for (int threads : {0, 2}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        zip.DecodeThreads = threads;
        m.dialogs.processMessagesCalls = 0;
        EXPECT_EQ(Extract(b.bytes()), 1);
        // 1 MiB comes in at least 66 reads of at most 16000 bytes; decoding
        // ahead may add a pass while it is waited for.
        EXPECT_GE(m.dialogs.processMessagesCalls, 66 / TQzUnZip::PollsPerMessages);
        if (threads == 0) {
            EXPECT_LE(m.dialogs.processMessagesCalls, 66 / TQzUnZip::PollsPerMessages + 2);
        }
    }
}

TEST_F(QzUnZipTest, TruncatedDataIsAFatalError) {
    ZipBuilder b;
    b.add("cut.bin", std::string(30000, 'c'));
    std::string bytes = b.bytes();
    bytes.resize(20000); // the end record is lost too: scan the local headers
    zip.SetIncompleteZipMode(TIncompleteZipMode::izAssumeBad);
    Everything();
    try {
        Extract(bytes);
        FAIL() << "no error";
    } catch (const EFatalUnzipError& e) {
        EXPECT_STREQ(e.what(), "Premature end of file reached");
    }
}

TEST_F(QzUnZipTest, SplitVolumesAreReadInDiskOrder) {
    WriteSplitSet();
    Everything();
    zip.SetSortMode(TZipSortMode::ByName);
    std::vector<int> disks;
    zip.OnGetNextDisk = [&](TQzUnZip&, int n, std::string& name) {
        disks.push_back(n);
        name = "C:\\set\\data.00" + std::to_string(n);
    };
    zip.SetZipName("C:\\set\\data.zip");
    zip.SetDestDir("C:\\joined");
    EXPECT_EQ(zip.UnZip(), 2);
    EXPECT_EQ(disks, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(m.readFile("C:\\joined\\one.txt"), std::string(3000, '1'));
    EXPECT_EQ(m.readFile("C:\\joined\\two.txt"), std::string(5000, '2'));
    EXPECT_EQ(zip.SortMode(), TZipSortMode::ByName);

    // Without a handler the volumes are found by their numbers; a missing
    // one ends the run.
    zip.OnGetNextDisk = nullptr;
    zip.SetZipName("C:\\set\\data.zip");
    zip.SetDestDir("C:\\default");
    EXPECT_EQ(zip.UnZip(), 2);
    m.files.deleteFile("C:\\set\\data.002");
    zip.SetZipName("C:\\set\\data.zip");
    EXPECT_THROW(zip.UnZip(), EIncompleteZip);

    // A handler that offers an empty volume again and again: no disk comes
    // after the last one, so the run ends instead of asking for ever.
    m.writeFile("C:\\set\\empty.bin", "");
    zip.OnGetNextDisk = [&](TQzUnZip&, int n, std::string& name) {
        name = n == 1 ? "C:\\set\\data.001" : "C:\\set\\empty.bin";
    };
    zip.SetZipName("C:\\set\\data.zip");
    EXPECT_THROW(zip.UnZip(), EFatalUnzipError);
}

TEST_F(QzUnZipTest, NameAndFolderDialogs) {
    ZipBuilder b;
    b.add("a.txt", "a");
    m.writeFile("C:\\arch\\A.ZIP", b.bytes());
    m.dialogs.openFileAnswers = {std::string("C:\\arch\\A.ZIP"), std::nullopt};
    zip.SetZipName("C:\\arch\\?");
    ASSERT_EQ(m.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(m.dialogs.openFileRequests[0].title, "Open a Zip File");
    EXPECT_EQ(m.dialogs.openFileRequests[0].initialDirectory, "C:\\arch\\");
    EXPECT_EQ(zip.ZipName(), "C:\\arch\\A.ZIP");
    EXPECT_EQ(zip.Count(), 1);
    const TZipHeaderInfo* entry = &zip.Entry(0);
    zip.SetZipName("c:\\ARCH\\a.zip"); // the same file: the directory stays
    EXPECT_EQ(&zip.Entry(0), entry);
    try {
        zip.SetZipName("D:\\none\\?");
        FAIL() << "no error";
    } catch (const EUserCanceled& e) {
        EXPECT_STREQ(e.what(), "User canceled setting zip file name.");
    }
    EXPECT_EQ(m.dialogs.openFileRequests[1].initialDirectory, "C:\\");

    m.dialogs.selectFolderAnswers = {std::string("C:\\chosen\\"), std::nullopt};
    zip.SetDestDir("?");
    EXPECT_EQ(zip.DestDir(), "C:\\chosen");
    EXPECT_TRUE(m.dialogs.selectFolderRequests[0].allowCreate);
    EXPECT_THROW(zip.SetDestDir("?"), EUserCanceled);
    EXPECT_EQ(zip.ThisVersion(), 217);
}

} // namespace
} // namespace qz
