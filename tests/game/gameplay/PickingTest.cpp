// The player's hand on the path: taking a piece, the grip, dropping it back
// into a gap, returning it with the right button in both modes, the
// obstacle, and the fast-forward of the right button.
#include <gtest/gtest.h>

#include <cmath>

#include "game/gameplay/Carriage.h"
#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

class PickingTest : public LevelFixture {
protected:
    // Three pieces; the queue stands still (a full brake) unless asked.
    void Start(bool relaxMode = false)
    {
        MakePuzzle(120, 40, Grid(3, 1));
        StartLevel(relaxMode);
        Path().introFinished = true;
        Path().rush = 0.0f;
        beforeFrame = [this] { Freeze(); };
    }
    void Freeze()
    {
        Path().pauseTime = 1000.0f;
        Path().brake = 1000.0f;
    }
    PuzzleElement& Piece(size_t i) { return *Pieces()[i]; }
    void OnPath(PuzzleElement& piece, float distance)
    {
        piece.Show(true);
        piece.SetScale(Path().GetPathScale(piece));
        Path().queue.push_back({&piece, distance});
    }
    void InHand(PuzzleElement& piece)
    {
        piece.Show(true);
        piece.held = true;
        Path().grabOffset = Vector2();
    }
    void Placed(PuzzleElement& piece)
    {
        piece.held = true;
        piece.Show(false);
    }
    float DistanceOf(const PuzzleElement& piece)
    {
        for (const auto& entry : Path().GetQueue())
            if (entry.piece == &piece) return entry.distance;
        return -1000.0f;
    }
};

TEST_F(PickingTest, AClickTakesThePieceUnderTheCursorNearlyCentredAndLocksTheClick)
{
    Start();
    OnPath(Piece(0), 100);
    OnPath(Piece(1), 200);
    Frame(Path().GetPointAtDistance(300), false, false);
    const Vector2 centre = Piece(1).centre;
    Frame(Vector2(centre.x + 15, centre.y + 15), true, false);
    EXPECT_TRUE(Piece(1).held);
    EXPECT_EQ(HeldPiece(), &Piece(1));
    EXPECT_EQ(Path().GetQueue().size(), 2u) << "the third piece entered, the taken one left";
    EXPECT_NEAR(std::hypot(Path().grabOffset.x, Path().grabOffset.y), 0.18f * std::sqrt(3200.0f), 0.001f);
    EXPECT_TRUE(engine->input->IsInputLocked());
    // The border of a piece is not the piece.
    Frame(Vector2(centre.x + 15, centre.y + 15), false, false);
    const Vector2 other = Piece(0).centre;
    Path().grabOffset = Vector2();
    Click(Vector2(other.x + 20, other.y));
    EXPECT_FALSE(Piece(0).held);
}

TEST_F(PickingTest, AClickOnTheObstacleTakesNothing)
{
    Start();
    OnPath(Piece(0), 100);
    Frame();
    const Vector2 at = Piece(0).centre;
    gameData->depositoryModels.obstacle = Box(at.x - 50, at.y - 50, at.x + 50, at.y + 50);
    Click(at);
    EXPECT_FALSE(Piece(0).held);
    gameData->depositoryModels.obstacle = nullptr;
    Click(at);
    EXPECT_TRUE(Piece(0).held);
}

TEST_F(PickingTest, APieceDroppedBesideThePathTakesTheGapItLandsIn)
{
    const struct {
        float rear, front, drop, landed;  // landed < 0: refused
    } rows[] = {{100, 220, 150, 160}, {100, 219.99f, 150, -1}, {100, 300, 110, 160}, {100, 300, 200, 200},
                {100, 300, 290, 240}, {100, 220, 400, 400}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.front) + " drop " + std::to_string(row.drop));
        logic.reset();
        keeper.reset();
        Start();
        OnPath(Piece(0), row.rear);
        OnPath(Piece(1), row.front);
        InHand(Piece(2));
        const Vector2 at = Path().GetPointAtDistance(row.drop);
        Frame(at, false, false, 0.001f);
        Click(at);
        if (row.landed < 0) {
            EXPECT_TRUE(Piece(2).held);
            EXPECT_EQ(Path().GetQueue().size(), 2u);
        } else {
            EXPECT_FALSE(Piece(2).held);
            EXPECT_NEAR(DistanceOf(Piece(2)), row.landed, 0.01f);
            EXPECT_NEAR(Piece(2).scale, 1.0f, 0.0001f);
        }
    }
}

