#include "game/gameplay/TexturePack.h"

#include <algorithm>
#include <cstring>

#include "engine/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/VertexBuffer.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "game/gameplay/PictureMaterial.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

// The picture sits this far in from its padded corner.
constexpr int32_t Border = 2;

// Page sizes tried in turn: the width doubles first.
constexpr uint32_t PageSizes[][2] = {{32, 32},   {64, 32},   {64, 64},   {128, 64},  {128, 128},  {256, 128},
                                     {256, 256}, {512, 256}, {512, 512}, {1024, 512}, {1024, 1024}};

uint32_t PaddedWidth(const PackItem& item)
{
    return item.source->picture->GetWidth() + TexturePackPadding;
}

uint32_t PaddedHeight(const PackItem& item)
{
    return item.source->picture->GetHeight() + TexturePackPadding;
}

// Rectangles that only touch do not overlap.
bool Overlaps(int32_t x, int32_t y, int32_t width, int32_t height, const PackItem& other)
{
    const int64_t otherWidth = other.right - other.x;
    const int64_t otherHeight = other.bottom - other.y;
    const int64_t dx = (2 * int64_t{x} + width) - (2 * int64_t{other.x} + otherWidth);
    const int64_t dy = (2 * int64_t{y} + height) - (2 * int64_t{other.y} + otherHeight);
    return (dx < 0 ? -dx : dx) < width + otherWidth && (dy < 0 ? -dy : dy) < height + otherHeight;
}

struct Candidate {
    PackItem* anchor = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    uint32_t row = 0;
};

// The first placed item, in placement order, against whose free side the
// new item fits.
Candidate FindCandidate(bool toRight, uint32_t width, uint32_t height, const std::vector<PackItem*>& items,
                        size_t placed, uint32_t paddedWidth, uint32_t paddedHeight)
{
    for (size_t a = 0; a < placed; ++a) {
        PackItem* anchor = items[a];
        if (!(toRight ? anchor->rightFree : anchor->belowFree)) {
            continue;
        }
        Candidate candidate;
        candidate.anchor = anchor;
        candidate.x = toRight ? anchor->right : anchor->x;
        candidate.y = toRight ? anchor->y : anchor->bottom;
        candidate.row = toRight ? anchor->row : anchor->row + 1;
        if (int64_t{candidate.x} + paddedWidth > width || int64_t{candidate.y} + paddedHeight > height) {
            continue;
        }
        bool free = true;
        for (size_t p = 0; p < placed && free; ++p) {
            free = !Overlaps(candidate.x, candidate.y, static_cast<int32_t>(paddedWidth),
                             static_cast<int32_t>(paddedHeight), *items[p]);
        }
        if (free) {
            return candidate;
        }
    }
    return {};
}

void Place(PackItem& item, int32_t x, int32_t y, uint32_t row)
{
    item.x = x;
    item.y = y;
    item.right = x + static_cast<int32_t>(PaddedWidth(item));
    item.bottom = y + static_cast<int32_t>(PaddedHeight(item));
    item.row = row;
    item.rightFree = true;
    item.belowFree = true;
}

} // namespace

bool FitPackItems(uint32_t width, uint32_t height, const std::vector<PackItem*>& items)
{
    if (items.empty()) {
        return true;
    }
    PackItem& first = *items[0];
    if (PaddedWidth(first) > width || PaddedHeight(first) > height) {
        return false;
    }
    Place(first, 0, 0, 0);
    for (size_t i = 1; i < items.size(); ++i) {
        PackItem& item = *items[i];
        const uint32_t paddedWidth = PaddedWidth(item);
        const uint32_t paddedHeight = PaddedHeight(item);
        const Candidate right = FindCandidate(true, width, height, items, i, paddedWidth, paddedHeight);
        const Candidate below = FindCandidate(false, width, height, items, i, paddedWidth, paddedHeight);
        if (right.anchor == nullptr && below.anchor == nullptr) {
            return false;
        }
        const bool takeRight = below.anchor == nullptr || (right.anchor != nullptr && right.row < below.row);
        const Candidate& chosen = takeRight ? right : below;
        (takeRight ? chosen.anchor->rightFree : chosen.anchor->belowFree) = false;
        Place(item, chosen.x, chosen.y, chosen.row);
    }
    return true;
}

