#include "workdir/RecordScrambler.h"

#include <array>
#include <stdexcept>

namespace qz {
namespace {

constexpr unsigned char FirstPrintable = 0x20;
constexpr unsigned PrintableCount = 95; // ' '..'~'
constexpr std::uint32_t CheckModulus = PrintableCount * PrintableCount;
constexpr int MaxRounds = 28;

// The fixed key numbers of kind 2, shared with the runtime that reads results files.
constexpr std::uint32_t FixedKey1 = 0xF6638600;
constexpr std::uint32_t FixedKey2 = 0xC3C1CDE7;

// Two 32-bit numbers to one, every input bit reaching every output bit.
std::uint32_t mix(std::uint32_t x, std::uint32_t y) {
    std::uint64_t h = (std::uint64_t{x} << 32 | y) ^ 0x80FBF83AC16D2D6Dull;
    h ^= h >> 31;
    h *= 0x5B6CA38F76C456A7ull;
    h ^= h >> 29;
    h *= 0x5FC1CA42F7A64697ull;
    h ^= h >> 32;
    return static_cast<std::uint32_t>(h);
}

bool printable(unsigned char c) {
    return c >= FirstPrintable && c < FirstPrintable + PrintableCount;
}

char shifted(unsigned char c, unsigned by) {
    return static_cast<char>(FirstPrintable + (c - FirstPrintable + by) % PrintableCount);
}

// Where the rounds take each character from: after them, position j holds
// the character that stood at order[j]. One round puts the last character
// first, then the first, the last but one, the second...
using FoldOrder = std::array<std::uint8_t, RecordScrambler::MaxPlainSize + 2>;

FoldOrder foldOrder(std::size_t m, int rounds) {
    FoldOrder order{}, next{};
    for (std::size_t j = 0; j < m; ++j)
        order[j] = static_cast<std::uint8_t>(j);
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t j = 0; j < m; ++j)
            next[j] = order[j % 2 == 0 ? m - 1 - j / 2 : j / 2];
        order = next;
    }
    return order;
}

} // namespace

RecordScrambler::RecordScrambler(int kind, std::uint32_t key1, std::uint32_t key2) {
    auto k = static_cast<std::uint32_t>(kind);
    std::uint32_t seed = mix(mix(k, key1), key2);

    std::uint64_t keyString = (std::uint64_t{mix(seed, 1)} << 32 | mix(seed, 2)) % 10000000000ull;
    for (int i = 9; i >= 0; --i, keyString /= 10)
        shifts_[i] = static_cast<char>(keyString % 10);

    weight_ = mix(seed, 3) % CheckModulus;
    while (weight_ % 5 == 0 || weight_ % 19 == 0) // 95^2 = 5^2 * 19^2
        weight_ = (weight_ + 1) % CheckModulus;
    offset_ = mix(seed, 4) % CheckModulus;

    // Positions below MinPlainSize fit every record length.
    firstCheck_ = k * 7 % (MinPlainSize + 1);
    secondCheck_ = (k * 13 + 5) % (MinPlainSize + 2);
    rounds_ = 1 + static_cast<int>((k * 11 + 3) % MaxRounds);
}

RecordScrambler RecordScrambler::Fixed() {
    return RecordScrambler(2, FixedKey1, FixedKey2);
}

RecordScrambler RecordScrambler::CertificateRecord(int record, std::uint32_t a, std::uint32_t b) {
    auto r = static_cast<std::uint32_t>(record);
    return RecordScrambler(record + 1, mix(a, r), mix(b, r ^ 0xA5A5u));
}

std::uint32_t RecordScrambler::checkValue(std::string_view plain) const {
    std::uint64_t v = offset_;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        std::uint64_t w = weight_ * (i + 1) % CheckModulus;
        v = (v + w * static_cast<unsigned char>(plain[i])) % CheckModulus;
    }
    return static_cast<std::uint32_t>(v);
}

std::string RecordScrambler::scramble(std::string_view plain) const {
    if (plain.size() < MinPlainSize || plain.size() > MaxPlainSize)
        throw std::invalid_argument("scrambled records hold 32 to 76 characters");
    std::uint32_t v = checkValue(plain);
    std::string s(plain);
    s.insert(firstCheck_, 1, static_cast<char>(FirstPrintable + v / PrintableCount));
    s.insert(secondCheck_, 1, static_cast<char>(FirstPrintable + v % PrintableCount));
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (printable(c))
            s[i] = shifted(c, static_cast<unsigned>(shifts_[i % 10]));
    }
    FoldOrder order = foldOrder(s.size(), rounds_);
    std::string folded(s.size(), '\0');
    for (std::size_t j = 0; j < s.size(); ++j)
        folded[j] = s[order[j]];
    return folded;
}

std::optional<std::string> RecordScrambler::unscramble(std::string_view stored) const {
    if (stored.size() < MinPlainSize + 2 || stored.size() > MaxPlainSize + 2)
        return std::nullopt;
    FoldOrder order = foldOrder(stored.size(), rounds_);
    std::string s(stored.size(), '\0');
    for (std::size_t j = 0; j < stored.size(); ++j)
        s[order[j]] = stored[j];
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (printable(c))
            s[i] = shifted(c, PrintableCount - static_cast<unsigned>(shifts_[i % 10]));
    }
    auto second = static_cast<unsigned char>(s[secondCheck_]);
    s.erase(secondCheck_, 1);
    auto first = static_cast<unsigned char>(s[firstCheck_]);
    s.erase(firstCheck_, 1);
    if (!printable(first) || !printable(second))
        return std::nullopt;
    std::uint32_t v = (first - FirstPrintable) * PrintableCount + (second - FirstPrintable);
    if (v != checkValue(s))
        return std::nullopt;
    return s;
}

} // namespace qz
