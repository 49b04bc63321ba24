#include "game/menus/GUIUpgradeWindow.h"

#include "engine/Engine.h"
#include "engine/gui/GUIManager.h"

namespace ActionPuzzle {

GUIUpgradeWindow::GUIUpgradeWindow(ZorvaneEngine::Engine* engine, GUIMenuWindowManager* windowManager,
                                   ZorvaneEngine::GUIWindow* window)
    : guiManager(engine->guiManager.get()), windowManager(windowManager), window(window)
{
}

GUIUpgradeWindow::~GUIUpgradeWindow()
{
    if (window && guiManager->windows.Remove(window))
        delete window;
}

void GUIUpgradeWindow::Update()
{
    result = GameFramework::WindowAction::None;
}

} // namespace ActionPuzzle
