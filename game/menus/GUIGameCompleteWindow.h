#pragma once
// The closing story after the game's finale, five lines a page, each page
// fading in after the last one faded out; the last CONTINUE ends it. Shown
// once per player: without its text it answers at its first update.
#include <cstdint>

#include "framework/LevelScreenBases.h"
#include "game/menus/GUIPagedText.h"
#include "game/menus/GUIMenuWindow.h"

namespace ActionPuzzle {

class GUIGameCompleteWindow : public GameFramework::GUIGameCompleteWindowBase, public GUIMenuWindow {
public:
    GUIGameCompleteWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                          GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Open() override;
    void Close() override;
    void Update() override;

    // Whether the story is told; the game sets it from the profile before
    // the window opens, so each player reads it once.
    bool showText = true;
    bool answerAtOnce = false;
    GUIPagedText pages{"GAME_COMPLETE_TEXT_", "GAME_COMPLETE_TEXT_SIZE", 5, 126.0f};
    GUIControl* continueButton = nullptr;
};

} // namespace ActionPuzzle
