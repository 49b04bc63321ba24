#pragma once
// Every texture under a text key made from its picture file names: users of
// the same key share one texture, counted per user. Pictures are fitted to
// the device (power-of-two sizes, the device's maximal size, the opacity
// picture at the diffuse picture's size) before upload, and a texture's
// surface can be made again after the device was lost. Pictures stay in
// memory only for textures made from pictures handed over (keepImages),
// which cannot be read again from files.
//
// The tables have no locks: the loading thread creates textures while the
// main thread draws nothing anew.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/Image.h"

namespace ZorvaneEngine {

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class Texture2D;
class TimerManager;

struct TextureEntry {
    std::string key;
    std::string diffuseName;
    std::string opacityName;
    // Kept for restoring; null unless the creator handed its pictures over.
    std::unique_ptr<Image> diffuse;
    std::unique_ptr<Image> opacity;
};

class TextureManager {
public:
    TextureManager(MessageManager* log, FileManager* files, TimerManager* timers, Config* config,
                   RenderSystem* renderer);
    // Deletes every texture and kept picture.
    ~TextureManager();

    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // "diffuse_<diffuse>[_plus_opacity_<opacity>][_with_mip_mapping]", the
    // names lower-cased; no opacity part for an empty opacity name.
    static std::string MakeKey(const std::string& diffuseName, const std::string& opacityName,
                               bool mipMap);

    // The shared texture of these files (opacity may be ""), one user more;
    // the files are read only for a new key. A diffuse picture that cannot
    // be read is replaced by the substitute board.
    Texture2D* GetTexture(const std::string& diffuseName, const std::string& opacityName, bool mipMap);
    // A texture from pictures in memory (opacity may be null), registered
    // under the key of the names. The diffuse picture is fitted in place.
    // With keepImages the manager owns both pictures from now on (it keeps
    // them for restoring, or deletes them when the key exists already);
    // without it they stay the caller's.
    Texture2D* CreateTexture(bool mipMap, Image* opacity, bool keepImages,
                             const std::string& diffuseName, const std::string& opacityName,
                             Image* diffuse);
    // One user less; the last one deletes the texture, its entry and its
    // kept pictures. Null and unknown textures are ignored.
    void ReleaseTexture(Texture2D* texture);

    // Sum of the video bytes of every texture.
    uint32_t GetUsedVideoMemory() const;
    // Replaces the vector's content with every texture, in key order.
    void GetTextures(std::vector<Texture2D*>& textures) const;

    // 0 and the powers of two up to 65536.
    static bool IsPowerOfTwo(uint32_t value);
    // The power of two nearest to size (a tie takes the larger), then at
    // most limit (0: no limit).
    static uint32_t FitSize(uint32_t size, uint32_t limit);

    // Reads the diffuse picture (the substitute board when it fails) and the
    // opacity picture (none for an empty name or a failed read; a copy of
    // the diffuse picture when both names are the same).
    void LoadImages(const std::string& diffuseName, const std::string& opacityName,
                    std::unique_ptr<Image>& diffuse, std::unique_ptr<Image>& opacity);
    // Scales the diffuse picture in place to power-of-two sizes within the
    // device's limits, and the opacity picture (may be null) to the diffuse
    // size; with warn, each mismatch is logged as a warning first.
    void FitImages(const std::string& diffuseName, const std::string& opacityName, Image& diffuse,
                   Image* opacity, bool warn);

    // The entry of a key; null when unknown.
    TextureEntry* FindEntry(const std::string& key);

private:
    struct Item {
        std::unique_ptr<TextureEntry> entry;
        std::unique_ptr<Texture2D> texture;  // after the entry: deleted first
    };

    MessageManager* log;
    FileManager* files;
    TimerManager* timers;
    Config* config;
    RenderSystem* renderer;
    std::map<std::string, Item> textures;
};

} // namespace ZorvaneEngine
