#pragma once
// Inside the platform layer only: the windowing over SDL2, the default one.
#include "platform/window/Windowing.h"

namespace Platform {

Windowing& GetSdlWindowing();

} // namespace Platform
