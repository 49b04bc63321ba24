#pragma once
// Letters for the art (titles, signs, icons) from a TrueType font through
// FreeType: measured and rasterised as coverage at a canvas' scale, so the
// effects can outline, bevel and extrude them like any other shape.
#include <memory>
#include <string>
#include <vector>

#include "tools/common/art/Raster.h"

namespace Tools::Art {

struct InkBox {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
};

class Typeface {
public:
    // Throws std::runtime_error when the font cannot be read.
    explicit Typeface(const std::string& path);
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    // Pen advance of the text at size units per em, kerning included.
    float Measure(const std::u32string& text, float size) const;
    // The box of the text's ink with the pen starting at (0, 0) on the
    // baseline, in units.
    InkBox Ink(const std::u32string& text, float size) const;
    // Adds the text's coverage to the grid (the larger value wins), the pen
    // starting at (x, baseline) units.
    void Draw(Grid& coverage, const std::u32string& text, float size, float x, float baseline) const;

private:
    struct Library;
    std::unique_ptr<Library> library;
    std::vector<uint8_t> data;
};

// The DejaVu faces the art uses.
std::string SerifBoldFont();
std::string SansBoldFont();

} // namespace Tools::Art
