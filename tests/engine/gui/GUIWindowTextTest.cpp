// Texts queued on windows and drawn by the GUI manager's pass: the font copy
// in front of each window, placement in the window or its text area, size
// overrides, and what a frame leaves to the model manager.
#include <cstring>

#include "engine/graphics/Camera.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/TextAlign.h"
#include "tests/engine/gui/GUIFixture.h"
#include "tools/common/FontWriter.h"

namespace ZorvaneEngine {
namespace {

class GUIWindowTextTest : public GUIFixture {
protected:
    void SetUp() override
    {
        GUIFixture::SetUp();
        Tools::FontGlyph a;
        a.code = u'A';
        a.advance = 0.5f;
        Put("a.fnt", Tools::BuildFontFile({a}));
        base = gui->GetFontManager()->LoadFont(2, ShaderDescriptor(), "a.fnt");
        base->size = 20.0f;
        TakeLog();
    }

    // Pen points of the quads a font model holds: the (0, 0) corner of each.
    static std::vector<Vector2> PenPoints(const GUIFont& font)
    {
        const VertexBuffer& buffer = *font.GetModel()->GetVertexBuffer();
        std::vector<Vector2> points;
        for (uint32_t q = 0; q < font.GetModel()->GetIndexBuffer()->GetCount() / 6; ++q) {
            float p[2];
            std::memcpy(p, buffer.GetVertices() + static_cast<size_t>(q * 4 + 1) * buffer.GetStride(), sizeof p);
            points.emplace_back(p[0], p[1]);
        }
        return points;
    }

    GUIFont* base = nullptr;
};

TEST_F(GUIWindowTextTest, TextsAreDrawnJustInFrontOfTheirWindow)
{
    GUIWindow* parent = Quad(Shown | GUIWindowFlags::DepthRaised, Vector2(100, 100), Vector2(200, 50));
    GUIWindow* child = Quad(Shown, Vector2(10, 10), Vector2(100, 30), parent);
    child->SetLayer(3);
    parent->AddText(TextAlign::Center, 2, u"AAAAAA", 0.0f, -1.0f, Vector2(), ColorRGBA(1, 1, 1, 1));
    child->AddText(TextAlign::Right | TextAlign::Bottom, 2, u"AA", 0.0f, -1.0f, Vector2(), ColorRGBA(1, 1, 1, 1));
    // Unknown font: skipped.
    child->AddText(0, 7, u"AA", 0.0f, -1.0f, Vector2(), ColorRGBA(1, 1, 1, 1));
    gui->Draw();

    GUIFontManager& fonts = *gui->GetFontManager();
    ASSERT_EQ(fonts.GetDepthCopies().size(), 2u);
    const GUIFont& onParent = *fonts.GetDepthCopies()[0];
    const GUIFont& onChild = *fonts.GetDepthCopies()[1];
    EXPECT_NEAR(onParent.GetDepth(), -20.005f, 1e-5f);
    EXPECT_NEAR(onChild.GetDepth(), -20.035f, 1e-5f);
    const std::vector<Vector2> parentPoints = PenPoints(onParent);
    ASSERT_EQ(parentPoints.size(), 6u);
    EXPECT_FLOAT_EQ(parentPoints[0].x, 170.0f);
    EXPECT_FLOAT_EQ(parentPoints[0].y, 115.0f);
    const std::vector<Vector2> childPoints = PenPoints(onChild);
    ASSERT_EQ(childPoints.size(), 2u);
    EXPECT_FLOAT_EQ(childPoints[0].x, 190.0f);
    EXPECT_FLOAT_EQ(childPoints[0].y, 110.0f);
    // Nothing was drawn in the base font, which sits behind every window.
    EXPECT_EQ(base->GetModel()->GetIndexBuffer()->GetCount(), 0u);
    EXPECT_FALSE(onParent.GetModel()->GetVertexBuffer()->IsLocked());

    // A frame in which only the parent has text ends the child's copy.
    parent->AddText(TextAlign::Center, 2, u"A", 0.0f, -1.0f, Vector2(), ColorRGBA(1, 1, 1, 1));
    gui->Draw();
    ASSERT_EQ(fonts.GetDepthCopies().size(), 1u);
    EXPECT_EQ(PenPoints(*fonts.GetDepthCopies()[0]).size(), 1u);
}

TEST_F(GUIWindowTextTest, TheTextAreaAndASizeOverrideCount)
{
    GUIWindow* window = Quad(Shown, Vector2(100, 100), Vector2(200, 50));
    window->textAreaOn = true;
    window->textAreaOffset = Vector2(20, 5);
    window->textAreaSize = Vector2(100, 40);
    window->AddText(TextAlign::Center, 2, u"AA", 0.0f, 10.0f, Vector2(), ColorRGBA(1, 1, 1, 1));
    gui->Draw();
    const GUIFont& copy = *gui->GetFontManager()->GetDepthCopies()[0];
    const std::vector<Vector2> points = PenPoints(copy);
    ASSERT_EQ(points.size(), 2u);
    // "AA" at size 10 is 10 by 10 in the area at (120, 105), 100 by 40.
    EXPECT_FLOAT_EQ(points[0].x, 165.0f);
    EXPECT_FLOAT_EQ(points[0].y, 120.0f);
    EXPECT_FLOAT_EQ(points[1].x, 170.0f);
    // The base font's own size is back.
    EXPECT_FLOAT_EQ(base->size, 20.0f);
}

TEST_F(GUIWindowTextTest, AHiddenWindowDrawsNoText)
{
    GUIWindow* window = Quad(0, Vector2(100, 100), Vector2(200, 50));
    window->AddText(TextAlign::Center, 2, u"AA", 0.0f, -1.0f, Vector2(), ColorRGBA(1, 1, 1, 1));
    gui->Draw();
    EXPECT_TRUE(gui->GetFontManager()->GetDepthCopies().empty());
    EXPECT_EQ(window->GetTextCount(), 0u);
}

} // namespace
} // namespace ZorvaneEngine
