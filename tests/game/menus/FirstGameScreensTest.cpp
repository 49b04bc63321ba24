// The screens of a player's first game on the built data set, played with
// the scripted mouse: the relax offer and its lines, the tutorial's
// demonstration running over and over and its "do not show" box, and the
// show place that lets the scene behind the menus be seen until a click.
// Then the same first game on the real drivers (SDL's offscreen video),
// its frames read back and kept as pictures to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLoaderBase.h"
#include "framework/ProfileBase.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/common/GUIModelHelpers.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIUpgradeWindow.h"
#include "game/menus/MenuPlayer.h"
#include "game/menus/RealGameFixture.h"

namespace ActionPuzzle {
namespace {

using GameFramework::WindowAction;
using TestSupport::GameEnvironment;
using TestSupport::MenuPlayer;
using TestSupport::MeanDifference;
using ZorvaneEngine::AnimationControl;

class FirstGameScreensTest : public ::testing::Test {
protected:
    // Ann's first game: the welcome screen put away and the screen free.
    void SetUp() override
    {
        ann = static_cast<Profile*>(world.StartWithNewPlayer(u"Ann"));
        ASSERT_NE(ann, nullptr);
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }

    TestSupport::GameUnderTest& Game() { return *world.game; }
    std::unique_ptr<GameFramework::ProfileBase> SavedAnn()
    {
        return Game().Profiles()->LoadProfile(ann->GetFileName());
    }
    bool Gone(const GUIMenuWindow& window)
    {
        return player.WaitFor([&] { return !window.IsFrameVisible() && Game().WindowManager()->free; });
    }
    // The main menu the routes open after these screens, put away.
    void PutMainMenuAway()
    {
        player.Frame();
        Game().MainMenu()->Close();
    }

    GameEnvironment world;
    MenuPlayer player{world};
    Profile* ann = nullptr;
};

// YES switches the player to the relax mode and saves it; NO changes
// nothing. Both go back to the main menu.
TEST_F(FirstGameScreensTest, TheRelaxOfferSwitchesTheModeOnlyOnYes)
{
    GUIRelaxWindow& relax = *Game().Relax();
    struct Case {
        const char* answer;
        bool yes;
        uint32_t mode;
    };
    for (const Case& c : {Case{"NO", false, 0}, Case{"YES", true, 1}}) {
        SCOPED_TRACE(c.answer);
        ann->modeFlag = 0;
        ann->Save();
        // Not saved: only a save by the window would write it.
        ann->totalScore = 77;
        relax.Open();
        ASSERT_TRUE(player.WaitOnScreen(relax));
        player.Click(c.yes ? *relax.yesButton : *relax.noButton);
        EXPECT_EQ(relax.result, WindowAction::ToMainMenu);
        EXPECT_EQ(ann->modeFlag, c.mode);
        EXPECT_EQ(SavedAnn()->modeFlag, c.mode);
        EXPECT_EQ(SavedAnn()->totalScore, c.yes ? 77u : 0u);
        PutMainMenuAway();
        ASSERT_TRUE(Gone(relax));
        ann->totalScore = 0;
        ann->Save();
    }
}

// The offer's lines stand one under the other from the top of the frame; a
// count that is no number shows none, one beyond reason only what fits.
TEST_F(FirstGameScreensTest, TheRelaxOfferShowsTheLinesItsTableCounts)
{
    GUIRelaxWindow& relax = *Game().Relax();
    relax.Open();
    EXPECT_EQ(relax.lineCount, 5u);
    ASSERT_TRUE(player.WaitOnScreen(relax));
    player.Frame();
    const auto& lines = relax.frameWidget->GetTextItems();
    ASSERT_EQ(lines.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i]->key, "RELAX_TEXT_");
        EXPECT_EQ(lines[i]->number, i);
        EXPECT_EQ(lines[i]->offset.y, 276.0f - 20.0f * static_cast<float>(i));
        EXPECT_EQ(lines[i]->font, 2);
    }
    relax.Close();
    ASSERT_TRUE(Gone(relax));

    ZorvaneEngine::GUITextManager& texts = *Game().Engine()->guiManager->GetTextManager();
    struct Case {
        const char16_t* size;
        uint32_t lines;
    };
    for (const Case& c : {Case{u"some", 0}, Case{u"", 0}, Case{u"4000000000", GUIRelaxWindow::MaxLines}}) {
        texts.AddText("RELAX_TEXT_SIZE", c.size);
        relax.Open();
        EXPECT_EQ(relax.lineCount, c.lines);
        relax.Close();
    }
}

