#include "game/menus/GUIStageCompleteWindow.h"

#include "game/menus/GUIBackgroundWindow.h"

namespace ActionPuzzle {

GUIStageCompleteWindow::GUIStageCompleteWindow(ZorvaneEngine::Engine* engine, LevelManager* levelManager,
                                               GUIBackgroundWindow* background, bool)
    : GUIStageCompleteWindowBase(engine, levelManager), background(background)
{
}

void GUIStageCompleteWindow::Open(const GameFramework::LevelInfo& info)
{
    GUIStageCompleteWindowBase::Open(info);
    open = true;
}

void GUIStageCompleteWindow::Close()
{
    open = false;
}

void GUIStageCompleteWindow::Update()
{
    GUIStageCompleteWindowBase::Update();
    if (!open)
        return;
    if (background != nullptr && levelManager->IsLastLevel(stage, level))
        background->DisableUnicorn();
    result = GameFramework::WindowAction::Proceed;
    open = false;
}

} // namespace ActionPuzzle
