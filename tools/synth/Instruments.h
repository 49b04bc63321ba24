#pragma once
// The instruments of the tunes and of the effects that play notes: each
// renders one note (frequency in Hz, held for seconds, velocity 0..1) into a
// mono buffer that starts at the note's onset and rings out to zero.
#include <cstdint>

#include "tools/synth/Signal.h"

namespace Tools::Synth {

// Tuned wooden bar: a strong fundamental, its two-octave overtone and a
// faint tenth partial; felt mallet.
Buffer Marimba(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed);
// Metal tine: long clear fundamental and quickly fading inharmonic partials.
Buffer Kalimba(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed);
// Three detuned saws through a soft low-pass, slow swell and release.
Buffer Pad(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed);
// Dull plucked string with a sine under it for weight.
Buffer PluckedBass(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed);
// Soft kick: a sine falling quickly in pitch. The frequency is ignored.
Buffer SoftKick(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed);
// Shaker: a short burst of high band-passed noise. The frequency is ignored.
Buffer Shaker(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed);
// Small wooden click for off-beats.
Buffer WoodClick(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed);
// FM bell: an inharmonic ratio whose brightness dies away faster than the
// tone, ringing for about decay seconds.
Buffer FmBell(uint32_t rate, double frequency, double decay, float velocity);

} // namespace Tools::Synth
