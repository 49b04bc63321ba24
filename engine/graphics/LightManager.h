#pragma once
// Owns the scene's device lights, indexed by device light index, and the
// scene's ambient colour; switches lighting on for the models that ask for
// it. Every light in use is sent to the device once a frame. Main thread
// only.
//
// Invariant: an index is either free or in use, and the table holds a light
// for every index in use.
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "engine/core/MathTypes.h"
#include "engine/graphics/Light.h"

namespace ZorvaneEngine {

class MessageManager;
class RenderSystem;

class LightManager {
public:
    LightManager(MessageManager* log, RenderSystem* renderer);
    // Deletes the lights in use in their refresh order.
    virtual ~LightManager();

    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;

    // Once a frame: the ambient colour through the renderer's cache, then
    // every light in use, in order.
    void Update();
    // Through the renderer's cache: the device hears only of a change.
    void SetLighting(bool on);

    ColorRGBA ambient{0.0f, 0.0f, 0.0f, 1.0f};

protected:
    MessageManager* log;
    RenderSystem* renderer;
    std::deque<uint32_t> freeIndices;
    std::vector<uint32_t> usedIndices;  // refresh order
    std::vector<std::unique_ptr<Light>> lights;  // by index
};

} // namespace ZorvaneEngine
