// The game from a first start to a continued game, played as a player plays
// it: the real game on SDL's offscreen video and dummy audio with the data
// set the build made, and a scripted player whose every act is input in
// SDL's event queue (the pointer warped to a screen position, buttons, keys
// and typed text). The player reads the game's state only to find where
// things are on the screen, and waits for a window to be on screen before
// using it, as a player does.
//
// On the way: a name typed on the welcome screen, the introduction's pages,
// the level map of a new game with its relax box, the tutorial, a first
// game lost with a few pieces placed, its score in the high scores and the
// relax offer declined; a new game with the tutorial told not to show
// itself again, every level of the first stage won, the totem puzzle after
// the stage solved, the main menu, the options (the sound volume turned
// down, another video mode applied and the first one again), the high
// scores, the help, the quit question; then a second start that continues
// the saved game at the next stage. Each screen passed is saved as a
// picture in the build folder's screens/e2e, and neither start leaves an
// error line in its log.
//
// The game's clock moves on a fixed step a frame (SteppedClockSystem), so
// the slow sanitised frames still run in a few minutes and a loaded machine
// slows the game down rather than letting a level's queue outrun the player.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/TextUtils.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/GameLoaderBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/ScoreKeeper.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/app/Game.h"
#include "game/common/LevelManager.h"
#include "game/common/Profile.h"
#include "game/gameplay/SdlPlayer.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/gameplay/MiniGame.h"
#include "game/gameplay/MiniGameCell.h"
#include "game/menus/GUIGameLogicGameExitWindow.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUIGameLogicLoadingWindow.h"
#include "game/menus/GUIGameLogicWindow.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/GUIProfileNameEntry.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "platform/input/ScanCodes.h"
#include "platform/system/SteppedClockSystem.h"
#include "platform/system/TemporaryFolder.h"

namespace ActionPuzzle {
namespace {

using GameFramework::WindowAction;
using TestSupport::SdlPlayer;

// The game as it ships; the player's eyes see its windows.
class WatchedGame : public Game {
public:
    WatchedGame() : Game("Quobin Games", "Tangrove") {}
    ZorvaneEngine::Engine* Engine() const { return engine.get(); }
    GameFramework::ProfileManagerBase* Profiles() const { return profileManager.get(); }
    Profile* Player() const { return static_cast<Profile*>(profileManager->currentProfile); }
    GUIBackgroundWindow* Background() const { return menuBackground.get(); }
    GameLogic* Logic() const { return static_cast<GameLogic*>(gameLogic.get()); }
    GUIWelcomeWindow* Welcome() const { return static_cast<GUIWelcomeWindow*>(welcomeWindow.get()); }
    GUIMainMenuWindow* MainMenu() const { return static_cast<GUIMainMenuWindow*>(mainMenuWindow.get()); }
    GUIIntroductionWindow* Introduction() const { return introductionWindow.get(); }
    GUITutorialWindow* Tutorial() const { return tutorialWindow.get(); }
    GUIStartGameLogicWindow* Map() const { return static_cast<GUIStartGameLogicWindow*>(startGameLogicWindow.get()); }
    GUIContinueGameLogicWindow* Continue() const
    {
        return static_cast<GUIContinueGameLogicWindow*>(continueGameLogicWindow.get());
    }
    GUIOptionsWindow* Options() const { return static_cast<GUIOptionsWindow*>(optionsWindow.get()); }
    GUIHighScoresWindow* HighScores() const { return static_cast<GUIHighScoresWindow*>(highScoresWindow.get()); }
    GUIHelpWindow* Help() const { return static_cast<GUIHelpWindow*>(helpWindow.get()); }
    GUIGameOverWindow* GameOver() const { return static_cast<GUIGameOverWindow*>(gameOverWindow.get()); }
    GUIRelaxWindow* RelaxOffer() const { return relaxWindow.get(); }
    GUIExitWindow* Quit() const { return static_cast<GUIExitWindow*>(exitWindow.get()); }
    GUIGameLogicWindow* Hud() const { return static_cast<GUIGameLogicWindow*>(gameLogicWindow.get()); }
    GUIGameLogicGameExitWindow* LevelQuit() const
    {
        return static_cast<GUIGameLogicGameExitWindow*>(gameLogicGameExitWindow.get());
    }
    GUIGameLogicLoadingWindow* LevelLoading() const
    {
        return static_cast<GUIGameLogicLoadingWindow*>(gameLogicLoadingWindow.get());
    }
    GUILevelCompleteWindow* LevelComplete() const
    {
        return static_cast<GUILevelCompleteWindow*>(levelCompleteWindow.get());
    }
    bool ExitIssued() const { return !engine->config->IsCommandDone("exit"); }
};

class EndToEndTest : public ::testing::Test {
protected:
    static constexpr const char* kName = "Mira Köhler";

    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        // The player's configuration: a window, as the offscreen desktop
        // has no full screen, and frames as fast as they come, as the
        // clock is the test's.
        std::filesystem::create_directories(UserFolder());
        std::ofstream(UserFolder() / "Tangrove.ini") << "v_fullscreen 0\nv_vsync 0\n";
        std::filesystem::remove_all(Screens());
    }
    void TearDown() override { game.reset(); }

