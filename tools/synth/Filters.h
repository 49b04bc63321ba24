#pragma once
// The synthesiser's filters: fixed biquads, a state-variable filter whose
// cutoff may move every sample (sweeps), and a one-pole smoother.
#include <cstdint>

namespace Tools::Synth {

// Second-order section with the usual equalizer-cookbook designs. Q near
// 0.707 is flat; higher Q rings.
class Biquad {
public:
    static Biquad LowPass(double rate, double cutoff, double q);
    static Biquad HighPass(double rate, double cutoff, double q);
    // 0 dB at the centre frequency.
    static Biquad BandPass(double rate, double centre, double q);

    float Process(float x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return static_cast<float>(y);
    }

private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
};

// Trapezoidal state-variable filter: stays stable and smooth while the
// cutoff changes from one sample to the next.
class SweepFilter {
public:
    struct Outputs {
        float low;
        float band;
        float high;
    };

    explicit SweepFilter(double rate) : rate(rate) {}
    // cutoff in Hz (kept below the Nyquist frequency), q > 0.
    Outputs Process(float x, double cutoff, double q);

private:
    double rate;
    double s1 = 0;
    double s2 = 0;
};

class OnePole {
public:
    OnePole(double rate, double cutoff);
    float Low(float x) {
        state += coefficient * (x - state);
        return static_cast<float>(state);
    }
    float High(float x) { return x - Low(x); }

private:
    double coefficient;
    double state = 0;
};

} // namespace Tools::Synth
