#pragma once
// The unicorn that appears at the end of the game.
// Not built yet: it has no window and keeps its state.
namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GUIBackgroundWindow;

class GUIUnicorn {
public:
    GUIUnicorn(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GUIBackgroundWindow*) {}
    virtual ~GUIUnicorn() = default;

    void Update() {}

    ZorvaneEngine::GUIWindow* window = nullptr;  // null until it is loaded
    bool showing = false;
    bool leaving = false;
    float clock = 0.0f;  // seconds
    bool done = false;
};

} // namespace ActionPuzzle
