// One frame of the scene behind a menu, drawn by the engine on the real
// OpenGL driver (SDL's offscreen video driver on Mesa's software rasterizer)
// in 1024 x 768: a full-screen backdrop and 39 panels, all textured and
// blended, and 7 particle systems of 300 particles each. One iteration is a
// whole engine frame (update, scene pass, present); "fps" is frames per
// second of wall-clock time, the rasterizer's threads included. The empty
// frame beside it is what clearing and presenting cost on their own: its
// clear colour changes every frame, since a present that would show the
// same plain colour again is skipped.
// Both run unpaced (the driver's wait for the vertical blank switched off);
// the paced runs keep it, as the game does with "v_vsync" 1: the scene must
// still reach the display's 60 frames a second, and "cores" shows what a
// paced frame that shows something new costs the processor.
//
// For a two-core machine: LP_NUM_THREADS=2, or taskset -c 0,1.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/RenderSystem.h"
#include "platform/graphics/GraphicsDriver.h"
#include "tools/common/MaterialWriter.h"
#include "tools/common/ModelWriter.h"
#include "tools/common/ParticleSystemWriter.h"

namespace {

using namespace ZorvaneEngine;

constexpr int kPanelColumns = 8;
constexpr int kPanelRows = 5;  // 39 panels and the backdrop
constexpr int kSystems = 7;
constexpr uint32_t kParticles = 300;
constexpr float kDepth = 8.0f;  // of the panels and the emitters below the camera
// Half the view's height and width at that depth: the vertical half-angle
// of the default lens is π/6, the width 4/3 of the height.
const float kHalfHeight = kDepth * std::tan(3.14159265f / 6);
const float kHalfWidth = kHalfHeight * 4 / 3;

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// A 32-bit picture with an opacity falling off from the centre, the way
// menu art and sparks come.
Image Picture(uint32_t side, float r, float g, float b)
{
    Image picture;
    picture.Create(side, side, 32, nullptr);
    for (uint32_t y = 0; y < side; ++y) {
        uint8_t* p = picture.GetRow(y);
        for (uint32_t x = 0; x < side; ++x, p += 4) {
            const float dx = (x + 0.5f) / side * 2 - 1, dy = (y + 0.5f) / side * 2 - 1;
            const float shade = 0.6f + 0.4f * ((x / 16 + y / 16) % 2);
            p[0] = static_cast<uint8_t>(255 * r * shade);
            p[1] = static_cast<uint8_t>(255 * g * shade);
            p[2] = static_cast<uint8_t>(255 * b * shade);
            p[3] = static_cast<uint8_t>(255 * std::fmax(0.0f, 1 - 0.7f * (dx * dx + dy * dy)));
        }
    }
    return picture;
}

std::vector<uint8_t> BlendedMaterial(const std::string& picture)
{
    Tools::Material material;
    material.flags = 1;
    material.sourceBlend = 4;
    material.destinationBlend = 5;
    Tools::MaterialStage stage;
    stage.diffuse = picture;
    material.stages.push_back(stage);
    return Tools::BuildMaterialFile(material);
}

// The data folder: the backdrop, one panel (two morph frames, like a
// button's states) and one particle system, each with its material.
void WriteData(const std::string& folder)
{
    MessageManager log("", "", "Bench", false, false);
    FileManager files("", &log, folder);
    if (!Image::Save(&log, &files, Picture(512, 0.3f, 0.5f, 0.9f), "data\\menu\\backdrop.tga") ||
        !Image::Save(&log, &files, Picture(256, 0.9f, 0.7f, 0.2f), "data\\menu\\panel.tga") ||
        !Image::Save(&log, &files, Picture(32, 1, 1, 1), "data\\menu\\spark.tga"))
        std::abort();

    namespace Flag = Tools::ModelFlag;
    const uint32_t common = Flag::List | Flag::VertexColor | Flag::DepthTest | Flag::GroupSecond |
                            Flag::NoDepthWrite | Flag::Visible;
    const float w = kHalfWidth, h = kHalfHeight;
    const Tools::Mesh screen = Tools::QuadMesh(-w, -h, w, h);
    WriteFile(folder + "/data/menu/backdrop.mlf",
              Tools::BuildModelFile(Tools::MeshModel(Flag::Static | common, {screen})));
    WriteFile(folder + "/data/menu/backdrop.srf", BlendedMaterial("backdrop.tga"));
    const float pw = w / kPanelColumns * 1.2f, ph = h / kPanelRows * 1.2f;
    const std::vector<Tools::Mesh> frames = {Tools::QuadMesh(-pw, -ph, pw, ph, 0, 0, 0.5f, 1),
                                             Tools::QuadMesh(-pw, -ph, pw, ph, 0.5f, 0, 1, 1)};
    WriteFile(folder + "/data/menu/panel.mlf",
              Tools::BuildModelFile(Tools::MeshModel(Flag::Morph | common, frames)));
    WriteFile(folder + "/data/menu/panel.srf", BlendedMaterial("panel.tga"));

    Tools::ParticleSystem sparks;
    sparks.poolSize = kParticles;
    sparks.gravity = 0.3f;
    sparks.floorOn = false;
    sparks.rate.fill(static_cast<float>(kParticles));
    sparks.lifetime.fill(1.0f);
    sparks.color = {{{1, 1, 0.6f, 1}, {1, 0.9f, 0.4f, 1}, {1, 0.7f, 0.3f, 0.9f}, {1, 0.5f, 0.2f, 0.7f},
                     {0.9f, 0.3f, 0.1f, 0.4f}, {0.8f, 0.2f, 0.1f, 0}}};
    sparks.size.fill(0.08f);
    sparks.speed.fill(0.01f);
    sparks.speedSpread.fill(0.005f);
    WriteFile(folder + "/data/menu/sparks.psf", Tools::BuildParticleSystemFile(sparks));
    WriteFile(folder + "/data/menu/sparks.srf", BlendedMaterial("spark.tga"));
}

class MenuScene {
public:
    // Empty: the engine's frame with nothing to draw, the cost of clearing
    // and presenting alone.
    MenuScene(bool populated, bool paced)
    {
        Platform::GetGraphicsDriver().SetVerticalBlankPacing(paced);
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        std::string pattern = (std::filesystem::temp_directory_path() / "tangrove-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        folder = pattern;
        setenv("XDG_DATA_HOME", (folder + "/home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder + "/home").c_str(), 1);
        WriteData(folder);

        EngineSettings settings;
        settings.title = "Bench";
        settings.version = 100;
        settings.baseFolder = folder;
        settings.configName = "bench";
        settings.configFolder = folder + "/config";
        settings.videoMode = "1024x768x32";
        settings.videoModeGiven = true;
        settings.fullscreenGiven = true;
        // The offscreen display is 1024 x 768 itself.
        settings.keepWindowSize = true;
        engine = std::make_unique<Engine>(settings);
        RandomSeed = 1;
        Camera* camera = engine->cameras->GetDefaultCamera();
        camera->position = Vector3(0, 0, kDepth);
        if (populated) Populate();
        // A second and a half of frames at 60 a second: every system full.
        for (int i = 0; i < 90; ++i) Frame();
    }

    ~MenuScene()
    {
        panel.reset();
        engine.reset();
        std::filesystem::remove_all(folder);
        Platform::GetGraphicsDriver().SetVerticalBlankPacing(true);
    }

    void Populate()
    {
        // The backdrop at the back, the panels in a grid in front of it,
        // each a little nearer than the one before; every second panel on
        // its second frame.
        Model* backdrop = engine->models->LoadModel("menu\\backdrop.mlf", nullptr, 0);
        Place(backdrop, 0, 0, -0.5f);
        backdrop->depthKey = 100;
        backdrop->SetFlags(ModelFlags::FixedDepthKey);
        // Copies of a template, as the menus make them.
        panel.reset(engine->models->LoadUnregisteredModel("menu\\panel.mlf", nullptr, 0));
        for (int i = 0; i < kPanelColumns * kPanelRows - 1; ++i) {
            Model* model = engine->models->CloneModel(*panel, nullptr, 0);
            const float column = static_cast<float>(i % kPanelColumns);
            const float row = static_cast<float>(i / kPanelColumns);
            Place(model, (2 * column + 1) / kPanelColumns - 1, (2 * row + 1) / kPanelRows - 1, 0.01f * i);
            model->GetAnimation()->position = static_cast<float>(i % 2);
            model->SetColor(ColorRGBA(1, 1, 1, 0.8f));
        }

        // The emitters spread along the lower half of the screen.
        ParticleSystem* first = engine->particleSystems->LoadParticleSystem("menu\\sparks.psf", nullptr);
        for (int i = 0; i < kSystems; ++i) {
            ParticleSystem* system = i == 0 ? first : engine->particleSystems->CloneParticleSystem(*first);
            system->emitterPosition = Vector3(kHalfWidth * (2.0f * i + 1 - kSystems) / kSystems,
                                              -kHalfHeight * 0.4f, 0.2f);
            system->looping = true;
            system->emitting = true;
            systems.push_back(system);
        }
    }

    // x and y from −1 to 1 across the view, z toward the camera.
    static void Place(Model* model, float x, float y, float z)
    {
        Matrix4 m = Matrix4::Identity();
        m[3] = x * kHalfWidth;
        m[7] = y * kHalfHeight;
        m[11] = z;
        model->ApplyTransform(m);
    }

    // One engine frame at a fixed step of a sixtieth of a second, so that
    // every run animates the same amounts.
    void Frame()
    {
        engine->Update();
        engine->timers->frameStep = 1.0f / 60;
        engine->EndFrame();
    }

    uint32_t LiveParticles() const
    {
        uint32_t live = 0;
        for (const ParticleSystem* system : systems) live += system->liveParticles;
        return live;
    }

    std::string folder;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Model> panel;  // the template, not registered
    std::vector<ParticleSystem*> systems;
};

double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

void RunFrames(benchmark::State& state, bool populated, bool paced)
{
    MenuScene scene(populated, paced);
    if (!scene.engine->renderer->IsReady()) {
        state.SkipWithError("no renderer");
        return;
    }
    Image screen;
    scene.engine->renderer->CaptureScreen(screen);
    if (screen.GetWidth() != 1024 || screen.GetHeight() != 768) {
        state.SkipWithError("not in 1024 x 768");
        return;
    }
    int frame = 0;
    const double cpuBefore = ProcessSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!populated)
            scene.engine->renderer->clearColor = ColorRGBA(0, 0, (++frame % 2) / 255.0f, 1);
        scene.Frame();
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
    // Processor time of every thread (the rasterizer's too) per second.
    state.counters["cores"] = (ProcessSeconds() - cpuBefore) / wall.count();
    state.counters["models"] = scene.engine->models->GetDrawnModels();
    state.counters["particles"] = scene.LiveParticles();
    if (const char* threads = std::getenv("LP_NUM_THREADS"))
        state.SetLabel(std::string("LP_NUM_THREADS=") + threads);
}
void BM_MenuSceneFrame(benchmark::State& state) { RunFrames(state, true, false); }
void BM_EmptyFrame(benchmark::State& state) { RunFrames(state, false, false); }
void BM_MenuSceneFramePaced(benchmark::State& state) { RunFrames(state, true, true); }
void BM_EmptyFramePaced(benchmark::State& state) { RunFrames(state, false, true); }
BENCHMARK(BM_MenuSceneFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_MenuSceneFramePaced)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_EmptyFramePaced)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace
