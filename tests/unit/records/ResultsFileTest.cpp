#include "workdir/ResultsFile.h"

#include "TestSupport.h"
#include "workdir/Cp866.h"
#include "workdir/RecordScrambler.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

std::string record(const std::string& bytes, int length = -1) {
    std::string r(RecordSize, ' ');
    r[0] = static_cast<char>(length < 0 ? bytes.size() : length);
    r.replace(1, bytes.size(), bytes);
    return r;
}

// The host file system with one path that refuses to open, as a locked file does.
class LockingFileSystem : public HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    std::string locked;
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        return path == locked ? nullptr : HostFileSystem::open(path, mode);
    }
};

class ResultsFileTest : public ::testing::Test {
protected:
    test::TestMachine m;
    const std::string dir = "C:\\QZ4Work";
    const std::string path = "C:\\QZ4Work\\results.dat";
    const std::string program = "C:\\Program Files\\QZ4\\";

    void SetUp() override { m.files.createDirectories(dir); }
    std::string bytes() { return m.readFile(path).value_or(""); }
    std::string recordAt(int i) { return bytes().substr(i * RecordSize, RecordSize); }
};

TEST_F(ResultsFileTest, CreatesTheThreeRecords) {
    ASSERT_EQ(CreateResultsFile(m.files, dir + "\\", "Иванов Пётр", "|10", program), StatusOk);
    ASSERT_EQ(bytes().size(), 3 * RecordSize);
    EXPECT_EQ(recordAt(0), record(CharToCp866("Иванов Пётр") + "|10" + std::string(64, ' ')));
    EXPECT_EQ(recordAt(1), record("C:\\Program Files\\QZ4" + std::string(58, ' ')));

    auto plain = RecordScrambler::Fixed().unscramble(recordAt(2).substr(1));
    ASSERT_TRUE(plain);
    ASSERT_EQ(plain->size(), 76u);
    EXPECT_EQ(plain->substr(0, 27), "T3" + CharToCp866("Иванов Пётр") + std::string(14, ' '));
    int number = std::stoi(plain->substr(27, 3));
    EXPECT_TRUE(number >= 100 && number <= 999) << number;
    EXPECT_EQ(plain->substr(30, 12), std::string(12, ' '));
    EXPECT_EQ(plain->substr(42, 16).find_first_not_of("0123456789"), std::string::npos);

    ResultsName name = ReadResultsName(m.files, dir);
    EXPECT_EQ(name.name, "Иванов Пётр" + std::string(14, ' '));
    EXPECT_EQ(name.installationField, plain->substr(58));
    EXPECT_EQ(name.installationField.rfind("QZ4Setup ", 0), 0u);
}

TEST_F(ResultsFileTest, ReadsTheHeaderAndTheSystemDirectory) {
    m.writeFile(path, record(CharToCp866("Пётр|12pabc3")) + record("C:\\QZ4\\  ") +
                          std::string(RecordSize, '\0'));
    ResultsHeaderRead read = ReadResultsHeader(m.files, dir);
    EXPECT_EQ(read.status, StatusOk);
    EXPECT_EQ(read.header.name, "Пётр");
    EXPECT_EQ(read.header.number, 12);
    EXPECT_EQ(read.header.key, "PABC3");
    EXPECT_EQ(read.systemDirectory, ""); // no qz.ini there
    m.writeFile("C:\\QZ4\\qz.ini", "");
    EXPECT_EQ(ReadResultsHeader(m.files, dir + "\\").systemDirectory, "C:\\QZ4");
}

