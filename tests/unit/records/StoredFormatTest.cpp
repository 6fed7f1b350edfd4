// Stored bytes of files already in use: every results file written so far
// and every certificate a teacher has handed out. These vectors change only
// with the format itself, which would make all of those files unreadable.
#include "CertificateWriter.h"
#include "workdir/RecordScrambler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace qz {
namespace {

// Key numbers A and B of a certificate.
constexpr std::uint32_t KeyA = 123456789;
constexpr std::uint32_t KeyB = 4000000000;

TEST(StoredFormat, ScrambledRecords) {
    struct Case {
        const char* what;
        RecordScrambler scrambler;
        std::string plain; // CP866
        std::string stored;
    } cases[] = {
        {"identification record of a results file", RecordScrambler::Fixed(),
         "T3\x88\xA2\xA0\xAD\xAE\xA2 \x88\xA2\xA0\xAD              517            "
         "4096813572648109QZ4Setup 4.27     ",
         "V:\x88\xA2\xA0\xAD\xAE\xA2 \x88\xA2\xA0\xAD#b$$# )\"'$#&$$#5:9d$#&$$# )\"'$#"
         ":4=98:5<;5<8<40BSa8Vkxys =09;#&$$#"},
        {"shortest record, fixed keys", RecordScrambler::Fixed(),
         "Quazzle 4 short record, 32 bytes", "s7#$}4yvq#!uv&oSu6bxe)hilipeH/u|+#"},
        {"certificate record 1 (key A), fixed keys", RecordScrambler::Fixed(),
         "Ue7;Bn0-Rm4#Ad9!1036789012341234567890123456789012345Ko2@Xy5$Wq8%Lt3^Hs6&Zp",
         ":(%4,7*53H3O><<947Ov:w60w7l;{S4tUga9;7<<5O;R;70;`68)9>9@E7^:=<;W;Z469;6s9r9t<"},
        {"certificate record 2", RecordScrambler::CertificateRecord(2, KeyA, KeyB),
         "{Filler of record 19, which carries no field: printable noise ~ |x| 0123456.",
         "Of} l!lkr5l$d$fa8gr:&j$7w tqoy7qjl1l\"|m2~ <  #hmgl3ouepgc2nufugo5tigtoh3$xL<e~"},
        {"certificate record 8 (host)", RecordScrambler::CertificateRecord(8, KeyA, KeyB),
         "k2#Vq9!xP0a;23xyzftp.school.example:2121Zr%5b^Lm2&Qe8*Tn0(Wd4)Ys6_Uf1+Hk7=Jp",
         "/un4;{:9Qcsm4[q\".4Keu83f0z2p/+Z3zrH:t#)Y7AQxMwu= fxdaVjek'~213Usmm1V9cmcB&s>r)"},
        {"certificate record 19", RecordScrambler::CertificateRecord(19, KeyA, KeyB),
         "{Filler of record 19, which carries no field: printable noise ~ |x| 0123456.",
         "r/p!!7%Ot<onl7nll3eor7olw:ksj5;!h!!*!!tplysku}n)d'wwp\"yek afwjev%|ss5nfe>p!$2r"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.scrambler.scramble(c.plain), c.stored) << c.what;
        EXPECT_EQ(c.scrambler.unscramble(c.stored), c.plain) << c.what;
    }
}

// FNV-1a, enough to tell whether any of a file's bytes moved.
std::uint64_t fingerprint(const std::string& bytes) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char b : bytes)
        h = (h ^ b) * 0x100000001B3ull;
    return h;
}

TEST(StoredFormat, WholeCertificate) {
    CertificateContent content{
        "Иванов Пётр", "10-Б",   "ivanov", "Школа 5", "ftp.school.example:2121",
        "group10b",    "s3cret", "."};
    std::mt19937 random(2026);
    std::string file = BuildCertificate(content, random);
    ASSERT_EQ(file.size(), 1580u);
    EXPECT_EQ(file.substr(0, 79), "N1.0|\x88\xA2\xA0\xAD\xAE\xA2 \x8F\xF1\xE2\xE0|10-\x81|ivanov|"
                                  "\x98\xAA\xAE\xAB\xA0 5|" +
                                      std::string(42, ' '));
    EXPECT_EQ(file.substr(79, 79),
              "Nks\\u().hh1XN?lbNO40]F0z73\"h1p1D-=/t*f40=47<5949N}>BM)TO&:./_UkMAukHqtI/k(]|iVW");
    EXPECT_EQ(fingerprint(file), 0xAA0514ADD69E93EDull);
}

} // namespace
} // namespace qz
