#include "game/gameplay/ModelPlacement.h"

#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/SpriteGroup.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

Matrix4 TranslationMatrix(float x, float y, float z)
{
    Matrix4 m = Matrix4::Identity();
    m[3] = x;
    m[7] = y;
    m[11] = z;
    return m;
}

Matrix4 ScaleMatrix(float x, float y, float z)
{
    Matrix4 m = Matrix4::Identity();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

void RecentreModel(Model& model)
{
    const Vector3 centre = (model.box.localMin + model.box.localMax) * 0.5f;
    model.ApplyTransform(TranslationMatrix(-centre.x, -centre.y, -centre.z));
    model.baseTransform = model.currentTransform;
}

void SetParticleSystemDepth(ParticleSystem& system, float z)
{
    if (system.spriteGroup == nullptr || system.spriteGroup->mesh == nullptr) {
        return;
    }
    Model& mesh = *system.spriteGroup->mesh;
    mesh.flags |= ModelFlags::FixedDepthKey;
    // The interface draws in order of depth, without a depth buffer.
    mesh.flags &= ~ModelFlags::DepthTest;
    mesh.depthKey = z;
}

void ShowParticleSystem(ParticleSystem& system, bool show)
{
    if (system.spriteGroup == nullptr || system.spriteGroup->mesh == nullptr) {
        return;
    }
    if (show) {
        system.spriteGroup->mesh->flags |= ModelFlags::Visible;
    } else {
        system.spriteGroup->mesh->flags &= ~ModelFlags::Visible;
    }
}

} // namespace ActionPuzzle
