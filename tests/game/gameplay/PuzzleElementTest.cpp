// A piece picture in its two roles: the shuffle, its size and shadow, the
// hit test, and a slot's tip pulse and the blinking out of a blocked slot.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/graphics/ParticleSystem.h"
#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

TEST(PuzzleElementShuffleTest, EachEntrySwapsWithOneOfThoseBeforeIt)
{
    const struct {
        uint32_t seed;
        std::vector<int> order;
    } rows[] = {{0, {3, 0, 4, 2, 1}}, {1, {4, 3, 0, 2, 1}}};
    for (const auto& row : rows) {
        std::vector<int> list = {0, 1, 2, 3, 4};
        RandomSeed = row.seed;
        PuzzleElementManager::Shuffle(list);
        EXPECT_EQ(list, row.order) << row.seed;
    }
    std::vector<int> one = {7};
    RandomSeed = 5;
    PuzzleElementManager::Shuffle(one);
    EXPECT_EQ(RandomSeed.load(), 5u) << "one entry draws nothing";
}

class PuzzleElementTest : public LevelFixture {};

TEST_F(PuzzleElementTest, ThePictureScalesAboutItsCentreWithTheShadowBelowRight)
{
    MakePuzzle(160, 80, {{0, 0, 80, 40, false, {}}});
    StartLevel();
    PuzzleElement& piece = *Pieces()[0];
    piece.SetPosition(Vector2(300, 200));
    const struct {
        float scale, offset;
    } rows[] = {{0.25f, 1.5f}, {0.5f, 3.0f}, {1.0f, 3.0f}};
    for (const auto& row : rows) {
        piece.SetScale(row.scale);
        const GUIWindow& sprite = *piece.GetSprite();
        EXPECT_FLOAT_EQ(sprite.size.x, 80 * row.scale);
        EXPECT_FLOAT_EQ(sprite.position.x, 300 - 40 * row.scale);
        EXPECT_FLOAT_EQ(sprite.position.y, 200 - 20 * row.scale);
        EXPECT_FLOAT_EQ(piece.GetShadow()->position.x - sprite.position.x, row.offset);
        EXPECT_FLOAT_EQ(piece.GetShadow()->position.y - sprite.position.y, -row.offset);
    }
    piece.SetScale(1.0f);
    EXPECT_TRUE(piece.ContainsPoint(Vector2(261, 181)));
    EXPECT_FALSE(piece.ContainsPoint(Vector2(260, 200))) << "the border is outside";
    EXPECT_FALSE(piece.ContainsPoint(Vector2(300, 220)));
}

TEST_F(PuzzleElementTest, ATipPulsesOnAnOpenSlotAndOnlySparklesOnABlockedOne)
{
    MakePuzzle(80, 40, {{0, 0, 40, 40, false, {}}, {40, 0, 40, 40, true, {0}}});
    StartLevel();
    PuzzleElement& open = Slot(0);
    PuzzleElement& blocked = Slot(1);
    open.ShowTip();
    blocked.ShowTip();
    engine->timers->frameStep = 0.1f;
    for (int i = 1; i <= 10; ++i) {
        open.Update(false, 1.0f);
        blocked.Update(false, 1.0f);
        EXPECT_NEAR(open.GetSprite()->GetColor().a, std::fabs(std::sin(0.15f * i)) * 0.4f, 0.005f) << i;
    }
    EXPECT_NEAR(blocked.GetSprite()->GetColor().r, 0.1f, 0.005f) << "the dark slot is not tinted";
    ASSERT_NE(blocked.GetTipEffect(), nullptr);
    EXPECT_TRUE(blocked.GetTipEffect()->emitting);
    for (int i = 0; i < 20; ++i) blocked.Update(false, 1.0f);
    EXPECT_FALSE(blocked.GetTipEffect()->emitting) << "only 2.5 s on a blocked slot";

    // Ending: the alpha falls at 1.5 a second from where the pulse was.
    open.tipEnding = true;
    const float alpha = open.GetSprite()->GetColor().a;
    open.Update(false, 1.0f);
    EXPECT_NEAR(open.GetSprite()->GetColor().a, alpha - 0.15f, 0.005f);
    for (int i = 0; i < 5; ++i) open.Update(false, 1.0f);
    EXPECT_FALSE(open.tipShown);
    EXPECT_FALSE(open.GetTipEffect()->emitting);
}

TEST_F(PuzzleElementTest, AnOpenedSlotBlinksOutInThreePulsesWithinPiSeconds)
{
    MakePuzzle(80, 40, {{0, 0, 40, 40, false, {}}, {40, 0, 40, 40, true, {0}}});
    StartLevel();
    PuzzleElement& slot = Slot(1);
    slot.blocked = 0;
    slot.unblockAnimating = true;
    engine->timers->frameStep = 0.4f;
    slot.Update(false, 1.0f);
    EXPECT_NEAR(slot.GetSprite()->GetColor().a, std::fabs(std::cos(1.0f)) * 0.9f, 0.005f);
    float t = 0.4f;
    while (slot.unblockAnimating) {
        engine->timers->frameStep = 0.01f;
        slot.Update(false, 1.0f);
        t += 0.01f;
    }
    EXPECT_NEAR(t, std::numbers::pi_v<float>, 0.011f);
    EXPECT_FALSE(slot.IsShown());
}

} // namespace
} // namespace ActionPuzzle::Testing
