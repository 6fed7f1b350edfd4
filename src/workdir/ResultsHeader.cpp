#include "workdir/ResultsHeader.h"

#include "text/Text.h"

namespace qz {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal value of a run of digits; -1 for no digits or a value too large
// for any header number or version (more than nine significant digits).
long digitValue(std::string_view digits) {
    std::size_t first = digits.find_first_not_of('0');
    if (digits.empty() || (first != std::string_view::npos && digits.size() - first > 9))
        return -1;
    long value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

} // namespace

ResultsHeader ParseResultsHeader(std::string_view text) {
    std::string trimmed = text::trim(text);
    ResultsHeader header;
    std::size_t bar = trimmed.rfind('|');
    if (bar == std::string::npos) {
        header.name = trimmed;
        return header;
    }
    header.name = trimmed.substr(0, bar);
    std::string_view rest = std::string_view(trimmed).substr(bar + 1);
    std::size_t digits = 0;
    while (digits < rest.size() && isDigit(rest[digits]))
        ++digits;
    long number = digitValue(rest.substr(0, digits));
    if (number >= 4 && number <= 40 && number % 2 == 0)
        header.number = static_cast<int>(number);
    header.key = text::upperAscii(rest.substr(digits));
    return header;
}

EnvironmentKeyParts SplitEnvironmentKey(std::string_view key) {
    std::size_t start = key.size();
    while (start > 0 && isDigit(key[start - 1]))
        --start;
    EnvironmentKeyParts parts;
    parts.code = std::string(key.substr(0, start));
    long version = digitValue(key.substr(start));
    if (version >= 1)
        parts.version = static_cast<int>(version);
    return parts;
}

} // namespace qz
