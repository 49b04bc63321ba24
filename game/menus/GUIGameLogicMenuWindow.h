#pragma once
// The in-game menu of the HUD's menu button or Escape: the sound and music
// volumes on two sliders that take effect while they move, the full-screen
// box, and EXIT, RESTART and RETURN. Closing it saves the settings and the
// player's volumes.
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/VolumeSliders.h"

namespace ActionPuzzle {

class ProfileManager;

class GUIGameLogicMenuWindow : public GameFramework::GUIGameLogicMenuWindowBase, public GUIMenuWindow {
public:
    // Slider positions run from 0 to this, the volume times it.
    static constexpr uint32_t SliderSteps = VolumeSliderSteps;

    GUIGameLogicMenuWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                           GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                           ProfileManager* profileManager);

    void Open() override;
    void Close() override;
    void Update() override;

    GUIControl* soundSlider = nullptr;
    GUIControl* musicSlider = nullptr;
    GUIControl* fullScreenBox = nullptr;
    GUIControl* exitButton = nullptr;
    GUIControl* restartButton = nullptr;
    GUIControl* returnButton = nullptr;

private:
    // The looping slider sound plays while the sound slider is held.
    void UpdateSliderSound();
};

} // namespace ActionPuzzle
