#pragma once
// The game's sounds by id and its music tracks on numbered channels, over the
// engine's sound manager. Several files may share one sound id; they are then
// used in turn. Music fades in and out by changing the track's level, which
// multiplies the music volume. The two volumes are the saved settings
// "g_music_volume" and "g_sound_volume"; both are applied again every frame,
// so a change from anywhere (options, a configuration line, a profile) takes
// effect at once. Without a sound manager (the engine's sound failed to
// start) nothing plays and every state reads as stopped.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/sound/Sound.h"

namespace ZorvaneEngine {
class Config;
class Engine;
class MessageManager;
class SoundManager;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {

struct SoundEntry {
    int32_t soundId = 0;
    std::string fileName;
    ZorvaneEngine::Sound* sound = nullptr;  // belongs to the sound manager
    bool looping = false;
    // Main-timer seconds of the last start; 0 until the first.
    float lastStart = 0.0f;
};

enum class FadeState : int32_t {
    Steady = 0,
    FadingIn = 1,
    FadingOut = 2,
    FadingOutThenPause = 3,
    FadingOutThenStop = 4
};

// One music file, always looping. Its sound plays at volume x fade level.
class MusicTrack {
public:
    MusicTrack(ZorvaneEngine::Engine* engine, int32_t musicId, const std::string& fileName);
    // The sound goes back to the sound manager.
    ~MusicTrack();

    MusicTrack(const MusicTrack&) = delete;
    MusicTrack& operator=(const MusicTrack&) = delete;

    // Moves the fade level by the fade speed over dt seconds; a fade-out
    // that falls below 0 ends in the state's pause or stop.
    void UpdateFade(float dt);
    // The sound's volume := volume x fade level.
    void ApplyVolume();

    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::SoundManager* soundManager;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::Sound* sound = nullptr;
    int32_t musicId;
    float fadeLevel = 1.0f;
    float volume = 1.0f;
    FadeState fadeState = FadeState::Steady;
    float fadeSpeed = 0.0f;  // level units per second
};

enum class MusicPause { Pause, Resume };
enum class MusicFade { Fade, Immediate };

class SoundPlayer {
public:
    // Registers "g_music_volume" and "g_sound_volume" (saved floats, the
    // defaults written with six decimals; a line of the configuration file
    // wins), then applies the sound volume and the music volume.
    SoundPlayer(ZorvaneEngine::Engine* engine, float defaultMusicVolume, float defaultSoundVolume);
    // Deletes the sounds and tracks and detaches the two settings, so that
    // the configuration still saves them and a later player can take them.
    ~SoundPlayer();

    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void AddSound(int32_t soundId, const std::string& fileName, bool looping);
    void AddMusic(int32_t musicId, const std::string& fileName);

    // Queues a start for the sound manager's next update. Among the files of
    // the id, the one started longest ago plays; a request within 0.02 s of
    // any start of the id is dropped, and a looping sound already playing is
    // not restarted.
    void PlaySound(int32_t soundId);
    void StopSound(int32_t soundId);
    void SetSoundLooping(bool looping, int32_t soundId);
    void SetSoundTempo(int32_t soundId, float tempo);
    // The state of the id's first file; stopped when there is none.
    ZorvaneEngine::SoundState GetSoundState(int32_t soundId) const;

    MusicTrack* FindMusic(int32_t musicId) const;
    ZorvaneEngine::SoundState GetMusicState(int32_t channel) const;
    // Starts the track silent and fades it in; a track already playing on
    // the channel is left alone, another track on it fades out (speed 1)
    // and stops. An id never added is logged and changes nothing.
    void PlayMusic(int32_t channel, int32_t musicId, float fadeInSpeed);
    void PauseMusic(int32_t channel, MusicPause pause, MusicFade fade, float speed);
    void PauseAllMusic(MusicPause pause, float speed, MusicFade fade);
    // A paused track stops at once, a playing one fades out and then stops.
    void StopMusic(int32_t channel, float fadeOutSpeed);
    void StopAllMusic(float fadeOutSpeed);

    // Both clamp to [0, 1] (a value that is not a number counts as 0).
    void SetMusicVolume(float volume);
    // Every sound of the sound manager that is not a music track's gets it:
    // the GUI's sounds as well as the player's own.
    void SetSoundVolume(float volume);
    float GetMusicVolume() const { return musicVolume; }
    float GetSoundVolume() const { return soundVolume; }
    // The settings' default texts read as numbers.
    float GetDefaultMusicVolume() const;
    float GetDefaultSoundVolume() const;

    // Once a frame: the fades, then both volumes again.
    void Update();

private:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::Config* config;
    ZorvaneEngine::SoundManager* soundManager;  // null without sound
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::MessageManager* log;
    std::vector<std::unique_ptr<SoundEntry>> sounds;
    std::vector<std::unique_ptr<MusicTrack>> music;
    // Bound to the settings: the configuration writes these fields.
    float musicVolume = 1.0f;
    float soundVolume = 1.0f;
    // The track on each channel; the tracks belong to music.
    std::map<int32_t, MusicTrack*> channels;
};

} // namespace GameFramework
