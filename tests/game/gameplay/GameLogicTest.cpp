// The level's frame: the pause fade, the piece in the hand (its size near
// the path and the magnet's pull), the level clock, and when a level is won
// or lost in either mode.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/graphics/AnimationControl.h"
#include "game/gameplay/Carriage.h"
#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

using GameFramework::GameLogicState;

class GameLogicTest : public LevelFixture {
protected:
    void InHand(PuzzleElement& piece)
    {
        std::erase_if(Path().queue, [&](const auto& entry) { return entry.piece == &piece; });
        piece.Show(true);
        piece.held = true;
        Path().grabOffset = Vector2();
    }
    void Place(PuzzleElement& piece)
    {
        InHand(piece);
        const Vector2 slot = SlotCentre(piece.index);
        Frame(slot, false, false);
        Frame(slot, true, false);
        Frame(slot, false, false);
    }
    void PlaceAll()
    {
        for (auto& piece : Pieces()) {
            if (!PuzzleElementManager::IsPlaced(*piece)) Place(*piece);
        }
    }
};

TEST_F(GameLogicTest, APauseFadesTheLevelOutInHalfASecondAndBackInAboutThreeQuarters)
{
    StartLevel(true);
    logic->SetState(GameLogicState::Paused);
    const float fadeOut[] = {0.8f, 0.6f, 0.4f, 0.2f};
    for (float expected : fadeOut) {
        Frame(0.1f);
        EXPECT_NEAR(logic->GetSpeed(), expected, 1e-5f);
    }
    Frame(0.1f);
    Frame(0.1f);
    EXPECT_EQ(logic->GetSpeed(), 0.0f);
    Frame(0.1f);
    EXPECT_EQ(logic->GetSpeed(), 0.0f);
    logic->SetState(GameLogicState::Playing);
    for (int i = 1; i <= 7; ++i) {
        Frame(0.1f);
        EXPECT_NEAR(logic->GetSpeed(), 0.13f * static_cast<float>(i), 1e-5f);
    }
    Frame(0.1f);
    EXPECT_EQ(logic->GetSpeed(), 1.0f);
}

// Pieces of 80 × 40 take half their size on the path; in the hand they
// grow from 20 to 45 units beside the path on the board's side (the board
// lies at (63, 63) to (223, 143)), but only over the board.
TEST_F(GameLogicTest, TheHeldPieceGrowsFromPathSizeAsItLeavesThePathForTheBoard)
{
    MakeGameData({{260, 560}, {260, 40}, {300, 40}});
    MakePuzzle(160, 80, {{0, 0, 80, 40, false, {}}, {80, 0, 80, 40, false, {}}, {0, 40, 160, 40, false, {}}});
    StartLevel();
    Path().introFinished = true;
    PuzzleElement& piece = *Pieces()[0];
    const struct {
        float x, y, scale;
    } rows[] = {{260 - 32.5f, 100, 0.75f}, {260 - 45, 100, 1.0f}, {260 - 60, 100, 1.0f}, {260 - 20, 100, 0.5f},
                {260 - 10, 100, 0.5f},    {260 + 30, 100, 0.5f}, {260 - 45, 200, 0.5f}};
    for (const auto& row : rows) {
        InHand(piece);
        Frame(Vector2(row.x, row.y), false, false, 0.001f);
        Frame(Vector2(row.x, row.y), false, false, 0.001f);
        EXPECT_NEAR(piece.scale, row.scale, 0.001f) << row.x << "," << row.y;
    }
}

// The slot 449, 300, 250 and 150 units away along x: the pull adds up to
// 100 units toward it; within 200 the piece glides there from the next
// frame on, whatever the cursor does.
TEST_F(GameLogicTest, TheMagnetPullsHarderTheCloserThePieceAndThenGlidesIt)
{
    StartLevel();
    Path().introFinished = true;
    PuzzleElement& piece = *Pieces()[0];
    PuzzleElement& slot = Slot(piece.index);
    InHand(piece);
    const Vector2 target = SlotCentre(piece.index);
    const struct {
        float distance, moved;
    } rows[] = {{449, 0.4f}, {300, 60}, {250, 80}};
    for (const auto& row : rows) {
        piece.magnetTarget = &slot;
        Frame(Vector2(target.x + row.distance, target.y), false, false, 0.001f);
        EXPECT_NEAR(target.x + row.distance - piece.centre.x, row.moved, 0.01f) << row.distance;
    }
    piece.magnetTarget = &slot;
    const float before = piece.centre.x;
    Frame(Vector2(target.x + 150, target.y), false, false, 0.05f);
    const float firstX = piece.centre.x;
    EXPECT_NEAR(firstX, before, 0.01f) << "the glide begins a frame later";
    EXPECT_TRUE(slot.magnetShown);
    Frame(Vector2(target.x + 150, target.y), false, false, 0.05f);
    EXPECT_NEAR(piece.centre.x, firstX + (target.x - firstX) * (0.05f / 0.35f), 0.01f);
}

