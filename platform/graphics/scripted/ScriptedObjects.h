#pragma once
// The objects of the scripted graphics driver: each has a number, records
// its calls on the driver and reports injected failures. Surfaces keep
// their pixels in memory.
#include <string>
#include <vector>

#include "platform/graphics/MemorySurface.h"
#include "platform/graphics/scripted/ScriptedGraphics.h"

namespace Platform {

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

// Factories of the other scripted objects; owner gets a reference.
DirectDraw* NewScriptedDirectDraw(ScriptedGraphics& g, size_t adapter, uint32_t& id);
Direct3DDevice* NewScriptedDevice(ScriptedGraphics& g, Unknown* owner, const ScriptedDevice& device,
                                  DirectDrawSurface* target, uint32_t& id);

} // namespace Platform
