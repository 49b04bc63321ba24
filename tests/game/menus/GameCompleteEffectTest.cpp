// The end of the game on the built data set: the flashes over the menus,
// the unicorn that comes up while they stand and runs its animation once,
// the effect's answer only after that run, the unicorn's leaving after the
// game-complete screen, art or background lists that would leave the game
// stuck before its end, and the game's route from the effect to the
// game-complete screen.
#include "game/menus/GUIGameCompleteEffect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/SoundPlayer.h"
#include "game/app/GameTestSupport.h"
#include "game/gameplay/GameLogicData.h"
#include "game/menus/GUIUnicorn.h"
#include "game/menus/MenuWorld.h"

namespace ActionPuzzle {
namespace {

using GameFramework::WindowAction;
using TestSupport::Journal;
using TestSupport::MenuWorld;
using ZorvaneEngine::GUIWindow;

constexpr float kFrame = 0.02f;  // seconds of one frame of the worlds below

float Alpha(const GUIWindow* window)
{
    return window->GetColor().a;
}

// The menus after their intro, the unicorn and the effect over them, each
// frame updated in the game's order: the effect, then the unicorn.
struct Finale {
    // damagedModels: model files below "data/" that cannot be read.
    explicit Finale(const std::string& backgroundList = std::string(),
                    const std::vector<std::string>& damagedModels = {})
        : world(backgroundList)
    {
        for (const std::string& file : damagedModels)
            world.Put("data/" + file, "not a model");
        world.Start();
        world.player->AddSound(SoundUpgrade, "audio\\menu\\upgrade.wav", false);
        world.RunIntro();
        unicorn = std::make_unique<GUIUnicorn>(world.engine.get(), world.player.get(), world.background.get());
        effect = std::make_unique<GUIGameCompleteEffect>(unicorn.get(), world.background.get(), world.engine.get(),
                                                         world.data.get());
    }

    // The map keeps asking for the flashes while it is shown.
    void Frame(bool start = false)
    {
        world.Frame([&] {
            if (start)
                effect->Start();
            effect->Update();
            unicorn->Update();
        });
        upgrades += static_cast<int>(std::count(world.sounds.begin(), world.sounds.end(), "upgrade.wav"));
    }

    // Frames from the flashes' start until the effect answers, 10 s at most;
    // the seconds it took, or −1.
    float RunToTheEnd()
    {
        for (int frame = 0; frame < 500; ++frame) {
            Frame(true);
            if (effect->result == WindowAction::GameComplete)
                return static_cast<float>(frame) * kFrame;
        }
        return -1.0f;
    }

