#pragma once
// A player at the real game: the pointer put on the 800 × 600 interface,
// mouse buttons and keys pressed and text typed through the platform's
// event queue (InputInjection.h), so that the game takes them as it takes a
// person's. Between the steps of a click or a key it runs the program's
// loop through the frame function its user hands in. The tests, the
// screenshot tour and the soak run play the game with it.
#include <cstdint>
#include <functional>
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace Tools {

class EventPlayer {
public:
    // frame runs one turn of the program's loop; a player whose user runs
    // the loop itself (the soak run's) gets none and uses only the steps
    // that take no frames.
    explicit EventPlayer(std::function<void()> frame = {}) : frame(std::move(frame)) {}

    // The game whose window the events go to, from now on.
    void Attach(ZorvaneEngine::Engine& game) { engine = &game; }
    ZorvaneEngine::Engine* Attached() const { return engine; }

    void Frame() { frame(); }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            frame();
    }
    template <typename Condition>
    bool RunUntil(Condition condition, int limit)
    {
        for (int i = 0; i < limit && !condition(); ++i)
            frame();
        return condition();
    }

    // --- At once, no frame run ---

    // The pointer to a point of the interface (y up).
    void PointAt(ZorvaneEngine::Vector2 at);
    // Button 0 left, 1 right, 2 middle, at the pointer. False when the
    // event could not be queued.
    bool Button(int button, bool down);
    // A key by its scan code (ScanCodes.h).
    bool KeyChange(uint32_t scanCode, bool down);
    // Text as a keyboard types it, UTF-8.
    bool Text(const std::string& utf8);
    // The window losing or getting the focus, as when the user goes to
    // another program and back, and its coming back from the task bar.
    bool Focus(bool gained);
    bool Restore();
    // The desktop asking the program to end, as when its window is closed.
    static bool Quit();

    // --- Over frames ---

    // The button down for hold frames, then up for as many.
    void Press(int button, int hold);
    // The pointer there, settle frames, then the left button pressed.
    void Click(ZorvaneEngine::Vector2 at, int settle = 1, int hold = 1);
    void Click(const ZorvaneEngine::GUIWindow& widget, int settle = 1, int hold = 1)
    {
        Click(CentreOf(widget), settle, hold);
    }
    // Down for frames frames, then up for as many.
    void Key(uint32_t scanCode, int frames = 2);
    // A character every other frame, as an edit box takes one a frame.
    void Type(const std::string& utf8);

    // The middle of a widget's hit area.
    static ZorvaneEngine::Vector2 CentreOf(const ZorvaneEngine::GUIWindow& widget);

    // What the screen shows now, as a PNG file; false when there is no
    // picture or it could not be written.
    bool SaveScreen(const std::string& path) const;

private:
    std::function<void()> frame;
    ZorvaneEngine::Engine* engine = nullptr;
};

} // namespace Tools
