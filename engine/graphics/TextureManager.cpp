#include "engine/graphics/TextureManager.h"

#include <algorithm>

#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/Texture2D.h"

namespace ZorvaneEngine {

TextureManager::TextureManager(MessageManager* log, FileManager* files, TimerManager* timers,
                               Config* config, RenderSystem* renderer)
    : log(log), files(files), timers(timers), config(config), renderer(renderer)
{
}

TextureManager::~TextureManager() = default;

std::string TextureManager::MakeKey(const std::string& diffuseName, const std::string& opacityName,
                                    bool mipMap)
{
    std::string key = "diffuse_" + ToLowerCase(diffuseName);
    if (!opacityName.empty()) {
        key += "_plus_opacity_" + ToLowerCase(opacityName);
    }
    if (mipMap) {
        key += "_with_mip_mapping";
    }
    return key;
}

Texture2D* TextureManager::GetTexture(const std::string& diffuseName, const std::string& opacityName,
                                      bool mipMap)
{
    auto found = textures.find(MakeKey(diffuseName, opacityName, mipMap));
    if (found != textures.end()) {
        ++found->second.texture->referenceCount;
        return found->second.texture.get();
    }
    std::unique_ptr<Image> diffuse;
    std::unique_ptr<Image> opacity;
    LoadImages(diffuseName, opacityName, diffuse, opacity);
    return CreateTexture(mipMap, opacity.get(), false, diffuseName, opacityName, diffuse.get());
}

Texture2D* TextureManager::CreateTexture(bool mipMap, Image* opacity, bool keepImages,
                                         const std::string& diffuseName,
                                         const std::string& opacityName, Image* diffuse)
{
    std::unique_ptr<Image> keptDiffuse(keepImages ? diffuse : nullptr);
    // The same picture handed over as both is owned once.
    std::unique_ptr<Image> keptOpacity(keepImages && opacity != diffuse ? opacity : nullptr);
    const std::string key = MakeKey(diffuseName, opacityName, mipMap);
    auto found = textures.find(key);
    if (found != textures.end()) {
        ++found->second.texture->referenceCount;
        return found->second.texture.get();
    }

    // A missing or empty picture would make a surface of no size.
    std::unique_ptr<Image> substitute;
    if (diffuse == nullptr || diffuse->IsEmpty()) {
        substitute = std::make_unique<Image>();
        substitute->MakeSubstitute(log);
        diffuse = substitute.get();
        if (keepImages) {
            keptDiffuse = std::move(substitute);
        }
    }
    if (opacity != nullptr && opacity->IsEmpty()) {
        opacity = nullptr;
        keptOpacity.reset();
    }

    FitImages(diffuseName, opacityName, *diffuse, opacity, true);
    Texture2D* texture = renderer->CreateTexture(this, key, diffuse, opacity, mipMap);
    if (texture == nullptr) {
        return nullptr;
    }
    Item& item = textures[key];
    item.texture.reset(texture);
    item.entry = std::make_unique<TextureEntry>();
    item.entry->key = key;
    item.entry->diffuseName = diffuseName;
    item.entry->opacityName = opacityName;
    item.entry->diffuse = std::move(keptDiffuse);
    item.entry->opacity = std::move(keptOpacity);
    return texture;
}

void TextureManager::ReleaseTexture(Texture2D* texture)
{
    if (texture == nullptr) {
        return;
    }
    auto found = textures.find(texture->GetKey());
    if (found == textures.end() || found->second.texture.get() != texture) {
        return;
    }
    if (--texture->referenceCount == 0) {
        found->second.texture.reset();
        textures.erase(found);
    }
}

uint32_t TextureManager::GetUsedVideoMemory() const
{
    uint32_t bytes = 0;
    for (const auto& [key, item] : textures) {
        bytes += item.texture->GetVideoBytes();
    }
    return bytes;
}

void TextureManager::GetTextures(std::vector<Texture2D*>& list) const
{
    list.clear();
    for (const auto& [key, item] : textures) {
        list.push_back(item.texture.get());
    }
}

bool TextureManager::IsPowerOfTwo(uint32_t value)
{
    return value <= 65536 && (value & (value - 1)) == 0;
}

uint32_t TextureManager::FitSize(uint32_t size, uint32_t limit)
{
    uint64_t power = 1;
    while (power < size) {
        power *= 2;
    }
    const uint64_t below = power / 2;
    uint64_t fitted = size - below < power - size ? below : power;
    // 2^32 does not fit the size's type; 0 would make an empty picture.
    fitted = std::min<uint64_t>(fitted, 0x80000000u);
    if (limit != 0 && fitted > limit) {
        fitted = limit;
    }
    return static_cast<uint32_t>(fitted);
}

void TextureManager::LoadImages(const std::string& diffuseName, const std::string& opacityName,
                                std::unique_ptr<Image>& diffuse, std::unique_ptr<Image>& opacity)
{
    diffuse = std::make_unique<Image>();
    Image::Load(log, files, *diffuse, diffuseName);
    if (diffuse->IsEmpty()) {
        diffuse->MakeSubstitute(log);
    }
    opacity.reset();
    if (opacityName.empty()) {
        return;
    }
    if (opacityName == diffuseName) {
        opacity = std::make_unique<Image>(*diffuse);
    } else {
        opacity = std::make_unique<Image>();
        Image::Load(log, files, *opacity, opacityName);
    }
    if (opacity->IsEmpty()) {
        opacity.reset();
    }
}

void TextureManager::FitImages(const std::string& diffuseName, const std::string& opacityName,
                               Image& diffuse, Image* opacity, bool warn)
{
    if (warn && (!IsPowerOfTwo(diffuse.GetWidth()) || !IsPowerOfTwo(diffuse.GetHeight()))) {
        log->Warning("Texture Manager: \"" + diffuseName + "\" image size should be power of two");
    }
    const uint32_t width = FitSize(diffuse.GetWidth(), renderer->GetMaxTextureWidth());
    const uint32_t height = FitSize(diffuse.GetHeight(), renderer->GetMaxTextureHeight());
    if (width != diffuse.GetWidth() || height != diffuse.GetHeight()) {
        diffuse.Resize(width, height);
    }
    if (opacity != nullptr &&
        (opacity->GetWidth() != diffuse.GetWidth() || opacity->GetHeight() != diffuse.GetHeight())) {
        if (warn) {
            log->Warning("Texture Manager: \"" + opacityName + "\" image size should be the same as \"" +
                         diffuseName + "\"");
        }
        opacity->Resize(diffuse.GetWidth(), diffuse.GetHeight());
    }
}

TextureEntry* TextureManager::FindEntry(const std::string& key)
{
    auto found = textures.find(key);
    return found != textures.end() ? found->second.entry.get() : nullptr;
}

} // namespace ZorvaneEngine
