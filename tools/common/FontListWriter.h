#pragma once
// The font list read at start-up ("data\ui\fonts\<language>.ini"): the number
// of fonts, the console's font id, then one line per font, whose position is
// its id.
#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

struct FontListEntry {
    std::string fontFile;        // below "data\"
    std::string diffuseTexture;
    std::string opacityTexture;  // "32bit": the diffuse picture's own alpha
    float size = 16;             // text height in interface units
    float missingAdvance = 0.3f; // advance of a character without glyph, in sizes
    float spacing = 1;           // factor on every advance
    bool lowerCaseAliases = false;
    bool fixedWidth = false;
};

// The reader splits at every single blank or line end and takes "//" as a
// comment: the tokens are written with exactly one separator between them.
// Throws std::invalid_argument for a name that is empty or holds white space
// or "//", which the reader could not give back.
std::string BuildFontList(int32_t consoleFont, const std::vector<FontListEntry>& fonts);

} // namespace Tools
