#pragma once
// A sound over a SoundBuffer_DS7: plays, pauses and stops the device buffer,
// fills a stream's ring when it starts, notices when the device stopped by
// itself and restores a lost buffer.
#include "engine/sound/Sound.h"

namespace ZorvaneEngine {

class SoundBuffer_DS7;
class SoundSystem_DS7;

class Sound_DS7 : public Sound {
public:
    // Stopped, with volume, tempo and position handed to the buffer.
    Sound_DS7(SoundBufferManager* buffers, const std::string& name, MessageManager* log,
              SoundSystem_DS7* system);
    // A stopped copy; its buffer plays at the file's own rate until its
    // tempo is set.
    Sound_DS7(const Sound_DS7& other);

    void Update() override;
    // Always true: a sound without a device buffer simply plays nothing.
    bool Play() override;
    void Pause() override;
    void Stop() override;
    void SetLooping(bool looping) override;
    void SetVolume(float volume) override;
    void SetTempo(float tempo) override;
    void SetPosition(const Vector3& position) override;
    SoundState GetState() const override { return state; }

private:
    SoundSystem_DS7* system;
    SoundBuffer_DS7* deviceBuffer;
    SoundState state = SoundState::Stopped;
};

} // namespace ZorvaneEngine
