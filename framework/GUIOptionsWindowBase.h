#pragma once
// The base of the options screen: the video modes the player can choose
// from (added by the derived screen, kept sorted by width, then height), the
// pending choices of mode and full screen, and the volumes as they were when
// the screen opened. Volumes change at once while the screen is open; the
// video mode and full screen only when the player applies them.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/WindowControllerBase.h"

namespace ZorvaneEngine {
class Config;
class Engine;
} // namespace ZorvaneEngine

namespace GameFramework {

class ProfileManagerBase;
class SoundPlayer;

struct VideoMode {
    std::string label;  // "800x600"
    uint32_t width = 0;
    uint32_t height = 0;
};

class GUIOptionsWindowBase : public WindowControllerBase {
public:
    GUIOptionsWindowBase(ZorvaneEngine::Engine* engine, SoundPlayer* soundPlayer, ProfileManagerBase* profileManager);

    void Update() override;
    // Selects the configured mode (the default mode when the list lacks it)
    // and remembers the volumes.
    virtual void Open();
    // Writes the chosen mode and full screen, asks for the switch when
    // either changed, saves the configuration and puts the player's volumes
    // into the current profile, which is saved.
    virtual void Apply();
    // The default mode, full screen and the default volumes; the volumes
    // apply at once, the rest on Apply.
    virtual void SetDefaults();
    // The volumes go back to those of Open.
    virtual void Cancel();

    // Nothing when the size is listed already.
    void AddVideoMode(uint32_t width, uint32_t height);

    const std::vector<VideoMode>& GetVideoModes() const { return videoModes; }
    uint32_t GetSelectedIndex() const { return selectedIndex; }
    int32_t GetColorBits() const { return colorBits; }
    bool IsFullScreen() const { return fullScreen; }

protected:
    // The index of the first entry of that size; 0 and found false when
    // there is none.
    uint32_t FindVideoMode(uint32_t width, uint32_t height, bool& found) const;
    // The entry of the default of "v_mode", or 0.
    uint32_t GetDefaultIndex() const;

    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::Config* config;  // "v_mode" and "v_fullscreen" are read from its fields
    SoundPlayer* soundPlayer;
    ProfileManagerBase* profileManager;
    uint32_t selectedIndex = 0;
    std::vector<VideoMode> videoModes;
    bool fullScreen = false;  // the pending choice
    int32_t colorBits = 32;   // from "v_mode"
    float rememberedSoundVolume = 1.0f;
    float rememberedMusicVolume = 1.0f;
};

} // namespace GameFramework
