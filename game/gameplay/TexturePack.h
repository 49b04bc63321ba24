#pragma once
// Many small pictures (the pieces of a puzzle) packed into a few atlas pages
// of power-of-two sizes, so that they share textures. The packer places each
// picture with a transparent border of 2 pixels, names the pictures by their
// packing order and makes a TexturePack: one material per page and, for
// every picture, its page and its rectangle in the page. Sprites of the
// pictures are then made from the pack by name.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
class Image;
class MessageManager;
class ShaderManager;
class ShaderUser;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

// One of the caller's pictures; the packer writes its name.
struct TexturePackItem {
    std::string name;
    const ZorvaneEngine::Image* picture = nullptr;  // the caller's
};

// A picture being placed. Its padded rectangle, 4 pixels larger than the
// picture in each direction, runs from (x, y) to (right, bottom).
struct PackItem {
    std::string name;
    TexturePackItem* source = nullptr;
    // The placement row: 0 for the first item, one more for each step
    // below an anchor.
    uint32_t row = 0;
    // Whether another item may still be placed against this one's side
    // toward larger x and toward larger y.
    bool rightFree = true;
    bool belowFree = true;
    uint32_t page = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    float uMin = 0.0f;
    float vMin = 0.0f;
    float uMax = 0.0f;
    float vMax = 0.0f;
};

struct TexturePackPage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<PackItem*> items;
};

// Padded size of the largest page; a picture may be at most 1020 pixels on
// a side.
constexpr uint32_t TexturePackMaxPage = 1024;
constexpr uint32_t TexturePackPadding = 4;

// Places the items, in list order, each to the right of or below one placed
// before it; true when all fit into width × height, the items then holding
// their positions. Every run starts afresh.
bool FitPackItems(uint32_t width, uint32_t height, const std::vector<PackItem*>& items);

// The layout BuildTexturePack makes: the items sorted by area (largest
// first; the order among equal areas is kept, so a layout is always the
// same), named by that order (in the caller's items too), split into pages
// (each the longest run of the remaining items that fits 1024 × 1024) of the
// smallest size that holds them, and given their texture rectangles.
// Fatal through the log for an empty list and for a picture larger than
// 1020 pixels on a side.
void LayOutTexturePack(ZorvaneEngine::MessageManager& log, std::vector<TexturePackItem>& items,
                       std::vector<PackItem>& packed, std::vector<TexturePackPage>& pages);

struct TexturePackEntry {
    ZorvaneEngine::ShaderUser* page = nullptr;  // the pack's
    float uMin = 0.0f;
    float vMin = 0.0f;
    float uMax = 0.0f;
    float vMax = 0.0f;
};

class TexturePack {
public:
    // One blended material per page picture, its texture named "pack_" +
    // name + "_" + the page number.
    TexturePack(ZorvaneEngine::Engine* engine, const std::string& name,
                std::vector<std::unique_ptr<ZorvaneEngine::Image>> pagePictures);
    // The entries, then the page materials.
    virtual ~TexturePack();

    TexturePack(const TexturePack&) = delete;
    TexturePack& operator=(const TexturePack&) = delete;

    // Entry names are unique in a pack; a name given again keeps the first
    // entry.
    void AddEntry(const std::string& entryName, uint32_t page, const ZorvaneEngine::Vector2& uvMin,
                  const ZorvaneEngine::Vector2& uvMax);
    // A new quad window (vertex colours, not shown) at position and size
    // showing exactly the named picture. An unknown name is fatal: "Texture
    // pack "<pack>" is not contain "<name>" texture". The window belongs to
    // the caller.
    ZorvaneEngine::GUIWindow* CreateSprite(const ZorvaneEngine::Vector2& position, const ZorvaneEngine::Vector2& size,
                                           const std::string& entryName, ZorvaneEngine::GUIWindow* parent) const;
    void DeleteEntries();

    const std::string& GetName() const { return name; }
    const std::vector<ZorvaneEngine::ShaderUser*>& GetPages() const { return pages; }
    // By lower-case name.
    const TexturePackEntry* FindEntry(const std::string& entryName) const;

private:
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::ShaderManager* shaderManager;
    ZorvaneEngine::GUIManager* guiManager;
    std::string name;
    std::vector<ZorvaneEngine::ShaderUser*> pages;  // owned through the shader manager
    std::map<std::string, std::unique_ptr<TexturePackEntry>> entries;
};

// Lays the items out, draws the page pictures and makes the pack named
// name. The pictures stay the caller's.
void BuildTexturePack(std::unique_ptr<TexturePack>& out, const std::string& name, ZorvaneEngine::Engine* engine,
                      std::vector<TexturePackItem>& items);

} // namespace ActionPuzzle
