// The path: its geometry and side, the queue's speed and spacing, the
// introduction run, the cart's final run and its marks, the warning, the
// hole, and a path that has no length.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/core/Error.h"
#include "engine/core/Timer.h"
#include "framework/ScoreKeeper.h"
#include "game/gameplay/Carriage.h"
#include "game/gameplay/GUIGameLogicTextManager.h"
#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

using GameFramework::GameLogicState;

class PuzzleDepositoryTest : public LevelFixture {
protected:
    // Nothing waits at the start and nothing rushes.
    void SkipIntroduction()
    {
        Path().introFinished = true;
        Path().rush = 0.0f;
    }
};

TEST_F(PuzzleDepositoryTest, PointsAndNearestDistancesFollowThePath)
{
    MakeGameData({{0, 0}, {100, 0}, {100, 50}});
    StartLevel();
    EXPECT_FLOAT_EQ(Path().pathLength, 150);
    const struct {
        float distance, x, y;
    } points[] = {{0, 0, 0}, {50, 50, 0}, {100, 100, 0}, {120, 100, 20}, {150, 100, 50}, {200, 100, 50}, {-10, -10, 0}};
    for (const auto& p : points) {
        const Vector2 at = Path().GetPointAtDistance(p.distance);
        EXPECT_FLOAT_EQ(at.x, p.x) << p.distance;
        EXPECT_FLOAT_EQ(at.y, p.y) << p.distance;
    }
    // The board's side is the right of travel.
    const struct {
        float x, y, distance;
        bool side;
    } nearest[] = {{50, 5, 50, false},  {50, -5, 50, true}, {110, 25, 125, true},
                   {90, 25, 125, false}, {200, 200, 0, true}, {100, -3, 100, true}};
    for (const auto& n : nearest) {
        const PathPosition found = Path().FindNearestDistance(Vector2(n.x, n.y));
        EXPECT_FLOAT_EQ(found.distance, n.distance) << n.x << "," << n.y;
        EXPECT_EQ(found.side, n.side) << n.x << "," << n.y;
    }
}

TEST_F(PuzzleDepositoryTest, RelaxDropsTheLastPointAndRepeatedPointsAreSkipped)
{
    MakeGameData({{0, 0}, {0, 0}, {100, 0}, {100, 0}, {100, 50}});
    StartLevel(true);
    EXPECT_FLOAT_EQ(Path().pathLength, 100);
    EXPECT_EQ(Path().GetPathPoints().size(), 2u);
}

// Missing markers all stand at one place: the queue's speed would divide by
// a path of no length.
TEST_F(PuzzleDepositoryTest, APathWithoutLengthIsAFatalDataError)
{
    MakeGameData({{5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}, {5, 5}});
    try {
        StartLevel();
        ADD_FAILURE() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_NE(error.message.find("The pieces' path has no length"), std::string::npos);
    }
}

TEST_F(PuzzleDepositoryTest, SpeedAndPauseFollowTheFreeShareOfThePath)
{
    StartLevel();
    Path().rush = 0.0f;
    const struct {
        float ratio, speed, pause;
    } rows[] = {{1.0f, 24.8f, 1.5f}, {0.95f, 23.2f, 1.5f}, {0.85f, 20.0f, 3.5f}, {0.75f, 17.3f, 5.5f},
                {0.65f, 15.1f, 5.5f}, {0.5f, 13.0f, 9.5f}, {0.0f, 8.0f, 9.5f}};
    for (const auto& row : rows) {
        Path().freeLength = row.ratio * Path().pathLength;
        EXPECT_NEAR(Path().GetBaseSpeed(), row.speed, 0.001f) << row.ratio;
        Path().pauseTime = 0.0f;
        Path().AddPauseTime();
        EXPECT_FLOAT_EQ(Path().pauseTime, row.pause) << row.ratio;
    }
    Path().fastForward = 100.0f;
    Path().rush = 50.0f;
    EXPECT_NEAR(Path().GetBaseSpeed(), 158.0f, 0.001f);

    logic.reset();
    StartLevel(true);
    Path().rush = 0.0f;
    EXPECT_FLOAT_EQ(Path().GetBaseSpeed(), 40.0f);
}

