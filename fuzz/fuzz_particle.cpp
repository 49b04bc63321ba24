// Particle-system files: read, then run for a few frames of emission,
// motion and deaths.
#include <cstdint>

#include "engine/core/Error.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace ZorvaneEngine;
    FuzzSupport::Scene& scene = FuzzSupport::GetScene();
    FuzzSupport::WriteFile("data/input.psf", FuzzSupport::WithOwnSize(data, size));
    ParticleSystemServices services;
    services.log = &FuzzSupport::Log();
    services.files = &FuzzSupport::Files();
    services.timers = scene.timers.get();
    services.shaders = scene.shaders.get();
    services.spriteGroups = scene.spriteGroups.get();
    try {
        ParticleSystem system(services, "input.psf", nullptr);
        system.emitting = true;
        system.looping = true;
        for (const float step : {0.0f, 0.05f, 0.5f, 3.0f}) {
            scene.timers->frameStep = step;
            system.Update();
        }
    } catch (const Error&) {
        // A damaged file is refused: the outcome wanted.
    }
    FuzzSupport::EndInput();
    return 0;
}
