// The game's part of the screen state machine, on the built data set: the
// routes only this game has, its music between menus and levels, its
// cursor and background changes, and the end of the game.
#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "engine/gui/GUIWindow.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLogicBase.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameWindowActions.h"

namespace ActionPuzzle {
namespace {

using GameFramework::FadeState;
using GameFramework::MusicTrack;
using GameFramework::WindowAction;
using TestSupport::Journal;

class GameScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.UseBuiltData();
        world.Start();
        game().SpyOnStartUp();
        game().RunStartUp(world.env.scripted);
        ASSERT_TRUE(game().HasAllWindows());
        startUpJournal = game().journal;
        GameFramework::ProfileBase* ann = game().Profiles()->AddProfile(u"Ann");
        ASSERT_NE(ann, nullptr);
        game().Profiles()->currentProfile = ann;
        game().SpyOnScreens();
        game().journal.clear();
    }

    TestSupport::GameUnderTest& game() { return *world.game; }

    // The screen leaves the result; the next frame handles it. What the
    // handlers did to the spied screens.
    Journal Act(const std::string& screen, WindowAction result)
    {
        game().Result(screen) = result;
        game().Update();
        Journal events = game().journal;
        game().journal.clear();
        return events;
    }

    // Frames of 20 ms, for fades to run.
    void Wait(int milliseconds)
    {
        for (int t = 0; t < milliseconds; t += 20) {
            world.env.scripted.Advance(20);
            game().Update();
        }
        game().journal.clear();
    }

    // The level loading screen loads in the update after "LOADING" stands
    // typed on a free screen (the spied menus never give the screen back);
    // its result starts the level.
    void LoadLevel()
    {
        game().LoadingTextTyped();
        game().Update();
        game().Update();
    }

    // From the level start screen into a level: its load, its HUD.
    void PlayLevel()
    {
        Act("level start", WindowAction::Play);
        LoadLevel();
        ASSERT_NE(game().Logic(), nullptr);
        game().journal.clear();
    }

    const MusicTrack& Track(int32_t id) { return *game().Player()->FindMusic(id); }
    bool FadesIn(int32_t id, float speed)
    {
        return Track(id).fadeState == FadeState::FadingIn && Track(id).fadeSpeed == speed;
    }
    bool FadesOut(int32_t id)
    {
        return Track(id).fadeState == FadeState::FadingOutThenStop && Track(id).fadeSpeed == 1.0f;
    }

    TestSupport::GameEnvironment world;
    Journal startUpJournal;
};

TEST_F(GameScreensTest, StartUpOpensTheLoadingScreenStartsTheMenuTrackAndWaitsForTheBackground)
{
    EXPECT_EQ(startUpJournal, (Journal{"close logos", "open start-up loading(keeper)", "close start-up loading"}));
    EXPECT_TRUE(game().Background()->IsActive());
    // Nothing played before, so nothing was stopped: the menu track faded
    // in during the intro.
    EXPECT_EQ(Track(MusicMenu).fadeState, FadeState::Steady);
    EXPECT_EQ(Track(MusicMenu).fadeLevel, 1.0f);
    EXPECT_EQ(Track(MusicGame0).fadeState, FadeState::Steady);

    // The show place's window waits hidden under the menus.
    ZorvaneEngine::GUIWindow* showPlace = game().ShowPlace()->GetWindow();
    ASSERT_NE(showPlace, nullptr);
    EXPECT_EQ(showPlace->GetFlags(), 0u);
    EXPECT_EQ(showPlace->size.x, 800.0f);
    EXPECT_EQ(showPlace->size.y, 0.0f);
    EXPECT_EQ(showPlace->model, nullptr);
    EXPECT_EQ(showPlace->GetParent(), game().Background()->GetMenuRoot());

    // The menus started once the background let them: the game
    // acknowledged it, the first screen took the free screen, and the
    // background went on.
    EXPECT_TRUE(game().Background()->IsMenuReadyAcknowledged());
    EXPECT_TRUE(static_cast<GUIWelcomeWindow*>(game().Welcome())->shown);
    EXPECT_FALSE(game().WindowManager()->free);
    game().Update();
    EXPECT_EQ(game().Background()->GetState(), BackgroundState::Settling);
}

