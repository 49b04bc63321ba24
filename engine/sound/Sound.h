#pragma once
// One playable instance of a sound file: its own looping flag, volume, tempo,
// 3D position and play state, over a buffer it may share with other sounds
// of the same file.
#include <cstdint>
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class MessageManager;
class SoundBuffer;
class SoundBufferManager;

enum class SoundState : uint32_t { Playing = 0, Paused = 1, Stopped = 2 };

class Sound;

// A deferred request the sound manager carries out at its next update that
// runs commands. Operations other than the three are dropped.
struct SoundCommand {
    enum Operation : uint32_t { Play = 0, Pause = 1, Stop = 2 };
    uint32_t operation = Play;
    Sound* sound = nullptr;
};

class Sound {
public:
    // Gets the buffer for the name from the buffer manager.
    Sound(SoundBufferManager* buffers, const std::string& name, MessageManager* log);
    // Same settings, and a buffer of its own by the same name (sharing the
    // samples of a static one).
    Sound(const Sound& other);
    // Hands the buffer back to the buffer manager.
    virtual ~Sound();

    Sound& operator=(const Sound&) = delete;

    // Once a frame.
    virtual void Update() {}
    // Starts from the beginning, or resumes a paused stream. False when the
    // sound could not start.
    virtual bool Play() = 0;
    virtual void Pause() = 0;
    // Stops and rewinds.
    virtual void Stop() = 0;
    virtual void SetLooping(bool looping);
    // Linear, 1 = the file's own level.
    virtual void SetVolume(float volume);
    // Playback speed and pitch, 1 = the file's own rate.
    virtual void SetTempo(float tempo);
    virtual void SetPosition(const Vector3& position);
    virtual SoundState GetState() const = 0;

    const std::string& GetName() const { return name; }
    bool IsLooping() const { return looping; }
    float GetVolume() const { return volume; }
    float GetTempo() const { return tempo; }
    const Vector3& GetPosition() const { return position; }
    SoundBuffer* GetBuffer() const { return buffer; }

protected:
    MessageManager* log;
    SoundBufferManager* buffers;
    std::string name;
    SoundBuffer* buffer = nullptr;
    bool looping = false;
    float volume = 1.0f;
    float tempo = 1.0f;
    Vector3 position;
};

} // namespace ZorvaneEngine
