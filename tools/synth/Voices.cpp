#include "tools/synth/Voices.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/Filters.h"
#include "tools/synth/Noise.h"

namespace Tools::Synth {

Buffer StruckModes(uint32_t rate, double frequency, const std::vector<Mode>& modes, double attack,
                   double maxSeconds) {
    double longest = 0.0;
    for (const Mode& m : modes) {
        if (m.ratio * frequency < rate * 0.45) {
            longest = std::max(longest, m.decay);
        }
    }
    const double seconds = std::min(maxSeconds, longest * 80.0 / 60.0);
    Buffer out(SecondsToFrames(seconds, rate), 0.0f);
    for (const Mode& m : modes) {
        const double f = m.ratio * frequency;
        if (f >= rate * 0.45 || m.decay <= 0.0) {
            continue;
        }
        // A damped sine by its two-term recurrence: y[n] = 2r·cos(w)·y[n-1] - r²·y[n-2].
        const double w = TwoPi * f / rate;
        const double r = std::pow(10.0, -3.0 / (m.decay * rate));
        const double c = 2.0 * r * std::cos(w);
        const double r2 = r * r;
        const size_t frames = std::min(out.size(), SecondsToFrames(m.decay * 80.0 / 60.0, rate));
        double y2 = 0.0;
        double y1 = m.gain * r * std::sin(w);
        if (frames > 1) {
            out[1] += static_cast<float>(y1);
        }
        for (size_t n = 2; n < frames; ++n) {
            const double y = c * y1 - r2 * y2;
            out[n] += static_cast<float>(y);
            y2 = y1;
            y1 = y;
        }
    }
    const size_t attackFrames = std::min(out.size(), SecondsToFrames(attack, rate));
    for (size_t n = 0; n < attackFrames; ++n) {
        const double s = std::sin(0.5 * Pi * static_cast<double>(n) / static_cast<double>(attackFrames));
        out[n] *= static_cast<float>(s * s);
    }
    FadeEdges(out, rate, 0.0, std::min(0.01, seconds / 4.0));
    return out;
}

Buffer PluckedString(uint32_t rate, double frequency, double seconds, double decay, double brightness,
                     uint32_t seed) {
    Buffer out(SecondsToFrames(seconds, rate), 0.0f);
    const double period = rate / frequency;
    brightness = std::clamp(brightness, 0.0, 1.0);
    // The loop filter mixes the delayed sample with the one before it: s = 0.5
    // is the classic two-point average, smaller keeps more overtones. It
    // delays by s samples, which the read position makes up for.
    const double s = 0.5 - 0.45 * brightness;
    const double readDelay = period - s;
    const double loopGain = std::pow(10.0, -3.0 / (frequency * decay));

    // The burst: one period of noise, coloured and without DC.
    Noise noise(seed);
    OnePole colour(rate, 300.0 + 9000.0 * brightness * brightness);
    const size_t burst = std::min(out.size(), static_cast<size_t>(std::ceil(period)));
    Buffer excitation(burst);
    double mean = 0.0;
    for (float& e : excitation) {
        e = colour.Low(noise.White());
        mean += e;
    }
    mean /= std::max<size_t>(1, burst);
    for (float& e : excitation) {
        e -= static_cast<float>(mean);
    }

    auto read = [&](double position) -> double {
        if (position < 0.0) {
            return 0.0;
        }
        const size_t i = static_cast<size_t>(position);
        const double frac = position - static_cast<double>(i);
        const double a = out[i];
        const double b = i + 1 < out.size() ? out[i + 1] : 0.0;
        return a + (b - a) * frac;
    };
    for (size_t n = 0; n < out.size(); ++n) {
        const double p = static_cast<double>(n) - readDelay;
        const double fed = (1.0 - s) * read(p) + s * read(p - 1.0);
        out[n] = static_cast<float>((n < burst ? excitation[n] : 0.0) + loopGain * fed);
    }
    return out;
}

Buffer FmTone(uint32_t rate, size_t frames, const Curve& frequency, double ratio, const Curve& index,
              const Curve& amplitude) {
    Buffer out(frames, 0.0f);
    double carrier = 0.0;
    double modulator = 0.0;
    for (size_t n = 0; n < frames; ++n) {
        const double t = static_cast<double>(n) / rate;
        out[n] = static_cast<float>(std::sin(carrier + index(t) * std::sin(modulator)) * amplitude(t));
        const double step = TwoPi * frequency(t) / rate;
        carrier = std::fmod(carrier + step, TwoPi);
        modulator = std::fmod(modulator + ratio * step, TwoPi);
    }
    return out;
}

Buffer Saw(uint32_t rate, size_t frames, double frequency, double phase) {
    Buffer out(frames, 0.0f);
    const double step = frequency / rate;
    auto blep = [step](double t) {
        if (t < step) {
            t /= step;
            return t + t - t * t - 1.0;
        }
        if (t > 1.0 - step) {
            t = (t - 1.0) / step;
            return t * t + t + t + 1.0;
        }
        return 0.0;
    };
    phase -= std::floor(phase);
    for (size_t n = 0; n < frames; ++n) {
        out[n] = static_cast<float>(2.0 * phase - 1.0 - blep(phase));
        phase += step;
        if (phase >= 1.0) {
            phase -= 1.0;
        }
    }
    return out;
}

void AddPartial(Buffer& target, uint32_t rate, double frequency, double amplitude, double phase,
                const Curve& shape) {
    // The phase is taken from the frame number each time, so that a long
    // loop carries no rounding drift into its last period.
    for (size_t n = 0; n < target.size(); ++n) {
        const double t = static_cast<double>(n) / rate;
        const double cycles = frequency * static_cast<double>(n) / rate;
        const double value = std::sin(TwoPi * (cycles - std::floor(cycles)) + phase) * amplitude;
        target[n] += static_cast<float>(shape ? value * shape(t) : value);
    }
}

} // namespace Tools::Synth
