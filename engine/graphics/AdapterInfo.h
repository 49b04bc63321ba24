#pragma once
// What the renderer knows of the display: adapters, each with the devices
// that can draw on it, each with the display modes it can render to, and the
// choice made among them (selected device of an adapter, selected mode and
// full-screen flag of a device).
#include <cstdint>
#include <memory>
#include <vector>

namespace ZorvaneEngine {

struct ModeInfo {
    virtual ~ModeInfo() = default;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bits = 0;  // 16 or 32; a 24-bit display mode counts as 32
};

struct DeviceInfo {
    virtual ~DeviceInfo() = default;
    std::vector<std::unique_ptr<ModeInfo>> modes;
    ModeInfo* selectedMode = nullptr;
    bool fullscreen = false;
};

struct AdapterInfo {
    virtual ~AdapterInfo() = default;
    std::vector<std::unique_ptr<DeviceInfo>> devices;
    DeviceInfo* selectedDevice = nullptr;
};

} // namespace ZorvaneEngine
