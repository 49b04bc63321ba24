// The main menu over its full background, as a player who has finished the
// game sees it (every stage's layer and the unicorn), in the game itself on
// the real drivers: SDL's offscreen video on Mesa's software rasterizer.
// One iteration is one turn of the program's loop: the waiting events and a
// whole frame (screens, background, particles, drawing, present).
//   MainMenu/800 and /640: unpaced (the driver's wait for the vertical blank
//     off): how fast a frame can be; "cpu_ms" is the processor time of every
//     thread (the rasterizer's too) per frame.
//   MainMenuPaced/...: with "v_vsync" on as the game runs: "fps" must reach
//     the display's 60, "cores" is the processor time per second of wall
//     time. Goal: 60 fps at 800 x 600 with at most 0.3 cores.
// For a two-core machine: LP_NUM_THREADS=2, or taskset -c 0,1.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchInstallation.h"
#include "engine/Engine.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/RenderSystem.h"
#include "framework/GameLoaderBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/common/Profile.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "platform/graphics/GraphicsDriver.h"

namespace {

double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

class MenuGame : public BenchSupport::BenchGame {
public:
    using BenchGame::BenchGame;

    // One turn of the program's loop.
    void Turn()
    {
        while (GameFramework::GameLoaderBase::DispatchNextEvent()) {
        }
        Update();
    }

    // Up to the main menu on screen, for a player at the end of the game.
    bool ShowMainMenu()
    {
        CutLogosShort();
        for (int i = 0; i < 3000 && !FirstScreenIsUp(); ++i)
            Turn();
        if (!FirstScreenIsUp())
            return false;
        auto* player = static_cast<ActionPuzzle::Profile*>(profileManager->AddProfile(u"Ann"));
        profileManager->currentProfile = player;
        const auto& levels = levelManager->levels;
        player->stage = player->furthestStage = static_cast<uint32_t>(levels.size() - 1);
        player->level = player->furthestLevel = static_cast<uint32_t>(levels.back().size() - 1);
        player->endReached = true;
        player->gameNotCompleted = false;
        menuBackground->UpdateStageIndex();
        menuBackground->FadeInLayers();
        menuBackground->FollowProfile();
        welcomeWindow->Close();
        mainMenuWindow->Open();
        auto* menu = static_cast<ActionPuzzle::GUIMainMenuWindow*>(mainMenuWindow.get());
        for (int i = 0; i < 3000 && !(menu->shown && menu->colour.a >= 1.0f && !menu->IsAnyControlAnimating()); ++i)
            Turn();
        // Every particle system full.
        for (int i = 0; i < 120; ++i)
            Turn();
        return menu->shown;
    }

    uint32_t LiveParticles() const
    {
        uint32_t live = 0;
        for (const ZorvaneEngine::ParticleSystem* system : particleSystems->GetSlots())
            live += system ? system->liveParticles : 0;
        return live;
    }
};

void RunMenu(benchmark::State& state, bool paced)
{
    const int width = static_cast<int>(state.range(0));
    const int height = width * 3 / 4;
    BenchSupport::TheInstallation().NewUser();
    Platform::GetGraphicsDriver().SetVerticalBlankPacing(paced);
    MenuGame game(std::to_string(width) + "x" + std::to_string(height) + "x32");
    game.Init();
    if (!game.ShowMainMenu()) {
        state.SkipWithError("the main menu never came");
        return;
    }
    ZorvaneEngine::Image screen;
    game.Engine()->renderer->CaptureScreen(screen);
    if (static_cast<int>(screen.GetWidth()) != width) {
        state.SkipWithError("not in the mode asked for");
        return;
    }
    const double cpuBefore = ProcessSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    for (auto _ : state)
        game.Turn();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    const double cpu = ProcessSeconds() - cpuBefore;
    const double frames = static_cast<double>(state.iterations());
    state.counters["fps"] = frames / wall.count();
    state.counters["cpu_ms"] = cpu / frames * 1000.0;
    state.counters["cores"] = cpu / wall.count();
    state.counters["models"] = game.Engine()->models->GetDrawnModels();
    state.counters["particles"] = game.LiveParticles();
    if (const char* threads = std::getenv("LP_NUM_THREADS"))
        state.SetLabel(std::string("LP_NUM_THREADS=") + threads);
    Platform::GetGraphicsDriver().SetVerticalBlankPacing(true);
}

void MainMenu(benchmark::State& state) { RunMenu(state, false); }
void MainMenuPaced(benchmark::State& state) { RunMenu(state, true); }
BENCHMARK(MainMenu)->Arg(800)->Arg(640)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(MainMenuPaced)->Arg(800)->Arg(640)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);

} // namespace
