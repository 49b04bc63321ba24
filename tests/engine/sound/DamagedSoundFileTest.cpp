#include <gtest/gtest.h>

#include <cstring>

#include <ogg/ogg.h>

#include "engine/sound/SoundFileReaderEMP.h"
#include "tools/common/OggVorbisWriter.h"
#include "SoundFileFixture.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using DamagedSoundFileTest = SoundFileTest;

// The substitute: 8 bytes of 8-bit mono silence at 22050 Hz, again after a
// rewind, the end reported with the last byte.
void ExpectSilence(SoundFileReader& reader) {
    ASSERT_NE(dynamic_cast<SoundFileReaderEMP*>(&reader), nullptr);
    EXPECT_EQ(reader.GetDataSize(), 8u);
    EXPECT_EQ(reader.GetChannels(), 1u);
    EXPECT_EQ(reader.GetBitsPerSample(), 8u);
    EXPECT_EQ(reader.GetSampleRate(), 22050u);
    for (int pass = 0; pass < 2; ++pass) {
        Bytes buffer(32768, 0);
        uint32_t got = 1;
        bool end = false;
        reader.Read(buffer.data(), 0, &got, &end);
        EXPECT_EQ(got, 0u);
        EXPECT_TRUE(end) << "nothing asked, nothing given: the end";
        reader.Read(buffer.data(), 5, &got, &end);
        EXPECT_EQ(got, 5u);
        EXPECT_FALSE(end);
        reader.Read(buffer.data() + 5, 32768 - 5, &got, &end);
        EXPECT_EQ(got, 3u);
        EXPECT_TRUE(end);
        EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 8), Bytes(8, 0x80));
        reader.Rewind();
    }
}

Bytes EncodedOgg(int channels, size_t frames) {
    Bytes ogg;
    EXPECT_TRUE(Tools::EncodeOggVorbis(GeneratedSamples(frames, channels, 22050), channels, 22050, 0.3f, ogg));
    return ogg;
}

// The stream with its last page claiming another granule position (the
// sample count at the end of the page), checksum mended.
Bytes WithLastGranule(Bytes ogg, int64_t granule) {
    size_t at = ogg.size() - 4;
    while (at > 0 && std::memcmp(ogg.data() + at, "OggS", 4) != 0) {
        --at;
    }
    for (int i = 0; i < 8; ++i) {
        ogg[at + 6 + static_cast<size_t>(i)] = static_cast<uint8_t>(static_cast<uint64_t>(granule) >> (8 * i));
    }
    ogg_page page{};
    page.header = ogg.data() + at;
    page.header_len = 27 + ogg[at + 26];
    page.body = page.header + page.header_len;
    page.body_len = static_cast<long>(ogg.data() + ogg.size() - page.body);
    ogg_page_checksum_set(&page);
    return ogg;
}

