// The font manager: fonts by id, aligned text positions, per-depth copies
// with their lifetime, and the frame's end.
#include <numbers>

#include "engine/gui/TextAlign.h"
#include "tests/engine/gui/FontFixture.h"

namespace ZorvaneEngine {
namespace {

class GUIFontManagerTest : public FontFixture {
protected:
    // 'A' is 0.5 wide: at size 20 "AAAAAA" is 60 by 20.
    GUIFont* AFont() { return MakeFont(1, {Glyph(u'A', 0.5f, 0.1f, 0.1f, 0.1f, 0.1f)}, 20.0f); }
};

struct AlignCase {
    uint32_t align;
    float angle;
    Vector2 expected;
};

TEST_F(GUIFontManagerTest, AlignedTextsStartWhereTheirBoxFitsTheArea)
{
    AFont();
    constexpr float pi = std::numbers::pi_v<float>;
    // Area at (100, 100), 200 by 50; offset (7, 9); text 60 by 20.
    const std::vector<AlignCase> cases = {
        {0, 0, {107, 109}},
        {TextAlign::CenterX, 0, {170, 109}},
        {TextAlign::Left, 0, {100, 109}},
        {TextAlign::Right, 0, {240, 109}},
        {TextAlign::CenterY, 0, {107, 115}},
        {TextAlign::Top, 0, {107, 130}},
        {TextAlign::Bottom, 0, {107, 100}},
        {TextAlign::Center, 0, {170, 115}},
        {TextAlign::Right | TextAlign::Top, 0, {240, 130}},
        // The first bit of an axis wins.
        {TextAlign::CenterX | TextAlign::Left | TextAlign::Right, 0, {170, 109}},
        {TextAlign::Left | TextAlign::Right, 0, {100, 109}},
        {TextAlign::CenterY | TextAlign::Top, 0, {107, 115}},
        {TextAlign::Top | TextAlign::Bottom, 0, {107, 130}},
        // Turned by pi the pen runs leftwards from the box's right end; sin
        // of pi is a hair below zero in single precision, so an aligned y
        // takes the box's top too. Unaligned axes keep the offset.
        {TextAlign::Right, pi, {300, 109}},
        {TextAlign::Left | TextAlign::Bottom, pi, {160, 120}},
        {0, pi, {107, 109}},
        // Turned a quarter the box is 20 wide and 60 high; the float nearest
        // a quarter turn is past it, so its cosine is a hair below zero too.
        {TextAlign::Center, pi / 2, {210, 95}},
        {TextAlign::Center, -pi / 2, {210, 155}},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.align << " angle " << c.angle);
        const Vector2 at = fonts->GetTextPosition(c.align, 1, Vector2(7, 9), c.angle, u"AAAAAA",
                                                  Vector2(100, 100), Vector2(200, 50));
        EXPECT_NEAR(at.x, c.expected.x, 1e-3f);
        EXPECT_NEAR(at.y, c.expected.y, 1e-3f);
    }
    // An id without font.
    const Vector2 none = fonts->GetTextPosition(TextAlign::Center, 5, Vector2(7, 9), 0, u"AAAAAA",
                                                Vector2(100, 100), Vector2(200, 50));
    EXPECT_FLOAT_EQ(none.x, 0.0f);
    EXPECT_FLOAT_EQ(none.y, 0.0f);
}

TEST_F(GUIFontManagerTest, FontsAreKeptByIdAndAnIdKeepsItsFirstFont)
{
    GUIFont* font = AFont();
    EXPECT_EQ(fonts->GetFont(1), font);
    EXPECT_EQ(fonts->GetFont(0), nullptr);
    EXPECT_EQ(fonts->GetFontForDepth(0, -15.0f), nullptr);
    Put("other.fnt", Tools::BuildFontFile({Glyph(u'B', 0.5f), Glyph(u'C', 0.5f)}));
    EXPECT_EQ(fonts->LoadFont(1, ShaderDescriptor(), "other.fnt"), font);
    EXPECT_EQ(fonts->GetFont(1)->GetGlyphs().size(), 1u);
    EXPECT_EQ(models->models.GetCount(), 1u);
    fonts->DestroyFonts();
    EXPECT_EQ(fonts->GetFont(1), nullptr);
    EXPECT_EQ(models->models.GetCount(), 0u);
}

TEST_F(GUIFontManagerTest, EachWindowDepthGetsACopyJustInFront)
{
    GUIFont* base = AFont();
    GUIFont* front = fonts->GetFontForDepth(1, -15.01f);
    GUIFont* back = fonts->GetFontForDepth(1, -15.02f);
    ASSERT_NE(front, nullptr);
    ASSERT_NE(back, nullptr);
    EXPECT_NE(front, back);
    EXPECT_NE(front, base);
    EXPECT_EQ(front->GetSource(), base);
    EXPECT_NEAR(front->GetDepth(), -15.015f, 1e-6f);
    EXPECT_NEAR(back->GetDepth(), -15.025f, 1e-6f);
    // Depths closer than 0.0001 share a copy.
    EXPECT_EQ(fonts->GetFontForDepth(1, -15.01005f), front);
    EXPECT_EQ(fonts->GetDepthCopies().size(), 2u);
    // Registered, visible, drawing nothing yet, with the base's glyphs.
    EXPECT_EQ(models->models.GetCount(), 3u);
    EXPECT_NE(front->GetModel(), base->GetModel());
    EXPECT_NE(front->GetModel()->flags & ModelFlags::Visible, 0u);
    EXPECT_EQ(front->GetModel()->GetIndexBuffer()->GetCount(), 0u);
    EXPECT_EQ(front->GetGlyphs().size(), 1u);

    // Drawing through a copy fills its own model with the base's indices.
    front->DrawText(Vector2(10, 20), 0.0f, ColorRGBA(1, 1, 1, 1), u"AA");
    EXPECT_EQ(Corners(*front).size(), 8u);
    EXPECT_EQ(front->GetModel()->GetIndexBuffer()->GetIndex(11), 7u);
    EXPECT_EQ(base->GetQuadCount(), 0u);

    // A frame's end drops the copy that drew nothing, model and all.
    fonts->EndFrame();
    ASSERT_EQ(fonts->GetDepthCopies().size(), 1u);
    EXPECT_EQ(fonts->GetDepthCopies()[0].get(), front);
    EXPECT_EQ(models->models.GetCount(), 2u);
    EXPECT_EQ(front->GetModel()->GetIndexBuffer()->GetCount(), 12u);
    // The first frame without text at its depth ends it too; the next text
    // there makes a new one.
    fonts->EndFrame();
    EXPECT_TRUE(fonts->GetDepthCopies().empty());
    EXPECT_EQ(models->models.GetCount(), 1u);
    GUIFont* again = fonts->GetFontForDepth(1, -15.01f);
    EXPECT_NEAR(again->GetDepth(), -15.015f, 1e-6f);
    EXPECT_EQ(again->GetModel()->GetIndexBuffer()->GetCount(), 0u);
}

TEST_F(GUIFontManagerTest, ASizeOverrideOnTheBaseReachesPlacementAndCopy)
{
    GUIFont* base = AFont();
    GUIFont* copy = fonts->GetFontForDepth(1, -10.0f);
    base->size = 10.0f;
    base->spacing = 2.0f;
    const Vector2 at = fonts->GetTextPosition(TextAlign::CenterX, 1, Vector2(0, 0), 0.0f, u"AA",
                                              Vector2(0, 0), Vector2(100, 10));
    // Two glyphs 5 wide, the second 10 along: 15 wide.
    EXPECT_FLOAT_EQ(at.x, 42.5f);
    copy->DrawText(at, 0.0f, ColorRGBA(1, 1, 1, 1), u"AA");
    const std::vector<QuadCorner> corners = Corners(*copy);
    ASSERT_EQ(corners.size(), 8u);
    EXPECT_FLOAT_EQ(corners[5].x, 52.5f);
    EXPECT_FLOAT_EQ(corners[4].y, 10.0f);
    EXPECT_FLOAT_EQ(copy->size, 10.0f);
}

} // namespace
} // namespace ZorvaneEngine