TEST_F(ResultsFileTest, StatusCodes) {
    const std::string threeRecords = record("A|10X") + record("C:\\QZ4") + record("");
    struct Case {
        const char* what;
        std::string folder;
        std::optional<std::string> content;
        int status;
    } cases[] = {
        {"no folder", "C:\\Missing", std::nullopt, StatusFolderMissing},
        {"no file", dir, std::nullopt, StatusFileMissing},
        {"empty", dir, "", StatusTooShort},
        {"two records", dir, record("A") + record("B"), StatusTooShort},
        {"three less a byte", dir, threeRecords.substr(0, 3 * RecordSize - 1), StatusTooShort},
        {"three records", dir, threeRecords, StatusOk},
        {"trailing partial record", dir, threeRecords + "xyz", StatusOk},
    };
    for (const auto& c : cases) {
        m.files.deleteFile(path);
        if (c.content)
            m.writeFile(path, *c.content);
        EXPECT_EQ(ReadResultsHeader(m.files, c.folder).status, c.status) << c.what;
        EXPECT_EQ(WriteResultsHeader(m.files, c.folder, "PY3", program), c.status) << c.what;
        if (c.status != StatusOk) {
            EXPECT_EQ(ReadResultsName(m.files, c.folder).name, "") << c.what;
        }
    }
}

TEST_F(ResultsFileTest, AFileThatCannotBeOpenedReadsAsMinusTwo) {
    LockingFileSystem files(m.root);
    ASSERT_EQ(CreateResultsFile(files, dir, "Ann", "|10", program), StatusOk);
    files.locked = path;
    EXPECT_EQ(ReadResultsHeader(files, dir).status, StatusCannotOpen);
    EXPECT_EQ(WriteResultsHeader(files, dir, "PY3", program), StatusCannotOpen);
    EXPECT_EQ(ReadResultsName(files, dir).name, "");
    EXPECT_EQ(CreateResultsFile(files, dir, "Bob", "", program), StatusCannotOpen);
    files.locked.clear();
    EXPECT_EQ(ReadResultsName(files, dir).name, "Ann" + std::string(22, ' '));
}

TEST_F(ResultsFileTest, AFailureReportedAtTheCloseIsAFailedWrite) {
    m.files.createDirectories("D:\\Work");
    ASSERT_EQ(CreateResultsFile(m.files, "D:\\Work", "Ann", "|10", program), StatusOk);
    m.files.setWritesFailAtClose('D');
    EXPECT_EQ(WriteResultsHeader(m.files, "D:\\Work", "PY3", program), StatusCannotOpen);
    EXPECT_EQ(CreateResultsFile(m.files, "D:\\Work", "Bob", "|10", program), StatusCannotOpen);
}

TEST_F(ResultsFileTest, HeaderRewriteKeepsTheNumberAndTheOtherRecords) {
    ASSERT_EQ(CreateResultsFile(m.files, dir, "Ann|Lee", "|12", program), StatusOk);
    std::string runtimeRecord = record("work of the runtime");
    m.writeFile(path, bytes() + runtimeRecord);
    std::string identification = recordAt(2);

    ASSERT_EQ(WriteResultsHeader(m.files, dir, "vcnet10", "D:\\QZ4"), StatusOk);
    EXPECT_EQ(recordAt(0), record("Ann|Lee|12VCNET10" + std::string(61, ' ')));
    EXPECT_EQ(recordAt(1), record("D:\\QZ4" + std::string(72, ' ')));
    EXPECT_EQ(recordAt(2), identification);
    EXPECT_EQ(recordAt(3), runtimeRecord);

    ASSERT_EQ(WriteResultsHeader(m.files, dir, "", program), StatusOk);
    ResultsHeaderRead read = ReadResultsHeader(m.files, dir);
    EXPECT_EQ(read.header.name, "Ann|Lee");
    EXPECT_EQ(read.header.number, 12);
    EXPECT_EQ(read.header.key, "");

    // Creating anew discards the runtime's records.
    ASSERT_EQ(CreateResultsFile(m.files, dir, "Ann", "", program), StatusOk);
    EXPECT_EQ(bytes().size(), 3 * RecordSize);
    EXPECT_EQ(ReadResultsHeader(m.files, dir).header.number, 10);
}

