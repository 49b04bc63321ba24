#pragma once
// Signs, logos and lettering: the title board and its golden letters, the
// plate on which window titles are typed, the maker's and publisher's
// badges, the screen border, light flashes and sparkle sprites.
#include <cstdint>
#include <string>

#include "tools/common/art/Lettering.h"
#include "tools/common/art/Raster.h"

namespace Tools::Art {

// The wooden sign behind the title, scrolled at both ends.
Canvas DrawTitleBoard(float w, float h, float scale);
// The dark plate for the typed titles, and the bracket that holds it.
Canvas DrawPlate(float w, float h, float scale);
Canvas DrawPlateMount(float w, float h, float plateInset, float scale);
// A soft horizontal burst of light.
Canvas DrawFlash(float w, float h, float scale);
// The border around the screen: a vignette and a thin carved frame with
// gold corners, for an 800 × 600 screen.
Canvas DrawScreenBorder(float w, float h, float scale);
// The maker's badge: an emblem and its name.
Canvas DrawMakerLogo(float w, float h, const std::u32string& name, const Typeface& face, float scale);
// The publisher's badge: a round wax seal with a leaf, and its name.
Canvas DrawSeal(float w, float h, const std::u32string& name, const Typeface& face, float scale);

// One golden letter of the title, three-dimensional: extrusion down-right,
// dark outline, gradient face with a highlight, soft glow. The canvas holds
// the letter's ink box widened by margin units; ink gives that box in the
// canvas' units (baseline at y = -ink.y0 + margin).
struct GoldLetter {
    Canvas canvas;
    InkBox ink;       // the glyph's ink relative to its pen position
    float margin = 0;
};
GoldLetter DrawGoldLetter(const Typeface& face, char32_t letter, float size, float scale);

// Soft round sprite (Gaussian), four-point star, and a ring of light, all
// white with alpha, for particle systems and flashes.
Canvas DrawSoftSprite(int pixels);
Canvas DrawStarSprite(int pixels);
Canvas DrawPetalSprite(int pixels);

} // namespace Tools::Art
