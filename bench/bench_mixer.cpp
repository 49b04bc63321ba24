// The mixer's cost for one second of 22050 Hz stereo output with 32 voices
// playing, mixed in callback-sized blocks as the SDL output asks for it.
// The time of one iteration is the cost per second of output.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/audio/DirectSound.h"
#include "platform/audio/scripted/ScriptedAudio.h"

namespace {

using namespace Platform;

constexpr uint32_t kOutputRate = 22050;
constexpr uint32_t kBlockFrames = 1024;
constexpr int kVoices = 32;

WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits)
{
    WaveFormat format;
    format.channels = channels;
    format.samplesPerSec = rate;
    format.bitsPerSample = bits;
    format.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    format.avgBytesPerSec = format.blockAlign * rate;
    return format;
}

void BM_MixOneSecond(benchmark::State& state)
{
    ScriptedAudio audio;
    IDirectSound* device = nullptr;
    if (DirectSoundCreate(&device) != DS_OK) {
        state.SkipWithError("no device");
        return;
    }
    device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY);
    BufferDescription primaryDescription;
    primaryDescription.flags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
    IDirectSoundBuffer* primary = nullptr;
    device->CreateSoundBuffer(&primaryDescription, &primary);
    const WaveFormat output = Pcm(2, kOutputRate, 16);
    primary->SetFormat(&output);

    // A mix of the formats the game's files come in, each a second long,
    // looping, at its own volume and tempo.
    const WaveFormat formats[] = {Pcm(1, 22050, 16), Pcm(2, 44100, 16), Pcm(1, 11025, 8),
                                  Pcm(2, 22050, 8)};
    std::vector<IDirectSoundBuffer*> buffers;
    for (int i = 0; i < kVoices; ++i) {
        const WaveFormat& format = formats[i % 4];
        BufferDescription description;
        description.flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | DSBCAPS_STATIC;
        description.bufferBytes = format.avgBytesPerSec;
        description.format = &format;
        IDirectSoundBuffer* buffer = nullptr;
        device->CreateSoundBuffer(&description, &buffer);
        void* p1 = nullptr;
        void* p2 = nullptr;
        uint32_t n1 = 0;
        uint32_t n2 = 0;
        buffer->Lock(0, description.bufferBytes, &p1, &n1, &p2, &n2, 0);
        auto* bytes = static_cast<uint8_t*>(p1);
        for (uint32_t b = 0; b < n1; ++b)
            bytes[b] = static_cast<uint8_t>(128 + 100 * std::sin(b * 0.05 * (i + 1)));
        buffer->Unlock(p1, n1, p2, n2);
        buffer->SetVolume(-100 * (i % 20));
        buffer->SetFrequency(format.samplesPerSec + 37 * i);
        buffer->Play(0, 0, DSBPLAY_LOOPING);
        buffers.push_back(buffer);
    }

    for (auto _ : state) {
        for (uint32_t mixed = 0; mixed < kOutputRate; mixed += kBlockFrames) {
            auto block = audio.Render(std::min(kBlockFrames, kOutputRate - mixed));
            benchmark::DoNotOptimize(block.data());
        }
    }
    state.counters["output_seconds"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);

    for (IDirectSoundBuffer* buffer : buffers)
        buffer->Release();
    primary->Release();
    device->Release();
}
BENCHMARK(BM_MixOneSecond)->Unit(benchmark::kMicrosecond);

} // namespace
