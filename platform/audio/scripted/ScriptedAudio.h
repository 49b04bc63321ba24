#pragma once
// The sound device for tests. While it lives, DirectSoundCreate makes
// devices over the same mixer as the real one, without an SDL output:
// nothing is heard, the test asks for the output (Render, or Advance on a
// manual clock). Every call on every object is recorded in order, and
// calls can be made to fail with any code.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/DirectSound.h"

namespace Platform {

struct AudioDeviceCore;

struct AudioCall {
    std::string method;   // "CreateSoundBuffer", "Lock", "Release" ...
    uint32_t object = 0;  // the object's number, in creation order from 1
    std::vector<double> args;
    HRESULT result = DS_OK;
};

// A secondary buffer as the mixer sees it.
struct AudioBufferState {
    uint32_t id = 0;
    uint32_t flags = 0;
    WaveFormat format;
    uint32_t references = 0;
    uint32_t position = 0; // play cursor, bytes
    bool playing = false;
    bool looping = false;
    bool lost = false;
    int32_t volume = 0;     // hundredths of a dB
    uint32_t frequency = 0; // Hz
    Vector3D position3D;
    // The sample memory; the same for a buffer and its duplicates.
    const std::vector<uint8_t>* memory = nullptr;
};

class ScriptedAudio final : public AudioDevices {
public:
    // Installs itself as the devices of DirectSoundCreate.
    ScriptedAudio();
    // Restores the devices installed before. Objects still alive keep
    // working.
    ~ScriptedAudio() override;
    ScriptedAudio(const ScriptedAudio&) = delete;
    ScriptedAudio& operator=(const ScriptedAudio&) = delete;

    // The next `times` calls of the method ("DirectSoundCreate" included),
    // on the given object or on any (0), return the result without running.
    void Fail(const std::string& method, HRESULT result, uint32_t times = 1, uint32_t object = 0);
    // Every buffer of the last device (the primary one too) lost and
    // stopped, or one secondary buffer alone.
    void LoseBuffers();
    void LoseBuffer(IDirectSoundBuffer* buffer);

    // Mixes the last device's output: frames × output channels samples
    // (nothing once that device and all its objects are gone).
    std::vector<int16_t> Render(uint32_t frames);
    // The manual clock: mixes what the output plays in that many
    // milliseconds (rounding carried over, so 1000 calls of 1 ms give one
    // second exactly).
    std::vector<int16_t> Advance(uint32_t milliseconds);
    uint32_t OutputRate() const;
    uint16_t OutputChannels() const;

    const std::vector<AudioCall>& Calls() const;
    void ClearCalls();
    // Calls of one method, in order.
    std::vector<AudioCall> CallsOf(const std::string& method) const;

    AudioBufferState Inspect(IDirectSoundBuffer* buffer) const;
    // Number of live secondary buffers of the last device.
    size_t BufferCount() const;
    // Cooperative level of the last device.
    uint32_t CooperativeLevel() const;

    HRESULT DirectSoundCreate(IDirectSound** directSound) override;

private:
    class Recorder;

    std::shared_ptr<Recorder> recorder_;
    std::weak_ptr<AudioDeviceCore> device_;
    // Milliseconds × rate not yet turned into whole frames.
    uint64_t clockRemainder_ = 0;
    // Last, so that the devices are installed once the rest is made and
    // restored before it goes.
    ScopedAudioDevices installed_{*this};
};

} // namespace Platform
