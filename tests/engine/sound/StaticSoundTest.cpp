// Static sounds through the whole chain: file, buffer, device and mixer.
// Checks the played output for level, pitch and length, restarting,
// switching looping while playing, and sharing one file's samples.
#include "SoundFixture.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using namespace Platform;

class StaticSoundTest : public SoundFixture {};

std::vector<double> Left(const Frames& out) {
    std::vector<double> left;
    for (size_t i = 0; i < out.size(); i += 2)
        left.push_back(out[i]);
    return left;
}

struct ToneCase {
    float volume;
    float tempo;
    double gain;  // 10^(hundredths / 2000) of the device volume expected
};

TEST_F(StaticSoundTest, ToneLevelPitchAndLengthFollowVolumeAndTempo) {
    constexpr uint32_t rate = 22050;
    constexpr size_t frames = rate / 2;
    constexpr double hertz = 441.0;
    constexpr double amplitude = 16000.0;
    WriteDataFile("tone.wav", Wav(Sine(frames, rate, hertz, amplitude), 1, rate));
    Open();

    const ToneCase cases[] = {
        {1.0f, 1.0f, 1.0},
        {0.5f, 1.0f, std::pow(10.0, -693 / 2000.0)},
        {0.25f, 1.5f, std::pow(10.0, -1386 / 2000.0)},
        {1.0f, 0.5f, 1.0},
        {0.00001f, 1.0f, 0.0},
    };
    for (const ToneCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << " tempo " << c.tempo);
        Sound* sound = manager->CreateSound("Tone.WAV");
        sound->SetVolume(c.volume);
        sound->SetTempo(c.tempo);
        manager->Play(sound, false);
        const Frames out = Frame(2500);
        manager->Update(true);
        EXPECT_EQ(sound->GetState(), SoundState::Stopped);

        const std::vector<double> left = Left(out);
        for (size_t i = 0; i < out.size(); i += 2)
            ASSERT_EQ(out[i], out[i + 1]) << "mono plays on both sides";
        if (c.gain == 0.0) {
            EXPECT_EQ(Rms(left), 0.0);
        } else {
            size_t length = left.size();
            while (length > 0 && left[length - 1] == 0.0)
                --length;
            EXPECT_NEAR(static_cast<double>(length), frames / c.tempo, 3.0);
            const std::vector<double> played(left.begin(), left.begin() + static_cast<long>(length));
            EXPECT_NEAR(Rms(played), amplitude / std::sqrt(2.0) * c.gain, 0.01 * amplitude * c.gain);
            EXPECT_NEAR(Pitch(played, rate), hertz * c.tempo, 0.01 * hertz * c.tempo);
        }
        manager->DeleteSound(sound);
    }
    EXPECT_TRUE(Messages(2).empty());
}

// The output from the given frame of the samples, wrapping when looping.
Frames Expected(const Frames& all, size_t fromFrame, size_t count, bool looping) {
    Frames out;
    const size_t total = all.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        size_t frame = fromFrame + i;
        if (looping)
            frame %= total;
        out.push_back(frame < total ? all[2 * frame] : 0);
        out.push_back(frame < total ? all[2 * frame + 1] : 0);
    }
    return out;
}

TEST_F(StaticSoundTest, PlayRestartsAndLoopingSwitchesWithoutRestart) {
    constexpr uint32_t rate = 22050;
    const std::vector<int16_t> samples = GeneratedSamples(rate / 2, 1, rate);
    const Frames file = AsOutput(samples, 1);
    WriteDataFile("click.wav", Wav(samples, 1, rate));
    Open();
    Sound* sound = manager->CreateSound("click.wav");

    manager->Play(sound, false);
    EXPECT_EQ(Frame(200), Expected(file, 0, 4410, false));
    manager->Play(sound, false);
    EXPECT_EQ(Frame(100), Expected(file, 0, 2205, false)) << "playing again starts over";

    audio.ClearCalls();
    sound->SetLooping(true);
    EXPECT_TRUE(audio.CallsOf("Stop").empty());
    EXPECT_TRUE(audio.CallsOf("SetCurrentPosition").empty());
    ASSERT_EQ(audio.CallsOf("Play").size(), 1u);
    EXPECT_EQ(audio.CallsOf("Play")[0].args[2], double(DSBPLAY_LOOPING));
    EXPECT_EQ(Frame(1000), Expected(file, 2205, 22050, true)) << "goes on and loops";

    sound->SetLooping(false);
    EXPECT_EQ(Frame(1000), Expected(file, 2205, 22050, false)) << "ends at the end";
    EXPECT_EQ(sound->GetState(), SoundState::Playing);
    manager->Update(true);
    EXPECT_EQ(sound->GetState(), SoundState::Stopped);
}

TEST_F(StaticSoundTest, SoundsOfOneFileShareStaticSamplesButNotStreams) {
    constexpr uint32_t rate = 22050;
    const std::vector<int16_t> shortSamples = GeneratedSamples(rate / 4, 1, rate);
    WriteDataFile("short.wav", Wav(shortSamples, 1, rate));
    // 12 s of 16-bit stereo: more than 1 MiB, so it streams.
    WriteDataFile("long.wav", Wav(GeneratedSamples(12 * rate, 2, rate), 2, rate));
    Open();

    Sound* first = manager->CreateSound("short.wav");
    Sound* second = manager->CreateSound("SHORT.wav");
    Sound* streamA = manager->CreateSound("long.wav");
    Sound* streamB = manager->CreateSound("long.wav");

    const std::vector<AudioCall> created = audio.CallsOf("CreateSoundBuffer");
    ASSERT_EQ(created.size(), 3u);
    const uint32_t controls = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLVOLUME;
    EXPECT_EQ(created[0].args, (std::vector<double>{controls | DSBCAPS_STATIC,
                                                    double(shortSamples.size() * 2), 1, rate, 16}));
    EXPECT_EQ(created[1].args, (std::vector<double>{controls, SoundBuffer::StreamSize, 2, rate, 16}));
    EXPECT_EQ(created[2].args, created[1].args);
    EXPECT_EQ(audio.CallsOf("DuplicateSoundBuffer").size(), 1u);
    EXPECT_FALSE(BufferOf(first)->streaming);
    EXPECT_TRUE(BufferOf(streamA)->streaming);
    EXPECT_NE(BufferOf(streamA)->reader, BufferOf(streamB)->reader);

    // The duplicate keeps the samples when the original goes.
    manager->DeleteSound(first);
    manager->Play(second, true);
    EXPECT_EQ(Frame(300), Expected(AsOutput(shortSamples, 1), 0, 6615, false));
    EXPECT_TRUE(Messages(2).empty());
}

}  // namespace
}  // namespace ZorvaneEngine::SoundTest
