#include "workdir/ResultsHeader.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(ResultsHeader, Parsing) {
    struct Case {
        const char* text;
        const char* name;
        int number;
        const char* key;
    } cases[] = {
        {"Ivanov Petr|10VCNET10", "Ivanov Petr", 10, "VCNET10"},
        {"  Ivanov Petr  ", "Ivanov Petr", 10, ""},
        {"Ivanov|4pabc3", "Ivanov", 4, "PABC3"},
        {"Ivanov|40pabc", "Ivanov", 40, "PABC"},
        {"Ivanov|7pabc", "Ivanov", 10, "PABC"},  // odd
        {"Ivanov|42pabc", "Ivanov", 10, "PABC"}, // above 40
        {"Ivanov|2pabc", "Ivanov", 10, "PABC"},  // below 4
        {"Ivanov|pabc", "Ivanov", 10, "PABC"},   // no number
        {"Ivanov|", "Ivanov", 10, ""},
        {"A|B|12dev5", "A|B", 12, "DEV5"}, // the last bar ends the name
        {"Ivanov |0000000000000000012x", "Ivanov ", 12, "X"},
        {"Ivanov|99999999999999999998x", "Ivanov", 10, "X"},
        {"|20", "", 20, ""},
        {"", "", 10, ""},
        {"Пётр|10python3", "Пётр", 10, "PYTHON3"},
    };
    for (const auto& c : cases) {
        ResultsHeader h = ParseResultsHeader(c.text);
        EXPECT_EQ(h.name, c.name) << c.text;
        EXPECT_EQ(h.number, c.number) << c.text;
        EXPECT_EQ(h.key, c.key) << c.text;
    }
}

TEST(ResultsHeader, EnvironmentKeySplit) {
    struct Case {
        const char* key;
        const char* code;
        int version;
    } cases[] = {
        {"VCNET10", "VCNET", 10}, {"PABC", "PABC", 1},      {"PY3", "PY", 3},
        {"X0", "X", 1},           {"X007", "X", 7},         {"", "", 1},
        {"2019", "", 2019},       {"A99999999999", "A", 1}, // too long to read: 1
        {"CPP2X5", "CPP2X", 5},
    };
    for (const auto& c : cases) {
        EnvironmentKeyParts p = SplitEnvironmentKey(c.key);
        EXPECT_EQ(p.code, c.code) << c.key;
        EXPECT_EQ(p.version, c.version) << c.key;
    }
}

} // namespace
} // namespace qz