TEST_F(DamagedSoundFileTest, DamagedFilesPlaySilenceAndLogOneError) {
    const Bytes pcm(64, 0x80);
    const Chunk format = FormatChunk(1, 22050, 8);
    const Bytes ogg = EncodedOgg(1, 22050);
    Bytes oggBadStart = ogg;
    oggBadStart[0] = 'X';
    // Checksums and all: only the channel count is out of range.
    const Bytes ogg3 = EncodedOgg(3, 2000);
    // 2^31 stereo frames are 8 GiB of samples: no 32-bit size holds them.
    const Bytes oggHuge = WithLastGranule(EncodedOgg(2, 22050), int64_t{1} << 31);

    struct Case {
        const char* name;
        const char* fileName;
        Bytes file;
        const char* error;
    };
    const std::string noRiff = R"(Failed to load "data\x.wav" sound file - no RIFF header)";
    const std::string noFormat = R"(Failed to load "data\x.wav" sound file - no format chunk)";
    const std::string noData = R"(Failed to load "data\x.wav" sound file - no data chunk)";
    const std::string badOgg = R"(Failed to load "data\x.ogg" sound file - incorrect format)";
    const Case cases[] = {
        {"RIFX tag", "x.wav", Riff({format, DataChunk(pcm)}, "RIFX"), noRiff.c_str()},
        {"RIFF size 0", "x.wav", Riff({format, DataChunk(pcm)}, "RIFF", "WAVE", 0), noRiff.c_str()},
        {"not WAVE", "x.wav", Riff({format, DataChunk(pcm)}, "RIFF", "AVI "), noRiff.c_str()},
        {"shorter than the header", "x.wav", Bytes{'R', 'I', 'F', 'F', 4, 0}, "Failed to read 4 bytes"},
        {"empty", "x.wav", Bytes{}, "Failed to read 4 bytes"},
        {"3 channels then data", "x.wav", Riff({FormatChunk(3, 22050, 8), DataChunk(pcm)}), noFormat.c_str()},
        {"no channels", "x.wav", Riff({FormatChunk(0, 22050, 8), DataChunk(pcm)}), noFormat.c_str()},
        {"rate 0", "x.wav", Riff({FormatChunk(1, 0, 8), DataChunk(pcm)}), noFormat.c_str()},
        {"float samples", "x.wav", Riff({FormatChunk(1, 22050, 32, 3), DataChunk(pcm)}), noFormat.c_str()},
        {"24 bits", "x.wav", Riff({FormatChunk(1, 22050, 24), DataChunk(pcm)}), noFormat.c_str()},
        {"no fmt", "x.wav", Riff({DataChunk(pcm)}), noFormat.c_str()},
        {"fmt cut short", "x.wav", [&] {
             Bytes b = Riff({format});
             b.erase(b.end() - 4, b.end());
             return b;
         }(),
         noFormat.c_str()},
        {"fmt longer than the file", "x.wav", Riff({{"fmt ", FormatChunk(1, 22050, 8).body, 0xFFFFFFF0u}}),
         noFormat.c_str()},
        // Sizes that wrap a 32-bit position back onto the same header: the
        // walk must fail, not spin.
        {"chunk size -8 before fmt", "x.wav", Riff({OtherChunk("LIST", 0, 0xFFFFFFF8u), format, DataChunk(pcm)}),
         noFormat.c_str()},
        {"chunk size 2^32-1 before fmt", "x.wav",
         Riff({OtherChunk("LIST", 0, 0xFFFFFFFFu), format, DataChunk(pcm)}), noFormat.c_str()},
        {"chunk size -8 before data", "x.wav", Riff({format, OtherChunk("LIST", 0, 0xFFFFFFF8u), DataChunk(pcm)}),
         noData.c_str()},
        {"no data", "x.wav", Riff({format, OtherChunk("LIST", 8)}), noData.c_str()},
        {"data header cut short", "x.wav", [&] {
             Bytes b = Riff({format});
             b.insert(b.end(), {'d', 'a', 't', 'a', 8});
             return b;
         }(),
         noData.c_str()},
        {"not Ogg", "x.ogg", Bytes(300, 0x11), badOgg.c_str()},
        {"Ogg capture pattern broken", "x.ogg", oggBadStart, badOgg.c_str()},
        {"Ogg headers cut short", "x.ogg", Bytes(ogg.begin(), ogg.begin() + 60), badOgg.c_str()},
        {"Ogg with 3 channels", "x.ogg", ogg3, badOgg.c_str()},
        {"empty Ogg", "x.ogg", Bytes{}, badOgg.c_str()},
        {"Ogg longer than 4 GiB of samples", "x.ogg", oggHuge, badOgg.c_str()},
        {"unknown type", "x.mp3", Riff({format, DataChunk(pcm)}),
         R"(Failed to load "x.mp3" sound file - unknown type)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.ClearFrameMessages();
        WriteDataFile(c.fileName, c.file);
        std::unique_ptr<SoundFileReader> reader = Open(c.fileName);
        ExpectSilence(*reader);
        const std::vector<std::string> errors = LoggedErrors();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(c.error), std::string::npos) << errors[0];
    }
}

TEST_F(DamagedSoundFileTest, MissingFileAndEmptyName) {
    ExpectSilence(*Open("audio\\missing.wav"));
    const std::vector<std::string> errors = LoggedErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Failed to open"), std::string::npos) << errors[0];

    log.ClearFrameMessages();
    std::unique_ptr<SoundFileReader> silent = Open("");
    ExpectSilence(*silent);
    EXPECT_TRUE(silent->GetName().empty());
    EXPECT_TRUE(silent->GetPath().empty());
    EXPECT_TRUE(LoggedErrors().empty());
}

} // namespace
} // namespace ZorvaneEngine::SoundTest
