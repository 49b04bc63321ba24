// The menu background over the built models: its layers from the list, the
// intro's states up to the menus, the fades between menus and levels, and
// the stage it shows for a profile.
#include "game/menus/GUIBackgroundWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/Error.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileBase.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/menus/MenuWorld.h"
#include "tools/common/ModelWriter.h"

namespace ActionPuzzle {
namespace {

using TestSupport::MenuWorld;
using ZorvaneEngine::GUIWindow;
using ZorvaneEngine::ModelFlags;

// Two layers the background builds, a meadow whose pollen the catalogue
// loads, a castle from stage 3 and the unicorn.
const std::string kList =
    "5\nsky _none_ 1 0\nclouds _none_ 1 0\nmeadow pollen 0 0\ncastle _none_ 0 3\nUnicorn_Animated _none_ 0 5\n";

bool Shown(const GUIWindow* window)
{
    return window && window->effectivelyVisible;
}

bool Running(const ZorvaneEngine::ParticleSystem* system)
{
    return system && (system->spriteGroup->mesh->flags & ModelFlags::Visible) != 0;
}

TEST(GUIBackgroundWindowTest, LayersStandInTheirListsOrderWithTheFrontAboveThemAll)
{
    MenuWorld world(kList);
    world.Start();
    GUIBackgroundWindow& background = *world.background;
    const auto& thematic = background.GetThematicLayers();
    ASSERT_EQ(thematic.windows.size(), 2u);
    EXPECT_EQ(thematic.windows[1]->layer, 2);
    EXPECT_EQ(background.GetFrontParent()->layer, 3);

    world.RunIntro();
    ASSERT_EQ(thematic.windows.size(), 3u);
    // The meadow shows only its pollen: a window without a model, and the
    // model that carries the emitter.
    EXPECT_EQ(thematic.windows[2]->layer, 3);
    EXPECT_EQ(thematic.windows[2]->model, nullptr);
    ASSERT_NE(thematic.models[2], nullptr);
    EXPECT_TRUE(Running(thematic.particleSystems[2]));
    const auto& stages = background.GetStageLayers();
    ASSERT_EQ(stages.windows.size(), 1u);
    EXPECT_EQ(stages.stages[0], 3u);
    EXPECT_EQ(stages.windows[0]->layer, 4);
    // Not reached by a player without a profile; the unicorn not earned.
    EXPECT_FALSE(Shown(stages.windows[0]));
    ASSERT_NE(background.GetUnicornLayer(), nullptr);
    EXPECT_EQ(background.GetUnicornLayer()->layer, 5);
    EXPECT_FALSE(Shown(background.GetUnicornLayer()));

    const float front = background.GetFrontParent()->GetZ();
    for (const GUIWindow* layer : std::vector<const GUIWindow*>{thematic.windows[0], thematic.windows[2],
                                                               stages.windows[0], background.GetUnicornLayer()})
        EXPECT_LT(front, layer->GetZ());
    // The pollen rises around the middle of the meadow's carrier model.
    EXPECT_NEAR(thematic.particleSystems[2]->emitterPosition.x, thematic.models[2]->box.center.x, 1e-3f);
}

// Built after the start-up load, a loaded model layer stands at once; only
// the particles start transparent, to appear with the menus.
TEST(GUIBackgroundWindowTest, LoadedModelLayersShowAtOnceAndTheirParticlesFadeIn)
{
    MenuWorld world("3\nsky _none_ 1 0\nhills _none_ 0 0\nmeadow pollen 0 0\n");
    world.Start();
    GUIBackgroundWindow& background = *world.background;
    background.Activate();
    for (int i = 0; i < 1000 && !background.readyForLoading; ++i)
        world.Frame();
    background.gameData = world.data.get();
    background.loaded = true;
    world.Frame();
    const auto& thematic = background.GetThematicLayers();
    ASSERT_EQ(thematic.windows.size(), 3u);
    ASSERT_NE(thematic.windows[1]->model, nullptr);
    EXPECT_FLOAT_EQ(thematic.windows[1]->GetColor().a, 1.0f);
    const ZorvaneEngine::SpriteGroup& pollen = *thematic.particleSystems[2]->spriteGroup;
    EXPECT_FLOAT_EQ(pollen.groupColor.a, 0.0f);

    background.AcknowledgeMenusMayStart();
    for (int i = 0; i < 30; ++i)
        world.Frame();
    EXPECT_FLOAT_EQ(pollen.groupColor.a, 1.0f);
    EXPECT_FLOAT_EQ(thematic.windows[1]->GetColor().a, 1.0f);
}

TEST(GUIBackgroundWindowTest, ADamagedListOrTitleFileEndsTheProgram)
{
    struct Case {
        const char* list;
        const char* title;  // null: the built one
        const char* error;
    };
    const Case cases[] = {
        {"2\nhills _none_ 0 0\nmeadow pollen 0 0\n", nullptr, "Background have no thematic layers"},
        {"0\n", nullptr, "Background have no thematic layers"},
        {"1\nsky _none_ 1\n", nullptr, "Unexpected end of"},
        {"1\nsky _none_ 1 0\n", "65\n", "holds no title piece count"},
        {"1\nsky _none_ 1 0\n", "-1\n", "holds no title piece count"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.error) + " " + (c.title ? c.title : ""));
        MenuWorld world(c.list);
        if (c.title)
            world.Put("data/ui/menus/models/background/title_ge.ini", c.title);
        try {
            world.Start(false);
            ADD_FAILURE() << "no fatal error";
        } catch (const ZorvaneEngine::FatalError& error) {
            EXPECT_NE(error.message.find(c.error), std::string::npos) << error.message;
        }
        world.Stop();
        EXPECT_NE(TestSupport::ReadWholeFile(world.env.LogPath()).find(std::string("PROGRAM ABORTING: ")),
                  std::string::npos);
    }
}

// Frames until the state changes, at most ten seconds.
int FramesIn(MenuWorld& world, BackgroundState state)
{
    int frames = 0;
    while (world.background->GetState() == state && frames < 500) {
        world.Frame();
        ++frames;
    }
    return frames;
}

TEST(GUIBackgroundWindowTest, TheIntroWaitsForTheLoadAndTheGameBeforeTheMenus)
{
    MenuWorld world;
    world.Start();
    GUIBackgroundWindow& background = *world.background;
    // Inactive during the logos.
    for (int i = 0; i < 10; ++i)
        world.Frame();
    EXPECT_EQ(background.GetState(), BackgroundState::IntroFrame);
    background.Activate();

    // The frame's and the mount's 25 frames at 25 a second, then "LOADING"
    // typed while the title appears.
    EXPECT_NEAR(FramesIn(world, BackgroundState::IntroFrame), 50, 3);
    EXPECT_NEAR(FramesIn(world, BackgroundState::IntroTitle), 50, 3);
    EXPECT_FALSE(background.readyForLoading);
    FramesIn(world, BackgroundState::TypingLoading);
    EXPECT_EQ(background.GetState(), BackgroundState::ReadyForLoading);
    EXPECT_TRUE(background.GetCentreTextPrinter()->done);
    EXPECT_EQ(background.GetCentreTextPrinter()->shownText,
              world.engine->guiManager->GetTextManager()->GetText("LOADING"));

    // It waits for the load as long as it takes, then builds its layers.
    for (int i = 0; i < 50; ++i)
        world.Frame();
    EXPECT_EQ(background.GetState(), BackgroundState::ReadyForLoading);
    EXPECT_TRUE(background.readyForLoading);
    background.gameData = world.data.get();
    background.loaded = true;
    world.Frame();
    EXPECT_EQ(background.GetState(), BackgroundState::MenusMayStart);
    for (int i = 0; i < 10; ++i)
        world.Frame();
    EXPECT_EQ(background.GetState(), BackgroundState::MenusMayStart);
    background.AcknowledgeMenusMayStart();
    world.Frame();
    EXPECT_EQ(background.GetState(), BackgroundState::Settling);
    world.Frame();
    EXPECT_EQ(background.GetState(), BackgroundState::PlateDown);
}

TEST(GUIBackgroundWindowTest, PiecesThatCannotAnimateCountAsPlayed)
{
    MenuWorld world;
    // A still border and a still title mount, as a box substitute is.
    Tools::Model still = Tools::MeshModel(Tools::ModelFlag::Static | Tools::ModelFlag::List,
                                          {Tools::QuadMesh(0, 0, 800, 600)});
    const std::vector<uint8_t> bytes = Tools::BuildModelFile(still);
    for (const char* name : {"frame", "mount_title", "logo_quobin"})
        world.Put(std::string("data/ui/menus/models/background/") + name + ".mlf",
                  std::string(bytes.begin(), bytes.end()));
    world.Start();
    world.background->Activate();
    for (int i = 0; i < 500 && !world.background->readyForLoading; ++i)
        world.Frame();
    EXPECT_TRUE(world.background->readyForLoading);
}

TEST(GUIBackgroundWindowTest, OverALevelTheSceneFadesOutAndStaysHiddenUntilTheMenusComeBack)
{
    MenuWorld world(kList);
    world.Start();
    world.RunIntro();
    GUIBackgroundWindow& background = *world.background;
    const auto& thematic = background.GetThematicLayers();
    for (int i = 0; i < 50; ++i)
        world.Frame();
    EXPECT_TRUE(background.IsTransitionFinished());

    // The level starts: half a second of fading, then nothing of it shows.
    background.ShowLevel();
    EXPECT_FALSE(background.IsTransitionFinished());
    for (int i = 0; i < 10; ++i)
        world.Frame();
    EXPECT_TRUE(Shown(thematic.windows[0]));
    EXPECT_NEAR(thematic.windows[0]->GetColor().a, 0.6f, 0.01f);
    for (int i = 0; i < 20; ++i)
        world.Frame();
    for (const GUIWindow* layer : thematic.windows)
        EXPECT_FALSE(Shown(layer));
    EXPECT_FALSE(Running(thematic.particleSystems[2]));
    EXPECT_FALSE(Shown(background.GetTitlePlate()));

    // An in-game window sends the plate away, which sets v to 1 again: the
    // scene must not flash up over the level.
    background.ShowLevel();
    world.Frame();
    for (const GUIWindow* layer : thematic.windows)
        EXPECT_FALSE(Shown(layer));

    // Back to the menus: everything shows and rises to full again.
    background.FadeInLayers();
    EXPECT_FALSE(background.IsTransitionFinished());
    for (int i = 0; i < 26; ++i)
        world.Frame();
    EXPECT_TRUE(background.IsTransitionFinished());
    for (const GUIWindow* layer : thematic.windows)
        EXPECT_TRUE(Shown(layer));
    EXPECT_TRUE(Running(thematic.particleSystems[2]));
    EXPECT_NEAR(thematic.windows[0]->GetColor().a, 1.0f, 0.01f);
}

TEST(GUIBackgroundWindowTest, TheStageShownFollowsTheProfile)
{
    MenuWorld world;
    world.Start(false);
    GUIBackgroundWindow& background = *world.background;
    const uint32_t stages = static_cast<uint32_t>(world.levels->levels.size());
    ASSERT_GT(stages, 1u);
    const uint32_t lastLevel = static_cast<uint32_t>(world.levels->levels.back().size()) - 1;
    EXPECT_EQ(background.UpdateStageIndex(), 0u);

    GameFramework::ProfileBase* profile = world.profiles->AddProfile(u"Ann");
    world.profiles->currentProfile = profile;
    struct Case {
        uint32_t stage, level, furthestStage, furthestLevel;
        bool endReached;
        uint32_t index;
    };
    const Case cases[] = {
        {2, 1, 2, 1, false, 2},
        {stages - 1, lastLevel, stages - 1, lastLevel, true, stages},
        {stages - 1, lastLevel, stages - 1, lastLevel, false, stages - 1},
        {stages - 1, 0, stages - 1, lastLevel, true, stages - 1},
    };
    for (const Case& c : cases) {
        profile->stage = c.stage;
        profile->level = c.level;
        profile->furthestStage = c.furthestStage;
        profile->furthestLevel = c.furthestLevel;
        profile->endReached = c.endReached;
        EXPECT_EQ(background.UpdateStageIndex(), c.index) << c.stage << " " << c.level;
    }
    // A catalogue without stages has no last level to stand on.
    world.levels->levels.clear();
    world.levels->stages.clear();
    profile->stage = 0;
    profile->level = 0;
    EXPECT_EQ(background.UpdateStageIndex(), 0u);
}

} // namespace
} // namespace ActionPuzzle
