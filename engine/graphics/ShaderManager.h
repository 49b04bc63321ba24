#pragma once
// Hands out material users and shares one Shader among all users whose
// descriptions compare equal, so each picture is loaded once. Owns the
// texture manager. Users are found by the description's hash; every live
// user is registered here, which is also the list the engine's scene pass
// animates each frame. Without locks: users are made on the main thread, or
// on the loading thread while the main thread leaves the materials alone.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace ZorvaneEngine {

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderUser;
class TextureManager;
class TimerManager;

class ShaderManager {
public:
    // Creates the texture manager with the same services.
    ShaderManager(MessageManager* log, FileManager* files, TimerManager* timers, Config* config,
                  RenderSystem* renderer);
    // Deletes every user still registered (and with them the shaders, which
    // release their textures), then the texture manager.
    virtual ~ShaderManager();

    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;

    // A new user of the description, sharing the Shader of an equal one.
    ShaderUser* CreateShaderUser(const ShaderDescriptor& description);
    // A new user of the material file data\<name>; a file that cannot be
    // read (logged by the reader) gives the default material: no stages,
    // no blending.
    ShaderUser* LoadShader(const std::string& name);
    // Releases a user; null is ignored. A user not made here is fatal:
    // "Shader Manager: Failed to remove shader".
    void RemoveShader(ShaderUser* user);

    // Every live user under its description's hash.
    const std::unordered_multimap<uint32_t, ShaderUser*>& GetUsers() const { return users; }
    uint32_t GetShaderCount() const { return shaderCount; }
    TextureManager* GetTextureManager() const { return textures.get(); }

private:
    MessageManager* log;
    FileManager* files;
    TimerManager* timers;
    Config* config;
    RenderSystem* renderer;
    std::unique_ptr<TextureManager> textures;
    std::unordered_multimap<uint32_t, ShaderUser*> users;  // owned
    uint32_t shaderCount = 0;
};

} // namespace ZorvaneEngine
