#pragma once
// The real output: an SDL audio device whose callback runs the mixer.
// With SDL_AUDIODRIVER=dummy or disk it runs without a sound card.
#include <cstdint>
#include <memory>

#include "platform/audio/AudioDeviceCore.h"

namespace Platform {

class SdlAudioOutput final : public AudioOutput {
public:
    // Null when SDL has no audio driver or no device can be opened.
    static std::unique_ptr<SdlAudioOutput> Open(AudioMixer& mixer);
    ~SdlAudioOutput() override;

    bool SetFormat(uint32_t rate, uint16_t channels) override;

private:
    explicit SdlAudioOutput(AudioMixer& mixer) : mixer_(mixer) {}
    bool OpenDevice(uint32_t rate, uint16_t channels);
    void CloseDevice();
    static void Callback(void* output, uint8_t* stream, int bytes);

    AudioMixer& mixer_;
    uint32_t device_ = 0;
    uint16_t channels_ = 2;
};

} // namespace Platform
