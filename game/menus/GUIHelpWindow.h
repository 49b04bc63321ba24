#pragma once
// The help screen behind the main menu's credits button: twelve fixed lines
// of headings and texts, and BACK to the main menu.
#include <cstdint>

#include "framework/MenuScreenBases.h"
#include "game/menus/GUIMenuWindow.h"

namespace ZorvaneEngine {
class Engine;
class GUIButton;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
} // namespace GameFramework

namespace ActionPuzzle {

class GUIControl;
class GUIMenuWindowManager;
class GameData;

class GUIHelpWindow : public GameFramework::GUIHelpWindowBase, public GUIMenuWindow {
public:
    // The text table's "HELP_TEXT_0" to "HELP_TEXT_11", always all of them.
    static constexpr int32_t LineCount = 12;

    GUIHelpWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                  GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Open() override;
    void Close() override;
    void Update() override;

    // The height of each line and whether it is a heading.
    static float LineY(int32_t line);
    static bool IsHeading(int32_t line);

    GUIControl* backControl = nullptr;  // owned by the menu window
    ZorvaneEngine::GUIButton* backButton = nullptr;
};

} // namespace ActionPuzzle