// A pause brakes the queue to a standstill for its time; a rollback runs
// the queue backwards, its speed rising to 160 and falling away once its
// time is over; an empty queue drops both at once.
TEST_F(PuzzleDepositoryTest, APauseHoldsTheQueueAndARollbackRunsItBack)
{
    StartLevel();
    SkipIntroduction();
    const auto front = [&] { return Path().GetQueue().back().distance; };
    // Every piece on the path and the cart behind them.
    ASSERT_TRUE(RunUntil([&] { return !Path().GetQueue().empty() && front() > 550.0f; }, 5000, 0.05f));

    Path().pauseTime = 2.0f;
    ASSERT_TRUE(RunUntil([&] { return Path().brake == Path().GetBaseSpeed(); }, 100));
    float distance = front();
    while (Path().pauseTime > 0.0f) {
        Frame();
        if (Path().pauseTime > 0.0f) {
            EXPECT_FLOAT_EQ(front(), distance);
        }
    }
    ASSERT_TRUE(RunUntil([&] { return Path().brake == 0.0f; }, 300));
    Frame();
    EXPECT_GT(front(), distance);

    Path().rollbackTime = 3.1f;
    float speed = 0.0f;
    distance = front();
    while (Path().rollbackTime > 0.0f) {
        Frame();
        if (Path().rollbackTime > 0.0f) {
            EXPECT_GE(Path().backSpeed, speed);
        }
        EXPECT_LE(Path().backSpeed, 160.0f);
        speed = std::max(speed, Path().backSpeed);
        if (Path().backSpeed > Path().GetBaseSpeed() + 1.0f) {
            EXPECT_LT(front(), distance);
        }
        distance = front();
    }
    EXPECT_FLOAT_EQ(speed, 160.0f);
    // Afterwards the back speed falls away and the queue goes on again.
    ASSERT_TRUE(RunUntil([&] { return Path().backSpeed == 0.0f; }, 300));
    distance = front();
    Frame();
    EXPECT_GT(front(), distance);

    // Nothing on the path: both are dropped at once.
    logic.reset();
    StartLevel();
    SkipIntroduction();
    ASSERT_TRUE(Path().GetQueue().empty());
    Path().rollbackTime = 3.1f;
    Path().backSpeed = 100.0f;
    Path().pauseTime = 2.0f;
    Path().brake = 10.0f;
    Frame();
    EXPECT_EQ(Path().rollbackTime, 0.0f);
    EXPECT_EQ(Path().backSpeed, 0.0f);
    EXPECT_EQ(Path().pauseTime, 0.0f);
    EXPECT_EQ(Path().brake, 0.0f);
}

TEST_F(PuzzleDepositoryTest, TheIntroductionRunCoversThePathBeforeAnyPieceOrTheClockStarts)
{
    MakeGameData({{0, 500}, {900, 500}, {900, 400}});
    StartLevel();
    EXPECT_TRUE(logic->levelTimer->IsPaused());
    float finishedAt = 0;
    for (int i = 0; i < 400 && !Path().introFinished; ++i) {
        Frame(0.01f);
        EXPECT_TRUE(Path().GetQueue().empty() || Path().introFinished);
        finishedAt = Path().introTime;
    }
    ASSERT_TRUE(Path().introFinished);
    EXPECT_NEAR(finishedAt, 1.917f, 0.011f);
    EXPECT_FALSE(logic->levelTimer->IsPaused());

    logic.reset();
    StartLevel(true);
    EXPECT_TRUE(Path().introFinished);
    EXPECT_FALSE(logic->levelTimer->IsPaused());
}

// Pieces enter 60 apart as the queue moves; once none waits, the cart
// follows 60 behind the last. No two ever stand closer than 60.
TEST_F(PuzzleDepositoryTest, PiecesEnterSixtyApartAndTheCartFollowsTheLast)
{
    MakePuzzle(160, 80, Grid(4, 2));
    StartLevel();
    SkipIntroduction();
    bool cartSeen = false;
    for (int i = 0; i < 3000 && !cartSeen; ++i) {
        Frame(0.05f);
        const auto& queue = Path().GetQueue();
        for (size_t k = 1; k < queue.size(); ++k)
            ASSERT_GE(queue[k].distance - queue[k - 1].distance, 60.0f - 0.001f) << "frame " << i;
        cartSeen = Path().GetCarriage()->IsShown();
        if (!cartSeen && !queue.empty()) {
            EXPECT_LT(queue.front().distance, 60.0f + 0.001f);
        }
    }
    ASSERT_TRUE(cartSeen);
    EXPECT_EQ(Path().GetQueue().size(), 8u);
    EXPECT_NEAR(Path().carriageDistance, Path().GetQueue().front().distance - 60.0f, 0.001f);
}

