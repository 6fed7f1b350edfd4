#include "TestSupport.h"
#include "ZipBuilder.h"
#include "text/Text.h"
#include "unzip/Errors.h"
#include "unzip/ZipArchive.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <gtest/gtest.h>

#include <fstream>

namespace qz {
namespace {

using test::ZipBuilder;
using test::ZipEntrySpec;

constexpr std::uint32_t Dos(unsigned y, unsigned mo, unsigned d, unsigned h, unsigned mi,
                            unsigned s) {
    return ((y - 1980) << 9 | mo << 5 | d) << 16 | (h << 11 | mi << 5 | s / 2);
}

TEST(ZipHeaderInfo, DefaultsAndTheNameRule) {
    TZipHeaderInfo h;
    EXPECT_EQ(h.versionMadeBy, 20);
    EXPECT_EQ(h.compressionMethod, 8);
    EXPECT_EQ(h.crc32, 0xFFFFFFFFu);
    EXPECT_EQ(h.internalFileAttributes, 1);
    EXPECT_EQ(h.externalFileAttributes, 32u);
    EXPECT_FALSE(h.selected);
    h.SetDirectory("sub\\dir");
    EXPECT_EQ(h.Directory(), "sub\\dir\\");
    h.SetFileName("a.txt");
    EXPECT_EQ(h.fileNameLength, 13);
    h.SetDirectory("");
    EXPECT_EQ(h.fileNameLength, 5);
    h.SetFullName("C:name.txt");
    EXPECT_EQ(h.Directory(), "C:");
    EXPECT_EQ(h.FileName(), "name.txt");
    h.SetFullName("docs\\");
    EXPECT_TRUE(h.IsDirectory());
    EXPECT_EQ(h.Directory(), "docs\\");

    TZipHeaderInfo copy;
    h.fileComment = "note";
    copy.Assign(h);
    EXPECT_EQ(copy.FullName(), "docs\\");
    EXPECT_EQ(copy.fileComment, "note");
}

TEST(DosDateTime, FieldsAreClampedOnlyWhenOutOfRange) {
    struct Case {
        std::uint32_t in, out;
    } cases[] = {
        {Dos(2024, 5, 17, 24, 0, 0), Dos(2024, 5, 17, 24, 0, 0)}, // 24:00 is kept
        {Dos(2024, 13, 17, 10, 30, 20), Dos(2024, 12, 17, 10, 30, 20)},
        {Dos(2024, 0, 0, 10, 30, 20), Dos(2024, 1, 1, 10, 30, 20)},
        {Dos(2024, 2, 30, 31, 63, 62), Dos(2024, 2, 30, 24, 59, 58)},
        {Dos(2107, 1, 1, 0, 0, 0), Dos(2099, 1, 1, 0, 0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidateDosDateTime(c.in), c.out) << std::hex << c.in;
}

std::unique_ptr<TZipHeaderInfo> Header(const std::string& name, std::uint32_t date,
                                       std::uint32_t packed, std::uint32_t size,
                                       std::uint32_t offset) {
    auto h = std::make_unique<TZipHeaderInfo>();
    h->SetFullName(name);
    h->lastModFileDateTime = date;
    h->compressedSize = packed;
    h->uncompressedSize = size;
    h->relativeOffsetOfLocalHeader = offset;
    return h;
}

std::vector<std::string> Order(TZipSortMode mode,
                               const std::vector<std::unique_ptr<TZipHeaderInfo>>& headers) {
    TSortedZip list(mode, TDuplicates::dupAccept);
    list.SetOwnsObjects(false);
    for (const auto& h : headers)
        list.Add(h.get());
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.Entry(i).FullName());
    return names;
}

TEST(ZipSortMode, EveryOrder) {
    std::vector<std::unique_ptr<TZipHeaderInfo>> h;
    h.push_back(Header("b\\Zeta.txt", Dos(2020, 1, 1, 0, 0, 0), 50, 100, 300));
    h.push_back(Header("A\\alpha.txt", Dos(2021, 1, 1, 0, 0, 0), 10, 100, 0));
    h.push_back(Header("c\\Beta.txt", Dos(2020, 1, 1, 0, 0, 0), 90, 0, 100));
    h.push_back(Header("a\\gamma.txt", Dos(2019, 2, 30, 0, 0, 0), 30, 200, 200)); // no real day
    using M = TZipSortMode;
    using V = std::vector<std::string>;
    EXPECT_EQ(Order(M::ByName, h),
              (V{"A\\alpha.txt", "a\\gamma.txt", "b\\Zeta.txt", "c\\Beta.txt"}));
    EXPECT_EQ(Order(M::ByFileName, h),
              (V{"A\\alpha.txt", "c\\Beta.txt", "a\\gamma.txt", "b\\Zeta.txt"}));
    // Equal dates keep the order of adding; a date that names no day counts as 0.
    EXPECT_EQ(Order(M::ByDate, h),
              (V{"A\\alpha.txt", "b\\Zeta.txt", "c\\Beta.txt", "a\\gamma.txt"}));
    EXPECT_EQ(Order(M::ByCompressedSize, h),
              (V{"c\\Beta.txt", "b\\Zeta.txt", "a\\gamma.txt", "A\\alpha.txt"}));
    EXPECT_EQ(Order(M::ByUnCompressedSize, h),
              (V{"a\\gamma.txt", "b\\Zeta.txt", "A\\alpha.txt", "c\\Beta.txt"}));
    // Rates: 50, 10, 0 (empty entry), 15.
    EXPECT_EQ(Order(M::ByRate, h),
              (V{"b\\Zeta.txt", "a\\gamma.txt", "A\\alpha.txt", "c\\Beta.txt"}));
    EXPECT_EQ(Order(M::ByNone, h),
              (V{"A\\alpha.txt", "c\\Beta.txt", "a\\gamma.txt", "b\\Zeta.txt"}));
    auto big = Header("x", 0, 300, 100, 0);
    EXPECT_EQ(CompressionRate(*big), 100);
}

// An archive on a throw-away machine, read through the reader.
class ZipDirectoryTest : public ::testing::Test {
protected:
    ZipDirectoryTest() { registerUnzipStrings(m.resources); }

    ZipArchive& Open(const std::string& path, const std::string& bytes) {
        m.writeFile(path, bytes);
        archive.SetName(path);
        archive.Open();
        return archive;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int i = 0; i < archive.Count(); ++i)
            names.push_back(archive.Entry(i).FullName());
        return names;
    }
    template <typename E> std::string ErrorOf(const std::string& path, const std::string& bytes) {
        try {
            Open(path, bytes);
        } catch (const E& e) {
            return e.what();
        }
        return "no error";
    }

    test::TestMachine m;
    StringLookup strings{m.resources};
    ZipArchive archive{m.files, m.dialogs, strings, m.system.codePages(), 866};
};

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ZipDirectoryTest, ThirdPartyArchives) {
    QZ4_FIXTURES_OR_SKIP(dir, "zip");
    using V = std::vector<std::string>;
    const V texts{"TESTDAT1.TXT", "TESTDAT2.TXT", "TESTDAT3.TXT"};
    struct Case {
        const char* file;
        V names;
        std::vector<int> methods;
        const char* error;
    } cases[] = {
        {"HWIMPODE.ZIP", texts, {6, 6, 6}, nullptr},
        {"HWREDUCE.ZIP", texts, {5, 0, 5}, nullptr},
        {"HWSHRINK.ZIP", texts, {1, 1, 1}, nullptr},
        {"example-i.zip", {"I.BIN"}, {6}, nullptr},
        {"example-r.zip", {"R.BIN"}, {5}, nullptr},
        {"example-s.zip", {"S.BIN"}, {1}, nullptr},
        {"files_and_dirs.zip", {"file0.txt", "dir1\\", "dir2\\"}, {0, 0, 0}, nullptr},
        {"data_descriptor.zip", {"hello.txt"}, {8}, nullptr},
        {"comment_garbage.zip", {}, {}, nullptr},
        {"misaligned_comment.zip", {}, {}, nullptr},
        {"non_utf8.zip",
         {text::decode("\xd6\xd0\xce\xc4", 866), text::decode("\x93\xfa\x95\xb6", 866)},
         {0, 0},
         nullptr},
        {"invalid_offset2.zip", {}, {}, "ZIP64 archives are not supported"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string bytes = FileBytes(dir / c.file);
        if (c.error) {
            EXPECT_EQ(ErrorOf<EBadZipFile>("C:\\f.zip", bytes), c.error);
            EXPECT_EQ(archive.Name(), ""); // closed
            continue;
        }
        Open("C:\\f.zip", bytes);
        EXPECT_EQ(Names(), c.names);
        for (int i = 0; i < archive.Count(); ++i)
            EXPECT_EQ(archive.Entry(i).compressionMethod, c.methods[i]);
    }
}

// A system that converts a code page the host has no table for; it marks
// what it converted so the test sees which text went through it.
class MarkingCodePages : public CodePages {
public:
    std::string decode(std::string_view bytes, unsigned codePage) const override {
        return "[" + std::to_string(codePage) + ":" + std::string(bytes) + "]";
    }
    std::string encode(std::string_view utf8, unsigned) const override { return std::string(utf8); }
};

TEST_F(ZipDirectoryTest, NamesAndCommentsWithoutTheUtf8FlagAreConvertedByTheSystem) {
    MarkingCodePages pages;
    ZipArchive chinese{m.files, m.dialogs, strings, pages, 936};
    ZipBuilder b;
    b.archiveComment = "zc";
    b.add("a.txt", "x").comment = "fc";
    b.add("u.txt", "y").flags = kFlagUtf8;
    m.writeFile("C:\\cn.zip", b.bytes());
    chinese.SetName("C:\\cn.zip");
    chinese.Open();
    ASSERT_EQ(chinese.Count(), 2);
    EXPECT_EQ(chinese.Entry(0).FullName(), "[936:a.txt]");
    EXPECT_EQ(chinese.EntryComment(chinese.Entry(0)), "[936:fc]");
    EXPECT_EQ(chinese.Entry(1).FullName(), "u.txt");
    EXPECT_EQ(chinese.ArchiveComment(), "[936:zc]");
}

TEST_F(ZipDirectoryTest, ThirdPartyDetails) {
    QZ4_FIXTURES_OR_SKIP(dir, "zip");
    Open("C:\\d.zip", FileBytes(dir / "data_descriptor.zip"));
    const TZipHeaderInfo& hello = archive.Entry(0);
    EXPECT_EQ(hello.flags & kFlagDataDescriptor, kFlagDataDescriptor);
    EXPECT_EQ(hello.crc32, 0xb095e5e3u);
    EXPECT_EQ(hello.uncompressedSize, 12u);
    EXPECT_EQ(hello.compressedSize, 14u);

    // The comment is the text after the end record, not the file's last bytes.
    for (const char* file : {"comment_garbage.zip", "misaligned_comment.zip"}) {
        Open("C:\\c.zip", FileBytes(dir / file));
        EXPECT_EQ(archive.ArchiveComment(), "short.") << file;
    }

    // The central directory is 880 bytes off and the data before it is cut
    // short: the complete local headers are found by the scan.
    Open("C:\\o.zip", FileBytes(dir / "invalid_offset.zip"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"zip\\", "zip\\.DS_Store", "zip\\Cargo.toml",
                                                 "zip\\corpus\\"}));
    EXPECT_EQ(archive.Entry(1).uncompressedSize, 6148u);
    EXPECT_EQ(archive.Entry(2).relativeOffsetOfLocalHeader, 347u);
}

TEST_F(ZipDirectoryTest, MissingEndRecord) {
    EXPECT_EQ(ErrorOf<EIncompleteZip>("C:\\short.zip", std::string(21, 'P')),
              "Incomplete Zip File");
    EXPECT_EQ(archive.Name(), "");

    // A comment longer than 65506 bytes hides the end record from the search.
    ZipBuilder b;
    b.add("a.txt", "alpha");
    b.archiveComment = std::string(65507, 'c');
    EXPECT_EQ(ErrorOf<EIncompleteZip>("C:\\long.zip", b.bytes()), "Incomplete Zip File");
    b.archiveComment.resize(65506);
    Open("C:\\long.zip", b.bytes());
    EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});

    // The handler may ask for the local headers to be scanned instead.
    std::string noEnd = b.bytes().substr(0, 30 + 5 + 5); // the first entry only
    archive.onIncompleteZip = [](TIncompleteZipMode& mode) {
        mode = TIncompleteZipMode::izAssumeBad;
    };
    Open("C:\\cut.zip", noEnd);
    EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(archive.Entry(0).versionMadeBy, 0); // from the local header
    EXPECT_EQ(ErrorOf<EBadZipFile>("C:\\junk.zip", std::string(100, 'x')), "Not a valid zip file!");
}

