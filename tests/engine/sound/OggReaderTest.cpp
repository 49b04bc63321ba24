#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "engine/core/FileBinary.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "tools/common/OggVorbisWriter.h"
#include "SoundFileFixture.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using OggReaderTest = SoundFileTest;

// vorbisfile straight over the bytes, with stdio's seek rules: what our
// reader must give for the same file.
struct MemoryStream {
    const Bytes* bytes;
    size_t position = 0;

    static size_t Read(void* destination, size_t size, size_t count, void* source) {
        auto* s = static_cast<MemoryStream*>(source);
        const size_t n = std::min(size * count, s->bytes->size() - std::min(s->position, s->bytes->size()));
        if (n > 0) {
            std::memcpy(destination, s->bytes->data() + s->position, n);
        }
        s->position += n;
        return n / size;
    }
    static int Seek(void* source, ogg_int64_t offset, int whence) {
        auto* s = static_cast<MemoryStream*>(source);
        const int64_t base = whence == SEEK_SET ? 0
                             : whence == SEEK_CUR ? static_cast<int64_t>(s->position)
                                                  : static_cast<int64_t>(s->bytes->size());
        s->position = static_cast<size_t>(base + offset);
        return 0;
    }
    static long Tell(void* source) {
        return static_cast<long>(static_cast<MemoryStream*>(source)->position);
    }
};

struct Reference {
    int64_t frames = -1;
    Bytes pcm;
};

Reference DecodeDirectly(const Bytes& ogg) {
    Reference result;
    MemoryStream stream{&ogg};
    OggVorbis_File vf;
    if (ov_open_callbacks(&stream, &vf, nullptr, 0, {MemoryStream::Read, MemoryStream::Seek, nullptr, MemoryStream::Tell}) <
        0) {
        return result;
    }
    result.frames = ov_pcm_total(&vf, -1);
    char buffer[4096];
    int section = 0;
    long got = 0;
    while ((got = ov_read(&vf, buffer, sizeof buffer, 0, 2, 1, &section)) != 0) {
        if (got > 0) {
            result.pcm.insert(result.pcm.end(), buffer, buffer + got);
        }
    }
    ov_clear(&vf);
    return result;
}

TEST_F(OggReaderTest, DecodesWhatVorbisfileDecodesFromTheSameBytes) {
    struct Case {
        int channels;
        long rate;
        size_t frames;
        // Trailing bytes that push the file past the whole-file limit, so
        // that it is read from disk piece by piece.
        size_t padding;
    };
    // A few seconds each; the frame counts end part-way into a page.
    for (const Case& c : {Case{2, 44100, 3 * 44100 + 1234, 0}, Case{1, 22050, 2 * 22050 + 77, 0},
                          Case{1, 22050, 22050, FileBinary::WholeFileLimit}}) {
        SCOPED_TRACE(::testing::Message() << c.channels << " channels at " << c.rate << ", padding " << c.padding);
        Bytes ogg;
        ASSERT_TRUE(Tools::EncodeOggVorbis(GeneratedSamples(c.frames, c.channels, c.rate), c.channels, c.rate,
                                           0.4f, ogg));
        ogg.resize(ogg.size() + c.padding, 0);
        const Reference reference = DecodeDirectly(ogg);
        ASSERT_EQ(reference.frames, static_cast<int64_t>(c.frames));
        const uint32_t frameBytes = static_cast<uint32_t>(c.channels) * 2;
        ASSERT_EQ(reference.pcm.size(), c.frames * frameBytes);
        WriteDataFile("audio\\music\\track.ogg", ogg);

        std::unique_ptr<SoundFileReader> reader = Open("audio\\music\\Track.OGG");
        ASSERT_NE(dynamic_cast<SoundFileReaderOGG*>(reader.get()), nullptr);
        EXPECT_TRUE(LoggedErrors().empty());
        EXPECT_EQ(reader->GetChannels(), static_cast<uint32_t>(c.channels));
        EXPECT_EQ(reader->GetSampleRate(), static_cast<uint32_t>(c.rate));
        EXPECT_EQ(reader->GetBitsPerSample(), 16u);
        // The whole stream, its last page included.
        EXPECT_EQ(reader->GetDataSize(), c.frames * frameBytes);

        uint32_t got = 1;
        bool end = false;
        reader->Read(nullptr, 0, &got, &end);
        EXPECT_EQ(got, 0u);
        EXPECT_TRUE(end);
        EXPECT_EQ(ReadAll(*reader, 0x8000), reference.pcm);
        reader->Rewind();
        EXPECT_EQ(ReadAll(*reader, 0x8000), reference.pcm);

        // A rewind from the middle starts over at the first sample.
        reader->Rewind();
        Bytes head(10000 * frameBytes);
        end = true;
        reader->Read(head.data(), static_cast<uint32_t>(head.size()), &got, &end);
        EXPECT_EQ(got, head.size());
        EXPECT_FALSE(end);
        reader->Rewind();
        EXPECT_EQ(ReadAll(*reader, 4000), reference.pcm);
    }
}

TEST_F(OggReaderTest, DamagedAudioPagesEndTheStreamWithoutHanging) {
    Bytes ogg;
    ASSERT_TRUE(Tools::EncodeOggVorbis(GeneratedSamples(3 * 22050, 2, 22050), 2, 22050, 0.4f, ogg));
    // Garbage over the third quarter, and a file whose second half is cut
    // off.
    Bytes garbled = ogg;
    for (size_t i = garbled.size() / 2; i < garbled.size() * 3 / 4; ++i) {
        garbled[i] = static_cast<uint8_t>(i * 7919u >> 3);
    }
    const Bytes cut(ogg.begin(), ogg.begin() + static_cast<std::ptrdiff_t>(ogg.size() / 2));
    // The audio before the damage plays as it would from the whole file:
    // the first half of the bytes (the set-up headers take a good part of
    // it) holds more than a quarter of the sound.
    const Bytes clean = DecodeDirectly(ogg).pcm;
    ASSERT_EQ(clean.size(), static_cast<size_t>(3 * 22050 * 4));
    const size_t intact = clean.size() / 4;
    const Bytes* damaged[] = {&garbled, &cut};
    for (const Bytes* file : damaged) {
        SCOPED_TRACE(file == &cut ? "cut" : "garbled");
        WriteDataFile("damaged.ogg", *file);
        std::unique_ptr<SoundFileReader> reader = Open("damaged.ogg");
        ASSERT_NE(dynamic_cast<SoundFileReaderOGG*>(reader.get()), nullptr);
        const Bytes pcm = ReadAll(*reader, 0x8000);
        EXPECT_LE(pcm.size(), clean.size());
        ASSERT_GE(pcm.size(), intact);
        EXPECT_TRUE(std::equal(clean.begin(), clean.begin() + static_cast<std::ptrdiff_t>(intact), pcm.begin()));
    }
}

} // namespace
} // namespace ZorvaneEngine::SoundTest
