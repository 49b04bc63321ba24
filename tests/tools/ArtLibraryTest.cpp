// The procedural art library's building blocks where a fault would spoil
// every picture quietly: the run-length TGA the engine must read back, the
// colours under transparent pixels, the atlas cells and their gutters, the
// distance field that outlines and bevels are made from.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Image.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/ImageFile.h"
#include "tools/common/art/Atlas.h"
#include "tools/common/art/Raster.h"
#include "tools/common/art/Shapes.h"

namespace Tools {
namespace {

using ZorvaneEngine::Image;

// A picture whose rows mix long runs (past the 128 a packet holds), single
// pixels, pairs, and a run to the row's end that differs from the next row's.
Image Sample(uint32_t bits) {
    Image image;
    image.Create(300, 3, bits, nullptr);
    const uint32_t bytes = bits / 8;
    for (uint32_t y = 0; y < 3; ++y) {
        uint8_t* row = image.GetRow(y);
        for (uint32_t x = 0; x < 300; ++x) {
            uint8_t v = 0;
            if (x < 140) v = static_cast<uint8_t>(10 + y);        // a long run
            else if (x < 150) v = static_cast<uint8_t>(x * 7);    // all different
            else if (x < 152) v = 99;                             // a pair
            else v = static_cast<uint8_t>(200 + y);               // to the row's end, different per row
            for (uint32_t c = 0; c < bytes; ++c) row[x * bytes + c] = static_cast<uint8_t>(v + c * 3);
        }
    }
    return image;
}

TEST(ArtLibraryTest, RunLengthTgaReadsBackThroughTheEngine) {
    TestSupport::TemporaryFolder folder;
    ZorvaneEngine::MessageManager log("", "test", "test", false, false);
    ZorvaneEngine::FileManager files("", &log, folder.Path());
    for (const uint32_t bits : {24u, 32u}) {
        SCOPED_TRACE(bits);
        const Image original = Sample(bits);
        const std::vector<uint8_t> file = BuildRunLengthTga(original);
        // The runs make it much smaller than the raw pixels.
        EXPECT_LT(file.size(), original.GetSize() / 4);
        const std::string name = "sample" + std::to_string(bits) + ".tga";
        ASSERT_TRUE(SaveFile(folder / name, file));
        Image read;
        ASSERT_TRUE(Image::Load(&log, &files, read, name));
        ASSERT_EQ(read.GetBits(), bits);
        ASSERT_EQ(read.GetWidth(), 300u);
        ASSERT_EQ(read.GetHeight(), 3u);
        for (uint32_t y = 0; y < 3; ++y) {
            ASSERT_EQ(std::vector<uint8_t>(read.GetRow(y), read.GetRow(y) + 300 * bits / 8),
                      std::vector<uint8_t>(original.GetRow(y), original.GetRow(y) + 300 * bits / 8))
                << "row " << y;
        }
    }
    Image grey;
    grey.Create(4, 4, 8, nullptr);
    EXPECT_THROW(BuildRunLengthTga(grey), std::invalid_argument);
}

TEST(ArtLibraryTest, TransparentPixelsTakeTheColourOfTheirPaintedNeighbours) {
    // A red square in the middle of nothing: filtering between a red pixel
    // and a transparent one must not blend in black.
    Art::Canvas canvas(16, 16, 1.0f);
    for (int y = 6; y < 10; ++y) {
        for (int x = 6; x < 10; ++x) canvas.Blend(x, y, Art::Hex(0xFF0000), 1.0f);
    }
    canvas.Blend(10, 8, Art::Hex(0xFF0000), 0.5f);  // a half-covered edge pixel
    const Image image = canvas.ToImage(true);
    ASSERT_EQ(image.GetBits(), 32u);
    const auto pixel = [&](int x, int y) { return image.GetRow(static_cast<uint32_t>(y)) + x * 4; };
    // Painted pixels keep their colour and coverage, straight, not darkened.
    EXPECT_EQ(pixel(7, 7)[0], 255);
    EXPECT_EQ(pixel(7, 7)[3], 255);
    EXPECT_EQ(pixel(10, 8)[0], 255);
    EXPECT_EQ(pixel(10, 8)[3], 128);
    // Empty pixels next to them and far off are red with no coverage.
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{5, 7}, {11, 8}, {0, 0}, {15, 15}}) {
        SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
        EXPECT_EQ(pixel(x, y)[0], 255);
        EXPECT_EQ(pixel(x, y)[1], 0);
        EXPECT_EQ(pixel(x, y)[3], 0);
    }
}

