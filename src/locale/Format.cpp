#include "locale/Format.h"

#include <algorithm>
#include <charconv>

namespace qz {
namespace {

// A pattern read piece by piece: runs of plain text and placeholders, each
// with the characters it was written with.
class PatternReader {
public:
    explicit PatternReader(std::string_view pattern) : pattern_(pattern) {}

    struct Piece {
        std::string_view written;
        bool isPlaceholder = false;
        FormatPlaceholder placeholder{0, 's'};
    };

    bool atEnd() const { return pos_ >= pattern_.size(); }

    Piece next() {
        std::size_t start = pos_;
        if (pattern_[pos_] != '%') {
            pos_ = std::min(pattern_.find('%', pos_), pattern_.size());
            return {pattern_.substr(start, pos_ - start)};
        }
        ++pos_;
        if (pos_ < pattern_.size() && pattern_[pos_] == '%') {
            ++pos_;
            return {pattern_.substr(start + 1, 1)}; // "%%" is one percent sign
        }
        // "%<number>:" names the argument; anything else takes the next one.
        std::size_t argument = nextArgument_;
        const char* digits = pattern_.data() + pos_;
        const char* end = pattern_.data() + pattern_.size();
        auto [stop, error] = std::from_chars(digits, end, argument);
        if (stop != digits && error == std::errc() && stop != end && *stop == ':') {
            pos_ += static_cast<std::size_t>(stop - digits) + 1;
        } else {
            argument = nextArgument_;
        }
        char kind = pos_ < pattern_.size() ? pattern_[pos_] : '\0';
        if (kind == 'S' || kind == 'D')
            kind = static_cast<char>(kind - 'A' + 'a');
        if (kind != 's' && kind != 'd') {
            // Not a placeholder: the percent sign stands for itself.
            pos_ = start + 1;
            return {pattern_.substr(start, 1)};
        }
        ++pos_;
        // An indexed placeholder moves the plain ones on to the argument after it.
        nextArgument_ = argument + 1;
        return {pattern_.substr(start, pos_ - start), true, {argument, kind}};
    }

private:
    std::string_view pattern_;
    std::size_t pos_ = 0;
    std::size_t nextArgument_ = 0;
};

void appendArgument(std::string& out, const FormatArg& arg) {
    if (const auto* text = std::get_if<std::string>(&arg))
        out += *text;
    else
        out += std::to_string(std::get<long long>(arg));
}

} // namespace

std::string Format(std::string_view pattern, const std::vector<FormatArg>& args) {
    std::string out;
    out.reserve(pattern.size());
    PatternReader reader(pattern);
    while (!reader.atEnd()) {
        PatternReader::Piece piece = reader.next();
        if (piece.isPlaceholder && piece.placeholder.argument < args.size())
            appendArgument(out, args[piece.placeholder.argument]);
        else
            out += piece.written;
    }
    return out;
}

std::vector<FormatPlaceholder> FormatPlaceholders(std::string_view pattern) {
    std::vector<FormatPlaceholder> found;
    PatternReader reader(pattern);
    while (!reader.atEnd()) {
        PatternReader::Piece piece = reader.next();
        if (piece.isPlaceholder)
            found.push_back(piece.placeholder);
    }
    return found;
}

} // namespace qz
