#pragma once
// The one object that lets a single menu window own the screen at a time:
// a window takes it (free false) on its first shown frame and gives it back
// when its frame has disappeared after closing. It starts taken; the game
// frees it once the menu background lets the menus start. It also reaches
// the background's centre text, on which every window's title is typed.
#include <string>

namespace ActionPuzzle {

class GUIBackgroundWindow;

class GUIMenuWindowManager {
public:
    explicit GUIMenuWindowManager(GUIBackgroundWindow* background) : background(background) {}
    virtual ~GUIMenuWindowManager() = default;

    GUIMenuWindowManager(const GUIMenuWindowManager&) = delete;
    GUIMenuWindowManager& operator=(const GUIMenuWindowManager&) = delete;

    GUIBackgroundWindow* GetBackground() const { return background; }

    // The centre text erases what it shows and types the text of the key.
    void SetCentreText(const std::string& key);
    // The centre text empty at once, with nothing left to type.
    void ClearCentreText();

    bool free = false;

private:
    GUIBackgroundWindow* background;  // not owned
};

} // namespace ActionPuzzle
