#include "tools/common/FontWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Image.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontCharacters.h"
#include "tools/common/FontListWriter.h"
#include "tools/common/FreeTypeRasterizer.h"
#include "tools/common/ImageFile.h"

namespace Tools {
namespace {

using ZorvaneEngine::Image;

const std::string DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

float F32At(const std::vector<uint8_t>& bytes, size_t offset) {
    const uint32_t bits = U32At(bytes, offset);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The font file read back the way the game reads it: the header, the count,
// then records of 22 bytes that must fill the file exactly.
std::vector<FontGlyph> ReadFontFile(const std::vector<uint8_t>& bytes) {
    std::vector<FontGlyph> glyphs;
    EXPECT_GE(bytes.size(), 17u);
    if (bytes.size() < 17) {
        return glyphs;
    }
    EXPECT_EQ(U32At(bytes, 0), bytes.size());
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 9), "ZVFNT");
    EXPECT_EQ(U32At(bytes, 9), 201u);
    const uint32_t count = U32At(bytes, 13);
    EXPECT_EQ(17 + 22 * static_cast<size_t>(count), bytes.size());
    for (size_t offset = 17; offset + 22 <= bytes.size(); offset += 22) {
        FontGlyph glyph;
        glyph.code = static_cast<char16_t>(bytes[offset] | bytes[offset + 1] << 8);
        glyph.u = F32At(bytes, offset + 2);
        glyph.v = F32At(bytes, offset + 6);
        glyph.du = F32At(bytes, offset + 10);
        glyph.dv = F32At(bytes, offset + 14);
        glyph.advance = F32At(bytes, offset + 18);
        glyphs.push_back(glyph);
    }
    return glyphs;
}

// A glyph's rectangle in whole pixels, columns x0..x1 and rows y0..y1 (row 0
// at the bottom), end exclusive.
struct Box {
    uint32_t x0, y0, x1, y1;
};

Box PixelBox(const FontGlyph& glyph, const Image& texture) {
    const float w = static_cast<float>(texture.GetWidth());
    const float h = static_cast<float>(texture.GetHeight());
    const float edges[4] = {glyph.u * w, glyph.v * h, (glyph.u + glyph.du) * w, (glyph.v + glyph.dv) * h};
    for (const float edge : edges) {
        EXPECT_NEAR(edge, std::round(edge), 1e-3) << "glyph " << static_cast<int>(glyph.code) << " is not on whole pixels";
    }
    return {static_cast<uint32_t>(std::lround(edges[0])), static_cast<uint32_t>(std::lround(edges[1])),
            static_cast<uint32_t>(std::lround(edges[2])), static_cast<uint32_t>(std::lround(edges[3]))};
}

uint8_t Alpha(const Image& texture, uint32_t x, uint32_t y) {
    return texture.GetRow(y)[x * 4 + 3];
}

// The lowest row of the box holding ink, counted from its bottom; -1 for none.
int32_t LowestInk(const Image& texture, const Box& box) {
    for (uint32_t y = box.y0; y < box.y1; ++y) {
        for (uint32_t x = box.x0; x < box.x1; ++x) {
            if (Alpha(texture, x, y) != 0) {
                return static_cast<int32_t>(y - box.y0);
            }
        }
    }
    return -1;
}

TEST(FontBuildTest, DejaVuSansRoundTrip) {
    TestSupport::TemporaryFolder folder;
    const std::vector<char16_t> codes = DefaultFontCharacters();
    RasterFont font;
    std::vector<char16_t> missing;
    std::string error;
    ASSERT_TRUE(RasterizeFont(DejaVuSans, 16, codes, font, missing, error)) << error;
    EXPECT_TRUE(missing.empty());
    const FontAtlas atlas = BuildFontAtlas(font);
    ASSERT_TRUE(SaveFile(folder / "sans.fnt", BuildFontFile(atlas.glyphs)));
    ASSERT_TRUE(SaveImageFile(folder / "sans.tga", atlas.texture, error)) << error;

    // The same input gives the same bytes.
    RasterFont again;
    ASSERT_TRUE(RasterizeFont(DejaVuSans, 16, codes, again, missing, error));
    const FontAtlas second = BuildFontAtlas(again);
    EXPECT_EQ(BuildFontFile(second.glyphs), BuildFontFile(atlas.glyphs));
    ASSERT_EQ(second.texture.GetSize(), atlas.texture.GetSize());
    EXPECT_EQ(std::memcmp(second.texture.GetPixels(), atlas.texture.GetPixels(), atlas.texture.GetSize()), 0);

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadFile(folder / "sans.fnt", bytes));
    const std::vector<FontGlyph> glyphs = ReadFontFile(bytes);
    ZorvaneEngine::MessageManager log("", "log", "Test", false, false);
    ZorvaneEngine::FileManager files("", &log, folder.Path());
    Image texture;
    ASSERT_TRUE(Image::Load(&log, &files, texture, "sans.tga"));
    ASSERT_EQ(texture.GetBits(), 32u);

