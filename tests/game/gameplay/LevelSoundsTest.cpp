// What a level asks of the sound player: its start and the path's
// introduction, the pieces taken, placed, missed and returned, the bonuses
// and their loops, the end of a won level and of a lost one, each with the
// level's music.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/gameplay/Bonus.h"
#include "game/gameplay/BonusManager.h"
#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

using GameFramework::GameLogicState;

class LevelSoundsTest : public LevelFixture {
protected:
    // The introduction over, nothing rushing, no bonus unless a test puts
    // one, and every piece on the path.
    void StartPlaying(int32_t columns, int32_t rows)
    {
        MakePuzzle(columns * 40, rows * 40, Grid(columns, rows));
        StartLevel();
        Path().introFinished = true;
        Path().rush = 0.0f;
        beforeFrame = [this] { Board().bonusTimer = -1000.0f; };
        ASSERT_TRUE(RunUntil([&] { return Path().GetQueue().size() == Pieces().size(); }, 5000, 0.1f));
        // The queue stands still from here on.
        beforeFrame = [this] {
            Board().bonusTimer = -1000.0f;
            Path().pauseTime = Path().brake = 1000.0f;
        };
        ClearHeard();
    }
    PuzzleElement& Foremost() { return *Path().GetQueue().back().piece; }
    // Taken from the path with a click, then carried to the point beside
    // its slot and clicked there.
    void Take(PuzzleElement& piece) { Click(piece.centre); }
    void Drop(PuzzleElement& piece, Vector2 besideSlot = Vector2())
    {
        const Vector2 slot = SlotCentre(piece.index);
        const Vector2 at(slot.x + besideSlot.x - Path().grabOffset.x, slot.y + besideSlot.y - Path().grabOffset.y);
        Frame(at, false, false);
        Frame(at, true, false);
        Frame(at, false, false);
    }
    void PutBonus(const PuzzleElement& piece, BonusKind kind)
    {
        logic->GetBonusManager()->bonuses.push_back(std::make_unique<Bonus>(
            engine.get(), kind, gameData.get(), static_cast<int32_t>(piece.index), SlotCentre(piece.index), nullptr));
    }
    // The placing sounds heard, by name.
    std::vector<std::string> PlacingSounds() const
    {
        std::vector<std::string> played;
        for (const std::string& event : heard)
            if (event.rfind("play element_put", 0) == 0) played.push_back(event.substr(5));
        return played;
    }
};

TEST_F(LevelSoundsTest, TheLevelBeginsAndThePathIntroducesItselfRisingInPitch)
{
    MakeGameData({{0, 500}, {900, 500}, {900, 400}});
    StartLevel();
    Frame();
    EXPECT_EQ(Heard("play level_begin"), 1);
    EXPECT_EQ(Heard("music game0 in 0.10"), 1);
    EXPECT_EQ(Heard("play path_introduction"), 0) << "silent for its first 0.45 s";

    ASSERT_TRUE(RunUntil([&] { return Heard("play path_introduction") == 1; }, 100));
    EXPECT_GT(Path().introTime, 0.45f);
    // A pause stops the run's sound; the resumed run takes it up again.
    logic->SetState(GameLogicState::Paused);
    Frame();
    EXPECT_EQ(Heard("stop path_introduction"), 1);
    logic->SetState(GameLogicState::Playing);
    ASSERT_TRUE(RunUntil([&] { return Heard("play path_introduction") == 2; }, 100));

    const Sound& run = *SoundNamed("path_introduction");
    float tempo = run.GetTempo();
    for (int i = 0; i < 400 && !Path().introFinished; ++i) {
        Frame();
        EXPECT_GE(run.GetTempo(), tempo);
        tempo = run.GetTempo();
    }
    ASSERT_TRUE(Path().introFinished);
    // 1 + 0.55 of the share of the path covered, nearly all of it at the end.
    EXPECT_GT(tempo, 1.45f);
    EXPECT_LE(tempo, 1.55f);
    EXPECT_EQ(Heard("stop path_introduction"), 2);
    EXPECT_EQ(Heard("play path_introduction_end"), 1);
    EXPECT_EQ(Heard("play level_begin"), 1);
}

// The queue's first rush sounds once, lower as the rush ebbs, and its loop
// is let run out once the queue slows.
TEST_F(LevelSoundsTest, TheQueuesFirstRushSoundsOnceAndIsLetRunOut)
{
    StartLevel();
    ASSERT_TRUE(RunUntil([&] { return Path().introFinished; }, 1000));
    ClearHeard();
    ASSERT_TRUE(RunUntil([&] { return Path().rush == 0.0f; }, 2000));
    for (int i = 0; i < 100; ++i) Frame(0.05f);
    EXPECT_EQ(Heard("play path_begin"), 1);
    EXPECT_GT(Heard("tempo path_begin"), 0);
    EXPECT_LT(SoundNamed("path_begin")->GetTempo(), 1.0f);
    EXPECT_EQ(Heard("loop path_begin off"), 1);
    EXPECT_EQ(Heard("stop path_begin"), 0);
}

