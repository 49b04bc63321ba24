#pragma once
// What every object of one sound device shares: the mixer, where its output
// goes, the cooperative level, and the hook through which the scripted
// implementation records calls and injects failures. Held by shared
// pointer, so buffers outlive the device object that made them.
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/audio/AudioMixer.h"
#include "platform/audio/DirectSound.h"

namespace Platform {

class MixerPrimaryBuffer;
class MixerSoundBuffer;

// Where the mixed sound goes (the SDL device).
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Reopens the output at a new rate and channel count and sets the
    // mixer's output format to match. Called without the mixer's mutex held:
    // the output waits for its callback. False (the old format kept) when the
    // output cannot change.
    virtual bool SetFormat(uint32_t rate, uint16_t channels) = 0;
};

// Sees every call before it runs and after.
class AudioCallHook {
public:
    virtual ~AudioCallHook() = default;
    // A failure to return instead of running the call, or DS_OK.
    virtual HRESULT Fault(const char* method, uint32_t object) = 0;
    virtual void Record(const char* method, uint32_t object, std::vector<double> args,
                        HRESULT result) = 0;
};

// DSERR_INVALIDPARAM for a format that cannot describe PCM (no channels, no
// rate, sizes that do not agree), DSERR_BADFORMAT for one the mixer does
// not play (not PCM, more than two channels, bits other than 8 or 16, a
// rate outside DSBFREQUENCY_MIN..DSBFREQUENCY_MAX).
HRESULT CheckWaveFormat(const WaveFormat* format);

struct AudioDeviceCore {
    AudioDeviceCore(uint32_t rate, uint16_t channels) : mixer(rate, channels) {}

    // Runs body unless the hook injects a failure; the hook records the call.
    template <class Body>
    HRESULT Traced(const char* method, uint32_t object, std::initializer_list<double> args,
                   Body body)
    {
        if (!hook)
            return body();
        HRESULT result = hook->Fault(method, object);
        if (result == DS_OK)
            result = body();
        hook->Record(method, object, std::vector<double>(args), result);
        return result;
    }
    void Note(const char* method, uint32_t object, std::initializer_list<double> args)
    {
        if (hook)
            hook->Record(method, object, std::vector<double>(args), DS_OK);
    }

    uint32_t NewId() { return ++lastId; }

    // Every buffer lost and stopped, as when another program takes the device.
    void LoseBuffers();

    AudioMixer mixer;
    // Destroyed before the mixer: its callback stops first.
    std::unique_ptr<AudioOutput> output;
    std::shared_ptr<AudioCallHook> hook;
    uint32_t cooperativeLevel = 0;
    // Buffers may be made on the loading thread too.
    std::atomic<uint32_t> lastId{0};
    // The live objects, guarded by the mixer's mutex.
    MixerPrimaryBuffer* primary = nullptr;
    std::vector<MixerSoundBuffer*> buffers;
};

} // namespace Platform
