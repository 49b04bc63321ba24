#include "engine/graphics/SpriteGroupManager.h"

#include <new>

namespace ZorvaneEngine {

SpriteGroupManager::SpriteGroupManager(MessageManager* log, CameraManager* cameras,
                                       ShaderManager* shaders, ModelManager* models)
    : log(log), cameras(cameras), shaders(shaders), models(models)
{
}

SpriteGroupManager::~SpriteGroupManager() = default;

SpriteGroup* SpriteGroupManager::CreateSpriteGroup(uint32_t capacity,
                                                   const ShaderDescriptor* material,
                                                   Camera* camera)
{
    SpriteGroup* group = nullptr;
    try {
        group = new SpriteGroup(capacity, log, cameras, shaders, models, material, camera);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    groups.Add(group);
    return group;
}

SpriteGroup* SpriteGroupManager::CloneSpriteGroup(const SpriteGroup& source)
{
    SpriteGroup* group = nullptr;
    try {
        group = new SpriteGroup(source);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    groups.Add(group);
    return group;
}

} // namespace ZorvaneEngine
