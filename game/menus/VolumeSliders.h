#pragma once
// The volume sliders of the options screen and the in-game menu: 1001
// positions, the volume in thousandths.
#include <cstdint>

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

constexpr uint32_t VolumeSliderSteps = 1001;

// The volume in thousandths, truncated (0.4999 is 499), within [0, 1000];
// a NaN read from a damaged profile is 0.
uint32_t VolumeSliderPosition(float volume);

// Sets each volume whose slider lies more than a thousandth away from it.
// Compared in double: a slider truncated from a volume always lies within
// it, so opening a screen changes nothing, whereas in float the default
// music volume 0.16 and its slider at 0.159 lie just beyond it.
void ApplyVolumeSliders(GameFramework::SoundPlayer* soundPlayer, uint32_t soundPosition, uint32_t musicPosition);

// The looping "volume_slider" sound plays while the sound slider is dragged
// and stops when it is let go.
void UpdateSliderSound(GameFramework::SoundPlayer* soundPlayer, bool dragging);

} // namespace ActionPuzzle
