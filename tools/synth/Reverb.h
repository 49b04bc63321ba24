#pragma once
// A small room: eight damped feedback combs in parallel and four all-passes
// in series per channel, the right channel's delays a little longer than the
// left's so that the tail spreads in stereo.
#include <cstdint>
#include <vector>

#include "tools/synth/Signal.h"

namespace Tools::Synth {

class Reverb {
public:
    // size from 0 (small) to 1 (long tail); damping from 0 (bright) to 1 (dark).
    Reverb(uint32_t rate, double size, double damping);

    // The wet signal of the input; the dry signal is not included.
    void Process(float inLeft, float inRight, float& outLeft, float& outRight);

    // The wet signal of a mono one-shot, tail cut at the end of the buffer.
    Buffer Wet(const Buffer& input);
    // The wet signal of a loop, as it sounds while the loop repeats: the
    // room is first filled with the loop's last seconds, so that the tail of
    // the end already sounds at the start.
    Stereo WetLoop(const Stereo& input, double primeSeconds);

private:
    struct Comb {
        std::vector<float> line;
        size_t at = 0;
        float store = 0.0f;
    };
    struct AllPass {
        std::vector<float> line;
        size_t at = 0;
    };
    struct Channel {
        std::vector<Comb> combs;
        std::vector<AllPass> allPasses;
    };

    float Run(Channel& channel, float input);

    uint32_t rate;
    float feedback;
    float damping;
    Channel left;
    Channel right;
};

} // namespace Tools::Synth
