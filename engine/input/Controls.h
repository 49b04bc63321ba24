#pragma once
// The state of the keyboard and the mouse buttons under their key names
// (KeyNames.h): held, and went down during this frame. Also the mouse
// movement of the frame, the wheel, the system cursor's visibility and the
// input lock, which silences every query until the keys that caused it are
// released. A back end (Controls_DI7) reads the devices and reports here.
//
// Frame order: the back end's poll with its SetKeyState calls, Update, the
// frame's queries, EndFrame.
#include <cstdint>
#include <map>
#include <string>

namespace ZorvaneEngine {

class Config;
class MessageManager;
class TimerManager;
class Window;

class Controls {
public:
    Controls(MessageManager* log, TimerManager* timers, Config* config, Window* window);
    virtual ~Controls();

    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    // After the back end's poll: cursor movement, the y direction, the
    // wheel, the input lock and the cursor's visibility.
    virtual void Update();
    // Forgets this frame's presses and the window's key event.
    virtual void EndFrame();

    // Names are compared in upper case; a name that is no key gives false,
    // as does every query while the input lock is set.
    // Held, or went down this frame (a tap within one frame counts).
    bool IsKeyDown(const std::string& name) const;
    bool IsKeyPressed(const std::string& name) const;
    bool IsAnyKeyPressed() const;
    bool IsAnyKeyActive() const;
    // The window's pending key event: a virtual-key code, or a UTF-16 unit
    // when isCharacter. It stays pending until EndFrame, so every caller of
    // the frame gets it.
    bool GetKeyEvent(uint16_t* code, bool* isCharacter) const;

    // For the back end. A down on a held key is a repeat, not a new press;
    // an up leaves this frame's press standing.
    void SetKeyState(bool down, const std::string& name);

    // Pixels since the previous Update, y up unless "c_invert_mouse" is set.
    float GetCursorDeltaX() const { return cursorDeltaX; }
    float GetCursorDeltaY() const { return cursorDeltaY; }
    // The mouse device's own counts for the frame, y as the cursor's.
    float GetDeviceDeltaX() const { return deviceDeltaX; }
    float GetDeviceDeltaY() const { return deviceDeltaY; }
    // 120 a notch; see Update for the frames that read 0.
    int32_t GetWheel() const { return wheel; }
    // The cursor in the window's client pixels at the last Update.
    int32_t GetCursorX() const { return lastCursorX; }
    int32_t GetCursorY() const { return lastCursorY; }

    bool IsCursorVisible() const { return cursorVisible; }
    // Takes effect at the next Update.
    void SetCursorVisible(bool visible) { cursorVisible = visible; }

    bool IsInputLocked() const { return inputLock; }
    // Set after a display-mode change and by a click that must reach no one
    // else; it lasts while keys stay active.
    void SetInputLock(bool lock) { inputLock = lock; }
    float GetLockTime() const { return lockTime; }

    // The system cursor's display counter brought to the side that shows
    // (or hides) it, and kept away from its extremes.
    static void ShowSystemCursor(bool show);

protected:
    MessageManager* log;
    TimerManager* timers;
    Config* config;
    Window* window;

    // Written by the back end's poll.
    float deviceDeltaX = 0.0f;
    float deviceDeltaY = 0.0f;
    int32_t wheel = 0;

private:
    void UpdateInputLock();
    static bool IsAnyKeyPhysicallyDown();

    bool cursorVisible = true;
    std::map<std::string, bool> held;
    std::map<std::string, bool> pressed;
    bool wheelLatch = false;
    float cursorDeltaX = 0.0f;
    float cursorDeltaY = 0.0f;
    int32_t lastCursorX = 0;
    int32_t lastCursorY = 0;
    bool inputLock = false;
    float lockTime = 0.0f;
};

} // namespace ZorvaneEngine
