// Placing a piece: the snap distance, combos and their scores, the texts,
// the bonus on the slot and what each kind does, the last piece, blocked
// slots and their opening, new bonuses, and nothing placed after a loss.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/gui/GUITextManager.h"
#include "game/gameplay/Bonus.h"
#include "game/gameplay/BonusManager.h"
#include "game/gameplay/GUIGameLogicText.h"
#include "game/gameplay/GUIGameLogicTextManager.h"
#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

using GameFramework::GameLogicState;

class PlacingTest : public LevelFixture {
protected:
    void Start(int32_t columns, int32_t rows, bool relaxMode = false)
    {
        if (!keeper) MakePuzzle(columns * 40, rows * 40, Grid(columns, rows));
        StartLevel(relaxMode);
        Path().introFinished = true;
        Path().rush = 0.0f;
        // No bonus appears unless a test makes one.
        beforeFrame = [this] { Board().bonusTimer = -1000.0f; };
        GUITextManager& texts = *engine->guiManager->GetTextManager();
        texts.AddText("GAME_LOGIC_COMBO", u"Combo x%Combo%");
        texts.AddText("GAME_LOGIC_BONUS_TIP", u"Tip");
        texts.AddText("GAME_LOGIC_BONUS_MAGNET", u"Magnet");
        texts.AddText("GAME_LOGIC_BLOCKED_ELEMENT", u"Blocked");
    }
    // Every piece on the path (or as many as asked), run at a large step.
    void FillPath(size_t count = 0)
    {
        const size_t wanted = count == 0 ? Pieces().size() : count;
        ASSERT_TRUE(RunUntil([&] { return Path().GetQueue().size() >= wanted; }, 5000, 0.1f));
    }
    void InHand(PuzzleElement& piece)
    {
        std::erase_if(Path().queue, [&](const auto& entry) { return entry.piece == &piece; });
        piece.Show(true);
        piece.held = true;
        Path().grabOffset = Vector2();
    }
    // Carries the piece to its slot and clicks there: three frames.
    void PlaceAt(PuzzleElement& piece, Vector2 offset = Vector2(), float dt = 0.02f)
    {
        const Vector2 slot = SlotCentre(piece.index);
        const Vector2 at(slot.x + offset.x, slot.y + offset.y);
        Frame(at, false, false, dt);
        Frame(at, true, false, dt);
        Frame(at, false, false, dt);
    }
    Bonus& PutBonus(uint32_t piece, BonusKind kind)
    {
        BonusManager& bonuses = *logic->GetBonusManager();
        bonuses.bonuses.push_back(
            std::make_unique<Bonus>(engine.get(), kind, gameData.get(), static_cast<int32_t>(piece), SlotCentre(piece),
                                    nullptr));
        return *bonuses.bonuses.back();
    }
    std::u16string LastText() const
    {
        const auto& texts = logic->GetTextManager()->GetTexts();
        std::u16string joined;
        if (texts.empty()) return joined;
        for (const std::u16string& line : texts.back()->lines) joined += (joined.empty() ? u"" : u"\n") + line;
        return joined;
    }
};

TEST_F(PlacingTest, QuickPlacementsComboUpToFiveAndBrakeTheQueue)
{
    Start(3, 3);
    FillPath(8);
    struct Row {
        float gap;  // seconds since the last placement
        uint32_t combo;
        int32_t points;
    } rows[] = {{0, 1, 100}, {1, 2, 200}, {1, 3, 300}, {1, 4, 400}, {1, 5, 500}, {1, 1, 100}, {3, 1, 100}, {2.7f, 2, 200}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        PuzzleElement& piece = *Path().GetQueue().back().piece;
        InHand(piece);
        // Since the last placement: its release frame, this wait, and the
        // carrying and clicking frames.
        const float frame = 0.001f;
        if (rows[i].gap > 0) Frame(pointer, false, false, rows[i].gap - 3 * frame);
        const int32_t before = Score();
        const float pauseBefore = Path().pauseTime;
        const uint32_t comboBefore = Board().combo;
        PlaceAt(piece, Vector2(), frame);
        EXPECT_FALSE(piece.IsShown());
        EXPECT_EQ(Board().combo, rows[i].combo);
        EXPECT_EQ(Score() - before, rows[i].points);
        // The combo step's brake, on top of what the frames took off.
        const bool brakes = Path().GetFreeRatio() < 0.8f && rows[i].combo > 1;
        const float added = brakes ? static_cast<float>(comboBefore % 5) * 0.45f : 0.0f;
        EXPECT_GE(Path().pauseTime + 0.01f, added);
        EXPECT_LE(Path().pauseTime, pauseBefore + added + 0.0001f);
    }
}

