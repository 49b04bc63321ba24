#pragma once
// The window after a won level: the player's time against the level's ace
// time, a time bonus counted up into the total score (saved as soon as it is
// all credited, so quitting from the next level never loses it), the
// player's best time, and the stage's totem filling by this level's share.
// CONTINUE ends the level once the menus have faded back in.
#include <cstdint>
#include <string>

#include "framework/LevelScreenBases.h"
#include "game/menus/GUIMenuWindow.h"

namespace ActionPuzzle {

class LevelManager;
class ProfileManager;

class GUILevelCompleteWindow : public GameFramework::GUILevelCompleteWindowBase, public GUIMenuWindow {
public:
    // Points for every second under the ace time, and seconds of that gap
    // counted per second once the window shows.
    static constexpr float BonusPerSecond = 75.0f;
    static constexpr float CountRate = 18.0f;
    static constexpr float CountDelay = 0.2f;

    GUILevelCompleteWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                           GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                           ProfileManager* profileManager, LevelManager* levelManager);
    ~GUILevelCompleteWindow() override;

    void Open(const GameFramework::LevelInfo& level, float seconds) override;
    void Close() override;
    void Update() override;

    // "m:ss" of whole seconds, truncated.
    static std::u16string TimeText(float seconds);
    // Whole bonus points after the given seconds of counting.
    static uint32_t BonusPoints(float aceSeconds, float playerSeconds, float clock);

    ProfileManager* profileManager;
    GUIControl* decoration = nullptr;
    GUIControl* totemBase = nullptr;
    GUIControl* totemOverlay = nullptr;
    GUIControl* continueButton = nullptr;
    // The numbers stand right-aligned on it.
    ZorvaneEngine::GUIWindow* valuesWindow = nullptr;
    bool leaving = false;
    float bonusClock = 0.0f;
    uint32_t creditedBonus = 0;
    float totemClock = 0.0f;

private:
    int32_t AceSeconds() const;
    void UpdateBonus(float dt);
    void UpdateTotem(float dt);
    void AddTexts(int32_t ace);
    void AddBestTimeHolder();
    void StopChargeSound();
};

} // namespace ActionPuzzle
