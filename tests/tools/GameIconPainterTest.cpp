#include "tools/common/GameIconPainter.h"

#include <gtest/gtest.h>

namespace Tools {
namespace {

constexpr uint32_t kSide = 64;

struct Pixel {
    int r, g, b, a;
    int Brightness() const { return r + g + b; }
};

Pixel At(const std::vector<uint8_t>& icon, uint32_t x, uint32_t y)
{
    const uint8_t* p = &icon[(static_cast<size_t>(y) * kSide + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

TEST(GameIconPainterTest, AGoldPieceOnALeafGreenDiscInAWoodenRim)
{
    const std::vector<uint8_t> icon = PaintGameIcon(kSide);
    ASSERT_EQ(icon.size(), kSide * kSide * 4);

    for (auto [x, y] : {std::pair{0u, 0u}, {kSide - 1, 0u}, {0u, kSide - 1}, {kSide - 1, kSide - 1}})
        EXPECT_EQ(At(icon, x, y).a, 0) << "corner " << x << "," << y;

    const Pixel gold = At(icon, 32, 34);
    EXPECT_EQ(gold.a, 255);
    EXPECT_GT(gold.r, 200);
    EXPECT_GT(gold.r, gold.g);
    EXPECT_GT(gold.g, gold.b);

    const Pixel leaf = At(icon, 32, 10);
    EXPECT_EQ(leaf.a, 255);
    EXPECT_GT(leaf.g, leaf.r);
    EXPECT_GT(leaf.g, leaf.b);

    const Pixel wood = At(icon, 32, 2);
    EXPECT_EQ(wood.a, 255);
    EXPECT_GT(wood.r, wood.g);
    EXPECT_GT(wood.g, wood.b);

    // Rows run from the top and the light comes from the top left: the leaf
    // is brightest there.
    const int topLeft = At(icon, 12, 20).Brightness();
    EXPECT_GT(topLeft, At(icon, 12, 43).Brightness() + 60);
    EXPECT_GT(topLeft, At(icon, 51, 20).Brightness() + 60);

    // The disc's edge is smooth, and its half-covered pixels keep the rim's
    // colour (straight alpha) instead of fading toward black.
    int partial = 0;
    for (uint32_t y = 0; y < kSide; ++y) {
        for (uint32_t x = 0; x < kSide; ++x) {
            const Pixel p = At(icon, x, y);
            if (p.a == 0 || p.a == 255) continue;
            ++partial;
            EXPECT_GT(p.r, 70) << "at " << x << "," << y << " alpha " << p.a;
        }
    }
    EXPECT_GE(partial, 40) << "pixels on the disc's edge";
}

} // namespace
} // namespace Tools
