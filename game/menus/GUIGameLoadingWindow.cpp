#include "game/menus/GUIGameLoadingWindow.h"

#include "engine/Engine.h"
#include "game/app/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"

namespace ActionPuzzle {

GUIGameLoadingWindow::GUIGameLoadingWindow(ZorvaneEngine::Engine* engine, GUIGameCursor* cursor,
                                           GUIBackgroundWindow* background)
    : GUILoadingWindowBase(engine), guiManager(engine->guiManager.get()), cursor(cursor), background(background)
{
}

void GUIGameLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    if (!keeper || IsDone())
        return;
    RunLoading();
    background->gameData = static_cast<GameData*>(keeper);
    background->loaded = true;
    result = GameFramework::WindowAction::Done;
}

} // namespace ActionPuzzle
