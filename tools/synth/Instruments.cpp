#include "tools/synth/Instruments.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/Envelope.h"
#include "tools/synth/Filters.h"
#include "tools/synth/Noise.h"
#include "tools/synth/Voices.h"

namespace Tools::Synth {

Buffer Marimba(uint32_t rate, double frequency, double, float velocity, uint32_t) {
    // Low bars ring longer than high ones.
    const double ring = std::clamp(0.9 * std::sqrt(440.0 / frequency), 0.3, 1.8);
    const double v = velocity;
    Buffer out = StruckModes(rate, frequency,
                             {{1.0, 1.0, ring}, {3.98, 0.32 * v, 0.16}, {9.15, 0.10 * v * v, 0.05}},
                             0.0015, 2.5);
    Scale(out, velocity);
    return out;
}

Buffer Kalimba(uint32_t rate, double frequency, double, float velocity, uint32_t) {
    const double ring = std::clamp(1.5 * std::pow(440.0 / frequency, 0.3), 0.6, 2.2);
    const double v = velocity;
    Buffer out = StruckModes(rate, frequency,
                             {{1.0, 1.0, ring}, {2.0, 0.06, ring * 0.5}, {6.24, 0.2 * v, 0.1}, {15.8, 0.06 * v, 0.03}},
                             0.0008, 3.0);
    Scale(out, velocity);
    return out;
}

Buffer Pad(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed) {
    const Envelope envelope{0.7, 0.0, 1.0, 1.4};
    const size_t frames = SecondsToFrames(envelope.Length(seconds), rate);
    Noise noise(seed);
    Buffer out = Saw(rate, frames, frequency * std::pow(2.0, -9.0 / 1200.0), noise.Uniform());
    for (const double cents : {0.0, 7.0}) {
        MixInto(out, Saw(rate, frames, frequency * std::pow(2.0, cents / 1200.0), noise.Uniform()), 0, 1.0f, false);
    }
    Biquad lowPass = Biquad::LowPass(rate, 700.0 + 500.0 * velocity, 0.6);
    Biquad smooth = Biquad::LowPass(rate, 2400.0, 0.5);
    // The envelope is flat between the swell and the release.
    const size_t swell = SecondsToFrames(envelope.attack, rate);
    const size_t held = SecondsToFrames(seconds, rate);
    const float gain = velocity / 3.0f;
    for (size_t n = 0; n < frames; ++n) {
        const double level = n >= swell && n < held ? 1.0 : envelope.Level(static_cast<double>(n) / rate, seconds);
        out[n] = smooth.Process(lowPass.Process(out[n])) * static_cast<float>(level) * gain;
    }
    return out;
}

Buffer PluckedBass(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed) {
    const Envelope envelope{0.004, 0.0, 1.0, 0.09};
    const double length = envelope.Length(seconds);
    Buffer out = PluckedString(rate, frequency, length, 1.4, 0.25, seed);
    Buffer sub(out.size(), 0.0f);
    AddPartial(sub, rate, frequency, 0.35, 0.0, [](double t) { return std::exp(-t / 0.5); });
    MixInto(out, sub, 0, 1.0f, false);
    Biquad lowPass = Biquad::LowPass(rate, 1100.0, 0.7);
    for (size_t n = 0; n < out.size(); ++n) {
        const double level = envelope.Level(static_cast<double>(n) / rate, seconds);
        out[n] = lowPass.Process(out[n]) * static_cast<float>(level * velocity);
    }
    return out;
}

Buffer SoftKick(uint32_t rate, double, double, float velocity, uint32_t) {
    Buffer out = FmTone(
        rate, SecondsToFrames(0.35, rate), [](double t) { return 50.0 + 75.0 * std::exp(-t / 0.025); }, 1.0,
        [](double) { return 0.0; }, [](double t) { return std::exp(-t / 0.09); });
    FadeEdges(out, rate, 0.001, 0.05);
    Scale(out, velocity);
    return out;
}

Buffer Shaker(uint32_t rate, double, double, float velocity, uint32_t seed) {
    Noise noise(seed);
    Biquad band = Biquad::BandPass(rate, 6800.0, 1.1);
    Biquad high = Biquad::HighPass(rate, 3000.0, 0.7);
    const Envelope envelope{0.008, 0.035, 0.0, 0.0};
    Buffer out(SecondsToFrames(0.14, rate));
    for (size_t n = 0; n < out.size(); ++n) {
        const double level = envelope.Level(static_cast<double>(n) / rate, 1.0);
        out[n] = high.Process(band.Process(noise.White())) * static_cast<float>(level * velocity);
    }
    FadeEdges(out, rate, 0.0, 0.02);
    return out;
}

Buffer WoodClick(uint32_t rate, double frequency, double, float velocity, uint32_t) {
    Buffer out = StruckModes(rate, frequency, {{1.0, 1.0, 0.05}, {2.57, 0.5, 0.03}, {4.9, 0.2, 0.015}}, 0.0004, 0.1);
    Scale(out, velocity);
    return out;
}

Buffer FmBell(uint32_t rate, double frequency, double decay, float velocity) {
    const size_t frames = SecondsToFrames(decay * 1.2, rate);
    Buffer out = FmTone(
        rate, frames, [frequency](double) { return frequency; }, 3.5,
        [decay, velocity](double t) { return (0.6 + 1.6 * velocity) * std::exp(-t / (decay * 0.18)); },
        [decay](double t) { return std::exp(-t * 6.9 / decay); });
    FadeEdges(out, rate, 0.002, std::min(0.03, decay * 0.2));
    Scale(out, velocity);
    return out;
}

} // namespace Tools::Synth
