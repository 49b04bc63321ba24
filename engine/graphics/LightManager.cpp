#include "engine/graphics/LightManager.h"

#include "engine/graphics/RenderSystem.h"

namespace ZorvaneEngine {

LightManager::LightManager(MessageManager* log, RenderSystem* renderer)
    : log(log), renderer(renderer)
{
}

LightManager::~LightManager()
{
    for (uint32_t index : usedIndices) {
        if (index < lights.size()) {
            lights[index].reset();
        }
    }
}

void LightManager::Update()
{
    renderer->SetAmbientColor(ambient);
    for (uint32_t index : usedIndices) {
        if (index < lights.size() && lights[index]) {
            lights[index]->Refresh();
        }
    }
}

void LightManager::SetLighting(bool on)
{
    renderer->SetLighting(on);
}

} // namespace ZorvaneEngine
