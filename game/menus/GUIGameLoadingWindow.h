#pragma once
// The start-up loading screen. It shows nothing of its own: while it is
// open the menu background plays its intro and types "LOADING". Once the
// background is ready for loading, it loads the resource catalogue given at
// Open on the loading worker (within one update), gives the game cursor its
// particles and the background the catalogue, and is done.
#include "framework/GUILoadingWindowBase.h"

namespace ZorvaneEngine {
class GUIManager;
}

namespace ActionPuzzle {

class GUIBackgroundWindow;
class GUIGameCursor;

class GUIGameLoadingWindow : public GameFramework::GUILoadingWindowBase {
public:
    GUIGameLoadingWindow(ZorvaneEngine::Engine* engine, GUIGameCursor* cursor, GUIBackgroundWindow* background);

    void Update() override;

private:
    ZorvaneEngine::GUIManager* guiManager;
    GUIGameCursor* cursor;
    GUIBackgroundWindow* background;
};

} // namespace ActionPuzzle