// A new player's first start: the introduction, the tutorial, and the
// level loading behind a hidden cursor.
TEST_F(GameScreensTest, ANewPlayerReadsTheIntroductionAndTheTutorialBeforeTheFirstLevel)
{
    Profile* ann = game().Profile();
    ASSERT_TRUE(ann->introductionPending);
    EXPECT_EQ(Act("main menu", ToIntroduction), (Journal{"close main menu", "open introduction"}));
    EXPECT_EQ(Act("introduction", WindowAction::Play), (Journal{"close introduction", "open level start(2)"}));
    EXPECT_FALSE(ann->introductionPending);

    EXPECT_EQ(Act("level start", ToTutorial), (Journal{"close level start", "open tutorial"}));
    EXPECT_TRUE(game().Tutorial()->show);
    EXPECT_EQ(Act("tutorial", WindowAction::ToMainMenu), (Journal{"close tutorial", "open main menu"}));
    ann->tutorialPending = false;
    Act("level start", ToTutorial);
    EXPECT_FALSE(game().Tutorial()->show);
    EXPECT_EQ(Act("tutorial", WindowAction::Proceed), (Journal{"close tutorial", "open level start(13)"}));

    game().Cursor()->Show(true);
    EXPECT_EQ(Act("level start", WindowAction::Play), (Journal{"close level start", "open level loading(keeper)"}));
    EXPECT_FALSE(game().Cursor()->IsShown());
    LoadLevel();
    EXPECT_EQ(game().journal, (Journal{"close level loading", "open hud"}));
    EXPECT_TRUE(game().Cursor()->IsShown());
    ASSERT_NE(game().Logic(), nullptr);

    // The background shows the level; the first level track fades in.
    const GUIBackgroundWindow& background = *game().Background();
    EXPECT_EQ(background.GetState(), BackgroundState::PlateDown);
    EXPECT_FALSE(background.IsFadingIn());
    // Set to 1 when the level started, the menu scene is fading out.
    EXPECT_GT(background.GetLook(), 0.9f);
    EXPECT_LT(background.GetLook(), 1.0f);
    EXPECT_TRUE(background.GetPlateHandOver().IsIdle());
    EXPECT_TRUE(FadesIn(MusicGame0, 0.1f));
    EXPECT_TRUE(FadesOut(MusicMenu));
}

TEST_F(GameScreensTest, TheIntroductionContinuesAGameInProgress)
{
    game().Profile()->inProgress = true;
    EXPECT_EQ(Act("introduction", WindowAction::Play), (Journal{"close introduction", "open continue"}));
    EXPECT_FALSE(game().Profile()->introductionPending);
}

TEST_F(GameScreensTest, LevelsTakeTurnsWithTheTwoLevelTracks)
{
    PlayLevel();
    EXPECT_TRUE(FadesIn(MusicGame0, 0.1f));
    // Restarting loads the level anew: the other track.
    Wait(1200);
    EXPECT_EQ(Act("restart question", WindowAction::Proceed), (Journal{"close hud", "open level start(6)"}));
    PlayLevel();
    EXPECT_TRUE(FadesIn(MusicGame1, 0.1f));
    // A while in the menus changes nothing: the third level has the first
    // track again.
    Wait(1200);
    EXPECT_EQ(Act("leave question", WindowAction::ToMainMenu), (Journal{"close hud", "open main menu"}));
    Wait(1200);
    PlayLevel();
    EXPECT_TRUE(FadesIn(MusicGame0, 0.1f));
    EXPECT_TRUE(FadesOut(MusicMenu));
}

// Every way out of a level fades the level track out and the menu track
// in; a level won keeps its track under the level complete screen.
TEST_F(GameScreensTest, LeavingALevelBringsBackTheMenuTrack)
{
    struct Row {
        const char* screen;
        WindowAction result;
    };
    const Row rows[] = {
        {"leave question", WindowAction::ToMainMenu},
        {"restart question", WindowAction::Proceed},
        {"level complete", WindowAction::Proceed},
        {"stage complete", WindowAction::Proceed},
        {"game over", WindowAction::Done},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.screen);
        game().Profile()->inProgress = false;
        Act("main menu", WindowAction::Play);
        PlayLevel();
        Wait(1200);  // the menu track has faded out and stopped
        const int32_t levelTrack = game().LevelTrackIndex() == 1 ? MusicGame0 : MusicGame1;
        ASSERT_TRUE(FadesIn(levelTrack, 0.1f));
        Act(row.screen, row.result);
        EXPECT_EQ(game().Logic(), nullptr);
        EXPECT_TRUE(FadesIn(MusicMenu, 0.5f));
        EXPECT_TRUE(FadesOut(levelTrack));
        Wait(1200);
    }

    Act("main menu", WindowAction::Play);
    PlayLevel();
    const int32_t levelTrack = game().LevelTrackIndex() == 1 ? MusicGame0 : MusicGame1;
    game().Cursor()->SelectCursor(2);
    game().Logic()->SetState(GameFramework::GameLogicState::Won);
    game().Update();
    EXPECT_EQ(game().Cursor()->GetCurrentId(), 0);
    EXPECT_TRUE(FadesIn(levelTrack, 0.1f));
    EXPECT_TRUE(FadesOut(MusicMenu));
}

// Leaving within a second of the load, the menu track is still fading out
// and counts as playing: it is left to end, and the menus stay silent
// until the next request for the menu track.
TEST_F(GameScreensTest, LeavingALevelAtOnceLeavesTheMenuTrackFadingOut)
{
    PlayLevel();
    Act("leave question", WindowAction::ToMainMenu);
    EXPECT_TRUE(FadesOut(MusicMenu));
    EXPECT_TRUE(FadesOut(MusicGame0));
}

TEST_F(GameScreensTest, WindowsOverTheLevelTakeTheOrdinaryCursor)
{
    PlayLevel();
    for (WindowAction result : {WindowAction::ToExit, WindowAction::Pause, WindowAction::ToGameMenu}) {
        game().Cursor()->SelectCursor(1);
        Act("hud", result);
        EXPECT_EQ(game().Cursor()->GetCurrentId(), 0) << static_cast<int>(result);
        game().Logic()->SetState(GameFramework::GameLogicState::Playing);
    }
}

