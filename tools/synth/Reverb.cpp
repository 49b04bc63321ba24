#include "tools/synth/Reverb.h"

#include <algorithm>
#include <cmath>

namespace Tools::Synth {

namespace {

// Delays in samples at 44100 Hz, mutually prime so the echoes do not pile up.
const int CombDelays[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
const int AllPassDelays[] = {556, 441, 341, 225};
const int StereoSpread = 23;

size_t Scaled(int delay, uint32_t rate) {
    return std::max<size_t>(1, static_cast<size_t>(std::lround(delay * static_cast<double>(rate) / 44100.0)));
}

} // namespace

Reverb::Reverb(uint32_t rate, double size, double damping)
    : rate(rate),
      feedback(static_cast<float>(0.7 + 0.28 * std::clamp(size, 0.0, 1.0))),
      damping(static_cast<float>(0.4 * std::clamp(damping, 0.0, 1.0))) {
    for (int c = 0; c < 2; ++c) {
        Channel& channel = c == 0 ? left : right;
        const int spread = c == 0 ? 0 : StereoSpread;
        for (const int d : CombDelays) {
            channel.combs.push_back({std::vector<float>(Scaled(d + spread, rate), 0.0f)});
        }
        for (const int d : AllPassDelays) {
            channel.allPasses.push_back({std::vector<float>(Scaled(d + spread, rate), 0.0f)});
        }
    }
}

float Reverb::Run(Channel& channel, float input) {
    // The input is scaled down because the eight combs add up.
    const float x = input * 0.03f;
    float sum = 0.0f;
    for (Comb& comb : channel.combs) {
        const float out = comb.line[comb.at];
        comb.store = out * (1.0f - damping) + comb.store * damping;
        comb.line[comb.at] = x + comb.store * feedback;
        comb.at = comb.at + 1 == comb.line.size() ? 0 : comb.at + 1;
        sum += out;
    }
    for (AllPass& pass : channel.allPasses) {
        const float delayed = pass.line[pass.at];
        const float out = delayed - sum;
        pass.line[pass.at] = sum + delayed * 0.5f;
        pass.at = pass.at + 1 == pass.line.size() ? 0 : pass.at + 1;
        sum = out;
    }
    return sum;
}

void Reverb::Process(float inLeft, float inRight, float& outLeft, float& outRight) {
    outLeft = Run(left, inLeft);
    outRight = Run(right, inRight);
}

Buffer Reverb::Wet(const Buffer& input) {
    Buffer out(input.size());
    for (size_t i = 0; i < input.size(); ++i) {
        float l = 0.0f;
        float r = 0.0f;
        Process(input[i], input[i], l, r);
        out[i] = 0.5f * (l + r);
    }
    return out;
}

Stereo Reverb::WetLoop(const Stereo& input, double primeSeconds) {
    const size_t frames = input.Frames();
    Stereo out(frames);
    if (frames == 0) {
        return out;
    }
    const size_t prime = SecondsToFrames(primeSeconds, rate);
    float l = 0.0f;
    float r = 0.0f;
    for (size_t k = 0; k < prime; ++k) {
        // Walks the loop backwards from its end, modulo its length.
        const size_t i = (frames - (prime - k) % frames) % frames;
        Process(input.left[i], input.right[i], l, r);
    }
    for (size_t i = 0; i < frames; ++i) {
        Process(input.left[i], input.right[i], out.left[i], out.right[i]);
    }
    return out;
}

} // namespace Tools::Synth
