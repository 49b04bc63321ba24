#pragma once
// A player at the game on the scripted platform: frames of 20 ms, the
// pointer put on a widget, the left button, keys and typed characters, as
// the input reaches the game through the engine.
#include <functional>
#include <string>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "framework/GameLoaderBase.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/app/GameTestSupport.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindow.h"
#include "platform/window/Messages.h"

namespace TestSupport {

class MenuPlayer {
public:
    static constexpr uint32_t FrameMilliseconds = 20;

    explicit MenuPlayer(GameEnvironment& world) : world(world) {}

    GameUnderTest& Game() const { return *world.game; }

    // One turn of the program's loop: the waiting messages, then a frame.
    void Frame()
    {
        while (GameFramework::GameLoaderBase::DispatchNextEvent()) {
        }
        world.env.scripted.Advance(FrameMilliseconds);
        Game().Update();
    }

    void Wait(float seconds)
    {
        for (float t = 0; t < seconds; t += FrameMilliseconds / 1000.0f)
            Frame();
    }

    // Frames until done, 30 s at most; false when it never came.
    bool WaitFor(const std::function<bool()>& done)
    {
        for (int frame = 0; frame < 1500; ++frame) {
            if (done())
                return true;
            Frame();
        }
        return done();
    }

    // On screen: appeared, faded in and its title typed.
    bool WaitOnScreen(const ActionPuzzle::GUIMenuWindow& window)
    {
        const GameTools::GUITextPrinter& title = *Game().Background()->GetCentreTextPrinter();
        return WaitFor([&] {
            return window.shown && window.colour.a >= 1.0f && !window.IsAnyControlAnimating() && title.done;
        });
    }

    // The pointer to a point of the 800 by 600 interface.
    void PointAt(float x, float y)
    {
        const ZorvaneEngine::Window& window = *Game().Engine()->window;
        world.env.windowing.cursorX = static_cast<int32_t>(x * static_cast<float>(window.width) / 800.0f);
        world.env.windowing.cursorY =
            static_cast<int32_t>(static_cast<float>(window.height) - 1 - y * static_cast<float>(window.height) / 600.0f);
    }

    void PointAt(const ZorvaneEngine::GUIWindow& widget)
    {
        ZorvaneEngine::Vector2 corner = widget.GetAbsolutePosition();
        ZorvaneEngine::Vector2 extent = widget.size;
        if (widget.hitAreaOn) {
            corner = ZorvaneEngine::Vector2(corner.x + widget.hitAreaOffset.x, corner.y + widget.hitAreaOffset.y);
            extent = widget.hitAreaSize;
        }
        PointAt(corner.x + extent.x / 2, corner.y + extent.y / 2);
    }

    // Pressed and released over the widget; the release clicks it.
    void Click(const ZorvaneEngine::GUIWindow& widget)
    {
        PointAt(widget);
        Frame();
        Hold("MOUSE1", true);
        Frame();
        Hold("MOUSE1", false);
        Frame();
    }

    void Click(const ActionPuzzle::GUIControl& control) { Click(*control.widget); }

    void Hold(const std::string& key, bool down) { Game().Engine()->input->SetKeyState(down, key); }

    void Press(const std::string& key)
    {
        Hold(key, true);
        Frame();
        Hold(key, false);
        Frame();
    }

    // Typed one character a frame, as the edit box takes them.
    void Type(const std::u16string& text)
    {
        for (char16_t unit : text) {
            world.env.windowing.InjectMessage(Platform::WM_CHAR, unit);
            Frame();
        }
    }

    // The backspace key, as the window reports it.
    void Erase(int count)
    {
        for (int i = 0; i < count; ++i) {
            world.env.windowing.InjectMessage(Platform::WM_KEYDOWN, 0x08);
            Frame();
        }
    }

private:
    GameEnvironment& world;
};

} // namespace TestSupport