    std::filesystem::path UserFolder() const { return folder / "data/Quobin Games/Tangrove"; }
    static std::filesystem::path Screens()
    {
        return std::filesystem::path(TANGROVE_BINARY_DIR) / "screens/e2e";
    }

    // The program started as a user starts it.
    void Start()
    {
        game = std::make_unique<WatchedGame>();
        hands.Attach(*game->Engine());
    }

    // One turn of the program's loop: the waiting events, then a frame.
    void Frame()
    {
        while (GameFramework::GameLoaderBase::DispatchNextEvent()) {
        }
        clock.Step();
        game->Update();
    }

    // Every screen passed, numbered in the order met.
    void Shot(const std::string& name)
    {
        char number[8];
        std::snprintf(number, sizeof number, "%02d_", ++shots);
        hands.Screenshot(Screens(), number + name);
    }

    // On screen: appeared, faded in, its title typed; a little more for
    // the eye.
    // Over a level no title is typed.
    bool WaitOnScreen(const GUIMenuWindow& window, bool titled = true)
    {
        const GameTools::GUITextPrinter& title = *game->Background()->GetCentreTextPrinter();
        const bool shown =
            hands.RunUntil([&] { return SdlPlayer::OnScreen(window) && (!titled || title.done); }, 1500);
        hands.Frames(5);
        return shown;
    }

    // The lines of this start's log that report an error.
    std::vector<std::string> ErrorLines() const
    {
        std::ifstream in(UserFolder() / "Tangrove.html");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            if (line.find("Error: ") != std::string::npos || line.find("PROGRAM ABORTING") != std::string::npos)
                lines.push_back(line);
        return lines;
    }

    // The level in play, its pieces all placed, its window of the win
    // answered with CONTINUE.
    void WinLevel(uint32_t stage, uint32_t level)
    {
        const std::string name = "stage" + std::to_string(stage + 1) + "_level" + std::to_string(level + 1);
        ASSERT_TRUE(hands.RunUntil([&] { return game->Logic() != nullptr; }, 3000)) << name << " did not load";
        GameLogic& logic = *game->Logic();
        EXPECT_EQ(logic.levelInfo->stageIndex, stage);
        EXPECT_EQ(logic.levelInfo->levelIndex, level);
        ASSERT_TRUE(hands.RunUntil([&] { return logic.GetDepository()->introFinished; }, 2000)) << name;
        Shot(name);
        ASSERT_TRUE(hands.PlaceEveryPiece(logic)) << name << ": " << logic.GetPuzzle()->placedCount << " of "
                                                  << logic.GetPuzzle()->GetPieceCount() << " pieces placed";
        GUILevelCompleteWindow& complete = *game->LevelComplete();
        ASSERT_TRUE(hands.RunUntil([&] { return complete.colour.a >= 1.0f && complete.IsFrameVisible(); }, 4000))
            << name << ": no level complete window";
        hands.Frames(30);
        Shot(name + "_complete");
        hands.ClickWhenShown(complete, *complete.continueButton);
        ASSERT_TRUE(hands.RunUntil([&] { return game->Logic() == nullptr || game->Logic() != &logic; }, 2000))
            << name << ": CONTINUE did not end the level";
    }

