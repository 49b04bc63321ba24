#pragma once
// Painting shapes onto a canvas: filled with a surface, lit as a bevel from
// the shape's edge (light from the top left, as everywhere in the game),
// with drop shadows, glows and inner shadows.
#include <algorithm>
#include <cmath>

#include "tools/common/art/Raster.h"
#include "tools/common/art/Shapes.h"

namespace Tools::Art {

struct Bevel {
    float width = 3.0f;      // units over which the edge rises
    float strength = 1.0f;   // light and shade; negative: recessed
    float specular = 0.35f;  // highlight added on the lit slope
    float shininess = 18.0f;
};

// The light a bevel gives at one pixel: multiply the colour by shade, then
// add highlight (in colour units).
struct Lighting {
    float shade = 1.0f;
    float highlight = 0.0f;
};
Lighting BevelLight(const Grid& distance, int x, int y, const Bevel& bevel);

// Fills the shape with surface(ux, uy) (a straight colour), lit by the bevel.
template <class Surface>
void PaintShape(Canvas& canvas, const Grid& distance, Surface surface, const Bevel& bevel, float opacity = 1.0f) {
    const int y0 = std::max(0, -distance.originY);
    const int y1 = std::min(distance.height, canvas.height - distance.originY);
    const int x0 = std::max(0, -distance.originX);
    const int x1 = std::min(distance.width, canvas.width - distance.originX);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const float coverage = Clamp01(0.5f - distance.At(x, y) * distance.scale);
            if (coverage <= 0.0f) {
                continue;
            }
            Color c = surface(distance.UnitX(x), distance.UnitY(y));
            if (bevel.width > 0.0f && bevel.strength != 0.0f) {
                const Lighting light = BevelLight(distance, x, y, bevel);
                c = {c.r * light.shade + light.highlight, c.g * light.shade + light.highlight,
                     c.b * light.shade + light.highlight, c.a};
            }
            canvas.Blend(x + distance.originX, y + distance.originY, c, coverage * opacity);
        }
    }
}

// Blends colour over the canvas with each grid pixel's value as coverage.
void PaintAmount(Canvas& canvas, const Grid& amount, const Color& color, float opacity);

// A flat fill, no bevel.
void PaintFlat(Canvas& canvas, const Grid& distance, const Color& color, float opacity = 1.0f);
// A soft shadow of the shape, offset by (dx, dy) units and blurred.
void PaintShadow(Canvas& canvas, const Grid& distance, float dx, float dy, float blur, float opacity,
                 const Color& color = Hex(0x000000));
// A soft halo around the shape, grown by spread units and blurred.
void PaintGlow(Canvas& canvas, const Grid& distance, const Color& color, float spread, float blur,
               float opacity);
// Darkening inside the shape along its edge on the side the light comes
// from, as in a hollow: the shape's coverage minus itself moved by (dx, dy).
void PaintInnerShadow(Canvas& canvas, const Grid& distance, float dx, float dy, float blur, float opacity);

// A vertical gradient through colours spaced evenly from y0 (first) to y1.
Color Gradient(float y, float y0, float y1, const Color* colors, int count);

} // namespace Tools::Art
