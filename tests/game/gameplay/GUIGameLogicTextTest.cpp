// Floating texts: their lines, how they grow, rise and fade, where each line
// is queued, and the manager that deletes them when they are done.
#include "game/gameplay/GUIGameLogicTextManager.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/gameplay/GUIGameLogicText.h"

namespace ActionPuzzle {
namespace {

using namespace ZorvaneEngine;

TEST(GUIGameLogicTextLinesTest, EveryLineFeedEndsALine)
{
    const struct {
        std::u16string text;
        std::vector<std::u16string> lines;
    } rows[] = {{u"", {}},
                {u"+100", {u"+100"}},
                {u"a\n", {u"a"}},
                {u"a\n\nb", {u"a", u"", u"b"}},
                {u"\n", {u""}},
                {u"+550\nCombo x3\nTip", {u"+550", u"Combo x3", u"Tip"}}};
    for (const auto& row : rows) {
        EXPECT_EQ(GUIGameLogicText::SplitLines(row.text), row.lines);
    }
}

class GUIGameLogicTextTest : public ::testing::Test {
protected:
    void Step(float dt)
    {
        // The queue is the frame's: the window drops it when drawn.
        window()->Draw();
        engine->timers->frameStep = dt;
        manager.Update();
    }
    GUIWindow* window() { return manager.GetWindow(); }

    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(env.Settings());
    GUIWindow* parent = engine->guiManager->CreateWindow(1, Vector2(), Vector2(), nullptr, nullptr);
    GUIGameLogicTextManager manager{engine.get(), parent};
};

TEST_F(GUIGameLogicTextTest, ATextGrowsRisesFadesAndGoesAfterItsTime)
{
    manager.AddText(200, 100, u"+100");
    const GUIGameLogicText& text = *manager.GetTexts()[0];
    const struct {
        float t, size, alpha, rise;
    } rows[] = {{0.1f, 11, 0.5f, 0}, {0.2f, 22, 1, 0}, {1.2f, 22, 1, 35}, {1.575f, 22, 0.5f, 48.125f}};
    float t = 0;
    for (const auto& row : rows) {
        Step(row.t - t);
        t = row.t;
        EXPECT_NEAR(text.size, row.size, 0.001f) << row.t;
        EXPECT_NEAR(text.alpha, row.alpha, 0.001f) << row.t;
        EXPECT_NEAR(text.rise, row.rise, 0.001f) << row.t;
        ASSERT_EQ(window()->GetTextCount(), 1u);
        const GUITextItem& item = *window()->GetTextItems()[0];
        EXPECT_EQ(item.font, GUIGameLogicText::FontId);
        EXPECT_NEAR(item.color.a, row.alpha, 0.001f);
        EXPECT_NEAR(item.offset.y, 100 - row.size / 2 + row.rise, 0.001f);
    }
    Step(1.94f - t);
    ASSERT_EQ(manager.GetTexts().size(), 1u);
    Step(0.02f);
    EXPECT_TRUE(manager.GetTexts().empty());
    EXPECT_EQ(window()->GetTextCount(), 1u) << "drawn in its last frame";
}

TEST_F(GUIGameLogicTextTest, LinesStackCentredOnThePositionAndEmptyOnesKeepTheirRow)
{
    manager.AddText(200, 100, u"a\n\nb");
    manager.AddText(50, 50, u"x\ny");
    Step(0.3f);
    ASSERT_EQ(window()->GetTextCount(), 4u);
    const auto& items = window()->GetTextItems();
    const float rise = 35 * 0.1f;
    EXPECT_NEAR(items[0]->offset.y, 100 + 2 * 22 - 33 + rise, 0.001f);
    EXPECT_NEAR(items[1]->offset.y, 100 + 0 * 22 - 33 + rise, 0.001f);
    EXPECT_NEAR(items[2]->offset.y, 50 + 22 - 22 + rise, 0.001f);
    EXPECT_NEAR(items[3]->offset.y, 50 - 22 + rise, 0.001f);
}

TEST_F(GUIGameLogicTextTest, FinishedTextsLeaveAndTheOthersKeepTheirOrder)
{
    manager.AddText(0, 0, u"first");
    Step(1.0f);
    manager.AddText(0, 0, u"second");
    manager.AddText(0, 0, u"third");
    Step(0.5f);
    manager.AddText(0, 0, u"fourth");
    Step(0.5f);
    ASSERT_EQ(manager.GetTexts().size(), 3u);
    EXPECT_EQ(manager.GetTexts()[0]->lines[0], u"second");
    EXPECT_EQ(manager.GetTexts()[2]->lines[0], u"fourth");
}

} // namespace
} // namespace ActionPuzzle
