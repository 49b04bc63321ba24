#include "platform/graphics/ScriptedGraphics.h"

#include <algorithm>

#include "platform/graphics/MemorySurface.h"

namespace Platform {

namespace {

std::vector<double> MatrixArgs(uint32_t first, const Matrix& m)
{
    std::vector<double> a{static_cast<double>(first)};
    for (const auto& row : m.m) {
        a.insert(a.end(), std::begin(row), std::end(row));
    }
    return a;
}

void AddColor(std::vector<double>& a, const ColorValue& c)
{
    a.insert(a.end(), {c.r, c.g, c.b, c.a});
}

SurfaceDesc ModeOf(const DisplaySettings& s)
{
    return MakeDisplayMode(s.width, s.height, s.bitsPerPixel);
}

class ScriptedSurface : public MemorySurface {
public:
    ScriptedSurface(ScriptedGraphics& g, Unknown* owner, const SurfaceDesc& desc)
        : MemorySurface(owner, desc), g_(g), id_(g.NewObject())
    {
    }
    uint32_t Id() const { return id_; }

    HRESULT Lock(const Rect* rect, SurfaceDesc& desc, uint32_t flags) override
    {
        return Run("Surface::Lock", {static_cast<double>(flags)},
                   [&] { return MemorySurface::Lock(rect, desc, flags); });
    }
    HRESULT Unlock(const Rect* rect) override
    {
        return Run("Surface::Unlock", {}, [&] { return MemorySurface::Unlock(rect); });
    }
    HRESULT GetSurfaceDesc(SurfaceDesc& desc) override
    {
        return Run("Surface::GetSurfaceDesc", {}, [&] { return MemorySurface::GetSurfaceDesc(desc); });
    }
    HRESULT Blt(const Rect* destRect, DirectDrawSurface* source, const Rect* sourceRect,
                uint32_t flags) override
    {
        return Run("Surface::Blt", {IdOf(source), static_cast<double>(flags)}, [&] {
            // Presenting to the primary surface shows the picture: nothing to copy.
            if ((Desc().caps.caps & DDSCAPS_PRIMARYSURFACE) != 0) {
                return source != nullptr ? DD_OK : DDERR_INVALIDPARAMS;
            }
            return MemorySurface::Blt(destRect, source, sourceRect, flags);
        });
    }
    HRESULT Flip(DirectDrawSurface* target, uint32_t flags) override
    {
        return Run("Surface::Flip", {IdOf(target), static_cast<double>(flags)}, [&] {
            return FindAttached(DDSCAPS_BACKBUFFER) != nullptr ? DD_OK : DDERR_NOTFLIPPABLE;
        });
    }
    HRESULT IsLost() override
    {
        return Run("Surface::IsLost", {}, [&] { return MemorySurface::IsLost(); });
    }
    HRESULT Restore() override
    {
        return Run("Surface::Restore", {}, [&] { return MemorySurface::Restore(); });
    }
    HRESULT GetAttachedSurface(const SurfaceCaps& caps, DirectDrawSurface** surface) override
    {
        return Run("Surface::GetAttachedSurface", {static_cast<double>(caps.caps)},
                   [&] { return MemorySurface::GetAttachedSurface(caps, surface); },
                   surface);
    }
    HRESULT AddAttachedSurface(DirectDrawSurface* surface) override
    {
        return Run("Surface::AddAttachedSurface", {IdOf(surface)},
                   [&] { return MemorySurface::AddAttachedSurface(surface); });
    }
    HRESULT SetClipper(DirectDrawClipper* clipper) override
    {
        return Run("Surface::SetClipper", {}, [&] { return MemorySurface::SetClipper(clipper); });
    }

    static double IdOf(DirectDrawSurface* s)
    {
        auto* scripted = dynamic_cast<ScriptedSurface*>(s);
        return scripted != nullptr ? scripted->id_ : 0;
    }

protected:
    void Released(uint32_t left) override
    {
        g_.Record("Surface::Release", id_);
        g_.SetLastResult(left);
        if (left == 0) {
            g_.ObjectGone();
        }
    }

private:
    template <typename F>
    HRESULT Run(const char* name, std::vector<double> args, F body,
                DirectDrawSurface** out = nullptr)
    {
        HRESULT hr = g_.Record(name, id_, std::move(args));
        if (hr < 0) {
            if (out != nullptr) {
                *out = nullptr;
            }
            return hr;
        }
        hr = body();
        g_.SetLastResult(hr);
        return hr;
    }

