// Ogg Vorbis decoding speed through the engine's reader, as seconds of audio
// decoded per second of real time. The music file is generated at start:
// 20 s of 44100 Hz stereo, read in the 32 KiB pieces a stream refills.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/sound/SoundFileReader.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/OggVorbisWriter.h"

namespace {

using namespace ZorvaneEngine;

constexpr int Channels = 2;
constexpr long Rate = 44100;
constexpr double Seconds = 20.0;
constexpr uint32_t Piece = 0x8000;

// A chord with a slow vibrato and some noise: enough detail that the encoder
// spends real bits on it, as it does on music.
std::vector<int16_t> Music() {
    const size_t frames = static_cast<size_t>(Seconds * Rate);
    std::vector<int16_t> samples(frames * Channels);
    uint32_t noise = 1;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double vibrato = 1.0 + 0.01 * std::sin(2 * M_PI * 5 * t);
        for (int c = 0; c < Channels; ++c) {
            noise = noise * 1664525u + 1013904223u;
            double value = 0;
            for (double f : {220.0, 277.2, 329.6, 440.0}) {
                value += std::sin(2 * M_PI * f * (c + 1) * vibrato * t) * 5000.0;
            }
            value += static_cast<double>(static_cast<int32_t>(noise >> 20) - 2048);
            samples[i * Channels + static_cast<size_t>(c)] = static_cast<int16_t>(std::clamp(value, -32768.0, 32767.0));
        }
    }
    return samples;
}

// The installation folder holding data\music.ogg, removed at exit.
class MusicFolder {
public:
    MusicFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tangrove-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        root = pattern;
        std::filesystem::create_directories(root + "/data");
        std::vector<uint8_t> ogg;
        if (!Tools::EncodeOggVorbis(Music(), Channels, Rate, 0.5f, ogg) || !Tools::SaveFile(root + "/data/music.ogg", ogg)) {
            std::abort();
        }
    }
    ~MusicFolder() {
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }
    std::string root;
};

const MusicFolder& Folder() {
    static const MusicFolder folder;
    return folder;
}

// Decoding alone: one reader, rewound before each pass over the file.
void BM_OggDecode(benchmark::State& state) {
    MessageManager log("", "bench", "Bench", false, false);
    FileManager files("data", &log, Folder().root);
    std::unique_ptr<SoundFileReader> reader = OpenSoundFileReader("music.ogg", &files, &log);
    std::vector<uint8_t> buffer(Piece);
    const double secondsPerPass =
        static_cast<double>(reader->GetDataSize()) / (reader->GetSampleRate() * reader->GetChannels() * 2.0);
    if (reader->GetBitsPerSample() != 16 || secondsPerPass < Seconds - 0.01) {
        state.SkipWithError("the generated file did not open as Ogg Vorbis");
        return;
    }
    for (auto _ : state) {
        reader->Rewind();
        uint64_t total = 0;
        bool end = false;
        while (!end) {
            uint32_t got = 0;
            reader->Read(buffer.data(), Piece, &got, &end);
            total += got;
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["audio_s_per_s"] = benchmark::Counter(secondsPerPass, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_OggDecode)->Unit(benchmark::kMillisecond);

// What a stream pays when its sound is created: opening the file, reading
// the headers and finding the length.
void BM_OggOpen(benchmark::State& state) {
    MessageManager log("", "bench", "Bench", false, false);
    FileManager files("data", &log, Folder().root);
    for (auto _ : state) {
        std::unique_ptr<SoundFileReader> reader = OpenSoundFileReader("music.ogg", &files, &log);
        benchmark::DoNotOptimize(reader->GetDataSize());
    }
}
BENCHMARK(BM_OggOpen)->Unit(benchmark::kMicrosecond);

} // namespace
