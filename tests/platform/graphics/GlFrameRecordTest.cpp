// Where a recorded frame must be drawn again. A box too small leaves stale
// pixels on screen, so the cases here are those where a box is easy to get
// wrong.
#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/opengl/GlFrameRecord.h"

namespace Platform {
namespace {

struct Position {
    float x, y, z;
};

GlDrawState StateOn(uint32_t width, uint32_t height)
{
    GlDrawState state;
    state.viewport = Viewport{0, 0, width, height, 0, 1};
    return state;
}

GlRecordedOp Draw(const GlDrawState& state, const std::vector<Position>& corners)
{
    std::vector<uint16_t> indices;
    for (size_t i = 0; i < corners.size(); ++i) {
        indices.push_back(static_cast<uint16_t>(i));
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(corners.data());
    const Rect bounds =
        DrawBounds(state, bytes, sizeof(Position), indices.data(), static_cast<uint32_t>(indices.size()));
    return GlRecordedOp::MakeDraw(state, {}, D3DPT_TRIANGLELIST, 0, bytes, sizeof(Position), indices.data(),
                                  static_cast<uint32_t>(indices.size()), true, bounds);
}

GlRecordedOp WholeClear(uint32_t flags)
{
    return GlRecordedOp::MakeClear({Rect{0, 0, 100, 100}}, flags, 0, 0, 1, 0);
}

TEST(GlFrameRecordTest, DrawBoundsCoverTheVerticesOrTheWholeViewport)
{
    const GlDrawState flat = StateOn(100, 100);
    GlDrawState offset = flat;
    offset.viewport = Viewport{50, 0, 50, 100, 0, 1};
    GlDrawState perspective = flat;
    perspective.projection.m[2][3] = 1; // w = z
    perspective.projection.m[3][3] = 0;
    struct Case {
        const char* name;
        const GlDrawState& state;
        std::vector<Position> corners;
        Rect expected;
    };
    const Case cases[] = {
        // Clip space to pixels, y down, a pixel of margin.
        {"centre", flat, {{-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0, -0.5f, 0}}, Rect{24, 24, 76, 76}},
        {"in a viewport", offset, {{-1, 1, 0}, {0, 0, 0}, {-1, 0, 0}}, Rect{50, 0, 76, 51}},
        {"far off screen", flat, {{-1e30f, 0, 0}, {1e30f, 0.5f, 0}, {0, 1e30f, 0}}, Rect{0, 0, 100, 51}},
        {"entirely off screen", flat, {{2, 2, 0}, {3, 2, 0}, {2, 3, 0}}, Rect{}},
        {"in front of the eye", perspective, {{-1, 1, 2}, {1, 1, 2}, {0, 0, 2}}, Rect{24, 24, 76, 51}},
        {"behind the eye", perspective, {{-1, 1, 2}, {1, 1, 2}, {0, 0, -2}}, Rect{0, 0, 100, 100}},
        {"at the eye", perspective, {{-1, 1, 2}, {1, 1, 2}, {0, 0, 0}}, Rect{0, 0, 100, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Draw(c.state, c.corners).bounds, c.expected) << c.name;
    }
}

TEST(GlFrameRecordTest, DamageIsWhereOperationsDifferPositionByPosition)
{
    const GlDrawState state = StateOn(100, 100);
    GlDrawState blended = state;
    blended.renderState[D3DRENDERSTATE_ALPHABLENDENABLE] = 1;
    // Boxes 0..26 x 0..51, 74..100 x 0..51, and 4..32 x 0..51 (-0.4 maps to a hair over 30).
    const std::vector<Position> left{{-1, 1, 0}, {-0.5f, 1, 0}, {-1, 0, 0}};
    const std::vector<Position> right{{0.5f, 1, 0}, {1, 1, 0}, {0.5f, 0, 0}};
    const std::vector<Position> nudged{{-0.9f, 1, 0}, {-0.4f, 1, 0}, {-0.9f, 0, 0}};
    struct Side {
        const GlDrawState* state;
        const std::vector<Position>* corners;
    };
    struct Case {
        const char* name;
        std::vector<Side> before, now;
        std::vector<Rect> expected;
    };
    const Case cases[] = {
        {"the same frame", {{&state, &left}, {&state, &right}}, {{&state, &left}, {&state, &right}}, {}},
        {"a state changed", {{&state, &left}}, {{&blended, &left}}, {Rect{0, 0, 26, 51}}},
        {"moved across: where it was and where it is, apart",
         {{&state, &left}},
         {{&state, &right}},
         {Rect{0, 0, 26, 51}, Rect{74, 0, 100, 51}}},
        {"moved a little: one box", {{&state, &left}}, {{&state, &nudged}}, {Rect{0, 0, 32, 51}}},
        {"one fewer", {{&state, &left}, {&state, &right}}, {{&state, &left}}, {Rect{74, 0, 100, 51}}},
        {"overlapping boxes joined",
         {{&state, &left}, {&state, &right}, {&state, &nudged}},
         {{&blended, &left}, {&blended, &right}, {&state, &right}},
         {Rect{0, 0, 32, 51}, Rect{74, 0, 100, 51}}},
    };
    auto frame = [](const std::vector<Side>& sides) {
        std::vector<GlRecordedOp> ops;
        ops.push_back(WholeClear(D3DCLEAR_TARGET));
        for (const Side& side : sides) {
            ops.push_back(Draw(*side.state, *side.corners));
        }
        return ops;
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DamageBetween(frame(c.before), frame(c.now)), c.expected) << c.name;
    }

    std::vector<GlRecordedOp> a = frame({{&state, &left}}), b = frame({});
    b.push_back(GlRecordedOp::MakeClear({Rect{0, 0, 10, 10}}, D3DCLEAR_TARGET, 0, 0, 1, 0));
    EXPECT_EQ(DamageBetween(a, b), (std::vector<Rect>{Rect{0, 0, 26, 51}})) << "a clear in its place";
}

TEST(GlFrameRecordTest, OnlyAFrameThatClearsWhatItUsesDefinesThePicture)
{
    const Rect whole{0, 0, 100, 100};
    GlDrawState depthTested = StateOn(100, 100);
    depthTested.renderState[D3DRENDERSTATE_ZENABLE] = 1;
    const std::vector<Position> tri{{-1, 1, 0}, {1, 1, 0}, {0, 0, 0}};
    struct Case {
        const char* name;
        bool clearFirst;
        uint32_t flags;
        Rect clearRect;
        bool expected;
    };
    const Case cases[] = {
        {"no clear", false, 0, whole, false},
        {"colour and depth", true, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, whole, true},
        {"colour only, depth tested", true, D3DCLEAR_TARGET, whole, false},
        {"depth only", true, D3DCLEAR_ZBUFFER, whole, false},
        {"part of the target", true, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, Rect{0, 0, 100, 99}, false},
    };
    for (const Case& c : cases) {
        std::vector<GlRecordedOp> ops;
        if (c.clearFirst) {
            ops.push_back(GlRecordedOp::MakeClear({c.clearRect}, c.flags, 0, 0, 1, 0));
        }
        ops.push_back(Draw(depthTested, tri));
        EXPECT_EQ(DefinesWholePicture(ops, whole), c.expected) << c.name;
    }
}

} // namespace
} // namespace Platform
