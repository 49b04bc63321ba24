#include "engine/graphics/Image.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/engine/graphics/ImageBytes.h"

namespace ZorvaneEngine {
namespace {

using Bytes = std::vector<uint8_t>;

Image PictureOf(uint32_t width, uint32_t height, uint32_t bits, const Bytes& bytes)
{
    Image image;
    image.Create(width, height, bits, nullptr);
    EXPECT_EQ(image.GetSize(), bytes.size());
    std::copy(bytes.begin(), bytes.end(), image.GetPixels());
    return image;
}

// Byte (row r, column c) = 64 r + 16 c: rows and columns tell apart.
Image Ramp4x4()
{
    Bytes bytes;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            bytes.push_back(static_cast<uint8_t>(64 * r + 16 * c));
        }
    }
    return PictureOf(4, 4, 8, bytes);
}

TEST(ImageTest, FillTruncatesAndClampsEachChannel)
{
    struct Case {
        uint32_t bits;
        ColorRGBA color;
        Bytes pixel;
    };
    const Case cases[] = {
        {8, {1, 1, 1, 1}, {255}},
        {8, {1, 0, 0, 1}, {56}},  // 0.222 × 255 = 56.6
        {24, {0.5f, 1, 0, 0}, {127, 255, 0}},
        // Over-bright and negative channels saturate rather than wrap.
        {32, {2, -1, 0.5f, 1}, {255, 0, 127, 255}},
        {8, {3, 3, 3, 1}, {255}},
    };
    for (const Case& c : cases) {
        Image image;
        image.Create(2, 1, c.bits, nullptr);
        image.Fill(c.color);
        Bytes twice = c.pixel;
        twice.insert(twice.end(), c.pixel.begin(), c.pixel.end());
        EXPECT_EQ(BytesOf(image), twice) << c.bits << " bits";
    }
}

TEST(ImageTest, ConvertsBetweenDepths)
{
    struct Case {
        uint32_t from;
        Bytes pixel;
        uint32_t to;
        Bytes expected;
    };
    const Case cases[] = {
        {24, {255, 255, 255}, 8, {255}},
        {24, {100, 200, 50}, 8, {167}},  // 0.707 × 200 + 0.222 × 100 + 0.071 × 50
        {32, {10, 20, 30, 40}, 8, {40}},
        {24, {1, 2, 3}, 32, {1, 2, 3, 255}},
        {32, {1, 2, 3, 4}, 24, {1, 2, 3}},
        {8, {7}, 24, {7, 7, 7}},
        {8, {7}, 32, {7, 7, 7, 7}},
        {24, {1, 2, 3}, 24, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        Image source = PictureOf(1, 1, c.from, c.pixel);
        Image target;
        source.Convert(c.to, &target);
        EXPECT_EQ(target.GetBits(), c.to);
        EXPECT_EQ(BytesOf(target), c.expected) << c.from << " to " << c.to;
        EXPECT_EQ(BytesOf(source), c.pixel) << "a conversion into a target keeps the source";

        source.Convert(c.to);
        EXPECT_EQ(source.GetBits(), c.to);
        EXPECT_EQ(BytesOf(source), c.expected) << "in place";
    }
}

TEST(ImageTest, ResizeSamplesInFixedPoint)
{
    const Image ramp = Ramp4x4();
    Image half;
    ramp.ResizeTo(half, 2, 2);
    // The last row blends source rows 2 and 3 with fraction 255: (192 × 255 +
    // 128) / 256; the last column lands on source column 3 and reads nothing
    // to its right.
    EXPECT_EQ(BytesOf(half), (Bytes{0, 48, 191, 239}));

    // A target of one column samples column 0 instead of dividing by zero.
    Image column;
    ramp.ResizeTo(column, 1, 4);
    EXPECT_EQ(BytesOf(column), (Bytes{0, 64, 128, 191}));

    // A source of one row: the last target row stays on row 0 rather than
    // stepping below it; columns blend at half way.
    Image wider = PictureOf(2, 1, 8, {0, 255});
    wider.Resize(3, 2);
    EXPECT_EQ(wider.GetWidth(), 3u);
    EXPECT_EQ(BytesOf(wider), (Bytes{0, 127, 255, 0, 127, 255}));

    Image point = PictureOf(2, 2, 24, Bytes(12, 9));
    point.Resize(1, 1);
    EXPECT_EQ(BytesOf(point), (Bytes{9, 9, 9}));

    Image same;
    ramp.ResizeTo(same, 4, 4);
    EXPECT_EQ(BytesOf(same), BytesOf(ramp));
}

TEST(ImageTest, BlitClipsToTheTargetAndConvertsTheDepth)
{
    Image target;
    target.Create(3, 2, 8, nullptr);
    target.Fill(ColorRGBA(0, 0, 0, 0));
    const Image source = PictureOf(2, 2, 8, {1, 2, 3, 4});

    source.BlitTo(target, 2, 1);
    EXPECT_EQ(BytesOf(target), (Bytes{0, 0, 0, 0, 0, 1}));
    source.BlitTo(target, 3, 0);  // beyond the last column: nothing
    source.BlitTo(target, 0, 2);  // beyond the last row: nothing
    EXPECT_EQ(BytesOf(target), (Bytes{0, 0, 0, 0, 0, 1}));

    // A 32-bit source into an 8-bit target brings its opacity.
    const Image colour = PictureOf(1, 1, 32, {10, 20, 30, 40});
    colour.BlitTo(target, 0, 0);
    EXPECT_EQ(BytesOf(target), (Bytes{40, 0, 0, 0, 0, 1}));
}

TEST(ImageTest, SubstituteIsAYellowAndBlackBoard)
{
    Image image;
    image.MakeSubstitute(nullptr);
    ASSERT_EQ(image.GetWidth(), 64u);
    ASSERT_EQ(image.GetHeight(), 64u);
    ASSERT_EQ(image.GetBits(), 24u);
    auto at = [&](uint32_t x, uint32_t y) {
        const uint8_t* p = image.GetRow(y) + 3 * x;
        return Bytes{p[0], p[1], p[2]};
    };
    const Bytes yellow{255, 255, 0};
    const Bytes black{0, 0, 0};
    EXPECT_EQ(at(0, 0), yellow);
    EXPECT_EQ(at(7, 7), yellow);
    EXPECT_EQ(at(8, 0), black);
    EXPECT_EQ(at(0, 8), black);
    EXPECT_EQ(at(8, 8), yellow);
    EXPECT_EQ(at(63, 63), yellow);
    EXPECT_EQ(at(63, 0), black);
}

TEST(ImageTest, CopiesAreDeep)
{
    Image original = PictureOf(1, 1, 8, {5});
    Image copy(original);
    copy.GetPixels()[0] = 6;
    EXPECT_EQ(original.GetPixels()[0], 5);
    original = copy;
    EXPECT_EQ(original.GetPixels()[0], 6);
    EXPECT_NE(original.GetPixels(), copy.GetPixels());
}

} // namespace
} // namespace ZorvaneEngine
