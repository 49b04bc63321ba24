#pragma once
// The capture of the running game: the window copy is the picture the
// OpenGL driver last presented in the window; movies are written by our
// own AVI writer, with no codec dialog (full frames are the only codec).
#include "platform/capture/Capture.h"

namespace Platform {

class RealCapture final : public Capture {
public:
    // Version 1.10: movies are possible.
    uint32_t VideoForWindowsVersion() override;
    bool CopyWindow(WindowHandle window, uint32_t width, uint32_t height,
                    WindowBitmap& bitmap) override;
    bool HasCompressionDialog() override { return false; }
};

} // namespace Platform
