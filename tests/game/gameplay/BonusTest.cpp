// A bonus's life (fading in, waiting, fading out, the pick-up) on game time,
// and the kinds a new bonus is drawn from as the path fills.
#include <gtest/gtest.h>

#include <set>

#include "framework/tools/RandomSelecter.h"
#include "game/gameplay/Bonus.h"
#include "game/gameplay/BonusManager.h"
#include "LevelFixture.h"

namespace ActionPuzzle::Testing {
namespace {

class BonusTest : public LevelFixture {
protected:
    BonusTest() { MakeGameData(); }
    std::unique_ptr<Bonus> Make() { return std::make_unique<Bonus>(engine.get(), BonusKind::Tip, gameData.get(), 0, Vector2(100, 100), nullptr); }
    // Ages the bonus to the time in steps of dt.
    void Age(Bonus& bonus, float until, float speed = 1.0f, float dt = 0.25f)
    {
        engine->timers->frameStep = dt;
        while (bonus.age + dt <= until + 0.0001f) bonus.Update(speed);
    }
};

TEST_F(BonusTest, ABonusFadesInWaitsAndFadesOutOnGameTime)
{
    std::unique_ptr<Bonus> bonus = Make();
    EXPECT_EQ(bonus->GetWindow()->GetColor().a, 0.0f) << "invisible until its first update";
    const struct {
        float age, alpha;
    } rows[] = {{0.5f, 0.5f}, {1.0f, 1.0f}, {12.0f, 1.0f}, {23.0f, 1.0f}, {23.5f, 0.5f}, {24.0f, 0.0f}};
    for (const auto& row : rows) {
        Age(*bonus, row.age);
        EXPECT_NEAR(bonus->GetAlpha(), row.alpha, 0.0001f) << row.age;
        EXPECT_TRUE(bonus->alive) << row.age;
    }
    bonus->Update(1.0f);
    EXPECT_FALSE(bonus->alive);

    std::unique_ptr<Bonus> frozen = Make();
    Age(*frozen, 0.5f);
    for (int i = 0; i < 100; ++i) frozen->Update(0.0f);
    EXPECT_FLOAT_EQ(frozen->age, 0.5f);
    EXPECT_FLOAT_EQ(frozen->GetAlpha(), 0.5f);
}

TEST_F(BonusTest, APickedBonusGrowsByHalfAndFadesWithinASecond)
{
    std::unique_ptr<Bonus> bonus = Make();
    Age(*bonus, 0.5f);
    bonus->picked = true;
    bonus->age = 0.0f;
    engine->timers->frameStep = 0.25f;
    bonus->Update(1.0f);
    EXPECT_FLOAT_EQ(bonus->GetAlpha(), 0.75f);
    EXPECT_FLOAT_EQ(bonus->GetScale(), 1.125f);
    bonus->Update(1.0f);
    bonus->Update(1.0f);
    EXPECT_TRUE(bonus->alive);
    bonus->Update(1.0f);
    EXPECT_FALSE(bonus->alive);
    EXPECT_FLOAT_EQ(bonus->GetScale(), 1.5f);
    // Drawn centred on its position at its scale.
    const BoundingBox& box = bonus->GetModel()->box;
    EXPECT_NEAR(box.center.x, 100.0f, 0.001f);
    EXPECT_NEAR(box.worldMax.x - box.worldMin.x, 34.0f * 1.5f, 0.001f);
}

// Many draws at each free share of the path: the kinds that appear are
// exactly those of non-zero weight.
TEST_F(BonusTest, PauseAndRollbackComeOnlyAsThePathFills)
{
    const struct {
        bool relax;
        float ratio;
        std::set<BonusKind> kinds;
    } rows[] = {
        {false, 0.81f, {BonusKind::Tip, BonusKind::Magnet}},
        {false, 0.79f, {BonusKind::Tip, BonusKind::Magnet, BonusKind::Pause}},
        {false, 0.71f, {BonusKind::Tip, BonusKind::Magnet, BonusKind::Pause}},
        {false, 0.69f, {BonusKind::Tip, BonusKind::Magnet, BonusKind::Pause, BonusKind::Rollback}},
        {false, 0.2f, {BonusKind::Tip, BonusKind::Magnet, BonusKind::Pause, BonusKind::Rollback}},
        {false, 0.1f, {BonusKind::Tip, BonusKind::Magnet, BonusKind::Pause, BonusKind::Rollback}},
        {true, 0.0f, {BonusKind::Tip, BonusKind::Magnet}},
    };
    RandomSeed = 3;
    for (const auto& row : rows) {
        std::set<BonusKind> drawn;
        int rollbacks = 0;
        for (int i = 0; i < 600; ++i) {
            // A fresh choice each time, as each new bonus makes.
            GameTools::RandomSelecter selecter;
            BonusManager::FillKinds(selecter, row.relax, row.ratio);
            const auto kind = static_cast<BonusKind>(selecter.Select());
            drawn.insert(kind);
            rollbacks += kind == BonusKind::Rollback;
        }
        EXPECT_EQ(drawn, row.kinds) << row.ratio;
        if (!row.relax && row.ratio < 0.2f) {
            EXPECT_GT(rollbacks, 600 * 18 / 71);
        }
    }
}

// The kinds that eight new bonuses take from seed 0, at the free shares
// where the weights change: a share of exactly 0.8 already offers the
// pause, exactly 0.7 and exactly 0.2 the rollback at its low weight. Each
// bonus draws afresh, so a kind may come twice in a row.
TEST_F(BonusTest, NewBonusesDrawTheirKindsByTheWeightsOfTheFreeShare)
{
    const struct {
        bool relax;
        float freeLength;  // of a path of 1000
        const char* kinds;  // T tip, M magnet, P pause, R rollback
    } rows[] = {
        {false, 810, "TTMMTTMT"}, {false, 800, "TTPTTMMP"}, {false, 700, "TMRMPMTM"},
        {false, 200, "TMRMPMTM"}, {false, 190, "TMPMTMRT"}, {true, 190, "TTMMTTMT"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.freeLength);
        logic.reset();
        StartLevel(row.relax);
        Path().pathLength = 1000.0f;
        Path().freeLength = row.freeLength;
        BonusManager& bonuses = *logic->GetBonusManager();
        RandomSeed = 0;
        for (int i = 0; i < 8; ++i) bonuses.SpawnBonus(i, Vector2(100, 100));
        std::string kinds;
        for (const auto& bonus : bonuses.bonuses) kinds += "MPRT"[static_cast<int>(bonus->kind)];
        EXPECT_EQ(kinds, row.kinds);
    }
}

} // namespace
} // namespace ActionPuzzle::Testing
