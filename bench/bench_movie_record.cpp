// The cost of a frame while a movie is recorded, beside the same frame
// without recording: the engine on the real OpenGL driver (SDL's offscreen
// video driver on Mesa's software rasterizer) in 1024 x 768, a GUI panel on
// the clear colour. Recording adds the window copy (a read of the presented
// picture) and one uncompressed 3 MiB frame written to the movie. Every 100
// frames the movie is closed and a new one begun outside the timing, so the
// disk holds one movie at a time.
//
// For a two-core machine: LP_NUM_THREADS=2, or taskset -c 0,1.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/ScreenCapture.h"
#include "engine/gui/GUIManager.h"

namespace {

using namespace ZorvaneEngine;

constexpr int kFramesPerMovie = 100;

class CaptureScene {
public:
    CaptureScene()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        std::string pattern = (std::filesystem::temp_directory_path() / "tangrove-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        folder = pattern;
        setenv("XDG_DATA_HOME", (folder + "/home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder + "/home").c_str(), 1);

        EngineSettings settings;
        settings.title = "Bench";
        settings.version = 100;
        settings.baseFolder = folder;
        settings.configName = "bench";
        settings.configFolder = folder + "/user";
        settings.videoMode = "1024x768x32";
        settings.videoModeGiven = true;
        settings.fullscreenGiven = true;
        settings.keepWindowSize = true;
        engine = std::make_unique<Engine>(settings);
        engine->guiManager->GetCamera()->orthoWidth = 800;
        engine->guiManager->GetCamera()->orthoHeight = 600;
        GUIWindow* panel = engine->guiManager->CreateQuadWindow(
            GUIWindowFlags::Visible | GUIWindowFlags::VertexColor, {100, 100}, {600, 400}, nullptr, nullptr,
            {1, 1});
        panel->SetColor(ColorRGBA(0.8f, 0.3f, 0.1f, 1));
        for (int i = 0; i < 10; ++i) Frame();
    }

    ~CaptureScene()
    {
        engine.reset();
        std::filesystem::remove_all(folder);
    }

    void Frame(const char* command = nullptr)
    {
        engine->Update();
        engine->timers->frameStep = 1.0f / 60;
        if (command != nullptr) engine->config->SetCommandDone(command, false);
        engine->EndFrame();
    }

    // Ends the movie being recorded, deletes it and begins the next one.
    void NextMovie()
    {
        if (engine->screenCapture->IsRecording()) Frame("sc_stop_movie_record");
        std::filesystem::remove_all(folder + "/user/ScreenCaptures");
        Frame("sc_start_movie_record");
    }

    std::string folder;
    std::unique_ptr<Engine> engine;
};

void RunFrames(benchmark::State& state, bool recording)
{
    CaptureScene scene;
    if (!scene.engine->renderer->IsReady()) {
        state.SkipWithError("no renderer");
        return;
    }
    int framesInMovie = 0;
    for (auto _ : state) {
        if (recording && framesInMovie % kFramesPerMovie == 0) {
            state.PauseTiming();
            scene.NextMovie();
            if (!scene.engine->screenCapture->IsRecording()) {
                state.ResumeTiming();
                state.SkipWithError("recording did not start");
                break;
            }
            state.ResumeTiming();
        }
        scene.Frame();
        ++framesInMovie;
    }
    if (recording && !scene.engine->screenCapture->IsRecording())
        state.SkipWithError("recording stopped on the way");
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    if (recording)
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1024 * 768 * 4);
}

void BM_FrameIdle(benchmark::State& state)
{
    RunFrames(state, false);
}

void BM_FrameRecording(benchmark::State& state)
{
    RunFrames(state, true);
}

} // namespace

BENCHMARK(BM_FrameIdle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameRecording)->Unit(benchmark::kMillisecond)->UseRealTime();
