#pragma once
// A sound buffer in a device buffer of the platform's sound device. A stream
// plays its ring in a loop; which chunks have been played is worked out from
// a millisecond clock that runs while the stream plays, not from the
// device's play cursor.
#include <cstdint>

#include "engine/sound/SoundBuffer.h"
#include "platform/audio/DirectSound.h"

namespace ZorvaneEngine {

class SoundSystem_DS7;
class Timer;
class TimerManager;

class SoundBuffer_DS7 : public SoundBuffer {
public:
    // How far behind the clock's estimate a chunk must lie before it is
    // refilled: the device may have played a little less than the clock says.
    static constexpr uint32_t RefillMargin = 0x10000;

    SoundBuffer_DS7(const std::string& name, MessageManager* log, FileManager* files,
                    TimerManager* timers, SoundSystem_DS7* owner, Platform::IDirectSound* device);
    ~SoundBuffer_DS7() override;

    void Close() override;

    // Each does nothing without a device buffer; device errors are logged.
    // A stream always plays looping (its ring); a static buffer as asked.
    void Play(bool looping);
    void Pause();
    // Stops and rewinds.
    void Stop();
    // Linear volume, 1 = the samples' own level.
    void SetVolume(float volume);
    // Playback rate as a factor of the file's rate.
    void SetTempo(float tempo);
    void SetPosition(float x, float y, float z);
    // The device status bits (DSBSTATUS_PLAYING, DSBSTATUS_BUFFERLOST); 0
    // without a device buffer or when the query fails.
    uint32_t IsPlaying();
    // Clears a lost device buffer; its samples must be written again.
    bool Restore();

    bool HasDeviceBuffer() const { return buffer != nullptr; }
    Platform::IDirectSoundBuffer* GetDeviceBuffer() const { return buffer; }

    TimerManager* timers;
    SoundSystem_DS7* owner;
    Platform::IDirectSound* device;
    // Bytes played since the stream started, as far as the clock has been
    // read; 64 bits, as a looping stream passes 4 GiB in a few hours.
    uint64_t playedTotal = 0;
    // A stream that does not loop stopped itself past its data.
    bool finished = false;
    float volume = 1.0f;
    Timer* clock = nullptr;

    void CreateBuffer(const SoundBuffer* source) override;
    void ReleaseBuffer() override;
    bool WriteBuffer(uint32_t chunk, const uint8_t* bytes, uint32_t size) override;
    void QueueBuffer(uint32_t chunk) override;
    void UnqueueProcessedBuffers(std::vector<uint32_t>* chunks) override;

private:
    void ResetClock();

    Platform::IDirectSoundBuffer* buffer = nullptr;
    Platform::IDirectSound3DBuffer* buffer3D = nullptr;
};

} // namespace ZorvaneEngine
