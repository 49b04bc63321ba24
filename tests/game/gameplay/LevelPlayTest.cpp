// Levels played on the real engine as a player plays them: the built data
// set, SDL's offscreen video and dummy audio, and the player's mouse through
// SDL (the pointer warped to screen positions, the buttons pushed into its
// event queue). The game starts as a user starts it; the test makes a
// player and starts a level through the level start screen's result, and
// then only moves and clicks. It reads the level's state to know where to
// click, as a player looks at the screen.
//
// The game's clock is the test's: it moves on a fixed step a frame and
// stands still in between, so the slow sanitised frames still play a level
// in a reasonable time, and a loaded machine slows the level down instead
// of letting the queue outrun the scripted player.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "engine/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileManagerBase.h"
#include "framework/ScoreKeeper.h"
#include "game/app/Game.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/Profile.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/gameplay/Bonus.h"
#include "game/gameplay/BonusManager.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/Puzzle.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"
#include "platform/system/System.h"
#include "platform/system/SteppedClockSystem.h"
#include "platform/system/TemporaryFolder.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "game/gameplay/PlayedGame.h"
#include "game/gameplay/SdlPlayer.h"

namespace ActionPuzzle {
namespace {

using GameFramework::GameLogicState;
using GameFramework::WindowAction;
using ZorvaneEngine::Vector2;



class LevelPlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        // Frames as fast as they come: the clock is the test's.
        std::filesystem::create_directories(UserFolder());
        std::ofstream(UserFolder() + "/Tangrove.ini") << "v_vsync 0\n";
        game = std::make_unique<PlayedGame>();
        game->Init();
        game->CutLogosShort();
        for (int frame = 0; frame < 3000 && !game->FirstScreenIsUp(); ++frame) Frame();
        ASSERT_TRUE(game->FirstScreenIsUp());
        hands.Attach(*game->Engine());
    }
    void TearDown() override { game.reset(); }

    std::string UserFolder() const { return folder / "data/Quobin Games/Tangrove"; }

    // A new player at the level, the level chosen on the level start screen
    // and played once its load has finished.
    void StartLevel(uint32_t stage, uint32_t level, bool relax)
    {
        GameFramework::ProfileBase* player = game->Profiles()->AddProfile(u"Ann");
        ASSERT_NE(player, nullptr);
        game->Profiles()->currentProfile = player;
        player->modeFlag = relax ? 1 : 0;
        player->stage = player->furthestStage = stage;
        player->level = player->furthestLevel = level;
        game->ChoosePlay();
        for (int frame = 0; frame < 3000 && game->Logic() == nullptr; ++frame) Frame();
        ASSERT_NE(game->Logic(), nullptr) << "the level did not load";
    }

    GameLogic& Logic() { return *game->Logic(); }
    Puzzle& Board() { return *Logic().GetPuzzle(); }
    PuzzleDepository& Path() { return *Logic().GetDepository(); }

    void Frame()
    {
        clock.Step();
        game->Update();
        // The level's score until the game base moves it to the player.
        if (game->Logic() != nullptr && !game->LevelCompleteOpened()) lastScore = Logic().scoreKeeper->score;
    }
    void Frames(int count) { hands.Frames(count); }
    void MoveTo(Vector2 at) { hands.PointAt(at); }
    void Button(bool down, bool left = true) { ASSERT_TRUE(hands.Button(left ? 0 : 1, down)); }
    void Click(Vector2 at) { hands.Click(at); }
    PuzzleElement* Held() { return TestSupport::SdlPlayer::Held(Logic()); }
    PuzzleElement* Choose(const std::set<BonusKind>& wanted = {})
    {
        return TestSupport::SdlPlayer::Choose(Logic(), wanted);
    }
    bool PickAndPlace(PuzzleElement& piece) { return hands.PickAndPlace(Logic(), piece); }
    template <typename Condition>
    bool RunUntil(Condition condition, int limit)
    {
        return hands.RunUntil(condition, limit);
    }
    void ClickWhenShown(const GUIMenuWindow& window, const GUIControl& button)
    {
        hands.ClickWhenShown(window, button);
    }
    // What the screen shows now, as a PNG in the build folder's "screens"
    // folder, to look at.
    void Screenshot(const std::string& name)
    {
        hands.Screenshot(std::filesystem::path(TANGROVE_BINARY_DIR) / "screens", name);
    }

