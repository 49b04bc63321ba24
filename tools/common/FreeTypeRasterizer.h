#pragma once
// Renders characters of a TrueType font with FreeType into GlyphBitmaps.
//
// Inline on purpose: the tool library is compiled without FreeType's
// headers, while every tool and test program is linked to FreeType, so the
// code is built in the programs that include it.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/BinaryWriter.h"
#include "tools/common/FontWriter.h"

namespace Tools {

// pixelSize is the em size in pixels. Characters the font has no glyph for
// are left out and listed in missing. The line height covers the font's
// ascender and descender and every rendered glyph's ink, so no glyph is cut
// at the top or bottom of its cell. False with error set when the font file
// cannot be read or rendered.
inline bool RasterizeFont(const std::string& fontPath, uint32_t pixelSize, const std::vector<char16_t>& codes,
                          RasterFont& out, std::vector<char16_t>& missing, std::string& error) {
    out = RasterFont{};
    missing.clear();
    // FreeType reads the font from memory: files are opened by the platform
    // layer alone.
    std::vector<uint8_t> data;
    if (!LoadFile(fontPath, data) || data.empty()) {
        error = "cannot read " + fontPath;
        return false;
    }
    if (pixelSize == 0 || pixelSize > 1024) {
        error = "the pixel size must be between 1 and 1024";
        return false;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        error = "FreeType cannot start";
        return false;
    }
    FT_Face face = nullptr;
    bool sound = false;
    if (FT_New_Memory_Face(library, data.data(), static_cast<FT_Long>(data.size()), 0, &face) != 0) {
        error = fontPath + " is not a font FreeType can read";
    } else if (FT_Set_Pixel_Sizes(face, 0, pixelSize) != 0) {
        error = fontPath + " cannot be scaled to " + std::to_string(pixelSize) + " pixels";
    } else {
        sound = true;
        // Metrics are 26.6 fixed point.
        out.ascent = static_cast<int32_t>((face->size->metrics.ascender + 63) / 64);
        out.descent = static_cast<int32_t>((-face->size->metrics.descender + 63) / 64);
        for (const char16_t code : codes) {
            const FT_UInt index = FT_Get_Char_Index(face, code);
            if (index == 0) {
                missing.push_back(code);
                continue;
            }
            const bool loaded = FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) == 0;
            // An empty outline (a space) has no bitmap to be grey.
            if (!loaded || (face->glyph->bitmap.rows > 0 && face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)) {
                char name[16];
                std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
                error = std::string("character ") + name + " cannot be rendered in grey";
                sound = false;
                break;
            }
            const FT_GlyphSlot slot = face->glyph;
            const FT_Bitmap& bitmap = slot->bitmap;
            GlyphBitmap glyph;
            glyph.code = code;
            glyph.advance = static_cast<int32_t>((slot->advance.x + 32) / 64);
            glyph.left = slot->bitmap_left;
            glyph.top = slot->bitmap_top;
            glyph.width = bitmap.width;
            glyph.height = bitmap.rows;
            glyph.coverage.resize(static_cast<size_t>(bitmap.width) * bitmap.rows);
            // A negative pitch means the rows are stored bottom first.
            const int32_t pitch = bitmap.pitch;
            for (uint32_t row = 0; row < bitmap.rows; ++row) {
                const uint32_t stored = pitch >= 0 ? row : bitmap.rows - 1 - row;
                const uint8_t* source = bitmap.buffer + static_cast<size_t>(stored) * static_cast<size_t>(pitch >= 0 ? pitch : -pitch);
                std::copy(source, source + bitmap.width, glyph.coverage.begin() + static_cast<ptrdiff_t>(row) * bitmap.width);
            }
            if (glyph.height > 0) {
                out.ascent = std::max(out.ascent, glyph.top);
                out.descent = std::max(out.descent, static_cast<int32_t>(glyph.height) - glyph.top);
            }
            out.glyphs.push_back(std::move(glyph));
        }
    }
    if (face != nullptr) {
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return sound;
}

} // namespace Tools
