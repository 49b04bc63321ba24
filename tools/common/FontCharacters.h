#pragma once
// Which characters a font is built with.
#include <string>
#include <vector>

namespace Tools {

// Every printable character of Windows code page 1252, which writes the
// german, english, french, italian and spanish texts: U+0020 to U+007E,
// U+00A0 to U+00FF and the page's 27 characters beyond Latin-1 (€, the
// typographic quotes, dashes, ellipsis, Œ, Š, Ž, Ÿ ...). Ascending.
std::vector<char16_t> DefaultFontCharacters();

// A list such as "20-7E,A0-FF,U+20AC": code points in hexadecimal, with an
// optional "U+", and ranges of them, separated by commas. Only code points up
// to U+FFFF can be drawn. The result is ascending, each code once; false
// with error set for a malformed list.
bool ParseCodePointList(const std::string& text, std::vector<char16_t>& codes, std::string& error);

} // namespace Tools
