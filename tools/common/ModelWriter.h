#pragma once
// Model files ("ZVMLF", version 202 or 201): a static mesh, a morph mesh
// with one vertex set per frame, or a skinned mesh with a skeleton and bone
// keys; then the bounding boxes, one per morph frame.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"

namespace Tools {

constexpr uint32_t ModelVersion = 202;

namespace ModelFlag {
constexpr uint32_t Static = 0x1;
constexpr uint32_t Morph = 0x2;
constexpr uint32_t Skinned = 0x4;
constexpr uint32_t List = 0x8;  // clear: triangle strip
constexpr uint32_t VertexColor = 0x20;
constexpr uint32_t Lighting = 0x40;
constexpr uint32_t DepthTest = 0x80;
constexpr uint32_t GroupFirst = 0x200;
constexpr uint32_t GroupSecond = 0x400;
constexpr uint32_t FixedDepthKey = 0x800;
constexpr uint32_t ZBias = 0x1000;
constexpr uint32_t Cull1 = 0x2000;
constexpr uint32_t TwoPasses = 0x4000;
constexpr uint32_t BoxFromVertices = 0x8000;
constexpr uint32_t Visible = 0x40000;
constexpr uint32_t NoDepthWrite = 0x80000;
constexpr uint32_t IndexBufferUsage = 0x100000;
constexpr uint32_t VertexBufferUsage = 0x200000;
constexpr uint32_t Cull2 = 0x400000;
constexpr uint32_t Stencil = 0x800000;
} // namespace ModelFlag

struct ModelVertex {
    ZorvaneEngine::Vector3 position;
    ZorvaneEngine::Vector3 normal;
    float u = 0.0f;
    float v = 0.0f;
};

// Indexed triangles (a list) that the shape helpers build and append.
struct Mesh {
    std::vector<uint32_t> indices;
    std::vector<ModelVertex> vertices;
};

// The rectangle (x0, y0) to (x1, y1) at depth z facing +z, texture corner
// (u0, v0) at (x0, y0) and (u1, v1) at (x1, y1): vertices lower-left,
// lower-right, upper-right, upper-left; triangles 0 1 2 and 2 3 0.
Mesh QuadMesh(float x0, float y0, float x1, float y1, float u0 = 0.0f, float v0 = 0.0f, float u1 = 1.0f,
              float v1 = 1.0f, float z = 0.0f);
// The engine's own box: 24 vertices, four per face with the face's normal,
// and 36 indices.
Mesh BoxMesh(const ZorvaneEngine::Vector3& minimum, const ZorvaneEngine::Vector3& maximum);
// Appends part's vertices and its indices shifted past the vertices already there.
void AppendMesh(Mesh& mesh, const Mesh& part);

struct SkinWeight {
    uint16_t bone = 0;
    float weight = 0.0f;
    ZorvaneEngine::Vector3 position;  // in the bone's space
    ZorvaneEngine::Vector3 normal;
};

struct SkinVertex {
    float u = 0.0f;
    float v = 0.0f;
    std::vector<SkinWeight> weights;  // at most four
};

struct Bone {
    bool excludeFromBounds = false;
    std::string name;
    ZorvaneEngine::Vector3 pivot;  // written from version 202 on
    ZorvaneEngine::Vector3 boxMinimum;
    ZorvaneEngine::Vector3 boxMaximum;
    uint16_t unused[2] = {0, 0};  // stored with the bone, read by nothing
};

struct BoneKey {
    ZorvaneEngine::Vector3 position;
    float rotation[4] = {0.0f, 0.0f, 0.0f, 1.0f};  // quaternion x, y, z, w
    ZorvaneEngine::Vector3 scale{1.0f, 1.0f, 1.0f};
};

struct ModelBox {
    ZorvaneEngine::Vector3 minimum;
    ZorvaneEngine::Vector3 maximum;
};

struct Model {
    uint32_t version = ModelVersion;
    uint32_t flags = ModelFlag::Static | ModelFlag::List;
    float speed = 0.0f;  // frames per second; stored for morph and skinned models
    std::vector<uint32_t> indices;
    // Static models: one vertex set. Morph models: one per frame, each as
    // long as the first, all sharing the indices.
    std::vector<std::vector<ModelVertex>> frames;
    // Skinned models.
    uint32_t skinFrameCount = 1;
    std::vector<Bone> bones;
    std::vector<BoneKey> boneKeys;  // skinFrameCount × bones, all bones of frame 0 first
    std::vector<SkinVertex> skinVertices;
    // Empty: computed from the indexed vertices, per frame for a morph
    // model. A skinned model, or one without vertices, gives its one box.
    std::vector<ModelBox> boxes;
};

// Static or morph model of the mesh's triangles (a list), one frame per mesh.
// Throws std::invalid_argument when the meshes differ in their indices.
Model MeshModel(uint32_t flags, const std::vector<Mesh>& frames, float speed = 0.0f);

// The whole file. Indices are 16-bit when there are at most 65535 of them,
// else 32-bit. Throws std::invalid_argument for what the engine cannot read
// back faithfully: more than one vertex kind in the flags, data the flags do
// not store, no frames for an animated model, frames of unequal length, an
// index past the vertices or too large for 16 bits, more than four weights or
// a weight's bone past the skeleton, a box count that does not match.
std::vector<uint8_t> BuildModelFile(const Model& model);

} // namespace Tools