TEST_F(PickingTest, TheRightButtonReturnsThePieceToTheRearmostWideGap)
{
    // Arcade: the queue's rearmost gap of 120 or more, 60 into it.
    Start();
    OnPath(Piece(0), 200);
    OnPath(Piece(1), 260);
    InHand(Piece(2));
    Frame();
    Path().carriageDistance = 150;
    Click(Vector2(300, 300), true);
    EXPECT_FALSE(Piece(2).held);
    EXPECT_NEAR(DistanceOf(Piece(2)), 320, 0.01f);

    // An empty queue: 60 ahead of the cart, when the path has room there.
    for (const float cart : {100.0f, -50.0f}) {
        logic.reset();
        keeper.reset();
        Start();
        Placed(Piece(0));
        Placed(Piece(1));
        InHand(Piece(2));
        Frame();
        ASSERT_TRUE(Path().GetCarriage()->IsShown());
        Path().carriageDistance = cart < 0 ? Path().pathLength + cart : cart;
        Click(Vector2(300, 300), true);
        if (cart < 0) {
            EXPECT_TRUE(Piece(2).held) << "only 50 px left before the end";
        } else {
            EXPECT_NEAR(DistanceOf(Piece(2)), 160, 0.01f);
        }
    }
}

TEST_F(PickingTest, InRelaxAReturnedPieceWaitsOrGoesBehindTheCart)
{
    // With pieces still to come the cart is not out: the piece joins them.
    Start(true);
    OnPath(Piece(0), 100);
    InHand(Piece(2));
    Frame();
    ASSERT_FALSE(Path().GetCarriage()->IsShown());
    Click(Vector2(300, 300), true);
    EXPECT_FALSE(Piece(2).held);
    EXPECT_FALSE(Piece(2).IsShown());
    beforeFrame = nullptr;
    Path().pauseTime = Path().brake = 0.0f;
    ASSERT_TRUE(RunUntil([&] { return DistanceOf(Piece(2)) >= 0.0f; }));
    EXPECT_LT(DistanceOf(Piece(2)), DistanceOf(Piece(1)));

    // The cart out: the piece takes its place and it backs off by 60.
    logic.reset();
    keeper.reset();
    Start(true);
    OnPath(Piece(0), 160);
    Placed(Piece(1));
    InHand(Piece(2));
    Frame();
    ASSERT_TRUE(Path().GetCarriage()->IsShown());
    EXPECT_NEAR(Path().carriageDistance, 100, 0.01f);
    Click(Vector2(300, 300), true);
    EXPECT_NEAR(DistanceOf(Piece(2)), 100, 0.01f);
    EXPECT_NEAR(Path().carriageDistance, 40, 0.01f);
}

TEST_F(PickingTest, HoldingTheRightButtonWithAnEmptyHandSpeedsTheQueueAfterHalfASecond)
{
    Start();
    OnPath(Piece(0), 100);
    float t = 0;
    float reached300 = -1;
    for (int i = 0; i < 200; ++i) {
        Frame(Vector2(300, 300), false, true, 0.01f);
        t += 0.01f;
        if (t <= 0.5f) {
            EXPECT_EQ(Path().fastForward, 0.0f) << t;
        }
        if (reached300 < 0 && Path().fastForward >= 300.0f) reached300 = t;
    }
    EXPECT_NEAR(reached300 - 0.5f, 0.87f, 0.03f);
    Frame(Vector2(300, 300), false, false, 0.01f);
    Frame(Vector2(300, 300), false, false, 0.5f);
    EXPECT_NEAR(Path().fastForward, 300.0f - 190.0f - 3.8f, 0.01f);

    // A short right click with a piece in the hand only returns it.
    logic.reset();
    keeper.reset();
    Start();
    OnPath(Piece(0), 100);
    InHand(Piece(2));
    Frame();
    for (int i = 0; i < 80; ++i) {
        Frame(Vector2(300, 300), false, true, 0.01f);
    }
    EXPECT_FALSE(Piece(2).held);
    EXPECT_EQ(Path().fastForward, 0.0f);
}

} // namespace
} // namespace ActionPuzzle::Testing
