#include "engine/graphics/Image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <cstdio>

#include <jpeglib.h>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "platform/system/TemporaryFolder.h"
#include "engine/graphics/ImageCodecs.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/ProgressiveJpeg.h"
#include "tests/engine/graphics/ImageBytes.h"

namespace ZorvaneEngine {
namespace {

using ImageCodecs::MaxJpegScans;

using Bytes = std::vector<uint8_t>;

// Bytes that differ from pixel to pixel and channel to channel.
Image Pattern(uint32_t width, uint32_t height, uint32_t bits)
{
    Image image;
    image.Create(width, height, bits, nullptr);
    for (size_t i = 0; i < image.GetSize(); ++i) {
        image.GetPixels()[i] = static_cast<uint8_t>(i * 37 + 11);
    }
    return image;
}

// A 3 × 2 BMP of 24 bits as the writer makes it: rows of 9 bytes padded to 12.
Bytes SmallBmp(uint32_t width = 3, int32_t height = 2, uint16_t bits = 24)
{
    Tools::BinaryWriter w;
    w.Chars("BM");
    w.U32(78);
    w.U32(0);
    w.U32(54);
    w.U32(40);
    w.I32(static_cast<int32_t>(width));
    w.I32(height);
    w.U16(1);
    w.U16(bits);
    w.U32(0);
    w.U32(24);
    w.U32(2835);
    w.U32(2835);
    w.U32(0);
    w.U32(0);
    // Bottom row first, blue, green, red.
    w.Bytes("\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0", 12);
    w.Bytes("\x0C\x0B\x0A\x0F\x0E\x0D\x12\x11\x10\0\0\0", 12);
    return w.Data();
}

Bytes TgaHeader(uint8_t type, uint16_t width, uint16_t height, uint8_t depth, uint8_t descriptor,
                uint8_t idLength = 0)
{
    Tools::BinaryWriter w;
    w.U8(idLength);
    w.U8(0);
    w.U8(type);
    w.U16(0);
    w.U16(0);
    w.U8(0);
    w.U32(0);
    w.U16(width);
    w.U16(height);
    w.U8(depth);
    w.U8(descriptor);
    return w.Data();
}

Bytes Join(Bytes head, const Bytes& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// A 4 × 4 JPEG of four ink channels (CMYK), made with the library directly.
Bytes CmykJpeg()
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = 4;
    info.image_height = 4;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    unsigned char row[16] = {};
    JSAMPROW rows[1] = {row};
    while (info.next_scanline < info.image_height) {
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

class ImageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        files = std::make_unique<FileManager>("", &log, folder.Path());
        log.ClearFrameMessages();
    }

    std::string Put(const std::string& name, const Bytes& bytes)
    {
        EXPECT_TRUE(Tools::SaveFile(folder / name, bytes));
        return name;
    }

    Bytes FileBytes(const std::string& name)
    {
        Bytes bytes;
        EXPECT_TRUE(Tools::LoadFile(folder / name, bytes));
        return bytes;
    }

    // The error lines logged so far, as their texts, then forgets them.
    std::vector<std::string> TakeErrors()
    {
        std::vector<std::string> errors;
        for (const LogMessage& message : log.GetFrameMessages()) {
            if (message.level == 2) {
                errors.push_back(message.text);
            }
        }
        log.ClearFrameMessages();
        return errors;
    }

    static std::string ErrorLine(const std::string& text) { return "\nError: " + text + "!\n\n"; }

    bool Load(const std::string& name, Image& image) { return Image::Load(&log, files.get(), image, name); }
    bool Save(const std::string& name, const Image& image) { return Image::Save(&log, files.get(), image, name); }

    TestSupport::TemporaryFolder folder;
    MessageManager log{"", "", "Test", false, false};
    std::unique_ptr<FileManager> files;
};

TEST_F(ImageFileTest, ExtensionPicksTheCodec)
{
    const Image picture = Pattern(4, 4, 24);
    ASSERT_TRUE(Save("upper.JPG", picture));
    Image loaded;
    EXPECT_TRUE(Load("upper.JPG", loaded));
    EXPECT_EQ(loaded.GetBits(), 24u);

    for (const std::string name : {"a.png", "a.jp2", "noextension"}) {
        Put(name, Bytes(64, 0));
        EXPECT_FALSE(Load(name, loaded));
        EXPECT_FALSE(Save(name, picture));
        const std::string line = ErrorLine("Unknown \"" + name + "\" image file type");
        EXPECT_EQ(TakeErrors(), (std::vector<std::string>{line, line}));
    }
}

TEST_F(ImageFileTest, SmallBmpLoadsExactlyAndSavesTheSameFile)
{
    Put("small.bmp", SmallBmp());
    Image image;
    ASSERT_TRUE(Load("small.bmp", image));
    EXPECT_EQ(image.GetWidth(), 3u);
    EXPECT_EQ(image.GetHeight(), 2u);
    EXPECT_EQ(image.GetBits(), 24u);
    EXPECT_EQ(BytesOf(image), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));

