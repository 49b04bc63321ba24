#include "engine/sound/SoundBuffer_DS7.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/SoundFileReader.h"
#include "engine/sound/SoundSystem_DS7.h"

namespace ZorvaneEngine {

using namespace Platform;

SoundBuffer_DS7::SoundBuffer_DS7(const std::string& name, MessageManager* log, FileManager* files,
                                 TimerManager* timers, SoundSystem_DS7* owner,
                                 IDirectSound* device)
    : SoundBuffer(name, log, files), timers(timers), owner(owner), device(device)
{
}

SoundBuffer_DS7::~SoundBuffer_DS7()
{
    if (clock && timers)
        timers->DeleteTimer(clock);
    clock = nullptr;
    reader.reset();
    ReleaseBuffer();
}

void SoundBuffer_DS7::Close()
{
    SoundBuffer::Close();
    ReleaseBuffer();
}

void SoundBuffer_DS7::ReleaseBuffer()
{
    if (buffer3D) {
        buffer3D->Release();
        buffer3D = nullptr;
    }
    if (buffer) {
        buffer->Release();
        buffer = nullptr;
    }
}

void SoundBuffer_DS7::ResetClock()
{
    if (!clock)
        return;
    clock->SetTime(0.0f);
    clock->SetPaused(true);
}

void SoundBuffer_DS7::CreateBuffer(const SoundBuffer* source)
{
    if (buffer)
        return;
    if (streaming && !clock && timers) {
        clock = new Timer(false);
        timers->AddTimer(clock);
        ResetClock();
    }

    const bool want3D = owner && owner->use3D && channels == 1;
    HRESULT result = DSERR_INVALIDPARAM;
    if (source) {
        // A source that got no device buffer of its own has no samples to
        // share: the duplicate fails like any other creation.
        const auto* original = dynamic_cast<const SoundBuffer_DS7*>(source);
        if (device && original && original->buffer)
            result = device->DuplicateSoundBuffer(original->buffer, &buffer);
    } else if (device) {
        // Values that do not fit the format's fields become 0, which the
        // device refuses, rather than wrapping to a valid-looking format.
        WaveFormat format;
        format.formatTag = WAVE_FORMAT_PCM;
        format.channels = channels <= 0xFFFF ? static_cast<uint16_t>(channels) : 0;
        format.bitsPerSample = bitsPerSample <= 0xFFFF ? static_cast<uint16_t>(bitsPerSample) : 0;
        format.samplesPerSec = sampleRate;
        const uint32_t blockAlign = format.channels * format.bitsPerSample / 8;
        format.blockAlign = blockAlign <= 0xFFFF ? static_cast<uint16_t>(blockAlign) : 0;
        format.avgBytesPerSec = static_cast<uint32_t>(
            std::min<uint64_t>(uint64_t{format.blockAlign} * sampleRate, 0xFFFFFFFFu));

        BufferDescription description;
        description.size = BUFFER_DESCRIPTION_SIZE;
        description.flags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME;
        if (want3D)
            description.flags |= DSBCAPS_CTRL3D;
        if (!streaming)
            description.flags |= DSBCAPS_STATIC;
        description.bufferBytes = streaming ? StreamSize : dataSize;
        description.format = &format;
        result = device->CreateSoundBuffer(&description, &buffer);
    }
    if (result < 0 || !buffer) {
        buffer = nullptr;
        log->Error("Sound System: DirectSound buffers overflow");
        return;
    }
    if (want3D && buffer->QueryInterface(&buffer3D) < 0) {
        buffer3D = nullptr;
        log->Error("Sound System: Failed to get the 3D buffer from the secondary buffer");
    }
}

bool SoundBuffer_DS7::WriteBuffer(uint32_t chunk, const uint8_t* bytes, uint32_t size)
{
    if (!buffer)
        return false;
    void* part1 = nullptr;
    void* part2 = nullptr;
    uint32_t length1 = 0;
    uint32_t length2 = 0;
    HRESULT result = buffer->Lock(chunk * ChunkSize, size, &part1, &length1, &part2, &length2, 0);
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::WriteBuffer", owner, result);
    if (result < 0)
        return false;
    const uint32_t copy1 = std::min(size, length1);
    if (part1 && copy1 > 0)
        std::memcpy(part1, bytes, copy1);
    uint32_t copy2 = 0;
    if (part2 && length2 > 0) {
        copy2 = std::min(length2, size - copy1);
        std::memcpy(part2, bytes + copy1, copy2);
    }
    result = buffer->Unlock(part1, copy1, part2, copy2);
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::WriteBuffer", owner, result);
    return result >= 0;
}

void SoundBuffer_DS7::QueueBuffer(uint32_t)
{
    // The ring plays in a loop: a refilled chunk is simply played again.
}

void SoundBuffer_DS7::UnqueueProcessedBuffers(std::vector<uint32_t>* chunks)
{
    if (!chunks)
        return;
    chunks->clear();
    if (!buffer || !clock || finished)
        return;
    if (!(IsPlaying() & DSBSTATUS_PLAYING))
        return;

    const uint64_t bytesPerSecond = uint64_t{sampleRate} * bitsPerSample * channels / 8;
    if (bytesPerSecond == 0)
        return;
    // Bytes played by the clock's reckoning. The clock runs from the start
    // of the stream (it is not wound back once a lap), and the count stays
    // 64-bit: a wound-back millisecond clock reads a little less than it was
    // set to, which would look like a whole lap played at once. Hours in,
    // the float time steps by a few milliseconds, far less than the margin.
    const double seconds = std::max(0.0, static_cast<double>(clock->GetTime()));
    const uint64_t played = static_cast<uint64_t>(seconds * static_cast<double>(bytesPerSecond));
    const uint64_t distance = played > playedTotal ? played - playedTotal : 0;

    // The play position lags the clock by the margin, so a chunk is refilled
    // only once the device has surely left it. Before the first margin's
    // worth has played the lagging position stays at the start.
    const auto lagging = [](uint64_t total) {
        return static_cast<int64_t>(total > RefillMargin ? total - RefillMargin : 0);
    };
    int64_t lo = lagging(playedTotal);
    int64_t hi = lagging(playedTotal + distance);
    playedTotal += distance;
    // Only the last two laps matter: bring hi into the second one.
    constexpr int64_t lap = StreamSize;
    if (hi >= 2 * lap) {
        const int64_t laps = (hi - lap) / lap;
        hi -= laps * lap;
        lo -= laps * lap;
    }

    // Every range over two laps that the window [lo, hi] touches has been
    // played, except one holding hi (both neighbours hold it on a boundary).
    constexpr int64_t chunk = ChunkSize;
    const int64_t half = (hi - lo) / 2;
    const int64_t middle = lo + half;
    for (int64_t k = 0; k < 2 * static_cast<int64_t>(ChunkCount); ++k) {
        const int64_t start = k * chunk;
        const int64_t end = start + chunk;
        if (start <= hi && hi <= end)
            continue;
        const int64_t difference = (start + chunk / 2) - middle;
        if ((difference < 0 ? -difference : difference) > chunk / 2 + half)
            continue;
        const uint32_t index = static_cast<uint32_t>(k % ChunkCount);
        if (std::find(chunks->begin(), chunks->end(), index) == chunks->end())
            chunks->push_back(index);
    }

    // A stream that does not loop ends once its data, plus a chunk of the
    // silence after it, has played.
    if (!loop && playedTotal > uint64_t{dataSize} + ChunkSize) {
        SoundSystem_DS7::ReportError("SoundBuffer_DS7::UnqueueProcessedBuffers", owner,
                                     buffer->Stop());
        finished = true;
        ResetClock();
    }
}

void SoundBuffer_DS7::Play(bool looping)
{
    if (!buffer)
        return;
    const uint32_t flags = (streaming || looping) ? DSBPLAY_LOOPING : 0;
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::Play", owner, buffer->Play(0, 0, flags));
    finished = false;
    if (streaming && clock)
        clock->SetPaused(false);
}

void SoundBuffer_DS7::Pause()
{
    if (!buffer)
        return;
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::Pause", owner, buffer->Stop());
    if (streaming && clock)
        clock->SetPaused(true);
}

void SoundBuffer_DS7::Stop()
{
    if (!buffer)
        return;
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::Stop", owner, buffer->Stop());
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::Stop", owner, buffer->SetCurrentPosition(0));
    playedTotal = 0;
    if (streaming)
        ResetClock();
}

void SoundBuffer_DS7::SetVolume(float value)
{
    if (!buffer)
        return;
    volume = value;
    // Hundredths of a decibel below full level. The clamp keeps an infinite
    // or huge value convertible; the device refuses anything above 0 anyway.
    float hundredths = -10000.0f;
    if (value >= 0.0001f)
        hundredths = std::clamp(-1000.0f * std::log(1.0f / value), -10000.0f, 10000.0f);
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::SetVolume", owner,
                                 buffer->SetVolume(static_cast<int32_t>(hundredths)));
}

void SoundBuffer_DS7::SetTempo(float tempo)
{
    if (!buffer)
        return;
    // 0 asks the device for the format's own rate, as a tempo of 0 gives.
    float frequency = tempo * static_cast<float>(sampleRate);
    frequency = frequency > 0.0f ? std::min(frequency, 4294967040.0f) : 0.0f;
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::SetTempo", owner,
                                 buffer->SetFrequency(static_cast<uint32_t>(frequency)));
}

void SoundBuffer_DS7::SetPosition(float x, float y, float z)
{
    if (!buffer || !buffer3D)
        return;
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::SetPosition", owner,
                                 buffer3D->SetPosition(x, y, z, DS3D_DEFERRED));
}

uint32_t SoundBuffer_DS7::IsPlaying()
{
    if (!buffer)
        return 0;
    uint32_t status = 0;
    const HRESULT result = buffer->GetStatus(&status);
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::IsPlaying", owner, result);
    return result < 0 ? 0 : status;
}

bool SoundBuffer_DS7::Restore()
{
    if (!buffer)
        return false;
    const HRESULT result = buffer->Restore();
    SoundSystem_DS7::ReportError("SoundBuffer_DS7::Restore", owner, result);
    return result >= 0;
}

} // namespace ZorvaneEngine
