#include "platform/input/DirectInput.h"

#include "platform/input/SdlInput.h"

namespace Platform {
namespace {
Input* installed = nullptr;
}

Input& GetInput() { return installed ? *installed : GetSdlInput(); }

Input* SetInput(Input* input) {
    Input* previous = installed;
    installed = input;
    return previous;
}

} // namespace Platform
