#pragma once
// The one object that lets a single menu window own the screen at a time.
// Not built yet: it holds the background and whether the menus may start.
namespace ActionPuzzle {

class GUIBackgroundWindow;

class GUIMenuWindowManager {
public:
    explicit GUIMenuWindowManager(GUIBackgroundWindow* background) : background(background) {}
    virtual ~GUIMenuWindowManager() = default;

    GUIBackgroundWindow* GetBackground() const { return background; }

    // Set by the game once the background lets the menus start.
    bool free = false;

private:
    GUIBackgroundWindow* background;
};

} // namespace ActionPuzzle
