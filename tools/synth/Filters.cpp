#include "tools/synth/Filters.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/Signal.h"

namespace Tools::Synth {

namespace {

struct Design {
    double w;
    double cosw;
    double alpha;
};

Design Prepare(double rate, double frequency, double q) {
    Design d;
    d.w = TwoPi * std::clamp(frequency, 1.0, rate * 0.49) / rate;
    d.cosw = std::cos(d.w);
    d.alpha = std::sin(d.w) / (2.0 * q);
    return d;
}

} // namespace

Biquad Biquad::LowPass(double rate, double cutoff, double q) {
    const Design d = Prepare(rate, cutoff, q);
    const double a0 = 1.0 + d.alpha;
    Biquad f;
    f.b0 = (1.0 - d.cosw) / 2.0 / a0;
    f.b1 = (1.0 - d.cosw) / a0;
    f.b2 = f.b0;
    f.a1 = -2.0 * d.cosw / a0;
    f.a2 = (1.0 - d.alpha) / a0;
    return f;
}

Biquad Biquad::HighPass(double rate, double cutoff, double q) {
    const Design d = Prepare(rate, cutoff, q);
    const double a0 = 1.0 + d.alpha;
    Biquad f;
    f.b0 = (1.0 + d.cosw) / 2.0 / a0;
    f.b1 = -(1.0 + d.cosw) / a0;
    f.b2 = f.b0;
    f.a1 = -2.0 * d.cosw / a0;
    f.a2 = (1.0 - d.alpha) / a0;
    return f;
}

Biquad Biquad::BandPass(double rate, double centre, double q) {
    const Design d = Prepare(rate, centre, q);
    const double a0 = 1.0 + d.alpha;
    Biquad f;
    f.b0 = d.alpha / a0;
    f.b1 = 0.0;
    f.b2 = -d.alpha / a0;
    f.a1 = -2.0 * d.cosw / a0;
    f.a2 = (1.0 - d.alpha) / a0;
    return f;
}

SweepFilter::Outputs SweepFilter::Process(float x, double cutoff, double q) {
    const double g = std::tan(Pi * std::clamp(cutoff, 1.0, rate * 0.45) / rate);
    const double k = 1.0 / std::max(q, 0.05);
    const double high = (x - (k + g) * s1 - s2) / (1.0 + g * (g + k));
    const double band = g * high + s1;
    s1 = g * high + band;
    const double low = g * band + s2;
    s2 = g * band + low;
    return {static_cast<float>(low), static_cast<float>(band), static_cast<float>(high)};
}

OnePole::OnePole(double rate, double cutoff)
    : coefficient(1.0 - std::exp(-TwoPi * std::clamp(cutoff, 0.0, rate * 0.49) / rate)) {}

} // namespace Tools::Synth
