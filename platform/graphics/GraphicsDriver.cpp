#include "platform/graphics/GraphicsDriver.h"

#include "platform/graphics/OpenGlGraphics.h"
#include "platform/window/SdlWindowAccess.h"

namespace Platform {

namespace {

GraphicsDriver* installed = nullptr;

GraphicsDriver& RealDriver()
{
    static const std::unique_ptr<GraphicsDriver> driver = CreateOpenGlGraphicsDriver(&GetSdlWindow);
    return *driver;
}

} // namespace

GraphicsDriver& GetGraphicsDriver()
{
    return installed != nullptr ? *installed : RealDriver();
}

GraphicsDriver* SetGraphicsDriver(GraphicsDriver* driver)
{
    GraphicsDriver* previous = installed;
    installed = driver;
    return previous;
}

} // namespace Platform