// The pointer's picture and the blocked slot along the pointer's path.
TEST(TutorialDemonstration, PointerPicturesAndTheOpeningSlot)
{
    struct Case {
        float frame;
        uint32_t picture;
        float slot;
    };
    for (const Case& c : {Case{0, 0, 1}, Case{4, 2, 1}, Case{5, 2, 1}, Case{6, 2, 1}, Case{10, 0, 1},
                          Case{53, 1, 1}, Case{55, 0, 1}, Case{75, 2, 1}, Case{77.5f, 0, 0.5f}, Case{80, 2, 0},
                          Case{91, 2, 0}, Case{92, 0, 0}}) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(GUITutorialWindow::PointerPicture(c.frame), c.picture);
        EXPECT_FLOAT_EQ(GUITutorialWindow::ClosedSlotOpacity(c.frame), c.slot);
    }
}

// Once the window has faded in, the pieces and the pointer play one run;
// the pointer hangs from the path's hot spot and shows its buttons; the
// blocked slot opens; a second and a half after the run the next begins.
TEST_F(FirstGameScreensTest, TheTutorialDemonstrationRunsOverAndOver)
{
    GUITutorialWindow& tutorial = *Game().Tutorial();
    ASSERT_NE(tutorial.pathWindow->model, nullptr);
    ASSERT_NE(tutorial.pointerWindow->model, nullptr);
    const AnimationControl& path = *tutorial.pathWindow->model->GetAnimation();
    const AnimationControl& pointer = *tutorial.pointerWindow->model->GetAnimation();
    const AnimationControl& lastPiece = *tutorial.pieceWindows[3]->model->GetAnimation();
    ASSERT_GE(path.GetFrameCount(), 92u);
    EXPECT_FALSE(tutorial.boardWindow->effectivelyVisible);

    tutorial.show = true;
    tutorial.Open();
    ASSERT_TRUE(player.WaitFor([&] { return tutorial.shown && tutorial.colour.a > 0.0f; }));
    EXPECT_TRUE(tutorial.boardWindow->effectivelyVisible);
    EXPECT_FALSE(path.playing);
    ASSERT_TRUE(player.WaitFor([&] { return path.playing; }));
    EXPECT_GE(tutorial.colour.a, 1.0f);
    EXPECT_TRUE(lastPiece.playing);
    EXPECT_FLOAT_EQ(tutorial.closedSlotWindow->GetColor().a, 1.0f);

    // Each frame the pointer stands where the path's hot spot stood after
    // the frame before.
    const ZorvaneEngine::Vector2 origin = tutorial.frameWidget->GetAbsolutePosition();
    std::set<uint32_t> pictures;
    std::set<std::pair<int, int>> places;
    ZorvaneEngine::Vector2 hotSpot = BoxCorner(*tutorial.pathWindow->model);
    int frames = 0;
    for (; path.playing && frames < 1000; ++frames) {
        player.Frame();
        const ZorvaneEngine::Vector2 at = tutorial.pointerWindow->position;
        EXPECT_NEAR(at.x, hotSpot.x - origin.x, 0.01f);
        EXPECT_NEAR(at.y, hotSpot.y - origin.y, 0.01f);
        places.insert({static_cast<int>(at.x), static_cast<int>(at.y)});
        pictures.insert(static_cast<uint32_t>(pointer.position));
        hotSpot = BoxCorner(*tutorial.pathWindow->model);
    }
    // 96 frames at 8 a second.
    EXPECT_NEAR(frames * 0.02f, static_cast<float>(path.GetFrameCount() - 1) / 8.0f, 0.1f);
    EXPECT_EQ(pictures, (std::set<uint32_t>{0, 1, 2}));
    EXPECT_GT(places.size(), 50u);
    EXPECT_FALSE(lastPiece.playing);
    player.Frame();
    EXPECT_FLOAT_EQ(tutorial.closedSlotWindow->GetColor().a, 0.0f);

    int pause = 0;
    for (; !path.playing && pause < 200; ++pause)
        player.Frame();
    EXPECT_NEAR(pause * 0.02f, GUITutorialWindow::PauseBetweenRuns, 0.05f);
    EXPECT_TRUE(lastPiece.playing);
    EXPECT_LT(path.position, 1.0f);
    player.Frame();
    EXPECT_FLOAT_EQ(tutorial.closedSlotWindow->GetColor().a, 1.0f);

    // Closed, the demonstration goes with the frame.
    player.Click(*tutorial.backButton);
    EXPECT_EQ(tutorial.result, WindowAction::ToMainMenu);
    PutMainMenuAway();
    ASSERT_TRUE(Gone(tutorial));
    EXPECT_FALSE(tutorial.boardWindow->effectivelyVisible);
    EXPECT_FALSE(tutorial.pointerWindow->effectivelyVisible);
}