TEST_F(ZipDirectoryTest, TheLastEndSignatureIsTheRecord) {
    ZipBuilder inner;
    inner.add("inner.txt", "x");
    ZipBuilder outer;
    outer.add("nested.zip", inner.bytes());
    outer.add("after.txt", "y");
    Open("C:\\n.zip", outer.bytes());
    EXPECT_EQ(Names(), (std::vector<std::string>{"nested.zip", "after.txt"}));
}

TEST_F(ZipDirectoryTest, NamesDatesAndDirectories) {
    ZipBuilder b;
    b.add("dir/sub/file.txt", "f").dosDateTime = Dos(2020, 13, 5, 7, 8, 10);
    b.add("dir/", "");
    b.add("\x8f\xe0\xa8\xa2\xa5\xe2.txt", "p"); // CP866
    b.add("\xd0\x9c\xd0\xb8\xd1\x80.txt", "m").flags = kFlagUtf8;
    b.add("late.txt", "l").dosDateTime = Dos(2020, 1, 1, 24, 0, 0);
    Open("C:\\names.zip", b.bytes());
    ASSERT_EQ(archive.Count(), 5);
    const TZipHeaderInfo& file = archive.Entry(0);
    EXPECT_EQ(file.Directory(), "dir\\sub\\");
    EXPECT_EQ(file.FileName(), "file.txt");
    EXPECT_EQ(file.lastModFileDateTime, Dos(2020, 12, 5, 7, 8, 10));
    EXPECT_TRUE(archive.Entry(1).IsDirectory());
    EXPECT_EQ(archive.Entry(1).Directory(), "dir\\");
    EXPECT_EQ(archive.Entry(2).FileName(), "Привет.txt");
    EXPECT_EQ(archive.Entry(3).FileName(), "Мир.txt");
    EXPECT_EQ(archive.Entry(4).lastModFileDateTime, Dos(2020, 1, 1, 24, 0, 0));
    EXPECT_THROW(archive.Entry(5), EListError);
}

