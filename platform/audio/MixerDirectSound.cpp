#include "platform/audio/MixerDirectSound.h"

#include <new>

#include "platform/audio/MixerPrimaryBuffer.h"
#include "platform/audio/MixerSoundBuffer.h"

namespace Platform {

MixerDirectSound::MixerDirectSound(std::shared_ptr<AudioDeviceCore> core)
    : MixerObject(std::move(core))
{
}

HRESULT MixerDirectSound::SetCooperativeLevel(WindowHandle, uint32_t level)
{
    return core_->Traced("SetCooperativeLevel", id_, {double(level)}, [&] {
        if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
            return DSERR_INVALIDPARAM;
        // Writing the primary buffer directly is not offered.
        if (level == DSSCL_WRITEPRIMARY)
            return DSERR_UNSUPPORTED;
        core_->cooperativeLevel = level;
        return DS_OK;
    });
}

HRESULT MixerDirectSound::GetCaps(DeviceCaps* caps)
{
    return core_->Traced("GetCaps", id_, {}, [&] {
        if (!caps)
            return DSERR_INVALIDPARAM;
        caps->flags = DSCAPS_PRIMARYMONO | DSCAPS_PRIMARYSTEREO | DSCAPS_PRIMARY8BIT |
                      DSCAPS_PRIMARY16BIT | DSCAPS_CONTINUOUSRATE | DSCAPS_EMULDRIVER |
                      DSCAPS_SECONDARYMONO | DSCAPS_SECONDARYSTEREO | DSCAPS_SECONDARY8BIT |
                      DSCAPS_SECONDARY16BIT;
        caps->minSecondarySampleRate = DSBFREQUENCY_MIN;
        caps->maxSecondarySampleRate = DSBFREQUENCY_MAX;
        return DS_OK;
    });
}

HRESULT MixerDirectSound::CreateSoundBuffer(const BufferDescription* description,
                                            IDirectSoundBuffer** buffer)
{
    const WaveFormat* format = description ? description->format : nullptr;
    return core_->Traced(
        "CreateSoundBuffer", id_,
        {description ? double(description->flags) : 0.0,
         description ? double(description->bufferBytes) : 0.0,
         format ? double(format->channels) : 0.0, format ? double(format->samplesPerSec) : 0.0,
         format ? double(format->bitsPerSample) : 0.0},
        [&] {
            if (!buffer)
                return DSERR_INVALIDPARAM;
            *buffer = nullptr;
            if (!description || (description->size != BUFFER_DESCRIPTION_SIZE &&
                                 description->size != BUFFER_DESCRIPTION_SIZE_OLD))
                return DSERR_INVALIDPARAM;
            if (description->flags & DSBCAPS_PRIMARYBUFFER)
                return CreatePrimary(*description, buffer);
            return CreateSecondary(*description, buffer);
        });
}

HRESULT MixerDirectSound::CreatePrimary(const BufferDescription& description,
                                        IDirectSoundBuffer** buffer)
{
    if (description.bufferBytes != 0 || description.format ||
        (description.flags & DSBCAPS_CTRLFREQUENCY))
        return DSERR_INVALIDPARAM;
    {
        // There is one primary buffer: asking again gives it once more.
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        if (core_->primary) {
            core_->primary->AddRef();
            *buffer = core_->primary;
            return DS_OK;
        }
    }
    *buffer = new MixerPrimaryBuffer(core_, description.flags);
    return DS_OK;
}

HRESULT MixerDirectSound::CreateSecondary(const BufferDescription& description,
                                          IDirectSoundBuffer** buffer)
{
    if (const HRESULT check = CheckWaveFormat(description.format); check != DS_OK)
        return check;
    const WaveFormat& format = *description.format;
    if (description.bufferBytes < DSBSIZE_MIN || description.bufferBytes > DSBSIZE_MAX ||
        description.bufferBytes < format.blockAlign)
        return DSERR_INVALIDPARAM;
    // 3D positioning works on mono sources only.
    if ((description.flags & DSBCAPS_CTRL3D) && format.channels != 1)
        return DSERR_INVALIDPARAM;
    std::shared_ptr<std::vector<uint8_t>> memory;
    try {
        // A new buffer holds silence: 0x80 is the middle of unsigned 8-bit.
        memory = std::make_shared<std::vector<uint8_t>>(
            description.bufferBytes, format.bitsPerSample == 8 ? 0x80 : 0x00);
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    *buffer = new MixerSoundBuffer(core_, description.flags, format, std::move(memory));
    return DS_OK;
}

HRESULT MixerDirectSound::DuplicateSoundBuffer(IDirectSoundBuffer* original,
                                               IDirectSoundBuffer** duplicate)
{
    auto* source = dynamic_cast<MixerSoundBuffer*>(original);
    return core_->Traced("DuplicateSoundBuffer", id_, {source ? double(source->Id()) : 0.0}, [&] {
        if (!duplicate)
            return DSERR_INVALIDPARAM;
        *duplicate = nullptr;
        if (!original)
            return DSERR_INVALIDPARAM;
        // The primary buffer has no samples to share.
        if (!source)
            return DSERR_INVALIDCALL;
        *duplicate = new MixerSoundBuffer(core_, source->Flags(), source->Format(),
                                          source->Memory());
        return DS_OK;
    });
}

} // namespace Platform
