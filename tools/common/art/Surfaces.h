#pragma once
// The game's materials as colour functions of a point in units: the palette
// of the art direction (wood, parchment, gold, leaf green, sky) with grain,
// fibres and noise, all seeded.
#include <cstdint>

#include "tools/common/art/Raster.h"

namespace Tools::Art {

namespace Palette {
inline const Color WoodDark = Hex(0x5A3A1E);
inline const Color WoodMid = Hex(0x8B5A2B);
inline const Color WoodLight = Hex(0xC68E4E);
inline const Color WoodHighlight = Hex(0xE8B878);
inline const Color ParchmentBase = Hex(0xF2E3C2);
inline const Color ParchmentShade = Hex(0xD9C096);
inline const Color Ink = Hex(0x4A3320);
inline const Color GoldLight = Hex(0xFFD86B);
inline const Color GoldDeep = Hex(0xE0A030);
inline const Color GoldOutline = Hex(0x6B4510);
inline const Color Leaf = Hex(0x5FA83A);
inline const Color LeafDark = Hex(0x2F6B22);
inline const Color LeafLight = Hex(0xA8DA6E);
inline const Color SkyTop = Hex(0x6FB7E8);
inline const Color SkyMiddle = Hex(0xBFE3F5);
inline const Color SkyHorizon = Hex(0xFCE9B8);
inline const Color Berry = Hex(0xC8413B);
inline const Color Water = Hex(0x3F8FD0);
inline const Color Violet = Hex(0x8A5BC8);
inline const Color Cream = Hex(0xFFF4D6);
inline const Color Shadow = Hex(0x2A1A0A);
// The dark stained wood of the window panels, on which light text reads.
inline const Color PanelDark = Hex(0x3B2614);
inline const Color PanelMid = Hex(0x4E331B);
} // namespace Palette

struct WoodStyle {
    Color dark = Palette::WoodDark;
    Color mid = Palette::WoodMid;
    Color light = Palette::WoodLight;
    float grain = 1.0f;        // ring density
    float angle = 0.0f;        // grain direction, radians from the x axis
    uint32_t seed = 1;
};

// Planks with the grain along the style's direction.
Color Wood(float x, float y, const WoodStyle& style);
// Fractal parchment with faint fibres; no vignette (that depends on the shape).
Color Parchment(float x, float y, uint32_t seed);
// The title gold from its light top (t = 1) to its deep bottom (t = 0), with
// a bright band a little above the middle as on polished metal.
Color Gold(float t);

} // namespace Tools::Art
