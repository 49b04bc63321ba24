#pragma once
// Every texture under a key made from its picture names, shared by
// reference counting.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/Texture2D.h"

namespace ZorvaneEngine {

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class TimerManager;

class TextureManager {
public:
    TextureManager(MessageManager* log, FileManager* files, TimerManager* timers, Config* config,
                   RenderSystem* renderer);
    virtual ~TextureManager();

    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    Texture2D* GetTexture(const std::string& diffuse, const std::string& opacity, bool mip);
    void ReleaseTexture(Texture2D* texture);
    void GetTextures(std::vector<Texture2D*>& out) const;

private:
    std::map<std::string, std::unique_ptr<Texture2D>> textures;
};

} // namespace ZorvaneEngine