    ScriptedGraphics& g_;
    uint32_t id_;
};

// Common part of the other scripted objects: a number and release records.
template <typename Base>
class Scripted : public Base {
public:
    Scripted(ScriptedGraphics& g, const char* kind) : g_(g), kind_(kind), id_(g.NewObject()) {}
    uint32_t Id() const { return id_; }

protected:
    HRESULT Call(const char* operation, std::vector<double> args = {})
    {
        return g_.Record(std::string(kind_) + "::" + operation, id_, std::move(args));
    }
    void Released(uint32_t left) override
    {
        g_.Record(std::string(kind_) + "::Release", id_);
        g_.SetLastResult(left);
        if (left == 0) {
            g_.ObjectGone();
        }
    }
    ScriptedGraphics& g_;

private:
    const char* kind_;
    uint32_t id_;
};

class ScriptedClipper : public Scripted<DirectDrawClipper> {
public:
    explicit ScriptedClipper(ScriptedGraphics& g) : Scripted(g, "Clipper") {}
    HRESULT SetHWnd(uint32_t flags, WindowHandle) override
    {
        return Call("SetHWnd", {static_cast<double>(flags)});
    }
};

class ScriptedD3DDevice : public Scripted<Direct3DDevice> {
public:
    ScriptedD3DDevice(ScriptedGraphics& g, Unknown* owner, const ScriptedDevice& device,
                      DirectDrawSurface* target)
        : Scripted(g, "Device"), owner_(owner), device_(device), target_(target)
    {
        owner_->AddRef();
        target_->AddRef();
    }

