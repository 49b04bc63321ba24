#pragma once
// The list of profiles: seven rows of names under a scroll bar, the current
// profile first and its row disabled; a click on another row makes that
// profile current at once. NEW, RENAME and DELETE lead to their screens
// (the latter two for the current profile), DONE back to the main menu.
#include <string>
#include <vector>

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

class GUIProfilesWindow : public GameFramework::GUIProfilesWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t RowCount = 7;
    static constexpr float RowWidth = 190.0f;
    static constexpr float RowHeight = 20.0f;
    // Row 0 stands this far above the list panel's bottom, each further
    // row one step lower.
    static constexpr float FirstRowY = 163.0f;
    static constexpr float RowStep = 22.0f;

    GUIProfilesWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                      GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager);
    ~GUIProfilesWindow() override;

    // Takes the names: the current profile's, then the others in the list's
    // order.
    void Open() override;
    void Close() override;
    void Update() override;

    GUIControl* listPanel = nullptr;
    std::vector<ZorvaneEngine::GUIButton*> rows;  // owned, in the GUI manager's button pool
    GUIControl* scrollBar = nullptr;
    GUIControl* newButton = nullptr;
    GUIControl* renameButton = nullptr;
    GUIControl* deleteButton = nullptr;
    GUIControl* doneButton = nullptr;
    std::vector<std::u16string> names;
};

} // namespace ActionPuzzle
