#pragma once
// A camera on the Direct3D 7 device: it also builds the projections the
// device takes (left-handed, depth 0 to 1) and hands them to the device
// itself; the view goes through the renderer's state cache.
#include "engine/graphics/Camera.h"
#include "platform/graphics/Direct3DDevice.h"

namespace ZorvaneEngine {

class RenderSystem_D3D7;

class Camera_D3D7 : public Camera {
public:
    // deviceSlot is where the renderer keeps its device, so that a device
    // it re-creates is used without telling the camera.
    Camera_D3D7(bool orthographic, RenderSystem_D3D7* renderer,
                Platform::Direct3DDevice* const* deviceSlot);

    // The horizontal extent is always 4/3 of the vertical one, whatever the
    // aspect: the game's scenes were laid out for it.
    void Update(float aspect) override;
    void Apply() override;
    void ApplyZBiased() override;

    Matrix4 deviceProjection;
    Matrix4 deviceZBiasedProjection;

private:
    void BuildPerspective();
    void BuildOrthographic();
    void ApplyProjection(const Matrix4& deviceMatrix, const char* tag);

    RenderSystem_D3D7* renderer;
    Platform::Direct3DDevice* const* deviceSlot;
};

} // namespace ZorvaneEngine
