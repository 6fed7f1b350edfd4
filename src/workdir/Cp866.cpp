#include "workdir/Cp866.h"

#include "text/Text.h"

namespace qz {
namespace {

constexpr unsigned Ansi = 1251;

// The letter ranges of the two tables: 1251 А..п / р..я / Ё / ё against
// CP866 А..п / р..я / Ё / ё.
unsigned char ansiToOem(unsigned char b) {
    if (b >= 0xC0 && b <= 0xEF)
        return static_cast<unsigned char>(b - 0x40);
    if (b >= 0xF0)
        return static_cast<unsigned char>(b - 0x10);
    if (b == 0xA8)
        return 0xF0;
    if (b == 0xB8)
        return 0xF1;
    return b;
}

unsigned char oemToAnsi(unsigned char b) {
    if (b >= 0x80 && b <= 0xAF)
        return static_cast<unsigned char>(b + 0x40);
    if (b >= 0xE0 && b <= 0xEF)
        return static_cast<unsigned char>(b + 0x10);
    if (b == 0xF0)
        return 0xA8;
    if (b == 0xF1)
        return 0xB8;
    return b;
}

// A byte that ansiToOem keeps but oemToAnsi would turn into a letter.
bool readsAsOemLetter(unsigned char b) {
    return b >= 0x80 && b <= 0xAF && b != 0xA8;
}

} // namespace

std::string CharToCp866(std::string_view text) {
    std::string out = text::encode(text, Ansi, '?');
    for (char& c : out) {
        auto b = static_cast<unsigned char>(c);
        c = readsAsOemLetter(b) ? '?' : static_cast<char>(ansiToOem(b));
    }
    return out;
}

std::string Cp866ToChar(std::string_view bytes) {
    std::string ansi(bytes);
    for (char& c : ansi)
        c = static_cast<char>(oemToAnsi(static_cast<unsigned char>(c)));
    return text::decode(ansi, Ansi);
}

} // namespace qz
