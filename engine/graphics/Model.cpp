#include "engine/graphics/Model.h"

#include <cmath>
#include <cstring>
#include <span>

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/EngineFileHeader.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/Plane.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/BoxGeometry.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/Shader.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/VertexBuffer.h"

namespace ZorvaneEngine {

namespace {

constexpr float kBoxStart = 100000.0f;
constexpr uint32_t kFileVertexSize = 32;  // u, v, normal, position
constexpr uint32_t kSkinVertexMinimum = 10;  // u, v and a weight count of 0
constexpr uint32_t kBoneKeySize = 40;
constexpr uint32_t kBoxSize = 24;
// Exclusion flag, an empty name, box, two u16; the newer version adds a pivot.
constexpr uint32_t kBoneEntryMinimum = 1 + 1 + 24 + 4;
constexpr uint32_t kPivotSize = 12;

Vector3 Transform(const Matrix4& m, const Vector3& p)
{
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
            m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
}

Vector3 Rotate(const Matrix4& m, const Vector3& v)
{
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[4] * v.x + m[5] * v.y + m[6] * v.z,
            m[8] * v.x + m[9] * v.y + m[10] * v.z};
}

void WriteVertex(uint8_t* vertex, uint32_t texCoordOffset, const Vector3& position,
                 const Vector3& normal, float u, float v)
{
    const float values[6] = {position.x, position.y, position.z, normal.x, normal.y, normal.z};
    std::memcpy(vertex, values, sizeof values);
    const float uv[2] = {u, v};
    std::memcpy(vertex + texCoordOffset, uv, sizeof uv);
}

Vector3 ReadPosition(const VertexBuffer& buffer, uint32_t index)
{
    float p[3];
    std::memcpy(p, buffer.GetVertices() + static_cast<size_t>(index) * buffer.GetStride(), sizeof p);
    return {p[0], p[1], p[2]};
}

// Little-endian fields from a byte block already read.
class Fields {
public:
    explicit Fields(const uint8_t* bytes) : at(bytes) {}
    float F32()
    {
        float value;
        std::memcpy(&value, at, 4);
        at += 4;
        return value;
    }
    uint16_t U16()
    {
        const uint16_t value = static_cast<uint16_t>(at[0] | at[1] << 8);
        at += 2;
        return value;
    }
    uint32_t U32()
    {
        const uint32_t value = static_cast<uint32_t>(at[0] | at[1] << 8 | at[2] << 16) |
                               static_cast<uint32_t>(at[3]) << 24;
        at += 4;
        return value;
    }
    Vector3 V3()
    {
        const float x = F32(), y = F32();
        return {x, y, F32()};
    }

private:
    const uint8_t* at;
};

// Reads the model file's fields; every count is held against the bytes left
// before anything is allocated for it, so a damaged file fails with the
// format error instead of a wild read or a huge allocation.
class ModelReader {
public:
    ModelReader(FileBinary& file, const std::string& name) : file(file), name(name) {}

    uint64_t Remaining() const { return file.GetSize() - file.GetPosition(); }
    void Need(uint64_t bytes) const
    {
        if (bytes > Remaining()) Fail();
    }
    [[noreturn]] void Fail() const { throw FileError("Incorrect \"" + name + "\" file format"); }

    // count bytes, held against the bytes left before anything is allocated.
    std::vector<uint8_t> Block(uint64_t count)
    {
        Need(count);
        std::vector<uint8_t> bytes(static_cast<size_t>(count));
        if (count > 0) file.Read(bytes.data(), static_cast<uint32_t>(count));
        return bytes;
    }
    uint8_t U8()
    {
        uint8_t value;
        file.Read(&value, 1);
        return value;
    }
    uint16_t U16()
    {
        uint8_t b[2];
        file.Read(b, 2);
        return Fields(b).U16();
    }
    uint32_t U32()
    {
        uint8_t b[4];
        file.Read(b, 4);
        return Fields(b).U32();
    }
    float F32()
    {
        uint8_t b[4];
        file.Read(b, 4);
        return Fields(b).F32();
    }
    Vector3 V3()
    {
        uint8_t b[12];
        file.Read(b, 12);
        return Fields(b).V3();
    }
    BoundingBox Box()
    {
        const Vector3 minimum = V3();
        return BoundingBox(minimum, V3());
    }

private:
    FileBinary& file;
    const std::string& name;
};

} // namespace