TEST_F(ZipDirectoryTest, ViewsFollowTheSortMode) {
    ZipBuilder b;
    for (const char* name : {"c.txt", "A.txt", "b.txt"})
        b.add(name, name);
    Open("C:\\v.zip", b.bytes());
    TZipHeaderInfo* first = &archive.Entry(0);
    archive.SetSortMode(TZipSortMode::ByName);
    EXPECT_FALSE(archive.ViewIsMainList());
    EXPECT_EQ(Names(), (std::vector<std::string>{"A.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(&archive.Entry(2), first); // the same entry objects, ordered
    archive.SetSortMode(TZipSortMode::ByNone);
    EXPECT_TRUE(archive.ViewIsMainList());
    EXPECT_EQ(Names(), (std::vector<std::string>{"c.txt", "A.txt", "b.txt"}));
    // The mode survives reading the directory again.
    archive.SetSortMode(TZipSortMode::ByName);
    archive.SetName("C:\\v.zip");
    archive.Open();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A.txt", "b.txt", "c.txt"}));
}

TEST_F(ZipDirectoryTest, CommentsAreReadWhenAsked) {
    ZipBuilder b;
    b.add("a.txt", "a").comment = "first \x8f";
    b.add("\x8f.txt", "b").extra = std::string(9, 'e');
    b.add("\x8f\x8f.txt", "c").comment = "third";
    b.archiveComment = "whole";
    Open("C:\\c.zip", b.bytes());
    EXPECT_FALSE(archive.Entry(0).fileComment.has_value());
    EXPECT_EQ(archive.EntryComment(archive.Entry(2)), "third");
    EXPECT_EQ(archive.EntryComment(archive.Entry(0)), "first П");
    EXPECT_EQ(archive.EntryComment(archive.Entry(1)), "");
    EXPECT_EQ(archive.ArchiveComment(), "whole");
}

TEST_F(ZipDirectoryTest, ScanStartsBehindASelfExtractorsProgram) {
    ZipBuilder b;
    b.prefix = std::string(14000, 'x') + "PK\x03\x04" + std::string(100, 'y');
    b.prefix.resize(14000); // the fake signature lies inside the program part
    b.prefix += std::string(3000, 'z');
    b.add("one.txt", "1");
    b.add("two.txt", "22");
    b.centralOffsetShift = 5;
    Open("C:\\setup.EXE", b.bytes());
    EXPECT_EQ(Names(), (std::vector<std::string>{"one.txt", "two.txt"}));
    EXPECT_EQ(archive.Entry(0).relativeOffsetOfLocalHeader, 17000u);
    EXPECT_EQ(archive.Entry(1).versionMadeBy, 20); // matched with its central record
}

TEST_F(ZipDirectoryTest, ScanPollsAndCanBeCancelled) {
    ZipBuilder b;
    b.prefix = std::string(50000, '\0');
    b.add("one.txt", "1");
    b.centralOffsetShift = 1;
    int polls = 0;
    archive.poll = [&] { ++polls; };
    Open("C:\\p.zip", b.bytes());
    EXPECT_GE(polls, 4);
    EXPECT_EQ(archive.Count(), 1);

    archive.poll = [] { throw EUserCanceled("User Aborted Operation"); };
    EXPECT_EQ(ErrorOf<EUserCanceled>("C:\\p2.zip", b.bytes()), "User Aborted Operation");
    EXPECT_EQ(archive.Count(), 0);
}

TEST_F(ZipDirectoryTest, DamagedDirectories) {
    ZipBuilder b;
    b.add("a.txt", "alpha");
    b.add("b.txt", "beta");
    std::string bytes = b.bytes();
    // The second central record is broken: the first entry stays readable.
    std::size_t second = bytes.find("PK\x01\x02", bytes.find("PK\x01\x02") + 4);
    std::string broken = bytes;
    broken[second + 3] = 9;
    Open("C:\\d1.zip", broken);
    EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});

    // Both central records name the same local header.
    std::string twice = bytes;
    twice.replace(second + 42, 4, std::string(4, '\0'));
    EXPECT_EQ(ErrorOf<EBadZipFile>("C:\\d2.zip", twice), "Not a valid zip file!");

    // A name length far beyond the file ends the entry list, not the program.
    std::string longName = bytes;
    longName[second + 28] = '\xff';
    longName[second + 29] = '\xff';
    Open("C:\\d3.zip", longName);
    EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});

    // Markers of the 64-bit format.
    std::string zip64 = bytes;
    zip64.replace(second + 24, 4, std::string(4, '\xff'));
    EXPECT_EQ(ErrorOf<EBadZipFile>("C:\\d4.zip", zip64), "ZIP64 archives are not supported");
}

