#include "platform/audio/AudioDeviceCore.h"

#include "platform/audio/MixerPrimaryBuffer.h"
#include "platform/audio/MixerSoundBuffer.h"

namespace Platform {

HRESULT CheckWaveFormat(const WaveFormat* format)
{
    if (!format || format->channels == 0 || format->samplesPerSec == 0 ||
        format->bitsPerSample == 0)
        return DSERR_INVALIDPARAM;
    if (format->formatTag != WAVE_FORMAT_PCM || format->channels > 2 ||
        (format->bitsPerSample != 8 && format->bitsPerSample != 16) ||
        format->samplesPerSec < DSBFREQUENCY_MIN || format->samplesPerSec > DSBFREQUENCY_MAX)
        return DSERR_BADFORMAT;
    const uint32_t blockAlign = format->channels * format->bitsPerSample / 8u;
    if (format->blockAlign != blockAlign || format->avgBytesPerSec != blockAlign * format->samplesPerSec)
        return DSERR_INVALIDPARAM;
    return DS_OK;
}

void AudioDeviceCore::LoseBuffers()
{
    std::lock_guard<std::mutex> lock(mixer.Mutex());
    if (primary)
        primary->Lost() = true;
    for (MixerSoundBuffer* buffer : buffers) {
        buffer->Voice().lost = true;
        buffer->Voice().playing = false;
    }
}

} // namespace Platform
