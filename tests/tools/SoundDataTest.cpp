// The built sound data, read back through the engine's own readers: every
// file the game registers is there in its format, with headroom but not
// silent; one-shots start and end without a click; loops and tunes wrap
// round without a step; tunes last whole bars and stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "platform/system/TemporaryFolder.h"

namespace {

using ZorvaneEngine::FileManager;
using ZorvaneEngine::MessageManager;
using ZorvaneEngine::SoundFileReader;

const std::string StageFolder = TANGROVE_BINARY_DIR "/data_stage";
const std::string SynthProgram = TANGROVE_BINARY_DIR "/tools/synth";

// -3 dBFS and -20 dBFS in 16-bit steps.
constexpr int MaxPeak = 23197;
constexpr int MinPeak = 3277;

struct Effect {
    const char* name;  // below data\audio, without extension
    double seconds;
    bool loop;
};

const Effect Effects[] = {
    {"menu\\button_select_0", 0.04, false},   {"menu\\button_select_1", 0.04, false},
    {"menu\\button_click", 0.06, false},      {"menu\\edit_box_print", 0.03, false},
    {"menu\\volume_slider", 1.0, true},       {"menu\\upgrade", 2.5, false},
    {"menu\\window_appear", 0.4, false},      {"menu\\window_disappear", 0.35, false},
    {"menu\\charge_score", 0.5, true},        {"game\\level_begin", 1.0, false},
    {"game\\level_complete", 1.5, false},     {"game\\level_failed", 1.5, false},
    {"game\\element_get", 0.15, false},       {"game\\element_put_0", 0.3, false},
    {"game\\element_put_1", 0.3, false},      {"game\\element_put_2", 0.3, false},
    {"game\\element_put_3", 0.3, false},      {"game\\element_put_4", 0.3, false},
    {"game\\element_put_bad", 0.2, false},    {"game\\element_cancel", 0.2, false},
    {"game\\bonus_tip", 1.0, true},           {"game\\bonus_magnet", 1.0, true},
    {"game\\bonus_tip_apply", 0.6, false},    {"game\\bonus_magnet_apply", 0.6, false},
    {"game\\bonus_pause_apply", 0.7, false},  {"game\\bonus_rollback_apply", 0.7, false},
    {"game\\path_introduction", 1.0, true},   {"game\\path_introduction_end", 0.4, false},
    {"game\\path_begin", 1.0, true},          {"game\\path_end", 1.0, true},
    {"game\\path_warning", 0.2, false},       {"game\\charge_path_score", 0.5, true},
    {"game\\totem_flip", 0.2, false},         {"game\\totem_complete", 1.5, false},
};

struct Tune {
    const char* name;
    double bpm;
};

const Tune Tunes[] = {{"music\\menu", 80.0}, {"music\\game0", 100.0}, {"music\\game1", 110.0}};

struct Decoded {
    uint32_t channels = 0;
    uint32_t rate = 0;
    uint32_t bits = 0;
    uint32_t dataSize = 0;
    std::vector<int16_t> samples;  // interleaved

    size_t Frames() const { return channels == 0 ? 0 : samples.size() / channels; }
    int16_t At(size_t frame, uint32_t channel) const { return samples[frame * channels + channel]; }
};

Decoded Drain(SoundFileReader& reader) {
    Decoded d;
    d.channels = reader.GetChannels();
    d.rate = reader.GetSampleRate();
    d.bits = reader.GetBitsPerSample();
    d.dataSize = reader.GetDataSize();
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> piece(0x8000);
    for (bool end = false; !end;) {
        uint32_t got = 0;
        reader.Read(piece.data(), static_cast<uint32_t>(piece.size()), &got, &end);
        bytes.insert(bytes.end(), piece.begin(), piece.begin() + got);
        if (got == 0 && !end) {
            ADD_FAILURE() << reader.GetPath() << ": a read gave nothing without the end";
            break;
        }
    }
    d.samples.resize(bytes.size() / 2);
    for (size_t i = 0; i < d.samples.size(); ++i) {
        d.samples[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return d;
}

int Peak(const Decoded& d, size_t first, size_t last) {
    int peak = 0;
    for (size_t f = first; f < last && f < d.Frames(); ++f) {
        for (uint32_t c = 0; c < d.channels; ++c) {
            peak = std::max(peak, std::abs(static_cast<int>(d.At(f, c))));
        }
    }
    return peak;
}

// The seam from the last sample to the first, against the waveform within 5
// ms on either side of it: a loop that does not end where it starts jumps
// further than its own waveform moves (the step between neighbours), and one
// that ends on the wrong slope bends more sharply than it ever does (the
// change of that step).
void ExpectSeamless(const Decoded& d, const std::string& name) {
    const size_t n = d.Frames();
    const long span = static_cast<long>(d.rate / 200);
    ASSERT_GT(n, static_cast<size_t>(4 * span)) << name;
    for (uint32_t c = 0; c < d.channels; ++c) {
        // The sample i frames after the seam (negative: before it).
        auto x = [&](long i) { return static_cast<int>(d.At(static_cast<size_t>((i + static_cast<long>(n)) % static_cast<long>(n)), c)); };
        auto step = [&](long i) { return std::abs(x(i) - x(i - 1)); };
        auto bend = [&](long i) { return std::abs(x(i + 1) - 2 * x(i) + x(i - 1)); };
        int step0 = 0;
        int bend0 = 0;
        for (long i = 2; i <= span; ++i) {
            step0 = std::max({step0, step(i), step(-i + 1)});
            bend0 = std::max({bend0, bend(i), bend(-i)});
        }
        EXPECT_LE(step(0), step0 * 5 / 4 + 4) << name << " channel " << c << ": a step at the loop point";
        EXPECT_LE(std::max(bend(0), bend(-1)), bend0 * 5 / 4 + 4)
            << name << " channel " << c << ": a kink at the loop point";
    }
}

class SoundDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::is_directory(StageFolder + "/data/audio"))
            << "build the data set first (target tangrove_data)";
        files = std::make_unique<FileManager>("data", &log, StageFolder);
    }

