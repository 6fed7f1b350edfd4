#include "workdir/RecordScrambler.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace qz {
namespace {

// Plain records as the files hold them: mostly printable, with CP866
// letters and the odd control byte.
std::string randomPlain(std::mt19937& random, std::size_t size) {
    std::uniform_int_distribution<int> kind(0, 9), printable(0x20, 0x7E), any(0, 255);
    std::string s(size, ' ');
    for (char& c : s)
        c = static_cast<char>(kind(random) < 7 ? printable(random) : any(random));
    return s;
}

std::uint32_t randomKey(std::mt19937& random) {
    return static_cast<std::uint32_t>(random());
}

TEST(RecordScrambler, RoundTripsEveryLengthAndKind) {
    std::mt19937 random(1);
    int trips = 0;
    for (int kind = 1; kind <= 40; ++kind)
        for (std::size_t size = RecordScrambler::MinPlainSize;
             size <= RecordScrambler::MaxPlainSize; ++size)
            for (int n = 0; n < 8; ++n, ++trips) {
                RecordScrambler s(kind, randomKey(random), randomKey(random));
                std::string plain = randomPlain(random, size);
                std::string stored = s.scramble(plain);
                ASSERT_EQ(stored.size(), size + 2);
                ASSERT_NE(stored.substr(0, size), plain);
                auto back = s.unscramble(stored);
                ASSERT_TRUE(back) << "kind " << kind << " size " << size;
                ASSERT_EQ(*back, plain);
            }
    EXPECT_EQ(trips, 40 * 45 * 8);
}

TEST(RecordScrambler, KeepsPrintableRecordsPrintable) {
    std::mt19937 random(2);
    std::uniform_int_distribution<int> printable(0x20, 0x7E);
    std::string plain(76, ' ');
    for (char& c : plain)
        c = static_cast<char>(printable(random));
    for (char c : RecordScrambler::Fixed().scramble(plain))
        EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << int(c);
}

TEST(RecordScrambler, LengthsOutsideTheFormat) {
    RecordScrambler s = RecordScrambler::Fixed();
    for (std::size_t size : {0u, 1u, 33u, 79u, 200u})
        EXPECT_FALSE(s.unscramble(std::string(size, 'a'))) << size;
    EXPECT_THROW(s.scramble(std::string(31, 'a')), std::invalid_argument);
    EXPECT_THROW(s.scramble(std::string(77, 'a')), std::invalid_argument);
}

// The counts below are printed for the record of what the check achieves.
TEST(RecordScrambler, RejectsEverySingleByteChange) {
    std::mt19937 random(3);
    long tried = 0, accepted = 0;
    for (int n = 0; n < 12; ++n) {
        RecordScrambler s(1 + n, randomKey(random), randomKey(random));
        std::string stored = s.scramble(randomPlain(random, 32 + n * 4));
        for (std::size_t i = 0; i < stored.size(); ++i)
            for (int v = 0; v < 256; ++v) {
                if (static_cast<char>(v) == stored[i])
                    continue;
                std::string changed = stored;
                changed[i] = static_cast<char>(v);
                ++tried;
                accepted += s.unscramble(changed).has_value();
            }
    }
    std::cout << "single-byte changes: " << tried << " tried, " << accepted << " accepted\n";
    EXPECT_EQ(accepted, 0);
}

TEST(RecordScrambler, RejectsSwappedBytes) {
    std::mt19937 random(4);
    long tried = 0, accepted = 0;
    for (int n = 0; n < 60; ++n) {
        RecordScrambler s(1 + n % 20, randomKey(random), randomKey(random));
        std::string stored = s.scramble(randomPlain(random, 76));
        for (std::size_t i = 0; i < stored.size(); ++i)
            for (std::size_t j = i + 1; j < stored.size(); ++j) {
                if (stored[i] == stored[j])
                    continue; // not a change
                std::string swapped = stored;
                std::swap(swapped[i], swapped[j]);
                ++tried;
                accepted += s.unscramble(swapped).has_value();
            }
    }
    std::cout << "swaps of two stored bytes: " << tried << " tried, " << accepted << " accepted\n";
    // Most swaps are caught for certain; the rest pass with about 1 in 9025.
    EXPECT_LT(accepted * 9025, tried);
}

TEST(RecordScrambler, RejectsOtherKindsAndKeys) {
    std::mt19937 random(5);
    std::uint32_t a = randomKey(random), b = randomKey(random);
    long tried = 0, accepted = 0;
    for (int n = 0; n < 400; ++n) {
        std::string plain = randomPlain(random, 76);
        for (int kind = 1; kind <= 20; ++kind) {
            std::string stored = RecordScrambler(kind, a, b).scramble(plain);
            for (int other = 1; other <= 20; ++other) {
                if (other == kind)
                    continue;
                ++tried;
                accepted += RecordScrambler(other, a, b).unscramble(stored).has_value();
            }
            ++tried;
            accepted += RecordScrambler(kind, a + 1, b).unscramble(stored).has_value();
        }
    }
    std::cout << "other kind or keys: " << tried << " tried, " << accepted << " accepted\n";
    EXPECT_LT(accepted * 9025, tried * 3); // expected near tried / 9025
}

TEST(RecordScrambler, CertificateRecordsDependOnBothKeyNumbers) {
    std::string plain(76, 'x');
    std::string stored = RecordScrambler::CertificateRecord(5, 111, 222).scramble(plain);
    EXPECT_TRUE(RecordScrambler::CertificateRecord(5, 111, 222).unscramble(stored));
    EXPECT_NE(RecordScrambler::CertificateRecord(5, 112, 222).scramble(plain), stored);
    EXPECT_NE(RecordScrambler::CertificateRecord(5, 111, 223).scramble(plain), stored);
    EXPECT_NE(RecordScrambler::CertificateRecord(6, 111, 222).scramble(plain), stored);
}

} // namespace
} // namespace qz
