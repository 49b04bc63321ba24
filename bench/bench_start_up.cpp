// The game's start-up with the data set the build made (data/pack0.pak of
// the build folder), on the real drivers: SDL's offscreen video on Mesa's
// software rasterizer and SDL's dummy audio.
//   StartUpToFirstFrame: from constructing the game (engine, framework
//     services, fonts, 30 text tables, sounds, the menu background) through
//     the start-up loading screen, whose worker loads the whole resource
//     catalogue, to the end of the first frame of the first screen. The
//     logos are cut short: their splash time is the pictures', not loading.
//     Goal: under 1 s.
//   CatalogueLoad: the resource catalogue alone (every template and
//     background layer, the level windows) over a running engine, on the
//     calling thread. Goal: under 0.5 s.
// Each iteration starts from a new user folder, as a first run does.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/core/EngineSettings.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "game/app/Game.h"
#include "game/common/GameData.h"
#include "BenchInstallation.h"

namespace {

using BenchSupport::BenchGame;
using BenchSupport::Installation;
using BenchSupport::TheInstallation;

void StartUpToFirstFrame(benchmark::State& state)
{
    Installation& installation = TheInstallation();
    for (auto _ : state) {
        state.PauseTiming();
        installation.NewUser();
        state.ResumeTiming();

        auto game = std::make_unique<BenchGame>();
        game->Init();
        game->CutLogosShort();
        int frames = 0;
        while (!game->FirstScreenIsUp() && frames < 1000) {
            game->Update();
            ++frames;
        }
        game->Update();  // the first frame of the first screen
        state.counters["frames"] = frames + 1;

        state.PauseTiming();
        game.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void CatalogueLoad(benchmark::State& state)
{
    Installation& installation = TheInstallation();
    installation.NewUser();
    // A game started as usual provides the engine.
    BenchGame game;
    game.Init();
    for (auto _ : state) {
        auto data = std::make_unique<ActionPuzzle::GameData>(game.Engine(), "ge");
        data->Load();
        state.PauseTiming();
        state.counters["models"] = static_cast<double>(data->GetModels().size());
        data.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(CatalogueLoad)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace
