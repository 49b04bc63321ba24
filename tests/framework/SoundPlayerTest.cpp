#include "framework/SoundPlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/MessageManager.h"
#include "engine/sound/SoundManager.h"
#include "platform/audio/scripted/ScriptedAudio.h"
#include "tools/common/BinaryWriter.h"

namespace GameFramework {
namespace {

using ZorvaneEngine::SoundCommand;
using ZorvaneEngine::SoundState;
using TestSupport::EngineTestEnvironment;

constexpr int16_t kAmplitude = 8000;
constexpr uint32_t kFrameMs = 100;  // the largest frame step the timers give

// Half a second of a mono square wave at the output's rate, so the mixer
// passes the samples through and only the volume scales them.
std::string SquareWave()
{
    Tools::BinaryWriter w;
    const uint32_t rate = 22050;
    const uint32_t frames = rate / 2;
    w.Chars("RIFF");
    w.U32(36 + 2 * frames);
    w.Chars("WAVE");
    w.Chars("fmt ");
    w.U32(16);
    w.U16(1);
    w.U16(1);
    w.U32(rate);
    w.U32(rate * 2);
    w.U16(2);
    w.U16(16);
    w.Chars("data");
    w.U32(2 * frames);
    for (uint32_t i = 0; i < frames; ++i) {
        w.U16(static_cast<uint16_t>((i / 50) % 2 ? kAmplitude : -kAmplitude));
    }
    return std::string(w.Data().begin(), w.Data().end());
}

double Rms(const std::vector<int16_t>& samples)
{
    double sum = 0.0;
    for (int16_t s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

// An engine over the scripted sound device, with three sound files and a
// player whose defaults are the game's.
class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.wav", "b.wav", "music0.wav", "music1.wav"})
            TestSupport::WriteWholeFile(env.folder / ("bin/Data/" + std::string(name)), SquareWave());
        if (!withSound) audio.Fail("DirectSoundCreate", Platform::DSERR_NODRIVER);
        engine = std::make_unique<ZorvaneEngine::Engine>(env.Settings());
        player = std::make_unique<SoundPlayer>(engine.get(), 0.16f, 0.7f);
    }

    void TearDown() override
    {
        player.reset();
        engine.reset();
    }

    // One frame in the game base's order; returns what the device played
    // during the frame's time.
    std::vector<int16_t> Frame(uint32_t milliseconds = kFrameMs)
    {
        engine->Update();
        player->Update();
        engine->EndFrame();
        env.scripted.Advance(milliseconds);
        return audio.Advance(milliseconds);
    }

    std::vector<SoundCommand> TakeQueue()
    {
        std::vector<SoundCommand> queue = engine->soundManager->commandQueue;
        engine->soundManager->commandQueue.clear();
        return queue;
    }

    bool withSound = true;
    EngineTestEnvironment env;
    Platform::ScriptedAudio audio;
    std::unique_ptr<ZorvaneEngine::Engine> engine;
    std::unique_ptr<SoundPlayer> player;
};

TEST_F(SoundPlayerTest, AFadeRampsTheRenderedLevelOverItsTime)
{
    player->SetMusicVolume(1.0f);
    player->AddMusic(7, "music0.wav");
    player->PlayMusic(0, 7, 0.5f);  // two seconds from silence to full level
    EXPECT_EQ(player->GetMusicState(0), SoundState::Playing);

    std::vector<double> levels;
    for (int i = 0; i < 24; ++i) levels.push_back(Rms(Frame()));
    const double full = levels.back();
    ASSERT_GT(full, 0.9 * kAmplitude);

    EXPECT_LT(levels[0], 0.02 * full);
    for (int i = 1; i <= 20; ++i) EXPECT_GT(levels[i], levels[i - 1]) << "frame " << i;
    // Half way in time is half the level, heard a little lower (the device's
    // scale is in decibels).
    EXPECT_GT(levels[10], 0.3 * full);
    EXPECT_LT(levels[10], 0.6 * full);
    EXPECT_LT(levels[18], 0.95 * full);
    EXPECT_NEAR(levels[21], full, 0.01 * full);

    // A paused fade at the same speed takes two seconds down and ends paused.
    player->PauseMusic(0, MusicPause::Pause, MusicFade::Fade, 0.5f);
    std::vector<double> falling;
    for (int i = 0; i < 19; ++i) falling.push_back(Rms(Frame()));
    for (size_t i = 1; i < falling.size(); ++i) EXPECT_LT(falling[i], falling[i - 1]) << "frame " << i;
    EXPECT_EQ(player->GetMusicState(0), SoundState::Playing);
    for (int i = 0; i < 3; ++i) Frame();
    EXPECT_EQ(player->GetMusicState(0), SoundState::Paused);
    EXPECT_EQ(Rms(Frame()), 0.0);

    // Resuming without a fade plays at full level from the first frame.
    player->PauseMusic(0, MusicPause::Resume, MusicFade::Immediate, 0.5f);
    EXPECT_NEAR(Rms(Frame()), full, 0.01 * full);
}

TEST_F(SoundPlayerTest, ChannelsSwitchTracksAndIgnoreUnknownIds)
{
    player->AddMusic(1, "music0.wav");
    player->AddMusic(2, "music1.wav");
    MusicTrack* first = player->FindMusic(1);
    MusicTrack* second = player->FindMusic(2);
    player->PlayMusic(1, 1, 0.5f);
    for (int i = 0; i < 25; ++i) Frame();
    ASSERT_EQ(first->fadeState, FadeState::Steady);

    // The same track again changes nothing while it plays.
    player->PlayMusic(1, 1, 2.0f);
    EXPECT_EQ(first->fadeLevel, 1.0f);
    EXPECT_EQ(first->fadeState, FadeState::Steady);

    // An id never added is logged and leaves the channel as it was.
    engine->log->ClearFrameMessages();
    player->PlayMusic(1, 9, 0.5f);
    EXPECT_EQ(first->fadeState, FadeState::Steady);
    const auto messages = engine->log->GetFrameMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("no music with id 9"), std::string::npos);

