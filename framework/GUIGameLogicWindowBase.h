#pragma once
// The base of the in-game HUD: the level it shows, the current profile while
// it is open, whether it takes input (not while a window is shown over it)
// and the full-screen setting, which it follows while a switch of the
// window mode is pending.
#include "framework/WindowControllerBase.h"

namespace ZorvaneEngine {
class Config;
class Engine;
class Window;
} // namespace ZorvaneEngine

namespace GameFramework {

class GameLogicBase;
class ProfileBase;
class ProfileManagerBase;

class GUIGameLogicWindowBase : public WindowControllerBase {
public:
    GUIGameLogicWindowBase(ZorvaneEngine::Engine* engine, ProfileManagerBase* profileManager);

    void Update() override;
    virtual void Open(GameLogicBase* logic);
    void Close() override;
    virtual void SetActive(bool isActive) { active = isActive; }

    GameLogicBase* GetGameLogic() const { return gameLogic; }
    bool IsActive() const { return active; }
    bool IsFullScreen() const { return fullScreen; }

protected:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::Config* config;  // "v_mode" and "v_fullscreen" are read from its fields
    ZorvaneEngine::Window* window;
    ProfileManagerBase* profileManager;
    ProfileBase* profile = nullptr;
    GameLogicBase* gameLogic = nullptr;
    bool fullScreen = false;
    bool active = false;
};

} // namespace GameFramework
