#include "tools/synth/Signal.h"

#include <algorithm>
#include <cmath>

namespace Tools::Synth {

double NoteFrequency(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

double DecibelsToGain(double decibels) {
    return std::pow(10.0, decibels / 20.0);
}

size_t SecondsToFrames(double seconds, uint32_t rate) {
    return static_cast<size_t>(std::llround(std::max(0.0, seconds) * rate));
}

void MixInto(Buffer& target, const Buffer& source, long start, float gain, bool wrap) {
    const long length = static_cast<long>(target.size());
    if (length == 0) {
        return;
    }
    // Walks the source in runs that land on contiguous target samples.
    size_t from = 0;
    long at = start;
    if (wrap) {
        at %= length;
        if (at < 0) {
            at += length;
        }
    } else if (at < 0) {
        from = static_cast<size_t>(-at);
        at = 0;
    }
    while (from < source.size() && at < length) {
        const size_t run = std::min(source.size() - from, static_cast<size_t>(length - at));
        float* out = target.data() + at;
        const float* in = source.data() + from;
        for (size_t i = 0; i < run; ++i) {
            out[i] += in[i] * gain;
        }
        from += run;
        at = wrap ? 0 : length;
    }
}

void MixPanned(Stereo& target, const Buffer& source, long start, float gain, float pan, bool wrap) {
    const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * Pi / 4.0;
    MixInto(target.left, source, start, gain * static_cast<float>(std::cos(angle)), wrap);
    MixInto(target.right, source, start, gain * static_cast<float>(std::sin(angle)), wrap);
}

void FadeEdges(Buffer& signal, uint32_t rate, double fadeIn, double fadeOut) {
    const size_t n = signal.size();
    const size_t in = std::min(n, SecondsToFrames(fadeIn, rate));
    const size_t out = std::min(n, SecondsToFrames(fadeOut, rate));
    // Sample i of an n-sample ramp gets the weight of position i / n, so the
    // first sample of a fade-in and the last of a fade-out are exactly 0.
    for (size_t i = 0; i < in; ++i) {
        const double w = 0.5 - 0.5 * std::cos(Pi * static_cast<double>(i) / static_cast<double>(in));
        signal[i] *= static_cast<float>(w);
    }
    for (size_t i = 0; i < out; ++i) {
        const double w = 0.5 - 0.5 * std::cos(Pi * static_cast<double>(i) / static_cast<double>(out));
        signal[n - 1 - i] *= static_cast<float>(w);
    }
}

float PeakLevel(const Buffer& signal) {
    float peak = 0.0f;
    for (const float s : signal) {
        peak = std::max(peak, std::fabs(s));
    }
    return peak;
}

void Scale(Buffer& signal, float gain) {
    for (float& s : signal) {
        s *= gain;
    }
}

} // namespace Tools::Synth