TEST_F(GameLogicTest, TheLevelClockRunsOnlyWhilePiecesRemainToBePlaced)
{
    StartLevel(true);
    EXPECT_FALSE(logic->levelTimer->IsPaused());
    PlaceAll();
    EXPECT_TRUE(logic->levelTimer->IsPaused());
}

// The built completion model ripples for a while: the level is won only
// when it has played out.
TEST_F(GameLogicTest, ARelaxLevelIsWonWhenTheCompletionHasPlayedAndNeverLost)
{
    UseBuiltCompletionModel();
    StartLevel(true);
    Path().rush = 2000.0f;
    for (int i = 0; i < 500; ++i) Frame(0.05f);
    EXPECT_EQ(logic->state, GameLogicState::Playing) << "the pile at the end of the path loses nothing";
    EXPECT_FALSE(Path().reachedEnd);

    PlaceAll();
    AnimationControl& ripple = *Board().GetCompletionAnimation();
    int frames = 0;
    for (; frames < 1000 && logic->state == GameLogicState::Playing; ++frames) {
        Frame(0.05f);
        Board().GetCompletionWindow()->model->Update(false);
    }
    EXPECT_EQ(logic->state, GameLogicState::Won);
    EXPECT_GT(frames, 20 + 10) << "the outline fades for a second, then the ripple plays";
    EXPECT_FALSE(ripple.playing);
}

// Without a morph model the completion could never report its end: the
// level is won as soon as the completion shows.
TEST_F(GameLogicTest, AnArcadeLevelIsWonAfterTheFinalRunEvenWithoutACompletionAnimation)
{
    StartLevel();
    Path().introFinished = true;
    PlaceAll();
    EXPECT_TRUE(Path().finalRunActive);
    const int32_t before = Score();
    ASSERT_TRUE(RunUntil([&] { return logic->state != GameLogicState::Playing; }, 2000, 0.05f));
    EXPECT_EQ(logic->state, GameLogicState::Won);
    EXPECT_TRUE(Path().finalRunFinished);
    EXPECT_GE(Score() - before, 25) << "the marks the cart passed";
    bool warned = false;
    for (const LogMessage& m : engine->log->GetFrameMessages())
        warned = warned || m.text.find("has no animation to play") != std::string::npos;
    EXPECT_TRUE(warned);
}

// The last piece goes in while the cart, pushed on by that piece's absence
// from the path, drops into the hole in the same frame: the level is won.
TEST_F(GameLogicTest, PlacingTheLastPieceAsTheCartReachesTheHoleWins)
{
    MakePuzzle(80, 40, Grid(2, 1));
    StartLevel();
    Path().introFinished = true;
    Path().rush = 0.0f;
    Place(*Pieces()[0]);
    ASSERT_EQ(Board().placedCount, 1u);
    PuzzleElement& last = *Pieces()[1];
    InHand(last);
    Path().GetCarriage()->Show(true);
    const Vector2 slot = SlotCentre(last.index);
    Frame(slot, false, false, 0.001f);
    Path().carriageDistance = Path().pathLength - 35.0f;
    Path().fastForward = 300.0f;
    Frame(slot, true, false, 0.01f);
    EXPECT_TRUE(Path().reachedEnd);
    EXPECT_EQ(Board().placedCount, 2u);
    EXPECT_NE(logic->state, GameLogicState::Lost);
    ASSERT_TRUE(RunUntil([&] { return logic->state != GameLogicState::Playing; }, 2000, 0.05f));
    EXPECT_EQ(logic->state, GameLogicState::Won);
}

} // namespace
} // namespace ActionPuzzle::Testing
