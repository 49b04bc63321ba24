#pragma once
// One drawable mesh instance: its own index and vertex buffers, a material,
// the camera it is drawn with, a current and a base transform, a bounding box
// and, optionally, an animation: morph frames (a whole vertex set per frame,
// blended into the vertex buffer) or a skeleton with bone keys per frame
// (skinning). Models come from model files ("ZVMLF", ".mlf"), from other
// models, empty for a caller to fill ("self_made"), or as boxes ("box"); the
// ModelManager creates them and updates and draws the registered ones.
//
// Transforms act on column vectors (translation in elements 3, 7, 11); the
// box's transform always follows the current transform.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/BoundingBox.h"
#include "engine/core/MathTypes.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/Skeleton.h"

namespace ZorvaneEngine {

class AnimationControl;
class Camera;
class CameraManager;
class FileBinary;
class FileManager;
class IndexBuffer;
class LightManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;
class TimerManager;
class VertexBuffer;

// The engine services every model uses; the model owns none of them.
struct ModelServices {
    MessageManager* log = nullptr;
    FileManager* files = nullptr;
    TimerManager* timers = nullptr;
    RenderSystem* renderer = nullptr;
    CameraManager* cameras = nullptr;
    LightManager* lights = nullptr;
    ShaderManager* shaders = nullptr;
};

struct SkinWeight {
    uint16_t bone = 0;
    float weight = 0.0f;
    Vector3 position;  // in the bone's space
    Vector3 normal;
};

struct SkinVertex {
    static constexpr uint16_t MaxWeights = 4;
    uint16_t weightCount = 0;
    SkinWeight weights[MaxWeights];
};

struct MorphVertex {
    Vector3 position;
    Vector3 normal;
    float u = 0.0f;
    float v = 0.0f;
};

class Model {
public:
    static constexpr uint32_t FileVersion = 202;
    static constexpr uint32_t OldFileVersion = 201;  // bones without a pivot

    // Reads the model file below the data folder and its material from the
    // ".srf" file of the same name. A null camera means the camera
    // manager's default one. A file that cannot be read is logged at the
    // error level and raised as an Error with the same text.
    Model(const ModelServices& services, const std::string& fileName, Camera* camera,
          uint32_t extraFlags);
    // A copy of source, sharing its material's Shader; the camera is the one
    // given, else the source's.
    Model(const Model& source, Camera* camera, uint32_t extraFlags);
    // "self_made": empty buffers for the caller to fill; a null description
    // gives the default material.
    Model(const ModelServices& services, uint32_t flags, uint32_t vertexCount, uint32_t indexCount,
          const ShaderDescriptor* material, Camera* camera);
    // "box": 24 vertices, four per face, and 36 indices.
    Model(const ModelServices& services, const Vector3& minimum, const Vector3& maximum,
          Camera* camera, uint32_t extraFlags);
    virtual ~Model();

    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Once a frame: animation, box, culling against the camera's frustum,
    // depth key and vertices.
    void Update(bool cull);
    // Draws with the model's states; between the renderer's BeginScene and
    // EndScene.
    void Render();
    // Adds bits; a bit of a draw-order group or of the cull modes clears the
    // others of its group.
    void SetFlags(uint32_t bits);
    // Every vertex colour; nothing for a buffer without colours.
    void SetColor(const ColorRGBA& color);
    // The new material is made before the old one is released, so a Shader
    // both use survives.
    void SetShader(const ShaderDescriptor& material);
    // The box of the vertices the indices name.
    void ComputeBoundingBox(BoundingBox& out) const;
    // Whether the world-space ray hits a triangle: the segment origin ..
    // origin + direction must meet the box; the triangles are then tested
    // along the whole ray in front of its origin. The first hit counts.
    bool IntersectRay(const Ray& ray) const;
    void ComputeWorldMatrix(Matrix4& out) const { out = currentTransform; }
    // current = matrix × current; the box follows.
    void ApplyTransform(const Matrix4& matrix);
    // current = base; the box follows.
    void ResetTransform();

    uint32_t GetStrip() const { return strip; }
    uint32_t GetPrimitiveCount() const { return primitiveCount; }
    uint32_t GetDrawCount() const { return drawCount; }
    IndexBuffer* GetIndexBuffer() const { return indexBuffer.get(); }
    VertexBuffer* GetVertexBuffer() const { return vertexBuffer.get(); }
    AnimationControl* GetAnimation() const { return animation.get(); }
    ShaderUser* GetMaterial() const { return material; }
    Skeleton* GetSkeleton() const { return skeleton.get(); }
    const std::vector<BoneKey>& GetBoneKeys() const { return boneKeys; }
    const std::vector<SkinVertex>& GetSkinVertices() const { return skinVertices; }
    const std::vector<MorphVertex>& GetMorphVertices() const { return morphVertices; }
    const std::vector<BoundingBox>& GetFrameBoxes() const { return frameBoxes; }
    const ModelServices& GetServices() const { return services; }

    std::string name;  // the file name, "self_made" or "box"
    uint32_t flags = 0;
    Camera* camera = nullptr;  // not owned
    Matrix4 currentTransform = Matrix4::Identity();
    Matrix4 baseTransform = Matrix4::Identity();
    BoundingBox box;
    float depthKey = 0.0f;   // draw-order key; the owner's with FixedDepthKey
    float depthBias = 0.0f;  // added to the key for the draw order

private:
    // The first of static, morph and skinned that the flags name: the one
    // kind of vertex data the file's reader takes.
    uint32_t VertexKindOfFlags() const;
    void ReadFile(FileBinary& file);
    void CreateBuffers(uint32_t vertexCount, uint32_t indexCount);
    void SetPrimitiveCount();
    void UpdateVertices(uint32_t current, uint32_t next, float blend);
    uint32_t MaterialStageCount() const;
    void ApplyMaterial();

    ModelServices services;
    uint32_t strip = 1;
    // Morph or Skinned when the model holds that data, which Update then
    // animates; bits set on the flags later do not change it.
    uint32_t animatedKind = 0;
    std::unique_ptr<IndexBuffer> indexBuffer;
    std::unique_ptr<VertexBuffer> vertexBuffer;
    std::unique_ptr<AnimationControl> animation;
    ShaderUser* material = nullptr;  // from and back to the shader manager
    std::vector<SkinVertex> skinVertices;
    std::vector<MorphVertex> morphVertices;  // frames × vertices, frame 0 first
    std::unique_ptr<Skeleton> skeleton;
    std::vector<BoneKey> boneKeys;  // frames × bones, frame 0 first
    std::vector<BoundingBox> frameBoxes;
    uint32_t frameCount = 1;
    float speed = 0.0f;
    uint32_t primitiveCount = 0;
    uint32_t drawCount = 0;
    bool cacheValid = false;
    uint32_t cachedFrame = 0;
    uint32_t cachedNextFrame = 0;
    float cachedBlend = 0.0f;
};

} // namespace ZorvaneEngine
