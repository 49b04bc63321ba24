#include "platform/audio/DirectSound.h"

#include "platform/audio/sdl/SdlAudioDevices.h"

namespace Platform {

namespace {
constinit Installed<AudioDevices> installed{&GetSdlAudioDevices};
} // namespace

AudioDevices& GetAudioDevices()
{
    return installed.Get();
}

AudioDevices* SetAudioDevices(AudioDevices* devices)
{
    return installed.Set(devices);
}

HRESULT DirectSoundCreate(IDirectSound** directSound)
{
    if (!directSound)
        return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    return GetAudioDevices().DirectSoundCreate(directSound);
}

} // namespace Platform
