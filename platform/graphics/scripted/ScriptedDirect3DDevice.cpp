#include <iterator>

#include "platform/graphics/scripted/ScriptedObjects.h"

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

} // namespace

Direct3DDevice* NewScriptedDevice(ScriptedGraphics& g, Unknown* owner, const ScriptedDevice& device,
                                  DirectDrawSurface* target, uint32_t& id)
{
    auto* created = new ScriptedD3DDevice(g, owner, device, target);
    id = created->Id();
    return created;
}

} // namespace Platform