void LayOutTexturePack(MessageManager& log, std::vector<TexturePackItem>& items, std::vector<PackItem>& packed,
                       std::vector<TexturePackPage>& pages)
{
    if (items.empty()) {
        log.Fatal("No items to pack");
    }
    for (size_t i = 0; i < items.size(); ++i) {
        const Image* picture = items[i].picture;
        // Beyond this no page would ever take the picture and the page loop
        // below could not make progress.
        if (picture == nullptr || picture->GetWidth() + TexturePackPadding > TexturePackMaxPage ||
            picture->GetHeight() + TexturePackPadding > TexturePackMaxPage) {
            log.Fatal("Texture pack: picture " + UIntToText(static_cast<uint32_t>(i)) + " of " +
                      UIntToText(picture ? picture->GetWidth() : 0) + " x " +
                      UIntToText(picture ? picture->GetHeight() : 0) + " pixels is too large to pack");
        }
    }
    const auto area = [&items](size_t i) {
        return uint64_t{items[i].picture->GetWidth()} * items[i].picture->GetHeight();
    };
    std::vector<size_t> order(items.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&area](size_t a, size_t b) { return area(a) > area(b); });

    packed.assign(items.size(), PackItem());
    std::vector<PackItem*> remaining;
    for (size_t k = 0; k < order.size(); ++k) {
        PackItem& item = packed[k];
        item.source = &items[order[k]];
        item.name = UIntToText(static_cast<uint32_t>(k));
        item.source->name = item.name;
        remaining.push_back(&item);
    }

    pages.clear();
    size_t next = 0;
    while (next < remaining.size()) {
        TexturePackPage page;
        while (next + page.items.size() < remaining.size()) {
            page.items.push_back(remaining[next + page.items.size()]);
            if (!FitPackItems(TexturePackMaxPage, TexturePackMaxPage, page.items)) {
                page.items.pop_back();
                break;
            }
        }
        next += page.items.size();
        for (const auto& size : PageSizes) {
            if (FitPackItems(size[0], size[1], page.items)) {
                page.width = size[0];
                page.height = size[1];
                break;
            }
        }
        const auto width = static_cast<float>(page.width);
        const auto height = static_cast<float>(page.height);
        for (PackItem* item : page.items) {
            item->page = static_cast<uint32_t>(pages.size());
            item->uMin = static_cast<float>(item->x + Border) / width;
            item->vMin = static_cast<float>(item->y + Border) / height;
            item->uMax = static_cast<float>(item->right - Border) / width;
            item->vMax = static_cast<float>(item->bottom - Border) / height;
        }
        pages.push_back(std::move(page));
    }
}

void BuildTexturePack(std::unique_ptr<TexturePack>& out, const std::string& name, Engine* engine,
                      std::vector<TexturePackItem>& items)
{
    std::vector<PackItem> packed;
    std::vector<TexturePackPage> pages;
    LayOutTexturePack(*engine->log, items, packed, pages);

    std::vector<std::unique_ptr<Image>> pictures;
    for (const TexturePackPage& page : pages) {
        auto picture = std::make_unique<Image>();
        picture->Create(page.width, page.height, 32, engine->log.get());
        picture->Fill(ColorRGBA(0, 0, 0, 0));
        for (const PackItem* item : page.items) {
            item->source->picture->BlitTo(*picture, static_cast<uint32_t>(item->x + Border),
                                          static_cast<uint32_t>(item->y + Border));
        }
        pictures.push_back(std::move(picture));
    }
    out = std::make_unique<TexturePack>(engine, name, std::move(pictures));
    for (const PackItem& item : packed) {
        out->AddEntry(item.name, item.page, Vector2(item.uMin, item.vMin), Vector2(item.uMax, item.vMax));
    }
}

TexturePack::TexturePack(Engine* engine, const std::string& name, std::vector<std::unique_ptr<Image>> pagePictures)
    : log(engine->log.get()), shaderManager(engine->materials.get()), guiManager(engine->guiManager.get()),
      name(name)
{
    for (size_t i = 0; i < pagePictures.size(); ++i) {
        const std::string textureName = "pack_" + name + "_" + UIntToText(static_cast<uint32_t>(i));
        pages.push_back(CreatePictureShaderUser(*engine, textureName, true, std::move(pagePictures[i])));
    }
}

TexturePack::~TexturePack()
{
    DeleteEntries();
    for (ShaderUser* page : pages) {
        shaderManager->RemoveShader(page);
    }
    pages.clear();
}

void TexturePack::AddEntry(const std::string& entryName, uint32_t page, const Vector2& uvMin, const Vector2& uvMax)
{
    auto entry = std::make_unique<TexturePackEntry>();
    entry->page = page < pages.size() ? pages[page] : nullptr;
    entry->uMin = uvMin.x;
    entry->vMin = uvMin.y;
    entry->uMax = uvMax.x;
    entry->vMax = uvMax.y;
    entries.emplace(ToLowerCase(entryName), std::move(entry));
}

const TexturePackEntry* TexturePack::FindEntry(const std::string& entryName) const
{
    const auto found = entries.find(ToLowerCase(entryName));
    return found == entries.end() ? nullptr : found->second.get();
}

GUIWindow* TexturePack::CreateSprite(const Vector2& position, const Vector2& size, const std::string& entryName,
                                     GUIWindow* parent) const
{
    const TexturePackEntry* entry = FindEntry(entryName);
    if (entry == nullptr) {
        log->Fatal("Texture pack \"" + name + "\" is not contain \"" + entryName + "\" texture");
    }
    GUIWindow* sprite =
        guiManager->CreateQuadWindow(GUIWindowFlags::VertexColor, position, size, entry->page, parent, Vector2(1, 1));
    if (sprite == nullptr || sprite->model == nullptr) {
        return sprite;
    }
    VertexBuffer* vertices = sprite->model->GetVertexBuffer();
    if (uint8_t* first = vertices->Lock(0, vertices->GetCount())) {
        constexpr float Tolerance = 0.0001f;
        const auto remap = [](float value, float low, float high) {
            if (value > -Tolerance && value < Tolerance) {
                return low;
            }
            if (value > 1 - Tolerance && value < 1 + Tolerance) {
                return high;
            }
            return value;
        };
        for (uint32_t i = 0; i < vertices->GetCount(); ++i) {
            uint8_t* at = first + i * vertices->GetStride() + vertices->GetTexCoordOffset();
            float uv[2];
            std::memcpy(uv, at, sizeof uv);
            uv[0] = remap(uv[0], entry->uMin, entry->uMax);
            uv[1] = remap(uv[1], entry->vMin, entry->vMax);
            std::memcpy(at, uv, sizeof uv);
        }
        vertices->Unlock();
    }
    return sprite;
}

void TexturePack::DeleteEntries()
{
    entries.clear();
}

} // namespace ActionPuzzle