Model::Model(const ModelServices& services, const std::string& fileName, Camera* camera,
             uint32_t extraFlags)
    : name(fileName), flags(extraFlags), camera(camera), services(services)
{
    try {
        auto file = services.files->OpenFile(AddDataFolderPrefix(fileName), false);
        ReadFile(*file);
    } catch (const FatalError&) {
        throw;
    } catch (const Error& error) {
        services.log->Error(error.message);
        throw Error(error.message);
    }
    animation = std::make_unique<AnimationControl>(frameCount, services.log, services.timers);
    animation->speed = speed;

    std::string materialName = fileName;
    SetFileExtension(materialName, "srf");
    material = services.shaders->LoadShader(materialName);
    if (this->camera == nullptr) this->camera = services.cameras->GetDefaultCamera();
    strip = (flags & ModelFlags::List) ? 0 : 1;
    SetPrimitiveCount();
}

void Model::ReadFile(FileBinary& file)
{
    ModelReader in(file, name);
    const EngineFileHeader header = EngineFileHeader::Read(file);
    if (!header.HasMagic("ZVMLF") || header.fileSize != file.GetSize()) in.Fail();
    if (header.version != FileVersion && header.version != OldFileVersion) {
        throw FileError("Incorrect \"" + name + "\" format version, current is " +
                        UIntToText(FileVersion));
    }

    flags |= in.U32();
    if (flags == 0) flags = ModelFlags::VertexBufferUsage;
    const uint32_t kind = VertexKindOfFlags();
    if (kind == ModelFlags::Morph || kind == ModelFlags::Skinned) animatedKind = kind;

    if (flags & ModelFlags::Animated) {
        frameCount = in.U32();
        speed = in.F32();
        // No frame to show; the animation's ranges would wrap below frame 0.
        if (frameCount == 0) in.Fail();
    }

    uint16_t boneCount = 0;
    if (flags & ModelFlags::Skinned) {
        boneCount = in.U16();
        const uint32_t entry = kBoneEntryMinimum + (header.version >= FileVersion ? kPivotSize : 0);
        in.Need(uint64_t{boneCount} * entry);
        skeleton = std::make_unique<Skeleton>(services.log, boneCount);
        for (uint16_t b = 0; b < boneCount; ++b) {
            Bone& bone = skeleton->GetBone(b);
            bone.boundsExcluded = in.U8();
            file.ReadString(bone.name);
            if (header.version >= FileVersion) bone.pivot = in.V3();
            bone.box = in.Box();
            bone.fileValue1 = in.U16();
            bone.fileValue2 = in.U16();
        }
        const uint64_t keyCount = uint64_t{boneCount} * frameCount;
        in.Need(keyCount * kBoneKeySize);
        const std::vector<uint8_t> bytes = in.Block(keyCount * kBoneKeySize);
        Fields keys(bytes.data());
        boneKeys.resize(static_cast<size_t>(keyCount));
        for (BoneKey& key : boneKeys) {
            key.position = keys.V3();
            key.rotation.x = keys.F32();
            key.rotation.y = keys.F32();
            key.rotation.z = keys.F32();
            key.rotation.w = keys.F32();
            key.scale = keys.V3();
        }
    }

    const uint32_t indexCount = in.U32();
    const uint32_t vertexCount = in.U32();
    const uint32_t indexSize = indexCount > IndexBuffer::kMax16BitCount ? 4 : 2;
    const uint64_t boxBytes = uint64_t{kind == ModelFlags::Morph ? frameCount : 1} * kBoxSize;
    uint64_t vertexBytes = 0;
    if (kind == ModelFlags::Static) {
        vertexBytes = uint64_t{vertexCount} * kFileVertexSize;
    } else if (kind == ModelFlags::Morph) {
        vertexBytes = uint64_t{vertexCount} * kFileVertexSize * frameCount;
    } else if (kind == ModelFlags::Skinned) {
        vertexBytes = uint64_t{vertexCount} * kSkinVertexMinimum;
    } else if (vertexCount > indexCount) {
        // No vertex data backs the count: the indices can name no more.
        in.Fail();
    }
    in.Need(uint64_t{indexCount} * indexSize + vertexBytes + boxBytes);

    CreateBuffers(vertexCount, indexCount);
    {
        const std::vector<uint8_t> bytes = in.Block(uint64_t{indexCount} * indexSize);
        void* target = indexBuffer->Lock(0, indexCount);
        if (indexCount > 0) std::memcpy(target, bytes.data(), bytes.size());
        indexBuffer->Unlock();
        for (uint32_t i = 0; i < indexCount; ++i) {
            if (indexBuffer->GetIndex(i) >= vertexCount) in.Fail();
        }
    }

    const uint32_t texCoords = vertexBuffer->GetTexCoordOffset();
    const uint32_t stride = vertexBuffer->GetStride();
    if (kind == ModelFlags::Static) {
        const std::vector<uint8_t> bytes = in.Block(vertexBytes);
        Fields vertices(bytes.data());
        uint8_t* target = vertexBuffer->Lock(0, vertexCount);
        for (uint32_t i = 0; i < vertexCount; ++i) {
            const float u = vertices.F32(), v = vertices.F32();
            const Vector3 normal = vertices.V3();
            WriteVertex(target + static_cast<size_t>(i) * stride, texCoords, vertices.V3(), normal, u, v);
        }
        vertexBuffer->Unlock();
    } else if (kind == ModelFlags::Morph) {
        const std::vector<uint8_t> bytes = in.Block(vertexBytes);
        Fields vertices(bytes.data());
        morphVertices.resize(static_cast<size_t>(vertexCount) * frameCount);
        for (MorphVertex& vertex : morphVertices) {
            vertex.u = vertices.F32();
            vertex.v = vertices.F32();
            vertex.normal = vertices.V3();
            vertex.position = vertices.V3();
        }
    } else if (kind == ModelFlags::Skinned) {
        skinVertices.resize(vertexCount);
        uint8_t* target = vertexBuffer->Lock(0, vertexCount);
        for (uint32_t i = 0; i < vertexCount; ++i) {
            const float uv[2] = {in.F32(), in.F32()};
            std::memcpy(target + static_cast<size_t>(i) * stride + texCoords, uv, sizeof uv);
            SkinVertex& vertex = skinVertices[i];
            vertex.weightCount = in.U16();
            if (vertex.weightCount > SkinVertex::MaxWeights) in.Fail();
            for (uint16_t w = 0; w < vertex.weightCount; ++w) {
                SkinWeight& weight = vertex.weights[w];
                weight.bone = in.U16();
                if (weight.bone >= boneCount) in.Fail();
                weight.weight = in.F32();
                weight.normal = in.V3();
                weight.position = in.V3();
            }
        }
        vertexBuffer->Unlock();
    }

    if (kind == ModelFlags::Morph) {
        frameBoxes.reserve(frameCount);
        for (uint32_t f = 0; f < frameCount; ++f) frameBoxes.push_back(in.Box());
        box = frameBoxes[0];
    } else {
        box = in.Box();
    }
}

