#pragma once
// Our own software mixer: every playing voice is converted to the output
// format (16-bit, mono or stereo, the output rate) with its own rate,
// volume and looping, and the voices are summed with clipping.
//
// One mutex guards every voice: the audio callback mixes on its own thread
// while the game's thread starts, stops and writes voices. Code that changes
// a voice holds Mutex(); Mix takes it by itself.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace Platform {

struct AudioVoice {
    // The samples, shared by a buffer and its duplicates.
    std::shared_ptr<std::vector<uint8_t>> memory;
    uint16_t channels = 1;
    uint16_t bitsPerSample = 16;
    uint32_t blockAlign = 2;
    uint32_t sampleRate = 22050;
    // Whole frames in the memory; a partial frame at its end is never played.
    uint32_t frames = 0;
    // Play cursor in frames, 32.32 fixed point, so resampling keeps the
    // fraction between output frames.
    uint64_t position = 0;
    // Playback rate in Hz.
    uint32_t frequency = 22050;
    // Linear gain, 1 = the samples' own level.
    float gain = 1.0f;
    bool playing = false;
    bool looping = false;
    bool lost = false;
};

// Hundredths of a decibel (0 full, -10000 silence) to a linear gain.
float VolumeToGain(int32_t volume);

class AudioMixer {
public:
    AudioMixer(uint32_t rate, uint16_t channels);

    std::mutex& Mutex() { return mutex_; }

    // The caller holds Mutex() for these.
    void AddVoice(AudioVoice* voice);
    void RemoveVoice(AudioVoice* voice);
    const std::vector<AudioVoice*>& Voices() const { return voices_; }
    void SetOutputFormat(uint32_t rate, uint16_t channels);
    uint32_t OutputRate() const { return rate_; }
    uint16_t OutputChannels() const { return channels_; }
    void SetMasterGain(float gain) { masterGain_ = gain; }

    // Writes frames × output channels samples and moves every playing voice
    // on by what was mixed; a voice that is not looping stops at its end
    // with its cursor back at 0. Takes the mutex.
    void Mix(int16_t* output, uint32_t frames);

private:
    void MixVoice(AudioVoice& voice, float* sum, uint32_t frames);

    std::mutex mutex_;
    std::vector<AudioVoice*> voices_;
    std::vector<float> sum_;
    uint32_t rate_;
    uint16_t channels_;
    float masterGain_ = 1.0f;
};

} // namespace Platform
