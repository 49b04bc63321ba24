#include "platform/graphics/opengl/GlFrameRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform {

namespace {

Matrix Multiply(const Matrix& a, const Matrix& b)
{
    Matrix r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float v = 0;
            for (int k = 0; k < 4; ++k) {
                v += a.m[i][k] * b.m[k][j];
            }
            r.m[i][j] = v;
        }
    }
    return r;
}

bool Covers(const Rect& r, const Rect& whole)
{
    return r.left <= whole.left && r.top <= whole.top && r.right >= whole.right && r.bottom >= whole.bottom;
}

} // namespace

bool RectEmpty(const Rect& r)
{
    return r.left >= r.right || r.top >= r.bottom;
}

Rect RectUnion(const Rect& a, const Rect& b)
{
    if (RectEmpty(a)) {
        return b;
    }
    if (RectEmpty(b)) {
        return a;
    }
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

Rect RectIntersection(const Rect& a, const Rect& b)
{
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return RectEmpty(r) ? Rect{} : r;
}

GlRecordedOp GlRecordedOp::MakeClear(std::vector<Rect> rects, uint32_t flags, GLbitfield mask, D3DCOLOR color, float z,
                                     uint32_t stencil)
{
    GlRecordedOp op;
    op.kind = Kind::Clear;
    for (const Rect& r : rects) {
        op.bounds = RectUnion(op.bounds, r);
    }
    op.rects = std::move(rects);
    op.flags = flags;
    op.mask = mask;
    op.color = color;
    op.z = z;
    op.stencil = stencil;
    return op;
}

GlRecordedOp GlRecordedOp::MakeDraw(const GlDrawState& state,
                                    const std::array<uint64_t, GlDrawState::kStages>& textureVersions,
                                    PrimitiveType type, uint32_t vertexFormat, const uint8_t* vertices, uint32_t stride,
                                    const uint16_t* indices, uint32_t indexCount, bool vertexAlphaOne,
                                    const Rect& bounds)
{
    GlRecordedOp op;
    op.kind = Kind::Draw;
    op.state = state;
    for (DirectDrawSurface* t : op.state.texture) {
        if (t != nullptr) {
            t->AddRef();
        }
    }
    op.textureVersions = textureVersions;
    op.type = type;
    op.vertexFormat = vertexFormat;
    op.stride = stride;
    op.vertexAlphaOne = vertexAlphaOne;
    uint32_t used = 0;
    for (uint32_t i = 0; i < indexCount; ++i) {
        used = std::max<uint32_t>(used, indices[i] + 1u);
    }
    op.vertices.assign(vertices, vertices + static_cast<size_t>(used) * stride);
    op.indices.assign(indices, indices + indexCount);
    op.bounds = bounds;
    return op;
}

GlRecordedOp::GlRecordedOp(GlRecordedOp&& other) noexcept
{
    *this = std::move(other);
}

GlRecordedOp& GlRecordedOp::operator=(GlRecordedOp&& other) noexcept
{
    if (this != &other) {
        ReleaseTextures();
        kind = other.kind;
        rects = std::move(other.rects);
        flags = other.flags;
        mask = other.mask;
        color = other.color;
        z = other.z;
        stencil = other.stencil;
        state = std::move(other.state);
        other.state.texture.fill(nullptr); // the references move with it
        textureVersions = other.textureVersions;
        type = other.type;
        vertexFormat = other.vertexFormat;
        stride = other.stride;
        vertexAlphaOne = other.vertexAlphaOne;
        vertices = std::move(other.vertices);
        indices = std::move(other.indices);
        bounds = other.bounds;
    }
    return *this;
}

GlRecordedOp::~GlRecordedOp()
{
    ReleaseTextures();
}

void GlRecordedOp::ReleaseTextures()
{
    for (DirectDrawSurface*& t : state.texture) {
        if (t != nullptr) {
            t->Release();
            t = nullptr;
        }
    }
}

bool GlRecordedOp::SameAs(const GlRecordedOp& other) const
{
    if (kind != other.kind) {
        return false;
    }
    if (kind == Kind::Clear) {
        return rects == other.rects && flags == other.flags && mask == other.mask && color == other.color &&
               std::memcmp(&z, &other.z, sizeof z) == 0 && stencil == other.stencil;
    }
    return type == other.type && vertexFormat == other.vertexFormat && indices == other.indices &&
           vertices == other.vertices && textureVersions == other.textureVersions && state == other.state;
}

Rect DrawBounds(const GlDrawState& state, const uint8_t* vertices, uint32_t stride, const uint16_t* indices,
                uint32_t indexCount)
{
    const Viewport& v = state.viewport;
    const Rect view{static_cast<int32_t>(v.x), static_cast<int32_t>(v.y), static_cast<int32_t>(v.x + v.width),
                    static_cast<int32_t>(v.y + v.height)};
    const Matrix m = Multiply(Multiply(state.world, state.view), state.projection);
    float left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (uint32_t i = 0; i < indexCount; ++i) {
        float p[3];
        std::memcpy(p, vertices + static_cast<size_t>(indices[i]) * stride, sizeof p);
        float c[4];
        for (int j = 0; j < 4; ++j) {
            c[j] = p[0] * m.m[0][j] + p[1] * m.m[1][j] + p[2] * m.m[2][j] + m.m[3][j];
        }
        // At or behind the eye the triangle is clipped in ways the box of
        // its corners does not bound.
        if (!(c[3] > 1e-6f)) {
            return view;
        }
        const float x = static_cast<float>(v.x) + (c[0] / c[3] + 1) * 0.5f * static_cast<float>(v.width);
        const float y = static_cast<float>(v.y) + (1 - c[1] / c[3]) * 0.5f * static_cast<float>(v.height);
        if (!std::isfinite(x) || !std::isfinite(y)) {
            return view;
        }
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    if (indexCount == 0) {
        return Rect{};
    }
    // Clamped before the conversion: a vertex far off screen is no int.
    auto clamp = [](float f, int32_t lo, int32_t hi) {
        return static_cast<int32_t>(std::clamp(f, static_cast<float>(lo), static_cast<float>(hi)));
    };
    const Rect box{
        clamp(std::floor(left) - 1, view.left, view.right), clamp(std::floor(top) - 1, view.top, view.bottom),
        clamp(std::ceil(right) + 1, view.left, view.right), clamp(std::ceil(bottom) + 1, view.top, view.bottom)};
    return RectEmpty(box) ? Rect{} : box;
}

bool DefinesWholePicture(const std::vector<GlRecordedOp>& ops, const Rect& whole)
{
    if (ops.empty() || ops.front().kind != GlRecordedOp::Kind::Clear) {
        return false;
    }
    const GlRecordedOp& first = ops.front();
    const bool coversWhole =
        std::any_of(first.rects.begin(), first.rects.end(), [&](const Rect& r) { return Covers(r, whole); });
    if (!coversWhole || (first.flags & D3DCLEAR_TARGET) == 0) {
        return false;
    }
    for (const GlRecordedOp& op : ops) {
        if (op.kind != GlRecordedOp::Kind::Draw) {
            continue;
        }
        if (op.state.renderState[D3DRENDERSTATE_ZENABLE] != 0 && (first.flags & D3DCLEAR_ZBUFFER) == 0) {
            return false;
        }
        if (op.state.renderState[D3DRENDERSTATE_STENCILENABLE] != 0 && (first.flags & D3DCLEAR_STENCIL) == 0) {
            return false;
        }
    }
    return true;
}

std::vector<Rect> DamageBetween(const std::vector<GlRecordedOp>& before, const std::vector<GlRecordedOp>& now)
{
    std::vector<Rect> boxes;
    const size_t count = std::max(before.size(), now.size());
    for (size_t i = 0; i < count; ++i) {
        if (i < before.size() && i < now.size() && before[i].SameAs(now[i])) {
            continue;
        }
        for (const auto* ops : {&before, &now}) {
            if (i < ops->size() && !RectEmpty((*ops)[i].bounds)) {
                boxes.push_back((*ops)[i].bounds);
            }
        }
    }
    // Boxes that overlap become one, until none overlaps: every pixel is
    // then drawn again once. Past a few dozen boxes the draws repeated for
    // each cost more than the pixels they spare.
    constexpr size_t kMostBoxes = 16;
    bool merged = boxes.size() <= 4 * kMostBoxes;
    while (merged) {
        merged = false;
        for (size_t i = 0; i < boxes.size(); ++i) {
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                if (!RectEmpty(RectIntersection(boxes[i], boxes[j]))) {
                    boxes[i] = RectUnion(boxes[i], boxes[j]);
                    boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                    j = i; // the grown box may now meet those already passed
                }
            }
        }
    }
    if (boxes.size() > kMostBoxes) {
        Rect all{};
        for (const Rect& r : boxes) {
            all = RectUnion(all, r);
        }
        boxes.assign(1, all);
    }
    return boxes;
}

} // namespace Platform
