#pragma once
// What menus and the level read of a model authored in GUI units: its box
// and its animation frames.
#include <cstdint>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class GUIWindow;
class Model;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

// Lower-left corner and extent of a model's world box, in GUI units.
ZorvaneEngine::Vector2 BoxCorner(const ZorvaneEngine::Model& model);
ZorvaneEngine::Vector2 BoxSize(const ZorvaneEngine::Model& model);
// The frames of a model's animation; 1 for a model without one.
uint32_t FrameCount(const ZorvaneEngine::Model& model);
// A window's model stopped at one of its state frames (kept below the frame
// count); nothing for a window without a model.
void ShowModelFrame(ZorvaneEngine::GUIWindow& window, uint32_t frame);

} // namespace ActionPuzzle
