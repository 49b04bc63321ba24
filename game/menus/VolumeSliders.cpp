#include "game/menus/VolumeSliders.h"

#include <algorithm>
#include <cmath>

#include "engine/sound/Sound.h"
#include "framework/SoundPlayer.h"
#include "game/common/SoundId.h"

namespace ActionPuzzle {

uint32_t VolumeSliderPosition(float volume)
{
    // In double: the float product 0.7f * 1000 rounds up to exactly 700.
    const double thousandths = static_cast<double>(volume) * 1000.0;
    if (!(thousandths > 0.0))
        return 0;
    return static_cast<uint32_t>(std::min(thousandths, static_cast<double>(VolumeSliderSteps - 1)));
}

void ApplyVolumeSliders(GameFramework::SoundPlayer* soundPlayer, uint32_t soundPosition, uint32_t musicPosition)
{
    constexpr double tolerance = 0.001;
    if (std::fabs(soundPosition / 1000.0 - soundPlayer->GetSoundVolume()) > tolerance)
        soundPlayer->SetSoundVolume(static_cast<float>(soundPosition) / 1000.0f);
    if (std::fabs(musicPosition / 1000.0 - soundPlayer->GetMusicVolume()) > tolerance)
        soundPlayer->SetMusicVolume(static_cast<float>(musicPosition) / 1000.0f);
}

void UpdateSliderSound(GameFramework::SoundPlayer* soundPlayer, bool dragging)
{
    const bool playing = soundPlayer->GetSoundState(SoundVolumeSlider) == ZorvaneEngine::SoundState::Playing;
    if (dragging && !playing)
        soundPlayer->PlaySound(SoundVolumeSlider);
    else if (!dragging && playing)
        soundPlayer->StopSound(SoundVolumeSlider);
}

} // namespace ActionPuzzle