// The ticked box counts only with CONTINUE: BACK neither clears the flag
// nor saves the player, and BACK wins over CONTINUE in the same frame.
TEST_F(FirstGameScreensTest, TheTutorialsBoxCountsOnlyWithContinue)
{
    GUITutorialWindow& tutorial = *Game().Tutorial();
    ASSERT_TRUE(ann->tutorialPending);
    tutorial.show = true;
    tutorial.Open();
    ASSERT_TRUE(player.WaitOnScreen(tutorial));
    EXPECT_FALSE(tutorial.doNotShowBox->checkBox->checked);
    player.Click(*tutorial.doNotShowBox);
    ASSERT_TRUE(tutorial.doNotShowBox->checkBox->checked);
    ann->totalScore = 77;
    player.Click(*tutorial.backButton);
    EXPECT_EQ(tutorial.result, WindowAction::ToMainMenu);
    EXPECT_TRUE(ann->tutorialPending);
    EXPECT_TRUE(static_cast<Profile*>(SavedAnn().get())->tutorialPending);
    EXPECT_EQ(SavedAnn()->totalScore, 0u);
    PutMainMenuAway();
    ASSERT_TRUE(Gone(tutorial));

    // Opened again, the box is clear.
    tutorial.Open();
    ASSERT_TRUE(player.WaitOnScreen(tutorial));
    EXPECT_FALSE(tutorial.doNotShowBox->checkBox->checked);
    tutorial.continueButton->button->clicked = true;
    tutorial.backButton->button->clicked = true;
    tutorial.Update();
    EXPECT_EQ(tutorial.result, WindowAction::ToMainMenu);
    tutorial.continueButton->button->clicked = false;
    tutorial.backButton->button->clicked = false;
}

// The show place: the main menu goes, the frame fades away, the title is
// cleared; the prompt comes after two and a half seconds; a click in the
// first second is ignored, a later one brings the menus back, and the main
// menu opens once they are back.
TEST_F(FirstGameScreensTest, TheShowPlaceWaitsForAClickAfterItsFirstSecond)
{
    auto& menu = *static_cast<GUIMainMenuWindow*>(Game().MainMenu());
    GUIUpgradeWindow& show = *Game().ShowPlace();
    GUIBackgroundWindow& background = *Game().Background();
    const GameTools::GUITextPrinter& title = *background.GetCentreTextPrinter();
    menu.Open();
    ASSERT_TRUE(player.WaitOnScreen(menu));
    EXPECT_FALSE(show.GetWindow()->effectivelyVisible);

    player.Click(*menu.buttons[GUIMainMenuWindow::ShowPlace]);
    ASSERT_TRUE(player.WaitFor([&] { return show.active; }));
    ASSERT_TRUE(player.WaitFor([&] { return show.GetWindow()->effectivelyVisible; }));
    EXPECT_FALSE(menu.IsFrameVisible());
    EXPECT_TRUE(background.IsFadingOut());

    ASSERT_TRUE(player.WaitFor([&] { return show.time >= 0.9f; }));
    EXPECT_EQ(show.GetPromptAlpha(), 0.0f);
    player.Press("MOUSE1");
    EXPECT_TRUE(show.active);
    EXPECT_TRUE(background.IsFadingOut());
    EXPECT_TRUE(title.shownText.empty());
    EXPECT_TRUE(title.targetText.empty());

    ASSERT_TRUE(player.WaitFor([&] { return show.time >= 2.45f; }));
    EXPECT_EQ(show.GetPromptAlpha(), 0.0f);
    ASSERT_TRUE(player.WaitFor([&] { return show.time >= 3.0f; }));
    EXPECT_NEAR(show.GetPromptAlpha(), 0.5f, 0.03f);
    ASSERT_TRUE(player.WaitFor([&] { return show.time >= 3.5f; }));
    EXPECT_EQ(show.GetPromptAlpha(), 1.0f);
    player.Wait(1.0f);
    EXPECT_TRUE(show.active);
    EXPECT_FALSE(menu.shown);

    player.Press("SPACE");
    EXPECT_FALSE(show.active);
    EXPECT_FALSE(background.IsFadingOut());
    EXPECT_EQ(show.GetPromptAlpha(), 0.0f);
    // Back once the menus have faded in, half a second later.
    int frames = 0;
    for (; show.GetWindow()->effectivelyVisible && frames < 200; ++frames) {
        EXPECT_FALSE(menu.openRequested || menu.shown);
        player.Frame();
    }
    EXPECT_NEAR(frames * 0.02f, 0.5f, 0.06f);
    EXPECT_TRUE(background.IsTransitionFinished());
    EXPECT_TRUE(menu.openRequested || menu.shown);
    EXPECT_FALSE(show.active);
    EXPECT_EQ(show.time, 0.0f);
    ASSERT_TRUE(player.WaitOnScreen(menu));
    EXPECT_FALSE(show.GetWindow()->effectivelyVisible);
}

