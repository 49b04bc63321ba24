#include "engine/graphics/ParticleSystemManager.h"

#include "engine/core/Error.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/SpriteGroup.h"

namespace ZorvaneEngine {

ParticleSystemManager::ParticleSystemManager(MessageManager* log, FileManager* files,
                                             TimerManager* timers, ShaderManager* shaders,
                                             SpriteGroupManager* spriteGroups)
    : services{log, files, timers, shaders, spriteGroups}
{
}

ParticleSystemManager::~ParticleSystemManager() = default;

void ParticleSystemManager::Update()
{
    for (ParticleSystem* system : systems.GetSlots()) {
        if (system != nullptr) system->Update();
    }
    std::erase_if(watchList, [](ParticleSystem* system) {
        if (system == nullptr) return true;
        if (system->emitting || system->liveParticles > 0) return false;
        system->spriteGroup->mesh->flags &= ~ModelFlags::Visible;
        return true;
    });
}

ParticleSystem* ParticleSystemManager::LoadParticleSystem(const std::string& fileName,
                                                          Camera* camera)
{
    ParticleSystem* system = LoadUnregisteredParticleSystem(fileName, camera);
    systems.Add(system);
    return system;
}

ParticleSystem* ParticleSystemManager::LoadUnregisteredParticleSystem(const std::string& fileName,
                                                                      Camera* camera)
{
    try {
        return new ParticleSystem(services, fileName, camera);
    } catch (const FatalError&) {
        throw;
    } catch (const Error&) {
        return new ParticleSystem(services, camera);
    }
}

ParticleSystem* ParticleSystemManager::CloneParticleSystem(const ParticleSystem& source)
{
    ParticleSystem* system = new ParticleSystem(source);
    systems.Add(system);
    return system;
}

} // namespace ZorvaneEngine