    // The player as saved.
    std::unique_ptr<GameFramework::ProfileBase> SavedPlayer()
    {
        return game->Profiles()->LoadProfile(game->Profiles()->currentProfile->GetFileName());
    }

    TestSupport::TemporaryFolder folder;
    TestSupport::SteppedClockSystem clock{Platform::GetSystem()};
    Platform::ScopedSystem installedClock{clock};
    std::unique_ptr<PlayedGame> game;
    TestSupport::SdlPlayer hands{[this] { Frame(); }};
    int32_t lastScore = 0;
};

TEST_F(LevelPlayTest, EveryPiecePlacedWinsTheLevelAndItsScoreGoesToThePlayer)
{
    StartLevel(0, 0, false);
    const uint32_t pieces = Board().GetPieceCount();
    ASSERT_TRUE(RunUntil([&] { return Path().introFinished; }, 2000));
    Screenshot("level_start");
    int misses = 0;
    while (Board().placedCount < pieces && misses < 200) {
        if (Board().placedCount == pieces / 2 && Held() == nullptr) {
            PuzzleElement* next = Choose();
            if (next != nullptr) {
                MoveTo(next->centre);
                Frame();
                Button(true);
                Frame();
                Button(false);
                const Vector2 slot = Board().GetSlotCentre(*Board().slots[next->index]);
                MoveTo(Vector2(slot.x + 60, slot.y - 40));
                Frames(3);
                Screenshot("level_half_placed");
                MoveTo(Vector2(slot.x - Path().grabOffset.x, slot.y - Path().grabOffset.y));
                Frame();
                Button(true);
                Frame();
                Button(false);
                Frame();
            }
            continue;
        }
        PuzzleElement* piece = Choose();
        if (piece == nullptr || !PickAndPlace(*piece)) {
            ++misses;
            Frame();
        }
        ASSERT_EQ(Logic().state, GameLogicState::Playing);
    }
    ASSERT_EQ(Board().placedCount, pieces);
    const int32_t placedScore = lastScore;
    EXPECT_GE(placedScore, static_cast<int32_t>(pieces) * 100 + 1000);
    ASSERT_TRUE(RunUntil([&] { return Path().carriageDistance > Path().pathLength / 2; }, 3000));
    Screenshot("level_final_run");
    ASSERT_TRUE(RunUntil([&] { return game->LevelCompleteOpened(); }, 3000));
    EXPECT_TRUE(Path().finalRunFinished);
    EXPECT_GT(lastScore, placedScore) << "the cart's marks";

    GameFramework::ProfileBase& player = *game->Profiles()->currentProfile;
    EXPECT_EQ(player.totalScore, static_cast<uint32_t>(lastScore));
    EXPECT_EQ(player.stage, 0u);
    EXPECT_EQ(player.level, 1u);
    EXPECT_EQ(SavedPlayer()->totalScore, static_cast<uint32_t>(lastScore));
    EXPECT_TRUE(SavedPlayer()->inProgress);

    // The level complete window; its CONTINUE goes on to the next level
    // once the menus are back.
    GUILevelCompleteWindow& complete = *game->LevelComplete();
    ASSERT_TRUE(RunUntil([&] { return complete.colour.a >= 1.0f && complete.IsFrameVisible(); }, 1000));
    Frames(30);
    Screenshot("level_complete");
    ClickWhenShown(complete, *complete.continueButton);
    EXPECT_TRUE(complete.leaving || complete.result == WindowAction::Proceed);
    ASSERT_TRUE(RunUntil([&] { return complete.result == WindowAction::Proceed; }, 1000));
}

