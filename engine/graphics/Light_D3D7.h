#pragma once
// A light on the Direct3D 7 device. Failing device calls are logged through
// the renderer and the light is sent again at the next refresh.
#include "engine/graphics/Light.h"
#include "platform/graphics/Direct3DDevice.h"

namespace ZorvaneEngine {

class RenderSystem_D3D7;

class Light_D3D7 : public Light {
public:
    // deviceSlot is where the renderer keeps its device, so that a device
    // it re-creates is used without telling the light.
    Light_D3D7(MessageManager* log, uint32_t index, RenderSystem_D3D7* renderer,
               Platform::Direct3DDevice* const* deviceSlot);
    // Switches the device light off.
    ~Light_D3D7() override;

    // A disabled light is only switched off; otherwise the description is
    // set and the light switched on, even when setting it failed.
    void Refresh() override;

private:
    void Disable();

    RenderSystem_D3D7* renderer;
    Platform::Direct3DDevice* const* deviceSlot;
};

} // namespace ZorvaneEngine
