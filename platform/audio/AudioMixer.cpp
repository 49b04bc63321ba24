#include "platform/audio/AudioMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform {

namespace {

constexpr float kFractionScale = 1.0f / 4294967296.0f;

// One frame as floats on the 16-bit scale; 8-bit samples are unsigned
// around 0x80.
template <int Bits, int Channels>
inline void ReadFrame(const uint8_t* data, uint32_t frame, float& left, float& right)
{
    if constexpr (Bits == 8) {
        const uint8_t* p = data + frame * Channels;
        left = static_cast<float>((static_cast<int>(p[0]) - 128) * 256);
        right = Channels == 2 ? static_cast<float>((static_cast<int>(p[1]) - 128) * 256) : left;
    } else {
        int16_t s[2];
        std::memcpy(s, data + frame * Channels * 2, Channels * 2);
        left = static_cast<float>(s[0]);
        right = Channels == 2 ? static_cast<float>(s[1]) : left;
    }
}

// Linear interpolation between the frame under the cursor and the next one
// (the first again when looping, the last held at the end otherwise).
template <int Bits, int Channels, int OutChannels>
void MixFrames(AudioVoice& voice, float* sum, uint32_t frames, uint64_t step)
{
    const uint8_t* data = voice.memory->data();
    const uint64_t length = static_cast<uint64_t>(voice.frames) << 32;
    const float gain = voice.gain;
    uint64_t position = voice.position;
    for (uint32_t n = 0; n < frames; ++n) {
        const uint32_t frame = static_cast<uint32_t>(position >> 32);
        uint32_t next = frame + 1;
        if (next == voice.frames)
            next = voice.looping ? 0 : frame;
        const float t = static_cast<float>(position & 0xFFFFFFFFu) * kFractionScale;
        float l0, r0, l1, r1;
        ReadFrame<Bits, Channels>(data, frame, l0, r0);
        ReadFrame<Bits, Channels>(data, next, l1, r1);
        const float left = (l0 + (l1 - l0) * t) * gain;
        const float right = (r0 + (r1 - r0) * t) * gain;
        if constexpr (OutChannels == 2) {
            sum[2 * n] += left;
            sum[2 * n + 1] += right;
        } else {
            sum[n] += (left + right) * 0.5f;
        }
        position += step;
        if (position >= length) {
            if (!voice.looping) {
                voice.playing = false;
                position = 0;
                break;
            }
            position %= length;
        }
    }
    voice.position = position;
}

template <int Bits, int Channels>
void MixFramesTo(uint16_t outChannels, AudioVoice& voice, float* sum, uint32_t frames,
                 uint64_t step)
{
    if (outChannels == 2)
        MixFrames<Bits, Channels, 2>(voice, sum, frames, step);
    else
        MixFrames<Bits, Channels, 1>(voice, sum, frames, step);
}

} // namespace

float VolumeToGain(int32_t volume)
{
    if (volume <= -10000)
        return 0.0f;
    if (volume >= 0)
        return 1.0f;
    // volume / 100 dB, and an amplitude is 10^(dB / 20).
    return std::pow(10.0f, static_cast<float>(volume) / 2000.0f);
}

AudioMixer::AudioMixer(uint32_t rate, uint16_t channels) : rate_(rate), channels_(channels) {}

void AudioMixer::AddVoice(AudioVoice* voice)
{
    voices_.push_back(voice);
}

void AudioMixer::RemoveVoice(AudioVoice* voice)
{
    voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

void AudioMixer::SetOutputFormat(uint32_t rate, uint16_t channels)
{
    rate_ = rate;
    channels_ = channels;
}

void AudioMixer::Mix(int16_t* output, uint32_t frames)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const size_t samples = static_cast<size_t>(frames) * channels_;
    sum_.assign(samples, 0.0f);
    for (AudioVoice* voice : voices_) {
        if (voice->playing && !voice->lost && voice->frames > 0)
            MixVoice(*voice, sum_.data(), frames);
    }
    for (size_t i = 0; i < samples; ++i) {
        const float s = std::clamp(sum_[i] * masterGain_, -32768.0f, 32767.0f);
        output[i] = static_cast<int16_t>(std::lrint(s));
    }
}

void AudioMixer::MixVoice(AudioVoice& voice, float* sum, uint32_t frames)
{
    // Source frames per output frame, 32.32 fixed point.
    const uint64_t step = (static_cast<uint64_t>(voice.frequency) << 32) / rate_;
    const bool eightBit = voice.bitsPerSample == 8;
    if (voice.channels == 2) {
        if (eightBit)
            MixFramesTo<8, 2>(channels_, voice, sum, frames, step);
        else
            MixFramesTo<16, 2>(channels_, voice, sum, frames, step);
    } else {
        if (eightBit)
            MixFramesTo<8, 1>(channels_, voice, sum, frames, step);
        else
            MixFramesTo<16, 1>(channels_, voice, sum, frames, step);
    }
}

} // namespace Platform
