#include "platform/graphics/scripted/ScriptedGraphics.h"

#include "platform/graphics/MemorySurface.h"
#include "platform/graphics/scripted/ScriptedObjects.h"
#include "platform/system/scripted/ScriptedCallListener.h"

namespace Platform {

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
    d.zFormats = {DepthFormat(16, 0), DepthFormat(32, 0), DepthFormat(32, 8)};
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
    ReportScriptedCall(name);
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
        uint32_t id = 0;
        *result = NewScriptedDirectDraw(*this, index, id);
        SetLastResult(id);
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
