#include "platform/graphics/opengl/GlShared.h"

#include <algorithm>

#include "platform/window/sdl/SdlEventPump.h"

namespace Platform {

namespace {

template <typename T>
bool Get(T& function, const char* name)
{
    function = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
    return function != nullptr;
}

} // namespace

bool GlFunctions::Load()
{
    bool ok = Get(ActiveTexture, "glActiveTexture") &&
              Get(ClientActiveTexture, "glClientActiveTexture") &&
              Get(GenFramebuffers, "glGenFramebuffers") &&
              Get(DeleteFramebuffers, "glDeleteFramebuffers") &&
              Get(BindFramebuffer, "glBindFramebuffer") &&
              Get(FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
              Get(CheckFramebufferStatus, "glCheckFramebufferStatus") &&
              Get(GenRenderbuffers, "glGenRenderbuffers") &&
              Get(DeleteRenderbuffers, "glDeleteRenderbuffers") &&
              Get(BindRenderbuffer, "glBindRenderbuffer") &&
              Get(RenderbufferStorage, "glRenderbufferStorage") &&
              Get(BlitFramebuffer, "glBlitFramebuffer");
    const bool samplers = SDL_GL_ExtensionSupported("GL_ARB_sampler_objects") &&
                          Get(GenSamplers, "glGenSamplers") && Get(DeleteSamplers, "glDeleteSamplers") &&
                          Get(BindSampler, "glBindSampler") &&
                          Get(SamplerParameteri, "glSamplerParameteri") &&
                          Get(SamplerParameterf, "glSamplerParameterf");
    if (!samplers) {
        GenSamplers = nullptr;
    }
    maxAnisotropy = 1;
    if (SDL_GL_ExtensionSupported("GL_EXT_texture_filter_anisotropic")) {
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maxAnisotropy);
    }
    return ok;
}

GlShared::GlShared()
{
    AddSdlEventListener(&watch_);
}

GlShared::~GlShared()
{
    RemovePresenter(this);
    RemoveSdlEventListener(&watch_);
    RemovePresenter(this);
}

void GlShared::WindowWatch::OnSdlEvent(const SDL_Event& event)
{
    if (event.type != SDL_WINDOWEVENT || owner_.window == nullptr ||
        event.window.windowID != SDL_GetWindowID(owner_.window)) {
        return;
    }
    switch (event.window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
        owner_.windowKeepsPicture = false;
        break;
    default:
        break;
    }
}

void GlShared::TargetCleared(uint32_t color)
{
    targetUniform = true;
    targetColor = color & 0xFFFFFFu;  // the target has no alpha to show
}

void GlShared::ContextMade(SDL_GLContext made)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        context = made;
        ++contextNumber;
        mainThread = std::this_thread::get_id();
        swapInterval = -1;
        targetUniform = false;
        windowKeepsPicture = false;
        // The offscreen driver swaps a buffer nobody shows: nothing to wait for.
        if (IsHeadlessVideoDriver()) {
            pacer.DriverIgnoresSwapInterval();
        }
    }
    AddPresenter(this);
}

void GlShared::ContextGone()
{
    RemovePresenter(this);
    std::lock_guard<std::mutex> lock(mutex_);
    context = nullptr;
    pendingDeletes_.clear();
}

void GlShared::DeleteTexture(GLuint name, uint64_t number)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (name == 0 || context == nullptr || number != contextNumber) {
        return;  // gone with its context
    }
    if (CanCallGl()) {
        glDeleteTextures(1, &name);
        return;
    }
    pendingDeletes_.push_back(name);
}

void GlShared::DeletePendingTextures()
{
    std::vector<GLuint> names;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        names.swap(pendingDeletes_);
    }
    if (!names.empty() && CanCallGl()) {
        glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
    }
}

bool GlShared::InBackground() const
{
    return exclusive && window != nullptr &&
           (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
}

void GlShared::WaitForVerticalBlank()
{
    if (pacing && !pacing->load()) {
        return;
    }
    pacer.SetRefreshRate(refreshRate);
    if (CanCallGl() && pacer.DriverPaces()) {
        vsyncNextPresent = true;
        return;
    }
    pacer.WaitForBlank();
}

HRESULT GlShared::Present()
{
    const bool waitInSwap = vsyncNextPresent;
    vsyncNextPresent = false;
    // A frame that cannot be shown still takes its period, or a loop of
    // failing presents would spin.
    if (!CanCallGl() || framebuffer == 0) {
        if (waitInSwap) {
            pacer.WaitForBlank();
        }
        return DDERR_NOTINITIALIZED;
    }
    if (flushDrawing) {
        flushDrawing();
    }
    if (lost || InBackground()) {
        lost = true;
        if (waitInSwap) {
            pacer.WaitForBlank();
        }
        return DDERR_SURFACELOST;
    }
    if (targetUniform && windowUniform && windowKeepsPicture && targetColor == windowColor) {
        if (waitInSwap) {
            pacer.WaitForBlank();
        }
        return DD_OK;
    }
    int interval = waitInSwap ? 1 : 0;
    if (interval != swapInterval) {
        if (SDL_GL_SetSwapInterval(interval) == 0) {
            swapInterval = interval;
        } else if (interval == 1) {
            // The driver cannot wait in the swap: our clock waits instead.
            pacer.DriverIgnoresSwapInterval();
            pacer.WaitForBlank();
            interval = 0;
            swapInterval = -1;
        }
    }
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window, &w, &h);
    // Keep the mode's proportions: scale to fit, centre, black bars.
    const double scale = std::min(static_cast<double>(w) / targetWidth,
                                  static_cast<double>(h) / targetHeight);
    const int dw = static_cast<int>(targetWidth * scale + 0.5);
    const int dh = static_cast<int>(targetHeight * scale + 0.5);
    const int dx = (w - dw) / 2, dy = (h - dh) / 2;

    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (dw != w || dh != h) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    const bool sameSize = dw == static_cast<int>(targetWidth) && dh == static_cast<int>(targetHeight);
    gl.BlitFramebuffer(0, 0, targetWidth, targetHeight, dx, dy, dx + dw, dy + dh,
                       GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(window);
    pacer.Presented(interval == 1);
    windowUniform = targetUniform;
    windowColor = targetColor;
    windowKeepsPicture = true;
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return DD_OK;
}

} // namespace Platform
