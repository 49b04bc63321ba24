#pragma once
// A texture on the Direct3D 7 device: one texture surface (with its mip
// levels when mip-mapped), filled from the pictures through a temporary
// system-memory surface per level. The texture registers itself with the
// renderer while it lives, so that a device reset can release and restore
// its surface; it reaches the renderer's DirectDraw object and device
// through the renderer's slots, and so always uses the current ones.
#include <string>

#include "engine/graphics/Texture2D.h"
#include "platform/graphics/Direct3DDevice.h"
#include "platform/graphics/DirectDraw.h"

namespace ZorvaneEngine {

class Image;
class RenderSystem_D3D7;

class Texture2D_D3D7 : public Texture2D {
public:
    // Registers with the renderer and creates the surface from the pictures
    // (opacity may be null), which stay the caller's.
    Texture2D_D3D7(RenderSystem_D3D7* renderer, MessageManager* log, Config* config,
                   TextureManager* manager, const std::string& key, Image* diffuse, Image* opacity,
                   bool mipMap);
    // Leaves the renderer (and every stage that binds it), then releases
    // the surface.
    ~Texture2D_D3D7() override;

    // Does nothing while a surface exists, or while the renderer has no
    // device. A failed creation leaves no surface (a later bind or reset
    // tries again); no usable texture format is fatal. The opacity picture
    // is read at the diffuse picture's size.
    void CreateSurface(Image* opacity, Image* diffuse);
    void ReleaseSurface();
    // A new surface from the pictures the manager keeps for this texture's
    // key, or from its files, fitted to the device as at creation. A key
    // the manager does not know leaves the texture without a surface.
    void Restore();

    // Level 0 of the chain; null until created and after ReleaseSurface.
    Platform::DirectDrawSurface* GetSurface() const { return surface; }

private:
    RenderSystem_D3D7* renderer;
    Platform::DirectDraw* const* directDraw;
    Platform::Direct3DDevice* const* device;
    Platform::DirectDrawSurface* surface = nullptr;
};

} // namespace ZorvaneEngine
