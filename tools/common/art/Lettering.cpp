#include "tools/common/art/Lettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/common/BinaryWriter.h"

namespace Tools::Art {

struct Typeface::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

Typeface::Typeface(const std::string& path) : library(std::make_unique<Library>()) {
    if (!LoadFile(path, data) || data.empty()) {
        throw std::runtime_error("cannot read the font " + path);
    }
    if (FT_Init_FreeType(&library->library) != 0) {
        throw std::runtime_error("FreeType cannot start");
    }
    if (FT_New_Memory_Face(library->library, data.data(), static_cast<FT_Long>(data.size()), 0, &library->face) !=
        0) {
        FT_Done_FreeType(library->library);
        throw std::runtime_error(path + " is not a font FreeType can read");
    }
}

Typeface::~Typeface() {
    FT_Done_Face(library->face);
    FT_Done_FreeType(library->library);
}

namespace {

// Sets the em size in whole 1/64 pixels; false when FreeType refuses it.
bool SetSize(FT_Face face, float pixels) {
    const FT_F26Dot6 size = static_cast<FT_F26Dot6>(std::lround(pixels * 64.0f));
    return size > 0 && FT_Set_Char_Size(face, 0, size, 72, 72) == 0;
}

float Kerning(FT_Face face, FT_UInt previous, FT_UInt index) {
    if (previous == 0 || !FT_HAS_KERNING(face)) {
        return 0.0f;
    }
    FT_Vector delta{};
    FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &delta);
    return static_cast<float>(delta.x) / 64.0f;
}

} // namespace

float Typeface::Measure(const std::u32string& text, float size) const {
    FT_Face face = library->face;
    // Measured at a large size, so that hinting does not bend the result.
    const float reference = 256.0f;
    if (!SetSize(face, reference)) {
        return 0.0f;
    }
    float pen = 0.0f;
    FT_UInt previous = 0;
    for (const char32_t code : text) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        pen += Kerning(face, previous, index);
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING) == 0) {
            pen += static_cast<float>(face->glyph->advance.x) / 64.0f;
        }
        previous = index;
    }
    return pen * size / reference;
}

InkBox Typeface::Ink(const std::u32string& text, float size) const {
    FT_Face face = library->face;
    const float reference = 256.0f;
    InkBox box{1e9f, 1e9f, -1e9f, -1e9f};
    if (!SetSize(face, reference)) {
        return {};
    }
    float pen = 0.0f;
    FT_UInt previous = 0;
    for (const char32_t code : text) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        pen += Kerning(face, previous, index);
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING) == 0) {
            const FT_Glyph_Metrics& m = face->glyph->metrics;
            if (m.width > 0 && m.height > 0) {
                const float left = pen + static_cast<float>(m.horiBearingX) / 64.0f;
                const float top = static_cast<float>(m.horiBearingY) / 64.0f;
                box.x0 = std::min(box.x0, left);
                box.x1 = std::max(box.x1, left + static_cast<float>(m.width) / 64.0f);
                box.y1 = std::max(box.y1, top);
                box.y0 = std::min(box.y0, top - static_cast<float>(m.height) / 64.0f);
            }
            pen += static_cast<float>(face->glyph->advance.x) / 64.0f;
        }
        previous = index;
    }
    if (box.x0 > box.x1) {
        return {};
    }
    const float k = size / reference;
    return {box.x0 * k, box.y0 * k, box.x1 * k, box.y1 * k};
}

void Typeface::Draw(Grid& coverage, const std::u32string& text, float size, float x, float baseline) const {
    FT_Face face = library->face;
    const float pixels = size * coverage.scale;
    if (!SetSize(face, pixels)) {
        return;
    }
    // The pen in pixels; glyphs are rendered unhinted at their fractional
    // place, so the text keeps the shape Measure promised.
    float pen = x * coverage.scale;
    const float base = baseline * coverage.scale;
    FT_UInt previous = 0;
    for (const char32_t code : text) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        pen += Kerning(face, previous, index);
        previous = index;
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING) != 0) {
            continue;
        }
        const float fraction = pen - std::floor(pen);
        FT_Outline_Translate(&face->glyph->outline, static_cast<FT_Pos>(std::lround(fraction * 64.0f)), 0);
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
            continue;
        }
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int left = static_cast<int>(std::floor(pen)) + face->glyph->bitmap_left;
        const int top = static_cast<int>(std::lround(base)) + face->glyph->bitmap_top;
        const int pitch = bitmap.pitch;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int gy = top - 1 - static_cast<int>(row);
            if (gy < 0 || gy >= coverage.height) continue;
            const unsigned stored = pitch >= 0 ? row : bitmap.rows - 1 - row;
            const uint8_t* source = bitmap.buffer + static_cast<size_t>(stored) * static_cast<size_t>(std::abs(pitch));
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int gx = left + static_cast<int>(col);
                if (gx < 0 || gx >= coverage.width) continue;
                float& v = coverage.At(gx, gy);
                v = std::max(v, static_cast<float>(source[col]) / 255.0f);
            }
        }
        pen += static_cast<float>(face->glyph->advance.x) / 64.0f;
    }
}

std::string SerifBoldFont() {
    return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
}

std::string SansBoldFont() {
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
}

} // namespace Tools::Art
