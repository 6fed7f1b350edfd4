// Text of the record files: Cyrillic letters in CP866, every other character
// as the Windows-1251 byte the runtime's ANSI strings give it.
#pragma once

#include <string>
#include <string_view>

namespace qz {

// UTF-8 to record bytes. The 66 Cyrillic letters (Ё and ё included) take
// their CP866 bytes, ASCII stays, other Windows-1251 characters keep their
// 1251 byte. A character that cannot come back unchanged is stored as "?":
// one that Windows-1251 lacks, or one whose 1251 byte reads as a CP866
// letter (0x80-0xAF: "«" would come back as "Л").
std::string CharToCp866(std::string_view text);

// Record bytes to UTF-8: CP866 letters become letters, every other byte is
// read as Windows-1251.
std::string Cp866ToChar(std::string_view bytes);

} // namespace qz
