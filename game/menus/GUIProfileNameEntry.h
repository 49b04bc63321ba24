#pragma once
// The name form the welcome, new-profile and rename screens share: the name
// edit box and the two buttons of a small window, the accepting one and the
// other one. A name is the box's text without surrounding white space; an
// empty name cannot be accepted.
#include <string>

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GameData;
class GUIControl;
class GUIMenuWindow;

class GUIProfileNameEntry {
public:
    // Appends the edit box and the buttons to the window's controls: the
    // accepting button before the other one when acceptFirst.
    GUIProfileNameEntry(GUIMenuWindow& window, bool acceptFirst);
    ~GUIProfileNameEntry();

    GUIProfileNameEntry(const GUIProfileNameEntry&) = delete;
    GUIProfileNameEntry& operator=(const GUIProfileNameEntry&) = delete;

    // The typed name, trimmed.
    std::u16string GetName() const;
    void SetText(const std::u16string& text);
    // Once a frame while the frame is on screen: the accepting button is
    // enabled for a name; true when it was clicked, or ENTER was pressed
    // while it is enabled.
    bool IsAccepted();
    bool IsOtherClicked() const;
    // The prompt and the two captions.
    void AddTexts(const std::string& acceptKey, const std::string& otherKey) const;

    GUIControl* edit = nullptr;
    GUIControl* accept = nullptr;
    GUIControl* other = nullptr;

private:
    GUIMenuWindow& window;
};

} // namespace ActionPuzzle