TEST_F(PlacingTest, InRelaxACombosScoresButNeverBrakes)
{
    Start(4, 1, true);
    FillPath();
    for (uint32_t combo = 1; combo <= 3; ++combo) {
        PuzzleElement& piece = *Path().GetQueue().back().piece;
        InHand(piece);
        PlaceAt(piece);
        EXPECT_EQ(Board().combo, combo);
        EXPECT_EQ(Path().pauseTime, 0.0f);
    }
}

TEST_F(PlacingTest, APieceSnapsFromUnder26UnitsAndMissesFromThere)
{
    Start(3, 1);
    Frame();
    PuzzleElement& piece = *Pieces()[0];
    InHand(piece);
    PlaceAt(piece, Vector2(26.0f, 0));
    EXPECT_TRUE(piece.IsShown());
    EXPECT_EQ(Board().placedCount, 0u);
    PlaceAt(piece, Vector2(25.9f, 0));
    EXPECT_FALSE(piece.IsShown());
    EXPECT_EQ(Board().placedCount, 1u);
    EXPECT_TRUE(Slot(piece.index).IsShown());
    EXPECT_EQ(LastText(), u"+100");
}

TEST_F(PlacingTest, ABonusOnTheSlotScoresNamesItselfAndActs)
{
    Start(4, 2);
    FillPath();
    for (int i = 0; i < 2; ++i) {
        PuzzleElement& piece = *Path().GetQueue().back().piece;
        InHand(piece);
        PlaceAt(piece);
    }
    PuzzleElement& third = *Path().GetQueue().back().piece;
    Bonus& bonus = PutBonus(third.index, BonusKind::Tip);
    InHand(third);
    const int32_t before = Score();
    PlaceAt(third);
    EXPECT_EQ(Score() - before, 550);
    EXPECT_EQ(LastText(), u"+550\nCombo x3\nTip");
    EXPECT_TRUE(Board().tipPending);
    EXPECT_TRUE(bonus.picked);
    EXPECT_EQ(cursor.GetCurrentId(), Puzzle::CursorTip);

    // The tip shows on the slot of the next piece taken, and the cursor
    // keeps the tip's look while it is carried.
    PuzzleElement& next = *Path().GetQueue().back().piece;
    Click(next.centre);
    ASSERT_EQ(HeldPiece(), &next);
    EXPECT_FALSE(Board().tipPending);
    EXPECT_TRUE(Slot(next.index).tipShown);
    Frame(SlotCentre(next.index), false, false);
    EXPECT_EQ(cursor.GetCurrentId(), Puzzle::CursorTip);
    PlaceAt(next);
    EXPECT_FALSE(Slot(next.index).tipShown);
    Frame();
    EXPECT_EQ(cursor.GetCurrentId(), Puzzle::CursorNormal);

    // Rollback and pause act on the path.
    for (BonusKind kind : {BonusKind::Rollback, BonusKind::Pause}) {
        PuzzleElement& piece = *Path().GetQueue().back().piece;
        PutBonus(piece.index, kind);
        InHand(piece);
        const float rollback = Path().rollbackTime;
        const float pause = Path().pauseTime;
        PlaceAt(piece);
        if (kind == BonusKind::Rollback) {
            EXPECT_GT(Path().rollbackTime, rollback + 3.0f);
        } else {
            EXPECT_GT(Path().pauseTime, pause + 1.0f);
        }
    }
}

