#include "platform/audio/DirectSound.h"

#include "platform/audio/MixerDirectSound.h"
#include "platform/audio/SdlAudioOutput.h"

namespace Platform {

namespace {
DirectSoundCreator g_creator = nullptr;
void* g_creatorContext = nullptr;

// The format the device starts with, until the primary buffer's SetFormat.
constexpr uint32_t kInitialRate = 22050;
constexpr uint16_t kInitialChannels = 2;
} // namespace

void SetDirectSoundCreator(DirectSoundCreator creator, void* context)
{
    g_creator = creator;
    g_creatorContext = creator ? context : nullptr;
}

HRESULT DirectSoundCreate(IDirectSound** directSound)
{
    if (!directSound)
        return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (g_creator)
        return g_creator(g_creatorContext, directSound);
    auto core = std::make_shared<AudioDeviceCore>(kInitialRate, kInitialChannels);
    core->output = SdlAudioOutput::Open(core->mixer);
    if (!core->output)
        return DSERR_NODRIVER;
    *directSound = new MixerDirectSound(std::move(core));
    return DS_OK;
}

} // namespace Platform
