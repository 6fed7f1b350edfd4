#include "unzip/WildcardMatch.h"

#include "text/Text.h"

#include <string>

namespace qz {
namespace {

// Whether c is in the set that starts after "<" at pattern[at]; moves at
// behind the closing ">". An unterminated set is no set: false, at unchanged.
bool MatchSet(const std::u16string& pattern, std::size_t& at, char16_t c, bool& isSet) {
    std::size_t close = pattern.find(u'>', at);
    isSet = close != std::u16string::npos;
    if (!isSet)
        return false;
    std::size_t i = at;
    bool negate = i < close && (pattern[i] == u'^' || pattern[i] == u'!');
    if (negate)
        ++i;
    bool empty = i == close;
    bool found = false;
    for (; i < close; ++i) {
        if (i + 2 < close && pattern[i + 1] == u'-') {
            found = found || (pattern[i] <= c && c <= pattern[i + 2]);
            i += 2;
        } else {
            found = found || pattern[i] == c;
        }
    }
    at = close + 1;
    return !empty && found != negate;
}

} // namespace

bool WildcardMatch(std::string_view nameUtf8, std::string_view patternUtf8) {
    if (patternUtf8 == "*")
        return true;
    std::u16string name = text::toUtf16(nameUtf8);
    std::u16string pattern = text::toUtf16(patternUtf8);
    std::size_t n = 0, p = 0;
    // Where to resume after the last "*": its pattern position and the name
    // position it has swallowed up to.
    std::size_t starP = std::u16string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = ++p;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            std::size_t next = p + 1;
            bool matched = false;
            if (pattern[p] == u'?') {
                matched = true;
            } else if (pattern[p] == u'<') {
                bool isSet;
                next = p + 1;
                matched = MatchSet(pattern, next, name[n], isSet);
                if (!isSet) {
                    matched = name[n] == u'<';
                    next = p + 1;
                }
            } else {
                matched = pattern[p] == name[n];
            }
            if (matched) {
                p = next;
                ++n;
                continue;
            }
        }
        if (starP == std::u16string::npos)
            return false;
        p = starP;
        n = ++starN;
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns) {
    std::string lowerName = text::lower(name);
    for (const std::string& pattern : patterns)
        if (WildcardMatch(lowerName, text::lower(pattern)))
            return true;
    return false;
}

} // namespace qz
