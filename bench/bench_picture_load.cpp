// Time per picture to read a 1024 × 1024 JPEG (the size of the puzzle and
// background pictures) and to bring it into the 32-bit blue, green, red,
// alpha form a texture is uploaded from.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Image.h"

namespace {

using ZorvaneEngine::FileManager;
using ZorvaneEngine::Image;
using ZorvaneEngine::MessageManager;

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

BENCHMARK(Decode)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeToTextureForm)->Unit(benchmark::kMillisecond);

} // namespace
