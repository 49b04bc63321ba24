#include "game/menus/GUIGameCompleteEffect.h"

#include "engine/Engine.h"
#include "engine/gui/GUIManager.h"

namespace ActionPuzzle {

GUIGameCompleteEffect::GUIGameCompleteEffect(GUIUnicorn*, GUIBackgroundWindow*, ZorvaneEngine::Engine* engine,
                                             GameData*)
    : guiManager(engine->guiManager.get())
{
    root = guiManager->CreateWindow(0, {0, 0}, {0, 0}, nullptr, nullptr);
}

GUIGameCompleteEffect::~GUIGameCompleteEffect()
{
    if (root && guiManager->windows.Remove(root))
        delete root;
}

} // namespace ActionPuzzle