    MenuWorld world;
    std::unique_ptr<GUIUnicorn> unicorn;
    std::unique_ptr<GUIGameCompleteEffect> effect;
    int upgrades = 0;
};

TEST(GameCompleteEffectTest, FlashesBringTheUnicornWhoseRunEndsTheEffect)
{
    Finale finale;
    GUIUnicorn& unicorn = *finale.unicorn;
    GUIGameCompleteEffect& effect = *finale.effect;
    unicorn.Load();
    ASSERT_NE(unicorn.window, nullptr);
    ASSERT_NE(unicorn.GetAnimation(), nullptr);
    ASSERT_GT(unicorn.GetAnimation()->GetFrameCount(), 1u);
    // It stands where the background's own unicorn does, hidden until shown.
    const GUIWindow* layer = finale.world.background->GetUnicornLayer();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(unicorn.window->GetParent(), layer->GetParent());
    EXPECT_EQ(unicorn.window->layer, layer->layer);
    EXPECT_FALSE(unicorn.window->effectivelyVisible);

    // Not started: nothing shows and nothing answers.
    for (int i = 0; i < 5; ++i)
        finale.Frame();
    EXPECT_FALSE(effect.GetRootWindow()->effectivelyVisible);
    EXPECT_FALSE(unicorn.showing);

    const ZorvaneEngine::AnimationControl& flash = *effect.GetEffectWindows()[0]->model->GetAnimation();
    const float n = static_cast<float>(flash.GetFrameCount());
    ASSERT_GE(n, 20.0f);
    float shownAt = -1, playedAt = -1, endedAt = -1;
    float lastPosition = -1;
    float clockBeforePlay = 0;
    std::map<float, float> unicornAlphaAtClock;
    for (int frame = 0; frame < 500 && endedAt < 0; ++frame) {
        const float t = static_cast<float>(frame) * kFrame;
        const float clockBefore = unicorn.clock;
        const bool playedBefore = unicorn.played;
        // The effect reads the position the last frame's drawing left.
        const float p = frame == 0 ? 0.0f : flash.position;
        finale.Frame(true);
        ASSERT_TRUE(effect.GetRootWindow()->effectivelyVisible);
        // Asked again every frame, the flashes still run on from their start.
        if (flash.playing) {
            EXPECT_GT(flash.position, lastPosition) << "at " << t << " s";
            lastPosition = flash.position;
        }
        // Also once it has stopped, on its last frame.
        const float expected = p < 10 ? p / 10 : p > n - 10 ? (n - p) / 10 : 1.0f;
        EXPECT_NEAR(Alpha(effect.GetEffectWindows()[0]), expected, 0.01f) << "at p = " << p;
        if (shownAt < 0 && unicorn.showing)
            shownAt = t;
        if (!playedBefore && unicorn.played) {
            playedAt = t;
            clockBeforePlay = clockBefore;
            // Started in the very update that passes 3.1 s.
            EXPECT_GT(unicorn.clock, 3.1f);
        }
        if (unicorn.showing)
            unicornAlphaAtClock[unicorn.clock] = Alpha(unicorn.window);
        if (effect.result == WindowAction::GameComplete)
            endedAt = t;
    }
    // The first flash is fully in after 10 of its frames at 20 a second.
    EXPECT_NEAR(shownAt, 0.5f, 0.03f);
    EXPECT_EQ(finale.upgrades, 1);
    ASSERT_GT(playedAt, 0);
    EXPECT_LE(clockBeforePlay, 3.1f);
    // Its run of 15 frames a second over every texture frame came before
    // the answer, which followed as soon as the run stopped.
    ASSERT_GT(endedAt, 0);
    const ZorvaneEngine::AnimationControl& run = *unicorn.GetAnimation();
    EXPECT_FALSE(run.playing);
    EXPECT_TRUE(unicorn.done);
    EXPECT_EQ(run.currentFrame, run.GetFrameCount() - 1);
    const float runTime = static_cast<float>(run.GetFrameCount() - 1) / 15.0f;
    EXPECT_NEAR(endedAt - playedAt, runTime, 0.07f);

    // The unicorn's fade in from its showing.
    const std::vector<std::pair<float, float>> fadeIn = {{0.4f, 0.0f}, {1.5f, 0.45f}, {2.72f, 1.0f}, {3.5f, 1.0f}};
    for (const auto& [clock, alpha] : fadeIn) {
        auto sample = unicornAlphaAtClock.lower_bound(clock - 0.001f);
        ASSERT_NE(sample, unicornAlphaAtClock.end());
        EXPECT_NEAR(sample->second, alpha, 0.015f) << "at " << clock << " s";
    }
    // The flashes have ended by now and stand faintly on their last frames
    // until the game hides them.
    for (const GUIWindow* window : effect.GetEffectWindows()) {
        const ZorvaneEngine::AnimationControl& ended = *window->model->GetAnimation();
        EXPECT_FALSE(ended.playing);
        const float frames = static_cast<float>(ended.GetFrameCount());
        EXPECT_GT(Alpha(window), 0.0f);
        EXPECT_NEAR(Alpha(window), (frames - ended.position) / 10, 0.01f);
    }
}

TEST(GameCompleteEffectTest, TheUnicornLeavesFadingAndCanBeLoadedAgain)
{
    Finale finale;
    GUIUnicorn& unicorn = *finale.unicorn;
    unicorn.Load();
    ASSERT_GT(finale.RunToTheEnd(), 0.0f);
    const GUIWindow* parent = unicorn.window->GetParent();
    const size_t siblings = parent->GetChildren().size();
    const uint32_t windows = finale.world.engine->guiManager->windows.GetCount();

    // As the game ends it after the game-complete screen.
    unicorn.showing = false;
    unicorn.leaving = true;
    unicorn.clock = 0.0f;
    unicorn.done = false;
    for (int i = 0; i < 12; ++i)
        finale.Frame();
    ASSERT_NE(unicorn.window, nullptr);
    EXPECT_NEAR(Alpha(unicorn.window), 1.0f - 2.0f * 12 * kFrame, 0.01f);
    while (unicorn.window && unicorn.clock < 1.0f)
        finale.Frame();
    EXPECT_NEAR(unicorn.clock, 0.5f, kFrame + 0.001f);
    EXPECT_EQ(unicorn.window, nullptr);
    EXPECT_EQ(unicorn.GetAnimation(), nullptr);
    EXPECT_FALSE(unicorn.leaving);
    EXPECT_EQ(finale.world.engine->guiManager->windows.GetCount(), windows - 1);
    EXPECT_EQ(parent->GetChildren().size(), siblings - 1);
    // Frames after it has gone touch nothing.
    finale.Frame();

    // The next player's end of the game has a unicorn again.
    unicorn.Load();
    ASSERT_NE(unicorn.window, nullptr);
    EXPECT_EQ(unicorn.window->GetParent(), parent);
    EXPECT_EQ(finale.world.engine->guiManager->windows.GetCount(), windows);
}

// Data the game's end would once have waited on for ever. Each case must
// still end, and a unicorn that is there must have been shown.
TEST(GameCompleteEffectTest, MissingOrStillArtStillEndsTheGame)
{
    struct Case {
        const char* name;
        std::string backgroundList;
        std::vector<std::string> damagedModels;
        bool loadUnicorn;
        float earliestEnd;  // seconds after the start
    };
    const std::string noUnicorn = "3\nsky _none_ 1 0\nmeadow pollen 0 0\ntrees _none_ 0 1\n";
    const std::vector<Case> cases = {
        // The unicorn stands behind the front windows instead.
        {"no unicorn layer in the background", noUnicorn, {}, true, 3.1f},
        // Nothing to wait for but the flashes: 40 frames at 20 a second.
        {"no unicorn loaded", "", {}, false, 1.9f},
        // A unicorn picture that does not move, flashes that cannot play.
        {"still art",
         "",
         {"ui/menus/background/models/unicorn_animated.mlf", "ui/menus/models/start_game/game_complete_effect_0.mlf",
          "ui/menus/models/start_game/game_complete_effect_1.mlf",
          "ui/menus/models/start_game/game_complete_effect_2.mlf"},
         true,
         3.1f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto finale = std::make_unique<Finale>(c.backgroundList, c.damagedModels);
        GUIUnicorn& unicorn = *finale->unicorn;
        if (c.loadUnicorn) {
            unicorn.Load();
            ASSERT_NE(unicorn.window, nullptr);
        }
        if (c.backgroundList == noUnicorn) {
            const GUIBackgroundWindow& background = *finale->world.background;
            EXPECT_EQ(unicorn.window->GetParent(), background.GetLayerParent());
            EXPECT_EQ(unicorn.window->layer, background.GetFrontParent()->layer - 1);
        }
        const float end = finale->RunToTheEnd();
        EXPECT_GE(end, c.earliestEnd);
        EXPECT_LT(end, 6.0f);
        if (c.loadUnicorn) {
            EXPECT_TRUE(unicorn.showing);
            EXPECT_EQ(finale->upgrades, 1);
        }
    }
}

// The game: the level loading brings the unicorn for the last level only,
// and the effect's answer opens the game-complete screen, whose end sends
// the unicorn away.
class GameCompleteRouteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.UseBuiltData();
        world.Start();
        game().RunStartUp(world.env.scripted);
        ASSERT_TRUE(game().HasAllWindows());
        GameFramework::ProfileBase* ann = game().Profiles()->AddProfile(u"Ann");
        ASSERT_NE(ann, nullptr);
        game().Profiles()->currentProfile = ann;
        game().SpyOnScreens();
        game().journal.clear();
    }

