#pragma once
// Inside the platform layer only: the input devices over SDL events, the
// default input.
#include "platform/input/DirectInput.h"

namespace Platform {

Input& GetSdlInput();

} // namespace Platform
