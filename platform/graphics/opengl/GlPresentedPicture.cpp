// The window copy of the OpenGL driver: the device draws into a framebuffer
// object and presents it by a blit, so the picture a window shows is still
// there to be read after the swap.
#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/graphics/opengl/OpenGlGraphics.h"
#include "platform/graphics/opengl/GlShared.h"

namespace Platform {

namespace {

std::mutex presentersMutex;
std::vector<GlShared*> presenters;

} // namespace

void AddPresenter(GlShared* shared)
{
    std::lock_guard<std::mutex> lock(presentersMutex);
    if (std::find(presenters.begin(), presenters.end(), shared) == presenters.end())
        presenters.push_back(shared);
}

void RemovePresenter(GlShared* shared)
{
    std::lock_guard<std::mutex> lock(presentersMutex);
    presenters.erase(std::remove(presenters.begin(), presenters.end(), shared), presenters.end());
}

bool GlShared::ReadPresentedPicture(uint32_t& width, uint32_t& height, std::vector<uint8_t>& pixels)
{
    if (!CanCallGl() || framebuffer == 0 || targetWidth == 0 || targetHeight == 0) return false;
    width = targetWidth;
    height = targetHeight;
    pixels.resize(static_cast<size_t>(width) * height * 4);
    // Errors of earlier calls are not this read's.
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // GL's row 0 is the bottom row, as in a bitmap.
    glReadPixels(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA,
                 GL_UNSIGNED_BYTE, pixels.data());
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    // The fourth byte of a window copy is unused and 0.
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0;
    return glGetError() == GL_NO_ERROR;
}

bool ReadPresentedPicture(SDL_Window* window, uint32_t& width, uint32_t& height,
                          std::vector<uint8_t>& pixels)
{
    if (window == nullptr) return false;
    GlShared* found = nullptr;
    {
        std::lock_guard<std::mutex> lock(presentersMutex);
        for (GlShared* shared : presenters)
            if (shared->window == window && shared->framebuffer != 0) found = shared;
    }
    return found != nullptr && found->ReadPresentedPicture(width, height, pixels);
}

} // namespace Platform
