#pragma once
// Sound files for the reader tests: a fresh installation folder whose "data"
// folder receives the files, a log kept in memory, RIFF/WAVE builders and
// generated samples.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/sound/SoundFileReader.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"

namespace ZorvaneEngine::SoundTest {

using Bytes = std::vector<uint8_t>;

struct Chunk {
    std::string id;
    Bytes body;
    // The size field when it must lie about the body.
    std::optional<uint32_t> size;
};

inline Chunk FormatChunk(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1, size_t extra = 0) {
    Tools::BinaryWriter w;
    w.U16(tag);
    w.U16(channels);
    w.U32(rate);
    w.U32(rate * channels * bits / 8);
    w.U16(static_cast<uint16_t>(channels * bits / 8));
    w.U16(bits);
    w.Data().resize(w.Size() + extra, 0xEE);
    return {"fmt ", w.Data(), std::nullopt};
}

inline Chunk DataChunk(const Bytes& pcm, std::optional<uint32_t> size = std::nullopt) {
    return {"data", pcm, size};
}

// Filler bytes that must never show up as samples.
inline Chunk OtherChunk(const std::string& id, size_t length, std::optional<uint32_t> size = std::nullopt) {
    return {id, Bytes(length, 0xA5), size};
}

inline Bytes Riff(const std::vector<Chunk>& chunks, const char* tag = "RIFF", const char* form = "WAVE",
                  std::optional<uint32_t> riffSize = std::nullopt) {
    Tools::BinaryWriter w;
    w.Chars(tag);
    w.U32(0);
    w.Chars(form);
    for (const Chunk& chunk : chunks) {
        w.Chars(chunk.id);
        w.U32(chunk.size.value_or(static_cast<uint32_t>(chunk.body.size())));
        w.Bytes(chunk.body.data(), chunk.body.size());
        // Every common writer pads a chunk to an even length.
        if (chunk.body.size() % 2 != 0) {
            w.U8(0);
        }
    }
    w.PatchU32(4, riffSize.value_or(static_cast<uint32_t>(w.Size() - 8)));
    return w.Data();
}

// A tone sweeping upwards with a little noise, different on each channel, so
// that a swapped, shifted or dropped sample shows.
inline std::vector<int16_t> GeneratedSamples(size_t frames, int channels, long rate) {
    std::vector<int16_t> samples(frames * static_cast<size_t>(channels));
    uint32_t noise = 12345;
    double phase = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        phase += 2.0 * 3.14159265358979 * (220.0 + 880.0 * static_cast<double>(i) / static_cast<double>(frames)) /
                 static_cast<double>(rate);
        for (int c = 0; c < channels; ++c) {
            noise = noise * 1103515245u + 12345u;
            const double tone = std::sin(phase * (c + 1)) * 12000.0;
            samples[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
                static_cast<int16_t>(tone + static_cast<double>((noise >> 16) % 2001) - 1000.0);
        }
    }
    return samples;
}

inline Bytes LittleEndianBytes(const std::vector<int16_t>& samples) {
    Bytes bytes;
    bytes.reserve(samples.size() * 2);
    for (int16_t sample : samples) {
        bytes.push_back(static_cast<uint8_t>(sample & 0xFF));
        bytes.push_back(static_cast<uint8_t>((static_cast<uint16_t>(sample) >> 8) & 0xFF));
    }
    return bytes;
}

// Reads until the reader reports the end, in pieces of the given size.
// Fails the test when a piece other than the last is short or the reader
// never ends.
inline Bytes ReadAll(SoundFileReader& reader, uint32_t piece) {
    Bytes all;
    Bytes buffer(piece);
    for (int turn = 0; turn < 1000000; ++turn) {
        uint32_t got = 0;
        bool end = false;
        reader.Read(buffer.data(), piece, &got, &end);
        EXPECT_LE(got, piece);
        all.insert(all.end(), buffer.begin(), buffer.begin() + got);
        if (end) {
            return all;
        }
        EXPECT_EQ(got, piece) << "short read without the end";
    }
    ADD_FAILURE() << "the reader never reported the end";
    return all;
}

class SoundFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(root.Path().empty());
        files = std::make_unique<FileManager>("data", &log, root.Path());
        log.ClearFrameMessages();
    }

    // Writes data\<name> below the installation folder ("\" separates).
    void WriteDataFile(const std::string& name, const Bytes& bytes) {
        std::string relative = name;
        for (char& c : relative) {
            if (c == '\\') {
                c = '/';
            }
        }
        TestSupport::WriteWholeFile(root / ("data/" + relative), std::string(bytes.begin(), bytes.end()));
    }

    std::unique_ptr<SoundFileReader> Open(const std::string& name) {
        return OpenSoundFileReader(name, files.get(), &log);
    }

    std::vector<std::string> LoggedErrors() const {
        std::vector<std::string> errors;
        for (const LogMessage& message : log.GetFrameMessages()) {
            if (message.level == 2) {
                errors.push_back(message.text);
            }
        }
        return errors;
    }

    TestSupport::TemporaryFolder root;
    MessageManager log{"", "test", "Test", false, false};
    std::unique_ptr<FileManager> files;
};

} // namespace ZorvaneEngine::SoundTest
