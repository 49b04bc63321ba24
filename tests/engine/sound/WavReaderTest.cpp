#include <gtest/gtest.h>

#include "engine/sound/SoundFileReaderWAV.h"
#include "SoundFileFixture.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using WavReaderTest = SoundFileTest;

// 8-bit samples are unsigned bytes, 16-bit ones signed little-endian words.
Bytes Pcm(int bits, int channels, size_t frames) {
    const std::vector<int16_t> samples = GeneratedSamples(frames, channels, 22050);
    if (bits == 16) {
        return LittleEndianBytes(samples);
    }
    Bytes bytes;
    for (int16_t sample : samples) {
        bytes.push_back(static_cast<uint8_t>((sample >> 8) + 128));
    }
    return bytes;
}

TEST_F(WavReaderTest, DecodesEveryFormatWhateverTheChunkOrder) {
    struct Layout {
        const char* name;
        std::vector<Chunk> (*chunks)(const Chunk& format, const Chunk& data);
    };
    const Layout layouts[] = {
        {"plain", [](const Chunk& f, const Chunk& d) { return std::vector<Chunk>{f, d}; }},
        {"lists around", [](const Chunk& f, const Chunk& d) {
             return std::vector<Chunk>{OtherChunk("LIST", 26), f, OtherChunk("LIST", 10), d, OtherChunk("LIST", 4)};
         }},
        {"data first", [](const Chunk& f, const Chunk& d) { return std::vector<Chunk>{d, OtherChunk("fact", 4), f}; }},
        {"short fmt skipped", [](const Chunk& f, const Chunk& d) {
             return std::vector<Chunk>{OtherChunk("fmt ", 14), f, d};
         }},
        // Each followed by its pad byte.
        {"odd-sized chunks", [](const Chunk& f, const Chunk& d) {
             return std::vector<Chunk>{OtherChunk("LIST", 13), f, OtherChunk("note", 1), d};
         }},
    };
    for (int bits : {8, 16}) {
        for (int channels : {1, 2}) {
            for (const Layout& layout : layouts) {
                for (size_t extra : {0, 1, 2}) {
                    SCOPED_TRACE(::testing::Message() << bits << " bit, " << channels << " channels, "
                                                      << layout.name << ", fmt extra " << extra);
                    const Bytes pcm = Pcm(bits, channels, 3001);
                    const Chunk format = FormatChunk(static_cast<uint16_t>(channels), 11025,
                                                     static_cast<uint16_t>(bits), 1, extra);
                    WriteDataFile("audio\\tone.wav", Riff(layout.chunks(format, DataChunk(pcm))));

                    // Upper case: the name is lower-cased before the extension decides.
                    std::unique_ptr<SoundFileReader> reader = Open("audio\\TONE.WAV");
                    ASSERT_NE(dynamic_cast<SoundFileReaderWAV*>(reader.get()), nullptr);
                    EXPECT_EQ(reader->GetPath(), "data\\audio\\tone.wav");
                    EXPECT_EQ(reader->GetDataSize(), pcm.size());
                    EXPECT_EQ(reader->GetChannels(), static_cast<uint32_t>(channels));
                    EXPECT_EQ(reader->GetBitsPerSample(), static_cast<uint32_t>(bits));
                    EXPECT_EQ(reader->GetSampleRate(), 11025u);
                    uint32_t got = 1;
                    bool end = false;
                    reader->Read(nullptr, 0, &got, &end);
                    EXPECT_EQ(got, 0u);
                    EXPECT_TRUE(end);
                    EXPECT_EQ(ReadAll(*reader, 1000), pcm);
                    reader->Rewind();
                    EXPECT_EQ(ReadAll(*reader, 4096), pcm);
                    EXPECT_TRUE(LoggedErrors().empty());
                }
            }
        }
    }
}

TEST_F(WavReaderTest, EndsWhereTheFileEndsWhateverTheDataSizeClaims) {
    const Bytes pcm = Pcm(16, 1, 100);
    struct Case {
        const char* name;
        Bytes file;
        Bytes expected;
    };
    const Case cases[] = {
        {"1000 bytes missing", Riff({FormatChunk(1, 22050, 16), DataChunk(pcm, 200 + 1000)}), pcm},
        // Seeking to a position past the last byte must not land on the last
        // byte of the header and play it.
        {"header ends the file", Riff({FormatChunk(1, 22050, 16), DataChunk({}, 200)}), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteDataFile("cut.wav", c.file);
        std::unique_ptr<SoundFileReader> reader = Open("cut.wav");
        ASSERT_NE(dynamic_cast<SoundFileReaderWAV*>(reader.get()), nullptr);
        for (int pass = 0; pass < 2; ++pass) {
            Bytes buffer(4096);
            uint32_t got = 1;
            bool end = false;
            reader->Read(buffer.data(), 4096, &got, &end);
            EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + got), c.expected);
            EXPECT_TRUE(end);
            reader->Read(buffer.data(), 4096, &got, &end);
            EXPECT_EQ(got, 0u);
            EXPECT_TRUE(end);
            reader->Rewind();
        }
    }
}

} // namespace
} // namespace ZorvaneEngine::SoundTest
