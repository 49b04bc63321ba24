#include "framework/GUIGameLogicMenuWindowBase.h"

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"

namespace GameFramework {

GUIGameLogicMenuWindowBase::GUIGameLogicMenuWindowBase(ZorvaneEngine::Engine* engine, SoundPlayer* soundPlayer,
                                                       ProfileManagerBase* profileManager)
    : engine(engine), config(engine->config.get()), soundPlayer(soundPlayer), profileManager(profileManager)
{
}

void GUIGameLogicMenuWindowBase::Update()
{
    WindowControllerBase::Update();
    if (!config->IsCommandDone("v_window_change_mode"))
        fullScreen = config->fullscreen;
}

void GUIGameLogicMenuWindowBase::Open()
{
    fullScreen = config->fullscreen;
    soundVolume = soundPlayer->GetSoundVolume();
    musicVolume = soundPlayer->GetMusicVolume();
}

void GUIGameLogicMenuWindowBase::Close()
{
    config->Save();
    if (ProfileBase* profile = profileManager->currentProfile) {
        profile->soundVolume = soundPlayer->GetSoundVolume();
        profile->musicVolume = soundPlayer->GetMusicVolume();
        profile->Save();
    }
}

void GUIGameLogicMenuWindowBase::ApplyWindowMode()
{
    if (fullScreen == config->fullscreen) return;
    config->fullscreen = fullScreen;
    config->Save();
    config->SetCommandDone("v_window_change_mode", false);
}

} // namespace GameFramework
