#pragma once
// The bones of a skinned model. Every frame the model writes each bone's
// animated pose; Update then builds the bone's matrices and moves its box.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/core/BoundingBox.h"
#include "engine/core/MathTypes.h"
#include "engine/core/Quaternion.h"

namespace ZorvaneEngine {

class MessageManager;

// One bone's pose in one frame of the model file.
struct BoneKey {
    Vector3 position;
    Quaternion rotation;
    Vector3 scale;
};

struct Bone {
    uint8_t boundsExcluded = 0;  // non-zero keeps this box out of the model's box
    std::string name;
    // Local corners from the file; Update sets its transform to the full
    // matrix, so its world box is the bone's box in model space.
    BoundingBox box;
    uint16_t fileValue1 = 0;  // stored in the file, read by nothing
    uint16_t fileValue2 = 0;
    Vector3 pivot;  // stored in newer files; the matrices do not use it

    // The animated pose, written by the model.
    Quaternion rotation;
    // Set by owners on top of the pose: the extra rotation turns the posed
    // bone (it applies after the animated rotation), the offset moves it.
    Quaternion extraRotation;
    Vector3 position;
    Vector3 extraOffset;
    Vector3 scale;  // 0 until the first pose is written

    Matrix4 translationMatrix;
    Matrix4 rotationMatrix;  // also turns the skinned normals
    Matrix4 scaleMatrix;
    Matrix4 matrix;  // translation × scale × rotation: skins the positions
};

class Skeleton {
public:
    Skeleton(MessageManager* log, uint16_t boneCount);
    Skeleton(const Skeleton& other) = default;
    Skeleton& operator=(const Skeleton&) = delete;
    virtual ~Skeleton();

    uint16_t GetBoneCount() const { return static_cast<uint16_t>(bones.size()); }
    Bone& GetBone(uint16_t index) { return bones[index]; }
    const Bone& GetBone(uint16_t index) const { return bones[index]; }

    // Writes the pose between two frames' keys, one key per bone: position and
    // scale blend linearly, the rotation spherically. Bones beyond the shorter
    // key list keep their pose.
    void SetPose(std::span<const BoneKey> from, std::span<const BoneKey> to, float blend);
    // Rebuilds every bone's matrices and world box from its pose.
    void Update();

private:
    MessageManager* log;
    std::vector<Bone> bones;
};

} // namespace ZorvaneEngine
