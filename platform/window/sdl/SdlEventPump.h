#pragma once
// Inside the platform layer only: the one SDL event pump. Every event polled
// goes to every listener (the window's message queue, the input devices), so
// no area can take an event away from another.
#include <SDL.h>

namespace Platform {

class SdlEventListener {
public:
    virtual ~SdlEventListener() = default;
    virtual void OnSdlEvent(const SDL_Event& event) = 0;
    // After the last event of one pump: the place to flush what was summed.
    virtual void OnSdlPumpEnd() {}
};

void AddSdlEventListener(SdlEventListener* listener);
void RemoveSdlEventListener(SdlEventListener* listener);

// Polls every waiting SDL event and hands each to the listeners. Does
// nothing while SDL's event subsystem is not running.
void PumpSdlEvents();

// Whether one of the program's windows has the keyboard focus. Headless
// video drivers have no window manager to give it: there a window has it
// from its creation on, and the focus events pushed by tests move it.
bool SdlProgramHasFocus();
void SetSdlProgramFocus(bool focused);

// True for the drivers that show nothing (offscreen, dummy).
bool IsHeadlessVideoDriver();

} // namespace Platform
