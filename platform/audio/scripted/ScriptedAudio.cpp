#include "platform/audio/scripted/ScriptedAudio.h"

#include <mutex>

#include "platform/audio/AudioDeviceCore.h"
#include "platform/system/scripted/ScriptedCallListener.h"
#include "platform/audio/MixerDirectSound.h"
#include "platform/audio/MixerSoundBuffer.h"

namespace Platform {

namespace {
constexpr uint32_t kInitialRate = 22050;
constexpr uint16_t kInitialChannels = 2;
} // namespace

class ScriptedAudio::Recorder final : public AudioCallHook {
public:
    HRESULT Fault(const char* method, uint32_t object) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto it = faults_.begin(); it != faults_.end(); ++it) {
            if (it->method == method && (it->object == 0 || it->object == object)) {
                const HRESULT result = it->result;
                if (--it->times == 0)
                    faults_.erase(it);
                return result;
            }
        }
        return DS_OK;
    }

    void Record(const char* method, uint32_t object, std::vector<double> args,
                HRESULT result) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            calls.push_back({method, object, std::move(args), result});
        }
        ReportScriptedCall(method);
    }

    void AddFault(const std::string& method, HRESULT result, uint32_t times, uint32_t object)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (times > 0)
            faults_.push_back({method, object, result, times});
    }

    std::vector<AudioCall> calls;

private:
    struct Fault_ {
        std::string method;
        uint32_t object;
        HRESULT result;
        uint32_t times;
    };
    std::mutex mutex_;
    std::vector<Fault_> faults_;
};

ScriptedAudio::ScriptedAudio() : recorder_(std::make_shared<Recorder>()) {}

ScriptedAudio::~ScriptedAudio() = default;

HRESULT ScriptedAudio::DirectSoundCreate(IDirectSound** directSound)
{
    HRESULT result = recorder_->Fault("DirectSoundCreate", 0);
    if (result == DS_OK) {
        auto core = std::make_shared<AudioDeviceCore>(kInitialRate, kInitialChannels);
        core->hook = recorder_;
        device_ = core;
        clockRemainder_ = 0;
        *directSound = new MixerDirectSound(std::move(core));
    }
    recorder_->Record("DirectSoundCreate", 0, {}, result);
    return result;
}

void ScriptedAudio::Fail(const std::string& method, HRESULT result, uint32_t times,
                         uint32_t object)
{
    recorder_->AddFault(method, result, times, object);
}

void ScriptedAudio::LoseBuffers()
{
    if (auto core = device_.lock())
        core->LoseBuffers();
}

void ScriptedAudio::LoseBuffer(IDirectSoundBuffer* buffer)
{
    auto* mixed = dynamic_cast<MixerSoundBuffer*>(buffer);
    auto core = device_.lock();
    if (!mixed || !core)
        return;
    std::lock_guard<std::mutex> lock(core->mixer.Mutex());
    mixed->Voice().lost = true;
    mixed->Voice().playing = false;
}

std::vector<int16_t> ScriptedAudio::Render(uint32_t frames)
{
    auto core = device_.lock();
    if (!core)
        return {};
    std::vector<int16_t> output(static_cast<size_t>(frames) * OutputChannels());
    core->mixer.Mix(output.data(), frames);
    return output;
}

std::vector<int16_t> ScriptedAudio::Advance(uint32_t milliseconds)
{
    clockRemainder_ += static_cast<uint64_t>(milliseconds) * OutputRate();
    const uint64_t frames = clockRemainder_ / 1000;
    clockRemainder_ %= 1000;
    return Render(static_cast<uint32_t>(frames));
}

uint32_t ScriptedAudio::OutputRate() const
{
    auto core = device_.lock();
    if (!core)
        return kInitialRate;
    std::lock_guard<std::mutex> lock(core->mixer.Mutex());
    return core->mixer.OutputRate();
}

uint16_t ScriptedAudio::OutputChannels() const
{
    auto core = device_.lock();
    if (!core)
        return kInitialChannels;
    std::lock_guard<std::mutex> lock(core->mixer.Mutex());
    return core->mixer.OutputChannels();
}

const std::vector<AudioCall>& ScriptedAudio::Calls() const
{
    return recorder_->calls;
}

void ScriptedAudio::ClearCalls()
{
    recorder_->calls.clear();
}

std::vector<AudioCall> ScriptedAudio::CallsOf(const std::string& method) const
{
    std::vector<AudioCall> calls;
    for (const AudioCall& call : recorder_->calls) {
        if (call.method == method)
            calls.push_back(call);
    }
    return calls;
}

AudioBufferState ScriptedAudio::Inspect(IDirectSoundBuffer* buffer) const
{
    AudioBufferState state;
    auto* mixed = dynamic_cast<MixerSoundBuffer*>(buffer);
    if (!mixed)
        return state;
    auto core = device_.lock();
    std::unique_lock<std::mutex> lock;
    if (core)
        lock = std::unique_lock<std::mutex>(core->mixer.Mutex());
    const AudioVoice& voice = mixed->Voice();
    state.id = mixed->Id();
    state.flags = mixed->Flags();
    state.format = mixed->Format();
    state.references = mixed->References();
    state.position = static_cast<uint32_t>(voice.position >> 32) * voice.blockAlign;
    state.playing = voice.playing;
    state.looping = voice.looping;
    state.lost = voice.lost;
    state.volume = mixed->Volume();
    state.frequency = voice.frequency;
    state.position3D = mixed->Position3D();
    state.memory = mixed->Memory().get();
    return state;
}

size_t ScriptedAudio::BufferCount() const
{
    auto core = device_.lock();
    if (!core)
        return 0;
    std::lock_guard<std::mutex> lock(core->mixer.Mutex());
    return core->buffers.size();
}

uint32_t ScriptedAudio::CooperativeLevel() const
{
    auto core = device_.lock();
    return core ? core->cooperativeLevel : 0;
}

} // namespace Platform
