#include "platform/window/Windowing.h"

#include "platform/window/SdlWindowing.h"

namespace Platform {
namespace {
Windowing* installed = nullptr;
}

Windowing& GetWindowing() { return installed ? *installed : GetSdlWindowing(); }

Windowing* SetWindowing(Windowing* windowing) {
    Windowing* previous = installed;
    installed = windowing;
    return previous;
}

} // namespace Platform
