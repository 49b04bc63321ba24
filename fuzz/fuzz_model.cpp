// Model files: read with their material, then animated, culled and hit by
// a ray for a few frames.
#include <cstdint>
#include <memory>

#include "engine/core/Error.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/ShaderManager.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace ZorvaneEngine;
    FuzzSupport::Scene& scene = FuzzSupport::GetScene();
    FuzzSupport::WriteFile("data/input.mlf", FuzzSupport::WithOwnSize(data, size));
    ModelServices services;
    services.log = &FuzzSupport::Log();
    services.files = &FuzzSupport::Files();
    services.timers = scene.timers.get();
    services.renderer = scene.renderer.get();
    services.cameras = scene.cameras.get();
    services.lights = scene.lights.get();
    services.shaders = scene.shaders.get();
    try {
        Model model(services, "input.mlf", nullptr, 0);
        for (const float step : {0.0f, 0.04f, 0.7f}) {
            scene.timers->frameStep = step;
            model.Update(true);
        }
        BoundingBox box;
        model.ComputeBoundingBox(box);
        model.IntersectRay(Ray{Vector3(0.0f, 0.0f, 10.0f), Vector3(0.0f, 0.0f, -20.0f)});
    } catch (const Error&) {
        // A damaged file is refused: the outcome wanted.
    }
    FuzzSupport::EndInput();
    return 0;
}