TEST_F(GameScreensTest, TheShowPlaceStepsAsideAndReturnsToTheMainMenu)
{
    EXPECT_EQ(Act("main menu", ToShowPlace), (Journal{"close main menu"}));
    GUIUpgradeWindow& showPlace = *game().ShowPlace();
    EXPECT_TRUE(showPlace.active);
    EXPECT_EQ(showPlace.time, 0.0f);
    EXPECT_EQ(showPlace.result, WindowAction::None);

    // It shows its window while it runs; its end hides it again.
    showPlace.GetWindow()->SetVisible(true);
    showPlace.time = 3.0f;
    EXPECT_EQ(Act("show place", WindowAction::ToMainMenu), (Journal{"open main menu"}));
    EXPECT_FALSE(showPlace.GetWindow()->GetFlags() & 1u);
    EXPECT_FALSE(showPlace.active);
    EXPECT_EQ(showPlace.time, 0.0f);
}

TEST_F(GameScreensTest, TheHighScoresOfferTheRelaxModeOrReturnToTheMainMenu)
{
    EXPECT_EQ(Act("high scores", ToRelaxOffer), (Journal{"close high scores", "open relax"}));
    EXPECT_EQ(Act("relax", WindowAction::ToMainMenu), (Journal{"close relax", "open main menu"}));
    EXPECT_EQ(Act("high scores", WindowAction::ToMainMenu), (Journal{"close high scores", "open main menu"}));
    // Results the game does not route are dropped.
    EXPECT_EQ(Act("high scores", WindowAction::ToHelp), Journal{});
    EXPECT_EQ(Act("relax", WindowAction::Play), Journal{});
}

TEST_F(GameScreensTest, BackFromTheProfileListTheStageLayersFollowTheCurrentProfile)
{
    EXPECT_EQ(game().Background()->GetStageIndex(), 0u);
    GameFramework::ProfileBase* bob = game().Profiles()->AddProfile(u"Bob");
    bob->stage = 1;
    game().Profiles()->currentProfile = bob;
    EXPECT_EQ(Act("profiles", WindowAction::ToMainMenu), (Journal{"open main menu"}));
    EXPECT_EQ(game().Background()->GetStageIndex(), 1u);
}

// The effect's end opens the game complete screen, with the story for a
// player who has not completed the game before; its end is the finale.
TEST_F(GameScreensTest, TheEndOfTheGameTellsTheStoryOnceAndEarnsTheUnicorn)
{
    Profile* ann = game().Profile();
    ASSERT_TRUE(ann->gameNotCompleted);
    game().Effect()->GetRootWindow()->SetVisible(true);
    EXPECT_EQ(Act("effect", WindowAction::GameComplete), (Journal{"open game complete"}));
    EXPECT_FALSE(game().Effect()->GetRootWindow()->GetFlags() & 1u);
    EXPECT_TRUE(game().GameComplete()->showText);

    // A unicorn on screen leaves.
    GUIUnicorn& unicorn = *game().Unicorn();
    unicorn.window = game().Background()->GetMenuRoot();
    unicorn.showing = true;
    unicorn.clock = 4.0f;
    unicorn.done = true;
    EXPECT_EQ(Act("game complete", WindowAction::Done), (Journal{"close game complete", "open main menu"}));
    EXPECT_FALSE(ann->gameNotCompleted);
    const GUIBackgroundWindow& background = *game().Background();
    EXPECT_TRUE(background.IsUnicornEnabled());
    EXPECT_TRUE(background.IsUnicornEarned());
    EXPECT_TRUE(background.IsFinaleFadingIn());
    EXPECT_FALSE(background.IsFinaleFadingOut());
    // Started in the frame's handling; the background's update ran since.
    EXPECT_LT(background.GetFinaleTime(), 0.05f);
    EXPECT_FALSE(unicorn.showing);
    EXPECT_TRUE(unicorn.leaving);
    // Its clock started again at the handling; its own update ran since.
    EXPECT_LT(unicorn.clock, 0.05f);
    EXPECT_FALSE(unicorn.done);
    unicorn.window = nullptr;

    // The flag was saved: the profile read again has completed the game.
    auto reread = game().Profiles()->LoadProfile(ann->GetFileName());
    EXPECT_FALSE(static_cast<Profile&>(*reread).gameNotCompleted);

    // A second completion goes straight through.
    Act("effect", WindowAction::GameComplete);
    EXPECT_FALSE(game().GameComplete()->showText);
}

TEST_F(GameScreensTest, GoingBackALevelOpensTheLevelStartAfterTheLevel)
{
    game().EnterLevel(0, 1);
    game().GoToPreviousLevel();
    EXPECT_EQ(game().journal, (Journal{"close hud", "open level start(2)", "open level start(8)"}));
    EXPECT_EQ(game().Profile()->level, 0u);
    EXPECT_EQ(game().Logic(), nullptr);
}

} // namespace
} // namespace ActionPuzzle
