#pragma once
// What the device was asked to draw since the picture was last shown.
// Drawing is kept back until then: comparing a frame's operations with the
// frame before tells where the picture can differ, and only that part of
// the render target is drawn again. The software rasterizer pays for every
// pixel of every layer, so a screen where little moves costs little.
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "platform/graphics/Direct3DDevice.h"
#include "platform/graphics/opengl/GlShared.h"

namespace Platform {

// Every device state a draw reads.
struct GlDrawState {
    static constexpr uint32_t kStages = 4;
    Matrix world, view, projection;
    std::array<Matrix, kStages> textureMatrix;
    std::array<uint32_t, 160> renderState{};
    std::array<std::array<uint32_t, 32>, kStages> stageState{};
    std::array<DirectDrawSurface*, kStages> texture{};
    Material material;
    std::map<uint32_t, std::pair<Light, bool>> lights; // index -> (light, enabled)
    Viewport viewport;
    bool operator==(const GlDrawState&) const = default;
};

// A clear or a draw as the device took it. A draw holds a reference to each
// of its textures, and its own copy of the vertices it uses: the caller may
// fill its buffers again before the frame is shown.
class GlRecordedOp {
public:
    enum class Kind { Clear, Draw };

    static GlRecordedOp MakeClear(std::vector<Rect> rects, uint32_t flags, GLbitfield mask, D3DCOLOR color, float z,
                                  uint32_t stencil);
    // textureVersions: each stage's texture contents, as GlTextureSurface
    // counts them.
    static GlRecordedOp MakeDraw(const GlDrawState& state,
                                 const std::array<uint64_t, GlDrawState::kStages>& textureVersions, PrimitiveType type,
                                 uint32_t vertexFormat, const uint8_t* vertices, uint32_t stride,
                                 const uint16_t* indices, uint32_t indexCount, bool vertexAlphaOne, const Rect& bounds);
    GlRecordedOp(GlRecordedOp&& other) noexcept;
    GlRecordedOp& operator=(GlRecordedOp&& other) noexcept;
    GlRecordedOp(const GlRecordedOp&) = delete;
    GlRecordedOp& operator=(const GlRecordedOp&) = delete;
    ~GlRecordedOp();

    // The same operation on the same inputs: it makes the same pixels.
    bool SameAs(const GlRecordedOp& other) const;

    Kind kind = Kind::Draw;
    // Clear: rectangles on the target, clipped to the viewport; the flags
    // asked for, and what GL clears of them.
    std::vector<Rect> rects;
    uint32_t flags = 0;
    GLbitfield mask = 0;
    D3DCOLOR color = 0;
    float z = 0;
    uint32_t stencil = 0;
    // Draw.
    GlDrawState state;
    std::array<uint64_t, GlDrawState::kStages> textureVersions{};
    PrimitiveType type = D3DPT_TRIANGLELIST;
    uint32_t vertexFormat = 0;
    uint32_t stride = 0;
    bool vertexAlphaOne = true;
    std::vector<uint8_t> vertices;
    std::vector<uint16_t> indices;
    // The pixels it may change; empty when none.
    Rect bounds;

private:
    GlRecordedOp() = default;
    void ReleaseTextures();
};

bool RectEmpty(const Rect& r);
Rect RectUnion(const Rect& a, const Rect& b);
Rect RectIntersection(const Rect& a, const Rect& b);

// The pixels a draw may touch: the box of its vertices on the target, a
// pixel wider on each side, within the viewport; the whole viewport when a
// vertex lies at or behind the eye, where the box cannot be had.
Rect DrawBounds(const GlDrawState& state, const uint8_t* vertices, uint32_t stride, const uint16_t* indices,
                uint32_t indexCount);

// The frame's first operation clears the whole target, and with it depth
// and stencil where a draw of the frame tests them: the frame then makes
// its picture whatever the target held before.
bool DefinesWholePicture(const std::vector<GlRecordedOp>& ops, const Rect& whole);

// Where the picture of frame `now` can differ from that of frame `before`,
// both of which define the whole picture: the boxes of the operations that
// differ, position by position, those that overlap joined, so that no two
// of the boxes returned overlap.
std::vector<Rect> DamageBetween(const std::vector<GlRecordedOp>& before, const std::vector<GlRecordedOp>& now);

} // namespace Platform
