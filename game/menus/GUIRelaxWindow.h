#pragma once
// The offer of the relax mode after a lost arcade game: a few lines of text,
// YES switches the player to the relax mode for good, NO leaves the mode as
// it is; either way the main menu follows.
#include "framework/WindowControllerBase.h"
#include "game/menus/GUIMenuWindow.h"

namespace ActionPuzzle {

class ProfileManager;

class GUIRelaxWindow : public GameFramework::WindowControllerBase, public GUIMenuWindow {
public:
    // More lines than these do not fit the big frame above its buttons.
    static constexpr uint32_t MaxLines = 12;

    GUIRelaxWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                   GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager);

    // The line count read again from the text table.
    virtual void Open();
    void Close() override;
    void Update() override;

    ProfileManager* profileManager;  // not owned
    uint32_t lineCount = 0;
    GUIControl* yesButton = nullptr;
    GUIControl* noButton = nullptr;
};

} // namespace ActionPuzzle
