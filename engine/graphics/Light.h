#pragma once
// One fixed-function device light: its description under a device light
// index. Refresh hands the description to the device; the renderer's
// CreateLight makes the kind that can.
#include <cstdint>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class MessageManager;

enum LightType : uint32_t {
    LightDirectional = 0,  // direction only
    LightSpot = 1,         // position, direction, attenuation and both cones
    LightPoint = 2,        // position and attenuation
};

class Light {
public:
    // A white point light at the origin with constant attenuation 1 and the
    // largest range the device accepts.
    Light(MessageManager* log, uint32_t index);
    virtual ~Light() = default;

    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    virtual void Refresh() {}
    virtual void Restore() {}

    uint32_t GetIndex() const { return index; }

    bool enabled = true;
    uint32_t type = LightPoint;  // LightType
    Vector3 position;
    Vector3 direction{0.0f, 0.0f, -1.0f};
    float range;
    ColorRGBA ambient{1.0f, 1.0f, 1.0f, 1.0f};
    ColorRGBA diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    ColorRGBA specular{1.0f, 1.0f, 1.0f, 1.0f};
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
    float innerCone = 0.0f;  // radians
    float outerCone = 0.0f;  // radians

protected:
    MessageManager* log;
    uint32_t index;
};

} // namespace ZorvaneEngine
