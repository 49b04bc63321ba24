#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "engine/graphics/Buffers_D3D7.h"
#include "tests/engine/graphics/RendererFixture.h"

namespace ZorvaneEngine {
namespace {

TEST(IndexBufferTest, WidthFollowsTheCount)
{
    EXPECT_EQ(IndexBuffer_D3D7(nullptr, 0, 65535).GetIndexSize(), 2u);
    EXPECT_EQ(IndexBuffer_D3D7(nullptr, 0, 65536).GetIndexSize(), 4u);
}

TEST(IndexBufferTest, RangeFollowsLocksAndTheCountInUse)
{
    IndexBuffer_D3D7 buffer(nullptr, 0, 4);
    auto* data = static_cast<uint16_t*>(buffer.Lock(0, 4));
    data[0] = 7;
    data[1] = 3;
    data[2] = 9;
    data[3] = 1;
    buffer.Unlock();
    buffer.UpdateRange();
    EXPECT_EQ(buffer.GetMinIndex(), 1u);
    EXPECT_EQ(buffer.GetIndexRange(), 9u);

    // Lowering the count in use without a lock still changes the range.
    buffer.SetCount(3);
    buffer.UpdateRange();
    EXPECT_EQ(buffer.GetMinIndex(), 3u);
    EXPECT_EQ(buffer.GetIndexRange(), 7u);

    buffer.Lock(0, 3);
    buffer.Unlock();
    EXPECT_TRUE(buffer.IsRangeDirty());
    buffer.UpdateRange();
    EXPECT_EQ(buffer.GetMinIndex(), 3u);
    EXPECT_EQ(buffer.GetIndexRange(), 7u);

    buffer.SetCount(0);
    buffer.UpdateRange();
    EXPECT_EQ(buffer.GetMinIndex(), 0u);
    EXPECT_EQ(buffer.GetIndexRange(), 0u);

    // Locks stay inside the count in use.
    buffer.SetCount(4);
    EXPECT_EQ(buffer.Lock(5, 1), nullptr);
    EXPECT_NE(buffer.Lock(2, 10), nullptr);
    EXPECT_EQ(buffer.IsLocked(), true);
}

TEST(VertexBufferTest, ColorPacking)
{
    VertexBuffer_D3D7 buffer(nullptr, 1, 0, true);
    EXPECT_EQ(buffer.RGBAToColor(ColorRGBA(1.2f, 0.5f, -0.1f, 1.0f)), 0xFFFF8000u);
    const ColorRGBA c = buffer.ColorToRGBA(0x80FF0000u);
    EXPECT_FLOAT_EQ(c.r, 1.0f);
    EXPECT_FLOAT_EQ(c.g, 0.0f);
    EXPECT_FLOAT_EQ(c.b, 0.0f);
    EXPECT_FLOAT_EQ(c.a, 128.0f / 255.0f);
}

class VertexBufferFactoryTest : public RendererFixture {};

TEST_F(VertexBufferFactoryTest, ConvertingDropsAndAddsWhiteColours)
{
    Start();
    std::unique_ptr<VertexBuffer> colored(renderer->CreateVertexBuffer(2, 7, true));
    ASSERT_EQ(colored->GetStride(), 36);
    uint8_t* v = colored->Lock(0, 2);
    for (uint32_t i = 0; i < 2; ++i) {
        const float members[8] = {1.0f + i, 2, 3, 0, 1, 0, 0.25f, 0.75f + i};
        uint8_t* vertex = v + i * 36;
        std::memcpy(vertex, members, 24);
        const uint32_t red = 0xFFFF0000u;
        std::memcpy(vertex + 24, &red, 4);
        std::memcpy(vertex + 28, members + 6, 8);
    }
    colored->Unlock();

    std::unique_ptr<VertexBuffer> plain(renderer->ConvertVertexBuffer(3, false, *colored));
    std::unique_ptr<VertexBuffer> back(renderer->ConvertVertexBuffer(3, true, *plain));
    std::unique_ptr<VertexBuffer> clone(renderer->CloneVertexBuffer(*colored));
    EXPECT_EQ(plain->GetStride(), 32);
    EXPECT_EQ(plain->GetUsage(), 3u);
    EXPECT_EQ(clone->GetUsage(), 7u);
    for (uint32_t i = 0; i < 2; ++i) {
        const uint8_t* a = colored->GetVertices() + i * 36;
        const uint8_t* p = plain->GetVertices() + i * 32;
        const uint8_t* b = back->GetVertices() + i * 36;
        EXPECT_EQ(std::memcmp(a, p, 24), 0);
        EXPECT_EQ(std::memcmp(a + 28, p + 24, 8), 0);
        EXPECT_EQ(std::memcmp(a, b, 24), 0);
        EXPECT_EQ(std::memcmp(a + 28, b + 28, 8), 0);
        uint32_t color = 0;
        std::memcpy(&color, b + 24, 4);
        EXPECT_EQ(color, 0xFFFFFFFFu);
        EXPECT_EQ(std::memcmp(a, clone->GetVertices() + i * 36, 36), 0);
    }
}

} // namespace
} // namespace ZorvaneEngine
