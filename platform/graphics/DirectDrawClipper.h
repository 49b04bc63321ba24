#pragma once
// A clipper (IDirectDrawClipper): binds a windowed primary surface to the
// window it is shown in.
#include "platform/graphics/GraphicsResults.h"
#include "platform/graphics/Unknown.h"
#include "platform/window/WindowHandle.h"

namespace Platform {

class DirectDrawClipper : public Unknown {
public:
    virtual HRESULT SetHWnd(uint32_t flags, WindowHandle window) = 0;
};

} // namespace Platform