// The magnet draws the next piece taken to its slot and places it there
// without a click.
TEST_F(PlacingTest, AMagnetPullsTheNextPieceIntoItsSlotByItself)
{
    Start(4, 2);
    FillPath();
    PuzzleElement& first = *Path().GetQueue().back().piece;
    PutBonus(first.index, BonusKind::Magnet);
    InHand(first);
    PlaceAt(first);
    ASSERT_TRUE(Board().magnetPending);
    EXPECT_EQ(cursor.GetCurrentId(), Puzzle::CursorMagnet);

    PuzzleElement& next = *Path().GetQueue().back().piece;
    Click(next.centre);
    ASSERT_EQ(next.magnetTarget, &Slot(next.index));
    const Vector2 slot = SlotCentre(next.index);
    // Hold the cursor 150 units from the slot: the pull and the glide do the rest.
    Frame(Vector2(slot.x + 150, slot.y), false, false);
    EXPECT_TRUE(Slot(next.index).magnetShown);
    ASSERT_TRUE(RunUntil([&] { return !next.IsShown(); }, 400, 0.02f)) << "not placed by the magnet";
    EXPECT_EQ(Board().placedCount, 2u);
    EXPECT_FALSE(Board().magnetPending);
}

TEST_F(PlacingTest, TheLastPieceScoresTheLevelAndItsBonusWithoutActing)
{
    Start(2, 1);
    FillPath();
    PuzzleElement& first = *Path().GetQueue().back().piece;
    InHand(first);
    PlaceAt(first);
    PuzzleElement& last = *Path().GetQueue().back().piece;
    PutBonus(last.index, BonusKind::Tip);
    InHand(last);
    const int32_t before = Score();
    PlaceAt(last);
    EXPECT_EQ(Score() - before, 200 + 250 + 1000);
    EXPECT_FALSE(Board().tipPending);
    EXPECT_EQ(LastText(), u"+450\nCombo x2\nTip");
}

// Slot 2 waits for 0 and 1; slot 3 for 0 and the blocked 2; slot 4 for no
// one and stays blocked.
TEST_F(PlacingTest, BlockedSlotsOpenWhenTheirOpenNeighboursAreDone)
{
    std::vector<PieceSpec> pieces = Grid(5, 1);
    pieces[2].blocked = true;
    pieces[2].links = {0, 1};
    pieces[3].blocked = true;
    pieces[3].links = {0, 2};
    pieces[4].blocked = true;
    MakePuzzle(200, 40, pieces);
    Start(0, 0);
    EXPECT_TRUE(Slot(2).IsShown()) << "a blocked slot shows dark";

    // A piece dropped on its blocked slot goes back to the path.
    InHand(*Pieces()[0]);
    PuzzleElement* blockedPiece = nullptr;
    for (auto& piece : Pieces())
        if (piece->index == 3) blockedPiece = piece.get();
    Pieces()[0]->held = false;
    Pieces()[0]->Show(false);
    InHand(*blockedPiece);
    PlaceAt(*blockedPiece);
    EXPECT_FALSE(blockedPiece->held) << "returned";
    EXPECT_EQ(LastText(), u"Blocked");
    EXPECT_EQ(Board().placedCount, 0u);

    const auto place = [&](uint32_t index) {
        for (auto& piece : Pieces())
            if (piece->index == index) {
                InHand(*piece);
                PlaceAt(*piece);
            }
    };
    int32_t before = Score();
    place(0);
    EXPECT_EQ(Slot(2).blocked, 1u) << "slot 1 is open and still empty";
    EXPECT_EQ(Slot(3).blocked, 0u) << "its blocked link does not count";
    EXPECT_TRUE(Slot(3).unblockAnimating);
    EXPECT_EQ(Score() - before, 100 + 350);
    before = Score();
    place(1);
    EXPECT_EQ(Slot(2).blocked, 0u);
    EXPECT_EQ(Score() - before, 200 + 350);
    EXPECT_EQ(Slot(4).blocked, 1u);

    // The dark slot blinks out in three pulses within pi seconds.
    ASSERT_TRUE(RunUntil([&] { return !Slot(3).unblockAnimating; }, 400, 0.01f));
    EXPECT_FALSE(Slot(3).IsShown());
}

