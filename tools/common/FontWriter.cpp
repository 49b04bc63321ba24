#include "tools/common/FontWriter.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "tools/common/BinaryWriter.h"

namespace Tools {

namespace {

constexpr uint32_t FontVersion = 201;
constexpr uint32_t Gap = 1;
constexpr uint32_t SmallestSide = 64;
constexpr uint32_t LargestSide = 4096;

struct Cell {
    const GlyphBitmap* glyph = nullptr;
    uint32_t width = 0;
    uint32_t x = 0;
    uint32_t y = 0;  // bottom row, counted from the bottom of the texture
};

uint32_t PowerOfTwoAtLeast(uint32_t value) {
    uint32_t side = 1;
    while (side < value) {
        side *= 2;
    }
    return side;
}

// Places the cells left to right in rows of the given width, from the
// bottom of the texture up. Returns the height used, or 0 when a cell is
// wider than the texture.
uint32_t Place(std::vector<Cell>& cells, uint32_t lineHeight, uint32_t width) {
    uint32_t x = Gap;
    uint32_t y = Gap;
    for (Cell& cell : cells) {
        if (cell.width + 2 * Gap > width) {
            return 0;
        }
        if (x + cell.width + Gap > width) {
            x = Gap;
            y += lineHeight + Gap;
        }
        cell.x = x;
        cell.y = y;
        x += cell.width + Gap;
    }
    return y + lineHeight + Gap;
}

// Copies the glyph's coverage into its cell's alpha, baseline at descent.
void Draw(ZorvaneEngine::Image& texture, const Cell& cell, int32_t descent, int32_t lineHeight) {
    const GlyphBitmap& glyph = *cell.glyph;
    const int32_t cellWidth = static_cast<int32_t>(cell.width);
    int32_t left = glyph.left;
    if (left + static_cast<int32_t>(glyph.width) > cellWidth) {
        left = cellWidth - static_cast<int32_t>(glyph.width);
    }
    left = std::max(left, 0);
    for (uint32_t row = 0; row < glyph.height; ++row) {
        // Row 0 of the bitmap is its top, just under the height "top".
        const int32_t y = descent + glyph.top - 1 - static_cast<int32_t>(row);
        if (y < 0 || y >= lineHeight) {
            continue;
        }
        uint8_t* pixels = texture.GetRow(cell.y + static_cast<uint32_t>(y));
        for (uint32_t column = 0; column < glyph.width; ++column) {
            const int32_t x = left + static_cast<int32_t>(column);
            if (x >= cellWidth) {
                break;
            }
            pixels[(cell.x + static_cast<uint32_t>(x)) * 4 + 3] = glyph.coverage[row * glyph.width + column];
        }
    }
}

} // namespace

FontAtlas BuildFontAtlas(const RasterFont& font) {
    if (font.ascent < 0 || font.descent < 0 || font.ascent + font.descent <= 0) {
        throw std::invalid_argument("the line height must be positive");
    }
    const uint32_t lineHeight = static_cast<uint32_t>(font.ascent + font.descent);

    std::map<char16_t, const GlyphBitmap*> byCode;
    for (const GlyphBitmap& glyph : font.glyphs) {
        if (glyph.coverage.size() != static_cast<size_t>(glyph.width) * glyph.height) {
            throw std::invalid_argument("a glyph's coverage does not match its size");
        }
        byCode.emplace(glyph.code, &glyph);
    }
    std::vector<Cell> cells;
    for (const auto& [code, glyph] : byCode) {
        cells.push_back({glyph, static_cast<uint32_t>(std::max(glyph->advance, 0)), 0, 0});
    }

    uint32_t width = SmallestSide;
    uint32_t height = 0;
    for (; width <= LargestSide; width *= 2) {
        const uint32_t used = Place(cells, lineHeight, width);
        if (used != 0 && PowerOfTwoAtLeast(used) <= width) {
            height = PowerOfTwoAtLeast(used);
            break;
        }
    }
    if (height == 0) {
        throw std::invalid_argument("the glyphs do not fit in a 4096 x 4096 texture");
    }

    FontAtlas atlas;
    atlas.texture.Create(width, height, 32, nullptr);
    uint8_t* pixels = atlas.texture.GetPixels();
    for (size_t i = 0; i < atlas.texture.GetSize(); i += 4) {
        pixels[i] = pixels[i + 1] = pixels[i + 2] = 255;
        pixels[i + 3] = 0;
    }
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    for (const Cell& cell : cells) {
        Draw(atlas.texture, cell, font.descent, static_cast<int32_t>(lineHeight));
        FontGlyph record;
        record.code = cell.glyph->code;
        record.u = static_cast<float>(cell.x) / w;
        record.v = static_cast<float>(cell.y) / h;
        record.du = static_cast<float>(cell.width) / w;
        record.dv = static_cast<float>(lineHeight) / h;
        record.advance = static_cast<float>(cell.width) / static_cast<float>(lineHeight);
        atlas.glyphs.push_back(record);
    }
    return atlas;
}

std::vector<uint8_t> BuildFontFile(const std::vector<FontGlyph>& glyphs) {
    BinaryWriter writer;
    BeginEngineFile(writer, "ZVFNT", FontVersion);
    writer.U32(static_cast<uint32_t>(glyphs.size()));
    for (const FontGlyph& glyph : glyphs) {
        writer.U16(glyph.code);
        writer.F32(glyph.u);
        writer.F32(glyph.v);
        writer.F32(glyph.du);
        writer.F32(glyph.dv);
        writer.F32(glyph.advance);
    }
    EndEngineFile(writer);
    return writer.Data();
}

} // namespace Tools
