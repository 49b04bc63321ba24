#pragma once
// The start-up record the game fills and the engine copies at construction.
#include <cstdint>
#include <string>

#include "platform/window/WindowHandle.h"

namespace ZorvaneEngine {

struct EngineSettings {
    // Product title: the log's title and the start of the window caption.
    // Left empty, the engine uses its own name and version.
    std::string title;
    int32_t version = 0;  // times 100: 103 is shown as 1.03
    // Root of every relative data file name; empty means the program's folder.
    std::string baseFolder;
    bool saveConfig = false;  // save the configuration when the engine goes
    std::string configName;   // without ".ini"
    bool logToFile = false;
    bool logReopen = false;   // open and close the log around every message
    std::string logFolder;
    std::string logName;      // without ".html"
    std::string configFolder;
    std::string dataFolder;   // below baseFolder: where the "*.pak" archives are
    // Host window: when set, the engine's window is its child.
    Platform::WindowHandle parentWindow = nullptr;
    int32_t iconId = 0;       // 0: the system's default application icon
    bool minimizeOnFocusLoss = false;
    bool videoModeGiven = false;  // videoMode overrides the saved "v_mode"
    std::string videoMode;        // "800x600x32" or "desktop"
    bool fullscreenGiven = false; // fullscreen overrides the saved "v_fullscreen"
    bool fullscreen = false;
    // When false, a windowed mode as large as the desktop is replaced by the
    // largest mode that fits.
    bool keepWindowSize = false;
    bool stencilBuffer = false;
    bool centerWindow = false;
    int32_t windowX = 0;  // client corner when not centred
    int32_t windowY = 0;
    bool sound3D = false;
};

} // namespace ZorvaneEngine
