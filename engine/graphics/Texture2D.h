#pragma once
// A picture (a diffuse image, optionally with an opacity image) on the
// device, with an optional chain of mip levels. Textures are made and shared
// by the TextureManager, which counts their users; the device-bound part is
// the renderer's (Texture2D_D3D7).
#include <cstdint>
#include <string>

namespace ZorvaneEngine {

class Config;
class MessageManager;
class TextureManager;

class Texture2D {
public:
    virtual ~Texture2D();

    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;

    const std::string& GetKey() const { return key; }
    TextureManager* GetManager() const { return manager; }
    uint32_t GetReferenceCount() const { return referenceCount; }
    // Bytes of every uploaded level: width × height × upload depth / 8, the
    // depth being 32 with an opacity picture, else the diffuse picture's
    // (8 counted as 24).
    uint32_t GetVideoBytes() const { return videoBytes; }
    // Requested and allowed by "r_use_mip_mapping" when the texture was made.
    bool IsMipMapped() const { return mipMapped; }
    // Size of level 0.
    uint32_t GetWidth() const { return width; }
    uint32_t GetHeight() const { return height; }

protected:
    Texture2D(MessageManager* log, Config* config, TextureManager* manager, const std::string& key,
              bool mipMap);

    MessageManager* log;
    Config* config;  // also the engine's variables "r_use_mip_mapping", "r_show_mip_maps"
    TextureManager* manager;
    std::string key;
    uint32_t referenceCount = 1;
    uint32_t videoBytes = 0;
    bool mipMapped;
    uint32_t width = 0;
    uint32_t height = 0;

    friend class TextureManager;  // counts the users
};

} // namespace ZorvaneEngine
