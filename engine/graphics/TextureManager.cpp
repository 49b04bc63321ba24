#include "engine/graphics/TextureManager.h"

#include "engine/core/TextUtils.h"

namespace ZorvaneEngine {

TextureManager::TextureManager(MessageManager*, FileManager*, TimerManager*, Config*, RenderSystem*) {}

TextureManager::~TextureManager() = default;

Texture2D* TextureManager::GetTexture(const std::string& diffuse, const std::string& opacity, bool mip)
{
    std::string key = "diffuse_" + ToLowerCase(diffuse);
    if (!opacity.empty()) {
        key += "_plus_opacity_" + ToLowerCase(opacity);
    }
    if (mip) {
        key += "_with_mip_mapping";
    }
    std::unique_ptr<Texture2D>& texture = textures[key];
    if (texture) {
        ++texture->referenceCount;
    } else {
        texture = std::make_unique<Texture2D>(key);
    }
    return texture.get();
}

void TextureManager::ReleaseTexture(Texture2D* texture)
{
    if (texture == nullptr) {
        return;
    }
    auto it = textures.find(texture->key);
    if (it != textures.end() && it->second.get() == texture && --texture->referenceCount == 0) {
        textures.erase(it);
    }
}

void TextureManager::GetTextures(std::vector<Texture2D*>& out) const
{
    out.clear();
    for (const auto& entry : textures) {
        out.push_back(entry.second.get());
    }
}

} // namespace ZorvaneEngine
