#pragma once
// Coloured fonts: glyphs in a fill colour over a dark halo (a drop shadow or
// an outline), so that light text reads on light and dark grounds alike.
#include <array>
#include <cstdint>
#include <string>

#include "tools/common/FontWriter.h"

namespace FontBuild {

enum class Halo { None, Shadow, Outline };

struct FontStyle {
    std::array<uint8_t, 3> fill{255, 255, 255};
    Halo halo = Halo::None;
    std::array<uint8_t, 3> haloColour{0x2A, 0x1A, 0x0A};
    float haloOpacity = 0.6f;
};

// Widens every glyph by the halo (a shadow one pixel right and down, an
// outline one pixel all round) and grows advances and line height to match;
// the halo's coverage goes into halo, glyph by glyph, padded like the glyphs.
void AddHalo(Tools::RasterFont& font, Halo halo, Tools::RasterFont& haloFont);

// The atlas of the styled font: the glyph cells of the plain atlas with the
// fill colour over the halo. haloFont must come from AddHalo on font.
Tools::FontAtlas BuildStyledAtlas(const Tools::RasterFont& font, const Tools::RasterFont& haloFont,
                                  const FontStyle& style);

// "RRGGBB" in hexadecimal; false for anything else.
bool ParseColour(const std::string& text, std::array<uint8_t, 3>& colour);

} // namespace FontBuild
