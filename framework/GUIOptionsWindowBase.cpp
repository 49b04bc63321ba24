#include "framework/GUIOptionsWindowBase.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/TextUtils.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"

namespace GameFramework {

GUIOptionsWindowBase::GUIOptionsWindowBase(ZorvaneEngine::Engine* engine, SoundPlayer* soundPlayer,
                                           ProfileManagerBase* profileManager)
    : engine(engine), config(engine->config.get()), soundPlayer(soundPlayer), profileManager(profileManager)
{
}

void GUIOptionsWindowBase::AddVideoMode(uint32_t width, uint32_t height)
{
    bool found = false;
    FindVideoMode(width, height, found);
    if (found) return;
    videoModes.push_back({ZorvaneEngine::UIntToText(width) + "x" + ZorvaneEngine::UIntToText(height), width, height});
    std::stable_sort(videoModes.begin(), videoModes.end(), [](const VideoMode& a, const VideoMode& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
}

uint32_t GUIOptionsWindowBase::FindVideoMode(uint32_t width, uint32_t height, bool& found) const
{
    for (uint32_t i = 0; i < videoModes.size(); ++i) {
        if (videoModes[i].width == width && videoModes[i].height == height) {
            found = true;
            return i;
        }
    }
    found = false;
    return 0;
}

uint32_t GUIOptionsWindowBase::GetDefaultIndex() const
{
    int32_t width = 0, height = 0;
    ZorvaneEngine::ParseVideoMode(config->GetDefaultString("v_mode"), &width, &height, nullptr);
    bool found = false;
    return FindVideoMode(static_cast<uint32_t>(width), static_cast<uint32_t>(height), found);
}

void GUIOptionsWindowBase::Update()
{
    WindowControllerBase::Update();
    if (!config->IsCommandDone("v_window_change_mode"))
        fullScreen = config->fullscreen;
}

void GUIOptionsWindowBase::Open()
{
    int32_t width = 0, height = 0, bits = 0;
    ZorvaneEngine::ParseVideoMode(config->videoMode, &width, &height, &bits);
    bool found = false;
    selectedIndex = FindVideoMode(static_cast<uint32_t>(width), static_cast<uint32_t>(height), found);
    if (!found) selectedIndex = GetDefaultIndex();
    colorBits = bits;
    fullScreen = config->fullscreen;
    rememberedSoundVolume = soundPlayer->GetSoundVolume();
    rememberedMusicVolume = soundPlayer->GetMusicVolume();
}

void GUIOptionsWindowBase::Apply()
{
    bool changed = false;
    if (!videoModes.empty()) {
        const VideoMode& mode = videoModes[std::min<size_t>(selectedIndex, videoModes.size() - 1)];
        const std::string text = mode.label + "x" + ZorvaneEngine::IntToText(colorBits);
        if (ZorvaneEngine::ToLowerCase(config->videoMode) != text) {
            config->videoMode = text;
            changed = true;
        }
    }
    if (fullScreen != config->fullscreen) {
        config->fullscreen = fullScreen;
        config->SetCommandDone("g_update_video_mode", false);
    } else if (changed) {
        config->SetCommandDone("g_update_video_mode", false);
    }
    config->Save();
    if (ProfileBase* profile = profileManager->currentProfile) {
        profile->soundVolume = soundPlayer->GetSoundVolume();
        profile->musicVolume = soundPlayer->GetMusicVolume();
        profile->Save();
    }
}

void GUIOptionsWindowBase::SetDefaults()
{
    selectedIndex = GetDefaultIndex();
    ZorvaneEngine::ParseVideoMode(config->GetDefaultString("v_mode"), nullptr, nullptr, &colorBits);
    fullScreen = true;
    soundPlayer->SetSoundVolume(soundPlayer->GetDefaultSoundVolume());
    soundPlayer->SetMusicVolume(soundPlayer->GetDefaultMusicVolume());
}

void GUIOptionsWindowBase::Cancel()
{
    soundPlayer->SetSoundVolume(rememberedSoundVolume);
    soundPlayer->SetMusicVolume(rememberedMusicVolume);
}

} // namespace GameFramework
