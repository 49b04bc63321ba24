#pragma once
// The sound system over the platform's sound device: opens the device with
// a 22050 Hz 16-bit stereo primary buffer (and the 3D listener when asked),
// makes Sound_DS7 sounds and SoundBuffer_DS7 buffers, and logs every failing
// device call as "DirectSound Subsystem (<tag>): <text>".
#include <string>

#include "engine/sound/SoundSystem.h"
#include "platform/audio/DirectSound.h"

namespace ZorvaneEngine {

class Config;
class TimerManager;
class Window;

class SoundSystem_DS7 : public SoundSystem {
public:
    // Raises Error (with an empty text, the cause already logged) when the
    // device, its cooperative level or the primary buffer cannot be had.
    SoundSystem_DS7(MessageManager* log, FileManager* files, TimerManager* timers, Config* config,
                    Window* window, bool use3D);
    ~SoundSystem_DS7() override;

    void Refresh() override;
    Sound* CreateSound(const std::string& name) override;
    Sound* CloneSound(const Sound& sound) override;
    SoundBuffer* CreateSoundBuffer(const std::string& name) override;
    SoundBuffer* DuplicateSoundBuffer(const SoundBuffer& source) override;
    void SetListenerPosition(const Vector3& position) override;
    void SetListenerOrientation(const Vector3& front, const Vector3& top) override;

    // Releases the listener, the primary buffer and the device.
    void Release();

    // Logs a failing result through the owner's log; 0 logs nothing.
    static void ReportError(const std::string& tag, const SoundSystem_DS7* owner,
                            Platform::HRESULT result);
    // The text logged for a result.
    static std::string ErrorText(Platform::HRESULT result);

    TimerManager* timers;
    Window* window;
    Platform::IDirectSound* device = nullptr;
    Platform::IDirectSoundBuffer* primaryBuffer = nullptr;
    Platform::IDirectSound3DListener* listener = nullptr;

private:
    [[noreturn]] void Fail(const std::string& text);
};

} // namespace ZorvaneEngine
