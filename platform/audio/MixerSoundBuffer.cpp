#include "platform/audio/MixerSoundBuffer.h"

#include <algorithm>
#include <cstring>

namespace Platform {

namespace {
constexpr size_t kKeptStagingBytes = 0x10000;
} // namespace

MixerSoundBuffer::MixerSoundBuffer(std::shared_ptr<AudioDeviceCore> core, uint32_t flags,
                                   const WaveFormat& format,
                                   std::shared_ptr<std::vector<uint8_t>> memory)
    : MixerBuffer(std::move(core), flags), format_(format)
{
    voice_.memory = std::move(memory);
    voice_.channels = format.channels;
    voice_.bitsPerSample = format.bitsPerSample;
    voice_.blockAlign = format.blockAlign;
    voice_.sampleRate = format.samplesPerSec;
    voice_.frequency = format.samplesPerSec;
    voice_.frames = static_cast<uint32_t>(voice_.memory->size() / format.blockAlign);
    std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
    core_->mixer.AddVoice(&voice_);
    core_->buffers.push_back(this);
}

MixerSoundBuffer::~MixerSoundBuffer()
{
    std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
    core_->mixer.RemoveVoice(&voice_);
    auto& buffers = core_->buffers;
    buffers.erase(std::remove(buffers.begin(), buffers.end(), this), buffers.end());
}

void MixerSoundBuffer::CommitDeferred()
{
    position3D_.Commit();
}

HRESULT MixerSoundBuffer::SetFormat(const WaveFormat*)
{
    // Only the primary buffer's format can change.
    return core_->Traced("SetFormat", id_, {}, [] { return DSERR_INVALIDCALL; });
}

HRESULT MixerSoundBuffer::GetFormat(WaveFormat* format)
{
    return core_->Traced("GetFormat", id_, {}, [&] {
        if (!format)
            return DSERR_INVALIDPARAM;
        *format = format_;
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::GetStatus(uint32_t* status)
{
    return core_->Traced("GetStatus", id_, {}, [&] {
        if (!status)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        uint32_t bits = 0;
        if (voice_.playing)
            bits |= voice_.looping ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : DSBSTATUS_PLAYING;
        if (voice_.lost)
            bits |= DSBSTATUS_BUFFERLOST;
        *status = bits;
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::Restore()
{
    return core_->Traced("Restore", id_, {}, [&] {
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        voice_.lost = false;
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                               void** part2, uint32_t* bytes2, uint32_t flags)
{
    return core_->Traced("Lock", id_, {double(offset), double(bytes), double(flags)}, [&] {
        if (!part1 || !bytes1)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        if (voice_.lost)
            return DSERR_BUFFERLOST;
        if (locked_)
            return DSERR_INVALIDCALL;
        const std::vector<uint8_t>& memory = *voice_.memory;
        const uint32_t size = static_cast<uint32_t>(memory.size());
        if (flags & DSBLOCK_FROMWRITECURSOR)
            offset = static_cast<uint32_t>(voice_.position >> 32) * voice_.blockAlign;
        if (flags & DSBLOCK_ENTIREBUFFER)
            bytes = size;
        if (offset >= size || bytes == 0 || bytes > size)
            return DSERR_INVALIDPARAM;
        const uint32_t first = std::min(bytes, size - offset);
        const uint32_t second = bytes - first;
        // A range that wraps needs somewhere to hand out its second part.
        if (second > 0 && (!part2 || !bytes2))
            return DSERR_INVALIDPARAM;
        staging_.resize(bytes);
        std::memcpy(staging_.data(), memory.data() + offset, first);
        std::memcpy(staging_.data() + first, memory.data(), second);
        locked_ = true;
        lockOffset_ = offset;
        lockBytes1_ = first;
        lockBytes2_ = second;
        *part1 = staging_.data();
        *bytes1 = first;
        if (part2)
            *part2 = second > 0 ? staging_.data() + first : nullptr;
        if (bytes2)
            *bytes2 = second;
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2)
{
    return core_->Traced("Unlock", id_, {double(bytes1), double(bytes2)}, [&] {
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        if (!locked_ || part1 != staging_.data() || bytes1 > lockBytes1_ || bytes2 > lockBytes2_)
            return DSERR_INVALIDPARAM;
        if (bytes2 > 0 && part2 != staging_.data() + lockBytes1_)
            return DSERR_INVALIDPARAM;
        std::vector<uint8_t>& memory = *voice_.memory;
        std::memcpy(memory.data() + lockOffset_, staging_.data(), bytes1);
        std::memcpy(memory.data(), staging_.data() + lockBytes1_, bytes2);
        locked_ = false;
        // A whole static sound goes through one lock; keep only chunk-sized
        // copies around, not a second copy of every sound.
        if (staging_.capacity() > kKeptStagingBytes) {
            staging_.clear();
            staging_.shrink_to_fit();
        }
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::Play(uint32_t reserved, uint32_t priority, uint32_t flags)
{
    return core_->Traced("Play", id_, {double(reserved), double(priority), double(flags)}, [&] {
        if (reserved != 0)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        if (voice_.lost)
            return DSERR_BUFFERLOST;
        voice_.playing = true;
        voice_.looping = (flags & DSBPLAY_LOOPING) != 0;
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::Stop()
{
    return core_->Traced("Stop", id_, {}, [&] {
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        voice_.playing = false;
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::SetCurrentPosition(uint32_t position)
{
    return core_->Traced("SetCurrentPosition", id_, {double(position)}, [&] {
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        // A position in the partial frame a buffer may end with is past the
        // last whole frame: the mixer would read beyond the memory.
        const uint32_t frame = position / voice_.blockAlign;
        if (position >= voice_.memory->size() || frame >= voice_.frames)
            return DSERR_INVALIDPARAM;
        // Frames in the middle would swap channels or bytes of a sample.
        voice_.position = static_cast<uint64_t>(frame) << 32;
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor)
{
    return core_->Traced("GetCurrentPosition", id_, {}, [&] {
        if (!playCursor && !writeCursor)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        const uint32_t bytes = static_cast<uint32_t>(voice_.position >> 32) * voice_.blockAlign;
        if (playCursor)
            *playCursor = bytes;
        if (writeCursor)
            *writeCursor = bytes;
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::SetVolume(int32_t volume)
{
    return core_->Traced("SetVolume", id_, {double(volume)}, [&] {
        if (const HRESULT check = CheckVolume(volume); check != DS_OK)
            return check;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        volume_ = volume;
        voice_.gain = VolumeToGain(volume);
        return DS_OK;
    });
}

HRESULT MixerSoundBuffer::SetFrequency(uint32_t frequency)
{
    return core_->Traced("SetFrequency", id_, {double(frequency)}, [&] {
        if (!(flags_ & DSBCAPS_CTRLFREQUENCY))
            return DSERR_CONTROLUNAVAIL;
        if (frequency == DSBFREQUENCY_ORIGINAL)
            frequency = format_.samplesPerSec;
        if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        voice_.frequency = frequency;
        return DS_OK;
    });
}

} // namespace Platform
