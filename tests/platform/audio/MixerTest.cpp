// The mixed output of known tones: level against the volume in hundredths
// of a dB, pitch against the playback rate, length and the ends of looping
// and non-looping buffers, clipping of the sum.
#include "AudioFixture.h"

namespace AudioTest {
namespace {

class MixerTest : public AudioFixture {};

struct LevelCase {
    uint16_t channels;
    uint16_t bits;
    int32_t volume;
};

TEST_F(MixerTest, LevelFollowsVolumeInHundredthsOfDecibel)
{
    const LevelCase cases[] = {
        {1, 16, 0},     {1, 16, -600}, {1, 16, -2000}, {1, 16, -10000},
        {2, 16, -1000}, {1, 8, 0},     {2, 8, -300},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " ch " << c.bits << " bit volume "
                                        << c.volume);
        const WaveFormat format = Pcm(c.channels, kOutputRate, c.bits);
        // Left: a 1000 Hz sine; right (stereo only): silence.
        const double amplitude = 20000.0;
        auto bytes = MakePcm(format, kOutputRate, [&](uint32_t f, uint16_t channel) {
            return channel == 0 ? amplitude * std::sin(2.0 * M_PI * 1000.0 * f / kOutputRate)
                                : 0.0;
        });
        IDirectSoundBuffer* buffer = Loaded(format, bytes);
        ASSERT_NE(buffer, nullptr);
        ASSERT_EQ(buffer->SetVolume(c.volume), DS_OK);
        ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
        const auto output = audio.Render(kOutputRate / 2);

        const double gain = c.volume == DSBVOLUME_MIN ? 0.0 : std::pow(10.0, c.volume / 2000.0);
        const double expected = amplitude / std::sqrt(2.0) * gain;
        // 8-bit samples carry about 1/256 of full scale as quantisation noise.
        const double tolerance = 0.01 * expected + (c.bits == 8 ? 60.0 : 2.0);
        EXPECT_NEAR(Rms(Channel(output, 0)), expected, tolerance);
        EXPECT_NEAR(Rms(Channel(output, 1)), c.channels == 1 ? expected : 0.0, tolerance);
        buffer->Stop();
    }
}

struct PitchCase {
    uint32_t sourceRate;
    uint16_t bits;
    uint32_t frequency; // SetFrequency; 0 keeps the format's rate
    double toneHertz;
    double expectedHertz;
};

TEST_F(MixerTest, PitchFollowsPlaybackRate)
{
    const PitchCase cases[] = {
        {22050, 16, 0, 1000.0, 1000.0},     // same rate
        {11025, 8, 0, 500.0, 500.0},        // upsampled
        {44100, 16, 0, 2000.0, 2000.0},     // downsampled
        {22050, 16, 44100, 500.0, 1000.0},  // twice as fast
        {22050, 16, 33075, 1000.0, 1500.0}, // tempo 1.5
        {22050, 16, 11025, 1000.0, 500.0},  // half speed
    };
    for (const PitchCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sourceRate << " Hz at " << c.frequency);
        const WaveFormat format = Pcm(1, c.sourceRate, c.bits);
        IDirectSoundBuffer* buffer = Loaded(format, Tone(format, c.sourceRate, c.toneHertz, 16000));
        ASSERT_NE(buffer, nullptr);
        if (c.frequency != 0) {
            ASSERT_EQ(buffer->SetFrequency(c.frequency), DS_OK);
        }
        ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
        EXPECT_NEAR(Pitch(Channel(audio.Render(kOutputRate), 0), kOutputRate), c.expectedHertz,
                    2.0);
        buffer->Stop();
    }
}

struct LengthCase {
    uint32_t sourceRate;
    uint32_t frequency;
    uint32_t expectedFrames; // output frames at 22050 Hz
};

TEST_F(MixerTest, NonLoopingBufferStopsAtItsEndAndRewinds)
{
    const LengthCase cases[] = {
        {11025, 0, 22050},     // one second of source
        {11025, 22050, 11025}, // played twice as fast: half a second
        {44100, 0, 5513},      // a quarter second at 44100 Hz
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sourceRate << " Hz at " << c.frequency);
        const uint32_t frames = 11025;
        const WaveFormat format = Pcm(1, c.sourceRate, 16);
        IDirectSoundBuffer* buffer =
            Loaded(format, MakePcm(format, frames, [](uint32_t, uint16_t) { return 8000.0; }));
        ASSERT_NE(buffer, nullptr);
        if (c.frequency != 0) {
            ASSERT_EQ(buffer->SetFrequency(c.frequency), DS_OK);
        }
        ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
        EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);

        const auto left = Channel(audio.Render(2 * kOutputRate), 0);
        size_t sounding = 0;
        while (sounding < left.size() && left[sounding] != 0.0)
            ++sounding;
        EXPECT_NEAR(static_cast<double>(sounding), c.expectedFrames, 1.0);
        for (size_t i = sounding; i < left.size(); ++i)
            ASSERT_EQ(left[i], 0.0) << "sound after the end at frame " << i;
        EXPECT_EQ(Status(buffer), 0u);
        uint32_t play = 1;
        uint32_t write = 1;
        ASSERT_EQ(buffer->GetCurrentPosition(&play, &write), DS_OK);
        EXPECT_EQ(play, 0u);
        EXPECT_EQ(write, 0u);
    }
}

