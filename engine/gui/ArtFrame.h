#pragma once
// Picks the frame a widget's model shows, so that the frame survives the
// frame's later animation updates: those recompute the shown frame from the
// animation control's position and from each material stage's clock, so
// both sources are set, not only the frame shown now.
#include <cstdint>

namespace ZorvaneEngine {

class AnimationControl;
class Model;

// The control shows the frame from now on, stopped there.
void SetAnimationFrame(AnimationControl& animation, uint32_t frame);

// The model's animation control when it has more than one frame, otherwise
// the animated stages of its material that have more than one frame.
// Nothing without a model or with single-frame art.
void SetArtFrame(Model* model, uint32_t frame);

} // namespace ZorvaneEngine
