// Tables behind CodePage.cpp; 0 marks a byte the code page does not define.
#pragma once

namespace qz::codepage_tables {
extern const char16_t cp437[128];
extern const char16_t cp850[128];
extern const char16_t cp866[128];
extern const char16_t cp1250[128];
extern const char16_t cp1251[128];
extern const char16_t cp1252[128];
} // namespace qz::codepage_tables
