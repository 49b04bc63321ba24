// Where the renderer meets the device-bound resources that have classes of
// their own: cameras, lights and textures, and the texture surfaces around a
// device reset and a stage's binding.
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/Texture2D_D3D7.h"

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

Texture2D* RenderSystem_D3D7::CreateTexture(TextureManager* manager, const std::string& key,
                                            Image* diffuse, Image* opacity, bool mipMap)
{
    return new Texture2D_D3D7(this, log, config, manager, key, diffuse, opacity, mipMap);
}

namespace {

// The registry holds nothing but these.
Texture2D_D3D7* D3D7(Texture2D* texture)
{
    return static_cast<Texture2D_D3D7*>(texture);
}

} // namespace

// Every registered texture releases its surface before the device goes.
void RenderSystem_D3D7::ReleaseTextureSurfaces()
{
    std::vector<Texture2D*> list;
    {
        std::lock_guard<std::mutex> lock(textureMutex);
        list = textures;
    }
    for (Texture2D* texture : list) {
        // A stage must not keep a surface that is gone, nor skip binding the
        // restored one.
        ForgetTexture(texture);
        D3D7(texture)->ReleaseSurface();
    }
}

// Every registered texture creates its surface again from its pictures.
void RenderSystem_D3D7::RestoreTextureSurfaces()
{
    std::vector<Texture2D*> list;
    {
        std::lock_guard<std::mutex> lock(textureMutex);
        list = textures;
    }
    for (Texture2D* texture : list) {
        D3D7(texture)->Restore();
    }
}

// The surface a stage binds; a texture without one is restored first.
Platform::DirectDrawSurface* RenderSystem_D3D7::TextureSurface(Texture2D* texture)
{
    Texture2D_D3D7* t = D3D7(texture);
    if (t->GetSurface() == nullptr) {
        t->Restore();
    }
    return t->GetSurface();
}

} // namespace ZorvaneEngine
