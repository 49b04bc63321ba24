#pragma once
// Where the renderer finds the graphics objects: the adapters
// (DirectDrawEnumerateEx), a DirectDraw object for one of them
// (DirectDrawCreateEx) and the desktop's display settings
// (EnumDisplaySettings of the current settings). The real driver draws with
// OpenGL in the program's SDL window; the scripted one (ScriptedGraphics.h)
// serves tests.
#include <functional>

#include "platform/Installed.h"
#include "platform/graphics/DirectDraw.h"
#include "platform/graphics/DirectDrawTypes.h"
#include "platform/graphics/GraphicsResults.h"

namespace Platform {

struct DisplaySettings {
    uint32_t width = 0, height = 0, bitsPerPixel = 0;
};

class GraphicsDriver {
public:
    virtual ~GraphicsDriver() = default;
    // Calls back with each adapter until the callback returns false; guid is
    // null for the primary display.
    virtual HRESULT DirectDrawEnumerateEx(
        const std::function<bool(const Guid* guid, const char* description,
                                 const char* name)>& callback,
        uint32_t flags) = 0;
    // adapter null is the primary display.
    virtual HRESULT DirectDrawCreateEx(const Guid* adapter, DirectDraw** result) = 0;
    // The desktop's mode; false when it cannot be read.
    virtual bool EnumDisplaySettings(DisplaySettings& settings) = 0;
    // Whether WaitForVerticalBlank and a waiting Flip wait for the vertical
    // blank (on by default). Benchmarks and pixel tests switch it off to run
    // frames back to back; it takes effect at the next wait.
    virtual void SetVerticalBlankPacing(bool on) { (void)on; }
};

// The driver in use: the OpenGL one unless a test installed another.
GraphicsDriver& GetGraphicsDriver();
// Installs a replacement (null restores the OpenGL one); returns the previous.
GraphicsDriver* SetGraphicsDriver(GraphicsDriver* driver);
using ScopedGraphicsDriver = ScopedInstall<GraphicsDriver, &SetGraphicsDriver>;

} // namespace Platform
