#include <algorithm>

#include "platform/graphics/scripted/ScriptedObjects.h"

namespace Platform {

namespace {

SurfaceDesc ModeOf(const DisplaySettings& s)
{
    return MakeDisplayMode(s.width, s.height, s.bitsPerPixel);
}

class ScriptedClipper : public Scripted<DirectDrawClipper> {
public:
    explicit ScriptedClipper(ScriptedGraphics& g) : Scripted(g, "Clipper") {}
    HRESULT SetHWnd(uint32_t flags, WindowHandle) override
    {
        return Call("SetHWnd", {static_cast<double>(flags)});
    }
};

class ScriptedDirect3D : public Scripted<Direct3D> {
public:
    ScriptedDirect3D(ScriptedGraphics& g, Unknown* owner, size_t adapter)
        : Scripted(g, "Direct3D"), owner_(owner), adapter_(adapter)
    {
        owner_->AddRef();
    }

    HRESULT EnumDevices(const std::function<bool(const char*, const char*, const DeviceDesc&)>&
                            callback) override
    {
        const HRESULT hr = Call("EnumDevices");
        if (hr >= 0) {
            for (const ScriptedDevice& d : Adapter().devices) {
                if (!callback(d.description.c_str(), d.name.c_str(), d.desc)) {
                    break;
                }
            }
        }
        return hr;
    }
    HRESULT EnumZBufferFormats(const Guid& device,
                               const std::function<bool(const PixelFormat&)>& callback) override
    {
        HRESULT hr = Call("EnumZBufferFormats");
        const ScriptedDevice* d = Find(device);
        if (hr >= 0 && d == nullptr) {
            hr = DDERR_INVALIDPARAMS;
            g_.SetLastResult(hr);
        }
        if (hr >= 0) {
            for (const PixelFormat& f : d->zFormats) {
                if (!callback(f)) {
                    break;
                }
            }
        }
        return hr;
    }
    HRESULT CreateDevice(const Guid& device, DirectDrawSurface* target,
                         Direct3DDevice** result) override
    {
        *result = nullptr;
        HRESULT hr = Call("CreateDevice", {ScriptedSurface::IdOf(target)});
        const ScriptedDevice* d = Find(device);
        if (hr >= 0 && (d == nullptr || target == nullptr)) {
            hr = DDERR_INVALIDPARAMS;
        }
        if (hr >= 0) {
            uint32_t id = 0;
            *result = NewScriptedDevice(g_, this, *d, target, id);
            g_.SetLastResult(id);
        } else {
            g_.SetLastResult(hr);
        }
        return hr;
    }

protected:
    ~ScriptedDirect3D() override { owner_->Release(); }

private:
    const ScriptedAdapter& Adapter() const { return g_.Script().adapters[adapter_]; }
    const ScriptedDevice* Find(const Guid& device) const
    {
        for (const ScriptedDevice& d : Adapter().devices) {
            if (d.desc.deviceGUID == device) {
                return &d;
            }
        }
        return nullptr;
    }
    Unknown* owner_;
    size_t adapter_;
};

class ScriptedDirectDraw : public Scripted<DirectDraw> {
public:
    ScriptedDirectDraw(ScriptedGraphics& g, size_t adapter)
        : Scripted(g, "DirectDraw"), adapter_(adapter), mode_(ModeOf(g.Script().desktop))
    {
    }

