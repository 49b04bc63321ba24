#pragma once
// The sound sources: struck modes (bars, bells, tines, wood), plucked
// strings, two-operator FM, band-limited saws, and steady sine partials for
// loops. Each renders one mono buffer starting at frame 0.
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/synth/Signal.h"

namespace Tools::Synth {

// One vibration mode of a struck body.
struct Mode {
    double ratio;  // frequency over the fundamental
    double gain;
    double decay;  // seconds to fall by 60 dB
};

// The modes of a body struck at time 0, each a damped sine. attack softens
// the strike (a felt mallet) over that many seconds. The buffer lasts until
// every mode is 80 dB down, at most maxSeconds, and ends at zero. Modes
// above the Nyquist frequency are left out.
Buffer StruckModes(uint32_t rate, double frequency, const std::vector<Mode>& modes, double attack,
                   double maxSeconds);

// Karplus-Strong string: a burst of seeded noise circulating in a delay line
// one period long. decay is the 60 dB time of the fundamental; brightness
// from 0 (dull) to 1 (bright) sets both the burst's colour and the damping
// of the overtones. The buffer is seconds long and not faded.
Buffer PluckedString(uint32_t rate, double frequency, double seconds, double decay, double brightness,
                     uint32_t seed);

using Curve = std::function<double(double time)>;

// sin(carrier phase + index(t) · sin(ratio · carrier phase)) × amplitude(t),
// the carrier's frequency following frequency(t).
Buffer FmTone(uint32_t rate, size_t frames, const Curve& frequency, double ratio, const Curve& index,
              const Curve& amplitude);

// A sawtooth with its steps smoothed (polyBLEP) so that it does not alias
// audibly; starts at the given phase (0..1).
Buffer Saw(uint32_t rate, size_t frames, double frequency, double phase);

// Adds amplitude · sin(2π·frequency·t + phase) × shape(t) into target. For a
// loop of target.size() frames to repeat without a step, the frequency must
// make whole periods over it, and so must shape.
void AddPartial(Buffer& target, uint32_t rate, double frequency, double amplitude, double phase,
                const Curve& shape = nullptr);

} // namespace Tools::Synth
