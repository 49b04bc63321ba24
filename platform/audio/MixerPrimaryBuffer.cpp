#include "platform/audio/MixerPrimaryBuffer.h"

#include "platform/audio/MixerSoundBuffer.h"

namespace Platform {

MixerPrimaryBuffer::MixerPrimaryBuffer(std::shared_ptr<AudioDeviceCore> core, uint32_t flags)
    : MixerBuffer(std::move(core), flags)
{
    std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
    format_.channels = core_->mixer.OutputChannels();
    format_.samplesPerSec = core_->mixer.OutputRate();
    format_.bitsPerSample = 16;
    format_.blockAlign = static_cast<uint16_t>(format_.channels * 2);
    format_.avgBytesPerSec = format_.blockAlign * format_.samplesPerSec;
    core_->primary = this;
}

MixerPrimaryBuffer::~MixerPrimaryBuffer()
{
    std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
    core_->primary = nullptr;
}

HRESULT MixerPrimaryBuffer::SetFormat(const WaveFormat* format)
{
    const double channels = format ? format->channels : 0;
    const double rate = format ? format->samplesPerSec : 0;
    const double bits = format ? format->bitsPerSample : 0;
    return core_->Traced("SetFormat", id_, {channels, rate, bits}, [&] {
        if (core_->cooperativeLevel < DSSCL_PRIORITY)
            return DSERR_PRIOLEVELNEEDED;
        if (const HRESULT check = CheckWaveFormat(format); check != DS_OK)
            return check;
        // The mixer always produces 16-bit samples; the output takes the
        // rate and the channels.
        {
            std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
            if (format->samplesPerSec == core_->mixer.OutputRate() &&
                format->channels == core_->mixer.OutputChannels()) {
                format_ = *format;
                return DS_OK;
            }
        }
        if (core_->output && !core_->output->SetFormat(format->samplesPerSec, format->channels))
            return DSERR_GENERIC;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        if (!core_->output)
            core_->mixer.SetOutputFormat(format->samplesPerSec, format->channels);
        format_ = *format;
        return DS_OK;
    });
}

HRESULT MixerPrimaryBuffer::GetFormat(WaveFormat* format)
{
    return core_->Traced("GetFormat", id_, {}, [&] {
        if (!format)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        *format = format_;
        return DS_OK;
    });
}

HRESULT MixerPrimaryBuffer::GetStatus(uint32_t* status)
{
    return core_->Traced("GetStatus", id_, {}, [&] {
        if (!status)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        if (lost_) {
            *status = DSBSTATUS_BUFFERLOST;
            return DS_OK;
        }
        // The primary buffer plays, looping, while any secondary buffer does.
        *status = 0;
        for (const AudioVoice* voice : core_->mixer.Voices()) {
            if (voice->playing && !voice->lost)
                *status = DSBSTATUS_PLAYING | DSBSTATUS_LOOPING;
        }
        return DS_OK;
    });
}

HRESULT MixerPrimaryBuffer::Restore()
{
    return core_->Traced("Restore", id_, {}, [&] {
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        lost_ = false;
        return DS_OK;
    });
}

HRESULT MixerPrimaryBuffer::Lock(uint32_t offset, uint32_t bytes, void** part1,
                                 uint32_t* bytes1, void** part2, uint32_t* bytes2, uint32_t flags)
{
    return core_->Traced("Lock", id_, {double(offset), double(bytes), double(flags)}, [&] {
        if (part1)
            *part1 = nullptr;
        if (bytes1)
            *bytes1 = 0;
        if (part2)
            *part2 = nullptr;
        if (bytes2)
            *bytes2 = 0;
        // Writing the primary buffer needs DSSCL_WRITEPRIMARY, which is not offered.
        return DSERR_PRIOLEVELNEEDED;
    });
}

HRESULT MixerPrimaryBuffer::Unlock(void*, uint32_t bytes1, void*, uint32_t bytes2)
{
    return core_->Traced("Unlock", id_, {double(bytes1), double(bytes2)},
                         [] { return DSERR_PRIOLEVELNEEDED; });
}

HRESULT MixerPrimaryBuffer::Play(uint32_t reserved, uint32_t priority, uint32_t flags)
{
    // The mixer runs as long as the device is open: nothing to start.
    return core_->Traced("Play", id_, {double(reserved), double(priority), double(flags)},
                         [&] { return reserved != 0 ? DSERR_INVALIDPARAM : DS_OK; });
}

HRESULT MixerPrimaryBuffer::Stop()
{
    return core_->Traced("Stop", id_, {}, [] { return DS_OK; });
}

HRESULT MixerPrimaryBuffer::SetCurrentPosition(uint32_t position)
{
    return core_->Traced("SetCurrentPosition", id_, {double(position)},
                         [] { return DSERR_INVALIDCALL; });
}

HRESULT MixerPrimaryBuffer::GetCurrentPosition(uint32_t*, uint32_t*)
{
    return core_->Traced("GetCurrentPosition", id_, {}, [] { return DSERR_INVALIDCALL; });
}

HRESULT MixerPrimaryBuffer::SetVolume(int32_t volume)
{
    return core_->Traced("SetVolume", id_, {double(volume)}, [&] {
        if (const HRESULT check = CheckVolume(volume); check != DS_OK)
            return check;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        core_->mixer.SetMasterGain(VolumeToGain(volume));
        return DS_OK;
    });
}

HRESULT MixerPrimaryBuffer::SetFrequency(uint32_t frequency)
{
    return core_->Traced("SetFrequency", id_, {double(frequency)},
                         [] { return DSERR_CONTROLUNAVAIL; });
}

HRESULT MixerPrimaryBuffer::SetOrientation(float frontX, float frontY, float frontZ, float topX,
                                           float topY, float topZ, uint32_t apply)
{
    return core_->Traced(
        "SetOrientation", id_, {frontX, frontY, frontZ, topX, topY, topZ, double(apply)}, [&] {
            return Set3D(orientation_, {{frontX, frontY, frontZ}, {topX, topY, topZ}}, apply);
        });
}

HRESULT MixerPrimaryBuffer::GetOrientation(Vector3D* front, Vector3D* top)
{
    return core_->Traced("GetOrientation", id_, {}, [&] {
        if (!front || !top)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        *front = orientation_.current.front;
        *top = orientation_.current.top;
        return DS_OK;
    });
}

HRESULT MixerPrimaryBuffer::CommitDeferredSettings()
{
    return core_->Traced("CommitDeferredSettings", id_, {}, [&] {
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        position3D_.Commit();
        orientation_.Commit();
        for (MixerSoundBuffer* buffer : core_->buffers)
            buffer->CommitDeferred();
        return DS_OK;
    });
}

} // namespace Platform
