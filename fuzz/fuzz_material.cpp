// Material files: read by the material manager, which also loads the
// pictures they name (missing here: each becomes the substitute picture),
// then animated for a few frames.
#include <cstdint>

#include "engine/core/TimerManager.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::Scene& scene = FuzzSupport::GetScene();
    FuzzSupport::WriteFile("data/input.srf", FuzzSupport::WithOwnSize(data, size));
    ZorvaneEngine::ShaderUser* user = scene.shaders->LoadShader("input.srf");
    for (const float step : {0.0f, 0.04f, 1.5f}) {
        scene.timers->frameStep = step;
        user->Update();
    }
    scene.shaders->RemoveShader(user);
    FuzzSupport::EndInput();
    return 0;
}