    TestSupport::TemporaryFolder folder;
    TestSupport::SteppedClockSystem clock{Platform::GetSystem()};
    Platform::ScopedSystem installedClock{clock};
    std::unique_ptr<WatchedGame> game;
    SdlPlayer hands{[this] { Frame(); }};
    int shots = 0;
};

TEST_F(EndToEndTest, ANewPlayerWinsTheFirstStageQuitsAndContinuesAfterARestart)
{
    // --- First start: the splash, the start-up load, the welcome screen.
    Start();
    hands.Frames(10);
    Shot("splash");
    ASSERT_TRUE(hands.RunUntil([&] { return game->Welcome() != nullptr; }, 3000)) << "the start-up load";
    GUIWelcomeWindow& welcome = *game->Welcome();
    ASSERT_TRUE(WaitOnScreen(welcome));
    Shot("welcome");
    hands.Type(kName);
    Shot("welcome_name_typed");
    hands.Key(Platform::DIK_RETURN);
    ASSERT_NE(game->Player(), nullptr) << "no profile made";
    EXPECT_EQ(game->Player()->GetName(), ZorvaneEngine::Utf8ToWide(kName));

    // --- The main menu's START: a new player hears the introduction.
    GUIMainMenuWindow& menu = *game->MainMenu();
    ASSERT_TRUE(WaitOnScreen(menu));
    Shot("main_menu");
    hands.Click(*menu.buttons[GUIMainMenuWindow::Start]);
    GUIIntroductionWindow& introduction = *game->Introduction();
    GUIStartGameLogicWindow& map = *game->Map();
    ASSERT_TRUE(WaitOnScreen(introduction));
    // CONTINUE turns the page; past the last one it starts the game.
    for (int page = 1; introduction.pages.currentPage < introduction.pages.pageCount; ++page) {
        ASSERT_LE(page, 10) << "the introduction never ends";
        hands.Frames(40);  // the page faded in
        Shot("introduction_page" + std::to_string(page));
        hands.Click(*introduction.continueButton->widget);
    }

    // --- The level map of a new game offers the relax mode; the player
    // tries the box and leaves it unticked, for the arcade game.
    ASSERT_TRUE(WaitOnScreen(map));
    EXPECT_FALSE(game->Player()->introductionPending);
    hands.Frames(40);
    Shot("level_map_new_game");
    ASSERT_TRUE(map.relaxBox->active);
    hands.Click(*map.relaxBox->widget);
    EXPECT_EQ(game->Player()->modeFlag, 1u);
    hands.Frames(5);
    Shot("level_map_relax_ticked");
    hands.Click(*map.relaxBox->widget);
    EXPECT_EQ(game->Player()->modeFlag, 0u);
    hands.Click(*map.startButton->widget);

    // --- The tutorial, then the first level.
    GUITutorialWindow& tutorial = *game->Tutorial();
    ASSERT_TRUE(WaitOnScreen(tutorial));
    Shot("tutorial");
    hands.Click(*tutorial.continueButton->widget);
    // The level's load shows LOADING, typed once the screen is free.
    GUIGameLogicLoadingWindow& loading = *game->LevelLoading();
    ASSERT_TRUE(hands.RunUntil([&] { return loading.ready || game->Logic() != nullptr; }, 2000));
    if (game->Logic() == nullptr) {
        hands.Frames(10);
        Shot("level_loading");
    }

    // --- The first game is lost: a few pieces placed for a score, then the
    // right button held until the queue has run into the hole.
    ASSERT_TRUE(hands.RunUntil([&] { return game->Logic() != nullptr; }, 3000)) << "the first level did not load";
    {
        GameLogic& logic = *game->Logic();
        ASSERT_TRUE(hands.RunUntil([&] { return logic.GetDepository()->introFinished; }, 2000));
        for (int placed = 0, tries = 0; placed < 3 && tries < 200; ++tries) {
            PuzzleElement* piece = SdlPlayer::Choose(logic);
            if (piece != nullptr && hands.PickAndPlace(logic, *piece))
                ++placed;
            else
                hands.Frame();
        }
        ASSERT_GT(logic.scoreKeeper->score, 0) << logic.GetPuzzle()->placedCount << " pieces placed";
        hands.PointAt(ZorvaneEngine::Vector2(400, 300));
        ASSERT_TRUE(hands.Button(1, true));
        ASSERT_TRUE(hands.RunUntil([&] { return logic.state == GameFramework::GameLogicState::Lost; }, 3000));
        ASSERT_TRUE(hands.Button(1, false));
    }
    GUIGameOverWindow& over = *game->GameOver();
    ASSERT_TRUE(hands.RunUntil([&] { return over.colour.a >= 1.0f && over.IsFrameVisible(); }, 1000));
    hands.Frames(10);
    Shot("game_over");
    hands.ClickWhenShown(over, *over.confirm);

    // Its score in the table, and on leaving the table the one-time offer
    // of the relax mode, declined.
    GUIHighScoresWindow& scores = *game->HighScores();
    ASSERT_TRUE(WaitOnScreen(scores)) << "no high scores after the lost game";
    Shot("high_scores_after_game_over");
    hands.Click(*scores.backButton);
    GUIRelaxWindow& relax = *game->RelaxOffer();
    ASSERT_TRUE(WaitOnScreen(relax)) << "no relax offer";
    Shot("relax_offer");
    hands.Click(*relax.noButton->widget);
    ASSERT_TRUE(WaitOnScreen(menu));
    EXPECT_EQ(game->Player()->modeFlag, 0u);
    EXPECT_FALSE(game->Player()->relaxOfferPending);

    // --- A new game: the map again, the tutorial again, now told not to
    // show itself any more.
    hands.Click(*menu.buttons[GUIMainMenuWindow::Start]);
    ASSERT_TRUE(WaitOnScreen(map));
    hands.Click(*map.startButton->widget);
    ASSERT_TRUE(WaitOnScreen(tutorial));
    hands.Click(*tutorial.doNotShowBox->widget);
    hands.Frames(5);
    Shot("tutorial_do_not_show");
    hands.Click(*tutorial.continueButton->widget);
    EXPECT_FALSE(game->Player()->tutorialPending);

    // --- Every level of the first stage, won.
    const uint32_t levels = static_cast<uint32_t>(game->Map()->levelManager->levels[0].size());
    ASSERT_GT(levels, 0u);
    for (uint32_t level = 0; level < levels; ++level) {
        WinLevel(0, level);
        if (HasFatalFailure()) return;
    }
    // --- After the stage the map runs its totem puzzle: every tile turned
    // back to its right face, low on the tile to turn it up, at its left to
    // turn it right.
    ASSERT_TRUE(WaitOnScreen(map)) << "no level map after the stage";
    MiniGame& puzzle = *map.miniGame;
    ASSERT_TRUE(hands.RunUntil([&] {
        return !puzzle.cells.empty() && std::all_of(puzzle.cells.begin(), puzzle.cells.end(), [](const auto& cell) {
            return cell->scramblesLeft == 0 && cell->IsResting();
        });
    }, 2000)) << "the totem puzzle never settled";
    hands.Frames(5);
    Shot("totem_puzzle");
    for (const auto& cell : puzzle.cells) {
        for (int turn = 0; turn < 2 && cell->face != 0; ++turn) {
            ASSERT_TRUE(hands.RunUntil([&] { return cell->IsResting(); }, 500));
            const bool upright = (cell->face & 1u) != 0;
            hands.Click(ZorvaneEngine::Vector2(cell->centre.x - (upright ? 0 : 0.3f * cell->size.x),
                                               cell->centre.y - (upright ? 0.3f * cell->size.x : 0)));
        }
    }
    ASSERT_TRUE(hands.RunUntil([&] { return puzzle.solved; }, 500)) << "the totem puzzle was not solved";
    ASSERT_TRUE(hands.RunUntil([&] { return puzzle.textTime > 1.0f; }, 1000));
    Shot("totem_puzzle_solved");
    ASSERT_TRUE(hands.RunUntil(
        [&] { return puzzle.finished && map.mapColour.a >= 1.0f && !map.IsAnyControlAnimating(); }, 2000));
    hands.Frames(20);
    Shot("level_map_stage_complete");
    Profile& player = *game->Player();
    EXPECT_EQ(player.stage, 1u);
    EXPECT_EQ(player.level, 0u);
    EXPECT_TRUE(player.inProgress);
    const uint32_t score = player.totalScore;
    EXPECT_GT(score, 0u);

    // --- Back to the main menu and out through the quit question.
    hands.Click(*map.backButton->widget);
    ASSERT_TRUE(WaitOnScreen(menu));
    Shot("main_menu_after_stage");

    // --- Options: the sound volume turned down, the next video mode
    // applied, then the first one again.
    GUIOptionsWindow& options = *game->Options();
    const float volume = game->Player()->soundVolume;
    const ZorvaneEngine::Window& window = *game->Engine()->window;
    const uint32_t width = window.width;
    const uint32_t height = window.height;
    hands.Click(*menu.buttons[GUIMainMenuWindow::Options]);
    ASSERT_TRUE(WaitOnScreen(options));
    Shot("options");
    for (int i = 0; i < 3; ++i) hands.Click(*options.soundScroll->decreaseButton);
    hands.Click(*options.leftButton);
    Shot("options_changed");
    hands.Click(*options.applyButton);
    ASSERT_TRUE(WaitOnScreen(menu));
    EXPECT_LT(game->Player()->soundVolume, volume - 0.05f);
    EXPECT_NE(window.width, width) << "the mode did not change";
    Shot("main_menu_other_mode");
    hands.Click(*menu.buttons[GUIMainMenuWindow::Options]);
    ASSERT_TRUE(WaitOnScreen(options));
    hands.Click(*options.rightButton);
    hands.Click(*options.applyButton);
    ASSERT_TRUE(WaitOnScreen(menu));
    EXPECT_EQ(window.width, width);
    EXPECT_EQ(window.height, height);
    const float chosenVolume = game->Player()->soundVolume;

    // --- The high scores and the help, each left with its BACK.
    hands.Click(*menu.buttons[GUIMainMenuWindow::HighScores]);
    ASSERT_TRUE(WaitOnScreen(scores));
    Shot("high_scores");
    hands.Click(*scores.backButton);
    ASSERT_TRUE(WaitOnScreen(menu));
    GUIHelpWindow& help = *game->Help();
    hands.Click(*menu.buttons[GUIMainMenuWindow::Credits]);
    ASSERT_TRUE(WaitOnScreen(help));
    Shot("help");
    hands.Click(*help.backControl->widget);
    ASSERT_TRUE(WaitOnScreen(menu));

    hands.Click(*menu.buttons[GUIMainMenuWindow::Exit]);
    GUIExitWindow& quit = *game->Quit();
    ASSERT_TRUE(WaitOnScreen(quit));
    Shot("quit_question");
    hands.Click(*quit.confirm->widget);
    ASSERT_TRUE(hands.RunUntil([&] { return game->ExitIssued(); }, 200)) << "YES did not quit";
    game.reset();
    EXPECT_EQ(ErrorLines(), std::vector<std::string>{}) << "first start";

    // --- Second start: the main menu at once, START offers to continue.
    Start();
    ASSERT_TRUE(hands.RunUntil([&] { return game->MainMenu() != nullptr; }, 3000)) << "the start-up load";
    GUIMainMenuWindow& again = *game->MainMenu();
    ASSERT_TRUE(WaitOnScreen(again));
    Shot("main_menu_second_start");
    ASSERT_NE(game->Player(), nullptr);
    EXPECT_EQ(game->Player()->GetName(), ZorvaneEngine::Utf8ToWide(kName));
    EXPECT_EQ(game->Player()->totalScore, score);
    EXPECT_FLOAT_EQ(game->Player()->soundVolume, chosenVolume);
    hands.Click(*again.buttons[GUIMainMenuWindow::Start]);
    GUIContinueGameLogicWindow& offer = *game->Continue();
    ASSERT_TRUE(WaitOnScreen(offer));
    Shot("continue_offer");
    hands.Click(*offer.continueButton->widget);

    // The saved game goes on at the second stage's first level.
    ASSERT_TRUE(hands.RunUntil([&] { return game->Logic() != nullptr; }, 3000)) << "the continued level";
    GameLogic& logic = *game->Logic();
    EXPECT_EQ(logic.levelInfo->stageIndex, 1u);
    EXPECT_EQ(logic.levelInfo->levelIndex, 0u);
    ASSERT_TRUE(hands.RunUntil([&] { return logic.GetDepository()->introFinished; }, 2000));
    Shot("stage2_level1");

    // Out through the HUD's close control and its question.
    hands.Click(*game->Hud()->GetCloseButton());
    GUIGameLogicGameExitWindow& leave = *game->LevelQuit();
    ASSERT_TRUE(WaitOnScreen(leave, false));
    Shot("level_quit_question");
    hands.Click(*leave.confirm->widget);
    ASSERT_TRUE(hands.RunUntil([&] { return game->ExitIssued(); }, 400)) << "the level's quit did not quit";
    game.reset();
    EXPECT_EQ(ErrorLines(), std::vector<std::string>{}) << "second start";
}

} // namespace
} // namespace ActionPuzzle
