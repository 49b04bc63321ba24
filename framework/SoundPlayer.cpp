#include "framework/SoundPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/SoundManager.h"

namespace GameFramework {

using ZorvaneEngine::SoundState;

namespace {

const char* const kMusicVolumeName = "g_music_volume";
const char* const kSoundVolumeName = "g_sound_volume";
// Requests for one sound id closer together than this start it once.
constexpr float kReplayGuardSeconds = 0.02f;
// A track pushed off its channel by another fades out at this speed.
constexpr float kReplacedTrackFadeSpeed = 1.0f;

float ClampVolume(float volume)
{
    // Written so that a NaN from a hand-edited configuration becomes 0.
    if (!(volume > 0.0f)) return 0.0f;
    return std::min(volume, 1.0f);
}

} // namespace

MusicTrack::MusicTrack(ZorvaneEngine::Engine* engine, int32_t musicId, const std::string& fileName)
    : engine(engine), soundManager(engine->soundManager.get()), timers(engine->timers.get()),
      musicId(musicId)
{
    sound = soundManager->CreateSound(fileName);
    sound->SetLooping(true);
    fadeLevel = sound->GetVolume();
}

MusicTrack::~MusicTrack()
{
    soundManager->DeleteSound(sound);
}

void MusicTrack::UpdateFade(float dt)
{
    switch (fadeState) {
    case FadeState::FadingIn:
        fadeLevel += fadeSpeed * dt;
        if (fadeLevel >= 1.0f) {
            fadeLevel = 1.0f;
            fadeState = FadeState::Steady;
        }
        break;
    case FadeState::FadingOut:
    case FadeState::FadingOutThenPause:
    case FadeState::FadingOutThenStop:
        fadeLevel -= fadeSpeed * dt;
        if (fadeLevel < 0.0f) {
            if (fadeState == FadeState::FadingOutThenStop) {
                sound->Stop();
            } else if (fadeState == FadeState::FadingOutThenPause) {
                sound->Pause();
            }
            fadeLevel = 0.0f;
            fadeState = FadeState::Steady;
        }
        break;
    case FadeState::Steady:
        break;
    }
    ApplyVolume();
}

void MusicTrack::ApplyVolume()
{
    sound->SetVolume(volume * fadeLevel);
}

SoundPlayer::SoundPlayer(ZorvaneEngine::Engine* engine, float defaultMusicVolume, float defaultSoundVolume)
    : engine(engine), config(engine->config.get()), soundManager(engine->soundManager.get()),
      timers(engine->timers.get()), log(engine->log.get())
{
    using ZorvaneEngine::ConfigVariableType;
    config->AddVariable(ZorvaneEngine::FloatToText(defaultMusicVolume, 6), kMusicVolumeName,
                        ConfigVariableType::Float, true, &musicVolume, false);
    config->AddVariable(ZorvaneEngine::FloatToText(defaultSoundVolume, 6), kSoundVolumeName,
                        ConfigVariableType::Float, true, &soundVolume, false);
    SetSoundVolume(soundVolume);
    SetMusicVolume(musicVolume);
}

SoundPlayer::~SoundPlayer()
{
    channels.clear();
    if (soundManager) {
        for (const std::unique_ptr<SoundEntry>& entry : sounds) {
            soundManager->DeleteSound(entry->sound);
        }
    }
    sounds.clear();
    music.clear();
    config->DetachVariable(kMusicVolumeName);
    config->DetachVariable(kSoundVolumeName);
}

void SoundPlayer::AddSound(int32_t soundId, const std::string& fileName, bool looping)
{
    if (!soundManager) return;
    auto entry = std::make_unique<SoundEntry>();
    entry->soundId = soundId;
    entry->fileName = fileName;
    entry->sound = soundManager->CreateSound(fileName);
    entry->looping = looping;
    entry->sound->SetLooping(looping);
    entry->sound->SetVolume(soundVolume);
    sounds.push_back(std::move(entry));
}

void SoundPlayer::AddMusic(int32_t musicId, const std::string& fileName)
{
    if (!soundManager) return;
    auto track = std::make_unique<MusicTrack>(engine, musicId, fileName);
    track->volume = musicVolume;
    track->ApplyVolume();
    music.push_back(std::move(track));
}

void SoundPlayer::PlaySound(int32_t soundId)
{
    if (!soundManager) return;
    const float now = timers->GetMainTimer()->GetTime();
    SoundEntry* chosen = nullptr;
    for (const std::unique_ptr<SoundEntry>& entry : sounds) {
        if (entry->soundId != soundId) continue;
        if (std::fabs(now - entry->lastStart) < kReplayGuardSeconds) return;
        if (!chosen || entry->lastStart < chosen->lastStart) chosen = entry.get();
    }
    if (!chosen) return;
    if (!(chosen->looping && chosen->sound->GetState() == SoundState::Playing)) {
        soundManager->commandQueue.push_back({ZorvaneEngine::SoundCommand::Play, chosen->sound});
    }
    chosen->lastStart = now;
}

void SoundPlayer::StopSound(int32_t soundId)
{
    if (!soundManager) return;
    for (const std::unique_ptr<SoundEntry>& entry : sounds) {
        if (entry->soundId == soundId) {
            soundManager->commandQueue.push_back({ZorvaneEngine::SoundCommand::Stop, entry->sound});
        }
    }
}

void SoundPlayer::SetSoundLooping(bool looping, int32_t soundId)
{
    if (!soundManager) return;
    for (const std::unique_ptr<SoundEntry>& entry : sounds) {
        if (entry->soundId == soundId) {
            entry->looping = looping;
            entry->sound->SetLooping(looping);
        }
    }
}

void SoundPlayer::SetSoundTempo(int32_t soundId, float tempo)
{
    if (!soundManager) return;
    for (const std::unique_ptr<SoundEntry>& entry : sounds) {
        if (entry->soundId == soundId) entry->sound->SetTempo(tempo);
    }
}

SoundState SoundPlayer::GetSoundState(int32_t soundId) const
{
    if (!soundManager) return SoundState::Stopped;
    for (const std::unique_ptr<SoundEntry>& entry : sounds) {
        if (entry->soundId == soundId) return entry->sound->GetState();
    }
    return SoundState::Stopped;
}

MusicTrack* SoundPlayer::FindMusic(int32_t musicId) const
{
    for (const std::unique_ptr<MusicTrack>& track : music) {
        if (track->musicId == musicId) return track.get();
    }
    return nullptr;
}

SoundState SoundPlayer::GetMusicState(int32_t channel) const
{
    if (!soundManager) return SoundState::Stopped;
    const auto found = channels.find(channel);
    return found == channels.end() ? SoundState::Stopped : found->second->sound->GetState();
}

void SoundPlayer::PlayMusic(int32_t channel, int32_t musicId, float fadeInSpeed)
{
    if (!soundManager) return;
    const auto found = channels.find(channel);
    MusicTrack* track = found == channels.end() ? nullptr : found->second;
    if (track && track->musicId == musicId) {
        // A track still fading out to stop counts as playing and is left to
        // end: the menus rely on that to stay silent.
        if (track->sound->GetState() == SoundState::Playing) return;
    } else {
        MusicTrack* next = FindMusic(musicId);
        if (!next) {
            log->Error("SoundPlayer::PlayMusic: no music with id " + ZorvaneEngine::IntToText(musicId));
            return;
        }
        if (track) {
            track->fadeState = FadeState::FadingOutThenStop;
            track->fadeSpeed = kReplacedTrackFadeSpeed;
        }
        channels[channel] = next;
        track = next;
    }
    track->fadeLevel = 0.0f;
    track->ApplyVolume();
    track->fadeState = FadeState::Steady;
    soundManager->Play(track->sound, true);
    track->fadeState = FadeState::FadingIn;
    track->fadeSpeed = fadeInSpeed;
}

void SoundPlayer::PauseMusic(int32_t channel, MusicPause pause, MusicFade fade, float speed)
{
    if (!soundManager) return;
    const auto found = channels.find(channel);
    if (found == channels.end()) return;
    MusicTrack* track = found->second;
    const SoundState state = track->sound->GetState();

    if (pause == MusicPause::Pause) {
        if (state != SoundState::Playing) return;
        if (fade == MusicFade::Fade) {
            if (track->fadeState != FadeState::FadingOutThenStop) {
                track->fadeState = FadeState::FadingOutThenPause;
                track->fadeSpeed = speed;
            }
        } else if (track->fadeState == FadeState::FadingOutThenStop) {
            track->sound->Stop();
        } else {
            track->sound->Pause();
        }
        return;
    }

    if (state != SoundState::Paused) return;
    if (fade == MusicFade::Fade) {
        track->fadeLevel = 0.0f;
        track->ApplyVolume();
        soundManager->Play(track->sound, true);
        track->fadeState = FadeState::FadingIn;
        track->fadeSpeed = speed;
    } else {
        track->fadeLevel = 1.0f;
        track->ApplyVolume();
        soundManager->Play(track->sound, true);
        track->fadeState = FadeState::Steady;
    }
}

void SoundPlayer::PauseAllMusic(MusicPause pause, float speed, MusicFade fade)
{
    for (const auto& [channel, track] : channels) {
        PauseMusic(channel, pause, fade, speed);
    }
}

void SoundPlayer::StopMusic(int32_t channel, float fadeOutSpeed)
{
    if (GetMusicState(channel) == SoundState::Stopped) return;
    MusicTrack* track = channels.at(channel);
    if (track->sound->GetState() == SoundState::Paused) {
        track->sound->Stop();
        return;
    }
    track->fadeState = FadeState::FadingOutThenStop;
    track->fadeSpeed = fadeOutSpeed;
}

void SoundPlayer::StopAllMusic(float fadeOutSpeed)
{
    for (const auto& [channel, track] : channels) {
        StopMusic(channel, fadeOutSpeed);
    }
}

void SoundPlayer::SetMusicVolume(float volume)
{
    musicVolume = ClampVolume(volume);
    for (const std::unique_ptr<MusicTrack>& track : music) {
        track->volume = musicVolume;
        track->ApplyVolume();
    }
}

void SoundPlayer::SetSoundVolume(float volume)
{
    soundVolume = ClampVolume(volume);
    if (!soundManager) return;
    for (uint32_t slot : soundManager->GetUsedSlots()) {
        ZorvaneEngine::Sound* sound = soundManager->GetSound(slot);
        if (!sound) continue;
        const bool isMusic = std::any_of(music.begin(), music.end(),
                                         [&](const std::unique_ptr<MusicTrack>& track) { return track->sound == sound; });
        if (!isMusic) sound->SetVolume(soundVolume);
    }
}

float SoundPlayer::GetDefaultMusicVolume() const
{
    return std::strtof(config->GetDefaultString(kMusicVolumeName).c_str(), nullptr);
}

float SoundPlayer::GetDefaultSoundVolume() const
{
    return std::strtof(config->GetDefaultString(kSoundVolumeName).c_str(), nullptr);
}

void SoundPlayer::Update()
{
    if (!soundManager) return;
    const float dt = timers->frameStep;
    for (const std::unique_ptr<MusicTrack>& track : music) {
        track->UpdateFade(dt);
    }
    SetSoundVolume(soundVolume);
    SetMusicVolume(musicVolume);
}

} // namespace GameFramework
