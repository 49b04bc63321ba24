#pragma once
// The drawing surface of the procedural art: a canvas of premultiplied RGBA
// floats and a grid of one float per pixel (a coverage, a height or a signed
// distance), both addressed bottom row first like the engine's pictures.
//
// Recipes work in units (GUI units for the interface art); a canvas has a
// scale in pixels per unit, so the same recipe draws at twice the size and
// the result is box-filtered down for smooth edges.
#include <cstdint>
#include <vector>

#include "engine/graphics/Image.h"

namespace Tools::Art {

// Straight (not premultiplied) colour, channels 0 to 1, sRGB values as given.
struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// 0xRRGGBB.
Color Hex(uint32_t rgb, float alpha = 1.0f);
Color Mix(const Color& x, const Color& y, float t);
// The colour channels times k, alpha kept.
Color Shade(const Color& c, float k);
Color WithAlpha(const Color& c, float alpha);
// Towards its grey by amount 0 to 1.
Color Desaturate(const Color& c, float amount);

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);
float Lerp(float a, float b, float t);

// A grid may cover only part of a canvas: its pixel (0, 0) lies on the
// canvas pixel (originX, originY), so small shapes cost only their area.
class Grid {
public:
    Grid() = default;
    Grid(int width, int height, float scale, float value = 0.0f);
    Grid(int originX, int originY, int width, int height, float scale, float value = 0.0f);

    float& At(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
    float At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    // The value at a pixel, clamped to the edge for pixels outside.
    float Clamped(int x, int y) const;
    // Bilinear at a point given in units.
    float Sample(float ux, float uy) const;
    // Unit coordinate of a pixel's centre.
    float UnitX(int x) const { return (static_cast<float>(x + originX) + 0.5f) / scale; }
    float UnitY(int y) const { return (static_cast<float>(y + originY) + 0.5f) / scale; }
    // A larger grid around this one, by margin pixels on every side, the new
    // pixels holding fill.
    Grid Expanded(int margin, float fill) const;
    bool SameArea(const Grid& other) const;

    int originX = 0;
    int originY = 0;
    int width = 0;
    int height = 0;
    float scale = 1.0f;  // pixels per unit
    std::vector<float> values;
};

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, float scale);

    // Premultiplied.
    Color& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Color& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    float UnitX(int x) const { return (static_cast<float>(x) + 0.5f) / scale; }
    float UnitY(int y) const { return (static_cast<float>(y) + 0.5f) / scale; }

    // Lays a straight colour over the pixel with the given coverage.
    void Blend(int x, int y, const Color& color, float coverage);
    // Lays top (same size) over this canvas.
    void Over(const Canvas& top);
    // Lays top over this canvas with its lower-left pixel at (dx, dy).
    void OverAt(const Canvas& top, int dx, int dy);
    // Multiplies every pixel, alpha included, by the grid's value.
    void MaskBy(const Grid& mask);
    // Every pixel's alpha times k.
    void Fade(float k);
    // The mean of each factor × factor block; the scale shrinks alike.
    Canvas Downsample(int factor) const;
    // The canvas resampled to width × height pixels, each new pixel the
    // area-weighted mean of the old ones it covers (or bilinear where it
    // grows); the scale becomes the new width's.
    Canvas Resampled(int newWidth, int newHeight) const;
    // The coverage (alpha) of every pixel.
    Grid Alpha() const;

    // A 32-bit picture with straight alpha, or a 24-bit one on black.
    // Fully transparent pixels take the colour of the nearest painted ones,
    // so that filtering and mip maps do not darken the edges.
    ZorvaneEngine::Image ToImage(bool withAlpha) const;

    int width = 0;
    int height = 0;
    float scale = 1.0f;
    std::vector<Color> pixels;
};

// An 8-bit grey picture of the canvas' alpha (masks stored as JPEG pairs).
ZorvaneEngine::Image AlphaImage(const Canvas& canvas);

} // namespace Tools::Art
