#include "platform/window/Windowing.h"

#include "platform/window/sdl/SdlWindowing.h"

namespace Platform {

namespace {
constinit Installed<Windowing> installed{&GetSdlWindowing};
} // namespace

Windowing& GetWindowing()
{
    return installed.Get();
}

Windowing* SetWindowing(Windowing* windowing)
{
    return installed.Set(windowing);
}

} // namespace Platform
