#pragma once
// The sound effects of the game, each a recipe over the synthesiser's
// voices: its file name below the audio folder, its length, whether the game
// loops it, and its peak level.
#include <cstdint>
#include <vector>

#include "tools/synth/Signal.h"

namespace Tools::Synth {

constexpr uint32_t EffectRate = 22050;

struct EffectRecipe {
    const char* name;  // "menu/button_click": folder and file name without extension
    double seconds;
    // A loop is whole periods of everything in it and is not faded, so that
    // it repeats without a seam; a one-shot starts and ends at silence.
    bool loop;
    double peakDecibels;  // the loudest sample, below full scale
    Buffer (*render)(uint32_t rate, size_t frames);
};

const std::vector<EffectRecipe>& EffectRecipes();

// The effect at its exact length, one-shots with their edges faded; not yet
// levelled.
Buffer RenderEffect(const EffectRecipe& recipe, uint32_t rate);

} // namespace Tools::Synth
