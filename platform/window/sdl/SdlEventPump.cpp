#include "platform/window/sdl/SdlEventPump.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace Platform {
namespace {

std::vector<SdlEventListener*>& Listeners() {
    static std::vector<SdlEventListener*> listeners;
    return listeners;
}

bool programFocused = false;

bool IsHeadlessName(const char* name) {
    return name && (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0);
}

} // namespace

void AddSdlEventListener(SdlEventListener* listener) {
    auto& listeners = Listeners();
    if (std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
}

void RemoveSdlEventListener(SdlEventListener* listener) {
    auto& listeners = Listeners();
    listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}

void PumpSdlEvents() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
        return;
    // By index on the live list: a listener may register or leave while an
    // event is handled.
    auto& listeners = Listeners();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_WINDOWEVENT) {
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
                programFocused = true;
            else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                programFocused = false;
        }
        for (size_t i = 0; i < listeners.size(); ++i)
            listeners[i]->OnSdlEvent(event);
    }
    for (size_t i = 0; i < listeners.size(); ++i)
        listeners[i]->OnSdlPumpEnd();
}

bool SdlProgramHasFocus() {
    // A real driver knows the focus before the first focus event is polled,
    // and the program must not take itself for unfocused at start-up.
    if (SDL_WasInit(SDL_INIT_VIDEO) && !IsHeadlessVideoDriver())
        return SDL_GetKeyboardFocus() != nullptr;
    return programFocused;
}

void SetSdlProgramFocus(bool focused) { programFocused = focused; }

bool IsHeadlessVideoDriver() {
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return IsHeadlessName(SDL_GetCurrentVideoDriver());
    return IsHeadlessName(std::getenv("SDL_VIDEODRIVER"));
}

} // namespace Platform