// The right button held with an empty hand runs the queue into the hole.
// The map shows the path up to the furthest level reached with the
// current level marked; a click moves the mark, a double click plays it.
TEST_F(LevelPlayTest, TheLevelMapShowsTheWayAndPlaysTheLevelDoubleClicked)
{
    GameFramework::ProfileBase* player = game->Profiles()->AddProfile(u"Ann");
    ASSERT_NE(player, nullptr);
    game->Profiles()->currentProfile = player;
    player->stage = 0;
    player->level = 3;
    player->furthestStage = 1;
    player->furthestLevel = 2;
    game->CloseWelcome();
    GUIStartGameLogicWindow& map = *game->Map();
    map.Open(GameFramework::LevelStartOpenMode::FromMainMenu);
    ASSERT_TRUE(RunUntil([&] { return map.shown && map.colour.a >= 1.0f && !map.IsAnyControlAnimating(); }, 1000));
    Frames(40);
    Screenshot("level_map");

    GUIMapElement* second = nullptr;
    for (const auto& element : map.elements) {
        const uint32_t s = element->stage;
        const uint32_t i = element->index;
        const bool reached = s == 0 || (s == 1 && i <= 2);
        if (reached) {
            const uint32_t expected = s == 0 && i < 3 ? GUIMapElement::Passed
                                      : s == 0 && i == 3 ? GUIMapElement::Current
                                                         : GUIMapElement::Open;
            EXPECT_EQ(element->state, expected) << s << "," << i;
            EXPECT_TRUE(element->IsVisible()) << s << "," << i;
        } else {
            // Beyond the furthest level only the preview shows the way.
            EXPECT_TRUE(!element->IsVisible() || element->state == GUIMapElement::Ahead) << s << "," << i;
        }
        if (s == 0 && i == 1) second = element.get();
    }
    ASSERT_NE(second, nullptr);

    const ZorvaneEngine::GUIWindow& target = *second->clickButton;
    const Vector2 corner = target.GetAbsolutePosition();
    const Vector2 centre(corner.x + target.size.x / 2, corner.y + target.size.y / 2);
    Click(centre);
    EXPECT_EQ(second->state, GUIMapElement::Current);
    EXPECT_EQ(player->level, 1u);
    Click(centre);
    Click(centre);
    ASSERT_TRUE(RunUntil([&] { return game->Logic() != nullptr; }, 3000));
    EXPECT_EQ(Logic().levelInfo->stageIndex, 0u);
    EXPECT_EQ(Logic().levelInfo->levelIndex, 1u);
}

TEST_F(LevelPlayTest, AQueueRunIntoTheHoleLosesTheLevelAndScoresNothing)
{
    StartLevel(0, 0, false);
    ASSERT_TRUE(RunUntil([&] { return Path().introFinished; }, 2000));
    MoveTo(Vector2(400, 300));
    Button(true, false);
    ASSERT_TRUE(RunUntil([&] { return Path().reachedEnd; }, 3000));
    EXPECT_GT(Path().fastForward, 0.0f);
    Button(false, false);
    ASSERT_TRUE(RunUntil([&] { return game->GameOverOpened(); }, 100));
    EXPECT_EQ(Logic().state, GameLogicState::Lost);
    EXPECT_EQ(Board().placedCount, 0u);

    // A click on the board after the loss places nothing.
    PuzzleElement& piece = *Logic().GetPieceManager()->pieces[0];
    Click(Board().GetSlotCentre(*Board().slots[piece.index]));
    EXPECT_EQ(Board().placedCount, 0u);

    GameFramework::ProfileBase& player = *game->Profiles()->currentProfile;
    EXPECT_EQ(player.totalScore, 0u);
    EXPECT_FALSE(player.inProgress);
    EXPECT_FALSE(SavedPlayer()->inProgress);
    EXPECT_EQ(SavedPlayer()->level, 0u);

    GUIGameOverWindow& over = *game->GameOver();
    ASSERT_TRUE(RunUntil([&] { return over.colour.a >= 1.0f && over.IsFrameVisible(); }, 1000));
    Screenshot("game_over");
    ClickWhenShown(over, *over.confirm);
    ASSERT_TRUE(RunUntil([&] { return over.result == WindowAction::Done; }, 1000));
}

