// Surfaces in memory, as both drivers make them: which descriptions are
// accepted, mip chains, locking with a pitch, blits.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/graphics/MemorySurface.h"
#include "platform/graphics/scripted/ScriptedGraphics.h"

namespace Platform {
namespace {

class MemorySurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(g_.DirectDrawCreateEx(nullptr, &dd_), DD_OK); }
    void TearDown() override
    {
        EXPECT_EQ(dd_->Release(), 0u) << "a surface was left";
    }

    static SurfaceDesc Texture(uint32_t width, uint32_t height, const PixelFormat& format)
    {
        SurfaceDesc d;
        d.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        d.caps.caps = DDSCAPS_TEXTURE;
        d.width = width;
        d.height = height;
        d.pixelFormat = format;
        return d;
    }

    ScriptedGraphics g_;
    DirectDraw* dd_ = nullptr;
};

TEST_F(MemorySurfaceTest, AcceptsOnlyCompleteDescriptions)
{
    SurfaceDesc noSize = Texture(8, 8, FormatA8R8G8B8());
    noSize.flags &= ~DDSD_WIDTH;
    SurfaceDesc tooManyLevels = Texture(4, 4, FormatA8R8G8B8());
    tooManyLevels.caps.caps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
    tooManyLevels.flags |= DDSD_MIPMAPCOUNT;
    tooManyLevels.mipMapCount = 4;  // 4x4, 2x2, 1x1: three at most
    SurfaceDesc depthWithoutFormat = Texture(8, 8, FormatA8R8G8B8());
    depthWithoutFormat.caps.caps = DDSCAPS_ZBUFFER;
    depthWithoutFormat.flags &= ~DDSD_PIXELFORMAT;
    SurfaceDesc colourAsDepth = depthWithoutFormat;
    colourAsDepth.flags |= DDSD_PIXELFORMAT;
    colourAsDepth.pixelFormat = FormatR5G6B5();
    SurfaceDesc depth = colourAsDepth;
    depth.pixelFormat = DepthFormat(32, 8);
    SurfaceDesc luminance = Texture(8, 8, PixelFormat{});
    luminance.pixelFormat.flags = DDPF_LUMINANCE;
    luminance.pixelFormat.rgbBitCount = 8;

    const struct {
        const char* name;
        SurfaceDesc desc;
        HRESULT expected;
    } cases[] = {
        {"texture", Texture(8, 8, FormatA8R8G8B8()), DD_OK},
        {"no width", noSize, DDERR_INVALIDPARAMS},
        {"zero height", Texture(8, 0, FormatA8R8G8B8()), DDERR_INVALIDPARAMS},
        {"more levels than halvings", tooManyLevels, DDERR_INVALIDPARAMS},
        {"depth buffer without format", depthWithoutFormat, DDERR_INVALIDPIXELFORMAT},
        {"depth buffer with a colour format", colourAsDepth, DDERR_INVALIDPIXELFORMAT},
        {"depth buffer", depth, DD_OK},
        {"8-bit luminance", luminance, DDERR_INVALIDPIXELFORMAT},
    };
    for (const auto& c : cases) {
        DirectDrawSurface* s = nullptr;
        EXPECT_EQ(dd_->CreateSurface(c.desc, &s), c.expected) << c.name;
        EXPECT_EQ(s != nullptr, c.expected == DD_OK) << c.name;
        if (s != nullptr) {
            s->Release();
        }
    }
}