    // Every requested character once, in order of code.
    ASSERT_EQ(glyphs.size(), codes.size());
    for (size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(glyphs[i].code, codes[i]);
    }

    // Each glyph's cell lies inside the texture, apart from every other, and
    // is as wide against its height as the quad the text drawer makes of it.
    std::vector<Box> boxes;
    std::map<char16_t, Box> byCode;
    const float w = static_cast<float>(texture.GetWidth());
    const float h = static_cast<float>(texture.GetHeight());
    for (const FontGlyph& glyph : glyphs) {
        const Box box = PixelBox(glyph, texture);
        EXPECT_LE(box.x0, box.x1);
        EXPECT_LT(box.y0, box.y1);
        EXPECT_LE(box.x1, texture.GetWidth());
        EXPECT_LE(box.y1, texture.GetHeight());
        EXPECT_NEAR(glyph.advance, glyph.du * w / (glyph.dv * h), 1e-5) << "glyph " << static_cast<int>(glyph.code);
        for (const Box& other : boxes) {
            const bool apart = box.x1 <= other.x0 || other.x1 <= box.x0 || box.y1 <= other.y0 || other.y1 <= box.y0;
            EXPECT_TRUE(apart || box.x0 == box.x1) << "glyph " << static_cast<int>(glyph.code) << " overlaps another";
        }
        boxes.push_back(box);
        byCode[glyph.code] = box;
    }

    // Visible letters hold ink, blanks none, and nothing lies outside the cells.
    for (const char16_t code : std::u16string(u"Größe ändern")) {
        const Box& box = byCode[code];
        EXPECT_EQ(LowestInk(texture, box) >= 0, code != u' ') << "glyph " << static_cast<int>(code);
    }
    size_t stray = 0;
    for (uint32_t y = 0; y < texture.GetHeight(); ++y) {
        for (uint32_t x = 0; x < texture.GetWidth(); ++x) {
            bool inside = false;
            for (const Box& box : boxes) {
                inside = inside || (x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1);
            }
            stray += !inside && Alpha(texture, x, y) != 0;
        }
    }
    EXPECT_EQ(stray, 0u);

    // v runs upwards: letters stand on one baseline above the cell's bottom,
    // and a descender reaches below it.
    const int32_t baseline = LowestInk(texture, byCode[u'n']);
    EXPECT_GT(baseline, 0);
    EXPECT_EQ(LowestInk(texture, byCode[u'e']), baseline);
    EXPECT_EQ(LowestInk(texture, byCode[u'Ä']), baseline);
    EXPECT_LT(LowestInk(texture, byCode[u'g']), baseline);
}

TEST(FontBuildTest, CellsFromSyntheticGlyphs) {
    const auto solid = [](char16_t code, int32_t advance, int32_t left, int32_t top, uint32_t width, uint32_t height) {
        return GlyphBitmap{code, advance, left, top, width, height, std::vector<uint8_t>(width * height, 200)};
    };
    RasterFont font;
    font.ascent = 4;
    font.descent = 2;
    font.glyphs = {
        solid(u'B', 3, -1, 2, 2, 2),  // sticks out on the left: moved in
        solid(u'A', 2, 0, 3, 4, 5),   // wider than its advance and below the line: cut
        solid(u'A', 9, 0, 1, 1, 1),   // a second 'A': ignored
        solid(u' ', 2, 0, 0, 0, 0),
    };
    const FontAtlas atlas = BuildFontAtlas(font);
    ASSERT_EQ(atlas.glyphs.size(), 3u);
    EXPECT_EQ(atlas.glyphs[0].code, u' ');
    EXPECT_EQ(atlas.glyphs[1].code, u'A');
    EXPECT_EQ(atlas.glyphs[2].code, u'B');
    EXPECT_EQ(atlas.texture.GetWidth(), 64u);
    EXPECT_EQ(atlas.texture.GetHeight(), 8u);
    EXPECT_FLOAT_EQ(atlas.glyphs[1].advance, 2.0f / 6.0f);

    // Rows from the bottom of each cell: the baseline is row 2 (the descent);
    // 'A' covers rows 0 to 4 (top 3 above the baseline, 5 high), 'B' rows 2
    // and 3; every cell starts one row up.
    std::vector<std::string> rows;
    for (uint32_t y = 0; y < 8; ++y) {
        std::string row;
        for (uint32_t x = 0; x < 12; ++x) {
            row += Alpha(atlas.texture, x, y) == 200 ? '#' : Alpha(atlas.texture, x, y) == 0 ? '.' : '?';
        }
        rows.push_back(row);
    }
    const std::vector<std::string> expected = {
        "............",
        "....##......",
        "....##......",
        "....##.##...",
        "....##.##...",
        "....##......",
        "............",
        "............",
    };
    EXPECT_EQ(rows, expected);
    EXPECT_FLOAT_EQ(atlas.glyphs[2].u, 7.0f / 64.0f);
    EXPECT_FLOAT_EQ(atlas.glyphs[2].v, 1.0f / 8.0f);
    EXPECT_FLOAT_EQ(atlas.glyphs[2].du, 3.0f / 64.0f);
    EXPECT_FLOAT_EQ(atlas.glyphs[2].dv, 6.0f / 8.0f);

    font.descent = -4;
    EXPECT_THROW(BuildFontAtlas(font), std::invalid_argument);
}

