#pragma once
// The start-up loading screen: loads the game's resource catalogue on the
// loading worker at its first update after it opened, hands it to the menu
// background and is done.
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
