// The options, high-score and help screens as they are drawn: the game on
// the real drivers (SDL's offscreen video), its frames read back from the
// screen and kept as pictures in the build folder's "screens" folder.
#include <gtest/gtest.h>

#include <string>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/gui/GUIButton.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/GameTestSupport.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/RealGameFixture.h"

namespace ActionPuzzle {
namespace {

using TestSupport::MeanDifference;
using Box = TestSupport::ScreenBox;

class OptionsScreensPixelTest : public TestSupport::RealGameTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartWithAnn());
        // No pointer trail in the pictures.
        game->Cursor()->Show(false);
    }

    void Click(const ZorvaneEngine::GUIWindow& widget)
    {
        Hands().Click(widget, 3, 2);
        // Off every control, so no hover light stays in the picture.
        PointAt(790, 590);
        for (int i = 0; i < 20; ++i)
            Frame();
    }

    GUIMainMenuWindow& MainMenu() { return *static_cast<GUIMainMenuWindow*>(game->MainMenu()); }
};

// The big window's inside, below its title plate and above its buttons.
constexpr Box kWindowInside{182, 100, 618, 400};

TEST_F(OptionsScreensPixelTest, TheResolutionLabelChangesOnlyInItsPanel)
{
    auto& options = *static_cast<GUIOptionsWindow*>(game->Options());
    MainMenu().Open();
    ASSERT_TRUE(WaitOnScreen(MainMenu()));
    Click(*MainMenu().buttons[GUIMainMenuWindow::Options]);
    ASSERT_TRUE(WaitOnScreen(options));
    const ZorvaneEngine::Image before = Shot("options");
    ASSERT_FALSE(before.IsEmpty());

    Click(*options.rightButton);
    ASSERT_EQ(options.GetSelectedIndex(), 2u);
    const ZorvaneEngine::Image after = Shot("options_next_resolution");
    const Box panel{330, 248, 470, 276};
    EXPECT_GT(MeanDifference(before, after, panel), 2.0);
    EXPECT_LT(MeanDifference(before, after, kWindowInside, &panel), 0.05);
}

TEST_F(OptionsScreensPixelTest, TheHighScoreRowsAreDrawnInTheWindow)
{
    // A full arcade table and no relax scores.
    GameFramework::HighScoresTable& table = *game->HighScoreTable();
    const char16_t* names[] = {u"Bo", u"Cai", u"Dee", u"Eve", u"Fritz Müller", u"Gül", u"Hanne", u"Ida", u"Jo"};
    uint32_t score = 14200;
    for (const char16_t* name : names) {
        table.AddScore(name, 0, score);
        score -= 1150;
    }
    GameFramework::HighScoreEntry* entry = table.AddScore(u"Ann", 0, 8800);
    auto& scores = *static_cast<GUIHighScoresWindow*>(game->HighScoresScreen());
    scores.Open(GameFramework::HighScoresOpenMode::AfterGameOver, entry);
    ASSERT_TRUE(WaitOnScreen(scores));
    const ZorvaneEngine::Image arcade = Shot("high_scores");
    ASSERT_FALSE(arcade.IsEmpty());

    // Ten rows against none: the rows are drawn where the columns stand,
    // and only there.
    Click(*scores.modeButton);
    ASSERT_TRUE(WaitFor([&] { return scores.shownMode == 1 && scores.tableAlpha >= 1.0f; }));
    const ZorvaneEngine::Image relax = Shot("high_scores_relax");
    const Box lowerRows{200, 284, 560, 340};
    EXPECT_GT(MeanDifference(arcade, relax, lowerRows), 2.0);
    const Box beside{560, 150, 618, 370};
    EXPECT_LT(MeanDifference(arcade, relax, beside), 0.05);

}

TEST_F(OptionsScreensPixelTest, HelpFillsTheWindowWithItsLines)
{
    auto& help = *static_cast<GUIHelpWindow*>(game->Help());
    auto& options = *static_cast<GUIOptionsWindow*>(game->Options());
    help.Open();
    ASSERT_TRUE(WaitOnScreen(help));
    const ZorvaneEngine::Image lines = Shot("help");
    ASSERT_FALSE(lines.IsEmpty());
    help.Close();
    ASSERT_TRUE(WaitFor([&] { return game->WindowManager()->free; }));

    // Against the same frame with other contents: every paragraph of the
    // help, from the top heading to the last line, has ink of its own.
    options.Open();
    ASSERT_TRUE(WaitOnScreen(options));
    const ZorvaneEngine::Image other = Shot("options_after_help");
    for (const Box& band : {Box{190, 370, 610, 398}, Box{190, 270, 610, 300}, Box{190, 145, 610, 175}}) {
        SCOPED_TRACE(band.y0);
        EXPECT_GT(MeanDifference(lines, other, band), 1.0);
    }
}

} // namespace
} // namespace ActionPuzzle
