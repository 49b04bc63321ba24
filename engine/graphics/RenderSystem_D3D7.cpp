// The device side of the Direct3D 7 renderer: enumeration, the choice of
// device and video mode, creation and release of the device and its
// surfaces, loss and reset, error reports and the texture registry.
#include "engine/graphics/RenderSystem_D3D7.h"

#include <algorithm>
#include <tuple>

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/core/Window.h"

namespace ZorvaneEngine {

using namespace Platform;

namespace {

const char* const kDottedLine = "........................................................";
const char* const kLastResortMode = "640x480x16";

// The device records keep at most 63 characters of a name.
std::string Truncated(const char* text)
{
    std::string s = text != nullptr ? text : "";
    return s.size() > 63 ? s.substr(0, 63) : s;
}

// The render-depth bit a device needs for a display depth; 0 for depths no
// device renders to.
uint32_t RenderDepthBit(uint32_t bits)
{
    switch (bits) {
    case 32: return DDBD_32;
    case 24: return DDBD_24;
    case 16: return DDBD_16;
    default: return 0;
    }
}

std::string ModeText(uint32_t width, uint32_t height, uint32_t bits)
{
    return std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits);
}

template <typename T>
void ReleaseAndClear(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

DeviceKind DeviceInfo_D3D7::Kind() const
{
    if (guid == IID_IDirect3DRefDevice) {
        return DeviceKind::Reference;
    }
    if (hardware) {
        return guid == IID_IDirect3DTnLHalDevice ? DeviceKind::TnLHal : DeviceKind::Hal;
    }
    return DeviceKind::Software;
}

RenderSystem_D3D7::RenderSystem_D3D7(Config* config, MessageManager* log, Window* window,
                                     bool stencilWanted, bool keepWindowSize)
    : RenderSystem(config, log, window, stencilWanted, keepWindowSize), driver(GetGraphicsDriver())
{
    log->Message("\nInitialization of Direct3D subsystem...");
    try {
        EnumerateDevices();
        OpenDevice(true);
    } catch (...) {
        ReleaseDevice();
        throw;
    }
    InitStates();
    log->Message(" ");
}

RenderSystem_D3D7::~RenderSystem_D3D7()
{
    log->Message("\nDirect3D Subsystem destroying:");
    // A device still referenced is logged as fatal; a destructor cannot
    // pass the exception on, so it stops here.
    try {
        ReleaseDevice();
    } catch (const Error&) {
    }
    std::lock_guard<std::mutex> lock(textureMutex);
    textures.clear();
}

AdapterInfo_D3D7* RenderSystem_D3D7::GetSelectedAdapter_D3D7() const
{
    return static_cast<AdapterInfo_D3D7*>(selectedAdapter);
}

DeviceInfo_D3D7* RenderSystem_D3D7::GetSelectedDevice_D3D7() const
{
    return static_cast<DeviceInfo_D3D7*>(GetSelectedDevice());
}

void RenderSystem_D3D7::EnumerateDevices()
{
    log->Message("...Level device list...");

    struct Found {
        bool hasGuid;
        Guid guid;
        std::string description;
    };
    std::vector<Found> found;
    driver.DirectDrawEnumerateEx(
        [&](const Guid* guid, const char* description, const char*) {
            found.push_back(Found{guid != nullptr, guid != nullptr ? *guid : Guid{}, Truncated(description)});
            return true;
        },
        DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES | DDENUM_NONDISPLAYDEVICES);

    for (const Found& f : found) {
        DirectDraw* dd = nullptr;
        if (driver.DirectDrawCreateEx(f.hasGuid ? &f.guid : nullptr, &dd) < 0 || dd == nullptr) {
            continue;
        }
        Direct3D* d3d = nullptr;
        if (dd->QueryInterface(IID_IDirect3D7, &d3d) < 0 || d3d == nullptr) {
            dd->Release();
            continue;
        }

        auto adapter = std::make_unique<AdapterInfo_D3D7>();
        adapter->hasGuid = f.hasGuid;
        adapter->guid = f.guid;
        adapter->description = f.description;
        dd->GetCaps(&adapter->driverCaps, &adapter->emulationCaps);
        adapter->windowedCapable =
            (adapter->driverCaps.caps2 & DDCAPS2_CANRENDERWINDOWED) != 0 && !f.hasGuid;
        driver.EnumDisplaySettings(adapter->desktopMode);

        dd->EnumDisplayModes(0, [&](const SurfaceDesc& mode) {
            if (mode.width >= 640 && mode.height >= 400) {
                adapter->displayModes.push_back(mode);
            }
            return true;
        });
        // Stable, so that modes differing only in refresh rate keep the
        // enumeration's order and the first of them is always the one used.
        std::stable_sort(adapter->displayModes.begin(), adapter->displayModes.end(),
                         [](const SurfaceDesc& a, const SurfaceDesc& b) {
                             return std::tuple(a.width, a.height, a.pixelFormat.rgbBitCount) >
                                    std::tuple(b.width, b.height, b.pixelFormat.rgbBitCount);
                         });

        d3d->EnumDevices([&](const char* description, const char* name, const DeviceDesc& desc) {
            auto device = std::make_unique<DeviceInfo_D3D7>();
            device->guid = desc.deviceGUID;
            device->name = Truncated(name);
            device->description = Truncated(description);
            device->desc = desc;
            device->hardware = (desc.devCaps & D3DDEVCAPS_HWRASTERIZATION) != 0;
            if (adapter->hasGuid && !device->hardware) {
                return true;
            }
            for (const SurfaceDesc& mode : adapter->displayModes) {
                const uint32_t bits = mode.pixelFormat.rgbBitCount;
                const uint32_t need = RenderDepthBit(bits);
                if (need == 0 || (desc.deviceRenderBitDepth & need) == 0) {
                    continue;
                }
                const uint32_t recorded = bits == 24 ? 32 : bits;
                // A 24-bit mode of a size with a 32-bit mode would be a twin.
                const bool twin = std::any_of(device->modes.begin(), device->modes.end(),
                                              [&](const std::unique_ptr<ModeInfo>& m) {
                                                  return m->width == mode.width &&
                                                         m->height == mode.height &&
                                                         m->bits == recorded;
                                              });
                if (twin) {
                    continue;
                }
                auto info = std::make_unique<ModeInfo_D3D7>();
                info->width = mode.width;
                info->height = mode.height;
                info->bits = recorded;
                info->surfaceDesc = &mode;
                device->modes.push_back(std::move(info));
            }
            if (!device->modes.empty()) {
                adapter->devices.push_back(std::move(device));
            }
            return true;
        });

        d3d->Release();
        dd->Release();
        adapters.push_back(std::move(adapter));
    }

    if (adapters.empty() || adapters.front()->devices.empty()) {
        log->Fatal("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
    }
}

void RenderSystem_D3D7::SelectDevice(bool softwareOnly)
{
    struct Choice {
        AdapterInfo* adapter = nullptr;
        DeviceInfo* device = nullptr;
    };
    Choice tnlHal, hal, software, reference;
    for (const auto& adapter : adapters) {
        if (!static_cast<AdapterInfo_D3D7&>(*adapter).windowedCapable) {
            continue;
        }
        for (const auto& device : adapter->devices) {
            Choice c{adapter.get(), device.get()};
            switch (static_cast<DeviceInfo_D3D7&>(*device).Kind()) {
            case DeviceKind::TnLHal: tnlHal = c; break;
            case DeviceKind::Hal: hal = c; break;
            case DeviceKind::Software: software = c; break;
            case DeviceKind::Reference: reference = c; break;
            }
        }
    }
    Choice chosen = reference;
    if (software.device != nullptr) {
        chosen = software;
    }
    if (!softwareOnly && hal.device != nullptr) {
        chosen = hal;
    }
    if (!softwareOnly && tnlHal.device != nullptr) {
        chosen = tnlHal;
    }
    if (chosen.device == nullptr) {
        log->Fatal("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
    }
    selectedAdapter = chosen.adapter;
    selectedAdapter->selectedDevice = chosen.device;
}

void RenderSystem_D3D7::OpenDevice(bool logCapabilities)
{
    if (selectedAdapter == nullptr) {
        SelectDevice(false);
    }
    if (CreateDevice(logCapabilities)) {
        return;
    }
    if (GetSelectedDevice_D3D7()->hardware) {
        log->Warning("......RenderSystem_D3D7: Switching to the software rasterizer");
        SelectDevice(true);
        OpenDevice(true);
        return;
    }
    log->Fatal("RenderSystem_D3D7: Failed to create Direct3D device");
}

void RenderSystem_D3D7::SelectVideoMode()
{
    AdapterInfo_D3D7* adapter = GetSelectedAdapter_D3D7();
    const std::string defaultMode = ToLowerCase(config->GetDefaultString("v_mode"));
    // Each text is tried once: the configured mode, the default, then the
    // last resort; a chain that came back to a mode already tried would
    // never end.
    std::vector<std::string> tried;
    for (;;) {
        const Platform::Rect desktop = GetWindowing().GetDesktopRect();
        const uint32_t desktopWidth = static_cast<uint32_t>(std::max(desktop.Width(), 0));
        const uint32_t desktopHeight = static_cast<uint32_t>(std::max(desktop.Height(), 0));

        const std::string wanted = ToLowerCase(config->videoMode);
        tried.push_back(wanted);
        uint32_t width = 0, height = 0, bits = 0;
        if (wanted == "desktop") {
            width = adapter->desktopMode.width;
            height = adapter->desktopMode.height;
            bits = adapter->desktopMode.bitsPerPixel;
            config->fullscreen = true;
        } else {
            int32_t w = 0, h = 0, b = 0;
            ParseVideoMode(config->videoMode, &w, &h, &b);
            width = static_cast<uint32_t>(std::max(w, 0));
            height = static_cast<uint32_t>(std::max(h, 0));
            bits = static_cast<uint32_t>(std::max(b, 0));
        }
        if (ChooseMode(width, height, bits, desktopWidth, desktopHeight)) {
            break;
        }
        const auto wasTried = [&](const std::string& mode) {
            return std::find(tried.begin(), tried.end(), mode) != tried.end();
        };
        if (!wasTried(defaultMode)) {
            config->videoMode = config->GetDefaultString("v_mode");
        } else if (!wasTried(kLastResortMode)) {
            config->videoMode = kLastResortMode;
        } else {
            log->Fatal("RenderSystem_D3D7: Failed to find compatible video mode");
        }
    }
    DeviceInfo* device = GetSelectedDevice();
    device->fullscreen = config->fullscreen && window->parent == nullptr;
}

bool RenderSystem_D3D7::ChooseMode(uint32_t width, uint32_t height, uint32_t bits,
                                   uint32_t desktopWidth, uint32_t desktopHeight)
{
    DeviceInfo* device = GetSelectedDevice();
    device->selectedMode = nullptr;
    if (!config->fullscreen && !keepWindowSize && (width >= desktopWidth || height >= desktopHeight)) {
        // A window that would not fit: the largest 4:3-friendly mode that
        // does, of the wanted depth when the device has that size in it.
        uint32_t bestWidth = 640, bestHeight = 480;
        ModeInfo* best = nullptr;
        for (const auto& mode : device->modes) {
            if (mode->width % 4 == 0 && mode->height % 3 == 0 && mode->width < desktopWidth &&
                mode->height < desktopHeight && mode->width > bestWidth && mode->height > bestHeight) {
                best = mode.get();
                bestWidth = mode->width;
                bestHeight = mode->height;
            }
        }
        for (const auto& mode : device->modes) {
            if (best != nullptr && mode->width == bestWidth && mode->height == bestHeight &&
                mode->bits == bits) {
                best = mode.get();
                break;
            }
        }
        config->videoMode = ModeText(bestWidth, bestHeight, bits);
        if (best != nullptr) {
            device->selectedMode = best;
            return true;
        }
        // No mode between 640x480 and the desktop: the rewritten mode is
        // looked up like any configured one.
        width = bestWidth;
        height = bestHeight;
    }
    for (const auto& mode : device->modes) {
        if (mode->width == width && mode->height == height && mode->bits == bits) {
            device->selectedMode = mode.get();
            return true;
        }
    }
    return false;
}

bool RenderSystem_D3D7::CreateDevice(bool logCapabilities)
{
    try {
        SelectVideoMode();
        AdapterInfo_D3D7* adapter = GetSelectedAdapter_D3D7();
        DeviceInfo_D3D7* info = GetSelectedDevice_D3D7();
        const auto& mode = static_cast<const ModeInfo_D3D7&>(*info->selectedMode);
        const bool fullscreen = info->fullscreen;

        log->Message("...Creating DirectDraw...");
        if (driver.DirectDrawCreateEx(adapter->GetGuid(), &directDraw) < 0 || directDraw == nullptr) {
            throw Error("Failed to create DirectDraw");
        }

        log->Message("......Setting cooperative level...");
        const uint32_t level =
            (fullscreen ? DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE : DDSCL_NORMAL) |
            DDSCL_FPUSETUP;
        if (directDraw->SetCooperativeLevel(window->handle, level) < 0) {
            throw Error("Failed to set DirectDraw cooperative level");
        }

        SurfaceDesc display;
        if (directDraw->GetDisplayMode(display) < 0 || display.pixelFormat.rgbBitCount <= 8) {
            throw Error("Invalid DirectDraw display mode");
        }

        log->Message("......Creating screen buffers...");
        const Platform::Rect desktop = GetWindowing().GetDesktopRect();
        window->ChangeMode(mode.width, mode.height, fullscreen,
                           static_cast<uint32_t>(std::max(desktop.Width(), 0)),
                           static_cast<uint32_t>(std::max(desktop.Height(), 0)));
        if (fullscreen) {
            const SurfaceDesc* desc = mode.surfaceDesc;
            if (directDraw->SetDisplayMode(mode.width, mode.height, desc->pixelFormat.rgbBitCount,
                                           desc->refreshRate, 0) < 0) {
                throw Error("Failed to set display mode");
            }
        }
        CreateSurfaces(mode, fullscreen);

        log->Message("...Creating Direct3D...");
        if (directDraw->QueryInterface(IID_IDirect3D7, &direct3D) < 0 || direct3D == nullptr) {
            throw Error("Failed to create Direct3D");
        }

        log->Message("...Creating Direct3D device...");
        if (direct3D->CreateDevice(info->guid, backBuffer, &device) < 0 || device == nullptr) {
            throw Error("Failed to create Direct3D device");
        }

        log->Message("......Setting viewport...");
        Viewport viewport;
        viewport.width = mode.width;
        viewport.height = mode.height;
        viewport.minZ = 0;
        viewport.maxZ = 1;
        if (device->SetViewport(viewport) < 0) {
            throw Error("Failed to set viewport");
        }

        log->Message("......Creating Z Buffer...");
        stencilPresent = false;
        if ((info->desc.triRasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR) == 0) {
            CreateDepthBuffer(*info);
        }

        stageCount = info->desc.maxSimultaneousTextures;
        maxTextureWidth = info->desc.maxTextureWidth;
        maxTextureHeight = info->desc.maxTextureHeight;
        maxAnisotropy = info->desc.maxAnisotropy;
        if (logCapabilities) {
            log->Message(kDottedLine);
            log->Message("......Capabilities:");
            log->Message(".........Maximal texture units: " + std::to_string(stageCount));
            log->Message(".........Maximal texture size: " + std::to_string(maxTextureWidth) + "x" +
                         std::to_string(maxTextureHeight));
            log->Message(".........Maximal texture anisotropy: " + std::to_string(maxAnisotropy));
        }
        return true;
    } catch (const FatalError&) {
        throw;
    } catch (const Error& error) {
        ReleaseDevice();
        log->Error("RenderSystem_D3D7: " + error.message);
        return false;
    }
}

void RenderSystem_D3D7::CreateSurfaces(const ModeInfo_D3D7& mode, bool fullscreen)
{
    SurfaceDesc primary;
    primary.flags = DDSD_CAPS;
    primary.caps.caps = DDSCAPS_PRIMARYSURFACE;
    if (fullscreen) {
        primary.flags |= DDSD_BACKBUFFERCOUNT;
        primary.caps.caps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
        primary.backBufferCount = 1;
    }
    if (directDraw->CreateSurface(primary, &primarySurface) < 0 || primarySurface == nullptr) {
        throw Error("Failed to create primary surface");
    }

    if (fullscreen) {
        SurfaceCaps caps;
        caps.caps = DDSCAPS_BACKBUFFER;
        if (primarySurface->GetAttachedSurface(caps, &backBuffer) < 0 || backBuffer == nullptr) {
            throw Error("Failed to create back buffer");
        }
    } else {
        DirectDrawClipper* clipper = nullptr;
        if (directDraw->CreateClipper(0, &clipper) < 0 || clipper == nullptr) {
            throw Error("Failed to create clipper");
        }
        // The primary surface keeps its own reference to the clipper.
        const bool bound = clipper->SetHWnd(0, window->handle) >= 0 &&
                           primarySurface->SetClipper(clipper) >= 0;
        clipper->Release();
        if (!bound) {
            throw Error("Failed to create clipper");
        }
        SurfaceDesc back;
        back.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        back.caps.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
        back.width = mode.width;
        back.height = mode.height;
        if (directDraw->CreateSurface(back, &backBuffer) < 0 || backBuffer == nullptr) {
            throw Error("Failed to create back buffer");
        }
    }
    if (backBuffer->GetSurfaceDesc(backBufferDesc) < 0) {
        throw Error("Failed to create back buffer");
    }
}

void RenderSystem_D3D7::CreateDepthBuffer(const DeviceInfo_D3D7& info)
{
    const DeviceKind kind = info.Kind();
    const uint32_t memory = kind == DeviceKind::TnLHal || kind == DeviceKind::Hal
                                ? DDSCAPS_VIDEOMEMORY
                                : DDSCAPS_SYSTEMMEMORY;
    bool stencil = stencilWanted;
    PixelFormat format;
    bool found = false;
    for (;;) {
        for (uint32_t depth : {backBufferDesc.pixelFormat.rgbBitCount, 16u}) {
            direct3D->EnumZBufferFormats(info.guid, [&](const PixelFormat& f) {
                if (f.zBufferBitDepth == depth && f.stencilBitDepth >= (stencil ? 1u : 0u)) {
                    format = f;
                    found = true;
                    return false;
                }
                return true;
            });
            if (found) {
                break;
            }
        }
        if (found || !stencil) {
            break;
        }
        stencil = false;
    }
    if (!found) {
        throw Error("Failed to create Z Buffer");
    }
    stencilPresent = stencil;

    SurfaceDesc desc = backBufferDesc;
    desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.caps.caps = DDSCAPS_ZBUFFER | memory;
    desc.caps.caps2 = 0;
    desc.pixelFormat = format;
    if (directDraw->CreateSurface(desc, &depthSurface) < 0 || depthSurface == nullptr) {
        throw Error("Failed to create Z Buffer");
    }
    if (backBuffer->AddAttachedSurface(depthSurface) < 0) {
        throw Error("Failed to create Z Buffer");
    }
    if (device->SetRenderTarget(backBuffer, 0) < 0) {
        throw Error("Failed to set render target");
    }
}

void RenderSystem_D3D7::ReleaseDevice()
{
    if (directDraw != nullptr) {
        directDraw->SetCooperativeLevel(window->handle, DDSCL_NORMAL);
    }
    log->Message("...Releasing device...");
    uint32_t deviceLeft = 0;
    if (device != nullptr) {
        deviceLeft = device->Release();
        device = nullptr;
    }
    log->Message("...Releasing surfaces...");
    ReleaseAndClear(backBuffer);
    ReleaseAndClear(depthSurface);
    ReleaseAndClear(primarySurface);
    log->Message("...Releasing Direct3D...");
    ReleaseAndClear(direct3D);
    log->Message("...Releasing DirectDraw...");
    uint32_t directDrawLeft = 0;
    if (directDraw != nullptr) {
        directDrawLeft = directDraw->Release();
        directDraw = nullptr;
    }
    if (deviceLeft > 0) {
        log->Fatal("RenderSystem_D3D7: device object is still referenced");
    }
    if (directDrawLeft > 0) {
        log->Fatal("RenderSystem_D3D7: DirectDraw object is still referenced");
    }
}

void RenderSystem_D3D7::Refresh()
{
    RenderSystem::Refresh();
    if (directDraw == nullptr) {
        return;
    }
    const HRESULT level = directDraw->TestCooperativeLevel();
    if (level >= 0) {
        if (!ready) {
            const HRESULT restored = directDraw->RestoreAllSurfaces();
            ReportError("RenderSystem_D3D7::Refresh", restored);
            if (restored >= 0) {
                ready = true;
            } else {
                modeChanged = true;
                texturesLost = true;
            }
        }
        return;
    }
    ready = false;
    if (level == DDERR_WRONGMODE && !config->fullscreen) {
        // The desktop's mode changed under the window.
        modeChanged = true;
        texturesLost = true;
    }
}

void RenderSystem_D3D7::CheckVideoMode()
{
    RenderSystem::CheckVideoMode();
    texturesLost = true;
}

void RenderSystem_D3D7::Reset(uint32_t flags)
{
    if ((flags & ResetDevice) != 0) {
        log->Message("\nReseting Direct3D device:");
        // Texture surfaces hold the DirectDraw object: they go first.
        if (texturesLost) {
            ReleaseTextureSurfaces();
        }
        log->Message(kDottedLine);
        ReleaseDevice();
        log->Message(kDottedLine);
        OpenDevice(false);
        log->Message(kDottedLine);
        ResizeStageCaches();
        SetDefaultStates();
    }
    if ((flags & ResetTextures) != 0 && texturesLost) {
        RestoreTextureSurfaces();
    }
    RenderSystem::Reset(flags);
}

void RenderSystem_D3D7::ReportError(const char* tag, HRESULT code)
{
    if (code >= 0) {
        return;
    }
    log->Error(std::string("Direct3D Subsystem (") + tag + "): " + ErrorText(code));
}

void RenderSystem_D3D7::AddTexture(Texture2D* texture)
{
    std::lock_guard<std::mutex> lock(textureMutex);
    textures.push_back(texture);
}

void RenderSystem_D3D7::RemoveTexture(Texture2D* texture, const std::string& key)
{
    bool removed = false;
    {
        std::lock_guard<std::mutex> lock(textureMutex);
        auto it = std::find(textures.begin(), textures.end(), texture);
        if (it != textures.end()) {
            textures.erase(it);
            removed = true;
        }
    }
    if (!removed) {
        log->Fatal("RenderSystem_D3D7: Failed to remove texture \"" + key + "\"");
    }
    // A texture made later at the same address must not pass for this one.
    ForgetTexture(texture);
}

size_t RenderSystem_D3D7::GetTextureCount() const
{
    std::lock_guard<std::mutex> lock(textureMutex);
    return textures.size();
}

} // namespace ZorvaneEngine