TEST_F(ZipDirectoryTest, ReadAgainOnlyWhenTheFileChanged) {
    ZipBuilder b;
    b.add("a.txt", "alpha");
    Open("C:\\r.zip", b.bytes());
    TZipHeaderInfo* entry = &archive.Entry(0);
    archive.CloseStream();
    archive.Open();
    EXPECT_EQ(&archive.Entry(0), entry);
    b.add("b.txt", "beta");
    m.writeFile("C:\\r.zip", b.bytes());
    m.files.setLastWriteTime("C:\\r.zip", *m.files.lastWriteTime("C:\\r.zip") + 10000000);
    archive.Open();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST_F(ZipDirectoryTest, SplitVolumes) {
    // Disk 0 holds the entries, disk 1 the central directory and end record.
    ZipBuilder b;
    b.add("a.txt", "alpha");
    std::string all = b.bytes();
    std::size_t central = all.find("PK\x01\x02");
    m.writeFile("C:\\set\\data.001", all.substr(0, central));
    std::string tail = all.substr(central);
    // central directory at offset 0 of disk 1; end record on disk 1
    std::size_t end = tail.find("PK\x05\x06");
    tail[end + 4] = 1;
    tail[end + 6] = 1;
    tail.replace(end + 16, 4, std::string(4, '\0'));
    Open("C:\\set\\data.zip", tail);
    EXPECT_EQ(archive.Mode(), DiskMode::SplitFiles);
    EXPECT_EQ(archive.CurrentDisk(), 1);
    EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});
    archive.LoadDisk(1);
    EXPECT_EQ(archive.Name(), "C:\\set\\data.001");
    EXPECT_EQ(archive.CurrentDisk(), 0);
    // A volume that is not there ends the search, it is not asked for for ever.
    EXPECT_THROW(archive.LoadDisk(3), EIncompleteZip);

    // Named by the handler; an empty name cancels.
    archive.onGetNextDisk = [](int n, std::string& name) {
        name = n == 1 ? "C:\\set\\data.001" : "";
    };
    archive.LoadDisk(1);
    EXPECT_EQ(archive.CurrentDisk(), 0);
    try {
        archive.LoadDisk(2);
        FAIL() << "no error";
    } catch (const EUserCanceled& e) {
        EXPECT_STREQ(e.what(), "User canceled loading new disk.");
    }
}