Model::Model(const Model& source, Camera* camera, uint32_t extraFlags)
    : name(source.name),
      flags(source.flags | extraFlags),
      camera(camera != nullptr ? camera : source.camera),
      currentTransform(source.currentTransform),
      baseTransform(source.baseTransform),
      box(source.box),
      depthKey(source.depthKey),
      depthBias(source.depthBias),
      services(source.services),
      strip(source.strip),
      animatedKind(source.animatedKind),
      skinVertices(source.skinVertices),
      morphVertices(source.morphVertices),
      boneKeys(source.boneKeys),
      frameBoxes(source.frameBoxes),
      frameCount(source.frameCount),
      speed(source.speed),
      cacheValid(source.cacheValid),
      cachedFrame(source.cachedFrame),
      cachedNextFrame(source.cachedNextFrame),
      cachedBlend(source.cachedBlend)
{
    if (flags == 0) flags = ModelFlags::VertexBufferUsage;
    animation = std::make_unique<AnimationControl>(*source.animation);
    if (source.skeleton) skeleton = std::make_unique<Skeleton>(*source.skeleton);
    vertexBuffer.reset(services.renderer->ConvertVertexBuffer(
        (flags & ModelFlags::VertexBufferUsage) ? 1 : 0, (flags & ModelFlags::VertexColor) != 0,
        *source.vertexBuffer));
    indexBuffer.reset(services.renderer->ConvertIndexBuffer(
        (flags & ModelFlags::IndexBufferUsage) ? 1 : 0, *source.indexBuffer));
    material = services.shaders->CreateShaderUser(*source.material);
    if (this->camera == nullptr) this->camera = services.cameras->GetDefaultCamera();
    box.transform = currentTransform;
    box.Update(true);
    SetPrimitiveCount();
}

