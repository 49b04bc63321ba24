#pragma once
// What the OpenGL objects of one DirectDraw object share: the SDL window of
// the cooperative level, the GL context of the device (made by
// CreateDevice, gone with the device), the entry points beyond OpenGL 1.1,
// the framebuffer object the device draws into, loss, and textures waiting
// to be deleted on the main thread. GL is called only on the thread that
// made the context.
#include <SDL.h>
#include <SDL_opengl.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/graphics/GraphicsResults.h"
#include "platform/graphics/opengl/VerticalBlankPacer.h"
#include "platform/window/sdl/SdlEventPump.h"
#include "platform/window/WindowHandle.h"

namespace Platform {

class MemorySurface;

struct GlFunctions {
    PFNGLACTIVETEXTUREPROC ActiveTexture = nullptr;
    void(APIENTRY* ClientActiveTexture)(GLenum) = nullptr;
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
    // Sampler objects; null when the context lacks them (filters and
    // addressing are then set on the bound texture at each draw).
    PFNGLGENSAMPLERSPROC GenSamplers = nullptr;
    PFNGLDELETESAMPLERSPROC DeleteSamplers = nullptr;
    PFNGLBINDSAMPLERPROC BindSampler = nullptr;
    PFNGLSAMPLERPARAMETERIPROC SamplerParameteri = nullptr;
    PFNGLSAMPLERPARAMETERFPROC SamplerParameterf = nullptr;
    float maxAnisotropy = 1;  // 1 without EXT_texture_filter_anisotropic
    // False when a required entry point is missing.
    bool Load();
};

struct GlShared {
    GlShared();
    ~GlShared();
    GlShared(const GlShared&) = delete;
    GlShared& operator=(const GlShared&) = delete;

    // Finds the SDL window behind a window handle.
    std::function<SDL_Window*(WindowHandle)> findWindow;

    SDL_Window* window = nullptr;
    bool exclusive = false;
    bool lost = false;
    // A display mode set in exclusive mode (0: the desktop's).
    uint32_t modeWidth = 0, modeHeight = 0, modeBits = 0;
    // Hertz of the mode shown, the desktop's in a window; 0 when unknown.
    uint32_t refreshRate = 0;

    // The driver's switch: false makes every wait for the vertical blank
    // return at once. Null counts as on.
    std::shared_ptr<const std::atomic<bool>> pacing;
    VerticalBlankPacer pacer;
    // The next present's swap waits for the vertical blank.
    bool vsyncNextPresent = false;
    int swapInterval = -1;  // as last set on the context; -1 unknown

    // A present that would show the same single colour the window shows
    // already is skipped (the copy of a whole frame costs the software
    // rasterizer several milliseconds): the render target holds one colour
    // from a clear of all of it until something is drawn, and the window
    // keeps its picture until it is exposed, resized or shown anew.
    bool targetUniform = false;
    uint32_t targetColor = 0;  // 0xRRGGBB
    bool windowUniform = false;
    uint32_t windowColor = 0;
    bool windowKeepsPicture = false;
    // The whole render target was cleared to the colour (D3DCOLOR).
    void TargetCleared(uint32_t color);
    // Something else was drawn into it.
    void TargetDrawn() { targetUniform = false; }

    SDL_GLContext context = nullptr;
    // Counts the contexts made; GL names of an older one are void.
    uint64_t contextNumber = 0;
    std::thread::id mainThread;
    GlFunctions gl;

    // Does what the device recorded: before the render target is shown or
    // read. Set while a device exists.
    std::function<void()> flushDrawing;
    // The device's render target, its framebuffer object, and its size.
    MemorySurface* target = nullptr;
    GLuint framebuffer = 0;
    uint32_t targetWidth = 0, targetHeight = 0;

    // The device made its context on this thread / deleted it. Guarded:
    // textures may be released on the loading thread meanwhile.
    void ContextMade(SDL_GLContext made);
    void ContextGone();
    // True on the context's thread while the context exists.
    bool CanCallGl() const { return context != nullptr && std::this_thread::get_id() == mainThread; }
    // Deletes a texture of context number, now or at the next chance on
    // the main thread; nothing when that context is gone.
    void DeleteTexture(GLuint name, uint64_t number);
    void DeletePendingTextures();
    // Blocks until the next vertical blank, or, where the swap interval
    // paces, leaves the wait to the next present's swap. Nothing while
    // pacing is switched off.
    void WaitForVerticalBlank();
    // Shows the framebuffer object in the window, scaled to fit and
    // centred, and swaps; the swap waits when WaitForVerticalBlank left it
    // the wait.
    HRESULT Present();
    // The window is minimised while exclusive: the surfaces are lost.
    bool InBackground() const;

    // The picture last presented: the framebuffer object's pixels as B, G,
    // R, 0, rows bottom-up. Context thread only.
    bool ReadPresentedPicture(uint32_t& width, uint32_t& height, std::vector<uint8_t>& pixels);

private:
    // Notes the window events after which the window needs its picture
    // again.
    class WindowWatch : public SdlEventListener {
    public:
        explicit WindowWatch(GlShared& owner) : owner_(owner) {}
        void OnSdlEvent(const SDL_Event& event) override;

    private:
        GlShared& owner_;
    };

    std::mutex mutex_;
    std::vector<GLuint> pendingDeletes_;
    WindowWatch watch_{*this};
};

// The devices that present in a window, for the screen capture to find
// the picture a window shows. A device joins with its context and leaves
// with it.
void AddPresenter(GlShared* shared);
void RemovePresenter(GlShared* shared);

} // namespace Platform
