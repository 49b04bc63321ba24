// Glyph quads, pen rules and measuring: proportional and fixed-width
// fonts, characters without glyph, white space, spacing, rotation, the
// frame's quad limit and lower-case aliases.
#include <cmath>
#include <numbers>

#include "tests/engine/gui/FontFixture.h"

namespace ZorvaneEngine {
namespace {

class GUIFontDrawTest : public FontFixture {
protected:
    // 'A' 0.5, 'B' 0.25 and a space glyph of 0.3 (so the widest is 0.5),
    // size 20, missing-glyph advance 0.4.
    GUIFont* PenFont()
    {
        return MakeFont(0, {Glyph(u'A', 0.5f, 0.1f, 0.2f, 0.05f, 0.1f), Glyph(u'B', 0.25f, 0.3f, 0.2f, 0.05f, 0.1f),
                            Glyph(u' ', 0.3f, 0.5f, 0.2f, 0.05f, 0.1f)},
                        20.0f, 0.4f);
    }
};

TEST_F(GUIFontDrawTest, AGlyphIsAQuadOfItsAdvanceBySizeWithItsRectangle)
{
    GUIFont* font = PenFont();
    const ColorRGBA colour(1.0f, 0.5f, 0.25f, 0.75f);
    font->DrawText(Vector2(100, 50), 0.0f, colour, u"A");
    const uint32_t packed = font->GetModel()->GetVertexBuffer()->RGBAToColor(colour);
    const std::vector<QuadCorner> corners = Corners(*font);
    const std::vector<QuadCorner> expected = {
        {100, 70, 0, 0.1f, 0.3f, packed},
        {100, 50, 0, 0.1f, 0.2f, packed},
        {110, 70, 0, 0.15f, 0.3f, packed},
        {110, 50, 0, 0.15f, 0.2f, packed},
    };
    ASSERT_EQ(corners.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(corners[i].x, expected[i].x);
        EXPECT_FLOAT_EQ(corners[i].y, expected[i].y);
        EXPECT_FLOAT_EQ(corners[i].z, 0.0f);
        EXPECT_FLOAT_EQ(corners[i].u, expected[i].u);
        EXPECT_FLOAT_EQ(corners[i].v, expected[i].v);
        EXPECT_EQ(corners[i].color, packed);
    }
    EXPECT_EQ(font->GetModel()->GetIndexBuffer()->GetCount(), 6u);
    // Quad i is drawn as (4i, 4i+1, 4i+2) and (4i+2, 4i+1, 4i+3).
    const IndexBuffer& indices = *font->GetModel()->GetIndexBuffer();
    const uint32_t quad1[6] = {4, 5, 6, 6, 5, 7};
    for (uint32_t k = 0; k < 6; ++k) {
        EXPECT_EQ(indices.GetIndex(6 + k), quad1[k]);
    }
    EXPECT_EQ(indices.GetIndex(6143), 4095u);
}

TEST_F(GUIFontDrawTest, ATextTurnedByAQuarterRunsUpwards)
{
    GUIFont* font = PenFont();
    font->DrawText(Vector2(100, 50), std::numbers::pi_v<float> / 2, ColorRGBA(1, 1, 1, 1), u"AB");
    const std::vector<QuadCorner> corners = Corners(*font);
    ASSERT_EQ(corners.size(), 8u);
    // Corners (0, h), (0, 0), (w, h), (w, 0) turned a quarter to the left;
    // the second glyph starts 10 units up the pen's way.
    const float expected[8][2] = {{80, 50}, {100, 50}, {80, 60}, {100, 60},
                                  {80, 60}, {100, 60}, {80, 65}, {100, 65}};
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(corners[i].x, expected[i][0], 1e-4f);
        EXPECT_NEAR(corners[i].y, expected[i][1], 1e-4f);
    }
    const Vector2 measured = font->MeasureText(u"AB", std::numbers::pi_v<float> / 2, -1.0f);
    EXPECT_NEAR(measured.x, 20.0f, 1e-4f);
    EXPECT_NEAR(measured.y, 15.0f, 1e-4f);
}

struct PenCase {
    const char16_t* text;
    float spacing;
    bool fixedWidth;
    std::vector<float> drawnAt;  // pen x of every quad, in order
    float width;                 // MeasureText at angle 0
};

TEST_F(GUIFontDrawTest, PenRulesAndMeasuredWidths)
{
    const std::vector<PenCase> cases = {
        {u"AB", 1.0f, false, {0, 10}, 15},
        // Spacing widens the pen's steps, not the glyphs' boxes.
        {u"AB", 1.1f, false, {0, 11}, 16},
        // A space moves the pen by its own glyph and is never drawn.
        {u"A B", 1.0f, false, {0, 16}, 21},
        // A character without glyph moves it by the missing-glyph advance,
        // spacing not applied.
        {u"A?B", 1.0f, false, {0, 18}, 23},
        {u"A?B", 2.0f, false, {0, 28}, 33},
        {u"A\nB", 1.0f, false, {0, 18}, 23},
        // A trailing space's box has the missing-glyph advance.
        {u"A ", 1.0f, false, {0}, 18},
        {u" ", 1.0f, false, {}, 8},
        {u"?", 1.0f, false, {}, 8},
        // Fixed width: every glyph centred in a cell of the widest advance.
        {u"BA", 1.0f, true, {2.5f, 10}, 17.5f},
        // A missing character takes a whole cell, its box at the cell's start.
        {u"A?A", 1.0f, true, {0, 20}, 30},
        {u"A A", 1.0f, true, {0, 20}, 30},
        {u"BA", 2.0f, true, {5, 20}, 25},
    };
    GUIFont* font = PenFont();
    for (const PenCase& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
        font->spacing = c.spacing;
        font->fixedWidth = c.fixedWidth;
        font->DrawText(Vector2(1000, 0), 0.0f, ColorRGBA(1, 1, 1, 1), c.text);
        const std::vector<QuadCorner> corners = Corners(*font);
        ASSERT_EQ(corners.size(), c.drawnAt.size() * 4);
        for (size_t i = 0; i < c.drawnAt.size(); ++i) {
            EXPECT_NEAR(corners[i * 4 + 1].x, 1000 + c.drawnAt[i], 1e-3f) << "quad " << i;
        }
        const Vector2 measured = font->MeasureText(c.text, 0.0f, -1.0f);
        EXPECT_NEAR(measured.x, c.width, 1e-4f);
        EXPECT_NEAR(measured.y, 20.0f, 1e-4f);
        fonts->EndFrame();
        fonts->EndFrame();
    }
}

TEST_F(GUIFontDrawTest, MeasuringTakesTheGivenSize)
{
    GUIFont* font = PenFont();
    EXPECT_FLOAT_EQ(font->MeasureText(u"AB", 0.0f, 10.0f).x, 7.5f);
    EXPECT_FLOAT_EQ(font->MeasureText(u"AB", 0.0f, 10.0f).y, 10.0f);
    EXPECT_FLOAT_EQ(font->MeasureText(u"", 0.0f, 10.0f).x, 0.0f);
    EXPECT_FLOAT_EQ(font->MeasureText(u"", 0.0f, 10.0f).y, 0.0f);
}

TEST_F(GUIFontDrawTest, AFrameHoldsAtMost1024QuadsAndTheNextStartsAgain)
{
    GUIFont* font = PenFont();
    VertexBuffer* vertices = font->GetModel()->GetVertexBuffer();
    IndexBuffer* indices = font->GetModel()->GetIndexBuffer();
    font->DrawText(Vector2(0, 0), 0.0f, ColorRGBA(1, 1, 1, 1), std::u16string(1000, u'A'));
    EXPECT_TRUE(vertices->IsLocked());
    font->DrawText(Vector2(0, 100), 0.0f, ColorRGBA(1, 1, 1, 1), u"AAAAAAAAAAAAAAAAAAAAAAAAAB");
    EXPECT_EQ(font->GetQuadCount(), 1024u);
    EXPECT_EQ(indices->GetCount(), 6144u);
    // The last quad drawn is the 24th 'A' of the second text.
    const std::vector<QuadCorner> corners = Corners(*font);
    EXPECT_FLOAT_EQ(corners.back().x, 240.0f);
    EXPECT_FLOAT_EQ(corners.back().y, 100.0f);

    // The frame's end leaves the quads to be drawn, unlocked.
    fonts->EndFrame();
    EXPECT_FALSE(vertices->IsLocked());
    EXPECT_EQ(font->GetQuadCount(), 0u);
    EXPECT_EQ(indices->GetCount(), 6144u);
    // The next frame overwrites from quad 0.
    font->DrawText(Vector2(5, 5), 0.0f, ColorRGBA(1, 1, 1, 1), u"B");
    EXPECT_EQ(indices->GetCount(), 6u);
    EXPECT_FLOAT_EQ(Corners(*font)[1].x, 5.0f);
    fonts->EndFrame();
    EXPECT_EQ(indices->GetCount(), 6u);
    // A frame without text draws nothing.
    fonts->EndFrame();
    EXPECT_EQ(indices->GetCount(), 0u);
}

TEST_F(GUIFontDrawTest, LowerCaseAliasesBorrowTheCapitals)
{
    std::vector<Tools::FontGlyph> glyphs;
    const std::u16string capitals = u"ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜÀÞČŘŠŽŮĚŁŃŸİЯЁЖ";
    for (size_t i = 0; i < capitals.size(); ++i) {
        glyphs.push_back(Glyph(capitals[i], 0.5f, 0.01f * static_cast<float>(i), 0.0f, 0.01f, 0.1f));
    }
    // Its own small letter, and a small letter that is nobody's alias.
    glyphs.push_back(Glyph(u'b', 0.25f, 0.9f, 0.9f, 0.05f, 0.05f));
    glyphs.push_back(Glyph(u'ß', 0.25f, 0.8f, 0.9f, 0.05f, 0.05f));
    GUIFont* font = MakeFont(0, glyphs, 20.0f);
    font->AddLowerCaseAliases();

    const std::u16string smalls = u"abcdefghijklmnopqrstuvwxyzäöüàþčřšžůěłńÿiяёж";
    ASSERT_EQ(smalls.size(), capitals.size());
    for (size_t i = 0; i < smalls.size(); ++i) {
        const FontGlyph* small = font->FindGlyph(smalls[i]);
        ASSERT_NE(small, nullptr) << "U+" << std::hex << static_cast<int>(smalls[i]);
        const FontGlyph* capital = font->FindGlyph(capitals[i]);
        if (smalls[i] == u'b' || smalls[i] == u'i') {
            continue;
        }
        EXPECT_FLOAT_EQ(small->u, capital->u) << "U+" << std::hex << static_cast<int>(smalls[i]);
        EXPECT_FLOAT_EQ(small->advance, 0.5f);
    }
    EXPECT_FLOAT_EQ(font->FindGlyph(u'b')->u, 0.9f);
    EXPECT_FLOAT_EQ(font->FindGlyph(u'b')->advance, 0.25f);
    // The dotted capital I folds to the plain 'i', which the plain 'I'
    // gives first.
    EXPECT_FLOAT_EQ(font->FindGlyph(u'i')->u, font->FindGlyph(u'I')->u);
    EXPECT_EQ(font->FindGlyph(u'ẞ'), nullptr);

    // "abc" draws with the capitals' rectangles, 'b' with its own.
    font->DrawText(Vector2(0, 0), 0.0f, ColorRGBA(1, 1, 1, 1), u"abc");
    const std::vector<QuadCorner> corners = Corners(*font);
    ASSERT_EQ(corners.size(), 12u);
    EXPECT_FLOAT_EQ(corners[1].u, font->FindGlyph(u'A')->u);
    EXPECT_FLOAT_EQ(corners[5].u, 0.9f);
    EXPECT_FLOAT_EQ(corners[9].u, font->FindGlyph(u'C')->u);
    EXPECT_FLOAT_EQ(corners[9].x, 15.0f);
}

} // namespace
} // namespace ZorvaneEngine