Model::Model(const ModelServices& services, uint32_t flags, uint32_t vertexCount,
             uint32_t indexCount, const ShaderDescriptor* description, Camera* camera)
    : name("self_made"),
      flags(flags != 0 ? flags : ModelFlags::VertexBufferUsage),
      camera(camera != nullptr ? camera : services.cameras->GetDefaultCamera()),
      services(services)
{
    animation = std::make_unique<AnimationControl>(1, services.log, services.timers);
    CreateBuffers(vertexCount, indexCount);
    if (description != nullptr) {
        material = services.shaders->CreateShaderUser(*description);
    } else {
        material = services.shaders->CreateShaderUser(ShaderDescriptor(0));
    }
    box = BoundingBox(Vector3(-kTolerance, -kTolerance, -kTolerance),
                      Vector3(kTolerance, kTolerance, kTolerance));
    strip = (this->flags & ModelFlags::List) ? 0 : 1;
    SetPrimitiveCount();
}

Model::Model(const ModelServices& services, const Vector3& minimum, const Vector3& maximum,
             Camera* camera, uint32_t extraFlags)
    : name("box"),
      flags(ModelFlags::Static | ModelFlags::List | ModelFlags::Lighting | ModelFlags::DepthTest |
            ModelFlags::GroupFirst | ModelFlags::Cull1 | ModelFlags::Visible),
      camera(camera != nullptr ? camera : services.cameras->GetDefaultCamera()),
      services(services)
{
    SetFlags(extraFlags);
    animation = std::make_unique<AnimationControl>(1, services.log, services.timers);
    CreateBuffers(24, 36);
    material = services.shaders->CreateShaderUser(ShaderDescriptor(0));

    const std::array<BoxFace, kBoxFaceCount> faces = BoxFaces(minimum, maximum);
    uint8_t* vertices = vertexBuffer->Lock(0, 24);
    auto* indices = static_cast<uint16_t*>(indexBuffer->Lock(0, 36));
    const uint32_t stride = vertexBuffer->GetStride();
    for (uint32_t f = 0; f < kBoxFaceCount; ++f) {
        for (uint32_t i = 0; i < 4; ++i) {
            WriteVertex(vertices + (4 * f + i) * stride, vertexBuffer->GetTexCoordOffset(),
                        faces[f].corners[i], faces[f].normal, faces[f].uv[i][0], faces[f].uv[i][1]);
        }
        const std::array<uint32_t, 6> face = BoxFaceIndices(f);
        for (uint32_t k = 0; k < 6; ++k) {
            indices[6 * f + k] = static_cast<uint16_t>(face[k]);
        }
    }
    indexBuffer->Unlock();
    vertexBuffer->Unlock();

    strip = (flags & ModelFlags::List) ? 0 : 1;
    SetPrimitiveCount();
    ComputeBoundingBox(box);
}

Model::~Model()
{
    services.shaders->RemoveShader(material);
}

uint32_t Model::VertexKindOfFlags() const
{
    if (flags & ModelFlags::Static) return ModelFlags::Static;
    if (flags & ModelFlags::Morph) return ModelFlags::Morph;
    if (flags & ModelFlags::Skinned) return ModelFlags::Skinned;
    return 0;
}

void Model::CreateBuffers(uint32_t vertexCount, uint32_t indexCount)
{
    indexBuffer.reset(services.renderer->CreateIndexBuffer(
        (flags & ModelFlags::IndexBufferUsage) ? 1 : 0, indexCount));
    vertexBuffer.reset(services.renderer->CreateVertexBuffer(
        vertexCount, (flags & ModelFlags::VertexBufferUsage) ? 1 : 0,
        (flags & ModelFlags::VertexColor) != 0));
}

