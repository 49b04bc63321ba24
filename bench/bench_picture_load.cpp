// Time per picture to read a 1024 × 1024 JPEG (the size of the puzzle and
// background pictures) and to bring it into the 32-bit blue, green, red,
// alpha form a texture is uploaded from; and to make a texture of it through
// the texture manager (read, pack, mip levels) on the scripted driver.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/Texture2D.h"
#include "engine/graphics/TextureManager.h"
#include "platform/graphics/scripted/ScriptedGraphics.h"
#include "platform/window/scripted/ScriptedWindowing.h"

namespace {

using ZorvaneEngine::Config;
using ZorvaneEngine::FileManager;
using ZorvaneEngine::Image;
using ZorvaneEngine::MessageManager;
using ZorvaneEngine::RenderSystem_D3D7;
using ZorvaneEngine::Texture2D;
using ZorvaneEngine::TextureManager;
using ZorvaneEngine::Window;

constexpr uint32_t Side = 1024;

// A temporary folder holding "picture.jpg": smooth colour ramps with a fine
// grain on top, so the file compresses like a photograph rather than a flat
// test card. Printed once, so the same file can be timed with other tools.
class Fixture {
public:
    Fixture()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tangrove-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        folder = pattern;
        files = std::make_unique<FileManager>("", &log, folder);
        Image picture;
        picture.Create(Side, Side, 24, &log);
        uint32_t seed = 12345;
        for (uint32_t y = 0; y < Side; ++y) {
            uint8_t* p = picture.GetRow(y);
            for (uint32_t x = 0; x < Side; ++x, p += 3) {
                seed = seed * 1664525u + 1013904223u;
                const int grain = static_cast<int>(seed >> 28) - 8;
                p[0] = static_cast<uint8_t>(std::clamp(static_cast<int>(x / 4) + grain, 0, 255));
                p[1] = static_cast<uint8_t>(std::clamp(static_cast<int>(y / 4) + grain, 0, 255));
                p[2] = static_cast<uint8_t>(std::clamp(static_cast<int>((x ^ y) / 8) + grain, 0, 255));
            }
        }
        if (!Image::Save(&log, files.get(), picture, Name)) {
            std::abort();
        }
        std::fprintf(stderr, "picture: %s/%s (%ju bytes)\n", folder.c_str(), Name,
                     static_cast<uintmax_t>(std::filesystem::file_size(folder + "/" + Name)));
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    static constexpr const char* Name = "picture.jpg";
    MessageManager log{"", "", "Bench", false, false};
    std::string folder;
    std::unique_ptr<FileManager> files;
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void Decode(benchmark::State& state)
{
    Fixture& fixture = Shared();
    for (auto _ : state) {
        Image image;
        if (!Image::Load(&fixture.log, fixture.files.get(), image, Fixture::Name)) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(image.GetPixels());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["pictures"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void DecodeToTextureForm(benchmark::State& state)
{
    Fixture& fixture = Shared();
    for (auto _ : state) {
        Image image;
        if (!Image::Load(&fixture.log, fixture.files.get(), image, Fixture::Name)) {
            state.SkipWithError("load failed");
            break;
        }
        image.Convert(32);
        image.SwapRedBlue();
        benchmark::DoNotOptimize(image.GetPixels());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["pictures"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

// A renderer on the scripted driver (its surfaces are memory, as the OpenGL
// driver's are until the first bind uploads them) with a texture manager
// reading the fixture's folder.
class TextureBench {
public:
    explicit TextureBench(Fixture& fixture)
    {
        windowing.desktop = Platform::Rect{0, 0, 1280, 1024};
        config = std::make_unique<Config>("800x600x32", "bench", &fixture.log, nullptr, "", false, false,
                                          false);
        window = std::make_unique<Window>("bench", &fixture.log, config.get(), nullptr, 0, false, 800, 600,
                                          false, true, 0, 0);
        renderer = std::make_unique<RenderSystem_D3D7>(config.get(), &fixture.log, window.get(), false, false);
        manager = std::make_unique<TextureManager>(&fixture.log, fixture.files.get(), nullptr, config.get(),
                                                   renderer.get());
    }
    ~TextureBench()
    {
        manager.reset();
        renderer.reset();
        window.reset();
    }

    Platform::ScriptedWindowing windowing;
    Platform::ScriptedGraphics graphics;
    Platform::ScopedWindowing installedWindowing{windowing};
    Platform::ScopedGraphicsDriver installedGraphics{graphics};
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> renderer;
    std::unique_ptr<TextureManager> manager;
};

// Each round makes the texture anew: the last user's release deletes it.
void LoadTexture(benchmark::State& state, bool mipMap)
{
    Fixture& fixture = Shared();
    TextureBench bench(fixture);
    for (auto _ : state) {
        Texture2D* texture = bench.manager->GetTexture(Fixture::Name, "", mipMap);
        if (texture == nullptr || texture->GetWidth() != Side) {
            state.SkipWithError("texture failed");
            break;
        }
        bench.manager->ReleaseTexture(texture);
        // The driver's record of calls would grow with every round.
        bench.graphics.ClearCalls();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["pictures"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void TextureWithMipLevels(benchmark::State& state)
{
    LoadTexture(state, true);
}

void TextureWithoutMipLevels(benchmark::State& state)
{
    LoadTexture(state, false);
}

BENCHMARK(Decode)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeToTextureForm)->Unit(benchmark::kMillisecond);
BENCHMARK(TextureWithMipLevels)->Unit(benchmark::kMillisecond);
BENCHMARK(TextureWithoutMipLevels)->Unit(benchmark::kMillisecond);

} // namespace
