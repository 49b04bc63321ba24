#pragma once
// The animated unicorn of the game's end. It is loaded with the game's last
// level, comes up among the background's layers while the end-of-game
// flashes play, runs its texture animation once, and fades away again when
// the game-complete screen is left.
//
// The texture animation is driven by an animation control of its own, not
// by the material's clock, so that it can be played exactly once and its
// end can be seen.
#include <cstdint>
#include <memory>

namespace ZorvaneEngine {
class AnimationControl;
class Engine;
class GUIManager;
class GUIWindow;
class MessageManager;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GUIBackgroundWindow;

class GUIUnicorn {
public:
    GUIUnicorn(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
               GUIBackgroundWindow* background);
    // Deletes the window; its parent belongs to the background, so the
    // unicorn must go before the background does.
    virtual ~GUIUnicorn();

    GUIUnicorn(const GUIUnicorn&) = delete;
    GUIUnicorn& operator=(const GUIUnicorn&) = delete;

    // Makes the hidden window among the background's layers; nothing when
    // one exists already.
    void Load();
    // Starts the fade-in with the sound "upgrade"; only once per load, and
    // nothing without a window.
    void Show();
    // Once a frame.
    void Update();

    ZorvaneEngine::AnimationControl* GetAnimation() const { return animation.get(); }

    ZorvaneEngine::GUIWindow* window = nullptr;  // null until it is loaded
    bool showing = false;
    // Set by the game after the game-complete screen: fade out, then unload.
    bool leaving = false;
    float clock = 0.0f;  // seconds since showing or leaving began
    // The animation has run once since Show.
    bool done = false;
    // The animation was started since Show.
    bool played = false;

private:
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::GUIManager* guiManager;
    GameFramework::SoundPlayer* soundPlayer;
    GUIBackgroundWindow* background;
    std::unique_ptr<ZorvaneEngine::AnimationControl> animation;  // null until loaded
};

} // namespace ActionPuzzle
