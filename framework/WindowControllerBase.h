#pragma once
// What every screen's controller has in common: the result it leaves for the
// screen state machine, an update and a close. Each screen's base adds its
// own Open with the arguments that screen needs; the game derives the real
// screens and calls the base versions from its overrides.
#include "framework/WindowAction.h"

namespace GameFramework {

class WindowControllerBase {
public:
    virtual ~WindowControllerBase() = default;

    // Clears the result; a derived screen calls it first and then sets a
    // result when its user acts.
    virtual void Update() { result = WindowAction::None; }
    // Leaves the result alone: a handler may act on the same result after
    // closing the screen.
    virtual void Close() {}

    WindowAction result = WindowAction::None;
};

} // namespace GameFramework
