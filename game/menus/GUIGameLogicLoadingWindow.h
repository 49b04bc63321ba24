#pragma once
// The loading screen of a level: once no menu window owns the screen, the
// background's centre text types "LOADING"; when the word stands whole, the
// level's keeper loads on the loading worker while the window stays alive.
#include <cstdint>

#include "framework/GUILoadingWindowBase.h"

namespace ActionPuzzle {

class GUIMenuWindowManager;
class GUIUnicorn;
class LevelManager;

class GUIGameLogicLoadingWindow : public GameFramework::GUILoadingWindowBase {
public:
    GUIGameLogicLoadingWindow(ZorvaneEngine::Engine* engine, GUIMenuWindowManager* manager,
                              LevelManager* levelManager, GUIUnicorn* unicorn, int32_t);

    void Open(GameFramework::DataKeeper* keeper) override;
    void Close() override;
    void Update() override;

    GUIMenuWindowManager* manager;  // not owned
    LevelManager* levelManager;     // not owned
    GUIUnicorn* unicorn;            // not owned
    bool open = false;
    // "LOADING" stands whole: the blocking load starts at the next update.
    bool ready = false;
};

} // namespace ActionPuzzle
