#pragma once
// Recognises a double click of the left mouse button on one of a list of GUI
// windows: press, release, press on the same window, release, all within
// 0.6 s of the first press. Reported in the frame of the second release.
#include <cstdint>
#include <vector>

namespace ZorvaneEngine {
class Controls;
class Engine;
class GUIWindow;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameTools {

class GUIDoubleClickDetecter {
public:
    explicit GUIDoubleClickDetecter(ZorvaneEngine::Engine& engine);
    virtual ~GUIDoubleClickDetecter() = default;

    GUIDoubleClickDetecter(const GUIDoubleClickDetecter&) = delete;
    GUIDoubleClickDetecter& operator=(const GUIDoubleClickDetecter&) = delete;

    // Not owned; watched in the order added.
    void AddWindow(ZorvaneEngine::GUIWindow* window);
    // Once a frame, after the GUI manager's update has set the hovered flags.
    void Update();

    // True only in the frame in which a double click completed.
    bool doubleClicked = false;
    // The window of the current click sequence, null for none. It stays after
    // a double click to tell which window was double-clicked; it is never
    // dereferenced here.
    ZorvaneEngine::GUIWindow* window = nullptr;

private:
    // The first watched window that is shown and under the cursor.
    ZorvaneEngine::GUIWindow* FindHoveredWindow() const;

    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::Controls* input;
    std::vector<ZorvaneEngine::GUIWindow*> windows;
    float firstPressTime = -1.0f;  // main-timer seconds; -1 for none
    bool previousDown = false;     // the button held at the end of the last update
    uint32_t stepCount = 0;
};

} // namespace GameTools
