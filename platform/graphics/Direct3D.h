#pragma once
// The Direct3D object (IDirect3D7) of one DirectDraw object: the devices it
// offers, their depth formats, and device creation.
#include <functional>

#include "platform/graphics/Direct3DDevice.h"
#include "platform/graphics/Direct3DTypes.h"
#include "platform/graphics/GraphicsResults.h"
#include "platform/graphics/Unknown.h"

namespace Platform {

class Direct3D : public Unknown {
public:
    // Calls back with each device (description, name, caps) until the
    // callback returns false.
    virtual HRESULT EnumDevices(
        const std::function<bool(const char* description, const char* name,
                                 const DeviceDesc& desc)>& callback) = 0;
    // Depth formats of a device (DDPF_ZBUFFER, maybe DDPF_STENCILBUFFER).
    virtual HRESULT EnumZBufferFormats(const Guid& device,
                                       const std::function<bool(const PixelFormat&)>& callback) = 0;
    virtual HRESULT CreateDevice(const Guid& device, DirectDrawSurface* renderTarget,
                                 Direct3DDevice** result) = 0;
};

} // namespace Platform
