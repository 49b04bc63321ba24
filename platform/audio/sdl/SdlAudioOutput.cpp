#include "platform/audio/sdl/SdlAudioOutput.h"

#include <SDL.h>

namespace Platform {

namespace {
// Frames per callback. Small, so the mixer runs little ahead of what is
// heard and a play cursor read by the game is close to the sound.
constexpr uint16_t kCallbackFrames = 1024;
} // namespace

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::Open(AudioMixer& mixer)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    std::unique_ptr<SdlAudioOutput> output(new SdlAudioOutput(mixer));
    uint32_t rate;
    uint16_t channels;
    {
        std::lock_guard<std::mutex> lock(mixer.Mutex());
        rate = mixer.OutputRate();
        channels = mixer.OutputChannels();
    }
    if (!output->OpenDevice(rate, channels))
        return nullptr; // the destructor leaves the subsystem
    return output;
}

SdlAudioOutput::~SdlAudioOutput()
{
    CloseDevice();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::OpenDevice(uint32_t rate, uint16_t channels)
{
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(rate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(channels);
    wanted.samples = kCallbackFrames;
    wanted.callback = &SdlAudioOutput::Callback;
    wanted.userdata = this;
    channels_ = channels;
    // No changes allowed: SDL converts our format to the hardware's.
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0)
        return false;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioOutput::CloseDevice()
{
    if (device_ != 0) {
        // Waits for a running callback to return.
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
}

bool SdlAudioOutput::SetFormat(uint32_t rate, uint16_t channels)
{
    uint32_t oldRate;
    uint16_t oldChannels;
    {
        std::lock_guard<std::mutex> lock(mixer_.Mutex());
        oldRate = mixer_.OutputRate();
        oldChannels = mixer_.OutputChannels();
    }
    CloseDevice();
    {
        std::lock_guard<std::mutex> lock(mixer_.Mutex());
        mixer_.SetOutputFormat(rate, channels);
    }
    if (OpenDevice(rate, channels))
        return true;
    {
        std::lock_guard<std::mutex> lock(mixer_.Mutex());
        mixer_.SetOutputFormat(oldRate, oldChannels);
    }
    OpenDevice(oldRate, oldChannels);
    return false;
}

void SdlAudioOutput::Callback(void* output, uint8_t* stream, int bytes)
{
    auto* self = static_cast<SdlAudioOutput*>(output);
    const uint32_t frameBytes = 2u * self->channels_;
    self->mixer_.Mix(reinterpret_cast<int16_t*>(stream), static_cast<uint32_t>(bytes) / frameBytes);
}

} // namespace Platform
