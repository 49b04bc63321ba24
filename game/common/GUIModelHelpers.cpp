#include "game/common/GUIModelHelpers.h"

#include <algorithm>

#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIWindow.h"

namespace ActionPuzzle {

using ZorvaneEngine::AnimationControl;
using ZorvaneEngine::GUIWindow;
using ZorvaneEngine::Model;
using ZorvaneEngine::Vector2;

Vector2 BoxCorner(const Model& model)
{
    return Vector2(model.box.worldMin.x, model.box.worldMin.y);
}

Vector2 BoxSize(const Model& model)
{
    return Vector2(model.box.halfSize.x * 2, model.box.halfSize.y * 2);
}

uint32_t FrameCount(const Model& model)
{
    const AnimationControl* animation = model.GetAnimation();
    return animation ? animation->GetFrameCount() : 1;
}

void ShowModelFrame(GUIWindow& window, uint32_t frame)
{
    if (window.model == nullptr)
        return;
    AnimationControl* animation = window.model->GetAnimation();
    if (animation == nullptr || animation->GetFrameCount() == 0)
        return;
    animation->speed = 0.0f;
    animation->playing = false;
    animation->position = static_cast<float>(std::min(frame, animation->GetFrameCount() - 1));
}

} // namespace ActionPuzzle
