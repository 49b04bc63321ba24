// The level-logic base over a real engine on the scripted clock: the level
// timer counts only the time spent playing, and state changes are flagged
// once each.
#include "framework/GameLogicBase.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/ScoreKeeper.h"

namespace GameFramework {
namespace {

using TestSupport::EngineTestEnvironment;

class GameLogicBaseTest : public ::testing::Test {
protected:
    GameLogicBaseTest()
    {
        level.stageIndex = 0;
        level.levelIndex = 2;
    }

    std::unique_ptr<GameLogicBase> NewLogic(int32_t carried = 3)
    {
        return std::make_unique<GameLogicBase>(stage, level, *engine, nullptr, carried);
    }
    void Advance(uint64_t milliseconds) { env.scripted.Advance(milliseconds); }

    EngineTestEnvironment env;
    std::unique_ptr<ZorvaneEngine::Engine> engine = std::make_unique<ZorvaneEngine::Engine>(env.Settings());
    StageInfo stage;
    LevelInfo level;
};

TEST_F(GameLogicBaseTest, ANewLevelLogsItsNumberAndWaitsWithItsTimerAtZero)
{
    engine->log->ClearFrameMessages();
    const auto logic = NewLogic(7);
    const std::vector<ZorvaneEngine::LogMessage> messages = engine->log->GetFrameMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "\n");
    EXPECT_EQ(messages[1].text, "Loading level 1-3...\n");
    EXPECT_EQ(messages[1].level, 0);

    EXPECT_EQ(logic->state, GameLogicState::Playing);
    EXPECT_FALSE(logic->stateChanged);
    EXPECT_EQ(logic->carriedValue, 7);
    EXPECT_EQ(logic->stageInfo, &stage);
    EXPECT_EQ(logic->levelInfo, &level);
    ASSERT_NE(logic->levelTimer, nullptr);
    EXPECT_FALSE(logic->levelTimer->IsHighResolution());
    Advance(5000);
    EXPECT_EQ(logic->levelTimer->GetTime(), 0.0f);

    ASSERT_NE(logic->scoreKeeper, nullptr);
    EXPECT_EQ(logic->scoreKeeper->score, 0);
    EXPECT_EQ(logic->scoreKeeper->multiplier, 1);
    EXPECT_TRUE(logic->scoreKeeper->points.empty());
}

TEST_F(GameLogicBaseTest, OnlyPlayingTimeCountsAndOnlyRealChangesAreFlagged)
{
    const auto logic = NewLogic();
    logic->levelTimer->SetPaused(false);  // what the game's logic does when play begins

    struct Step {
        uint64_t afterMs;
        GameLogicState state;
        bool flagged;
        float levelSeconds;  // read after the step
    };
    const Step steps[] = {
        {3000, GameLogicState::Paused, true, 3.0f},
        {1000, GameLogicState::Paused, false, 3.0f},
        {2000, GameLogicState::Playing, true, 3.0f},
        {2000, GameLogicState::Playing, false, 5.0f},
        {1000, GameLogicState::Paused, true, 6.0f},
        // Won while paused: the timer stays stopped.
        {4000, GameLogicState::Won, true, 6.0f},
        {4000, GameLogicState::Lost, true, 6.0f},
    };
    for (const Step& step : steps) {
        Advance(step.afterMs);
        logic->stateChanged = false;
        logic->SetState(step.state);
        EXPECT_EQ(logic->state, step.state);
        EXPECT_EQ(logic->stateChanged, step.flagged);
        EXPECT_FLOAT_EQ(logic->levelTimer->GetTime(), step.levelSeconds);
    }
}

TEST_F(GameLogicBaseTest, DeletingTheLogicGivesItsTimerBack)
{
    auto logic = NewLogic();
    const ZorvaneEngine::Timer* timer = logic->levelTimer;
    const int32_t slot = engine->timers->GetSlotIndex(timer);
    ASSERT_GE(slot, 0);
    logic.reset();
    EXPECT_EQ(engine->timers->GetSlotIndex(timer), -1);

    // The freed slot serves the next level's timer.
    const auto next = NewLogic();
    EXPECT_EQ(engine->timers->GetSlotIndex(next->levelTimer), slot);
}

} // namespace
} // namespace GameFramework
