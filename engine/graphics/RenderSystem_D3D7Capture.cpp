// The copy of the back buffer into a picture.
#include <cstring>

#include "engine/core/Error.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem_D3D7.h"

namespace ZorvaneEngine {

using namespace Platform;

namespace {

// The byte value of the channel that mask selects in pixel.
uint8_t Channel(uint32_t pixel, uint32_t mask)
{
    if (mask == 0) {
        return 0;
    }
    uint32_t shift = 0;
    while (((mask >> shift) & 1) == 0) {
        ++shift;
    }
    uint32_t value = (pixel & mask) >> shift;
    uint32_t width = 0;
    while (((mask >> (shift + width)) & 1) != 0 && shift + width < 32) {
        ++width;
    }
    if (width < 8) {
        value = value * 255 / ((1u << width) - 1);
    } else if (width > 8) {
        value >>= width - 8;
    }
    return static_cast<uint8_t>(value);
}

} // namespace

void RenderSystem_D3D7::CaptureScreen(Image& image)
{
    const ModeInfo* mode = GetSelectedMode();
    if (mode == nullptr) {
        return;
    }
    image.Create(mode->width, mode->height, mode->bits == 32 ? 32 : 24, log);
    if (image.IsEmpty()) {
        return;
    }
    DirectDrawSurface* copy = nullptr;
    try {
        const char* failure = "Error creating temporary surface!";
        if (directDraw == nullptr || backBuffer == nullptr) {
            throw Error(failure);
        }
        SurfaceDesc desc = backBufferDesc;
        desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        desc.caps.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        desc.caps.caps2 = 0;
        if (directDraw->CreateSurface(desc, &copy) < 0 || copy == nullptr) {
            throw Error(failure);
        }
        SurfaceDesc locked;
        if (copy->Blt(nullptr, backBuffer, nullptr, DDBLT_WAIT) < 0 ||
            copy->Lock(nullptr, locked, DDLOCK_WAIT | DDLOCK_READONLY) < 0) {
            throw Error(failure);
        }
        const uint32_t surfaceBits = locked.pixelFormat.rgbBitCount;
        const uint32_t bytes = image.GetPixelBytes();
        const uint32_t rows = std::min(image.GetHeight(), locked.height);
        const uint32_t columns = std::min(image.GetWidth(), locked.width);
        const PixelFormat& f = locked.pixelFormat;
        // The first picture row is the bottom row of the screen.
        for (uint32_t y = 0; y < rows; ++y) {
            const auto* from = static_cast<const uint8_t*>(locked.surface) +
                               static_cast<ptrdiff_t>(locked.height - 1 - y) * locked.pitch;
            uint8_t* to = image.GetRow(y);
            for (uint32_t x = 0; x < columns; ++x, to += bytes) {
                if (surfaceBits == 16) {
                    std::memset(to, 255, 3);
                    from += 2;
                    continue;
                }
                uint32_t pixel = 0;
                const uint32_t pixelBytes = surfaceBits == 24 ? 3 : 4;
                std::memcpy(&pixel, from, pixelBytes);
                from += pixelBytes;
                // The picture is red, green, blue; the surface says by its
                // masks where each of them is.
                to[0] = Channel(pixel, f.redMask);
                to[1] = Channel(pixel, f.greenMask);
                to[2] = Channel(pixel, f.blueMask);
                if (bytes == 4) {
                    to[3] = static_cast<uint8_t>(255 - (pixel >> 24));
                }
            }
        }
        copy->Unlock(nullptr);
        copy->Release();
    } catch (const Error&) {
        if (copy != nullptr) {
            copy->Release();
        }
        image.Fill(ColorRGBA(1, 1, 1, 1));
    }
}

} // namespace ZorvaneEngine
