#include "platform/capture/real/RealCapture.h"

#include "platform/graphics/opengl/OpenGlGraphics.h"
#include "platform/window/sdl/SdlWindowAccess.h"

namespace Platform {

uint32_t RealCapture::VideoForWindowsVersion()
{
    return 0x010A0000;
}

bool RealCapture::CopyWindow(WindowHandle window, uint32_t, uint32_t, WindowBitmap& bitmap)
{
    return ReadPresentedPicture(GetSdlWindow(window), bitmap.width, bitmap.height, bitmap.pixels);
}

} // namespace Platform
