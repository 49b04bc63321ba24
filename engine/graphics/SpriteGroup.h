#pragma once
// Up to a fixed number of square, camera-facing, optionally rotated and
// coloured quads drawn as one dynamic mesh: a "self_made" model of the group's
// own, registered with the model manager, which draws it among the other
// models. Build rewrites the mesh from the live sprites once a frame, before
// the models are drawn.
//
// Owners work on the members directly. There is no call that frees a sprite:
// the owner sets its free flag and pushes its index on the back of the free
// list.
//
// Mesh layout: the k-th sprite of the draw order owns vertices 4k to 4k + 3
// and indices 6k to 6k + 5. The indices and the texture coordinates are
// written once, at construction; a build writes positions and colours of the
// quads in use and lowers the index count to them.
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class Camera;
class CameraManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;

struct Sprite {
    bool free = true;
    float viewDepth = 0.0f;  // sort key of the last build that sorted
    Vector3 position;        // the quad's centre in world space
    float size = 0.0f;       // half the quad's edge
    float angle = 0.0f;      // radians about the camera's forward axis
    ColorRGBA color;
};

class SpriteGroup {
public:
    // The mesh's flags: static vertices, triangle list, a colour per vertex,
    // depth test, drawn in the second draw-order group (farthest first), box
    // from the vertices every frame, visible, no depth writes, and the
    // vertex-buffer usage bit. No culling, no lighting.
    static constexpr uint32_t MeshFlags = 0x2C84A9;

    // A null description gives the default material; a null camera the
    // camera manager's default one.
    SpriteGroup(uint32_t capacity, MessageManager* log, CameraManager* cameras,
                ShaderManager* shaders, ModelManager* models,
                const ShaderDescriptor* material, Camera* camera);
    // The same sprites, free list, camera and colours; the mesh is a
    // registered copy of the source's.
    SpriteGroup(const SpriteGroup& source);
    // Removes the mesh from the model manager and deletes it.
    virtual ~SpriteGroup();

    SpriteGroup& operator=(const SpriteGroup&) = delete;

    // Takes the index at the back of the free list and makes that sprite
    // live, unrotated. A full group returns 0 and changes nothing; 0 is also
    // a valid index, so owners size the group to their needs.
    uint32_t AddSprite(const Vector3& position, float size, const ColorRGBA& color);
    // The per-frame rebuild; nothing while the mesh is invisible.
    void Build();

    MessageManager* log;
    CameraManager* cameras;
    ModelManager* models;
    ShaderManager* shaders;  // kept only

    std::deque<uint32_t> freeList;  // the back is taken next
    const uint32_t capacity;
    std::vector<Sprite> sprites;
    std::vector<Sprite*> drawList;  // refilled by every build
    Camera* camera;                 // the sprites face it and the mesh is drawn with it
    Model* mesh = nullptr;          // owned, registered with the model manager
    bool sort = true;               // farthest sprite drawn first
    Vector3 center;                 // mean position of the sprites of the last build
    ColorRGBA groupColor{1, 1, 1, 1};  // multiplied into every sprite's colour

private:
    void WriteIndexPattern();
    void WriteTexCoords();
};

// The right-handed rotation by angle (radians) about the axis, which need
// not be unit length, as a matrix for column vectors.
void AxisAngleToMatrix(const Vector3& axis, Matrix4& out, float angle);

} // namespace ZorvaneEngine
