// Opening and closing the sound device, the engine's silent fallback when
// it cannot be had, and the log lines of failing device calls.
#include <cstdlib>

#include "SoundFixture.h"
#include "engine/core/Error.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using namespace Platform;

class SoundSystemTest : public SoundFixture {
protected:
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const LogMessage& message : log.GetFrameMessages())
            lines.push_back((message.level == 2 ? "E " : "") + Plain(message));
        return lines;
    }
};

TEST_F(SoundSystemTest, OpensThePrimaryBufferAndReleasesInReverse) {
    for (bool use3D : {false, true}) {
        SCOPED_TRACE(use3D ? "3D" : "no 3D");
        log.ClearFrameMessages();
        audio.ClearCalls();
        auto sounds = std::make_unique<SoundSystem_DS7>(&log, files.get(), &timers, nullptr, nullptr, use3D);
        std::vector<std::string> expected = {"\nInitialization of DirectSound Subsystem:",
                                             "...Creating a device...", "...Set cooperative level...",
                                             "...Create primary buffer...", "...Set primary buffer format..."};
        if (use3D)
            expected.push_back("...Get the 3D listener from the primary buffer...");
        expected.push_back("");
        EXPECT_EQ(Lines(), expected);
        EXPECT_EQ(audio.CooperativeLevel(), DSSCL_PRIORITY);
        const std::vector<AudioCall> created = audio.CallsOf("CreateSoundBuffer");
        ASSERT_EQ(created.size(), 1u);
        EXPECT_EQ(created[0].args[0], use3D ? 0x91 : 0x81);
        EXPECT_EQ(created[0].args[1], 0.0);
        EXPECT_EQ(audio.OutputRate(), 22050u);
        EXPECT_EQ(audio.OutputChannels(), 2u);
        EXPECT_EQ(sounds->use3D, use3D);

        log.ClearFrameMessages();
        sounds.reset();
        expected = {"DirectSound system destroying:"};
        if (use3D)
            expected.push_back("...Releasing 3D listener...");
        expected.push_back("...Releasing primary buffer...");
        expected.push_back("...Releasing device...");
        EXPECT_EQ(Lines(), expected);
        EXPECT_TRUE(audio.Render(16).empty()) << "every device object released";
    }
}

struct OpenFailure {
    const char* method;
    const char* error;
    bool deviceMade;
};

TEST_F(SoundSystemTest, AFailingStepLogsReleasesAndRaisesAnEmptyError) {
    const OpenFailure cases[] = {
        {"DirectSoundCreate", "Failed to create a device", false},
        {"SetCooperativeLevel", "Failed to set cooperative level", true},
        {"CreateSoundBuffer", "Failed to create primary buffer", true},
        {"SetFormat", "Failed to set primary buffer format", true},
    };
    for (const OpenFailure& c : cases) {
        SCOPED_TRACE(c.method);
        log.ClearFrameMessages();
        audio.Fail(c.method, DSERR_NODRIVER);
        try {
            SoundSystem_DS7 sounds(&log, files.get(), &timers, nullptr, nullptr, false);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_EQ(error.message, "");
        }
        std::vector<std::string> lines = Lines();
        ASSERT_GE(lines.size(), 3u);
        lines.erase(lines.begin(), lines.end() - (c.deviceMade ? 3 : 2));
        std::vector<std::string> expected = {std::string("E ") + c.error, "DirectSound system destroying:"};
        if (c.deviceMade)
            expected.push_back("...Releasing device...");
        EXPECT_EQ(lines, expected);
        EXPECT_TRUE(audio.Render(16).empty()) << "every device object released";
    }

    // Without a listener to be had, 3D is given up and the device opens.
    log.ClearFrameMessages();
    audio.Fail("QueryInterface", DSERR_NOINTERFACE);
    SoundSystem_DS7 sounds(&log, files.get(), &timers, nullptr, nullptr, true);
    EXPECT_FALSE(sounds.use3D);
    EXPECT_EQ(Messages(2), (std::vector<std::string>{"Failed to get the 3D listener from the primary buffer"}));
}

struct ReportCase {
    HRESULT result;
    const char* text;
};