    TestSupport::GameUnderTest& game() { return *world.game; }

    void Frame()
    {
        world.env.scripted.Advance(20);
        game().Update();
    }

    TestSupport::GameEnvironment world;
};

TEST_F(GameCompleteRouteTest, OnlyTheLastLevelsLoadingBringsTheUnicorn)
{
    GameFramework::LevelManagerBase& levels = *game().Levels();
    const uint32_t lastStage = static_cast<uint32_t>(levels.stages.size()) - 1;
    const uint32_t lastLevel = levels.stages[lastStage]->levelCount - 1;
    const uint32_t firstStagesLast = levels.stages[0]->levelCount - 1;
    struct Case {
        uint32_t stage, level;
        bool unicorn;
    };
    for (const Case& c : {Case{0, 0, false}, Case{lastStage, 0, false}, Case{0, firstStagesLast, false},
                          Case{lastStage, lastLevel, true}}) {
        SCOPED_TRACE(std::to_string(c.stage) + "_" + std::to_string(c.level));
        GameLogicData keeper(game().Engine(), "ge", static_cast<const StageInfo&>(*levels.stages[c.stage]),
                             static_cast<const LevelInfo&>(*levels.levels[c.stage][c.level]));
        GameFramework::GUILoadingWindowBase& loading = *game().LevelLoading();
        loading.Open(&keeper);
        game().LoadingTextTyped();
        loading.Update();
        EXPECT_EQ(loading.result, WindowAction::Done);
        EXPECT_EQ(game().Unicorn()->window != nullptr, c.unicorn);
        loading.Close();
    }
}

TEST_F(GameCompleteRouteTest, TheEffectsEndOpensTheGameCompleteScreenAndItsEndSendsTheUnicornAway)
{
    GUIUnicorn& unicorn = *game().Unicorn();
    GUIGameCompleteEffect& effect = *game().Effect();
    unicorn.Load();
    effect.Start();
    int frames = 0;
    for (; frames < 500 && game().journal.empty(); ++frames)
        Frame();
    EXPECT_EQ(game().journal, (Journal{"open game complete"}));
    // The unicorn's run came first; the flashes are put away.
    EXPECT_GT(static_cast<float>(frames) * kFrame, 3.1f);
    EXPECT_TRUE(unicorn.done);
    EXPECT_FALSE(effect.GetRootWindow()->effectivelyVisible);
    EXPECT_TRUE(unicorn.window->effectivelyVisible);
    game().journal.clear();

    // The screen's end: the unicorn fades and is unloaded.
    game().Result("game complete") = WindowAction::Done;
    Frame();
    EXPECT_TRUE(unicorn.leaving);
    for (int i = 0; i < 30; ++i)
        Frame();
    EXPECT_EQ(unicorn.window, nullptr);
}

} // namespace
} // namespace ActionPuzzle