// A long level of a late stage: the player waits for bonuses and collects
// each kind, keeping the queue from the hole meanwhile, then finishes.
TEST_F(LevelPlayTest, EveryKindOfBonusIsCollectedAndActsOnTheWayToAWin)
{
    StartLevel(7, 4, false);
    const uint32_t pieces = Board().GetPieceCount();
    ASSERT_GE(pieces, 40u);
    ASSERT_TRUE(RunUntil([&] { return Path().introFinished; }, 2000));
    std::set<BonusKind> wanted = {BonusKind::Magnet, BonusKind::Pause, BonusKind::Rollback, BonusKind::Tip};
    std::set<BonusKind> seenActing;
    int frames = 0;
    while (Board().placedCount < pieces && frames < 40000) {
        ASSERT_EQ(Logic().state, GameLogicState::Playing);
        // The kinds come by chance, weighted by the free path; so that the
        // test does not depend on luck, a bonus waiting on the board of a
        // kind already had is made again as a kind still wanted, icon and
        // all, as the game makes them.
        for (auto& bonus : Logic().GetBonusManager()->bonuses) {
            if (!bonus->picked && !wanted.empty() && !wanted.count(bonus->kind)) {
                bonus = std::make_unique<Bonus>(game->Engine(), *wanted.begin(), game->Data(), bonus->pieceIndex,
                                                bonus->position, bonus->GetWindow()->GetParent());
            }
        }
        PuzzleElement* marked = nullptr;
        for (const auto& bonus : Logic().GetBonusManager()->bonuses) {
            if (!bonus->picked && wanted.count(bonus->kind)) {
                for (const auto& entry : Path().GetQueue())
                    if (static_cast<int32_t>(entry.piece->index) == bonus->pieceIndex && !Board().slots[entry.piece->index]->blocked)
                        marked = entry.piece;
            }
        }
        // Place only what keeps the hole away, until every kind was had.
        const bool pressed = wanted.empty() || Path().freeLength < 600.0f;
        PuzzleElement* piece = marked != nullptr ? marked : (pressed ? Choose() : nullptr);
        if (piece == nullptr) {
            Frame();
            ++frames;
            continue;
        }
        BonusKind kind = BonusKind::Tip;
        Bonus* bonus = Logic().GetBonusManager()->FindBonus(static_cast<int32_t>(piece->index));
        const bool collecting = bonus != nullptr && !bonus->picked;
        if (collecting) kind = bonus->kind;
        const float rollback = Path().rollbackTime;
        const float pause = Path().pauseTime;
        frames += 10;
        if (collecting && kind == BonusKind::Rollback) Screenshot("level_bonus");
        if (!PickAndPlace(*piece) || !collecting) continue;
        switch (kind) {
        case BonusKind::Tip:
            if (Board().tipPending) seenActing.insert(kind);
            break;
        case BonusKind::Magnet:
            if (Board().magnetPending) seenActing.insert(kind);
            break;
        case BonusKind::Rollback:
            if (Path().rollbackTime > rollback + 2.0f) seenActing.insert(kind);
            break;
        case BonusKind::Pause:
            if (Path().pauseTime > pause + 1.0f) seenActing.insert(kind);
            break;
        }
        wanted.erase(kind);
    }
    EXPECT_EQ(seenActing.size(), 4u);
    ASSERT_EQ(Board().placedCount, pieces);
    ASSERT_TRUE(RunUntil([&] { return game->LevelCompleteOpened(); }, 5000));
    EXPECT_EQ(game->Profiles()->currentProfile->totalScore, static_cast<uint32_t>(lastScore));
    EXPECT_EQ(SavedPlayer()->totalScore, static_cast<uint32_t>(lastScore));
}

} // namespace
} // namespace ActionPuzzle
