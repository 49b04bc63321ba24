#pragma once
// The base of the in-game menu: the full-screen choice, which follows the
// setting while a switch of the window mode is pending, and the volumes,
// which reach the configuration file and the profile when the menu closes.
#include "framework/WindowControllerBase.h"

namespace ZorvaneEngine {
class Config;
class Engine;
} // namespace ZorvaneEngine

namespace GameFramework {

class ProfileManagerBase;
class SoundPlayer;

class GUIGameLogicMenuWindowBase : public WindowControllerBase {
public:
    GUIGameLogicMenuWindowBase(ZorvaneEngine::Engine* engine, SoundPlayer* soundPlayer,
                               ProfileManagerBase* profileManager);

    void Update() override;
    virtual void Open();
    // Saves the configuration, then the player's volumes into the current
    // profile, which is saved too.
    void Close() override;
    // Called by the derived menu when its full-screen box changes: a choice
    // that differs from the setting is stored, saved and switched to over
    // the next frames ("v_window_change_mode").
    virtual void ApplyWindowMode();

    bool IsFullScreen() const { return fullScreen; }

protected:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::Config* config;  // "v_mode" and "v_fullscreen" are read from its fields
    SoundPlayer* soundPlayer;
    ProfileManagerBase* profileManager;
    bool fullScreen = false;  // the pending choice
    // The player's volumes when the menu opened.
    float soundVolume = 1.0f;
    float musicVolume = 1.0f;
};

} // namespace GameFramework
