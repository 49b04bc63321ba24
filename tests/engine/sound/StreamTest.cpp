// Streamed sounds: an Ogg Vorbis file longer than the 1 MiB ring, played
// through the scripted device while the clock and the device advance
// together by uneven frame steps. What the device plays must be the decoded
// file, sample for sample: a chunk refilled too early, too late or twice
// shows as a skipped or repeated piece.
#include "SoundFixture.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using namespace Platform;

constexpr uint32_t kRate = 22050;
constexpr size_t kFileFrames = 14 * kRate;  // 1,234,800 bytes of stereo PCM

// The decoded file as stereo output frames.
class StreamTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        if (HasFatalFailure())
            return;
        std::vector<uint8_t> ogg;
        ASSERT_TRUE(Tools::EncodeOggVorbis(GeneratedSamples(kFileFrames, 2, kRate), 2, kRate, 0.1f, ogg));
        WriteDataFile("music.ogg", ogg);
        auto reader = OpenSoundFileReader("music.ogg", files.get(), &log);
        ASSERT_GT(reader->GetDataSize(), SoundBuffer::StreamSize);
        const Bytes bytes = ReadAll(*reader, 0x8000);
        ASSERT_EQ(bytes.size(), reader->GetDataSize());
        decoded.resize(bytes.size() / 2);
        for (size_t i = 0; i < decoded.size(); ++i)
            decoded[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        Open();
    }

    // The frames of the file from a position on; past the end they wrap
    // when looping, else they are silence.
    void AppendFile(Frames& out, size_t& position, size_t frames, bool looping) const {
        const size_t total = decoded.size() / 2;
        for (size_t i = 0; i < frames; ++i, ++position) {
            const size_t frame = looping ? position % total : position;
            out.push_back(frame < total ? decoded[2 * frame] : 0);
            out.push_back(frame < total ? decoded[2 * frame + 1] : 0);
        }
    }

    Frames decoded;
};

// Where two outputs first differ, in milliseconds, or -1.
double FirstDifference(const Frames& actual, const Frames& expected) {
    const size_t n = std::min(actual.size(), expected.size());
    for (size_t i = 0; i < n; ++i) {
        if (actual[i] != expected[i])
            return static_cast<double>(i / 2) * 1000.0 / kRate;
    }
    return actual.size() == expected.size() ? -1.0 : static_cast<double>(n / 2) * 1000.0 / kRate;
}

TEST_F(StreamTest, LoopingStreamPlaysEverySampleOnceAcrossRefillsLoopAndPause) {
    Sound* music = manager->CreateSound("music.ogg");
    ASSERT_TRUE(BufferOf(music)->streaming);
    music->SetLooping(true);
    manager->Play(music, false);

    // A first frame longer than a chunk, then uneven steps each followed by
    // an update within the same millisecond, over 50 s: four laps of the
    // ring, three of the file.
    const uint32_t steps[] = {16, 0, 17, 0, 33, 0, 7, 0, 100, 0, 1, 0, 250, 0};
    Frames actual;
    Frames expected;
    size_t position = 0;
    bool playing = true;
    AppendFile(expected, position, 0, true);
    actual = Frame(400);
    AppendFile(expected, position, actual.size() / 2, true);
    for (size_t frame = 0; position < 50 * kRate; ++frame) {
        if (frame == 1200) {
            manager->commandQueue.push_back({SoundCommand::Pause, music});
            playing = false;
        } else if (frame == 1300) {
            manager->Play(music, false);
            playing = true;
        }
        const Frames out = Frame(steps[frame % std::size(steps)]);
        actual.insert(actual.end(), out.begin(), out.end());
        if (playing)
            AppendFile(expected, position, out.size() / 2, true);
        else
            expected.insert(expected.end(), out.size(), 0);
        ASSERT_EQ(music->GetState(), playing ? SoundState::Playing : SoundState::Paused);
    }
    EXPECT_EQ(FirstDifference(actual, expected), -1.0) << "first difference at that many ms";
    EXPECT_TRUE(Messages(2).empty());
}

