// Scrambling of the protected records (the results file's identification
// record, certificate records 1-19). A plain record of 32 to 76 CP866 bytes
// becomes a stored record two bytes longer:
//   1. two check characters, from a keyed position-weighted byte sum, are
//      inserted at positions that depend on the record kind;
//   2. every printable character (' '..'~') is shifted within that range by
//      the digits of a ten-digit key string, taken cyclically;
//   3. the whole is permuted by 1 to 28 folding rounds, each taking
//      characters alternately from the end and the start.
// Unscrambling undoes the three steps and accepts the record only when both
// check characters match the text that remains.
//
// What the check catches: the checked value V = K + sum(w_i * b_i) mod 95^2
// has weights w_i = a * i with a prime to 95. A change of one stored byte
// changes one plain byte by d (|d| < 256) or one check character, and
// i * d is never a multiple of 95^2 for i <= 76, so it is always rejected;
// so is a swap of two plain bytes ((i - j) * d likewise). A swap of two
// stored bytes that the shift wraps differently, and a record scrambled
// with another kind or other keys, pass with a probability near
// 1 / 95^2 = 1 / 9025 (about 1.1e-4).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

class RecordScrambler {
public:
    static constexpr std::size_t MinPlainSize = 32;
    static constexpr std::size_t MaxPlainSize = 76;

    RecordScrambler(int kind, std::uint32_t key1, std::uint32_t key2);

    // Kind 2 with the fixed key numbers: the results file's identification
    // record and certificate records 1 and 17.
    static RecordScrambler Fixed();
    // Certificate record r (2..19 except 17): kind r + 1 with keys derived
    // from the numbers A and B that records 1 and 17 carry.
    static RecordScrambler CertificateRecord(int record, std::uint32_t a, std::uint32_t b);

    // CP866 bytes in, stored bytes out. Throws std::invalid_argument for a
    // plain record outside 32..76 bytes: callers build fixed-size records.
    std::string scramble(std::string_view plain) const;
    // Stored bytes in, CP866 bytes out; nothing when the length is outside
    // 34..78 or a check character does not match.
    std::optional<std::string> unscramble(std::string_view stored) const;

private:
    char shifts_[10];         // the key string's digits as numbers
    std::uint32_t weight_;    // a: prime to 95
    std::uint32_t offset_;    // K
    std::size_t firstCheck_;  // where the first check character goes in the plain text
    std::size_t secondCheck_; // where the second goes after the first is in
    int rounds_;

    std::uint32_t checkValue(std::string_view plain) const;
};

} // namespace qz
