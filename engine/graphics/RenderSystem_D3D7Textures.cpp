// Where the renderer meets the device-bound resources of their own Parts:
// cameras, lights and textures, and the texture surfaces around a device
// reset and a stage's binding.
#include "engine/graphics/RenderSystem_D3D7.h"

#include "engine/graphics/Camera_D3D7.h"
#include "engine/graphics/Light_D3D7.h"

namespace ZorvaneEngine {

Camera* RenderSystem_D3D7::CreateCamera(bool orthographic)
{
    return new Camera_D3D7(orthographic, this, GetDeviceSlot());
}

Light* RenderSystem_D3D7::CreateLight(uint32_t index)
{
    return new Light_D3D7(log, index, this, GetDeviceSlot());
}

Texture2D* RenderSystem_D3D7::CreateTexture(TextureManager*, const std::string&, Image*, Image*, bool)
{
    return nullptr;
}

// Every registered texture releases its surface before the device goes.
void RenderSystem_D3D7::ReleaseTextureSurfaces() {}

// Every registered texture creates its surface again from its pictures.
void RenderSystem_D3D7::RestoreTextureSurfaces() {}

// The surface a stage binds; a texture without one is restored first.
Platform::DirectDrawSurface* RenderSystem_D3D7::TextureSurface(Texture2D*)
{
    return nullptr;
}

} // namespace ZorvaneEngine