TEST(ArtLibraryTest, AtlasCellsShowTheirFramesWithRepeatedEdges) {
    // Five 30 × 20 frames, each a flat shade of its own.
    std::vector<Art::Canvas> frames;
    for (int f = 0; f < 5; ++f) {
        Art::Canvas c(30, 20, 1.0f);
        for (Art::Color& p : c.pixels) p = {0.1f * static_cast<float>(f + 1), 0, 0, 1};
        frames.push_back(c);
    }
    const Art::Atlas atlas = Art::PackFrames(frames);
    const int w = atlas.picture.width, h = atlas.picture.height;
    EXPECT_EQ(w & (w - 1), 0);
    EXPECT_EQ(h & (h - 1), 0);
    ASSERT_EQ(atlas.cells.size(), 5u);
    for (int f = 0; f < 5; ++f) {
        SCOPED_TRACE(f);
        const Art::Cell& cell = atlas.cells[static_cast<size_t>(f)];
        const int x0 = static_cast<int>(std::lround(cell.u0 * w)), x1 = static_cast<int>(std::lround(cell.u1 * w));
        const int y0 = static_cast<int>(std::lround(cell.v0 * h)), y1 = static_cast<int>(std::lround(cell.v1 * h));
        EXPECT_EQ(x1 - x0, 30);
        EXPECT_EQ(y1 - y0, 20);
        // The cell and one pixel around it (what bilinear filtering at the
        // cell's edge reads) hold the frame's shade only.
        for (int y = y0 - 1; y <= y1; ++y) {
            for (int x = x0 - 1; x <= x1; ++x) {
                ASSERT_FLOAT_EQ(atlas.picture.At(x, y).r, 0.1f * static_cast<float>(f + 1)) << x << ", " << y;
            }
        }
    }
    EXPECT_THROW(Art::PackFrames({}), std::invalid_argument);
    EXPECT_THROW(Art::PackFrames({Art::Canvas(4, 4, 1.0f), Art::Canvas(4, 8, 1.0f)}), std::invalid_argument);
}

TEST(ArtLibraryTest, DistanceOfARasterisedDiscMatchesTheDisc) {
    // A disc of radius 10 units at 2 pixels per unit, rasterised from its
    // exact distance, gives back that distance: inside negative, outside
    // positive, within half a pixel.
    const float scale = 2.0f;
    const auto disc = [](float x, float y) { return Art::CircleDistance(x, y, 20.0f, 20.0f, 10.0f); };
    const Art::Grid exact = Art::FieldOf(80, 80, scale, disc);
    const Art::Grid rebuilt = Art::DistanceOfCoverage(Art::Coverage(exact));
    float worst = 0.0f;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 80; ++x) worst = std::max(worst, std::fabs(rebuilt.At(x, y) - exact.At(x, y)));
    }
    EXPECT_LT(worst, 0.5f / scale + 0.01f);
    // A grid covering only part of a canvas keeps its place: the same disc
    // over its own square gives the same values there.
    const Art::Grid part = Art::FieldIn(80, 80, scale, 10.0f, 10.0f, 30.0f, 30.0f, 1.0f, disc);
    EXPECT_GT(part.originX, 0);
    for (int y = 0; y < part.height; ++y) {
        for (int x = 0; x < part.width; ++x) {
            ASSERT_FLOAT_EQ(part.At(x, y), exact.At(x + part.originX, y + part.originY));
        }
    }
}

} // namespace
} // namespace Tools