    ASSERT_TRUE(Save("again.bmp", image));
    EXPECT_EQ(FileBytes("again.bmp"), SmallBmp());
}

TEST_F(ImageFileTest, RoundTripsPerFormatAndDepth)
{
    struct Case {
        std::string name;
        uint32_t bits;
        uint32_t loadedBits;
    };
    const Case cases[] = {
        {"p24.bmp", 24, 24}, {"p32.bmp", 32, 32},
        {"p8.bmp", 8, 24},  // an 8-bit BMP reads into colour: grey in all three channels
        {"p8.tga", 8, 8},   {"p24.tga", 24, 24}, {"p32.tga", 32, 32},
    };
    for (const Case& c : cases) {
        // Odd widths: BMP rows need padding.
        const Image picture = Pattern(5, 3, c.bits);
        ASSERT_TRUE(Save("sub\\" + c.name, picture)) << c.name;
        Image loaded;
        ASSERT_TRUE(Load("sub\\" + c.name, loaded)) << c.name;
        Image expected;
        picture.Convert(c.loadedBits, expected);
        EXPECT_EQ(loaded.GetWidth(), 5u);
        EXPECT_EQ(loaded.GetBits(), c.loadedBits) << c.name;
        EXPECT_EQ(BytesOf(loaded), BytesOf(expected)) << c.name;
    }
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(ImageFileTest, EightBitBmpFollowsThePublishedLayout)
{
    // Bottom row first, rows padded to 4 bytes, a 2-entry palette stored blue,
    // green, red: as other programs write them.
    Tools::BinaryWriter w;
    w.Chars("BM");
    w.U32(54 + 8 + 8);
    w.U32(0);
    w.U32(54 + 8);
    w.U32(40);
    w.I32(3);
    w.I32(2);
    w.U16(1);
    w.U16(8);
    w.U32(0);
    w.U32(8);
    w.U32(2835);
    w.U32(2835);
    w.U32(2);
    w.U32(0);
    w.Bytes("\x30\x20\x10\0\x00\x00\xFF\0", 8);
    w.Bytes("\0\1\1\0\1\0\0\0", 8);
    Put("indexed.bmp", w.Data());
    Image image;
    ASSERT_TRUE(Load("indexed.bmp", image));
    EXPECT_EQ(BytesOf(image), (Bytes{0x10, 0x20, 0x30, 255, 0, 0, 255, 0, 0,  //
                                     255, 0, 0, 0x10, 0x20, 0x30, 0x10, 0x20, 0x30}));
}

TEST_F(ImageFileTest, TgaOriginsRunsAndSixteenBitPixels)
{
    // Two rows, top row red, bottom row blue, stored in both row orders.
    const Bytes redRow{0, 0, 255, 0, 0, 255};
    const Bytes blueRow{255, 0, 0, 255, 0, 0};
    Put("bottom.tga", Join(Join(TgaHeader(2, 2, 2, 24, 0), blueRow), redRow));
    Put("top.tga", Join(Join(TgaHeader(2, 2, 2, 24, 0x20), redRow), blueRow));
    Image bottom;
    Image top;
    ASSERT_TRUE(Load("bottom.tga", bottom));
    ASSERT_TRUE(Load("top.tga", top));
    const Bytes expected{0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0};
    EXPECT_EQ(BytesOf(bottom), expected);
    EXPECT_EQ(BytesOf(top), expected);

    // A raw packet of one pixel, then a run of 8 where 3 pixels are left.
    Put("runs.tga", Join(TgaHeader(10, 2, 2, 24, 0x20), {0x00, 1, 2, 3, 0x87, 4, 5, 6}));
    Image runs;
    ASSERT_TRUE(Load("runs.tga", runs));
    EXPECT_EQ(BytesOf(runs), (Bytes{6, 5, 4, 6, 5, 4, 3, 2, 1, 6, 5, 4}));

    Put("sixteen.tga", Join(TgaHeader(2, 2, 1, 16, 0x20), {0xFF, 0xFF, 0x00, 0x7C}));
    Image sixteen;
    ASSERT_TRUE(Load("sixteen.tga", sixteen));
    EXPECT_EQ(sixteen.GetBits(), 32u);
    EXPECT_EQ(BytesOf(sixteen), (Bytes{248, 248, 248, 255, 248, 0, 0, 0}));
}

TEST_F(ImageFileTest, DamagedFilesLeaveTheImageEmpty)
{
    const auto withU32 = [](Bytes bytes, size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
        return bytes;
    };
    const Bytes bmp = SmallBmp();
    const Bytes tgaRaw = Join(TgaHeader(2, 2, 2, 24, 0), Bytes(12, 7));
    // A valid JPEG to cut and patch.
    ASSERT_TRUE(Save("valid.jpg", Pattern(64, 64, 24)));
    const Bytes jpeg = FileBytes("valid.jpg");
    size_t sof = 0;
    while (sof + 1 < jpeg.size() && !(jpeg[sof] == 0xFF && jpeg[sof + 1] == 0xC0)) ++sof;
    ASSERT_LT(sof + 9, jpeg.size());
    auto jpegSized = [&](uint16_t width, uint16_t height) {
        Bytes bytes = jpeg;
        bytes[sof + 5] = static_cast<uint8_t>(height >> 8);
        bytes[sof + 6] = static_cast<uint8_t>(height);
        bytes[sof + 7] = static_cast<uint8_t>(width >> 8);
        bytes[sof + 8] = static_cast<uint8_t>(width);
        return bytes;
    };
    // Only the header and tables of the valid file: its first scan's data gone.
    const Bytes jpegHeaderOnly(jpeg.begin(), jpeg.begin() + static_cast<long>(sof + 300));

    struct Case {
        const char* what;
        std::string name;
        Bytes bytes;
        std::string message;  // after the name, or the whole text when it starts with "Failed"
    };
    const std::string incorrect = "\" file format";
    const Case cases[] = {
        {"bmp bad magic", "x.bmp", Join({'B', 'X'}, Bytes(bmp.begin() + 2, bmp.end())), "Incorrect"},
        {"bmp short header", "x.bmp", Bytes(bmp.begin(), bmp.begin() + 30), "Failed to read 54"},
        {"bmp short pixels", "x.bmp", Bytes(bmp.begin(), bmp.end() - 13), "Incorrect"},
        {"bmp offset past end", "x.bmp", withU32(bmp, 10, 1000), "Incorrect"},
        {"bmp offset inside headers", "x.bmp", withU32(bmp, 10, 20), "Incorrect"},
        {"bmp top-down", "x.bmp", withU32(bmp, 22, static_cast<uint32_t>(-2)), "Incorrect"},
        {"bmp absurd width", "x.bmp", withU32(bmp, 18, 100000), "Incorrect"},
        {"bmp size overflow", "x.bmp", withU32(withU32(bmp, 18, 65536), 22, 65536), "Incorrect"},
        {"bmp small info header", "x.bmp", withU32(bmp, 14, 12), "Incorrect"},
        {"bmp 16 bits", "x.bmp", SmallBmp(3, 2, 16), "Unsupported"},
        {"bmp compressed", "x.bmp", withU32(bmp, 30, 1), "Unsupported"},
        {"bmp 8 bits compressed", "x.bmp", withU32(SmallBmp(3, 2, 8), 30, 1), "Unsupported"},
        {"bmp palette too long", "x.bmp", withU32(SmallBmp(3, 2, 8), 46, 300), "Incorrect"},
        {"bmp palette past pixels", "x.bmp", SmallBmp(3, 2, 8), "Incorrect"},
        {"tga short header", "x.tga", Bytes(tgaRaw.begin(), tgaRaw.begin() + 10), "Failed to read 18"},
        {"tga short pixels", "x.tga", Bytes(tgaRaw.begin(), tgaRaw.end() - 1), "Incorrect"},
        {"tga id past end", "x.tga", Join(TgaHeader(2, 1, 1, 24, 0, 200), {1, 2, 3}), "Incorrect"},
        {"tga zero width", "x.tga", TgaHeader(2, 0, 2, 24, 0), "Incorrect"},
        {"tga absurd size", "x.tga", Join(TgaHeader(2, 60000, 2, 24, 0), Bytes(12, 0)), "Incorrect"},
        {"tga depth 15", "x.tga", Join(TgaHeader(2, 2, 2, 15, 0), Bytes(8, 0)), "Unsupported"},
        {"tga runs end early", "x.tga", Join(TgaHeader(10, 2, 2, 24, 0), {0x81, 1, 2, 3, 0x01, 4, 5, 6}),
         "Incorrect"},
        {"tga run value missing", "x.tga", Join(TgaHeader(10, 1, 1, 32, 0), {0x80, 1, 2, 3}), "Incorrect"},
        {"tga tiny runs, huge size", "x.tga", Join(TgaHeader(10, 4096, 4096, 32, 0), {0xFF, 1, 2, 3, 4}),
         "Incorrect"},
        {"jpeg empty", "x.jpg", {}, "Incorrect"},
        {"jpeg garbage", "x.jpg", Bytes(500, 0x5A), "Incorrect"},
        {"jpeg cut in half", "x.jpg", Bytes(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2)),
         "Incorrect"},
        {"jpeg header only", "x.jpg", jpegHeaderOnly, "Incorrect"},
        {"jpeg claims a huge size", "x.jpg", jpegSized(4000, 4000), "Incorrect"},
        {"jpeg absurd size", "x.jpg", jpegSized(20000, 64), "Incorrect"},
        {"jpeg of ink channels", "x.jpg", CmykJpeg(), "Unsupported"},
        {"missing", "missing.tga", {}, "Failed to open"},
    };
    for (const Case& c : cases) {
        if (c.name != "missing.tga") {
            Put(c.name, c.bytes);
        }
        Image image = Pattern(2, 2, 24);
        EXPECT_FALSE(Load(c.name, image)) << c.what;
        EXPECT_TRUE(image.IsEmpty()) << c.what;
        const std::vector<std::string> errors = TakeErrors();
        ASSERT_EQ(errors.size(), 1u) << c.what;
        if (c.message.rfind("Failed", 0) == 0) {
            EXPECT_NE(errors[0].find(c.message), std::string::npos) << c.what << ": " << errors[0];
        } else {
            EXPECT_EQ(errors[0], ErrorLine(c.message + " \"" + c.name + incorrect)) << c.what;
        }
    }
}

TEST_F(ImageFileTest, JpegRoundTripKeepsOrientation)
{
    // Top half red, bottom half blue; 32 bits, so the writer takes a copy.
    Image picture;
    picture.Create(16, 16, 32, nullptr);
    for (uint32_t y = 0; y < 16; ++y) {
        for (uint32_t x = 0; x < 16; ++x) {
            uint8_t* p = picture.GetRow(y) + 4 * x;
            const bool top = y >= 8;
            p[0] = top ? 255 : 0;
            p[1] = 0;
            p[2] = top ? 0 : 255;
            p[3] = 77;
        }
    }
    const Image before = picture;
    ASSERT_TRUE(Save("pics\\shot.jpg", picture));
    EXPECT_EQ(BytesOf(picture), BytesOf(before));

    Image loaded;
    ASSERT_TRUE(Load("pics\\shot.jpg", loaded));
    ASSERT_EQ(loaded.GetBits(), 24u);
    ASSERT_EQ(loaded.GetWidth(), 16u);
    ASSERT_EQ(loaded.GetHeight(), 16u);
    for (uint32_t y = 0; y < 16; ++y) {
        for (uint32_t x = 0; x < 16; ++x) {
            const uint8_t* got = loaded.GetRow(y) + 3 * x;
            const uint8_t* want = picture.GetRow(y) + 4 * x;
            for (int k = 0; k < 3; ++k) {
                // The colour edge between the halves blurs; away from it
                // only the quantisation error remains.
                const int tolerance = (y == 7 || y == 8) ? 80 : 24;
                EXPECT_LE(std::abs(got[k] - want[k]), tolerance) << x << "," << y << " channel " << k;
            }
        }
    }
}

TEST_F(ImageFileTest, JpegDecodesLargeFilesAndGreyPictures)
{
    // A smooth 256 × 256 picture: its file spans more than one 4096-byte block.
    Image picture;
    picture.Create(256, 256, 24, nullptr);
    for (uint32_t y = 0; y < 256; ++y) {
        for (uint32_t x = 0; x < 256; ++x) {
            uint8_t* p = picture.GetRow(y) + 3 * x;
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>((x * y) >> 8);
        }
    }
    ASSERT_TRUE(Save("smooth.jpg", picture));
    EXPECT_GT(FileBytes("smooth.jpg").size(), 4096u);
    Image loaded;
    ASSERT_TRUE(Load("smooth.jpg", loaded));
    long long total = 0;
    int worst = 0;
    for (size_t i = 0; i < picture.GetSize(); ++i) {
        const int difference = std::abs(loaded.GetPixels()[i] - picture.GetPixels()[i]);
        total += difference;
        worst = std::max(worst, difference);
    }
    EXPECT_LT(static_cast<double>(total) / picture.GetSize(), 2.0);
    EXPECT_LE(worst, 16);

    Image grey;
    picture.Convert(8, grey);
    ASSERT_TRUE(Save("grey.jpeg", grey));
    Image greyLoaded;
    ASSERT_TRUE(Load("grey.jpeg", greyLoaded));
    EXPECT_EQ(greyLoaded.GetBits(), 8u);
    EXPECT_LE(std::abs(greyLoaded.GetRow(200)[100] - grey.GetRow(200)[100]), 8);
}

TEST_F(ImageFileTest, ProgressiveJpegLoadsUpToTheScanLimit)
{
    Image colour = Pattern(24, 17, 24);
    Image grey;
    grey.Create(40, 24, 8, nullptr);
    grey.Fill(ColorRGBA(0.5f, 0.5f, 0.5f, 1.0f));

    Image loaded;
    ASSERT_TRUE(Load(Put("standard.jpg", Tools::EncodeProgressiveJpeg(colour)), loaded));
    EXPECT_EQ(loaded.GetWidth(), 24u);
    EXPECT_EQ(loaded.GetBits(), 24u);

    struct Case {
        uint32_t scans;
        bool loads;
    };
    const Case cases[] = {{2, true}, {MaxJpegScans, true}, {MaxJpegScans + 1, false}, {5000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scans << " scans");
        log.ClearFrameMessages();
        const std::string name = Put("scans.jpg", Tools::EncodeRepeatedScanJpeg(grey, c.scans));
        ASSERT_EQ(Load(name, loaded), c.loads);
        if (c.loads) {
            EXPECT_EQ(loaded.GetHeight(), 24u);
            EXPECT_NEAR(loaded.GetRow(10)[20], 128, 2);
            continue;
        }
        // Stopped at the first scan past the limit, whatever follows.
        bool warned = false;
        for (const LogMessage& message : log.GetFrameMessages()) {
            warned = warned || message.text.find("JPEG: more than " + std::to_string(MaxJpegScans) + " scans") !=
                                   std::string::npos;
        }
        EXPECT_TRUE(warned);
        EXPECT_EQ(TakeErrors(), std::vector<std::string>{ErrorLine("Incorrect \"scans.jpg\" file format")});
        EXPECT_TRUE(loaded.IsEmpty());
    }
}

TEST_F(ImageFileTest, SaveFailuresAreReported)
{
    const Image picture = Pattern(2, 2, 24);
    Put("plain.txt", {1});
    for (const std::string name : {"plain.txt\\a.jpg", "plain.txt\\a.bmp", "plain.txt\\a.tga"}) {
        EXPECT_FALSE(Save(name, picture)) << name;
        const std::vector<std::string> errors = TakeErrors();
        ASSERT_EQ(errors.size(), 1u);
        if (name.ends_with("jpg")) {
            EXPECT_EQ(errors[0], ErrorLine("Failed to save \"" + name + "\""));
        }
    }
    EXPECT_FALSE(Save("empty.bmp", Image()));
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{ErrorLine("Failed to save \"empty.bmp\"")});
}

} // namespace
} // namespace ZorvaneEngine
