#include "framework/DataKeeper.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/graphics/SpriteGroupManager.h"
#include "platform/system/System.h"

namespace GameFramework {

using namespace ZorvaneEngine;

DataKeeper::DataKeeper(Engine* engine, const std::string& languageCode)
    : engine(engine), log(engine->log.get()), fileManager(engine->fileManager.get()),
      shaderManager(engine->materials.get()),
      textureManager(engine->materials ? engine->materials->GetTextureManager() : nullptr),
      modelManager(engine->models.get()), spriteGroupManager(engine->spriteGroups.get()),
      particleSystemManager(engine->particleSystems.get()), languageCode(languageCode)
{
}

DataKeeper::~DataKeeper()
{
    for (auto& [key, user] : shaderUsers) FreeShaderUser(user);
    for (auto& [key, model] : models) FreeModel(model);
    for (auto& [key, group] : spriteGroups) FreeSpriteGroup(group);
    for (auto& [key, system] : particleSystems) FreeParticleSystem(system);
    FreeShaderUser(defaultShaderUser);
    FreeModel(defaultModel);
    FreeSpriteGroup(defaultSpriteGroup);
    FreeParticleSystem(defaultParticleSystem);
}

void DataKeeper::Load()
{
    defaultShaderUser = shaderManager->CreateShaderUser(ShaderDescriptor());
    defaultModel = modelManager->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, 0);
    defaultSpriteGroup = new SpriteGroup(1, spriteGroupManager->log, spriteGroupManager->cameras,
                                         spriteGroupManager->shaders, spriteGroupManager->models,
                                         defaultShaderUser, nullptr);
    defaultParticleSystem = new ParticleSystem(particleSystemManager->GetServices(), nullptr);
    // Neither default is meant to be seen.
    defaultSpriteGroup->mesh->flags &= ~ModelFlags::Visible;
    defaultParticleSystem->spriteGroup->mesh->flags &= ~ModelFlags::Visible;

    for (const std::string& file : resourceFiles)
        LoadResourceFile(file);
}

void DataKeeper::StartLoad()
{
    if (threaded) {
        std::unique_ptr<Platform::Thread> thread = Platform::GetSystem().CreateThread([this] { Load(); });
        if (!thread)
            log->Fatal("Failed to create \"DataKeeper::Load\" thread");
        // Waiting here keeps "the load has returned" meaning "the keeper is
        // complete" for the loading screen, which reports done after this.
        thread->Join();
    } else {
        Load();
    }
    progress = 1.0f;
}

template <typename T>
std::string DataKeeper::AnonymousKey(const std::map<std::string, T*>& map)
{
    uint32_t number = FirstAnonymousKey + static_cast<uint32_t>(map.size());
    std::string key = UIntToText(number, 9);
    // Only a named entry can hold the number; passing over it keeps the
    // anonymous resource, which its creator still uses.
    while (map.count(key) != 0)
        key = UIntToText(++number, 9);
    return key;
}

void DataKeeper::AddShaderUser(const std::string& key, ShaderUser* user)
{
    if (user == nullptr) return;
    const auto [at, added] = shaderUsers.emplace(key, user);
    if (added) return;
    log->Error("(DataKeeper::AddShaderUser): Shader User \"" + key + "\" is duplicated");
    if (at->second != user) FreeShaderUser(user);
}

void DataKeeper::AddModel(const std::string& key, Model* model)
{
    if (model == nullptr) return;
    const auto [at, added] = models.emplace(key, model);
    if (added) return;
    log->Error("(DataKeeper::AddModel): Model \"" + key + "\" is duplicated");
    if (at->second != model) FreeModel(model);
}

void DataKeeper::AddParticleSystem(const std::string& key, ParticleSystem* system)
{
    if (system == nullptr) return;
    const auto [at, added] = particleSystems.emplace(key, system);
    if (added) return;
    log->Error("(DataKeeper::AddParticleSystem): Particle System \"" + key + "\" is duplicated");
    if (at->second != system) FreeParticleSystem(system);
}

void DataKeeper::AddAnonymousShaderUser(ShaderUser* user)
{
    if (user != nullptr) AddShaderUser(AnonymousKey(shaderUsers), user);
}

void DataKeeper::AddAnonymousModel(Model* model)
{
    if (model != nullptr) AddModel(AnonymousKey(models), model);
}

void DataKeeper::AddAnonymousParticleSystem(ParticleSystem* system)
{
    if (system != nullptr) AddParticleSystem(AnonymousKey(particleSystems), system);
}

void DataKeeper::FreeShaderUser(ShaderUser* user)
{
    if (user != nullptr) shaderManager->RemoveShader(user);
}

// Resources may have come from the managers' registering factories; taking
// them out of the pool first keeps the pool from pointing at freed memory.
void DataKeeper::FreeModel(Model* model)
{
    if (model == nullptr) return;
    modelManager->models.Remove(model);
    delete model;
}

void DataKeeper::FreeSpriteGroup(SpriteGroup* group)
{
    if (group == nullptr) return;
    spriteGroupManager->groups.Remove(group);
    delete group;
}

void DataKeeper::FreeParticleSystem(ParticleSystem* system)
{
    if (system == nullptr) return;
    particleSystemManager->systems.Remove(system);
    std::replace(particleSystemManager->watchList.begin(), particleSystemManager->watchList.end(),
                 system, static_cast<ParticleSystem*>(nullptr));
    delete system;
}

} // namespace GameFramework
