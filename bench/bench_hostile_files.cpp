// Files made to keep a reader busy, each timed at two sizes: the time of a
// bounded reader stays flat (the JPEG, refused at its scan limit) or grows
// in proportion to the size (the long configuration line, the registry store
// without line ends), where an unbounded one grew with the square.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Image.h"
#include "platform/system/real/RegistryStore.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/ProgressiveJpeg.h"

namespace {

using ZorvaneEngine::Config;
using ZorvaneEngine::FileManager;
using ZorvaneEngine::Image;
using ZorvaneEngine::MessageManager;

class Folder {
public:
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tangrove-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path = pattern;
        files = std::make_unique<FileManager>("", &log, path);
    }
    ~Folder() { std::filesystem::remove_all(path); }

    void Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        if (!Tools::SaveFile(path + "/" + name, bytes)) {
            std::abort();
        }
    }

    MessageManager log{"", "", "Bench", false, false};
    std::string path;
    std::unique_ptr<FileManager> files;
};

// A flat 1024 × 1024 grey picture whose AC scan is repeated: some 30 bytes a
// scan, each a pass over the whole picture. Past the scan limit the file is
// refused at the first scan too many, whatever its length.
void RepeatedJpegScans(benchmark::State& state)
{
    Folder folder;
    Image grey;
    grey.Create(1024, 1024, 8, &folder.log);
    grey.Fill(ZorvaneEngine::ColorRGBA(0.5f, 0.5f, 0.5f, 1.0f));
    const std::vector<uint8_t> bytes = Tools::EncodeRepeatedScanJpeg(grey, static_cast<uint32_t>(state.range(0)));
    folder.Write("scans.jpg", bytes);
    for (auto _ : state) {
        Image image;
        benchmark::DoNotOptimize(Image::Load(&folder.log, folder.files.get(), image, "scans.jpg"));
        folder.log.ClearFrameMessages();
    }
    state.counters["file_kb"] = static_cast<double>(bytes.size()) / 1024.0;
}

// "Tangrove.ini" with one line of the given length, nearly all blanks: the
// pairs of blanks are removed before the line is read.
void LongConfigurationLine(benchmark::State& state)
{
    Folder folder;
    Config config("", "bench", &folder.log, folder.files.get(), "", false, false, false);
    const std::string line = "v_mode" + std::string(static_cast<size_t>(state.range(0)), ' ') + "1024x768x32";
    for (auto _ : state) {
        benchmark::DoNotOptimize(config.Execute(line));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

// A registry store of the given size without a line end, searched for a value.
void RegistryWithoutLineEnds(benchmark::State& state)
{
    Folder folder;
    folder.Write("registry.ini", std::vector<uint8_t>(static_cast<size_t>(state.range(0)), 'x'));
    const std::string path = folder.path + "/registry.ini";
    for (auto _ : state) {
        std::string value;
        benchmark::DoNotOptimize(Platform::ReadRegistryFile(path, "SOFTWARE\\Quobin Games\\Tangrove", "Version", value));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

BENCHMARK(RepeatedJpegScans)->Arg(100)->Arg(7000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(LongConfigurationLine)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(RegistryWithoutLineEnds)->Arg(16 << 20)->Arg(64 << 20)->Unit(benchmark::kMillisecond);

} // namespace
