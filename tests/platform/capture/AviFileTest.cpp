// The AVI file functions over our own writer, checked by walking the file's
// chunks and by what ffprobe and ffmpeg read from it.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/capture/AviFixture.h"
#include "platform/capture/scripted/ScriptedCapture.h"
#include "platform/system/TemporaryFolder.h"

namespace Platform {
namespace {

using TestSupport::ReadU32;

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;
constexpr uint32_t kImageSize = kWidth * kHeight * 4;

std::vector<uint8_t> Header(int32_t width, int32_t height, uint32_t compression = BI_RGB)
{
    std::vector<uint8_t> bytes(40, 0);
    const uint32_t size = 40;
    const uint16_t planes = 1;
    const uint16_t bits = 32;
    const uint32_t image = static_cast<uint32_t>(width * height * 4);
    std::memcpy(&bytes[0], &size, 4);
    std::memcpy(&bytes[4], &width, 4);
    std::memcpy(&bytes[8], &height, 4);
    std::memcpy(&bytes[12], &planes, 2);
    std::memcpy(&bytes[14], &bits, 2);
    std::memcpy(&bytes[16], &compression, 4);
    std::memcpy(&bytes[20], &image, 4);
    return bytes;
}

// Frame n: the lower half blue, the upper half red with n × 50 of green.
// Bitmap rows run bottom-up, pixels are B, G, R, unused.
std::vector<uint8_t> Frame(int n)
{
    std::vector<uint8_t> pixels(kImageSize, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = &pixels[(static_cast<size_t>(y) * kWidth + x) * 4];
            if (y < kHeight / 2) {
                p[0] = 200;
            } else {
                p[1] = static_cast<uint8_t>(n * 50);
                p[2] = 200;
            }
        }
    return pixels;
}

// The Part's sequence up to the first frame: file, stream, options,
// compressed stream, format.
struct Movie {
    Movie(Capture& capture, const std::string& path) : capture(capture)
    {
        if (capture.AVIFileOpen(&file, path, OF_WRITE | OF_CREATE) != AVIERR_OK) return;
        AviStreamInfo info;
        info.type = streamtypeVIDEO;
        info.scale = 1;
        info.rate = 33;
        info.suggestedBufferSize = kImageSize;
        info.frameRight = kWidth;
        info.frameBottom = kHeight;
        AviCompressOptions options;
        const std::vector<uint8_t> header = Header(kWidth, kHeight);
        ok = capture.AVIFileCreateStream(file, &stream, info) == AVIERR_OK &&
             capture.AVISaveOptions(nullptr, 0, stream, options) &&
             capture.AVIMakeCompressedStream(&compressed, stream, options) == AVIERR_OK &&
             capture.AVIStreamSetFormat(compressed, 0, header.data(), 40) == AVIERR_OK;
    }
    int32_t Write(int n, int32_t start)
    {
        const std::vector<uint8_t> pixels = Frame(n);
        return capture.AVIStreamWrite(compressed, start, 1, pixels.data(), kImageSize, AVIIF_KEYFRAME);
    }
    // In the order the screen capture releases them.
    void Release()
    {
        capture.AVIStreamRelease(stream);
        capture.AVIStreamRelease(compressed);
        capture.AVIFileRelease(file);
    }

