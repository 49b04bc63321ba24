#pragma once
// A sound system and sound manager over the scripted sound device, on the
// scripted clock, with sound files written below a fresh "data" folder. A
// frame runs the manager's update and then lets the given milliseconds pass
// on both the clock and the device, returning what the device played.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "SoundFileFixture.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/audio/scripted/ScriptedAudio.h"
#include "platform/system/scripted/ScriptedSystem.h"
#include "tools/common/OggVorbisWriter.h"

namespace ZorvaneEngine::SoundTest {

using Frames = std::vector<int16_t>;  // interleaved stereo output

// A mono or stereo 16-bit WAV file of the samples.
inline Bytes Wav(const std::vector<int16_t>& samples, uint16_t channels, uint32_t rate) {
    return Riff({FormatChunk(channels, rate, 16), DataChunk(LittleEndianBytes(samples))});
}

inline std::vector<int16_t> Sine(size_t frames, uint32_t rate, double hertz, double amplitude) {
    std::vector<int16_t> samples(frames);
    for (size_t i = 0; i < frames; ++i)
        samples[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2.0 * M_PI * hertz * i / rate)));
    return samples;
}

// Interleaved stereo frames of the file's samples as the 22050 Hz output
// plays them at their own rate and full volume: mono goes to both sides.
inline Frames AsOutput(const std::vector<int16_t>& samples, int channels) {
    if (channels == 2)
        return samples;
    Frames out;
    for (int16_t s : samples) {
        out.push_back(s);
        out.push_back(s);
    }
    return out;
}

inline double Rms(const std::vector<double>& samples) {
    double sum = 0.0;
    for (double s : samples)
        sum += s * s;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

// Upward zero crossings per second.
inline double Pitch(const std::vector<double>& samples, uint32_t rate) {
    int crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0.0 && samples[i] >= 0.0)
            ++crossings;
    }
    return samples.empty() ? 0.0 : crossings * static_cast<double>(rate) / static_cast<double>(samples.size());
}

class SoundFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(root.Path().empty());
        files = std::make_unique<FileManager>("data", &log, root.Path());
    }

    // Opens the sound system and the manager; calls recorded so far are
    // dropped, as are the log's messages.
    void Open(bool use3D = false) {
        system = std::make_unique<SoundSystem_DS7>(&log, files.get(), &timers, nullptr, nullptr, use3D);
        manager = std::make_unique<SoundManager>(&log, files.get(), system.get());
        audio.ClearCalls();
        log.ClearFrameMessages();
    }

    void TearDown() override {
        manager.reset();
        system.reset();
    }

    void WriteDataFile(const std::string& name, const Bytes& bytes) {
        TestSupport::WriteWholeFile(root / ("data/" + name), std::string(bytes.begin(), bytes.end()));
    }

    // The manager's update, then the milliseconds pass.
    Frames Frame(uint32_t milliseconds, bool runCommands = true) {
        manager->Update(runCommands);
        clock.Advance(milliseconds);
        return audio.Advance(milliseconds);
    }

    static SoundBuffer_DS7* BufferOf(Sound* sound) {
        return static_cast<SoundBuffer_DS7*>(sound->GetBuffer());
    }

    // The texts as the code passed them, without the log's decoration.
    static std::string Plain(const LogMessage& message) {
        std::string text = message.text;
        const std::string prefix = "\nError: ";
        const std::string suffix = "!\n\n";
        if (message.level == 2 && text.starts_with(prefix) && text.ends_with(suffix))
            return text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
        if (text.ends_with("\n"))
            text.pop_back();
        return text;
    }

    std::vector<std::string> Messages(int32_t level) const {
        std::vector<std::string> texts;
        for (const LogMessage& message : log.GetFrameMessages()) {
            if (message.level == level)
                texts.push_back(Plain(message));
        }
        return texts;
    }

    Platform::ScriptedSystem clock;
    Platform::ScopedSystem clockScope{clock};
    Platform::ScriptedAudio audio;
    TestSupport::TemporaryFolder root;
    MessageManager log{"", "test", "Test", false, false};
    std::unique_ptr<FileManager> files;
    TimerManager timers;
    std::unique_ptr<SoundSystem_DS7> system;
    std::unique_ptr<SoundManager> manager;
};

} // namespace ZorvaneEngine::SoundTest
