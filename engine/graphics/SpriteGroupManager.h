#pragma once
// Creates and copies sprite groups over the engine's services and keeps them
// in a pool, through which the engine's scene pass builds every group once a
// frame, in slot order.
//
// A group returned here belongs to the caller: to end it, remove it from the
// pool and delete it when Remove returned true. The groups still registered
// when the manager ends are deleted with the pool, so the model manager must
// outlive this one.
#include <cstdint>
#include <vector>

#include "engine/graphics/ObjectManager.h"
#include "engine/graphics/SpriteGroup.h"

namespace ZorvaneEngine {

class SpriteGroupManager {
public:
    SpriteGroupManager(MessageManager* log, CameraManager* cameras, ShaderManager* shaders,
                       ModelManager* models);
    virtual ~SpriteGroupManager();

    SpriteGroupManager(const SpriteGroupManager&) = delete;
    SpriteGroupManager& operator=(const SpriteGroupManager&) = delete;

    // A new registered group; null, with nothing registered, when memory runs
    // out. A null description gives the default material, a null camera the
    // default camera.
    SpriteGroup* CreateSpriteGroup(uint32_t capacity, const ShaderDescriptor* material,
                                   Camera* camera);
    // A registered copy of source; null when memory runs out.
    SpriteGroup* CloneSpriteGroup(const SpriteGroup& source);

    // The pool's slots: null entries are free.
    const std::vector<SpriteGroup*>& GetSlots() const { return groups.GetSlots(); }

    MessageManager* log;
    CameraManager* cameras;
    ShaderManager* shaders;
    ModelManager* models;
    ObjectManager<SpriteGroup> groups;
};

} // namespace ZorvaneEngine
