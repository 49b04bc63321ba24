#pragma once
// The main menu: seven buttons that slide in one after the other, and the
// player's greeting as its title. The buttons react only once the menu has
// fully appeared.
#include "framework/MenuScreenBases.h"
#include "game/menus/GUIMenuWindow.h"

namespace ZorvaneEngine {
class Engine;
class GUIButton;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GUIControl;
class GUIMenuWindowManager;
class GameData;
class ProfileManager;

class GUIMainMenuWindow : public GameFramework::GUIMainMenuWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t ButtonCount = 7;
    // Fonts of a caption: normal, hovered, pressed.
    static constexpr int32_t CaptionFont = 7;
    static constexpr int32_t HoveredCaptionFont = 8;
    static constexpr int32_t PressedCaptionFont = 9;
    enum Button { Start, HighScores, Options, ChangeProfile, ShowPlace, Credits, Exit };

    GUIMainMenuWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                      GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager);
    ~GUIMainMenuWindow() override;

    // The title greets the current profile.
    void Open() override;
    void Close() override;
    void Update() override;

    ProfileManager* profileManager;
    GUIControl* buttonControls[ButtonCount] = {};
    ZorvaneEngine::GUIButton* buttons[ButtonCount] = {};
};

} // namespace ActionPuzzle
