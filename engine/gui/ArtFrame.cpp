#include "engine/gui/ArtFrame.h"

#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ShaderUser.h"

namespace ZorvaneEngine {

void SetAnimationFrame(AnimationControl& animation, uint32_t frame)
{
    // A stopped control at a whole position shows exactly that frame.
    animation.playing = false;
    animation.currentRangeId = -1;  // all frames: the position counts from frame 0
    animation.position = static_cast<float>(frame);
    animation.currentFrame = frame;
}

void SetArtFrame(Model* model, uint32_t frame)
{
    if (!model) return;
    AnimationControl* animation = model->GetAnimation();
    if (animation && animation->GetFrameCount() > 1) {
        SetAnimationFrame(*animation, frame);
        return;
    }
    ShaderUser* material = model->GetMaterial();
    if (!material) return;
    for (uint32_t s = 0; s < material->stageCount; ++s) {
        ShaderStage& stage = material->stages[s];
        if (stage.frameCount <= 1) continue;
        // The art's speed is 0, so the clock stays where it is put; a grid
        // shows the clock's cell, frame pictures show the frame.
        material->clocks[s] = static_cast<float>(frame);
        if (stage.HasFramePictures()) stage.currentFrame = frame;
    }
}

} // namespace ZorvaneEngine
