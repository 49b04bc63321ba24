#pragma once
// The tutorial before a new game: CONTINUE plays the first level (and with
// "do not show again" ticked, never shows the tutorial to this player
// again), BACK returns to the main menu. A player who asked not to see it
// goes straight on.
#include "framework/WindowControllerBase.h"
#include "game/menus/GUIMenuWindow.h"

namespace ActionPuzzle {

class ProfileManager;

class GUITutorialWindow : public GameFramework::WindowControllerBase, public GUIMenuWindow {
public:
    GUITutorialWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                      GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager);

    virtual void Open();
    void Close() override;
    void Update() override;

    ProfileManager* profileManager;  // not owned
    // Whether the tutorial is shown at all; the game sets it from the
    // profile before it opens.
    bool show = true;
    bool answerAtOnce = false;
    GUIControl* continueButton = nullptr;
    GUIControl* backButton = nullptr;
    GUIControl* doNotShowBox = nullptr;
};

} // namespace ActionPuzzle