TEST_F(SoundSystemTest, FailingCallsAreLoggedWithTheirTagAndText) {
    WriteDataFile("a.wav", Wav(Sine(2205, 22050, 441.0, 8000.0), 1, 22050));
    Open();
    Sound* sound = manager->CreateSound("a.wav");
    const ReportCase cases[] = {
        {DSERR_CONTROLUNAVAIL, "The buffer control (volume, pan, and so on) requested by the caller is not available."},
        {DSERR_NODRIVER, "No sound driver is available for use."},
        {static_cast<HRESULT>(0x80004003u), "Unknown error (Code: -2147467261)"},
    };
    for (const ReportCase& c : cases) {
        log.ClearFrameMessages();
        audio.Fail("SetVolume", c.result);
        sound->SetVolume(0.5f);
        EXPECT_EQ(Messages(2), (std::vector<std::string>{
                                   std::string("DirectSound Subsystem (SoundBuffer_DS7::SetVolume): ") + c.text}));
    }

    log.ClearFrameMessages();
    audio.Fail("GetStatus", DSERR_GENERIC);
    system->Refresh();
    EXPECT_EQ(Messages(2), (std::vector<std::string>{"DirectSound Subsystem (SoundSystem_DS7::Refresh): An "
                                                     "undetermined error occurred inside the DirectSound "
                                                     "subsystem."}));
}

TEST_F(SoundSystemTest, VolumeReachesTheDeviceInHundredthsOfADecibel) {
    WriteDataFile("a.wav", Wav(Sine(2205, 22050, 441.0, 8000.0), 1, 22050));
    Open();
    Sound* sound = manager->CreateSound("a.wav");
    // -1000 ln(1 / v), truncated toward zero; silence below 0.0001.
    const std::pair<float, double> cases[] = {
        {1.0f, 0},        {0.9f, -105},    {0.5f, -693},     {0.25f, -1386},
        {0.0001f, -9210}, {0.00009f, -10000}, {0.00001f, -10000}, {0.0f, -10000},
    };
    for (const auto& [volume, hundredths] : cases) {
        audio.ClearCalls();
        sound->SetVolume(volume);
        const std::vector<AudioCall> calls = audio.CallsOf("SetVolume");
        ASSERT_EQ(calls.size(), 1u) << volume;
        EXPECT_EQ(calls[0].args[0], hundredths) << "volume " << volume;
    }
}

TEST_F(SoundSystemTest, ABufferTheDeviceRefusesStaysSilentAndIsNotShared) {
    WriteDataFile("a.wav", Wav(Sine(2205, 22050, 441.0, 8000.0), 1, 22050));
    Open();
    audio.Fail("CreateSoundBuffer", DSERR_OUTOFMEMORY);
    Sound* first = manager->CreateSound("a.wav");
    Sound* second = manager->CreateSound("a.wav");
    EXPECT_EQ(Messages(2), (std::vector<std::string>{"Sound System: DirectSound buffers overflow",
                                                     "\"a.wav\" sound file - incorrect format",
                                                     "Sound System: DirectSound buffers overflow"}));
    EXPECT_FALSE(BufferOf(second)->HasDeviceBuffer());
    manager->Play(first, true);
    manager->Play(second, false);
    EXPECT_EQ(first->GetState(), SoundState::Playing);
    Frame(10);
    Frame(10);
    EXPECT_EQ(first->GetState(), SoundState::Stopped);
    EXPECT_EQ(second->GetState(), SoundState::Stopped);
}

// The real output with SDL's dummy driver: no sound card, the whole path.
TEST(SoundSystemHeadless, OpensAndPlaysOnTheDummyDriver) {
    TestSupport::ScopedEnvironment driver("SDL_AUDIODRIVER", "dummy");
    TestSupport::TemporaryFolder root;
    TestSupport::WriteWholeFile(root / "data/a.wav", [] {
        const Bytes bytes = Wav(Sine(22050, 22050, 441.0, 8000.0), 1, 22050);
        return std::string(bytes.begin(), bytes.end());
    }());
    MessageManager log("", "test", "Test", false, false);
    FileManager files("data", &log, root.Path());
    TimerManager timers;
    SoundSystem_DS7 sounds(&log, &files, &timers, nullptr, nullptr, false);
    SoundManager manager(&log, &files, &sounds);
    Sound* sound = manager.CreateSound("a.wav");
    manager.Play(sound, false);
    sounds.Refresh();
    manager.Update(true);
    EXPECT_EQ(sound->GetState(), SoundState::Playing);
    for (const LogMessage& message : log.GetFrameMessages())
        EXPECT_LT(message.level, 2) << message.text;
}

}  // namespace
}  // namespace ZorvaneEngine::SoundTest