    Decoded ReadWave(const std::string& name) {
        ZorvaneEngine::SoundFileReaderWAV reader("audio\\" + name + ".wav", files.get(), &log);
        return Drain(reader);
    }

    Decoded ReadOgg(const std::string& name) {
        ZorvaneEngine::SoundFileReaderOGG reader("audio\\" + name + ".ogg", files.get(), &log);
        return Drain(reader);
    }

    MessageManager log{"", "test", "Test", false, false};
    std::unique_ptr<FileManager> files;
};

TEST_F(SoundDataTest, TheAudioFolderHoldsExactlyTheRegisteredFiles) {
    std::set<std::string> expected;
    for (const Effect& e : Effects) {
        expected.insert(std::string(e.name) + ".wav");
    }
    for (const Tune& t : Tunes) {
        expected.insert(std::string(t.name) + ".ogg");
    }
    std::set<std::string> found;
    const std::filesystem::path root = StageFolder + "/data/audio";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::string name = entry.path().lexically_relative(root).string();
            std::replace(name.begin(), name.end(), '/', '\\');
            found.insert(name);
        }
    }
    EXPECT_EQ(found, expected);
}

TEST_F(SoundDataTest, EffectsAreShortMonoClipsWithHeadroom) {
    for (const Effect& e : Effects) {
        SCOPED_TRACE(e.name);
        const Decoded d = ReadWave(e.name);
        EXPECT_EQ(d.channels, 1u);
        EXPECT_EQ(d.bits, 16u);
        EXPECT_EQ(d.rate, 22050u);
        EXPECT_EQ(d.dataSize, d.samples.size() * 2);
        EXPECT_NEAR(static_cast<double>(d.Frames()) / d.rate, e.seconds, 0.005);
        const int peak = Peak(d, 0, d.Frames());
        EXPECT_LE(peak, MaxPeak);
        EXPECT_GE(peak, MinPeak);
    }
}

TEST_F(SoundDataTest, OneShotsRampUpAndFadeToSilence) {
    for (const Effect& e : Effects) {
        if (e.loop) {
            continue;
        }
        SCOPED_TRACE(e.name);
        const Decoded d = ReadWave(e.name);
        ASSERT_GT(d.Frames(), d.rate / 100);
        const int peak = Peak(d, 0, d.Frames());
        // The first and last samples sit at silence, the first half
        // millisecond is still rising and the last millisecond has died away.
        EXPECT_LE(std::abs(d.At(0, 0)), 64);
        EXPECT_LE(std::abs(d.At(d.Frames() - 1, 0)), 64);
        EXPECT_LE(Peak(d, 0, d.rate / 2000), peak * 3 / 10);
        EXPECT_LE(Peak(d, d.Frames() - d.rate / 1000, d.Frames()), peak / 10);
    }
}

TEST_F(SoundDataTest, LoopedEffectsRepeatWithoutASeam) {
    for (const Effect& e : Effects) {
        if (e.loop) {
            ExpectSeamless(ReadWave(e.name), e.name);
        }
    }
}

TEST_F(SoundDataTest, TunesAreStereoStreamsOfWholeBarsThatLoop) {
    for (const Tune& t : Tunes) {
        SCOPED_TRACE(t.name);
        const Decoded d = ReadOgg(t.name);
        EXPECT_EQ(d.channels, 2u);
        EXPECT_EQ(d.bits, 16u);
        EXPECT_EQ(d.rate, 44100u);
        EXPECT_EQ(d.dataSize, d.samples.size() * 2);
        // More than 1 MiB of samples: the game streams them.
        EXPECT_GT(d.dataSize, 0x100000u);
        const double seconds = static_cast<double>(d.Frames()) / d.rate;
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 90.0);
        // Four beats a bar; the rewind must fall on a bar line to the frame.
        const double framesPerBar = 4.0 * 60.0 / t.bpm * d.rate;
        const double bars = static_cast<double>(d.Frames()) / framesPerBar;
        EXPECT_LE(std::fabs(bars - std::round(bars)) * framesPerBar, 1.0) << bars << " bars";
        const int peak = Peak(d, 0, d.Frames());
        EXPECT_LE(peak, MaxPeak);
        EXPECT_GE(peak, MinPeak);
        ExpectSeamless(d, t.name);
    }
}

// The synthesiser seeds everything itself: a second run gives the same bytes.
TEST_F(SoundDataTest, EffectsComeOutTheSameOnEveryRun) {
    TestSupport::TemporaryFolder folder;
    const std::string command = "'" + SynthProgram + "' '" + folder.Path() + "' effects > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const Effect& e : Effects) {
        std::string relative = e.name;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        relative = "audio/" + relative + ".wav";
        EXPECT_EQ(TestSupport::ReadWholeFile(folder / relative), TestSupport::ReadWholeFile(StageFolder + "/data/" + relative))
            << e.name;
    }
}

} // namespace