// A tip taken with a piece whose slot is blocked shows the slot's outline
// for 2.5 s and ends with it: later pieces are carried with the plain cursor.
TEST_F(PlacingTest, ATipOnABlockedSlotEndsWithItsOutline)
{
    std::vector<PieceSpec> pieces = Grid(4, 1);
    pieces[3].blocked = true;
    pieces[3].links = {0};
    MakePuzzle(160, 40, pieces);
    Start(0, 0, true);
    FillPath();
    const auto piece = [&](uint32_t index) -> PuzzleElement& {
        for (auto& p : Pieces())
            if (p->index == index) return *p;
        return *Pieces().front();
    };
    Board().tipPending = true;
    Click(piece(3).centre);
    ASSERT_EQ(HeldPiece(), &piece(3));
    EXPECT_TRUE(Slot(3).tipShown);
    Frame();
    EXPECT_EQ(cursor.GetCurrentId(), Puzzle::CursorTip);
    EXPECT_TRUE(RunUntil([&] { return !Slot(3).tipShown; }, 200));
    EXPECT_GE(Slot(3).tipPhase, 2.5f);
    EXPECT_EQ(Slot(3).blocked, 1u);

    Click(pointer, true);
    ASSERT_EQ(HeldPiece(), nullptr);
    Click(piece(0).centre);
    ASSERT_EQ(HeldPiece(), &piece(0));
    Frame();
    EXPECT_EQ(cursor.GetCurrentId(), Puzzle::CursorNormal);
}

TEST_F(PlacingTest, BonusesAppearOverOpenUnmarkedSlotsOfPiecesOnThePath)
{
    std::vector<PieceSpec> pieces = Grid(4, 1);
    pieces[1].blocked = true;
    pieces[1].links = {0};
    pieces[3].blocked = true;
    pieces[3].links = {0};
    MakePuzzle(160, 40, pieces);
    Start(0, 0);
    beforeFrame = nullptr;
    FillPath();

    // The interval shortens with a fuller path.
    std::vector<PuzzleDepository::QueueEntry> saved = Path().queue;
    const struct {
        size_t onPath;
        float interval;
    } rows[] = {{0, 11.5f}, {10, 11.5f}, {16, 7.6f}, {22, 3.7f}, {23, 3.5f}, {40, 3.5f}};
    for (const auto& row : rows) {
        Path().queue.assign(row.onPath, saved.front());
        EXPECT_NEAR(Board().GetBonusInterval(), row.interval, 0.0001f) << row.onPath;
    }
    Path().queue = saved;

    // Two open slots: two bonuses, one each; then none is left to mark.
    BonusManager& bonuses = *logic->GetBonusManager();
    bonuses.bonuses.clear();
    for (int spawn = 0; spawn < 3; ++spawn) {
        Board().bonusTimer = 100.0f;
        Path().pauseTime = Path().brake = 1000.0f;
        Frame();
        EXPECT_LT(Board().bonusTimer, 1.0f);
    }
    ASSERT_EQ(bonuses.bonuses.size(), 2u);
    EXPECT_NE(bonuses.bonuses[0]->pieceIndex, bonuses.bonuses[1]->pieceIndex);
    for (const auto& bonus : bonuses.bonuses) {
        EXPECT_TRUE(bonus->pieceIndex == 0 || bonus->pieceIndex == 2);
        const Vector2 slot = SlotCentre(static_cast<uint32_t>(bonus->pieceIndex));
        EXPECT_FLOAT_EQ(bonus->position.x, slot.x);
    }

    // Once a pause has faded the level out, the timer stands.
    logic->SetState(GameLogicState::Paused);
    for (int i = 0; i < 30; ++i) Frame();
    Board().bonusTimer = 1.0f;
    for (int i = 0; i < 100; ++i) Frame();
    EXPECT_EQ(Board().bonusTimer, 1.0f);
}

// A loss leaves the game-over window over the level; clicks on the board
// must not place the piece still in the hand and score after the end.
TEST_F(PlacingTest, NothingIsPlacedAfterTheLevelIsLost)
{
    Start(3, 1);
    FillPath();
    PuzzleElement& piece = *Path().GetQueue().back().piece;
    InHand(piece);
    logic->SetState(GameLogicState::Lost);
    const int32_t before = Score();
    PlaceAt(piece);
    EXPECT_TRUE(piece.IsShown());
    EXPECT_EQ(Board().placedCount, 0u);
    EXPECT_EQ(Score(), before);
}

} // namespace
} // namespace ActionPuzzle::Testing
