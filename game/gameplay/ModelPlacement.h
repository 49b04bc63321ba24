#pragma once
// Small helpers for gameplay objects that place their models themselves
// instead of letting their GUI window stretch them: transforms, recentring
// a model on its box, and putting a particle system at a GUI depth.
#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Model;
class ParticleSystem;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

ZorvaneEngine::Matrix4 TranslationMatrix(float x, float y, float z);
ZorvaneEngine::Matrix4 ScaleMatrix(float x, float y, float z);

// The model's transform is moved so that its box's centre lies at the
// origin, and that becomes the base the model is reset to.
void RecentreModel(ZorvaneEngine::Model& model);

// Draws the system's particles in the GUI's order at depth z (a smaller z
// is in front), like a window at that depth.
void SetParticleSystemDepth(ZorvaneEngine::ParticleSystem& system, float z);

// Shows or hides the system's particles.
void ShowParticleSystem(ZorvaneEngine::ParticleSystem& system, bool show);

} // namespace ActionPuzzle