    Capture& capture;
    AviFile* file = nullptr;
    AviStream* stream = nullptr;
    AviStream* compressed = nullptr;
    bool ok = false;
};

TEST(AviFile, MovieOfThreeFramesIsWhatPlayersRead)
{
    TestSupport::TemporaryFolder folder;
    ScriptedCapture capture;
    const std::string path = folder / "movie.avi";
    Movie movie(capture, path);
    ASSERT_TRUE(movie.ok);
    for (int n = 0; n < 3; ++n) ASSERT_EQ(movie.Write(n, n), AVIERR_OK);
    // The movie takes its name only once complete.
    EXPECT_FALSE(std::filesystem::exists(path));
    movie.Release();
    ASSERT_TRUE(std::filesystem::exists(path));

    const std::string bytes = TestSupport::ReadWholeFile(path);
    std::vector<TestSupport::AviChunk> chunks;
    ASSERT_TRUE(TestSupport::ListChunks(bytes, chunks));
    std::vector<std::string> paths;
    for (const auto& chunk : chunks) paths.push_back(chunk.path);
    EXPECT_EQ(paths, (std::vector<std::string>{"hdrl/avih", "hdrl/strl/strh", "hdrl/strl/strf", "movi/00db",
                                               "movi/00db", "movi/00db", "idx1"}));
    const uint64_t avih = chunks[0].offset;
    EXPECT_EQ(ReadU32(bytes, avih), 30303u);       // microseconds a frame
    EXPECT_EQ(ReadU32(bytes, avih + 12), 0x10u);   // has an index
    EXPECT_EQ(ReadU32(bytes, avih + 16), 3u);      // frames
    EXPECT_EQ(ReadU32(bytes, avih + 24), 1u);      // streams
    EXPECT_EQ(ReadU32(bytes, avih + 32), 64u);
    EXPECT_EQ(ReadU32(bytes, avih + 36), 48u);
    const uint64_t strh = chunks[1].offset;
    EXPECT_EQ(bytes.substr(strh, 4), "vids");
    EXPECT_EQ(bytes.substr(strh + 4, 4), std::string("\0\0\0\0", 4));
    EXPECT_EQ(ReadU32(bytes, strh + 20), 1u);   // scale
    EXPECT_EQ(ReadU32(bytes, strh + 24), 33u);  // rate
    EXPECT_EQ(ReadU32(bytes, strh + 32), 3u);   // length
    EXPECT_EQ(bytes.substr(chunks[2].offset, chunks[2].size),
              std::string(reinterpret_cast<const char*>(Header(kWidth, kHeight).data()), 40));
    // Each index entry: a key frame whose offset, from the "movi" type,
    // reaches its chunk.
    const uint64_t moviType = chunks[3].offset - 12;
    ASSERT_EQ(bytes.substr(moviType, 4), "movi");
    ASSERT_EQ(chunks[6].size, 3u * 16);
    for (int n = 0; n < 3; ++n) {
        const uint64_t entry = chunks[6].offset + n * 16;
        EXPECT_EQ(bytes.substr(entry, 4), "00db");
        EXPECT_EQ(ReadU32(bytes, entry + 4), AVIIF_KEYFRAME);
        EXPECT_EQ(moviType + ReadU32(bytes, entry + 8) + 8, chunks[3 + n].offset);
        EXPECT_EQ(ReadU32(bytes, entry + 12), kImageSize);
    }

    const auto probe = TestSupport::Probe(path);
    EXPECT_EQ(probe.count("codec_name") ? probe.at("codec_name") : "", "rawvideo");
    EXPECT_EQ(probe.count("width") ? probe.at("width") : "", "64");
    EXPECT_EQ(probe.count("height") ? probe.at("height") : "", "48");
    EXPECT_EQ(probe.count("r_frame_rate") ? probe.at("r_frame_rate") : "", "33/1");
    EXPECT_EQ(probe.count("nb_read_frames") ? probe.at("nb_read_frames") : "", "3");
    // The players put the bitmap's last row on top.
    const std::string picture = TestSupport::DecodeFrame(path, 2);
    ASSERT_EQ(picture.size(), kImageSize / 4 * 3);
    EXPECT_EQ(picture.substr(0, 3), std::string("\xC8\x64\x00", 3));
    EXPECT_EQ(picture.substr(picture.size() - 3), std::string("\x00\x00\xC8", 3));
}

TEST(AviFile, RefusedCallsLeaveTheMovieAsItWas)
{
    TestSupport::TemporaryFolder folder;
    ScriptedCapture capture;
    // Room for two frames and their index, not for three.
    capture.movieSizeLimit = 30000;
    const std::string path = folder / "limited.avi";
    Movie movie(capture, path);
    ASSERT_TRUE(movie.ok);
    EXPECT_EQ(movie.Write(0, 0), AVIERR_OK);
    EXPECT_EQ(movie.Write(1, 0), AVIERR_BADPARAM);  // no writing over a frame
    EXPECT_EQ(movie.Write(1, 2), AVIERR_BADPARAM);  // nor ahead of the end
    const std::vector<uint8_t> small(kImageSize / 2, 0);
    EXPECT_EQ(capture.AVIStreamWrite(movie.compressed, 1, 1, small.data(), kImageSize / 2, AVIIF_KEYFRAME),
              AVIERR_BADFORMAT);  // a frame of another size
    EXPECT_EQ(movie.Write(1, 1), AVIERR_OK);
    EXPECT_EQ(movie.Write(2, 2), AVIERR_FILEWRITE);
    const std::vector<uint8_t> other = Header(32, 32);
    EXPECT_EQ(capture.AVIStreamSetFormat(movie.compressed, 0, other.data(), 40), AVIERR_BADFORMAT);
    movie.Release();
    EXPECT_EQ(TestSupport::Probe(path)["nb_read_frames"], "2");

    struct Case {
        const char* name;
        std::vector<uint8_t> format;
    };
    std::vector<uint8_t> wrongImageSize = Header(kWidth, kHeight);
    wrongImageSize[20] ^= 1;
    std::vector<uint8_t> shortHeader = Header(kWidth, kHeight);
    shortHeader.pop_back();
    const Case formats[] = {
        {"compressed", Header(kWidth, kHeight, 1)},
        {"image size", wrongImageSize},
        {"short", shortHeader},
    };
    for (const Case& c : formats) {
        SCOPED_TRACE(c.name);
        AviFile* file = nullptr;
        AviStream* stream = nullptr;
        ASSERT_EQ(capture.AVIFileOpen(&file, folder / "format.avi", OF_WRITE | OF_CREATE), AVIERR_OK);
        AviStreamInfo info;
        info.type = streamtypeVIDEO;
        ASSERT_EQ(capture.AVIFileCreateStream(file, &stream, info), AVIERR_OK);
        EXPECT_EQ(capture.AVIStreamSetFormat(stream, 0, c.format.data(), static_cast<int32_t>(c.format.size())),
                  AVIERR_BADFORMAT);
        capture.AVIStreamRelease(stream);
        capture.AVIFileRelease(file);
    }

    AviFile* file = nullptr;
    EXPECT_EQ(capture.AVIFileOpen(&file, folder / "missing/movie.avi", OF_WRITE | OF_CREATE), AVIERR_FILEOPEN);
    EXPECT_EQ(file, nullptr);
    ASSERT_EQ(capture.AVIFileOpen(&file, folder / "codec.avi", OF_WRITE | OF_CREATE), AVIERR_OK);
    AviStream* stream = nullptr;
    AviStreamInfo info;
    info.type = streamtypeVIDEO;
    ASSERT_EQ(capture.AVIFileCreateStream(file, &stream, info), AVIERR_OK);
    AviStream* compressed = nullptr;
    AviCompressOptions options;
    options.handler = MakeFourCC('M', 'J', 'P', 'G');
    EXPECT_EQ(capture.AVIMakeCompressedStream(&compressed, stream, options), AVIERR_UNSUPPORTED);
    capture.AVIStreamRelease(stream);
    capture.AVIFileRelease(file);
}

TEST(AviFile, ADiskThatRefusesAFrameKeepsTheFramesBeforeIt)
{
    // The headers take 224 bytes and each frame 8 + kImageSize; three frames
    // end at 37112, and their index takes 8 + 3 x 16 bytes more.
    constexpr rlim_t kThreeFrames = 224 + 3 * (8 + kImageSize);
    struct Case {
        const char* name;
        rlim_t fileSizeCap;
        int framesTaken;  // before the first refused write
        int framesKept;   // -1: no movie
    };
    const Case cases[] = {
        {"the fourth frame cut short", kThreeFrames + 56 + 100, 3, 3},
        // The third frame goes to make room for the index.
        {"no room for the index", kThreeFrames + 20, 3, 2},
        {"no room for the headers", 100, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestSupport::TemporaryFolder folder;
        ScriptedCapture capture;
        const std::string path = folder / "movie.avi";
        int taken = 0;
        {
            TestSupport::FileSizeLimit cap(c.fileSizeCap);
            Movie movie(capture, path);
            ASSERT_TRUE(movie.ok);
            while (taken < 10 && movie.Write(taken, taken) == AVIERR_OK) ++taken;
            EXPECT_EQ(movie.Write(taken, taken), AVIERR_FILEWRITE);  // refused from then on
            movie.Release();
        }
        EXPECT_EQ(taken, c.framesTaken);
        if (c.framesKept < 0) {
            EXPECT_TRUE(TestSupport::FolderEntries(folder.Path()).empty());
            continue;
        }
        // No temporary stays behind; the movie is complete to its last byte.
        EXPECT_EQ(TestSupport::FolderEntries(folder.Path()), std::vector<std::string>{"movie.avi"});
        const std::string bytes = TestSupport::ReadWholeFile(path);
        std::vector<TestSupport::AviChunk> chunks;
        ASSERT_TRUE(TestSupport::ListChunks(bytes, chunks));
        ASSERT_EQ(chunks.size(), 3u + c.framesKept + 1);
        EXPECT_EQ(ReadU32(bytes, chunks[0].offset + 16), static_cast<uint32_t>(c.framesKept));
        EXPECT_EQ(chunks.back().path, "idx1");
        EXPECT_EQ(chunks.back().size, 16u * c.framesKept);
        EXPECT_EQ(TestSupport::Probe(path)["nb_read_frames"], std::to_string(c.framesKept));
        // The last frame kept is whole: its red and green at the top left.
        const std::string picture = TestSupport::DecodeFrame(path, c.framesKept - 1);
        ASSERT_EQ(picture.size(), kImageSize / 4 * 3);
        EXPECT_EQ(picture.substr(0, 3), std::string({'\xC8', static_cast<char>((c.framesKept - 1) * 50), 0}));
    }
}

} // namespace
} // namespace Platform
