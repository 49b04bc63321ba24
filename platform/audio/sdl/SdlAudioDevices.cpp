#include "platform/audio/sdl/SdlAudioDevices.h"

#include "platform/audio/MixerDirectSound.h"
#include "platform/audio/sdl/SdlAudioOutput.h"

namespace Platform {

namespace {

// The format the device starts with, until the primary buffer's SetFormat.
constexpr uint32_t kInitialRate = 22050;
constexpr uint16_t kInitialChannels = 2;

class SdlAudioDevices final : public AudioDevices {
public:
    HRESULT DirectSoundCreate(IDirectSound** directSound) override
    {
        auto core = std::make_shared<AudioDeviceCore>(kInitialRate, kInitialChannels);
        core->output = SdlAudioOutput::Open(core->mixer);
        if (!core->output)
            return DSERR_NODRIVER;
        *directSound = new MixerDirectSound(std::move(core));
        return DS_OK;
    }
};

} // namespace

AudioDevices& GetSdlAudioDevices()
{
    static SdlAudioDevices devices;
    return devices;
}

} // namespace Platform
