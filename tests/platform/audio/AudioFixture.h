#pragma once
// A scripted sound device opened the way the sound system opens it
// (priority level, 22050 Hz 16-bit stereo primary buffer), with helpers to
// make buffers of generated PCM and to measure the mixed output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/audio/DirectSound.h"
#include "platform/audio/scripted/ScriptedAudio.h"

namespace AudioTest {

using namespace Platform;

inline WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits)
{
    WaveFormat format;
    format.formatTag = WAVE_FORMAT_PCM;
    format.channels = channels;
    format.samplesPerSec = rate;
    format.bitsPerSample = bits;
    format.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    format.avgBytesPerSec = format.blockAlign * rate;
    return format;
}

// Frames of PCM; sample(frame, channel) gives the value on the 16-bit scale.
template <class Sample>
std::vector<uint8_t> MakePcm(const WaveFormat& format, uint32_t frames, Sample sample)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(frames) * format.blockAlign);
    uint8_t* p = bytes.data();
    for (uint32_t f = 0; f < frames; ++f) {
        for (uint16_t c = 0; c < format.channels; ++c) {
            const double value = sample(f, c);
            if (format.bitsPerSample == 8) {
                *p++ = static_cast<uint8_t>(std::lround(value / 256.0) + 128);
            } else {
                const int16_t s = static_cast<int16_t>(std::lround(value));
                std::memcpy(p, &s, 2);
                p += 2;
            }
        }
    }
    return bytes;
}

// A sine of a whole number of periods over the frames, so it loops cleanly.
inline std::vector<uint8_t> Tone(const WaveFormat& format, uint32_t frames, double hertz,
                                 double amplitude)
{
    return MakePcm(format, frames, [&](uint32_t f, uint16_t) {
        return amplitude * std::sin(2.0 * M_PI * hertz * f / format.samplesPerSec);
    });
}

// One channel of interleaved output.
inline std::vector<double> Channel(const std::vector<int16_t>& output, int channel,
                                   int channels = 2)
{
    std::vector<double> samples;
    for (size_t i = channel; i < output.size(); i += channels)
        samples.push_back(output[i]);
    return samples;
}

inline double Rms(const std::vector<double>& samples)
{
    double sum = 0.0;
    for (double s : samples)
        sum += s * s;
    return samples.empty() ? 0.0 : std::sqrt(sum / samples.size());
}

// Upward zero crossings per second.
inline double Pitch(const std::vector<double>& samples, uint32_t rate)
{
    int crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0.0 && samples[i] >= 0.0)
            ++crossings;
    }
    return crossings * static_cast<double>(rate) / samples.size();
}

class AudioFixture : public ::testing::Test {
protected:
    static constexpr uint32_t kOutputRate = 22050;
    static constexpr uint32_t kControls =
        DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | DSBCAPS_STATIC;

    void SetUp() override
    {
        ASSERT_EQ(DirectSoundCreate(&device), DS_OK);
        ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
        BufferDescription description;
        description.flags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
        ASSERT_EQ(device->CreateSoundBuffer(&description, &primary), DS_OK);
        const WaveFormat output = Pcm(2, kOutputRate, 16);
        ASSERT_EQ(primary->SetFormat(&output), DS_OK);
    }

    void TearDown() override
    {
        for (IDirectSoundBuffer* buffer : buffers)
            buffer->Release();
        if (primary)
            primary->Release();
        if (device)
            device->Release();
        EXPECT_EQ(audio.BufferCount(), 0u);
    }

    // A secondary buffer released by the fixture; null when creation failed.
    IDirectSoundBuffer* Create(const WaveFormat& format, uint32_t bytes,
                               uint32_t flags = kControls, HRESULT* result = nullptr)
    {
        BufferDescription description;
        description.flags = flags;
        description.bufferBytes = bytes;
        description.format = &format;
        IDirectSoundBuffer* buffer = nullptr;
        const HRESULT hr = device->CreateSoundBuffer(&description, &buffer);
        if (result)
            *result = hr;
        if (buffer)
            buffers.push_back(buffer);
        return buffer;
    }

    IDirectSoundBuffer* Duplicate(IDirectSoundBuffer* original)
    {
        IDirectSoundBuffer* copy = nullptr;
        EXPECT_EQ(device->DuplicateSoundBuffer(original, &copy), DS_OK);
        if (copy)
            buffers.push_back(copy);
        return copy;
    }

    // Writes bytes at the offset through Lock and Unlock, wrapping as the
    // sound buffer's writer does.
    void Write(IDirectSoundBuffer* buffer, uint32_t offset, const std::vector<uint8_t>& bytes)
    {
        void* p1 = nullptr;
        void* p2 = nullptr;
        uint32_t n1 = 0;
        uint32_t n2 = 0;
        const uint32_t size = static_cast<uint32_t>(bytes.size());
        ASSERT_EQ(buffer->Lock(offset, size, &p1, &n1, &p2, &n2, 0), DS_OK);
        ASSERT_EQ(n1 + n2, size);
        std::memcpy(p1, bytes.data(), n1);
        if (n2 > 0)
            std::memcpy(p2, bytes.data() + n1, n2);
        ASSERT_EQ(buffer->Unlock(p1, n1, p2, n2), DS_OK);
    }

    IDirectSoundBuffer* Loaded(const WaveFormat& format, const std::vector<uint8_t>& bytes,
                               uint32_t flags = kControls)
    {
        IDirectSoundBuffer* buffer = Create(format, static_cast<uint32_t>(bytes.size()), flags);
        if (buffer)
            Write(buffer, 0, bytes);
        return buffer;
    }

    uint32_t Status(IDirectSoundBuffer* buffer)
    {
        uint32_t status = 0xFFFFFFFF;
        EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
        return status;
    }

    ScriptedAudio audio;
    IDirectSound* device = nullptr;
    IDirectSoundBuffer* primary = nullptr;
    std::vector<IDirectSoundBuffer*> buffers;
};

} // namespace AudioTest
