#pragma once
// The animated menu background behind every screen. For now it holds the
// state the game steers (activity, the state of its intro and menus, the
// fade between the menu look and the level look, the title plate and the
// unicorn's finale) and the menu root under which every menu window lies;
// its scene is not built yet.
#include <cstdint>
#include <string>

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;
class LevelManager;
class ProfileManager;

enum class BackgroundState : int32_t {
    IntroFrame = 0,
    IntroTitle = 1,
    TypingLoading = 2,
    ReadyForLoading = 3,
    MenusMayStart = 4,
    Settling = 5,
    PlateDown = 6,
    PlateAppearing = 7,
    PlateUp = 8,
};

class GUIBackgroundWindow {
public:
    GUIBackgroundWindow(const std::string& languageCode, GameFramework::SoundPlayer* soundPlayer,
                        ZorvaneEngine::Engine* engine, LevelManager* levelManager, ProfileManager* profileManager);
    virtual ~GUIBackgroundWindow();

    GUIBackgroundWindow(const GUIBackgroundWindow&) = delete;
    GUIBackgroundWindow& operator=(const GUIBackgroundWindow&) = delete;

    virtual void Update() {}
    // Back from a level or the show place: the menu scene fades in.
    virtual void FadeInLayers() {}
    // The stage whose layers show: the current profile's stage, one further
    // when it has reached the end of the last stage; 0 without a profile.
    uint32_t UpdateStageIndex();

    ZorvaneEngine::GUIWindow* GetMenuRoot() const { return menuRoot; }
    uint32_t GetStageIndex() const { return stageIndex; }

    GameData* gameData = nullptr;  // null until the start-up load has ended
    bool loaded = false;
    bool menuReadyAcknowledged = false;
    bool plateRequest = false;
    bool plateReleaseRequest = false;
    bool plateUp = false;
    bool plateReady = false;
    bool active = false;
    BackgroundState state = BackgroundState::IntroFrame;
    bool fadeOn = true;
    float v = 1.0f;  // the fade between the menu look (1) and the level look
    bool finaleFadeIn = false;
    bool finaleFadeOut = false;
    float finaleTime = 0.0f;
    bool unicornEarned = false;
    bool unicornEnabled = true;

protected:
    ZorvaneEngine::GUIManager* guiManager;
    LevelManager* levelManager;
    ProfileManager* profileManager;
    ZorvaneEngine::GUIWindow* menuRoot = nullptr;
    uint32_t stageIndex = 0;
};

} // namespace ActionPuzzle
