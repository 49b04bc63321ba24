#pragma once
// The three looping tunes: the menu's and the two that alternate in the
// levels, each in its own key and tempo.
#include <cstdint>
#include <vector>

#include "tools/synth/Sequencer.h"

namespace Tools::Synth {

constexpr uint32_t MusicRate = 44100;

struct MusicRecipe {
    const char* name;  // "music/menu"
    double peakDecibels;
    Song (*compose)();
};

const std::vector<MusicRecipe>& MusicRecipes();

} // namespace Tools::Synth
