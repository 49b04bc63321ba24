#pragma once
// Bitmap fonts for the interface: rasterised glyphs are laid out in a
// texture and described by a "ZVFNT" file (version 201) that gives, per
// character, its rectangle in the texture and its pen advance.
//
// The text drawer makes each glyph a quad of (advance × size) by size, its
// lower edge at texture v and its upper edge at v + dv, v running upwards.
// So every glyph gets a cell of its full advance by the full line height
// (ascent + descent), the baseline at the same height in every cell, and the
// advance stored is the cell's width over its height.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/Image.h"

namespace Tools {

// One rendered character, as a rasteriser gives it.
struct GlyphBitmap {
    char16_t code = 0;
    int32_t advance = 0;  // pen advance, whole pixels
    int32_t left = 0;     // from the pen to the bitmap's first column
    int32_t top = 0;      // from the baseline up to the top of the bitmap
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> coverage;  // width × height, top row first, 0 to 255
};

struct RasterFont {
    int32_t ascent = 0;   // pixels above the baseline
    int32_t descent = 0;  // pixels below it
    std::vector<GlyphBitmap> glyphs;
};

// A glyph record of the font file.
struct FontGlyph {
    char16_t code = 0;
    float u = 0;
    float v = 0;
    float du = 0;
    float dv = 0;
    float advance = 0;  // in units of the text height
};

struct FontAtlas {
    // 32 bits, white everywhere, the glyphs' coverage in alpha.
    ZorvaneEngine::Image texture;
    // Ordered by code, each code once.
    std::vector<FontGlyph> glyphs;
};

// Lays the glyphs out in rows on the smallest power-of-two texture that is
// at least as wide as high, one transparent pixel between cells so that
// filtering never bleeds a neighbour in. Ink outside a cell is moved in when
// the glyph fits and cut off otherwise. A code given twice keeps its first
// glyph. Throws std::invalid_argument when the line height is not positive
// or the glyphs do not fit in 4096 × 4096 pixels.
FontAtlas BuildFontAtlas(const RasterFont& font);

// The whole "ZVFNT" file: the engine header, the glyph count, the records.
std::vector<uint8_t> BuildFontFile(const std::vector<FontGlyph>& glyphs);

} // namespace Tools
