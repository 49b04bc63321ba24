#include "framework/GUIGameLogicWindowBase.h"

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUIGameLogicWindowBase::GUIGameLogicWindowBase(ZorvaneEngine::Engine* engine, ProfileManagerBase* profileManager)
    : engine(engine), config(engine->config.get()), window(engine->window.get()), profileManager(profileManager)
{
}

void GUIGameLogicWindowBase::Update()
{
    WindowControllerBase::Update();
    if (!config->IsCommandDone("v_window_change_mode"))
        fullScreen = config->fullscreen;
}

void GUIGameLogicWindowBase::Open(GameLogicBase* logic)
{
    gameLogic = logic;
    profile = profileManager->currentProfile;
    fullScreen = config->fullscreen;
}

void GUIGameLogicWindowBase::Close()
{
    profile = nullptr;
    gameLogic = nullptr;
}

} // namespace GameFramework