// Taking a piece sounds and never also sounds the miss; placements sound
// their combo, the sixth quick one a combo of one again; a click beside the
// slot misses; the right button returns the piece.
TEST_F(LevelSoundsTest, TakingPlacingMissingAndReturningEachHaveTheirSound)
{
    StartPlaying(4, 2);
    const char* const combos[] = {"element_put_0", "element_put_1", "element_put_2",
                                  "element_put_3", "element_put_4", "element_put_0"};
    for (const char* expected : combos) {
        SCOPED_TRACE(expected);
        PuzzleElement& piece = Foremost();
        ClearHeard();
        Take(piece);
        EXPECT_EQ(Heard("play element_get"), 1);
        EXPECT_TRUE(PlacingSounds().empty()) << "the click that takes is no miss";
        ClearHeard();
        Drop(piece);
        EXPECT_FALSE(piece.IsShown()) << "not placed";
        EXPECT_EQ(PlacingSounds(), (std::vector<std::string>{expected}));
    }

    PuzzleElement& piece = Foremost();
    Take(piece);
    ClearHeard();
    Drop(piece, Vector2(40, 0));
    EXPECT_TRUE(PuzzleElementManager::IsHeld(piece));
    EXPECT_EQ(PlacingSounds(), (std::vector<std::string>{"element_put_bad"}));
    ClearHeard();
    Click(piece.centre, true);
    EXPECT_FALSE(PuzzleElementManager::IsHeld(piece));
    EXPECT_EQ(Heard("play element_cancel"), 1);
}

// Each bonus sounds as it is collected; the tip's and the magnet's loops
// play while they work and are let run out, never cut, when they are done.
TEST_F(LevelSoundsTest, BonusesSoundWhenCollectedAndTheirLoopsRunOut)
{
    StartPlaying(4, 2);
    const struct {
        BonusKind kind;
        const char* sound;
    } kinds[] = {{BonusKind::Rollback, "bonus_rollback_apply"},
                 {BonusKind::Pause, "bonus_pause_apply"},
                 {BonusKind::Tip, "bonus_tip_apply"},
                 {BonusKind::Magnet, "bonus_magnet_apply"}};
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.sound);
        PuzzleElement& piece = Foremost();
        PutBonus(piece, k.kind);
        Take(piece);
        ClearHeard();
        Drop(piece);
        EXPECT_EQ(Heard(std::string("play ") + k.sound), 1);
        if (k.kind != BonusKind::Tip) continue;

        // The next piece's slot shows the tip, with its loop, while the
        // piece is carried.
        PuzzleElement& next = Foremost();
        ClearHeard();
        Take(next);
        Frame();
        EXPECT_EQ(Heard("loop bonus_tip on"), 1);
        EXPECT_EQ(Heard("play bonus_tip"), 1);
        ClearHeard();
        Drop(next);
        Frame();
        EXPECT_EQ(Heard("loop bonus_tip off"), 1);
        EXPECT_EQ(Heard("stop bonus_tip"), 0);
    }

    // The magnet pulls the next piece taken, with its loop, and places it.
    PuzzleElement& next = Foremost();
    ClearHeard();
    Take(next);
    const Vector2 slot = SlotCentre(next.index);
    Frame(Vector2(slot.x + 150, slot.y), false, false);
    ASSERT_TRUE(RunUntil([&] { return !next.IsShown(); }, 400));
    Frame();
    EXPECT_EQ(Heard("loop bonus_magnet on"), 1);
    EXPECT_EQ(Heard("play bonus_magnet"), 1);
    EXPECT_EQ(Heard("loop bonus_magnet off"), 1);
    EXPECT_EQ(Heard("stop bonus_magnet"), 0);
}

// The last piece sounds the level's completion and fades the music out; the
// final run charges its score aloud; then the music starts afresh. The last
// piece's bonus has nothing left to act on and stays silent.
TEST_F(LevelSoundsTest, AWonLevelSoundsItsEndAndStartsItsMusicAfresh)
{
    StartPlaying(2, 1);
    PuzzleElement& first = Foremost();
    Take(first);
    Drop(first);
    PuzzleElement& last = Foremost();
    PutBonus(last, BonusKind::Tip);
    Take(last);
    ClearHeard();
    Drop(last);
    EXPECT_EQ(Heard("play level_complete"), 1);
    EXPECT_EQ(Heard("music game0 out 2.00"), 1);
    EXPECT_EQ(Heard("play bonus_tip_apply"), 0);
    EXPECT_EQ(Heard("music game0 in 0.15"), 0);

    beforeFrame = nullptr;
    ASSERT_TRUE(RunUntil([&] { return Path().finalRunFinished; }, 2000));
    EXPECT_EQ(Heard("play charge_path_score"), 1);
    EXPECT_EQ(Heard("stop charge_path_score"), 1);
    // Half a second of fading out at 2 per second, then the music again.
    EXPECT_EQ(Heard("music game0 in 0.15"), 1);
    EXPECT_EQ(Heard("music game0 out 2.00"), 1);
    EXPECT_EQ(Heard("play level_complete"), 1);
}

// Left alone, the queue fills the path with warnings, runs into the hole,
// and the loss sounds once however many pieces sink; the hole's rush sounds
// until the path is empty; the music fades out and comes back.
TEST_F(LevelSoundsTest, ALostLevelSoundsItsLossOnceAndItsMusicComesBack)
{
    StartLevel();
    Path().introFinished = true;
    ASSERT_TRUE(RunUntil([&] { return Path().reachedEnd; }, 20000, 0.05f));
    EXPECT_GT(Heard("play path_warning"), 1);
    ASSERT_TRUE(RunUntil([&] { return Path().GetQueue().empty(); }, 2000, 0.05f));
    for (int i = 0; i < 40; ++i) Frame(0.05f);
    size_t sunk = 0;
    for (auto& piece : Pieces()) sunk += !piece->held && !piece->IsShown();
    ASSERT_GT(sunk, 2u);
    EXPECT_EQ(Heard("play level_failed"), 1);
    EXPECT_EQ(Heard("music game0 out 2.00"), 1);
    EXPECT_EQ(Heard("music game0 in 0.15"), 1);
    EXPECT_EQ(Heard("play path_end"), 1);
    EXPECT_GT(Heard("tempo path_end"), 1);
    EXPECT_EQ(Heard("stop path_end"), 1);
}

} // namespace
} // namespace ActionPuzzle::Testing
