#include "platform/graphics/opengl/RasterizerThreads.h"

#include <cstdlib>

namespace Platform {

bool ChooseRasterizerThreads()
{
    if (std::getenv("LP_NUM_THREADS") != nullptr) {
        return false;
    }
    return setenv("LP_NUM_THREADS", kRasterizerThreads, 0) == 0;
}

} // namespace Platform