TEST_F(ZipDirectoryTest, DiskettesAskForTheDiskAndCheckItsLabel) {
    ZipBuilder b;
    b.add("a.txt", "alpha");
    std::string all = b.bytes();
    std::size_t end = all.find("PK\x05\x06");
    all[end + 4] = 1; // end record on disk 1, directory on disk 1
    all[end + 6] = 1;
    m.files.setDriveType('D', DriveType::Removable);
    m.files.setVolumeLabel('D', "QZ4_001");
    Open("D:\\disk.zip", all);
    EXPECT_EQ(archive.Mode(), DiskMode::Diskettes);
    m.dialogs.messageAnswers = {DialogButton::Ok, DialogButton::Ok, DialogButton::Cancel};
    EXPECT_THROW(archive.LoadDisk(2), EUserCanceled); // the label says disk 1 twice
    ASSERT_EQ(m.dialogs.messages.size(), 3u);
    EXPECT_EQ(m.dialogs.messages[0].text, "Please insert disk 2 of the multi-disk set.");
    m.dialogs.messageAnswers = {DialogButton::Ok};
    archive.LoadDisk(1);
    EXPECT_EQ(archive.CurrentDisk(), 0);
}

TEST_F(ZipDirectoryTest, ArchivesOfRealWriters) {
    auto tree = m.root / "tree";
    std::filesystem::create_directories(tree / "sub" / "empty");
    std::ofstream(tree / "sub" / "text.txt") << std::string(5000, 'q');
    std::ofstream(tree / "top.bin") << "0123456789";
    struct Writer {
        const char* archive;
        std::string command;
    } writers[] = {
        {"zip.zip", "cd " + tree.string() + " && zip -qr ../C/zip.zip top.bin sub"},
        {"7z.zip", "cd " + tree.string() + " && 7z a -tzip -bd ../C/7z.zip top.bin sub >/dev/null"},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.archive);
        if (std::system(w.command.c_str()) != 0)
            GTEST_SKIP() << "cannot run: " << w.command;
        archive.SetName(std::string("C:\\") + w.archive);
        archive.Open();
        archive.SetSortMode(TZipSortMode::ByName);
        EXPECT_EQ(Names(),
                  (std::vector<std::string>{"sub\\", "sub\\empty\\", "sub\\text.txt", "top.bin"}));
        EXPECT_EQ(archive.Entry(2).uncompressedSize, 5000u);
        EXPECT_EQ(archive.Entry(2).crc32, test::crc32Of(std::string(5000, 'q')));
        archive.SetSortMode(TZipSortMode::ByNone);
    }
}

} // namespace
} // namespace qz
