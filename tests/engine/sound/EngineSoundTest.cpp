// The engine's sound: made after the window, run at the end of every frame,
// deleted before the window; without a sound device the engine runs silent.
#include <gtest/gtest.h>

#include "SoundFileFixture.h"
#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"
#include "platform/audio/scripted/ScriptedAudio.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using TestSupport::EngineTestEnvironment;
using TestSupport::ReadWholeFile;

TEST(EngineSound, QueuedSoundsPlayAtTheEndOfTheFrameAndSoundGoesBeforeTheWindow) {
    EngineTestEnvironment env;
    Platform::ScriptedAudio audio;
    TestSupport::WriteWholeFile(env.folder / "bin/Data/a.wav", [] {
        const Bytes bytes = Riff({FormatChunk(1, 22050, 16), DataChunk(Bytes(8820, 0x10))});
        return std::string(bytes.begin(), bytes.end());
    }());
    auto engine = std::make_unique<Engine>(env.Settings());
    ASSERT_NE(engine->soundSystem, nullptr);
    ASSERT_NE(engine->soundManager, nullptr);

    Sound* sound = engine->soundManager->CreateSound("a.wav");
    engine->soundManager->Play(sound, false);
    engine->Update();
    EXPECT_EQ(sound->GetState(), SoundState::Stopped);
    engine->EndFrame();
    EXPECT_EQ(sound->GetState(), SoundState::Playing);

    engine.reset();
    const std::string log = ReadWholeFile(env.LogPath());
    EXPECT_LT(log.find("Window creation:"), log.find("Initialization of DirectSound Subsystem:"));
    EXPECT_LT(log.find("DirectSound system destroying:"), log.find("Window destroying:"));
    EXPECT_EQ(log.find("Error"), std::string::npos);
}

TEST(EngineSound, WithoutASoundDeviceTheEngineRunsSilent) {
    EngineTestEnvironment env;
    Platform::ScriptedAudio audio;
    audio.Fail("DirectSoundCreate", Platform::DSERR_NODRIVER);
    auto engine = std::make_unique<Engine>(env.Settings());
    EXPECT_EQ(engine->soundSystem, nullptr);
    EXPECT_EQ(engine->soundManager, nullptr);
    engine->Update();
    engine->EndFrame();
    engine.reset();
    const std::string log = ReadWholeFile(env.LogPath());
    EXPECT_NE(log.find("Failed to create a device"), std::string::npos);
    // The sound system's release lines end where the renderer's begin; the
    // renderer releases a device of its own.
    const size_t soundRelease = log.find("DirectSound system destroying:");
    const size_t rendererRelease = log.find("Direct3D Subsystem destroying:");
    ASSERT_LT(soundRelease, rendererRelease);
    EXPECT_EQ(log.substr(soundRelease, rendererRelease - soundRelease).find("...Releasing device..."),
              std::string::npos);
}

}  // namespace
}  // namespace ZorvaneEngine::SoundTest
