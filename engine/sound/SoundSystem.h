#pragma once
// The sound back end as the rest of the engine sees it: it makes sounds and
// the buffers under them, and holds the 3D listener. SoundSystem_DS7 is the
// one implementation, over the platform's sound device.
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class FileManager;
class MessageManager;
class Sound;
class SoundBuffer;
class SoundBufferManager;

class SoundSystem {
public:
    SoundSystem(MessageManager* log, FileManager* files, bool use3D);
    virtual ~SoundSystem() = default;

    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Once a frame, before the sound manager's update.
    virtual void Refresh() {}
    // A new sound playing the named file (below "data\"), or a copy of one.
    virtual Sound* CreateSound(const std::string& name) = 0;
    virtual Sound* CloneSound(const Sound& sound) = 0;
    // Used by the buffer manager: a buffer holding the file's samples, or a
    // buffer sharing the sample memory of a static one.
    virtual SoundBuffer* CreateSoundBuffer(const std::string& name) = 0;
    virtual SoundBuffer* DuplicateSoundBuffer(const SoundBuffer& source) = 0;
    virtual void SetListenerPosition(const Vector3& position);
    virtual void SetListenerOrientation(const Vector3& front, const Vector3& top);
    // At the origin, looking down -z with +y up.
    virtual void ResetListener();

    MessageManager* log;
    FileManager* files;
    // Set by the sound manager, which owns it.
    SoundBufferManager* soundBufferManager = nullptr;
    Vector3 listenerPosition;
    Vector3 listenerFront;
    Vector3 listenerTop;
    // Cleared when the device has no 3D listener to give.
    bool use3D;
};

} // namespace ZorvaneEngine