    // Another track takes the channel: the old one fades out and stops.
    player->PlayMusic(1, 2, 0.5f);
    EXPECT_EQ(first->fadeState, FadeState::FadingOutThenStop);
    EXPECT_EQ(first->fadeSpeed, 1.0f);
    EXPECT_EQ(second->fadeLevel, 0.0f);
    EXPECT_EQ(second->fadeState, FadeState::FadingIn);
    for (int i = 0; i < 12; ++i) Frame();
    EXPECT_EQ(first->sound->GetState(), SoundState::Stopped);
    EXPECT_EQ(player->GetMusicState(1), SoundState::Playing);

    // A paused track stops at once; a playing one fades out first.
    player->PlayMusic(0, 1, 0.5f);
    player->PauseMusic(1, MusicPause::Pause, MusicFade::Immediate, 0.5f);
    player->StopAllMusic(1.0f);
    EXPECT_EQ(player->GetMusicState(1), SoundState::Stopped);
    EXPECT_EQ(player->GetMusicState(0), SoundState::Playing);
    EXPECT_EQ(first->fadeState, FadeState::FadingOutThenStop);

    // A paused track asked to play again restarts silent and fades in.
    player->PlayMusic(1, 2, 0.5f);
    player->PauseMusic(1, MusicPause::Pause, MusicFade::Immediate, 0.5f);
    player->PlayMusic(1, 2, 0.25f);
    EXPECT_EQ(player->GetMusicState(1), SoundState::Playing);
    EXPECT_EQ(second->fadeLevel, 0.0f);
    EXPECT_EQ(second->fadeSpeed, 0.25f);
}

TEST_F(SoundPlayerTest, SoundsAreQueuedInTurnAndNotTwiceWithinTwentyMilliseconds)
{
    player->AddSound(5, "a.wav", false);
    player->AddSound(5, "b.wav", false);
    player->AddSound(6, "a.wav", true);
    Frame(1000);

    const auto names = [&] {
        std::vector<std::string> played;
        for (const SoundCommand& command : TakeQueue()) {
            EXPECT_EQ(command.operation, SoundCommand::Play);
            played.push_back(command.sound->GetName());
        }
        return played;
    };
    player->PlaySound(5);
    env.scripted.Advance(10);
    player->PlaySound(5);
    EXPECT_EQ(names().size(), 1u);
    for (int i = 0; i < 3; ++i) {
        env.scripted.Advance(30);
        player->PlaySound(5);
    }
    std::vector<std::string> played = names();
    ASSERT_EQ(played.size(), 3u);
    EXPECT_NE(played[0], played[1]);
    EXPECT_EQ(played[0], played[2]);

    // A looping sound that plays is not started again.
    player->PlaySound(6);
    Frame();
    ASSERT_EQ(player->GetSoundState(6), SoundState::Playing);
    player->PlaySound(6);
    EXPECT_TRUE(names().empty());

    player->PlaySound(99);
    EXPECT_TRUE(names().empty());
    EXPECT_EQ(player->GetSoundState(99), SoundState::Stopped);
}

// Stop, loop and tempo act on every file of the id and on no other sound:
// a sound made looping plays on past its end until its loop is switched
// off and then ends by itself; at twice the tempo it ends in half its time.
TEST_F(SoundPlayerTest, StopLoopAndTempoReachEveryFileOfTheIdOnly)
{
    player->AddSound(5, "a.wav", false);
    player->AddSound(5, "b.wav", false);
    player->AddSound(6, "a.wav", false);
    std::vector<ZorvaneEngine::Sound*> made;
    for (uint32_t slot : engine->soundManager->GetUsedSlots()) made.push_back(engine->soundManager->GetSound(slot));
    ASSERT_EQ(made.size(), 3u);
    ZorvaneEngine::Sound& a5 = *made[0];
    ZorvaneEngine::Sound& b5 = *made[1];
    ZorvaneEngine::Sound& a6 = *made[2];
    Frame(1000);

    player->SetSoundLooping(true, 5);
    EXPECT_TRUE(a5.IsLooping());
    EXPECT_TRUE(b5.IsLooping());
    EXPECT_FALSE(a6.IsLooping());
    player->PlaySound(5);
    for (int i = 0; i < 8; ++i) Frame();
    EXPECT_EQ(a5.GetState(), SoundState::Playing) << "looped past its half second";
    player->SetSoundLooping(false, 5);
    EXPECT_FALSE(a5.IsLooping());
    for (int i = 0; i < 6; ++i) Frame();
    EXPECT_EQ(a5.GetState(), SoundState::Stopped);
    EXPECT_TRUE(TakeQueue().empty()) << "ended by itself, not stopped";

    // At tempo 2 the half second is over within 0.3 s; at 1 it is not. A
    // frame reads the states before its time is played.
    player->SetSoundTempo(5, 2.0f);
    EXPECT_EQ(a5.GetTempo(), 2.0f);
    EXPECT_EQ(b5.GetTempo(), 2.0f);
    EXPECT_EQ(a6.GetTempo(), 1.0f);
    player->PlaySound(5);
    player->PlaySound(6);
    for (int i = 0; i < 4; ++i) Frame();
    EXPECT_EQ(b5.GetState(), SoundState::Stopped);
    EXPECT_EQ(a6.GetState(), SoundState::Playing);

    // A stop for each file of the id, none for the other id.
    player->SetSoundLooping(true, 5);
    player->PlaySound(5);
    Frame();
    player->StopSound(5);
    const std::vector<SoundCommand> stops = TakeQueue();
    ASSERT_EQ(stops.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(stops[i].operation, SoundCommand::Stop);
        EXPECT_EQ(stops[i].sound, made[i]);
    }
}

TEST_F(SoundPlayerTest, VolumesComeFromTheSettingsAndReachEveryOtherSound)
{
    ZorvaneEngine::Config* config = engine->config.get();
    EXPECT_EQ(config->GetDefaultString("g_music_volume"), "0.160000");
    EXPECT_EQ(config->GetDefaultString("g_sound_volume"), "0.700000");
    EXPECT_FLOAT_EQ(player->GetDefaultMusicVolume(), 0.16f);
    EXPECT_FLOAT_EQ(player->GetDefaultSoundVolume(), 0.7f);

    player->AddMusic(1, "music0.wav");
    player->PlayMusic(0, 1, 0.5f);
    for (int i = 0; i < 25; ++i) Frame();
    // A sound of the engine's own (a GUI sound, say) follows the sound volume.
    ZorvaneEngine::Sound* other = engine->soundManager->CreateSound("a.wav");

    config->Execute("g_sound_volume 2");
    config->Execute("g_music_volume nan");
    Frame();
    EXPECT_EQ(player->GetSoundVolume(), 1.0f);
    // A NaN is no setting: the configuration keeps the default.
    EXPECT_FLOAT_EQ(player->GetMusicVolume(), 0.16f);
    EXPECT_EQ(other->GetVolume(), 1.0f);

    player->SetMusicVolume(0.5f);
    player->SetSoundVolume(0.25f);
    EXPECT_EQ(other->GetVolume(), 0.25f);
    EXPECT_EQ(player->FindMusic(1)->sound->GetVolume(), 0.5f);
    engine->soundManager->DeleteSound(other);

    // Once the player is gone the configuration still saves both values.
    player.reset();
    engine.reset();
    const std::string ini = TestSupport::ReadWholeFile(env.IniPath());
    EXPECT_NE(ini.find("g_music_volume 0.500000"), std::string::npos);
    EXPECT_NE(ini.find("g_sound_volume 0.250000"), std::string::npos);
}

class SilentSoundPlayerTest : public SoundPlayerTest {
protected:
    SilentSoundPlayerTest() { withSound = false; }
};

TEST_F(SilentSoundPlayerTest, WithoutSoundEverythingIsStopped)
{
    ASSERT_EQ(engine->soundManager, nullptr);
    player->AddSound(1, "a.wav", false);
    player->AddMusic(1, "music0.wav");
    player->PlaySound(1);
    player->PlayMusic(0, 1, 0.5f);
    player->PauseAllMusic(MusicPause::Pause, 0.5f, MusicFade::Immediate);
    player->StopAllMusic(1.0f);
    Frame();
    EXPECT_EQ(player->GetSoundState(1), SoundState::Stopped);
    EXPECT_EQ(player->GetMusicState(0), SoundState::Stopped);
    EXPECT_EQ(player->FindMusic(1), nullptr);
    player->SetSoundVolume(3.0f);
    EXPECT_EQ(player->GetSoundVolume(), 1.0f);
}

} // namespace
} // namespace GameFramework