void Model::SetPrimitiveCount()
{
    const uint32_t indexCount = indexBuffer->GetCount();
    if (strip) {
        // Fewer than three indices make no triangle; the count must not wrap.
        primitiveCount = indexCount > 2 ? indexCount - 2 : 0;
    } else {
        primitiveCount = indexCount / 3;
    }
}

void Model::Update(bool cull)
{
    uint32_t current = 0, next = 0;
    float blend = 0.0f;
    if (flags & ModelFlags::Animated) {
        animation->Update();
        current = animation->currentFrame;
        next = animation->nextFrame;
        blend = animation->blend;
        // The frame data ends at the model's last frame, whatever an owner
        // made of the animation's ranges.
        if (current >= frameCount) current = frameCount - 1;
        if (next >= frameCount) next = frameCount - 1;
    }
    if (!(flags & ModelFlags::Visible)) return;

    const uint32_t kind = animatedKind;
    if ((flags & ModelFlags::Static) && (flags & ModelFlags::BoxFromVertices)) {
        ComputeBoundingBox(box);
        box.transform = currentTransform;
        box.Update(true);
    } else if (kind == ModelFlags::Morph) {
        const BoundingBox& a = frameBoxes[current];
        const BoundingBox& b = frameBoxes[next];
        const float keep = 1.0f - blend;
        const Vector3 center = a.center * keep + b.center * blend;
        const Vector3 half = a.halfSize * keep + b.halfSize * blend;
        box.localMin = center - half;
        box.localMax = center + half;
        box.transform = currentTransform;
        box.Update(true);
    } else if (kind == ModelFlags::Skinned) {
        const size_t bones = skeleton->GetBoneCount();
        const std::span<const BoneKey> keys(boneKeys);
        skeleton->SetPose(keys.subspan(current * bones, bones), keys.subspan(next * bones, bones), blend);
        skeleton->Update();
        Vector3 minimum(kBoxStart, kBoxStart, kBoxStart);
        Vector3 maximum(-kBoxStart, -kBoxStart, -kBoxStart);
        for (uint16_t i = 0; i < skeleton->GetBoneCount(); ++i) {
            const Bone& bone = skeleton->GetBone(i);
            if (bone.boundsExcluded != 0) continue;
            minimum.x = std::min(minimum.x, bone.box.worldMin.x);
            minimum.y = std::min(minimum.y, bone.box.worldMin.y);
            minimum.z = std::min(minimum.z, bone.box.worldMin.z);
            maximum.x = std::max(maximum.x, bone.box.worldMax.x);
            maximum.y = std::max(maximum.y, bone.box.worldMax.y);
            maximum.z = std::max(maximum.z, bone.box.worldMax.z);
        }
        box.localMin = minimum;
        box.localMax = maximum;
        box.Update(false);
        box.transform = currentTransform;
        box.Update(true);
    }

    SetPrimitiveCount();
    drawCount = primitiveCount;
    if (cull && camera != nullptr && camera->frustum && !camera->frustum->IsSphereVisible(box)) {
        drawCount = 0;
    }
    if (drawCount == 0) return;

    if (!(flags & ModelFlags::FixedDepthKey) && camera != nullptr) {
        depthKey = Dot3D(camera->forward, camera->position - box.center);
    }

    const bool unchanged = cacheValid && cachedFrame == current && cachedNextFrame == next &&
                           Abs(cachedBlend - blend) < kTolerance;
    cacheValid = true;
    cachedFrame = current;
    cachedNextFrame = next;
    cachedBlend = blend;
    if (!unchanged) UpdateVertices(current, next, blend);
}

