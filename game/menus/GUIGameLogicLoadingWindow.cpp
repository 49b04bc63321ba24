#include "game/menus/GUIGameLogicLoadingWindow.h"

#include "framework/tools/GUITextPrinter.h"
#include "game/common/LevelManager.h"
#include "game/gameplay/GameLogicData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIUnicorn.h"

namespace ActionPuzzle {

GUIGameLogicLoadingWindow::GUIGameLogicLoadingWindow(ZorvaneEngine::Engine* engine, GUIMenuWindowManager* manager,
                                                     LevelManager* levelManager, GUIUnicorn* unicorn, int32_t)
    : GUILoadingWindowBase(engine), manager(manager), levelManager(levelManager), unicorn(unicorn)
{
}

void GUIGameLogicLoadingWindow::Open(GameFramework::DataKeeper* toLoad)
{
    GUILoadingWindowBase::Open(toLoad);
    open = true;
    ready = false;
}

void GUIGameLogicLoadingWindow::Close()
{
    GUILoadingWindowBase::Close();
    open = false;
}

void GUIGameLogicLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    if (!open)
        return;
    if (ready) {
        RunLoading();
        // The game's last level ends in the unicorn's appearance; it is
        // made here, on this thread, as the GUI windows must be.
        const auto* level = dynamic_cast<const GameLogicData*>(GetKeeper());
        if (unicorn && levelManager && level && level->levelInfo &&
            levelManager->IsLastLevel(level->levelInfo->stageIndex, level->levelInfo->levelIndex))
            unicorn->Load();
        result = GameFramework::WindowAction::Done;
        return;
    }
    if (!manager->free)
        return;
    manager->SetCentreText("LOADING");
    GUIBackgroundWindow* background = manager->GetBackground();
    const GameTools::GUITextPrinter* printer = background ? background->GetCentreTextPrinter() : nullptr;
    // A background that does not run types nothing: waiting for it would
    // never end.
    if (printer == nullptr || printer->done || !background->IsActive())
        ready = true;
}

} // namespace ActionPuzzle
