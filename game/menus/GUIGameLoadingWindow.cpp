#include "game/menus/GUIGameLoadingWindow.h"

#include "engine/Engine.h"
#include "game/common/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameCursor.h"

namespace ActionPuzzle {

GUIGameLoadingWindow::GUIGameLoadingWindow(ZorvaneEngine::Engine* engine, GUIGameCursor* cursor,
                                           GUIBackgroundWindow* background)
    : GUILoadingWindowBase(engine), guiManager(engine->guiManager.get()), cursor(cursor), background(background)
{
}

void GUIGameLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    // Only an opened screen loads, and only once the intro is ready for it.
    if (!keeper || background->GetState() != BackgroundState::ReadyForLoading || !background->readyForLoading ||
        background->loaded)
        return;
    RunLoading();
    auto* catalogue = static_cast<GameData*>(keeper);
    if (cursor)
        cursor->CreateParticles(*catalogue);
    background->gameData = catalogue;
    background->loaded = true;
    result = GameFramework::WindowAction::Done;
}

} // namespace ActionPuzzle