void Model::UpdateVertices(uint32_t current, uint32_t next, float blend)
{
    const uint32_t kind = animatedKind;
    const uint32_t count = vertexBuffer->GetCount();
    const uint32_t stride = vertexBuffer->GetStride();
    const uint32_t texCoords = vertexBuffer->GetTexCoordOffset();
    if (kind == ModelFlags::Morph) {
        const float keep = 1.0f - blend;
        const MorphVertex* from = morphVertices.data() + static_cast<size_t>(current) * count;
        const MorphVertex* to = morphVertices.data() + static_cast<size_t>(next) * count;
        uint8_t* target = vertexBuffer->Lock(0, count);
        for (uint32_t i = 0; i < count; ++i) {
            WriteVertex(target + static_cast<size_t>(i) * stride, texCoords,
                        from[i].position * keep + to[i].position * blend,
                        from[i].normal * keep + to[i].normal * blend,
                        from[i].u * keep + to[i].u * blend, from[i].v * keep + to[i].v * blend);
        }
        vertexBuffer->Unlock();
    } else if (kind == ModelFlags::Skinned) {
        uint8_t* target = vertexBuffer->Lock(0, count);
        for (uint32_t i = 0; i < count; ++i) {
            const SkinVertex& vertex = skinVertices[i];
            Vector3 position, normal;
            for (uint16_t w = 0; w < vertex.weightCount; ++w) {
                const SkinWeight& weight = vertex.weights[w];
                const Bone& bone = skeleton->GetBone(weight.bone);
                position = position + Transform(bone.matrix, weight.position) * weight.weight;
                normal = normal + Rotate(bone.rotationMatrix, weight.normal) * weight.weight;
            }
            const float values[6] = {position.x, position.y, position.z, normal.x, normal.y, normal.z};
            std::memcpy(target + static_cast<size_t>(i) * stride, values, sizeof values);
        }
        vertexBuffer->Unlock();
    }
}

void Model::Render()
{
    if (!(flags & ModelFlags::Visible) || drawCount == 0) return;
    RenderSystem& renderer = *services.renderer;
    if (MaterialStageCount() > renderer.GetStageCount()) return;
    if ((flags & ModelFlags::Stencil) && !renderer.IsStencilPresent()) return;

    const bool zBiased = (flags & ModelFlags::ZBias) != 0;
    CameraManager& cameras = *services.cameras;
    if (camera != nullptr &&
        (cameras.GetAppliedCamera() != camera || cameras.IsAppliedZBiased() != zBiased)) {
        cameras.SetAppliedCamera(camera, zBiased);
        if (zBiased) {
            camera->ApplyZBiased();
        } else {
            camera->Apply();
        }
    }

    const bool lighting = (flags & ModelFlags::Lighting) != 0;
    if (lighting) {
        services.lights->SetLighting(true);
    } else {
        renderer.SetLighting(false);
    }
    renderer.SetNormalizeNormals(lighting);
    Matrix4 world;
    ComputeWorldMatrix(world);
    renderer.SetWorldMatrix(world);
    renderer.SetZ((flags & ModelFlags::DepthTest) != 0);
    renderer.SetZWrite(!(flags & ModelFlags::NoDepthWrite));
    renderer.SetStencil((flags & ModelFlags::Stencil) != 0);

    uint32_t passes[2] = {CullNone, CullNone};
    uint32_t passCount = 1;
    if (flags & ModelFlags::TwoPasses) {
        passes[0] = CullCounterClockwise;
        passes[1] = CullClockwise;
        passCount = 2;
    } else if (flags & ModelFlags::Cull1) {
        passes[0] = CullClockwise;
    } else if (flags & ModelFlags::Cull2) {
        passes[0] = CullCounterClockwise;
    }
    for (uint32_t pass = 0; pass < passCount; ++pass) {
        renderer.SetCullMode(passes[pass]);
        ApplyMaterial();
        renderer.DrawIndexedPrimitive(strip != 0, indexBuffer.get(), vertexBuffer.get(), primitiveCount);
    }
}

void Model::SetFlags(uint32_t bits)
{
    flags |= bits;
    if (bits & ModelFlags::GroupFirst) {
        flags &= ~ModelFlags::GroupSecond;
    } else if (bits & ModelFlags::GroupSecond) {
        flags &= ~ModelFlags::GroupFirst;
    }
    if (bits & ModelFlags::Cull1) {
        flags &= ~(ModelFlags::Cull2 | ModelFlags::TwoPasses);
    } else if (bits & ModelFlags::Cull2) {
        flags &= ~(ModelFlags::Cull1 | ModelFlags::TwoPasses);
    } else if (bits & ModelFlags::TwoPasses) {
        flags &= ~(ModelFlags::Cull1 | ModelFlags::Cull2);
    }
}