TEST_F(StreamTest, StreamEndsAfterItsDataAndAPlayRightAfterStartsOver) {
    Sound* music = manager->CreateSound("music.ogg");
    SoundBuffer_DS7* buffer = BufferOf(music);
    manager->Play(music, false);

    Frames actual;
    for (int frame = 0; frame < 2000 && !buffer->finished; ++frame) {
        const Frames out = Frame(20);
        actual.insert(actual.end(), out.begin(), out.end());
    }
    ASSERT_TRUE(buffer->finished);
    // The data, then silence until the device stopped: a chunk past the end.
    Frames expected;
    size_t position = 0;
    AppendFile(expected, position, actual.size() / 2, false);
    EXPECT_EQ(FirstDifference(actual, expected), -1.0);
    EXPECT_GT(buffer->playedTotal, uint64_t{buffer->dataSize} + SoundBuffer::ChunkSize);
    EXPECT_LE(buffer->playedTotal, uint64_t{buffer->dataSize} + SoundBuffer::ChunkSize + 20 * 88200 / 1000);

    // The sound has not yet seen the stop when the queued play runs.
    EXPECT_EQ(music->GetState(), SoundState::Playing);
    manager->Play(music, false);
    actual.clear();
    for (int frame = 0; frame < 100; ++frame) {
        const Frames out = Frame(20);
        actual.insert(actual.end(), out.begin(), out.end());
    }
    expected.clear();
    position = 0;
    AppendFile(expected, position, actual.size() / 2, false);
    EXPECT_EQ(FirstDifference(actual, expected), -1.0);
    EXPECT_EQ(music->GetState(), SoundState::Playing);
}

TEST_F(StreamTest, PausingAStreamThatNeverPlayedStillStartsItFromTheTop) {
    Sound* music = manager->CreateSound("music.ogg");
    manager->commandQueue.push_back({SoundCommand::Pause, music});
    manager->Play(music, false);
    const Frames actual = Frame(500);
    Frames expected;
    size_t position = 0;
    AppendFile(expected, position, actual.size() / 2, false);
    EXPECT_EQ(FirstDifference(actual, expected), -1.0);
}

TEST_F(StreamTest, AStreamClaimingNearly4GiBIsNotCutShort) {
    // One second of samples under a size field that would overflow 32 bits
    // once the end margin is added to it.
    const std::vector<int16_t> samples = GeneratedSamples(kRate, 2, kRate);
    WriteDataFile("huge.wav", Riff({FormatChunk(2, kRate, 16), DataChunk(LittleEndianBytes(samples), 0xFFFFFFF0u)}));
    Sound* sound = manager->CreateSound("huge.wav");
    ASSERT_TRUE(BufferOf(sound)->streaming);
    manager->Play(sound, false);
    Frames actual;
    for (int frame = 0; frame < 100; ++frame) {
        const Frames out = Frame(20);
        actual.insert(actual.end(), out.begin(), out.end());
    }
    Frames expected = samples;
    expected.resize(actual.size(), 0);
    EXPECT_EQ(FirstDifference(actual, expected), -1.0);
    EXPECT_EQ(sound->GetState(), SoundState::Playing);
}

TEST_F(StreamTest, LostBuffersAreRestoredAndRefilled) {
    WriteDataFile("beep.wav", Wav(Sine(kRate / 10, kRate, 441.0, 8000.0), 1, kRate));
    Sound* beep = manager->CreateSound("beep.wav");
    Sound* music = manager->CreateSound("music.ogg");
    manager->Play(music, false);
    Frame(3000);

    audio.LoseBuffers();
    audio.ClearCalls();
    system->Refresh();
    EXPECT_EQ(audio.CallsOf("Restore").size(), 1u) << "the primary buffer";

    // The static buffer is written again; the playing stream starts over.
    Frames actual = Frame(1000);
    const std::vector<AudioCall> locks = audio.CallsOf("Lock");
    ASSERT_EQ(locks.size(), 1u + SoundBuffer::ChunkCount);
    EXPECT_EQ(locks[0].object, audio.Inspect(BufferOf(beep)->GetDeviceBuffer()).id);
    EXPECT_EQ(locks[0].args[1], kRate / 10 * 2);
    Frames expected;
    size_t position = 0;
    AppendFile(expected, position, actual.size() / 2, false);
    EXPECT_EQ(FirstDifference(actual, expected), -1.0);
    EXPECT_EQ(music->GetState(), SoundState::Playing);
    EXPECT_EQ(beep->GetState(), SoundState::Stopped);
}

}  // namespace
}  // namespace ZorvaneEngine::SoundTest
