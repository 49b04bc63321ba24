#include "engine/graphics/Light.h"

#include <cfloat>
#include <cmath>

namespace ZorvaneEngine {

// The device refuses a range above the square root of the largest float.
Light::Light(MessageManager* log, uint32_t index)
    : range(std::sqrt(FLT_MAX)), log(log), index(index)
{
}

} // namespace ZorvaneEngine