void Model::SetColor(const ColorRGBA& color)
{
    if (!vertexBuffer->HasColors()) return;
    const uint32_t packed = vertexBuffer->RGBAToColor(color);
    const uint32_t count = vertexBuffer->GetCount();
    const uint32_t stride = vertexBuffer->GetStride();
    uint8_t* target = vertexBuffer->Lock(0, count);
    for (uint32_t i = 0; target != nullptr && i < count; ++i) {
        std::memcpy(target + static_cast<size_t>(i) * stride + VertexBuffer::kColorOffset, &packed, 4);
    }
    vertexBuffer->Unlock();
}

void Model::SetShader(const ShaderDescriptor& description)
{
    ShaderUser* replacement = services.shaders->CreateShaderUser(description);
    services.shaders->RemoveShader(material);
    material = replacement;
}

void Model::ComputeBoundingBox(BoundingBox& out) const
{
    Vector3 minimum(kBoxStart, kBoxStart, kBoxStart);
    Vector3 maximum(-kBoxStart, -kBoxStart, -kBoxStart);
    const uint32_t vertexCount = vertexBuffer->GetCount();
    const uint32_t indexCount = indexBuffer->GetCount();
    for (uint32_t i = 0; i < indexCount; ++i) {
        const uint32_t index = indexBuffer->GetIndex(i);
        // A caller filling a "self_made" model may leave stray indices.
        if (index >= vertexCount) continue;
        const Vector3 p = ReadPosition(*vertexBuffer, index);
        minimum.x = std::min(minimum.x, p.x);
        minimum.y = std::min(minimum.y, p.y);
        minimum.z = std::min(minimum.z, p.z);
        maximum.x = std::max(maximum.x, p.x);
        maximum.y = std::max(maximum.y, p.y);
        maximum.z = std::max(maximum.z, p.z);
    }
    out.localMin = minimum;
    out.localMax = maximum;
    out.Update(false);
}

bool Model::IntersectRay(const Ray& ray) const
{
    if (!box.IntersectsSegment(ray)) return false;

    Matrix4 inverse = currentTransform;
    if (!MatrixInverse(inverse)) return false;
    Ray local;
    local.origin = Transform(inverse, ray.origin);
    local.direction = Transform(inverse, ray.origin + ray.direction) - local.origin;
    Normalize3D(local.direction, 1.0f);

    const uint32_t vertexCount = vertexBuffer->GetCount();
    for (uint32_t k = 0; k < primitiveCount; ++k) {
        const uint32_t first = strip ? k : 3 * k;
        const uint32_t i0 = indexBuffer->GetIndex(first);
        const uint32_t i1 = indexBuffer->GetIndex(first + 1);
        const uint32_t i2 = indexBuffer->GetIndex(first + 2);
        if (i0 >= vertexCount || i1 >= vertexCount || i2 >= vertexCount) continue;
        const Vector3 v0 = ReadPosition(*vertexBuffer, i0);
        const Vector3 v1 = ReadPosition(*vertexBuffer, i1);
        const Vector3 v2 = ReadPosition(*vertexBuffer, i2);
        Plane plane;
        plane.SetFromPoints(v0, v1, v2);
        float t = 0.0f;
        if (plane.IntersectRay(local, t) &&
            IsPointInTriangle(plane, local.origin + local.direction * t, v0, v1, v2)) {
            return true;
        }
    }
    return false;
}

void Model::ApplyTransform(const Matrix4& matrix)
{
    MultiplyMatrix(currentTransform, matrix, currentTransform);
    box.transform = currentTransform;
    box.Update(true);
}

void Model::ResetTransform()
{
    currentTransform = baseTransform;
    box.transform = currentTransform;
    box.Update(true);
}

uint32_t Model::MaterialStageCount() const
{
    return material->stageCount;
}

void Model::ApplyMaterial()
{
    Shader::Apply(*material->GetShader(), *material);
}

} // namespace ZorvaneEngine