    HRESULT GetCaps(DriverCaps* driver, DriverCaps* emulation) override
    {
        const HRESULT hr = Call("GetCaps");
        if (hr >= 0) {
            if (driver != nullptr) {
                *driver = Adapter().driverCaps;
            }
            if (emulation != nullptr) {
                *emulation = Adapter().emulationCaps;
            }
        }
        return hr;
    }
    HRESULT EnumDisplayModes(uint32_t flags,
                             const std::function<bool(const SurfaceDesc&)>& callback) override
    {
        const HRESULT hr = Call("EnumDisplayModes", {static_cast<double>(flags)});
        if (hr >= 0) {
            for (const SurfaceDesc& m : Adapter().modes) {
                if (!callback(m)) {
                    break;
                }
            }
        }
        return hr;
    }
    HRESULT SetCooperativeLevel(WindowHandle, uint32_t flags) override
    {
        const HRESULT hr = Call("SetCooperativeLevel", {static_cast<double>(flags)});
        if (hr >= 0) {
            exclusive_ = (flags & DDSCL_EXCLUSIVE) != 0;
            if (!exclusive_) {
                mode_ = ModeOf(g_.Script().desktop);
            }
        }
        return hr;
    }
    HRESULT GetDisplayMode(SurfaceDesc& desc) override
    {
        const HRESULT hr = Call("GetDisplayMode");
        if (hr >= 0) {
            desc = mode_;
        }
        return hr;
    }
    HRESULT SetDisplayMode(uint32_t width, uint32_t height, uint32_t bits, uint32_t refresh,
                           uint32_t flags) override
    {
        HRESULT hr = Call("SetDisplayMode", {static_cast<double>(width), static_cast<double>(height),
                                             static_cast<double>(bits), static_cast<double>(refresh),
                                             static_cast<double>(flags)});
        if (hr < 0) {
            return hr;
        }
        const auto& modes = Adapter().modes;
        const bool listed = std::any_of(modes.begin(), modes.end(), [&](const SurfaceDesc& m) {
            return m.width == width && m.height == height && m.pixelFormat.rgbBitCount == bits;
        });
        hr = !exclusive_ ? DDERR_NOEXCLUSIVEMODE : listed ? DD_OK : DDERR_INVALIDMODE;
        if (hr >= 0) {
            mode_ = MakeDisplayMode(width, height, bits);
        }
        g_.SetLastResult(hr);
        return hr;
    }
    HRESULT RestoreDisplayMode() override
    {
        const HRESULT hr = Call("RestoreDisplayMode");
        if (hr >= 0) {
            mode_ = ModeOf(g_.Script().desktop);
        }
        return hr;
    }
    HRESULT CreateSurface(const SurfaceDesc& desc, DirectDrawSurface** surface) override
    {
        if (surface != nullptr) {
            *surface = nullptr;
        }
        HRESULT hr = Call("CreateSurface",
                          {static_cast<double>(desc.caps.caps), static_cast<double>(desc.caps.caps2),
                           static_cast<double>(desc.width), static_cast<double>(desc.height),
                           static_cast<double>(desc.pixelFormat.rgbBitCount),
                           static_cast<double>(desc.mipMapCount)});
        if (hr < 0) {
            return hr;
        }
        const size_t at = g_.Calls().size() - 1;
        hr = CreateSurfaceChain(desc, mode_, [&](const SurfaceDesc& d) {
            return new ScriptedSurface(g_, this, d);
        }, surface);
        // The creation's record shows the new surface's number, or the failure.
        const_cast<GraphicsCall&>(g_.Calls()[at]).result =
            hr >= 0 ? static_cast<int64_t>(ScriptedSurface::IdOf(*surface)) : hr;
        return hr;
    }
    HRESULT CreateClipper(uint32_t flags, DirectDrawClipper** clipper) override
    {
        *clipper = nullptr;
        const HRESULT hr = Call("CreateClipper", {static_cast<double>(flags)});
        if (hr >= 0) {
            auto* c = new ScriptedClipper(g_);
            *clipper = c;
        }
        return hr;
    }
    HRESULT TestCooperativeLevel() override
    {
        HRESULT hr = Call("TestCooperativeLevel");
        if (hr >= 0 && !g_.CooperativeLevelResults().empty()) {
            hr = g_.CooperativeLevelResults().front();
            g_.CooperativeLevelResults().pop_front();
            g_.SetLastResult(hr);
        }
        return hr;
    }
    HRESULT RestoreAllSurfaces() override { return Call("RestoreAllSurfaces"); }
    HRESULT WaitForVerticalBlank(uint32_t flags) override
    {
        return Call("WaitForVerticalBlank", {static_cast<double>(flags)});
    }
    HRESULT GetAvailableVidMem(const SurfaceCaps& caps, uint32_t* total, uint32_t* free) override
    {
        const HRESULT hr = Call("GetAvailableVidMem", {static_cast<double>(caps.caps)});
        if (hr >= 0) {
            if (total != nullptr) {
                *total = Adapter().driverCaps.vidMemTotal;
            }
            if (free != nullptr) {
                *free = Adapter().driverCaps.vidMemFree;
            }
        }
        return hr;
    }
    HRESULT QueryInterface(const Guid& iid, Direct3D** result) override
    {
        *result = nullptr;
        HRESULT hr = Call("QueryInterface");
        if (hr >= 0 && !(iid == IID_IDirect3D7)) {
            hr = E_NOINTERFACE;
        }
        if (hr >= 0) {
            auto* d3d = new ScriptedDirect3D(g_, this, adapter_);
            *result = d3d;
            g_.SetLastResult(d3d->Id());
        } else {
            g_.SetLastResult(hr);
        }
        return hr;
    }

private:
    const ScriptedAdapter& Adapter() const { return g_.Script().adapters[adapter_]; }
    size_t adapter_;
    SurfaceDesc mode_;
    bool exclusive_ = false;
};

} // namespace

DirectDraw* NewScriptedDirectDraw(ScriptedGraphics& g, size_t adapter, uint32_t& id)
{
    auto* created = new ScriptedDirectDraw(g, adapter);
    id = created->Id();
    return created;
}

} // namespace Platform
