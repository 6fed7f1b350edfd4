// The header record of a results file: "name|number KEY", and the split of
// an environment key into code and version.
#pragma once

#include <string>
#include <string_view>

namespace qz {

// New files carry 10; the runtime gives the number its meaning, this tool keeps it.
constexpr int DefaultHeaderNumber = 10;

struct ResultsHeader {
    std::string name;
    int number = DefaultHeaderNumber;
    std::string key; // upper case, empty when the header names no environment
};

// Reads header text (already converted from CP866). Without "|" the whole
// trimmed text is the name. Otherwise the name runs to the last "|", the
// leading digits after it form the number (10 unless even and 4-40) and the
// rest, upper-cased, is the key.
ResultsHeader ParseResultsHeader(std::string_view text);

struct EnvironmentKeyParts {
    std::string code;
    int version = 1;
};

// "VCNET10" -> "VCNET", 10. The trailing digits are the version, 1 when
// there are none or they do not read as a number of at least 1.
EnvironmentKeyParts SplitEnvironmentKey(std::string_view key);

} // namespace qz