TEST_F(MixerTest, LoopingBufferWrapsItsCursorAndKeepsPlaying)
{
    // One second at 11025 Hz, played for 2.5 s: the cursor is half-way
    // through its third lap.
    const WaveFormat format = Pcm(1, 11025, 16);
    IDirectSoundBuffer* buffer = Loaded(format, Tone(format, 11025, 441.0, 10000));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    const auto left = Channel(audio.Render(kOutputRate * 5 / 2), 0);
    EXPECT_NEAR(Rms({left.end() - kOutputRate / 2, left.end()}), 10000 / std::sqrt(2.0), 100.0);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    uint32_t play = 0;
    ASSERT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_NEAR(play, 11025.0, 4.0); // bytes: 5512.5 frames of 2 bytes

    // Play on a playing buffer changes only the looping flag: it goes on
    // from where it is and now ends at the buffer's end.
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    ASSERT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_NEAR(play, 11025.0, 4.0);
    audio.Render(kOutputRate / 2 - 4);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    audio.Render(8);
    EXPECT_EQ(Status(buffer), 0u);
}

TEST_F(MixerTest, StopKeepsThePositionAndSetCurrentPositionMovesIt)
{
    const WaveFormat format = Pcm(2, 22050, 16);
    IDirectSoundBuffer* buffer = Loaded(format, Tone(format, 22050, 1000.0, 1000));
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    audio.Render(1000);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    uint32_t play = 0;
    ASSERT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_EQ(play, 4000u);
    EXPECT_EQ(audio.Render(100), std::vector<int16_t>(200, 0));
    ASSERT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_EQ(play, 4000u);

    // A position inside a frame goes back to the frame's start.
    ASSERT_EQ(buffer->SetCurrentPosition(1003), DS_OK);
    ASSERT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_EQ(play, 1000u);
    EXPECT_EQ(buffer->SetCurrentPosition(22050 * 4), DSERR_INVALIDPARAM);
}

TEST_F(MixerTest, SetCurrentPositionRefusesThePartialFrameAtTheEnd)
{
    // Seven bytes of 16-bit stereo: one whole frame and three loose bytes.
    const WaveFormat format = Pcm(2, 22050, 16);
    IDirectSoundBuffer* buffer = Loaded(format, std::vector<uint8_t>(7, 0x10));
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->SetCurrentPosition(3), DS_OK);
    EXPECT_EQ(buffer->SetCurrentPosition(4), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetCurrentPosition(6), DSERR_INVALIDPARAM);
    uint32_t play = 99;
    ASSERT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_EQ(play, 0u);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    audio.Render(4);
    EXPECT_EQ(Status(buffer), 0u);
}

TEST_F(MixerTest, SumIsClippedToSixteenBits)
{
    const WaveFormat format = Pcm(2, 22050, 16);
    const auto loud = MakePcm(format, 100, [](uint32_t, uint16_t channel) {
        return channel == 0 ? 30000.0 : -30000.0;
    });
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(Loaded(format, loud)->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    const auto output = audio.Render(50);
    EXPECT_EQ(Channel(output, 0), std::vector<double>(50, 32767.0));
    EXPECT_EQ(Channel(output, 1), std::vector<double>(50, -32768.0));
}

TEST_F(MixerTest, ManualClockMixesTheFramesOfTheElapsedTime)
{
    const WaveFormat format = Pcm(1, 22050, 16);
    IDirectSoundBuffer* buffer = Create(format, 4 * 22050);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    size_t samples = 0;
    for (int i = 0; i < 1000; ++i)
        samples += audio.Advance(1).size();
    EXPECT_EQ(samples, 2u * 22050u);
    uint32_t play = 0;
    ASSERT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
    EXPECT_EQ(play, 2u * 22050u);
}

TEST_F(MixerTest, MonoOutputAveragesStereoSources)
{
    const WaveFormat mono = Pcm(1, 11025, 16);
    ASSERT_EQ(primary->SetFormat(&mono), DS_OK);
    EXPECT_EQ(audio.OutputRate(), 11025u);
    const WaveFormat format = Pcm(2, 11025, 16);
    IDirectSoundBuffer* buffer = Loaded(format, MakePcm(format, 100, [](uint32_t, uint16_t c) {
        return c == 0 ? 10000.0 : 2000.0;
    }));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(audio.Render(10), std::vector<int16_t>(10, 6000));
}

} // namespace
} // namespace AudioTest
