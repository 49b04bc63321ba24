#pragma once
// The story shown before a profile's first game, twelve lines a page; the
// last page's CONTINUE starts the game.
#include "framework/WindowControllerBase.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUIPagedText.h"

namespace ActionPuzzle {

class GUIIntroductionWindow : public GameFramework::WindowControllerBase, public GUIMenuWindow {
public:
    GUIIntroductionWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                          GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    virtual void Open();
    void Close() override;
    void Update() override;

    GUIControl* continueButton = nullptr;
    GUIPagedText pages{"INTRODUCTION_TEXT_", "INTRODUCTION_TEXT_SIZE", 12, 276.0f};
};

} // namespace ActionPuzzle
