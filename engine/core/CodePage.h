#pragma once
// Narrow text is bytes in a Windows code page. The C library's locales are
// never used for it: these tables decide what a byte means, how it folds and
// whether it is white space. Until a language is chosen the active page maps
// bytes 0-255 to U+0000-U+00FF one to one.
#include <cstdint>

namespace ZorvaneEngine {

enum class CodePageId { Identity = 0, Windows1250 = 1250, Windows1251 = 1251, Windows1252 = 1252 };

void SetActiveCodePage(CodePageId page);
CodePageId GetActiveCodePage();

// mbtowc for one byte of the active page.
char16_t CodePageToWide(uint8_t byte);
// wctomb for one UTF-16 unit; false when the page cannot represent it.
bool CodePageFromWide(char16_t unit, uint8_t& byte);

// tolower, toupper and isspace of the active page.
uint8_t CodePageToLower(uint8_t byte);
uint8_t CodePageToUpper(uint8_t byte);
bool CodePageIsSpace(uint8_t byte);
// iswspace for UTF-16 units.
bool IsWideSpace(char16_t unit);

} // namespace ZorvaneEngine
