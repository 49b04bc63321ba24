#include <gtest/gtest.h>

#include "engine/sound/SoundFileReaderOGG.h"
#include "tools/common/OggVorbisWriter.h"
#include "SoundFileFixture.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using OggReaderSeekTest = SoundFileTest;

// The length of the Ogg page at the start of bytes: its 27-byte header, the
// segment table and the segments.
size_t FirstPageLength(const Bytes& bytes) {
    const size_t segments = bytes[26];
    size_t length = 27 + segments;
    for (size_t i = 0; i < segments; ++i) {
        length += bytes[27 + i];
    }
    return length;
}

// A stream, more than 64 KB of zeros and its first page again: the
// decoder takes the second first page for a stream whose times contradict
// the first one's, and its search for the first sample aims near 2^63.
// The rewind must give up (the reads then end) rather than step back from
// there 64 KB at a time.
TEST_F(OggReaderSeekTest, ARewindIntoContradictoryTimesEndsTheStream) {
    Bytes ogg;
    ASSERT_TRUE(Tools::EncodeOggVorbis(GeneratedSamples(2000, 1, 22050), 1, 22050, 0.0f, ogg));
    const Bytes firstPage(ogg.begin(), ogg.begin() + static_cast<std::ptrdiff_t>(FirstPageLength(ogg)));
    Bytes damaged = ogg;
    damaged.resize(damaged.size() + 66000, 0);
    damaged.insert(damaged.end(), firstPage.begin(), firstPage.end());
    WriteDataFile("contradictory.ogg", damaged);

    std::unique_ptr<SoundFileReader> reader = Open("contradictory.ogg");
    ASSERT_NE(dynamic_cast<SoundFileReaderOGG*>(reader.get()), nullptr);
    EXPECT_FALSE(ReadAll(*reader, 4096).empty());
    reader->Rewind();
    EXPECT_TRUE(ReadAll(*reader, 4096).empty());
}

} // namespace
} // namespace ZorvaneEngine::SoundTest
