#include "text/Text.h"

#include "text/CodePageTables.h"

#include <algorithm>

namespace qz::text {
namespace {

constexpr char32_t Replacement = 0xFFFD;

// Decodes one code point at s[i], advancing i; malformed input yields U+FFFD
// and skips one byte.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (extra < 0 || b0 > 0xF4 || i + extra >= s.size()) {
        ++i;
        return Replacement;
    }
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return Replacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return Replacement;
    }
    i += extra + 1;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

const char16_t* tableOf(unsigned codePage) {
    using namespace codepage_tables;
    switch (codePage) {
    case 437:
        return cp437;
    case 850:
        return cp850;
    case 866:
        return cp866;
    case 1250:
        return cp1250;
    case 1251:
        return cp1251;
    default:
        return cp1252;
    }
}

char32_t foldUpper(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return c - 32;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return c - 32;
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x450 && c <= 0x45F) // ё and the other letters of the 0x450 row
        return c - 80;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper ? (c % 2 == 0) : (c % 2 == 1))
            return c - 1;
    }
    return c;
}

char32_t foldLower(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c == 0x178)
        return 0xFF;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if (c >= 0x100 && c <= 0x17F && foldUpper(c + 1) == c && c + 1 <= 0x17F)
        return c + 1;
    return c;
}

template <typename Fold> std::string mapCase(std::string_view s, Fold fold) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();)
        appendUtf8(out, fold(nextCodePoint(s, i)));
    return out;
}

} // namespace

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = nextCodePoint(utf8, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string fromUtf16(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = Replacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

bool isKnownCodePage(unsigned codePage) {
    switch (codePage) {
    case 437:
    case 850:
    case 866:
    case 1250:
    case 1251:
    case 1252:
        return true;
    default:
        return false;
    }
}

std::string decode(std::string_view bytes, unsigned codePage) {
    const char16_t* table = tableOf(codePage);
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        char32_t cp = b < 0x80 ? b : table[b - 0x80];
        appendUtf8(out, cp == 0 && b != 0 ? Replacement : cp);
    }
    return out;
}

std::string encode(std::string_view utf8, unsigned codePage, char replacement) {
    const char16_t* table = tableOf(codePage);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = nextCodePoint(utf8, i);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        const char16_t* hit = cp == Replacement ? table + 128 : std::find(table, table + 128, cp);
        out += hit == table + 128 ? replacement : static_cast<char>(0x80 + (hit - table));
    }
    return out;
}

std::string upper(std::string_view utf8) {
    return mapCase(utf8, foldUpper);
}
std::string lower(std::string_view utf8) {
    return mapCase(utf8, foldLower);
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return out;
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return out;
}

int compareIgnoreCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = foldUpper(nextCodePoint(a, i));
        char32_t y = foldUpper(nextCodePoint(b, j));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return compareIgnoreCase(a, b) == 0;
}

std::string leftChars(std::string_view utf8, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < count && i < utf8.size(); ++n)
        nextCodePoint(utf8, i);
    return std::string(utf8.substr(0, i));
}

std::string trim(std::string_view s) {
    std::size_t begin = 0, end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ')
        --end;
    return std::string(s.substr(begin, end - begin));
}

} // namespace qz::text
