#include "tools/synth/Envelope.h"

#include <cmath>

#include "tools/synth/Signal.h"

namespace Tools::Synth {

namespace {

double Held(const Envelope& e, double time) {
    if (time < e.attack) {
        const double s = std::sin(0.5 * Pi * time / e.attack);
        return s * s;
    }
    if (e.decay <= 0.0) {
        return 1.0;
    }
    return e.sustain + (1.0 - e.sustain) * std::exp(-(time - e.attack) / e.decay);
}

} // namespace

double Envelope::Level(double time, double gate) const {
    if (time <= 0.0) {
        return 0.0;
    }
    if (time < gate) {
        return Held(*this, time);
    }
    if (release <= 0.0) {
        return 0.0;
    }
    const double u = (time - gate) / release;
    if (u >= 1.0) {
        return 0.0;
    }
    // A cubic fall sounds close to exponential and still lands on zero.
    const double rest = 1.0 - u;
    return Held(*this, gate) * rest * rest * rest;
}

} // namespace Tools::Synth