    HRESULT GetCaps(DeviceDesc& desc) override
    {
        const HRESULT hr = Call("GetCaps");
        if (hr >= 0) {
            desc = device_.desc;
        }
        return hr;
    }
    HRESULT EnumTextureFormats(const std::function<bool(const PixelFormat&)>& callback) override
    {
        const HRESULT hr = Call("EnumTextureFormats");
        if (hr >= 0) {
            for (const PixelFormat& f : g_.Script().textureFormats) {
                if (!callback(f)) {
                    break;
                }
            }
        }
        return hr;
    }
    HRESULT BeginScene() override { return Call("BeginScene"); }
    HRESULT EndScene() override { return Call("EndScene"); }
    HRESULT Clear(uint32_t rectCount, const Rect*, uint32_t flags, D3DCOLOR color, float z,
                  uint32_t stencil) override
    {
        return Call("Clear", {static_cast<double>(rectCount), static_cast<double>(flags),
                              static_cast<double>(color), z, static_cast<double>(stencil)});
    }
    HRESULT SetTransform(TransformStateType state, const Matrix& matrix) override
    {
        return Call("SetTransform", MatrixArgs(state, matrix));
    }
    HRESULT SetRenderState(RenderStateType state, uint32_t value) override
    {
        return Call("SetRenderState", {static_cast<double>(state), static_cast<double>(value)});
    }
    HRESULT SetTextureStageState(uint32_t stage, TextureStageStateType state, uint32_t value) override
    {
        return Call("SetTextureStageState", {static_cast<double>(stage), static_cast<double>(state),
                                             static_cast<double>(value)});
    }
    HRESULT SetTexture(uint32_t stage, DirectDrawSurface* texture) override
    {
        const HRESULT hr = Call("SetTexture", {static_cast<double>(stage), ScriptedSurface::IdOf(texture)});
        if (hr < 0) {
            return hr;
        }
        if (stage >= textures_.size()) {
            textures_.resize(stage + 1, nullptr);
        }
        // The device holds a reference to the texture it draws with.
        if (texture != nullptr) {
            texture->AddRef();
        }
        if (textures_[stage] != nullptr) {
            textures_[stage]->Release();
        }
        textures_[stage] = texture;
        return hr;
    }
    HRESULT SetMaterial(const Material& m) override
    {
        std::vector<double> a;
        AddColor(a, m.diffuse);
        AddColor(a, m.ambient);
        AddColor(a, m.specular);
        AddColor(a, m.emissive);
        a.push_back(m.power);
        return Call("SetMaterial", std::move(a));
    }
    HRESULT SetLight(uint32_t index, const Light& l) override
    {
        std::vector<double> a{static_cast<double>(index), static_cast<double>(l.type)};
        AddColor(a, l.diffuse);
        AddColor(a, l.specular);
        AddColor(a, l.ambient);
        a.insert(a.end(), {l.position.x, l.position.y, l.position.z, l.direction.x, l.direction.y,
                           l.direction.z, l.range, l.falloff, l.attenuation0, l.attenuation1,
                           l.attenuation2, l.theta, l.phi});
        return Call("SetLight", std::move(a));
    }
    HRESULT LightEnable(uint32_t index, bool enable) override
    {
        return Call("LightEnable", {static_cast<double>(index), enable ? 1.0 : 0.0});
    }
    HRESULT SetViewport(const Viewport& v) override
    {
        return Call("SetViewport", {static_cast<double>(v.x), static_cast<double>(v.y),
                                    static_cast<double>(v.width), static_cast<double>(v.height),
                                    v.minZ, v.maxZ});
    }
    HRESULT SetRenderTarget(DirectDrawSurface* target, uint32_t flags) override
    {
        return Call("SetRenderTarget", {ScriptedSurface::IdOf(target), static_cast<double>(flags)});
    }
    HRESULT DrawIndexedPrimitive(PrimitiveType type, uint32_t vertexFormat, const void* vertices,
                                 uint32_t vertexCount, const uint16_t* indices, uint32_t indexCount,
                                 uint32_t flags) override
    {
        HRESULT hr = Call("DrawIndexedPrimitive",
                          {static_cast<double>(type), static_cast<double>(vertexFormat),
                           static_cast<double>(vertexCount), static_cast<double>(indexCount),
                           static_cast<double>(flags)});
        if (hr >= 0 && (vertices == nullptr || indices == nullptr)) {
            hr = DDERR_INVALIDPARAMS;
        }
        // An index past the vertices is a fault of the caller, found here
        // rather than in a driver.
        for (uint32_t i = 0; hr >= 0 && i < indexCount; ++i) {
            if (indices[i] >= vertexCount) {
                hr = DDERR_INVALIDPARAMS;
            }
        }
        g_.SetLastResult(hr);
        return hr;
    }

protected:
    ~ScriptedD3DDevice() override
    {
        for (DirectDrawSurface* t : textures_) {
            if (t != nullptr) {
                t->Release();
            }
        }
        target_->Release();
        owner_->Release();
    }

private:
    Unknown* owner_;
    ScriptedDevice device_;
    DirectDrawSurface* target_;
    std::vector<DirectDrawSurface*> textures_;
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
            auto* created = new ScriptedD3DDevice(g_, this, *d, target);
            *result = created;
            g_.SetLastResult(created->Id());
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

SurfaceDesc MakeDisplayMode(uint32_t width, uint32_t height, uint32_t bits)
{
    SurfaceDesc d;
    d.flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    d.width = width;
    d.height = height;
    d.refreshRate = 60;
    d.pixelFormat = bits == 16 ? FormatR5G6B5() : FormatX8R8G8B8();
    d.pixelFormat.rgbBitCount = bits == 16 ? 16 : bits == 24 ? 24 : 32;
    return d;
}

ScriptedDevice MakeScriptedDevice(const Guid& kind, bool hardware)
{
    ScriptedDevice d;
    d.name = hardware ? "Scripted HAL" : "Scripted software";
    d.description = d.name;
    d.desc.deviceGUID = kind;
    d.desc.devCaps = hardware ? D3DDEVCAPS_HWRASTERIZATION : 0;
    d.desc.textureCaps = D3DPTEXTURECAPS_POW2;
    d.desc.deviceRenderBitDepth = DDBD_16 | DDBD_32;
    d.desc.deviceZBufferBitDepth = DDBD_16 | DDBD_24 | DDBD_32;
    d.desc.minTextureWidth = d.desc.minTextureHeight = 1;
    d.desc.maxTextureWidth = d.desc.maxTextureHeight = 2048;
    d.desc.maxAnisotropy = 16;
    d.desc.maxTextureBlendStages = 8;
    d.desc.maxSimultaneousTextures = 8;
    d.desc.maxActiveLights = 8;
    d.zFormats = {DepthFormat(16, 0), DepthFormat(32, 8), DepthFormat(32, 0)};
    return d;
}

GraphicsScript::GraphicsScript()
{
    ScriptedAdapter a;
    a.driverCaps.caps2 = DDCAPS2_CANRENDERWINDOWED;
    a.driverCaps.vidMemTotal = 64u << 20;
    a.driverCaps.vidMemFree = 60u << 20;
    for (uint32_t bits : {32u, 16u}) {
        for (auto [w, h] : {std::pair{1024u, 768u}, {800u, 600u}, {640u, 480u}}) {
            a.modes.push_back(MakeDisplayMode(w, h, bits));
        }
    }
    a.devices.push_back(MakeScriptedDevice(IID_IDirect3DTnLHalDevice, true));
    adapters.push_back(a);
    textureFormats = {FormatA8R8G8B8(), FormatX8R8G8B8(), FormatR5G6B5(), FormatA1R5G5B5(),
                      FormatA4R4G4B4()};
    desktop = {1280, 1024, 32};
}

ScriptedGraphics::ScriptedGraphics(GraphicsScript script) : script_(std::move(script)) {}

ScriptedGraphics::~ScriptedGraphics() = default;

void ScriptedGraphics::Fail(const std::string& name, HRESULT code, uint32_t count)
{
    failures_[name] = Failure{code, count};
}

HRESULT ScriptedGraphics::Record(const std::string& name, uint32_t object, std::vector<double> args)
{
    HRESULT hr = DD_OK;
    auto f = failures_.find(name);
    if (f != failures_.end()) {
        hr = f->second.code;
        if (f->second.count > 0 && --f->second.count == 0) {
            failures_.erase(f);
        }
    }
    calls_.push_back(GraphicsCall{name, object, std::move(args), hr});
    return hr;
}

std::vector<std::string> ScriptedGraphics::CallNames() const
{
    std::vector<std::string> names;
    for (const GraphicsCall& c : calls_) {
        names.push_back(c.name);
    }
    return names;
}

std::vector<GraphicsCall> ScriptedGraphics::CallsNamed(const std::string& name) const
{
    std::vector<GraphicsCall> found;
    for (const GraphicsCall& c : calls_) {
        if (c.name == name) {
            found.push_back(c);
        }
    }
    return found;
}

HRESULT ScriptedGraphics::DirectDrawEnumerateEx(
    const std::function<bool(const Guid*, const char*, const char*)>& callback, uint32_t flags)
{
    const HRESULT hr = Record("DirectDrawEnumerateEx", 0, {static_cast<double>(flags)});
    if (hr >= 0) {
        for (const ScriptedAdapter& a : script_.adapters) {
            if (!callback(a.primary ? nullptr : &a.guid, a.description.c_str(), a.name.c_str())) {
                break;
            }
        }
    }
    return hr;
}

HRESULT ScriptedGraphics::DirectDrawCreateEx(const Guid* adapter, DirectDraw** result)
{
    *result = nullptr;
    HRESULT hr = Record("DirectDrawCreateEx", 0);
    size_t index = script_.adapters.size();
    for (size_t i = 0; i < script_.adapters.size(); ++i) {
        const ScriptedAdapter& a = script_.adapters[i];
        if (adapter == nullptr ? a.primary : (!a.primary && a.guid == *adapter)) {
            index = i;
            break;
        }
    }
    if (hr >= 0 && index == script_.adapters.size()) {
        hr = DDERR_INVALIDDIRECTDRAWGUID;
    }
    if (hr >= 0) {
        auto* dd = new ScriptedDirectDraw(*this, index);
        *result = dd;
        SetLastResult(dd->Id());
    } else {
        SetLastResult(hr);
    }
    return hr;
}

bool ScriptedGraphics::EnumDisplaySettings(DisplaySettings& settings)
{
    const HRESULT hr = Record("EnumDisplaySettings", 0);
    if (hr < 0) {
        return false;
    }
    settings = script_.desktop;
    return true;
}

} // namespace Platform
