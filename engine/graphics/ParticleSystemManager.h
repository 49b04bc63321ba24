#pragma once
// Loads and copies particle systems, keeps the registered ones in a pool and
// updates them once a frame, before the sprite groups are built. A file that
// cannot be loaded gives the built-in "self_made" system in its place.
//
// The watch list holds systems whose sprites should be hidden once they have
// gone quiet: after the update in which a watched system is not emitting and
// has no live particle, its mesh is made invisible and it leaves the list.
//
// A system returned here belongs to the caller: to end it, remove it from the
// pool and delete it when Remove returned true (and take it off the watch
// list, or leave a null there). The systems still registered when the
// manager ends are deleted with the pool, so the sprite-group manager must
// outlive this one.
#include <string>
#include <vector>

#include "engine/graphics/ObjectManager.h"
#include "engine/graphics/ParticleSystem.h"

namespace ZorvaneEngine {

class ParticleSystemManager {
public:
    ParticleSystemManager(MessageManager* log, FileManager* files, TimerManager* timers,
                          ShaderManager* shaders, SpriteGroupManager* spriteGroups);
    virtual ~ParticleSystemManager();

    ParticleSystemManager(const ParticleSystemManager&) = delete;
    ParticleSystemManager& operator=(const ParticleSystemManager&) = delete;

    // Every registered system in slot order, then the watch list.
    void Update();

    // Registered. A file that fails (already logged) gives "self_made" with
    // the same camera.
    ParticleSystem* LoadParticleSystem(const std::string& fileName, Camera* camera);
    // The same, not registered: templates for clones, never updated here.
    ParticleSystem* LoadUnregisteredParticleSystem(const std::string& fileName, Camera* camera);
    // A registered copy with an empty pool.
    ParticleSystem* CloneParticleSystem(const ParticleSystem& source);

    const ParticleSystemServices& GetServices() const { return services; }
    // The pool's slots: null entries are free.
    const std::vector<ParticleSystem*>& GetSlots() const { return systems.GetSlots(); }

    ObjectManager<ParticleSystem> systems;
    // Null entries are skipped and dropped.
    std::vector<ParticleSystem*> watchList;

private:
    ParticleSystemServices services;
};

} // namespace ZorvaneEngine
