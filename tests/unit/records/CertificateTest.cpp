#include "CertificateWriter.h"
#include "TestSupport.h"
#include "workdir/CertificateDecoder.h"
#include "workdir/CertificateHeader.h"
#include "workdir/CertificateLayout.h"
#include "workdir/Cp866.h"
#include "workdir/RecordFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>

namespace qz {
namespace {

TEST(CertificateInfo, Formatting) {
    struct Case {
        const char* header;
        const char* text;
    } cases[] = {
        {"1.0|Ivanov Petr|10-B|ivanov|School 5|", "Ivanov Petr\r\n10-B [ivanov] School 5"},
        {"1.0| Ivanov | 10-B |ivanov| x |   ", "Ivanov\r\n10-B [ivanov] x"},
        {"1.0|Ivanov|10-B|ivanov", "Ivanov\r\n10-B [] "}, // f2 unclosed: f2, f3 empty
        {"1.0|Ivanov", "\r\n [] "},
        {"1.0|", "\r\n [] "},
        {"1.0|||||", "\r\n [] "},
        {"1.1|Ivanov|10-B|ivanov|x|", ""},
        {" 1.0|Ivanov|10-B|ivanov|x|", ""},
        {"", ""},
        // A field's bar may be the 50th character, not the 51st.
        {"1.0|Ann|", "Ann\r\n [] "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatCertificateInfo(c.header), c.text) << c.header;

    std::string f49(49, 'a'), f50(50, 'a');
    EXPECT_EQ(FormatCertificateInfo("1.0|" + f49 + "|b|c|d|"), f49 + "\r\nb [c] d");
    EXPECT_EQ(FormatCertificateInfo("1.0|a|b|" + f50 + "|d|"), "");
    // Characters, not bytes: 49 Cyrillic letters are 98 bytes of UTF-8.
    std::string cyr;
    for (int i = 0; i < 49; ++i)
        cyr += "Я";
    EXPECT_EQ(FormatCertificateInfo("1.0|" + cyr + "|||"), cyr + "\r\n [] ");
    EXPECT_EQ(FormatCertificateInfo("1.0|" + cyr + "Я|||"), "");
}

TEST(CertificateInfo, Identity) {
    struct Case {
        const char* text;
        const char* shortForm;
        const char* longForm;
    } cases[] = {
        {"Ivanov Petr\r\n10-B [ivanov] School 5", "Ivanov Petr", "Ivanov Petr 10-B"},
        {"Ivanov\r\n [] ", "Ivanov", "Ivanov"}, // no group
        {"Ivanov\r\nX [] ", "Ivanov", "Ivanov X"},
        {"Ivanov\r\n10-B [a] b[c]", "Ivanov", "Ivanov 10-B [a] "}, // the last "["
        {"Пётр\r\nГруппа [p] q", "Пётр", "Пётр Группа"},
        {"Ivanov", "Ivanov", "Ivanov"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CertificateIdentity(c.text, IdentityForm::Short), c.shortForm) << c.text;
        EXPECT_EQ(CertificateIdentity(c.text, IdentityForm::Long), c.longForm) << c.text;
    }
}

class CertificateFileTest : public ::testing::Test {
protected:
    test::TestMachine m;
    const std::string program = "C:\\QZ4\\";
    const std::string certificate = "C:\\QZ4\\access.dat";

    void SetUp() override { m.files.createDirectories("C:\\QZ4"); }

    int runTool(std::vector<std::string> args, std::string* errors = nullptr) {
        args.insert(args.begin(), {"--out", m.files.hostPath(certificate).string()});
        std::ostringstream err;
        int code = RunMakeCertificate(args, err);
        if (errors)
            *errors = err.str();
        return code;
    }
    std::string bytes() { return m.readFile(certificate).value_or(""); }
    // The certificate with record r replaced.
    void replaceRecord(int r, const std::string& stored) {
        std::string b = bytes();
        b.replace(r * RecordSize, RecordSize, PaddedRecord(stored));
        m.writeFile(certificate, b);
    }
};

TEST_F(CertificateFileTest, RoundTripThroughTheTool) {
    struct Case {
        std::vector<std::string> args;
        const char* host;
        const char* user;
        const char* password;
        const char* info;
    } cases[] = {
        {{"--name", "Ivanov Petr", "--group", "10-B", "--login", "ivanov", "--note", "School 5",
          "--host", "ftp.school.example:2121", "--user", "group10b", "--password", "s3cret!|"},
         "ftp.school.example:2121",
         "group10b",
         "s3cret!|",
         "Ivanov Petr\r\n10-B [ivanov] School 5"},
        {{"--name", "Пётр Ёлкин", "--group", "Группа 7", "--host", "192.168.0.5", "--user",
          "Учитель", "--password", "", "--seed", "7"},
         "192.168.0.5",
         "Учитель",
         "",
         "Пётр Ёлкин\r\nГруппа 7 [] "},
        {{"--name", "A", "--host", "ftp.example.org (1)", "--user", "u", "--password", "p"},
         "ftp.example.org",
         "u",
         "p",
         "A\r\n [] "},
        {{"--name", "B", "--host", std::string(59, 'h'), "--user", std::string(48, 'u'),
          "--password", std::string(44, 'p'), "--folder", std::string(47, 'f')},
         "",
         "",
         "",
         "B\r\n [] "},
    };
    for (const auto& c : cases) {
        std::string errors;
        ASSERT_EQ(runTool(c.args, &errors), 0) << errors;
        ASSERT_EQ(bytes().size(), CertificateRecordCount * RecordSize);

        CertificateConnection connection = DecodeCertificate(m.files, program);
        ASSERT_TRUE(connection.valid) << c.info;
        if (*c.host) {
            EXPECT_EQ(connection.host, c.host);
            EXPECT_EQ(connection.user, c.user);
            EXPECT_EQ(connection.password, c.password);
            EXPECT_EQ(connection.folder, ".");
        } else {
            EXPECT_EQ(connection.host, std::string(59, 'h'));
            EXPECT_EQ(connection.user, std::string(48, 'u'));
            EXPECT_EQ(connection.password, std::string(44, 'p'));
            EXPECT_EQ(connection.folder, std::string(47, 'f'));
        }
        CertificateHeaderRead header = ReadCertificateHeader(m.files, "C:\\QZ4", "access.dat");
        EXPECT_EQ(header.status, StatusOk);
        EXPECT_EQ(FormatCertificateInfo(header.header), c.info);
    }
}

TEST_F(CertificateFileTest, UnusedRecordsHoldRandomPrintableFiller) {
    ASSERT_EQ(
        runTool({"--name", "A", "--host", "h", "--user", "u", "--password", "p", "--seed", "1"}),
        0);
    std::string first = bytes();
    ASSERT_EQ(
        runTool({"--name", "A", "--host", "h", "--user", "u", "--password", "p", "--seed", "1"}),
        0);
    EXPECT_EQ(bytes(), first) << "a seed makes the file reproducible";
    ASSERT_EQ(runTool({"--name", "A", "--host", "h", "--user", "u", "--password", "p"}), 0);
    std::string other = bytes();
    EXPECT_EQ(other.substr(0, RecordSize), first.substr(0, RecordSize));
    for (int r = 1; r < 20; ++r) {
        std::string record = other.substr(r * RecordSize, RecordSize);
        EXPECT_EQ(record[0], 78) << r;
        EXPECT_NE(record, first.substr(r * RecordSize, RecordSize)) << r;
        for (char ch : record.substr(1))
            EXPECT_TRUE(ch >= 0x20 && ch <= 0x7E) << r;
    }
}

TEST_F(CertificateFileTest, ToolReportsAFileItCannotWrite) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    std::ostringstream err;
    EXPECT_EQ(RunMakeCertificate(
                  {"--out", "/dev/full", "--name", "A", "--host", "h", "--user", "u"}, err),
              1);
    EXPECT_EQ(err.str(), "make-certificate: cannot write /dev/full\n");
}

TEST_F(CertificateFileTest, ToolRefusesWhatDoesNotFit) {
    const std::vector<std::string> base = {"--name", "A", "--host", "h", "--user", "u"};
    struct Case {
        std::vector<std::string> extra;
        int code;
    } cases[] = {
        {{"--host", std::string(60, 'h')}, 1},
        {{"--user", std::string(49, 'u')}, 1},
        {{"--password", std::string(45, 'p')}, 1},
        {{"--folder", std::string(48, 'f')}, 1},
        {{"--name", "a|b"}, 1},
        {{"--name", ""}, 1},
        {{"--group", std::string(50, 'g')}, 1},
        {{"--group", std::string(40, 'g'), "--note", std::string(40, 'n')}, 1}, // header > 78
        {{"--user", "日本"}, 1},
        {{"--note", "«x»"}, 1},
        {{"--seed", "abc"}, 2},
        {{"--colour", "red"}, 2},
        {{"--user"}, 2},
    };
    for (const auto& c : cases) {
        m.files.deleteFile(certificate);
        std::vector<std::string> args = base;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        std::string errors;
        EXPECT_EQ(runTool(args, &errors), c.code) << c.extra[0];
        EXPECT_FALSE(errors.empty());
        EXPECT_FALSE(m.files.fileExists(certificate)) << c.extra[0];
    }
}

TEST_F(CertificateFileTest, DecodingRejectsDamagedCertificates) {
    ASSERT_EQ(runTool({"--name", "A", "--host", "h:21", "--user", "u", "--password", "p"}), 0);
    const std::string good = bytes();
    ASSERT_TRUE(DecodeCertificate(m.files, program).valid);

    // 19 and 21 records, a partial record more or less.
    for (std::string b : {good.substr(0, 19 * RecordSize), good + good.substr(0, RecordSize),
                          good.substr(0, good.size() - 1)}) {
        m.writeFile(certificate, b);
        EXPECT_FALSE(DecodeCertificate(m.files, program).valid) << b.size();
    }
    m.writeFile(certificate, good + "x");
    EXPECT_TRUE(DecodeCertificate(m.files, program).valid) << "still 20 whole records";

    // One changed byte in any scrambled record.
    for (int r = 1; r < 20; ++r) {
        std::string b = good;
        b[r * RecordSize + 1 + (r * 7) % 78] ^= 0x01;
        m.writeFile(certificate, b);
        EXPECT_FALSE(DecodeCertificate(m.files, program).valid) << r;
    }
    // A length byte over 78.
    std::string b = good;
    b[5 * RecordSize] = static_cast<char>(79);
    m.writeFile(certificate, b);
    EXPECT_FALSE(DecodeCertificate(m.files, program).valid);

    m.files.deleteFile(certificate);
    EXPECT_FALSE(DecodeCertificate(m.files, program).valid);
}

TEST_F(CertificateFileTest, DecodingRejectsFieldsOutsideTheirRecords) {
    // Well-scrambled records whose fields are not what a certificate holds.
    std::string plain(76, ' ');
    struct Case {
        const char* what;
        int record;
        std::size_t at;
        const char* put;
    } cases[] = {
        {"key A not a number", KeyARecord, KeyAField.textAt, "12x"},
        {"key A length not digits", KeyARecord, KeyAField.lengthAt, "x9"},
        {"key B past the record", KeyBRecord, KeyBField.lengthAt, "29"},
        {"host past the record", HostField.record, HostField.lengthAt, "60"},
        {"user length not digits", UserField.record, UserField.lengthAt, " 1"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(runTool({"--name", "A", "--host", "h", "--user", "u", "--password", "p", "--seed",
                           "3"}),
                  0);
        // Recover the key numbers to rebuild the record with the same keys.
        auto a =
            RecordScrambler::Fixed().unscramble(bytes().substr(KeyARecord * RecordSize + 1, 78));
        auto b =
            RecordScrambler::Fixed().unscramble(bytes().substr(KeyBRecord * RecordSize + 1, 78));
        ASSERT_TRUE(a && b);
        auto keyOf = [](const std::string& p, const CertificateField& f) {
            std::size_t n = std::stoul(p.substr(f.lengthAt, 2));
            return static_cast<std::uint32_t>(std::stoul(p.substr(f.textAt, n)));
        };
        std::uint32_t ka = keyOf(*a, KeyAField), kb = keyOf(*b, KeyBField);
        auto scrambler = CertificateScrambler(c.record, ka, kb);
        auto p = scrambler.unscramble(bytes().substr(c.record * RecordSize + 1, 78));
        ASSERT_TRUE(p) << c.what;
        p->replace(c.at, std::strlen(c.put), c.put);
        replaceRecord(c.record, scrambler.scramble(*p));
        EXPECT_FALSE(DecodeCertificate(m.files, program).valid) << c.what;
    }
}

TEST_F(CertificateFileTest, HeaderStatusCodesAndReadOnlyMark) {
    ASSERT_EQ(runTool({"--name", "A", "--host", "h", "--user", "u", "--password", "p"}), 0);
    std::string good = bytes();
    struct Case {
        const char* what;
        std::string folder;
        const char* file;
        std::optional<std::string> content;
        int status;
    } cases[] = {
        {"no folder", "C:\\None", "access.dat", std::nullopt, StatusFolderMissing},
        {"no file", "C:\\QZ4", "access0.dat", std::nullopt, StatusFileMissing},
        {"two records", "C:\\QZ4", "access.dat", good.substr(0, 2 * RecordSize), StatusTooShort},
        {"three records", "C:\\QZ4\\", "access.dat", good.substr(0, 3 * RecordSize), StatusOk},
        {"whole file", "C:\\QZ4", "access.dat", good, StatusOk},
    };
    for (const auto& c : cases) {
        m.files.deleteFile(certificate);
        if (c.content)
            m.writeFile(certificate, *c.content);
        CertificateHeaderRead read = ReadCertificateHeader(m.files, c.folder, c.file);
        EXPECT_EQ(read.status, c.status) << c.what;
        EXPECT_EQ(read.header.empty(), c.status != StatusOk) << c.what;
    }

    // Reading either file clears the read-only mark of access.dat.
    m.writeFile("C:\\QZ4\\access0.dat", good);
    m.files.setAttributes(certificate, AttrReadOnly);
    EXPECT_EQ(ReadCertificateHeader(m.files, "C:\\QZ4", "access0.dat").status, StatusOk);
    EXPECT_EQ(m.files.attributes(certificate).value_or(0) & AttrReadOnly, 0u);

    // A length byte over 78 gives empty text, which the page treats as no certificate.
    std::string bad = good;
    bad[0] = static_cast<char>(200);
    m.writeFile(certificate, bad);
    CertificateHeaderRead read = ReadCertificateHeader(m.files, "C:\\QZ4", "access.dat");
    EXPECT_EQ(read.status, StatusOk);
    EXPECT_EQ(FormatCertificateInfo(read.header), "");
}

} // namespace
} // namespace qz
