#include "platform/input/sdl/InputInjection.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/input/sdl/SdlScanCodes.h"
#include "platform/window/sdl/SdlWindowAccess.h"

namespace Platform {

namespace {

constexpr Uint8 kSdlButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};

bool PushWindowEvent(WindowHandle window, Uint8 kind)
{
    SDL_Window* sdlWindow = GetSdlWindow(window);
    if (!sdlWindow)
        return false;
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    event.window.windowID = SDL_GetWindowID(sdlWindow);
    return SDL_PushEvent(&event) == 1;
}

} // namespace

bool InjectMouseButton(WindowHandle window, int button, bool down)
{
    SDL_Window* sdlWindow = GetSdlWindow(window);
    if (!sdlWindow || button < 0 || button > 2)
        return false;
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = SDL_GetWindowID(sdlWindow);
    event.button.button = kSdlButtons[button];
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    return SDL_PushEvent(&event) == 1;
}

bool InjectKey(WindowHandle window, uint32_t scanCode, bool down)
{
    SDL_Window* sdlWindow = GetSdlWindow(window);
    if (!sdlWindow)
        return false;
    for (int code = 0; code < SDL_NUM_SCANCODES; ++code) {
        const auto scancode = static_cast<SDL_Scancode>(code);
        if (SdlScancodeToScanCode(scancode) != scanCode)
            continue;
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = SDL_GetWindowID(sdlWindow);
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = scancode;
        event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
        return SDL_PushEvent(&event) == 1;
    }
    return false;
}

bool InjectText(WindowHandle window, const std::string& utf8)
{
    SDL_Window* sdlWindow = GetSdlWindow(window);
    if (!sdlWindow)
        return false;
    // One event a character: an event holds only a few bytes.
    size_t start = 0;
    while (start < utf8.size()) {
        size_t end = start + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            ++end;
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = SDL_GetWindowID(sdlWindow);
        std::memcpy(event.text.text, utf8.data() + start, std::min(end - start, sizeof event.text.text - 1));
        if (SDL_PushEvent(&event) != 1)
            return false;
        start = end;
    }
    return true;
}

bool InjectFocus(WindowHandle window, bool gained)
{
    return PushWindowEvent(window, gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

bool InjectRestore(WindowHandle window)
{
    return PushWindowEvent(window, SDL_WINDOWEVENT_RESTORED);
}

bool InjectQuit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    return SDL_PushEvent(&event) == 1;
}

} // namespace Platform
