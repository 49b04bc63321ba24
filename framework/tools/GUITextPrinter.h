#pragma once
// A typewriter text on a GUI window: given a new text, it erases what it
// shows one character after another, then types the new text the same way.
// Typing (shown = target, the count rising to its length), idle (the whole
// text visible: done), erasing (after SetText with another text: the count
// falling to 0), then typing the new one.
#include <cstdint>
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIFontManager;
class GUIWindow;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameTools {

class GUITextPrinter {
public:
    // Centred in the window, font 1.
    GUITextPrinter(const ZorvaneEngine::ColorRGBA& color, ZorvaneEngine::Engine& engine,
                   const ZorvaneEngine::Vector2& position, ZorvaneEngine::GUIWindow* window, float speed);
    virtual ~GUITextPrinter() = default;

    GUITextPrinter(const GUITextPrinter&) = delete;
    GUITextPrinter& operator=(const GUITextPrinter&) = delete;

    // The next text; what is shown is erased first. The same text again
    // changes nothing.
    void SetText(const std::u16string& text);
    // Once a frame: moves the count by the frame step and queues the visible
    // characters on the window. Nothing without a window.
    void Update();

    // The owners read and write these between frames (a fading colour, a
    // text cleared at once).
    ZorvaneEngine::GUIWindow* window;  // not owned
    uint32_t align;                    // TextAlign bits
    float speed;                       // characters per second
    int32_t fontId = 1;
    ZorvaneEngine::Vector2 position;
    ZorvaneEngine::ColorRGBA color;
    float count = 0.0f;  // characters visible, fractional
    std::u16string targetText;
    std::u16string shownText;  // on screen, or being erased
    bool done = true;          // the whole target text is visible

private:
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::GUIFontManager* fonts;
};

} // namespace GameTools
