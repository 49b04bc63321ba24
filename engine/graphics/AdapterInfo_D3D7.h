#pragma once
// The Direct3D 7 side of the adapter, device and mode records.
#include <string>

#include "engine/graphics/AdapterInfo.h"
#include "platform/graphics/Direct3DTypes.h"
#include "platform/graphics/DirectDrawTypes.h"
#include "platform/graphics/GraphicsDriver.h"

namespace ZorvaneEngine {

struct ModeInfo_D3D7 : ModeInfo {
    // The adapter's description of the display mode (not owned).
    const Platform::SurfaceDesc* surfaceDesc = nullptr;
};

enum class DeviceKind { TnLHal, Hal, Software, Reference };

struct DeviceInfo_D3D7 : DeviceInfo {
    Platform::Guid guid;
    std::string name;         // at most 63 characters
    std::string description;  // at most 63 characters
    Platform::DeviceDesc desc;
    bool hardware = false;

    DeviceKind Kind() const;
};

struct AdapterInfo_D3D7 : AdapterInfo {
    // Null for the primary display, which is enumerated without a GUID.
    const Platform::Guid* GetGuid() const { return hasGuid ? &guid : nullptr; }

    bool hasGuid = false;
    Platform::Guid guid;
    std::string description;  // at most 63 characters
    Platform::DriverCaps driverCaps;
    Platform::DriverCaps emulationCaps;
    bool windowedCapable = false;
    Platform::DisplaySettings desktopMode;
    // Kept: at least 640 by 400; sorted by width, height and bits, each
    // descending, the enumeration's order kept among equals.
    std::vector<Platform::SurfaceDesc> displayModes;
};

} // namespace ZorvaneEngine