TEST_F(ResultsFileTest, ProgramDirectoryLongerThanARecord) {
    std::string longDir = "C:\\" + std::string(60, 'p') + "\\" + std::string(20, 'q') + "\\";
    ASSERT_EQ(CreateResultsFile(m.files, dir, "Ann", "|10", longDir), StatusOk);
    EXPECT_EQ(recordAt(1), record(std::string(78, ' ')));
    ASSERT_EQ(WriteResultsHeader(m.files, dir, "PY3", longDir), StatusOk);
    EXPECT_EQ(recordAt(1), record(longDir.substr(0, 78)));
    // Exactly 78 characters still fit.
    std::string fits = "C:\\" + std::string(75, 'p');
    ASSERT_EQ(CreateResultsFile(m.files, dir, "Ann", "|10", fits + "\\"), StatusOk);
    EXPECT_EQ(recordAt(1), record(fits));
}

TEST_F(ResultsFileTest, LongNamesAreCutToTheirPlaces) {
    std::string name(30, 'N');
    ASSERT_EQ(CreateResultsFile(m.files, dir, name, std::string(60, '|'), program), StatusOk);
    EXPECT_EQ(recordAt(0), record(name + std::string(48, '|')));
    EXPECT_EQ(ReadResultsName(m.files, dir).name, std::string(25, 'N'));
}

TEST_F(ResultsFileTest, ReadOnlyMarkIsClearedOtherAttributesKept) {
    ASSERT_EQ(CreateResultsFile(m.files, dir, "Ann", "|10", program), StatusOk);
    auto mark = [&] { m.files.setAttributes(path, AttrReadOnly | AttrHidden); };
    auto attrs = [&] { return m.files.attributes(path).value_or(0); };

    mark();
    ReadResultsHeader(m.files, dir);
    EXPECT_EQ(attrs() & (AttrReadOnly | AttrHidden), AttrHidden);
    mark();
    ReadResultsName(m.files, dir);
    EXPECT_EQ(attrs() & AttrReadOnly, 0u);
    mark();
    EXPECT_EQ(CreateResultsFile(m.files, dir, "Bob", "", program), StatusOk);
    EXPECT_EQ(attrs() & AttrReadOnly, 0u);
}

TEST_F(ResultsFileTest, EmptyFolderMeansTheCurrentDirectory) {
    ASSERT_TRUE(m.files.setCurrentDirectory(dir));
    ASSERT_EQ(CreateResultsFile(m.files, "", "Ann", "|10", program), StatusOk);
    EXPECT_TRUE(m.files.fileExists(path));
    EXPECT_EQ(ReadResultsHeader(m.files, "").header.name, "Ann");
    EXPECT_EQ(ReadResultsName(m.files, "").name.substr(0, 3), "Ann");
}

TEST_F(ResultsFileTest, GarbageReadsAsEmptyText) {
    // Length bytes above 78 and a record 2 that is not ours.
    m.writeFile(path, record("Ann|10X", 200) + record("C:\\QZ4", 79) + record("garbage", 255));
    ResultsHeaderRead read = ReadResultsHeader(m.files, dir);
    EXPECT_EQ(read.status, StatusOk);
    EXPECT_EQ(read.header.name, "");
    EXPECT_EQ(read.systemDirectory, "");
    EXPECT_EQ(ReadResultsName(m.files, dir).name, "");

    // A whole record of 78 is the longest: it reads in full.
    m.writeFile(path, record(std::string(78, 'x')) + record("") + record(""));
    EXPECT_EQ(ReadResultsHeader(m.files, dir).header.name, std::string(78, 'x'));
}

TEST_F(ResultsFileTest, AShorterIdentificationRecordGivesWhatItHolds) {
    std::string plain = "T3" + std::string("Ann") + std::string(27, ' ');
    ASSERT_EQ(plain.size(), 32u);
    m.writeFile(path,
                record("Ann") + record("") + record(RecordScrambler::Fixed().scramble(plain)));
    ResultsName name = ReadResultsName(m.files, dir);
    EXPECT_EQ(name.name, "Ann" + std::string(22, ' '));
    EXPECT_EQ(name.installationField, "");
}

} // namespace
} // namespace qz
