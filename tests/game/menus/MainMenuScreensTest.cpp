// The main menu, the quit question and the continue offer on the built
// data set, played with the scripted mouse.
#include <gtest/gtest.h>

#include "engine/core/Config.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "framework/ProfileBase.h"
#include "game/common/GameWindowActions.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/MenuPlayer.h"

namespace ActionPuzzle {
namespace {

using GameFramework::ExitOpenMode;
using GameFramework::WindowAction;
using TestSupport::GameEnvironment;
using TestSupport::MenuPlayer;

class MainMenuScreensTest : public ::testing::Test {
protected:
    // Ann's game, the welcome screen put away before it appears.
    void SetUp() override
    {
        ann = static_cast<Profile*>(world.StartWithNewPlayer(u"Ann"));
        ASSERT_NE(ann, nullptr);
    }

    TestSupport::GameUnderTest& Game() { return *world.game; }
    GUIMainMenuWindow& MainMenu() { return *static_cast<GUIMainMenuWindow*>(Game().MainMenu()); }
    GUIExitWindow& Quit() { return *static_cast<GUIExitWindow*>(Game().Quit()); }
    GUIContinueGameLogicWindow& Offer() { return *static_cast<GUIContinueGameLogicWindow*>(Game().Continue()); }

    GameEnvironment world;
    MenuPlayer player{world};
    Profile* ann = nullptr;
};

TEST_F(MainMenuScreensTest, TheButtonsAnswerOnlyOnceTheMenuHasAppeared)
{
    MainMenu().Open();
    EXPECT_EQ(MainMenu().title,
              Game().Engine()->guiManager->GetTextManager()->GetText("MAIN_MENU_WELCOME") + u" Ann!");
    // The buttons have slid in; the frame still appears.
    ASSERT_TRUE(player.WaitFor([&] { return !MainMenu().buttonControls[0]->IsAppearing() && MainMenu().shown; }));
    ASSERT_TRUE(MainMenu().IsAnyControlAnimating());
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::HighScores]);
    EXPECT_EQ(MainMenu().result, WindowAction::None);

    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::Start]);
    EXPECT_EQ(MainMenu().result, ToIntroduction);
    // The handler took the menu away: back for a profile that has seen
    // the introduction.
    ann->introductionPending = false;
    Game().Profiles()->AddProfile(u"Bo");
    player.Frame();
    Game().Introduction()->Close();
    ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    MainMenu().Open();
    ASSERT_TRUE(player.WaitOnScreen(MainMenu()));
    player.Click(*MainMenu().buttons[GUIMainMenuWindow::Start]);
    EXPECT_EQ(MainMenu().result, WindowAction::Play);
}

TEST_F(MainMenuScreensTest, TheQuitQuestionEndsTheProgramOnlyOnceItHasFaded)
{
    struct Case {
        ExitOpenMode mode;
        WindowAction no;
    };
    for (const Case& c : {Case{ExitOpenMode::FromWelcome, WindowAction::ToWelcome},
                          Case{ExitOpenMode::FromMainMenu, WindowAction::ToMainMenu},
                          Case{ExitOpenMode::FromNewProfile, WindowAction::ToNewProfile}}) {
        Quit().Open(c.mode);
        ASSERT_TRUE(player.WaitOnScreen(Quit()));
        player.Click(*Quit().cancel);
        EXPECT_EQ(Quit().result, c.no);
        // The screen it leads to is put away again.
        player.Frame();
        for (GameFramework::WindowControllerBase* next :
             std::initializer_list<GameFramework::WindowControllerBase*>{Game().Welcome(), Game().MainMenu(),
                                                                         Game().NewProfile()})
            next->Close();
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }

    Quit().Open(ExitOpenMode::FromMainMenu);
    ASSERT_TRUE(player.WaitOnScreen(Quit()));
    player.Click(*Quit().confirm);
    EXPECT_TRUE(Quit().quitting);
    EXPECT_FALSE(Quit().shown);
    int fading = 0;
    while (Quit().result != WindowAction::Quit && fading < 200) {
        // Not while any of it can still be seen.
        EXPECT_TRUE(Quit().frameWidget->effectivelyVisible || Quit().frameControl->appearWindow->effectivelyVisible);
        player.Frame();
        ++fading;
    }
    EXPECT_GT(fading, 5);
    EXPECT_EQ(Quit().result, WindowAction::Quit);
    player.Frame();
    EXPECT_FALSE(Game().Config()->IsCommandDone("exit"));
}

TEST_F(MainMenuScreensTest, TheContinueOfferShowsTheSavedGameAndTheScoreOfWhenItOpened)
{
    ann->stage = 2;
    ann->level = 6;
    ann->modeFlag = 1;
    ann->totalScore = 4321;
    Offer().Open();
    ASSERT_TRUE(player.WaitOnScreen(Offer()));
    ann->totalScore = 9999;
    player.Frame();
    const auto& values = Offer().rightColumn->GetTextItems();
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0]->key, "CONTINUE_GAME_LOGIC_GAME_MODE_RELAX");
    EXPECT_EQ(values[1]->text, u"3-7");
    EXPECT_EQ(values[2]->text, u"4321");

    player.Click(*Offer().continueButton);
    EXPECT_EQ(Offer().result, WindowAction::ContinueGame);
}

} // namespace
} // namespace ActionPuzzle
