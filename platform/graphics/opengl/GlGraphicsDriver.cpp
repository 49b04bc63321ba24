#include <SDL.h>

#include <atomic>
#include <memory>

#include "platform/graphics/opengl/OpenGlGraphics.h"
#include "platform/graphics/opengl/GlDirectDraw.h"

namespace Platform {

namespace {

class GlGraphicsDriver : public GraphicsDriver {
public:
    GlGraphicsDriver(std::function<SDL_Window*(WindowHandle)> findWindow, VerticalBlankPacer::Time time)
        : findWindow_(std::move(findWindow)), time_(std::move(time))
    {
    }

    HRESULT DirectDrawEnumerateEx(
        const std::function<bool(const Guid*, const char*, const char*)>& callback, uint32_t) override
    {
        callback(nullptr, "OpenGL display", "display");
        return DD_OK;
    }
    HRESULT DirectDrawCreateEx(const Guid* adapter, DirectDraw** result) override
    {
        if (result == nullptr) {
            return DDERR_INVALIDPARAMS;
        }
        *result = nullptr;
        if (adapter != nullptr) {
            return DDERR_INVALIDDIRECTDRAWGUID;
        }
        *result = new GlDirectDraw(findWindow_, pacing_, time_);
        return DD_OK;
    }
    bool EnumDisplaySettings(DisplaySettings& settings) override
    {
        const SurfaceDesc d = GlDirectDraw::DesktopMode();
        settings = {d.width, d.height, d.pixelFormat.rgbBitCount};
        return true;
    }
    void SetVerticalBlankPacing(bool on) override { pacing_->store(on); }

private:
    std::function<SDL_Window*(WindowHandle)> findWindow_;
    VerticalBlankPacer::Time time_;
    // Shared with every DirectDraw object made here, which may outlive the
    // driver.
    std::shared_ptr<std::atomic<bool>> pacing_ = std::make_shared<std::atomic<bool>>(true);
};

} // namespace

std::unique_ptr<GraphicsDriver> CreateOpenGlGraphicsDriver(
    std::function<SDL_Window*(WindowHandle)> findWindow, VerticalBlankPacer::Time time)
{
    return std::make_unique<GlGraphicsDriver>(std::move(findWindow), std::move(time));
}

} // namespace Platform
