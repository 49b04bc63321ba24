// A level of the game on the real drivers (SDL's offscreen video on Mesa's
// software rasterizer, dummy audio) with the data set the build made, in an
// 800 x 600 window.
//   LevelLoad: the level keeper of the largest puzzle (54 pieces): the
//     picture decoded, the pieces read and their masks expanded, their
//     pictures cut and packed into atlas pages, the board's three pictures,
//     and every texture and material made, on the calling thread as the
//     loading screen's worker does it. Goal: at most 0.5 s.
//   LevelFrame: one whole game frame (input, the level's update, the HUD,
//     the scene pass and the present) of that level in arcade mode with its
//     path full of pieces, the introduction run over. "fps" is frames per
//     wall-clock second; "cores" the processor time of every thread (the
//     rasterizer's included) per second. Unpaced, and paced as the game
//     runs with "v_vsync" 1. Goal: 60 fps paced with at most 0.3 cores.
// For a two-core machine: LP_NUM_THREADS=2, or taskset -c 0,1.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/RenderSystem.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/common/LevelManager.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/GameLogicData.h"
#include "game/gameplay/PuzzleDepository.h"
#include "BenchInstallation.h"

namespace {

using BenchSupport::TheInstallation;

// The largest puzzle of the shipped levels.
constexpr uint32_t kStage = 7;
constexpr uint32_t kLevel = 4;

class LevelGame : public BenchSupport::BenchGame {
public:
    GameFramework::ProfileManagerBase* Profiles() const { return profileManager.get(); }
    ActionPuzzle::GameLogic* Logic() const { return static_cast<ActionPuzzle::GameLogic*>(gameLogic.get()); }
    const ActionPuzzle::StageInfo& Stage() const
    {
        return static_cast<const ActionPuzzle::StageInfo&>(*levelManager->stages[kStage]);
    }
    const ActionPuzzle::LevelInfo& Level() const
    {
        return static_cast<const ActionPuzzle::LevelInfo&>(*levelManager->levels[kStage][kLevel]);
    }
    void ChoosePlay() { startGameLogicWindow->result = GameFramework::WindowAction::Play; }
};

std::unique_ptr<LevelGame> StartGame(const std::string& configuration)
{
    TheInstallation().NewUser(configuration);
    auto game = std::make_unique<LevelGame>();
    game->Init();
    game->CutLogosShort();
    for (int frame = 0; frame < 3000 && !game->FirstScreenIsUp(); ++frame) game->Update();
    return game;
}

void LevelLoad(benchmark::State& state)
{
    std::unique_ptr<LevelGame> game = StartGame("v_mode 800x600x32\n");
    uint32_t pieces = 0;
    for (auto _ : state) {
        auto keeper = std::make_unique<ActionPuzzle::GameLogicData>(game->Engine(), "ge", game->Stage(),
                                                                     game->Level());
        keeper->Load();
        state.PauseTiming();
        pieces = keeper->GetPieceCount();
        keeper.reset();
        state.ResumeTiming();
    }
    state.counters["pieces"] = pieces;
}
BENCHMARK(LevelLoad)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

void LevelFrame(benchmark::State& state, bool paced)
{
    std::unique_ptr<LevelGame> game =
        StartGame(std::string("v_mode 800x600x32\nv_vsync ") + (paced ? "1\n" : "0\n"));
    GameFramework::ProfileBase* player = game->Profiles()->AddProfile(u"Bench");
    game->Profiles()->currentProfile = player;
    player->stage = player->furthestStage = kStage;
    player->level = player->furthestLevel = kLevel;
    game->ChoosePlay();
    for (int frame = 0; frame < 3000 && game->Logic() == nullptr; ++frame) game->Update();
    if (game->Logic() == nullptr) {
        state.SkipWithError("the level did not start");
        return;
    }
    // The path filled quickly: the queue runs at the fast-forward's speed
    // until a few pieces' room is left before the hole.
    ActionPuzzle::PuzzleDepository& path = *game->Logic()->GetDepository();
    path.introFinished = true;
    for (int frame = 0; frame < 5000 && (path.GetQueue().empty() || path.freeLength > 150.0f); ++frame) {
        path.fastForward = 300.0f;
        game->Update();
    }
    path.fastForward = 0.0f;
    ZorvaneEngine::Image screen;
    game->Engine()->renderer->CaptureScreen(screen);
    if (screen.GetWidth() != 800 || screen.GetHeight() != 600) {
        state.SkipWithError("not in 800 x 600");
        return;
    }

    const double cpuBefore = ProcessSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    for (auto _ : state) game->Update();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["cores"] = (ProcessSeconds() - cpuBefore) / wall.count();
    state.counters["on_path"] = static_cast<double>(path.GetQueue().size());
    state.counters["models"] = game->Engine()->models->GetDrawnModels();
    if (game->Logic()->state != GameFramework::GameLogicState::Playing) state.SkipWithError("the level ended");
    if (const char* threads = std::getenv("LP_NUM_THREADS")) state.SetLabel(std::string("LP_NUM_THREADS=") + threads);
}
void LevelFrameUnpaced(benchmark::State& state) { LevelFrame(state, false); }
void LevelFramePaced(benchmark::State& state) { LevelFrame(state, true); }
BENCHMARK(LevelFrameUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(LevelFramePaced)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace
