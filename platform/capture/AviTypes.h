#pragma once
// The records and codes of the AVI file functions, with the values the
// original interface gives them where a file or a caller depends on them.
#include <cstdint>
#include <string>

namespace Platform {

constexpr uint32_t MakeFourCC(char a, char b, char c, char d)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

constexpr uint32_t streamtypeVIDEO = MakeFourCC('v', 'i', 'd', 's');
// The handler of full, uncompressed frames.
constexpr uint32_t kFullFramesHandler = MakeFourCC('D', 'I', 'B', ' ');

// AVIFileOpen modes.
constexpr uint32_t OF_WRITE = 0x0001;
constexpr uint32_t OF_CREATE = 0x1000;

// AVIStreamWrite flags.
constexpr uint32_t AVIIF_KEYFRAME = 0x10;

// Results: 0 is success, failures are negative.
constexpr int32_t AVIERR_OK = 0;
constexpr int32_t AVIERR_UNSUPPORTED = static_cast<int32_t>(0x80044065u);
constexpr int32_t AVIERR_BADFORMAT = static_cast<int32_t>(0x80044066u);
constexpr int32_t AVIERR_MEMORY = static_cast<int32_t>(0x80044067u);
constexpr int32_t AVIERR_BADPARAM = static_cast<int32_t>(0x80044072u);
constexpr int32_t AVIERR_FILEWRITE = static_cast<int32_t>(0x80044074u);
constexpr int32_t AVIERR_FILEOPEN = static_cast<int32_t>(0x80044075u);

// BI_RGB: pixels stored as they are.
constexpr uint32_t BI_RGB = 0;

// BITMAPINFOHEADER: 40 bytes in a file, little endian, in this order.
struct BitmapInfoHeader {
    static constexpr uint32_t kSize = 40;
    uint32_t size = kSize;
    int32_t width = 0;
    int32_t height = 0;  // positive: rows bottom-up
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = BI_RGB;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;  // entries of the colour table that follows
    uint32_t clrImportant = 0;
};

// AVISTREAMINFO: what a stream is and how fast it plays.
struct AviStreamInfo {
    uint32_t type = 0;
    uint32_t handler = 0;
    uint32_t flags = 0;
    uint32_t caps = 0;
    uint16_t priority = 0;
    uint16_t language = 0;
    uint32_t scale = 0;  // a sample lasts scale / rate seconds
    uint32_t rate = 0;
    uint32_t start = 0;
    uint32_t length = 0;
    uint32_t initialFrames = 0;
    uint32_t suggestedBufferSize = 0;
    uint32_t quality = 0;
    uint32_t sampleSize = 0;
    int32_t frameLeft = 0;
    int32_t frameTop = 0;
    int32_t frameRight = 0;
    int32_t frameBottom = 0;
    uint32_t editCount = 0;
    uint32_t formatChangeCount = 0;
    std::string name;
};

// AVICOMPRESSOPTIONS: the codec and its settings chosen for a stream.
struct AviCompressOptions {
    uint32_t type = 0;
    uint32_t handler = 0;
    uint32_t keyFrameEvery = 0;
    uint32_t quality = 0;
    uint32_t bytesPerSecond = 0;
    uint32_t flags = 0;
};

} // namespace Platform
