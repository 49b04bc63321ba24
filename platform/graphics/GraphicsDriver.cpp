#include "platform/graphics/GraphicsDriver.h"

#include "platform/graphics/opengl/OpenGlGraphics.h"
#include "platform/window/sdl/SdlWindowAccess.h"

namespace Platform {

namespace {

GraphicsDriver& RealDriver()
{
    static const std::unique_ptr<GraphicsDriver> driver = CreateOpenGlGraphicsDriver(&GetSdlWindow);
    return *driver;
}

constinit Installed<GraphicsDriver> installed{&RealDriver};

} // namespace

GraphicsDriver& GetGraphicsDriver()
{
    return installed.Get();
}

GraphicsDriver* SetGraphicsDriver(GraphicsDriver* driver)
{
    return installed.Set(driver);
}

} // namespace Platform
