#include "engine/graphics/Texture2D_D3D7.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/TextureManager.h"

namespace ZorvaneEngine {

using namespace Platform;

namespace {

constexpr const char* kTag = "Texture2D_D3D7::CreateSurface";

// The first format of the wanted size that is plain RGB (no luminance, bump
// map or FourCC), not 4-bit alpha, and has alpha exactly when the upload
// carries it (32 bits).
bool FindFormat(const std::vector<PixelFormat>& formats, uint32_t uploadBits, uint32_t formatBits,
                PixelFormat& chosen)
{
    for (const PixelFormat& f : formats) {
        if ((f.flags & (DDPF_LUMINANCE | DDPF_BUMPLUMINANCE | DDPF_BUMPDUDV)) != 0 ||
            (f.flags & DDPF_FOURCC) != 0 || f.alphaMask == 0xF000 ||
            ((f.flags & DDPF_ALPHAPIXELS) != 0) != (uploadBits == 32) || f.rgbBitCount != formatBits) {
            continue;
        }
        chosen = f;
        return true;
    }
    return false;
}

// The next mip level: each channel the rounded mean of a 2 × 2 block;
// along a dimension of one pixel the same pixel counts twice.
Image Halve(const Image& source, MessageManager* log)
{
    const uint32_t w = source.GetWidth();
    const uint32_t h = source.GetHeight();
    const uint32_t step = source.GetPixelBytes();
    Image half;
    half.Create(std::max(w / 2, 1u), std::max(h / 2, 1u), source.GetBits(), log);
    for (uint32_t j = 0; j < half.GetHeight(); ++j) {
        const uint8_t* row0 = source.GetRow(std::min(2 * j, h - 1));
        const uint8_t* row1 = source.GetRow(std::min(2 * j + 1, h - 1));
        uint8_t* out = half.GetRow(j);
        for (uint32_t i = 0; i < half.GetWidth(); ++i) {
            const size_t x0 = static_cast<size_t>(std::min(2 * i, w - 1)) * step;
            const size_t x1 = static_cast<size_t>(std::min(2 * i + 1, w - 1)) * step;
            for (uint32_t k = 0; k < step; ++k) {
                *out++ = static_cast<uint8_t>(
                    (row0[x0 + k] + row0[x1 + k] + row1[x0 + k] + row1[x1 + k] + 2) / 4);
            }
        }
    }
    return half;
}

// Per channel, the bits each 8-bit value becomes in the pixel: the top
// "width" bits of the value at the mask's lowest bit.
class Packer {
public:
    explicit Packer(const PixelFormat& f)
    {
        const uint32_t masks[4] = {f.redMask, f.greenMask, f.blueMask, f.alphaMask};
        for (int c = 0; c < 4; ++c) {
            const uint32_t mask = masks[c];
            uint32_t position = 0;
            while (position < 32 && mask != 0 && (mask & (1u << position)) == 0) {
                ++position;
            }
            const int width = std::popcount(mask);
            for (uint32_t v = 0; v < 256; ++v) {
                // A channel wider than 8 bits takes the value's bits at its top.
                const uint64_t bits = width <= 8 ? v >> (8 - width) : uint64_t{v} << (width - 8);
                table[c][v] = static_cast<uint32_t>(bits << position) & mask;
            }
        }
    }
    uint32_t Pack(uint8_t r, uint8_t g, uint8_t b, uint8_t a) const
    {
        return table[0][r] | table[1][g] | table[2][b] | table[3][a];
    }

private:
    uint32_t table[4][256];
};

// Writes one level's pictures into locked surface memory: picture row r to
// surface row r. Colour from the diffuse picture (8 bits: grey); alpha from
// the opacity picture (its fourth byte at 32 bits, else its first), else the
// diffuse picture's fourth byte at 32 bits, else opaque.
void WriteLevel(const Image& diffuse, const Image* opacity, const Packer& packer,
                uint32_t formatBits, uint8_t* memory, int32_t pitch)
{
    const uint32_t dStep = diffuse.GetPixelBytes();
    const uint32_t oStep = opacity != nullptr ? opacity->GetPixelBytes() : 0;
    const uint32_t oAlpha = oStep == 4 ? 3 : 0;
    for (uint32_t y = 0; y < diffuse.GetHeight(); ++y) {
        const uint8_t* d = diffuse.GetRow(y);
        const uint8_t* o = opacity != nullptr ? opacity->GetRow(y) : nullptr;
        uint8_t* out = memory + static_cast<ptrdiff_t>(y) * pitch;
        for (uint32_t x = 0; x < diffuse.GetWidth(); ++x, d += dStep) {
            uint8_t r = d[0], g = d[0], b = d[0];
            if (dStep >= 3) {
                g = d[1];
                b = d[2];
            }
            uint8_t a = 255;
            if (o != nullptr) {
                a = o[oAlpha];
                o += oStep;
            } else if (dStep == 4) {
                a = d[3];
            }
            const uint32_t pixel = packer.Pack(r, g, b, a);
            if (formatBits == 32) {
                std::memcpy(out, &pixel, 4);
                out += 4;
            } else {
                const uint16_t half = static_cast<uint16_t>(pixel);
                std::memcpy(out, &half, 2);
                out += 2;
            }
        }
    }
}

} // namespace

Texture2D_D3D7::Texture2D_D3D7(RenderSystem_D3D7* renderer, MessageManager* log, Config* config,
                               TextureManager* manager, const std::string& key, Image* diffuse,
                               Image* opacity, bool mipMap)
    : Texture2D(log, config, manager, key, mipMap), renderer(renderer),
      directDraw(renderer->GetDirectDrawSlot()), device(renderer->GetDeviceSlot())
{
    renderer->AddTexture(this);
    try {
        CreateSurface(opacity, diffuse);
    } catch (...) {
        // No texture format: the fatal error goes on without this texture.
        renderer->RemoveTexture(this, key);
        throw;
    }
}

Texture2D_D3D7::~Texture2D_D3D7()
{
    renderer->RemoveTexture(this, key);
    ReleaseSurface();
}

void Texture2D_D3D7::ReleaseSurface()
{
    if (surface != nullptr) {
        surface->Release();
        surface = nullptr;
    }
}

void Texture2D_D3D7::Restore()
{
    if (surface != nullptr || *directDraw == nullptr || *device == nullptr) {
        return;
    }
    TextureEntry* entry = manager != nullptr ? manager->FindEntry(key) : nullptr;
    if (entry == nullptr) {
        return;
    }
    // Fitted again, as at creation: the device may have other limits now,
    // and pictures read again from files come at their own size.
    if (entry->diffuse != nullptr) {
        manager->FitImages(entry->diffuseName, entry->opacityName, *entry->diffuse,
                           entry->opacity.get(), false);
        CreateSurface(entry->opacity.get(), entry->diffuse.get());
        return;
    }
    std::unique_ptr<Image> diffuse;
    std::unique_ptr<Image> opacity;
    manager->LoadImages(entry->diffuseName, entry->opacityName, diffuse, opacity);
    manager->FitImages(entry->diffuseName, entry->opacityName, *diffuse, opacity.get(), false);
    CreateSurface(opacity.get(), diffuse.get());
}

void Texture2D_D3D7::CreateSurface(Image* opacity, Image* diffuse)
{
    DirectDraw* dd = *directDraw;
    Direct3DDevice* dev = *device;
    if (surface != nullptr || diffuse == nullptr || diffuse->IsEmpty() || dd == nullptr || dev == nullptr) {
        return;
    }
    videoBytes = 0;
    width = diffuse->GetWidth();
    height = diffuse->GetHeight();

    // Read by diffuse coordinates: an opacity picture of another size is
    // read through a copy at the diffuse size.
    Image scaledOpacity;
    if (opacity != nullptr && opacity->IsEmpty()) {
        opacity = nullptr;
    }
    if (opacity != nullptr && (opacity->GetWidth() != width || opacity->GetHeight() != height)) {
        opacity->ResizeTo(scaledOpacity, width, height);
        opacity = &scaledOpacity;
    }

    const uint32_t uploadBits = opacity != nullptr ? 32 : std::max(diffuse->GetBits(), 24u);

    std::vector<PixelFormat> formats;
    renderer->ReportError(kTag, dev->EnumTextureFormats([&](const PixelFormat& f) {
        formats.push_back(f);
        return true;
    }));
    PixelFormat format;
    if (!FindFormat(formats, uploadBits, 32, format) && !FindFormat(formats, uploadBits, 16, format)) {
        log->Fatal(std::string("Direct3D Subsystem (") + kTag + "): Failed to find texture format");
    }

    uint32_t levels = 1;
    if (mipMapped) {
        for (uint32_t s = std::max(width, height); s > 1; s /= 2) {
            ++levels;
        }
    }
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_TEXTURESTAGE;
    desc.width = width;
    desc.height = height;
    desc.pixelFormat = format;
    desc.textureStage = 0;
    desc.caps.caps = DDSCAPS_TEXTURE;
    if (mipMapped) {
        desc.flags |= DDSD_MIPMAPCOUNT;
        desc.caps.caps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
        desc.mipMapCount = levels;
    }
    const DeviceInfo_D3D7* selected = renderer->GetSelectedDevice_D3D7();
    const DeviceKind kind = selected != nullptr ? selected->Kind() : DeviceKind::Software;
    if (kind == DeviceKind::TnLHal || kind == DeviceKind::Hal) {
        desc.caps.caps2 = DDSCAPS2_TEXTUREMANAGE;
    } else {
        desc.caps.caps |= DDSCAPS_SYSTEMMEMORY;
    }
    DirectDrawSurface* created = nullptr;
    const HRESULT hr = dd->CreateSurface(desc, &created);
    renderer->ReportError(kTag, hr);
    if (hr < 0 || created == nullptr) {
        // Without a surface the next bind or reset tries again.
        return;
    }
    surface = created;

    const Packer packer(format);
    const bool showMipMaps = config != nullptr && config->showMipMaps;
    // Pictures made for the levels; level 0 reads the caller's.
    Image levelDiffuse;
    Image levelOpacity;
    const Image* currentDiffuse = diffuse;
    const Image* currentOpacity = opacity;
    DirectDrawSurface* level = surface;
    uint32_t w = width;
    uint32_t h = height;
    for (uint32_t index = 0;; ++index) {
        if (index > 0) {
            levelDiffuse = Halve(*currentDiffuse, log);
            currentDiffuse = &levelDiffuse;
            if (currentOpacity != nullptr) {
                levelOpacity = Halve(*currentOpacity, log);
                currentOpacity = &levelOpacity;
            }
            if (index == 1 && showMipMaps) {
                levelDiffuse.Fill(ColorRGBA(1, 0, 0, 1));
                if (currentOpacity != nullptr) {
                    levelOpacity.Fill(ColorRGBA(1, 1, 1, 1));
                }
            }
        }

        SurfaceDesc tempDesc;
        tempDesc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        tempDesc.width = w;
        tempDesc.height = h;
        tempDesc.pixelFormat = format;
        tempDesc.caps.caps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
        DirectDrawSurface* temp = nullptr;
        HRESULT result = dd->CreateSurface(tempDesc, &temp);
        renderer->ReportError(kTag, result);
        if (result < 0 || temp == nullptr) {
            break;
        }
        SurfaceDesc locked;
        do {
            result = temp->Lock(nullptr, locked, DDLOCK_WAIT | DDLOCK_WRITEONLY);
        } while (result == DDERR_WASSTILLDRAWING);
        renderer->ReportError(kTag, result);
        if (result < 0 || locked.surface == nullptr) {
            temp->Release();
            break;
        }
        WriteLevel(*currentDiffuse, currentOpacity, packer, format.rgbBitCount,
                   static_cast<uint8_t*>(locked.surface), locked.pitch);
        renderer->ReportError(kTag, temp->Unlock(nullptr));
        result = level->Blt(nullptr, temp, nullptr, DDBLT_WAIT);
        renderer->ReportError(kTag, result);
        temp->Release();
        if (result >= 0) {
            videoBytes += w * h * uploadBits / 8;
        }

        if (!mipMapped || (w == 1 && h == 1)) {
            break;
        }
        SurfaceCaps caps;
        caps.caps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP;
        DirectDrawSurface* next = nullptr;
        result = level->GetAttachedSurface(caps, &next);
        renderer->ReportError(kTag, result);
        if (level != surface) {
            level->Release();
        }
        level = nullptr;
        if (result < 0 || next == nullptr) {
            break;
        }
        level = next;
        w = std::max(w / 2, 1u);
        h = std::max(h / 2, 1u);
    }
    if (level != nullptr && level != surface) {
        level->Release();
    }
}

} // namespace ZorvaneEngine
