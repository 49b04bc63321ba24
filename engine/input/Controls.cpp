#include "engine/input/Controls.h"

#include "engine/core/Config.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/input/KeyNames.h"
#include "platform/window/Windowing.h"

namespace ZorvaneEngine {
namespace {

// Past this many seconds the lock holds only while a key is physically down.
constexpr float LOCK_TIMEOUT = 2.0f;
// The display counter is kept within this distance of the side it is on, so
// a later single call from elsewhere still flips it.
constexpr int CURSOR_COUNT_LIMIT = 10;

} // namespace

Controls::Controls(MessageManager* log, TimerManager* timers, Config* config, Window* window)
    : log(log), timers(timers), config(config), window(window) {
    for (const KeyName& key : KeyNames) {
        held.emplace(key.name, false);
        pressed.emplace(key.name, false);
    }
    Platform::GetWindowing().GetCursorPos(window->handle, lastCursorX, lastCursorY);
}

Controls::~Controls() {
    cursorVisible = true;
    ShowSystemCursor(true);
}

void Controls::Update() {
    int32_t x = lastCursorX;
    int32_t y = lastCursorY;
    Platform::GetWindowing().GetCursorPos(window->handle, x, y);
    cursorDeltaX = static_cast<float>(x - lastCursorX);
    cursorDeltaY = static_cast<float>(y - lastCursorY);
    lastCursorX = x;
    lastCursorY = y;

    // Screen and device y grow downwards; the game wants up to be positive.
    if (!config->invertMouse) {
        cursorDeltaY = -cursorDeltaY;
        deviceDeltaY = -deviceDeltaY;
    }

    // A reading reaches the game in its own frame only; a reading right
    // after one that did is dropped.
    if (wheelLatch) {
        wheel = 0;
        wheelLatch = false;
    } else {
        wheelLatch = wheel != 0;
    }

    UpdateInputLock();

    ShowSystemCursor(cursorVisible);
}

void Controls::UpdateInputLock() {
    if (!inputLock)
        return;
    // The queries answer false while locked: lift it to ask them.
    inputLock = false;
    if (!window->keyEvent.pending && !IsAnyKeyActive()) {
        lockTime = 0.0f;
        return;
    }
    inputLock = true;
    lockTime += timers->frameStep;
    // A key that stays active without being down (a release the device never
    // reported) holds the lock no longer than this.
    if (lockTime > LOCK_TIMEOUT && !IsAnyKeyPhysicallyDown()) {
        inputLock = false;
        lockTime = 0.0f;
    }
}

bool Controls::IsAnyKeyPhysicallyDown() {
    Platform::Windowing& windowing = Platform::GetWindowing();
    for (int virtualKey = 0; virtualKey < 256; ++virtualKey) {
        if (windowing.GetAsyncKeyState(virtualKey) & 0x8000)
            return true;
    }
    return false;
}

void Controls::ShowSystemCursor(bool show) {
    Platform::Windowing& windowing = Platform::GetWindowing();
    if (show) {
        int count;
        do
            count = windowing.ShowCursor(true);
        while (count < 0);
        if (count > CURSOR_COUNT_LIMIT)
            windowing.ShowCursor(false);
    } else {
        int count;
        do
            count = windowing.ShowCursor(false);
        while (count >= 0);
        if (count < -CURSOR_COUNT_LIMIT)
            windowing.ShowCursor(true);
    }
}

void Controls::EndFrame() {
    for (auto& entry : pressed)
        entry.second = false;
    window->keyEvent.pending = false;
}

bool Controls::IsKeyDown(const std::string& name) const {
    if (inputLock)
        return false;
    const std::string key = ToUpperCase(name);
    const auto found = held.find(key);
    if (found == held.end())
        return false;
    return found->second || pressed.at(key);
}

bool Controls::IsKeyPressed(const std::string& name) const {
    if (inputLock)
        return false;
    const auto found = pressed.find(ToUpperCase(name));
    return found != pressed.end() && found->second;
}

bool Controls::IsAnyKeyPressed() const {
    if (inputLock)
        return false;
    for (const auto& entry : pressed) {
        if (entry.second)
            return true;
    }
    return false;
}

bool Controls::IsAnyKeyActive() const {
    if (inputLock)
        return false;
    for (const auto& entry : held) {
        if (entry.second)
            return true;
    }
    return IsAnyKeyPressed();
}

bool Controls::GetKeyEvent(uint16_t* code, bool* isCharacter) const {
    if (inputLock || !window->keyEvent.pending)
        return false;
    if (code)
        *code = window->keyEvent.code;
    if (isCharacter)
        *isCharacter = window->keyEvent.isChar;
    return true;
}

void Controls::SetKeyState(bool down, const std::string& name) {
    const auto found = held.find(name);
    if (found == held.end())
        return;
    if (!down) {
        found->second = false;
        return;
    }
    if (found->second)
        return;
    found->second = true;
    pressed[name] = true;
}

} // namespace ZorvaneEngine
