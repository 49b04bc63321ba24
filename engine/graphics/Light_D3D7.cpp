#include "engine/graphics/Light_D3D7.h"

#include "engine/graphics/RenderSystem_D3D7.h"

namespace ZorvaneEngine {

namespace {

Platform::ColorValue ToColorValue(const ColorRGBA& c)
{
    return Platform::ColorValue{c.r, c.g, c.b, c.a};
}

Platform::Vector ToVector(const Vector3& v)
{
    return Platform::Vector{v.x, v.y, v.z};
}

} // namespace

Light_D3D7::Light_D3D7(MessageManager* log, uint32_t index, RenderSystem_D3D7* renderer,
                       Platform::Direct3DDevice* const* deviceSlot)
    : Light(log, index), renderer(renderer), deviceSlot(deviceSlot)
{
}

Light_D3D7::~Light_D3D7()
{
    Disable();
}

void Light_D3D7::Disable()
{
    if (Platform::Direct3DDevice* device = *deviceSlot) {
        renderer->ReportError("Light_D3D7::DisableLight", device->LightEnable(index, false));
    }
}

void Light_D3D7::Refresh()
{
    Platform::Direct3DDevice* device = *deviceSlot;
    // No device while a reset has failed; the next refresh sends it.
    if (device == nullptr) {
        return;
    }
    if (!enabled) {
        Disable();
        return;
    }

    Platform::Light light;
    light.range = range;
    light.diffuse = ToColorValue(diffuse);
    light.specular = ToColorValue(specular);
    light.ambient = ToColorValue(ambient);
    switch (type) {
    case LightDirectional:
        light.type = Platform::D3DLIGHT_DIRECTIONAL;
        light.direction = ToVector(direction);
        break;
    case LightSpot:
        light.type = Platform::D3DLIGHT_SPOT;
        light.position = ToVector(position);
        light.direction = ToVector(direction);
        light.attenuation0 = constantAttenuation;
        light.attenuation1 = linearAttenuation;
        light.attenuation2 = quadraticAttenuation;
        light.theta = innerCone;
        light.phi = outerCone;
        light.falloff = 1.0f;
        break;
    case LightPoint:
        light.type = Platform::D3DLIGHT_POINT;
        light.position = ToVector(position);
        light.attenuation0 = constantAttenuation;
        light.attenuation1 = linearAttenuation;
        light.attenuation2 = quadraticAttenuation;
        break;
    default:
        // An unknown kind keeps no type: only the colours and the range.
        break;
    }
    renderer->ReportError("Light_D3D7::Refresh", device->SetLight(index, light));
    renderer->ReportError("Light_D3D7::Refresh", device->LightEnable(index, true));
}

} // namespace ZorvaneEngine
