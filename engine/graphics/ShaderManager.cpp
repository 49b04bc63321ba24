#include "engine/graphics/ShaderManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Shader.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/TextureManager.h"

namespace ZorvaneEngine {

ShaderManager::ShaderManager(MessageManager* log, FileManager* files, TimerManager* timers,
                             Config* config, RenderSystem* renderer)
    : log(log), files(files), timers(timers), config(config), renderer(renderer),
      textures(std::make_unique<TextureManager>(log, files, timers, config, renderer))
{
}

ShaderManager::~ShaderManager()
{
    for (auto& entry : users) {
        delete entry.second;
    }
    users.clear();
    textures.reset();
}

ShaderUser* ShaderManager::CreateShaderUser(const ShaderDescriptor& description)
{
    Shader* shader = nullptr;
    const auto [first, last] = users.equal_range(description.hash);
    for (auto it = first; it != last; ++it) {
        if (*it->second == description) {
            shader = it->second->GetShader();
            break;
        }
    }
    std::unique_ptr<Shader> made;
    if (shader == nullptr) {
        made = std::make_unique<Shader>(description, log, files, renderer, textures.get());
        shader = made.get();
    }
    // From here the user owns its share of the shader.
    ShaderUser* user = new ShaderUser(description, log, timers, shader);
    if (made) {
        made.release();
        ++shaderCount;
    }
    users.emplace(description.hash, user);
    return user;
}

ShaderUser* ShaderManager::LoadShader(const std::string& name)
{
    std::unique_ptr<ShaderDescriptor> description;
    try {
        description = std::make_unique<ShaderDescriptor>(name, log, files);
    } catch (const FatalError&) {
        throw;
    } catch (const Error&) {
        description = std::make_unique<ShaderDescriptor>(0);
    }
    return CreateShaderUser(*description);
}

void ShaderManager::RemoveShader(ShaderUser* user)
{
    if (user == nullptr) {
        return;
    }
    const auto [first, last] = users.equal_range(user->hash);
    auto it = first;
    while (it != last && it->second != user) {
        ++it;
    }
    if (it == last) {
        log->Fatal("Shader Manager: Failed to remove shader");
    }
    users.erase(it);
    if (user->GetShader()->GetUserCount() == 1) {
        --shaderCount;
    }
    delete user;
}

} // namespace ZorvaneEngine
