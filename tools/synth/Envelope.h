#pragma once
// Attack, decay, sustain, release, as a level of time: a note held for gate
// seconds rises along a quarter sine, falls exponentially towards the
// sustain level, and after the gate falls to exactly zero in release seconds.

namespace Tools::Synth {

struct Envelope {
    double attack = 0.003;
    // Time constant of the fall towards sustain; 0 holds the peak.
    double decay = 0.0;
    double sustain = 1.0;
    double release = 0.05;

    double Level(double time, double gate) const;
    // Seconds until the level reaches zero after a gate of that length.
    double Length(double gate) const { return gate + release; }
};

} // namespace Tools::Synth
