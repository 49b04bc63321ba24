#pragma once
// A graphics driver for tests: adapters, devices, display modes, depth and
// texture formats come from a script; chosen calls fail with chosen codes;
// TestCooperativeLevel answers from a queue; every call on every object is
// recorded in order (creation, states, draws, releases). Surfaces keep
// their pixels in memory, so locks and blits behave as on a real driver.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/graphics/GraphicsDriver.h"

namespace Platform {

struct ScriptedDevice {
    std::string description = "Scripted device";
    std::string name = "Scripted HAL";
    DeviceDesc desc;                    // deviceGUID names the kind
    std::vector<PixelFormat> zFormats;  // EnumZBufferFormats, in order
};

struct ScriptedAdapter {
    bool primary = true;  // the primary display is enumerated without a GUID
    Guid guid;
    std::string description = "Scripted display";
    std::string name = "display";
    DriverCaps driverCaps;
    DriverCaps emulationCaps;
    std::vector<SurfaceDesc> modes;  // EnumDisplayModes, in order
    std::vector<ScriptedDevice> devices;
};

// One recorded call. name is "<Object>::<Operation>" (DirectDraw, Direct3D,
// Device, Surface, Clipper) or a driver entry point; object is the number of
// the object it was made on (objects are numbered 1, 2 ... in creation
// order; 0 for the driver); args are its numeric arguments (a surface
// argument by its number, 0 for null; a matrix as 16 values, rows first);
// result is what the call returned (for Release, the references left).
struct GraphicsCall {
    std::string name;
    uint32_t object = 0;
    std::vector<double> args;
    int64_t result = 0;
};

// A fresh script: one primary adapter that can render in a window with
// modes 1024x768, 800x600 and 640x480 at 32 and 16 bits, a hardware device
// (T&L HAL) with 8 stages, 2048x2048 textures, anisotropy 16, depth
// formats 16, 32, 32 of which 8 stencil; texture formats A8R8G8B8, X8R8G8B8,
// R5G6B5, A1R5G5B5, A4R4G4B4; a 1280x1024x32 desktop.
struct GraphicsScript {
    std::vector<ScriptedAdapter> adapters;
    std::vector<PixelFormat> textureFormats;
    DisplaySettings desktop;
    GraphicsScript();
};

ScriptedDevice MakeScriptedDevice(const Guid& kind, bool hardware);
SurfaceDesc MakeDisplayMode(uint32_t width, uint32_t height, uint32_t bits);

class ScriptedGraphics : public GraphicsDriver {
public:
    explicit ScriptedGraphics(GraphicsScript script = GraphicsScript());
    ~ScriptedGraphics() override;

    GraphicsScript& Script() { return script_; }

    // The next count calls named name (all of them with count 0) return
    // code and do nothing else; a failed creation yields null.
    void Fail(const std::string& name, HRESULT code, uint32_t count = 1);
    // Results of TestCooperativeLevel, first in first out; DD_OK when empty.
    std::deque<HRESULT>& CooperativeLevelResults() { return cooperative_; }

    const std::vector<GraphicsCall>& Calls() const { return calls_; }
    // The names of the recorded calls, in order.
    std::vector<std::string> CallNames() const;
    // The calls named name, in order.
    std::vector<GraphicsCall> CallsNamed(const std::string& name) const;
    void ClearCalls() { calls_.clear(); }
    // Objects of the driver still alive (not yet released to 0).
    uint32_t LiveObjects() const { return live_; }

    HRESULT DirectDrawEnumerateEx(
        const std::function<bool(const Guid*, const char*, const char*)>& callback,
        uint32_t flags) override;
    HRESULT DirectDrawCreateEx(const Guid* adapter, DirectDraw** result) override;
    bool EnumDisplaySettings(DisplaySettings& settings) override;

    // For the scripted objects.
    uint32_t NewObject() { ++live_; return ++objects_; }
    void ObjectGone() { --live_; }
    // Records a call; returns the injected failure, or DD_OK.
    HRESULT Record(const std::string& name, uint32_t object, std::vector<double> args = {});
    void SetLastResult(int64_t result) { calls_.back().result = result; }

private:
    struct Failure {
        HRESULT code;
        uint32_t count;
    };
    GraphicsScript script_;
    std::map<std::string, Failure> failures_;
    std::deque<HRESULT> cooperative_;
    std::vector<GraphicsCall> calls_;
    uint32_t objects_ = 0;
    uint32_t live_ = 0;
};

} // namespace Platform