TEST_F(MemorySurfaceTest, MipChainHalvesEachSideDownToOnePixel)
{
    SurfaceDesc d = Texture(256, 64, FormatX8R8G8B8());
    d.caps.caps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
    d.flags |= DDSD_MIPMAPCOUNT;
    d.mipMapCount = 9;
    DirectDrawSurface* top = nullptr;
    ASSERT_EQ(dd_->CreateSurface(d, &top), DD_OK);
    std::vector<std::pair<uint32_t, uint32_t>> sizes;
    DirectDrawSurface* level = top;
    level->AddRef();
    while (level != nullptr) {
        SurfaceDesc ld;
        level->GetSurfaceDesc(ld);
        sizes.emplace_back(ld.width, ld.height);
        DirectDrawSurface* next = nullptr;
        const HRESULT hr = level->GetAttachedSurface(SurfaceCaps{DDSCAPS_TEXTURE | DDSCAPS_MIPMAP, 0}, &next);
        EXPECT_EQ(hr, next != nullptr ? DD_OK : DDERR_NOTFOUND);
        level->Release();
        level = next;
    }
    const std::vector<std::pair<uint32_t, uint32_t>> expected = {
        {256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
    EXPECT_EQ(sizes, expected);
    EXPECT_EQ(top->Release(), 0u);
}

TEST_F(MemorySurfaceTest, LockGivesRowsAtThePitchAndKeepsWhatWasWritten)
{
    // 3 pixels of 16 bits: 6 bytes of pixels, rows padded to 8.
    DirectDrawSurface* s = nullptr;
    ASSERT_EQ(dd_->CreateSurface(Texture(3, 2, FormatR5G6B5()), &s), DD_OK);
    SurfaceDesc locked;
    ASSERT_EQ(s->Lock(nullptr, locked, DDLOCK_WAIT | DDLOCK_WRITEONLY), DD_OK);
    EXPECT_EQ(locked.pitch, 8);
    SurfaceDesc again;
    EXPECT_EQ(s->Lock(nullptr, again, DDLOCK_WAIT), DDERR_SURFACEBUSY);
    for (int y = 0; y < 2; ++y) {
        for (uint16_t x = 0; x < 3; ++x) {
            const uint16_t v = static_cast<uint16_t>(0x1000 * y + x);
            std::memcpy(static_cast<uint8_t*>(locked.surface) + y * locked.pitch + 2 * x, &v, 2);
        }
    }
    ASSERT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);

    // A rectangle locks from its first pixel; a copy of the same format
    // keeps every pixel; a copy between formats is refused.
    const Rect last{2, 1, 3, 2};
    ASSERT_EQ(s->Lock(&last, locked, DDLOCK_READONLY), DD_OK);
    uint16_t v = 0;
    std::memcpy(&v, locked.surface, 2);
    EXPECT_EQ(v, 0x1002);
    s->Unlock(nullptr);
    const Rect outside{2, 1, 4, 2};
    EXPECT_EQ(s->Lock(&outside, locked, 0), DDERR_INVALIDRECT);

    DirectDrawSurface* copy = nullptr;
    ASSERT_EQ(dd_->CreateSurface(Texture(3, 2, FormatR5G6B5()), &copy), DD_OK);
    ASSERT_EQ(copy->Blt(nullptr, s, nullptr, DDBLT_WAIT), DD_OK);
    ASSERT_EQ(copy->Lock(nullptr, locked, DDLOCK_READONLY), DD_OK);
    std::memcpy(&v, static_cast<uint8_t*>(locked.surface) + locked.pitch + 2, 2);
    EXPECT_EQ(v, 0x1001);
    copy->Unlock(nullptr);
    DirectDrawSurface* wide = nullptr;
    ASSERT_EQ(dd_->CreateSurface(Texture(3, 2, FormatA8R8G8B8()), &wide), DD_OK);
    EXPECT_EQ(wide->Blt(nullptr, s, nullptr, DDBLT_WAIT), DDERR_INVALIDPIXELFORMAT);

    // A write lock counts as a change (the drivers upload changed levels);
    // a read-only one does not.
    auto* memory = dynamic_cast<MemorySurface*>(s);
    ASSERT_NE(memory, nullptr);
    const uint64_t changes = memory->ChangeCount();
    s->Lock(nullptr, locked, DDLOCK_READONLY);
    s->Unlock(nullptr);
    EXPECT_EQ(memory->ChangeCount(), changes);
    s->Lock(nullptr, locked, 0);
    s->Unlock(nullptr);
    EXPECT_EQ(memory->ChangeCount(), changes + 1);

    wide->Release();
    copy->Release();
    s->Release();
}

} // namespace
} // namespace Platform
