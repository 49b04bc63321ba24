// The main menu as it is drawn: the game on the real drivers (SDL's
// offscreen video on Mesa), its frames read back from the screen. A hover
// changes the picture inside the hovered button's box and nowhere else on
// the menu's frame, for every button.
#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/gui/GUIButton.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/GameTestSupport.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/RealGameFixture.h"

namespace ActionPuzzle {
namespace {

using Box = TestSupport::ScreenBox;

// The mean difference of the colour channels over a box, leaving out
// another box and the two GUI units around it, where its edge blends in.
double Difference(const ZorvaneEngine::Image& a, const ZorvaneEngine::Image& b, const Box& box,
                  const Box* except = nullptr)
{
    return TestSupport::MeanDifference(a, b, box, except, 2.0f);
}

class MainMenuPixelTest : public TestSupport::RealGameTest {};

TEST_F(MainMenuPixelTest, EachButtonLightsUpInItsOwnBoxWhenHovered)
{
    ASSERT_NO_FATAL_FAILURE(StartWithAnn());
    auto& menu = *static_cast<GUIMainMenuWindow*>(game->MainMenu());
    menu.Open();
    ASSERT_TRUE(WaitFor([&] { return TestSupport::SdlPlayer::OnScreen(menu); }));
    // No trail in the pictures.
    game->Cursor()->Show(false);
    PointAt(700, 300);
    for (int i = 0; i < 60; ++i)
        Frame();

    const ZorvaneEngine::Image rest = Capture();
    const Box frame{284, 49, 516, 431};
    for (int i = 0; i < GUIMainMenuWindow::ButtonCount; ++i) {
        SCOPED_TRACE(i);
        const ZorvaneEngine::GUIButton& button = *menu.buttons[i];
        const ZorvaneEngine::Vector2 at = button.GetAbsolutePosition();
        const Box box{at.x, at.y, at.x + 200, at.y + 44};
        // Where the layout puts it: stacked 52 apart from the top.
        EXPECT_EQ(at.x, 300.0f);
        EXPECT_EQ(at.y, 372.0f - 52.0f * static_cast<float>(i));
        PointAt(at.x + 100, at.y + 22);
        for (int f = 0; f < 3; ++f)
            Frame();
        EXPECT_EQ(button.state, ZorvaneEngine::ButtonStateHover);
        const ZorvaneEngine::Image hovered = Capture();
        const double inside = Difference(rest, hovered, box);
        const double elsewhere = Difference(rest, hovered, frame, &box);
        EXPECT_GT(inside, 4.0);
        EXPECT_LT(elsewhere, 0.05);
    }
}

} // namespace
} // namespace ActionPuzzle
