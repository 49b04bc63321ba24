#pragma once
// The options screen of the main menu: the sound and music volumes on two
// sliders that are heard at once while they move (the sound slider plays a
// looping sample while it is held), the screen resolution chosen among the
// listed modes with two arrows, and the full-screen box. APPLY keeps the
// choices (the resolution and full screen take effect only then), DEFAULTS
// puts back the configured defaults without leaving, CANCEL restores the
// volumes the screen opened with. APPLY and CANCEL lead back to the main
// menu.
#include <cstdint>

#include "framework/GUIOptionsWindowBase.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/VolumeSliders.h"

namespace ZorvaneEngine {
class Engine;
class GUIButton;
class GUICheckBox;
class GUIScroll;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
} // namespace GameFramework

namespace ActionPuzzle {

class GUIControl;
class GUIMenuWindowManager;
class GameData;
class ProfileManager;

class GUIOptionsWindow : public GameFramework::GUIOptionsWindowBase, public GUIMenuWindow {
public:
    // Slider positions run from 0 to 1000, the volume in thousandths.
    static constexpr uint32_t SliderSteps = VolumeSliderSteps;
    // Positions one click on a slider's arrow moves it.
    static constexpr uint32_t SliderArrowStep = 30;

    GUIOptionsWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                     GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager);

    void Open() override;
    void Close() override;
    void Update() override;

    // Owned by the menu window.
    GUIControl* soundSlider = nullptr;
    GUIControl* musicSlider = nullptr;
    GUIControl* resolutionPanel = nullptr;
    GUIControl* leftArrow = nullptr;
    GUIControl* rightArrow = nullptr;
    GUIControl* fullScreenBox = nullptr;
    GUIControl* applyControl = nullptr;
    GUIControl* defaultsControl = nullptr;
    GUIControl* cancelControl = nullptr;

    // The widgets of the controls above (owned by them).
    ZorvaneEngine::GUIScroll* soundScroll = nullptr;
    ZorvaneEngine::GUIScroll* musicScroll = nullptr;
    ZorvaneEngine::GUICheckBox* fullScreenCheckBox = nullptr;
    ZorvaneEngine::GUIWindow* resolutionWidget = nullptr;
    ZorvaneEngine::GUIButton* leftButton = nullptr;
    ZorvaneEngine::GUIButton* rightButton = nullptr;
    ZorvaneEngine::GUIButton* applyButton = nullptr;
    ZorvaneEngine::GUIButton* defaultsButton = nullptr;
    ZorvaneEngine::GUIButton* cancelButton = nullptr;

private:
    // The volumes follow the sliders; the looping sample plays while the
    // sound slider is held.
    void UpdateVolumes();
    void AddTexts();
};

} // namespace ActionPuzzle
