#include "engine/graphics/Skeleton.h"

#include <algorithm>

namespace ZorvaneEngine {

Skeleton::Skeleton(MessageManager* log, uint16_t boneCount) : log(log), bones(boneCount)
{
}

Skeleton::~Skeleton() = default;

void Skeleton::SetPose(std::span<const BoneKey> from, std::span<const BoneKey> to, float blend)
{
    const size_t count = std::min({bones.size(), from.size(), to.size()});
    const float keep = 1.0f - blend;
    for (size_t i = 0; i < count; ++i) {
        Bone& bone = bones[i];
        bone.position = from[i].position * keep + to[i].position * blend;
        bone.scale = from[i].scale * keep + to[i].scale * blend;
        bone.rotation = Slerp(from[i].rotation, to[i].rotation, blend);
    }
}

void Skeleton::Update()
{
    for (Bone& bone : bones) {
        bone.rotationMatrix = QuaternionToMatrix(MultiplyQuaternion(bone.extraRotation, bone.rotation));

        const Vector3 translation = bone.extraOffset + bone.position;
        bone.translationMatrix = Matrix4::Identity();
        bone.translationMatrix[3] = translation.x;
        bone.translationMatrix[7] = translation.y;
        bone.translationMatrix[11] = translation.z;

        bone.scaleMatrix = Matrix4::Identity();
        bone.scaleMatrix[0] = bone.scale.x;
        bone.scaleMatrix[5] = bone.scale.y;
        bone.scaleMatrix[10] = bone.scale.z;

        // Rotate, then scale, then translate.
        Matrix4 scaledRotation;
        MultiplyMatrix(scaledRotation, bone.scaleMatrix, bone.rotationMatrix);
        MultiplyMatrix(bone.matrix, bone.translationMatrix, scaledRotation);

        bone.box.transform = bone.matrix;
        bone.box.Update(true);
    }
}

} // namespace ZorvaneEngine