TEST(FontBuildTest, CodePointLists) {
    struct Case {
        std::string text;
        bool good;
        size_t count;
    };
    const std::vector<Case> cases = {
        {"20-7E,A0-FF,U+20AC", true, 95 + 96 + 1},
        {"42,41,41-42", true, 2},
        {"FFFF", true, 1},
        {"", false, 0},
        {"41-", false, 0},
        {"7E-20", false, 0},
        {"10000", false, 0},
        {"41,,42", false, 0},
        {"zz", false, 0},
    };
    for (const Case& test : cases) {
        std::vector<char16_t> codes;
        std::string error;
        EXPECT_EQ(ParseCodePointList(test.text, codes, error), test.good) << test.text;
        if (test.good) {
            EXPECT_EQ(codes.size(), test.count) << test.text;
            EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
        }
    }
    const std::vector<char16_t> defaults = DefaultFontCharacters();
    EXPECT_EQ(defaults.size(), 95u + 96u + 27u);
    for (const char16_t code : std::u16string(u"€„“”‚‘’–—…ŒœŠšŽžŸ_ÄÖÜäöüßéèêçñ¿¡")) {
        EXPECT_TRUE(std::binary_search(defaults.begin(), defaults.end(), code)) << static_cast<int>(code);
    }
}

// The font list is read as single-separated tokens: names are taken as they
// come (an extra blank would be an empty name), numbers with a decimal point.
TEST(FontBuildTest, FontListReadsBackAsTokens) {
    std::vector<FontListEntry> fonts(2);
    fonts[0] = {"ui\\fonts\\ge_00.fnt", "ui\\fonts\\ge_00.tga", "32bit", 12, 0.3f, 1, false, true};
    fonts[1] = {"ui\\fonts\\ge_01.fnt", "ui\\fonts\\ge_01.tga", "32bit", 18.5f, 0.25f, 1.1f, true, false};
    const std::string list = BuildFontList(1, fonts);

    auto file = std::make_unique<ZorvaneEngine::FileBinary>(nullptr, "ge.ini", std::vector<uint8_t>(list.begin(), list.end()));
    ZorvaneEngine::FileTextual text(nullptr, ZorvaneEngine::FileTextual::ModeRead,
                                    ZorvaneEngine::FileTextual::EncodingAnsi, std::move(file));
    text.Init();
    EXPECT_EQ(text.ReadInt(), 2);
    EXPECT_EQ(text.ReadInt(), 1);
    for (const FontListEntry& font : fonts) {
        std::string name;
        ASSERT_TRUE(text.ReadString(name, true));
        EXPECT_EQ(name, font.fontFile);
        ASSERT_TRUE(text.ReadString(name, true));
        EXPECT_EQ(name, font.diffuseTexture);
        ASSERT_TRUE(text.ReadString(name, true));
        EXPECT_EQ(name, font.opacityTexture);
        EXPECT_EQ(text.ReadFloat(), font.size);
        EXPECT_EQ(text.ReadFloat(), font.missingAdvance);
        EXPECT_EQ(text.ReadFloat(), font.spacing);
        EXPECT_EQ(text.ReadInt() != 0, font.lowerCaseAliases);
        EXPECT_EQ(text.ReadInt() != 0, font.fixedWidth);
    }

    for (const std::string bad : {"", "two words", "a//b"}) {
        fonts[1].opacityTexture = bad;
        EXPECT_THROW(BuildFontList(0, fonts), std::invalid_argument) << bad;
    }
}

} // namespace
} // namespace Tools
