// Time per frame to draw a screenful of text (about 2,000 characters: four
// windows, one per depth group, of six centred lines of 84 characters) in a DejaVu Sans font built
// by the font tools: queueing the texts, the GUI pass that places them and
// fills the glyph quads, and the frame's end. A second variant adds the model
// manager's pass over the font models (box, sorting, drawing) on the
// scripted driver.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/TextAlign.h"
#include "platform/graphics/scripted/ScriptedGraphics.h"
#include "platform/window/scripted/ScriptedWindowing.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontCharacters.h"
#include "tools/common/FontWriter.h"
#include "tools/common/FreeTypeRasterizer.h"

namespace {

using namespace ZorvaneEngine;

constexpr int kWindows = 4;
constexpr int kLines = 6;
constexpr size_t kLineLength = 84;

class TextBench {
public:
    TextBench()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tangrove-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        folder = pattern;
        windowing.desktop = Platform::Rect{0, 0, 1280, 1024};
        config = std::make_unique<Config>("800x600x32", "bench", &log, nullptr, "", false, false, false);
        window = std::make_unique<Window>("bench", &log, config.get(), nullptr, 0, false, 800, 600, false, true,
                                          0, 0);
        renderer = std::make_unique<RenderSystem_D3D7>(config.get(), &log, window.get(), false, false);
        files = std::make_unique<FileManager>("", &log, folder);
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderer.get());
        lights = std::make_unique<LightManager>(&log, renderer.get());
        shaders = std::make_unique<ShaderManager>(&log, files.get(), &timers, config.get(), renderer.get());
        models = std::make_unique<ModelManager>(&log, files.get(), &timers, renderer.get(), cameras.get(),
                                                lights.get(), shaders.get());
        gui = std::make_unique<GUIManager>(&log, files.get(), window.get(), &timers, cameras.get(), shaders.get(),
                                           models.get(), nullptr, nullptr);
        gui->GetCamera()->orthoWidth = 800;
        gui->GetCamera()->orthoHeight = 600;
        LoadFont();
        // One depth each: a font model holds 1024 quads per depth and frame.
        const uint32_t depths[kWindows] = {GUIWindowFlags::DepthBack, 0, GUIWindowFlags::DepthRaised,
                                           GUIWindowFlags::DepthTop};
        for (int i = 0; i < kWindows; ++i) {
            windows.push_back(gui->CreateQuadWindow(GUIWindowFlags::Visible | depths[i], Vector2(0, 150.0f * i),
                                                    Vector2(800, 150), nullptr, nullptr, Vector2(1, 1)));
        }
        // German prose with its umlauts, cut into lines of one length.
        const std::u16string prose =
            u"Über den Höhen des Gebirges zogen die Wolken nach Süden, während unten im Tal die Bäume "
            u"im Wind rauschten und die Straße größer wurde. ";
        for (int i = 0; i < kLines; ++i) {
            std::u16string line;
            while (line.size() < kLineLength) {
                line += prose.substr((i * 17 + line.size()) % prose.size(), 1);
            }
            lines.push_back(line);
        }
        graphics.ClearCalls();
    }
    ~TextBench()
    {
        gui.reset();
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
        renderer.reset();
        window.reset();
        std::filesystem::remove_all(folder);
    }

    // Every window queues its lines, as screens do during their update.
    void QueueTexts()
    {
        for (GUIWindow* w : windows) {
            for (int i = 0; i < kLines; ++i) {
                w->AddText(TextAlign::CenterX, 2, lines[i], 0.0f, -1.0f, Vector2(0, 130.0f - 22.0f * i),
                           ColorRGBA(1, 1, 1, 1));
            }
        }
    }

    size_t Characters() const { return kWindows * kLines * kLineLength; }

    Platform::ScriptedWindowing windowing;
    Platform::ScriptedGraphics graphics;
    Platform::ScopedWindowing installedWindowing{windowing};
    Platform::ScopedGraphicsDriver installedGraphics{graphics};
    MessageManager log{"", "", "Bench", false, false};
    TimerManager timers;
    std::string folder;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> renderer;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
    std::unique_ptr<GUIManager> gui;
    std::vector<GUIWindow*> windows;
    std::vector<std::u16string> lines;

private:
    // DejaVu Sans at 16 pixels, drawn 19 units high.
    void LoadFont()
    {
        Tools::RasterFont raster;
        std::vector<char16_t> missing;
        std::string error;
        if (!Tools::RasterizeFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16,
                                  Tools::DefaultFontCharacters(), raster, missing, error)) {
            std::abort();
        }
        const Tools::FontAtlas atlas = Tools::BuildFontAtlas(raster);
        std::filesystem::create_directories(folder + "/data");
        if (!Tools::SaveFile(folder + "/data/sans.fnt", Tools::BuildFontFile(atlas.glyphs)) ||
            !Image::Save(&log, files.get(), atlas.texture, "data\\sans.tga")) {
            std::abort();
        }
        GUIFont* font = gui->GetFontManager()->LoadFont(2, BuildGUIShaderDescriptor("32bit", "sans.tga"), "sans.fnt");
        font->size = static_cast<float>(raster.ascent + raster.descent);
        font->missingAdvance = 0.3f;
    }
};

void Report(benchmark::State& state, const TextBench& bench)
{
    // The last frame's quads: every character but the blanks.
    size_t quads = 0;
    for (const auto& copy : bench.gui->GetFontManager()->GetDepthCopies()) {
        quads += copy->GetModel()->GetIndexBuffer()->GetCount() / 6;
    }
    if (quads < bench.Characters() * 3 / 4) {
        state.SkipWithError("the texts were not drawn");
    }
    state.counters["quads"] = static_cast<double>(quads);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * bench.Characters()));
    state.counters["characters"] = static_cast<double>(bench.Characters());
    state.counters["frames"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Queue, place, fill the quads and close the frame.
void GuiTextPass(benchmark::State& state)
{
    TextBench bench;
    for (auto _ : state) {
        bench.QueueTexts();
        bench.gui->Draw();
    }
    Report(state, bench);
}

// The same, then the model manager's pass draws the font models.
void GuiTextPassAndModels(benchmark::State& state)
{
    TextBench bench;
    for (auto _ : state) {
        bench.QueueTexts();
        bench.cameras->Update();
        bench.gui->Draw();
        bench.models->RenderAll();
        // The scripted driver's record of calls would grow with every frame.
        bench.graphics.ClearCalls();
    }
    Report(state, bench);
}

BENCHMARK(GuiTextPass)->Unit(benchmark::kMicrosecond);
BENCHMARK(GuiTextPassAndModels)->Unit(benchmark::kMicrosecond);

} // namespace