TEST_F(PuzzleDepositoryTest, ABurstOfRoomLetsSeveralPiecesEnterInOneFrame)
{
    MakePuzzle(160, 80, Grid(4, 2));
    StartLevel();
    SkipIntroduction();
    PuzzleElement& first = *Pieces()[0];
    first.Show(true);
    Path().queue.push_back({&first, 200.0f});
    Frame(0.001f);
    std::vector<float> distances;
    for (const auto& entry : Path().GetQueue()) distances.push_back(entry.distance);
    ASSERT_EQ(distances.size(), 4u);
    EXPECT_NEAR(distances[0], 20.0f, 0.1f);
    EXPECT_NEAR(distances[1], 80.0f, 0.1f);
    EXPECT_NEAR(distances[2], 140.0f, 0.1f);
}

TEST_F(PuzzleDepositoryTest, TheFinalRunScoresEveryMarkOnceAndSinksTheCart)
{
    MakeGameData({{0, 500}, {1000, 500}});
    StartLevel();
    SkipIntroduction();
    Path().StartFinalRun();
    EXPECT_TRUE(Path().GetCarriage()->IsShown());
    engine->timers->frameStep = 0.1f;
    int frames = 0;
    while (!Path().finalRunFinished && frames < 100) {
        Path().Update(false, 1.0f);
        ++frames;
    }
    EXPECT_EQ(frames, 29);
    EXPECT_EQ(Score(), 45 * 25);
    EXPECT_EQ(logic->GetTextManager()->GetTexts().size(), 45u);
    EXPECT_FALSE(Path().finalRunActive);
    EXPECT_FALSE(Path().GetCarriage()->IsShown());
    EXPECT_FLOAT_EQ(Path().carriageDistance, 1000.0f);
}

// A level left alone: the queue reaches the hole, the pieces there sink and
// leave the path, no piece enters any more, and the level is lost.
TEST_F(PuzzleDepositoryTest, PiecesReachingTheHoleSinkAndLoseTheLevel)
{
    StartLevel();
    ASSERT_TRUE(RunUntil([&] { return Path().reachedEnd; }, 20000, 0.05f));
    EXPECT_EQ(logic->state, GameLogicState::Lost);
    const size_t before = Path().GetQueue().size();
    for (int i = 0; i < 300; ++i) {
        Frame(0.05f);
        for (const auto& entry : Path().GetQueue()) EXPECT_LE(entry.distance, Path().pathLength);
    }
    EXPECT_LT(Path().GetQueue().size(), before);
    size_t waiting = 0;
    for (auto& piece : Pieces()) waiting += !piece->held && !piece->IsShown();
    EXPECT_GT(waiting, 0u) << "the sunk pieces";
    EXPECT_GT(Path().rush, 1000.0f);
}

TEST_F(PuzzleDepositoryTest, TheWarningRepeatsTheSoonerTheLessPathIsFree)
{
    MakePuzzle(160, 80, Grid(4, 2));
    StartLevel();
    SkipIntroduction();
    int warnings = 0;
    for (int i = 0; i < 20000 && !Path().reachedEnd; ++i) {
        const float before = Path().warningTimer;
        Frame(0.02f);
        if (Path().warningTimer > before + 0.001f) {
            ++warnings;
            EXPECT_LT(Path().freeLength, 450.0f);
            EXPECT_NEAR(Path().warningTimer, Path().freeLength / 180.0f + 0.7f, 0.001f);
        }
        if (Path().freeLength >= 450.0f) {
            EXPECT_EQ(Path().warningTimer, 0.0f);
        }
    }
    EXPECT_GT(warnings, 2);
}

} // namespace
} // namespace ActionPuzzle::Testing
