#include "engine/graphics/SpriteGroup.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/VertexBuffer.h"

namespace ZorvaneEngine {

namespace {

void WriteFloats(uint8_t* at, const float* values, size_t count)
{
    std::memcpy(at, values, count * sizeof(float));
}

// Column-vector product of the upper 3 × 3 plus the translation column.
Vector3 Transform(const Matrix4& m, const Vector3& v)
{
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3],
            m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7],
            m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11]};
}

// Falling view depth. A NaN depth (a sprite at a NaN position) sorts as the
// nearest, so the comparison stays a strict weak ordering and the sort stays
// inside the list.
float SortKey(const Sprite* sprite)
{
    return std::isnan(sprite->viewDepth) ? -INFINITY : sprite->viewDepth;
}

} // namespace

void AxisAngleToMatrix(const Vector3& axis, Matrix4& out, float angle)
{
    out = Matrix4::Identity();
    Vector3 a = axis;
    Normalize3D(a, 1.0f);
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    const float x = a.x, y = a.y, z = a.z;
    out[0] = c + t * x * x;
    out[1] = t * x * y - s * z;
    out[2] = t * x * z + s * y;
    out[4] = t * x * y + s * z;
    out[5] = c + t * y * y;
    out[6] = t * y * z - s * x;
    out[8] = t * x * z - s * y;
    out[9] = t * y * z + s * x;
    out[10] = c + t * z * z;
}

SpriteGroup::SpriteGroup(uint32_t capacity, MessageManager* log, CameraManager* cameras,
                         ShaderManager* shaders, ModelManager* models,
                         const ShaderDescriptor* material, Camera* camera)
    : log(log),
      cameras(cameras),
      models(models),
      shaders(shaders),
      capacity(capacity),
      camera(camera != nullptr ? camera : cameras->GetDefaultCamera())
{
    // The arrays first: when one cannot be had, no mesh is left registered.
    sprites.resize(capacity);
    for (uint32_t i = 0; i < capacity; ++i) freeList.push_back(i);
    drawList.assign(capacity, nullptr);
    mesh = models->CreateModel(MeshFlags, 4 * capacity, 6 * capacity, material, this->camera);
    WriteIndexPattern();
    WriteTexCoords();
}

SpriteGroup::SpriteGroup(const SpriteGroup& source)
    : log(source.log),
      cameras(source.cameras),
      models(source.models),
      shaders(source.shaders),
      freeList(source.freeList),
      capacity(source.capacity),
      sprites(source.sprites),
      drawList(source.capacity, nullptr),
      camera(source.camera),
      sort(source.sort),
      center(source.center),
      groupColor(source.groupColor)
{
    mesh = models->CloneModel(*source.mesh, nullptr, 0);
}

SpriteGroup::~SpriteGroup()
{
    if (models->models.Remove(mesh)) delete mesh;
}

void SpriteGroup::WriteIndexPattern()
{
    mesh->GetIndexBuffer()->WriteQuadListIndices(capacity);
}

void SpriteGroup::WriteTexCoords()
{
    static const float corners[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    VertexBuffer& vertices = *mesh->GetVertexBuffer();
    uint8_t* target = vertices.Lock(0, 4 * capacity);
    const uint32_t stride = vertices.GetStride(), offset = vertices.GetTexCoordOffset();
    for (uint32_t v = 0; target != nullptr && v < 4 * capacity; ++v) {
        WriteFloats(target + static_cast<size_t>(v) * stride + offset, corners[v % 4], 2);
    }
    vertices.Unlock();
}

uint32_t SpriteGroup::AddSprite(const Vector3& position, float size, const ColorRGBA& color)
{
    if (freeList.empty()) return 0;
    const uint32_t index = freeList.back();
    freeList.pop_back();
    Sprite& sprite = sprites[index];
    sprite.free = false;
    sprite.position = position;
    sprite.size = size;
    sprite.color = color;
    sprite.angle = 0.0f;
    return index;
}

void SpriteGroup::Build()
{
    if ((mesh->flags & ModelFlags::Visible) == 0) return;

    const Vector3 P = camera->position, R = camera->right, U = camera->up, F = camera->forward;

    center = Vector3();
    uint32_t n = 0;
    for (Sprite& sprite : sprites) {
        if (sprite.free) continue;
        if (sort) sprite.viewDepth = Dot3D(F, P - sprite.position);
        drawList[n++] = &sprite;
    }
    if (sort) {
        std::sort(drawList.begin(), drawList.begin() + n,
                  [](const Sprite* a, const Sprite* b) { return SortKey(a) > SortKey(b); });
    }

    const Vector3 offsets[4] = {R * -1.0f - U, U - R, R - U, R + U};
    VertexBuffer& vertices = *mesh->GetVertexBuffer();
    uint8_t* target = n > 0 ? vertices.Lock(0, 4 * n) : nullptr;
    const uint32_t stride = vertices.GetStride();
    for (uint32_t k = 0; target != nullptr && k < n; ++k) {
        const Sprite& sprite = *drawList[k];
        const Vector3 q = sprite.position;
        Vector3 corners[4];
        for (uint32_t j = 0; j < 4; ++j) corners[j] = q + offsets[j] * sprite.size;
        if (std::fabs(static_cast<double>(sprite.angle)) > static_cast<double>(kTolerance)) {
            Matrix4 rotation;
            AxisAngleToMatrix(F, rotation, sprite.angle);
            for (Vector3& corner : corners) corner = q + Transform(rotation, corner - q);
        }
        const ColorRGBA color(sprite.color.r * groupColor.r, sprite.color.g * groupColor.g,
                              sprite.color.b * groupColor.b, sprite.color.a * groupColor.a);
        const uint32_t packed = vertices.RGBAToColor(color);
        for (uint32_t j = 0; j < 4; ++j) {
            uint8_t* vertex = target + static_cast<size_t>(4 * k + j) * stride;
            const float position[3] = {corners[j].x, corners[j].y, corners[j].z};
            WriteFloats(vertex, position, 3);
            if (vertices.HasColors()) std::memcpy(vertex + VertexBuffer::kColorOffset, &packed, 4);
        }
        center = center + q;
    }
    if (target != nullptr) vertices.Unlock();
    if (n > 0) {
        const float count = static_cast<float>(n);
        center = Vector3(center.x / count, center.y / count, center.z / count);
    }

    mesh->GetIndexBuffer()->SetCount(6 * n);
}

} // namespace ZorvaneEngine
