#include "platform/input/DirectInput.h"

#include "platform/input/sdl/SdlInput.h"

namespace Platform {

namespace {
constinit Installed<Input> installed{&GetSdlInput};
} // namespace

Input& GetInput()
{
    return installed.Get();
}

Input* SetInput(Input* input)
{
    return installed.Set(input);
}

} // namespace Platform