class FirstGamePixelTest : public TestSupport::RealGameTest {
protected:
    FirstGamePixelTest() : RealGameTest(5000) {}

    void Click(const ZorvaneEngine::GUIWindow& widget)
    {
        PointAt(widget);
        Frame();
        Frame();
        game->Engine()->input->SetKeyState(true, "MOUSE1");
        Frame();
        game->Engine()->input->SetKeyState(false, "MOUSE1");
        Frame();
    }
    void Click(const GUIControl& control) { Click(*control.widget); }
};

// A new player's START: the story in two pages, the map, the tutorial with
// its pieces moving under the pointer; then the show place from the main
// menu and the relax offer. Every screen is drawn and differs where it
// should.
TEST_F(FirstGamePixelTest, TheFirstGameShowsItsScreens)
{
    ASSERT_NO_FATAL_FAILURE(StartWithAnn());
    auto& menu = *static_cast<GUIMainMenuWindow*>(game->MainMenu());
    menu.Open();
    ASSERT_TRUE(WaitOnScreen(menu));
    game->Cursor()->Show(false);
    const ZorvaneEngine::Image mainMenu = Shot("first_main_menu");

    Click(*menu.buttonControls[GUIMainMenuWindow::Start]);
    GUIIntroductionWindow& intro = *game->Introduction();
    ASSERT_TRUE(WaitOnScreen(intro));
    ASSERT_TRUE(WaitFor([&] { return intro.pages.pageAlpha >= 1.0f; }));
    const ZorvaneEngine::Image page1 = Shot("first_introduction_1");
    Click(*intro.continueButton);
    ASSERT_TRUE(WaitFor([&] { return intro.pages.shownPage == 1 && intro.pages.pageAlpha >= 1.0f; }));
    const ZorvaneEngine::Image page2 = Shot("first_introduction_2");
    // Another page of text between the frame's edges.
    EXPECT_GT(MeanDifference(page1, page2, {170, 120, 630, 420}), 1.0);
    Click(*intro.continueButton);

    auto& map = *static_cast<GUIStartGameLogicWindow*>(game->StartGame());
    ASSERT_TRUE(WaitOnScreen(map));
    Click(*map.startButton);
    GUITutorialWindow& tutorial = *game->Tutorial();
    ASSERT_TRUE(WaitOnScreen(tutorial));
    const AnimationControl& path = *tutorial.pathWindow->model->GetAnimation();
    ASSERT_TRUE(WaitFor([&] { return path.position >= 5.0f; }));
    const ZorvaneEngine::Image picked = Shot("first_tutorial_pick");
    ASSERT_TRUE(WaitFor([&] { return path.position >= 53.0f; }));
    Shot("first_tutorial_give_back");
    ASSERT_TRUE(WaitFor([&] { return path.position >= 94.0f || !path.playing; }));
    const ZorvaneEngine::Image done = Shot("first_tutorial_done");
    // The board fills as the pieces go in; the buttons stay as they were.
    EXPECT_GT(MeanDifference(picked, done, {130, 140, 450, 380}), 5.0);
    EXPECT_LT(MeanDifference(picked, done, {490, 40, 760, 74}), 0.5);
    Click(*tutorial.backButton);

    ASSERT_TRUE(WaitOnScreen(menu));
    Click(*menu.buttonControls[GUIMainMenuWindow::ShowPlace]);
    GUIUpgradeWindow& show = *game->ShowPlace();
    ASSERT_TRUE(WaitFor([&] { return show.GetPromptAlpha() >= 1.0f; }));
    const ZorvaneEngine::Image place = Shot("first_show_place");
    // The menu's frame has gone from the middle of the screen.
    EXPECT_GT(MeanDifference(mainMenu, place, {284, 49, 516, 431}), 5.0);
    Click(*menu.buttonControls[GUIMainMenuWindow::Start]);
    ASSERT_TRUE(WaitOnScreen(menu));

    menu.Close();
    GUIRelaxWindow& relax = *game->Relax();
    relax.Open();
    ASSERT_TRUE(WaitOnScreen(relax));
    Shot("first_relax_offer");
    Click(*relax.noButton);
    ASSERT_TRUE(WaitOnScreen(menu));
}

} // namespace
} // namespace ActionPuzzle
