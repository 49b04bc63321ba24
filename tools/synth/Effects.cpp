#include "tools/synth/Effects.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/Envelope.h"
#include "tools/synth/Filters.h"
#include "tools/synth/Instruments.h"
#include "tools/synth/Noise.h"
#include "tools/synth/Reverb.h"
#include "tools/synth/Voices.h"

namespace Tools::Synth {

namespace {

enum class Band { Low, Pass, High };

double Seconds(size_t n, uint32_t rate) {
    return static_cast<double>(n) / rate;
}

void Place(Buffer& out, const Buffer& voice, double at, float gain, uint32_t rate, bool wrap = false) {
    MixInto(out, voice, std::lround(at * rate), gain, wrap);
}

float Pick(const SweepFilter::Outputs& o, Band band) {
    return band == Band::Low ? o.low : band == Band::Pass ? o.band : o.high;
}

// White noise through a moving filter, scaled by level(t).
Buffer SweptNoise(uint32_t rate, size_t frames, uint32_t seed, const Curve& cutoff, double q, const Curve& level,
                  Band band) {
    Noise noise(seed);
    SweepFilter filter(rate);
    Buffer out(frames);
    for (size_t n = 0; n < frames; ++n) {
        const double t = Seconds(n, rate);
        out[n] = Pick(filter.Process(noise.White(), cutoff(t), q), band) * static_cast<float>(level(t));
    }
    return out;
}

// The same for a loop: cutoff and level repeat over the buffer, and the
// filter runs over the noise twice, keeping the second pass, so that its
// state at the start is the state the end leaves behind.
Buffer LoopedNoise(uint32_t rate, size_t frames, uint32_t seed, const Curve& cutoff, double q, const Curve& level,
                   Band band) {
    Noise noise(seed);
    Buffer white(frames);
    for (float& w : white) {
        w = noise.White();
    }
    SweepFilter filter(rate);
    Buffer out(frames);
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t n = 0; n < frames; ++n) {
            const double t = Seconds(n, rate);
            out[n] = Pick(filter.Process(white[n], cutoff(t), q), band) * static_cast<float>(level(t));
        }
    }
    return out;
}

// A fixed filter run round a loop the same way.
template <typename Filter>
void FilterLoop(Buffer& loop, Filter& filter) {
    Buffer out(loop.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t n = 0; n < loop.size(); ++n) {
            out[n] = filter.Process(loop[n]);
        }
    }
    loop = out;
}

// A short burst of coloured noise: the click of a strike.
Buffer NoiseTick(uint32_t rate, uint32_t seed, double centre, double q, double decay) {
    const size_t frames = SecondsToFrames(decay * 7.0, rate);
    Noise noise(seed);
    Biquad band = Biquad::BandPass(rate, centre, q);
    Buffer out(frames);
    for (size_t n = 0; n < frames; ++n) {
        out[n] = band.Process(noise.White()) * static_cast<float>(std::exp(-Seconds(n, rate) / decay));
    }
    FadeEdges(out, rate, 0.0003, 0.002);
    return out;
}

double Smooth(double u) {
    u = std::clamp(u, 0.0, 1.0);
    return u * u * (3.0 - 2.0 * u);
}

void AddReverb(Buffer& out, uint32_t rate, double size, double damping, float wet) {
    Reverb reverb(rate, size, damping);
    const Buffer tail = reverb.Wet(out);
    MixInto(out, tail, 0, wet, false);
}

// Pentatonic degrees of C from C5 up.
double Pentatonic(int step) {
    static const int Degrees[] = {0, 2, 4, 7, 9};
    const int octave = step >= 0 ? step / 5 : (step - 4) / 5;
    return NoteFrequency(72 + 12 * octave + Degrees[step - 5 * octave]);
}

// --- interface ---

const std::vector<Mode> WoodBar = {{1.0, 1.0, 0.035}, {2.76, 0.45, 0.02}, {5.40, 0.18, 0.01}};

Buffer ButtonSelect(uint32_t rate, size_t frames, double frequency, uint32_t seed) {
    Buffer out(frames, 0.0f);
    Place(out, StruckModes(rate, frequency, WoodBar, 0.002, 1.0), 0.0, 1.0f, rate);
    Place(out, NoiseTick(rate, seed, 3000.0, 1.2, 0.0015), 0.0, 0.25f, rate);
    return out;
}

Buffer ButtonSelect0(uint32_t rate, size_t frames) {
    return ButtonSelect(rate, frames, NoteFrequency(84), 11);  // C6
}

Buffer ButtonSelect1(uint32_t rate, size_t frames) {
    return ButtonSelect(rate, frames, NoteFrequency(84) * 1.5, 12);  // a fifth higher
}

Buffer ButtonClick(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    Place(out,
          StruckModes(rate, 620.0, {{1.0, 1.0, 0.06}, {2.76, 0.5, 0.03}, {5.4, 0.3, 0.015}, {8.93, 0.15, 0.008}},
                      0.0006, 1.0),
          0.0, 1.0f, rate);
    Place(out, StruckModes(rate, 190.0, {{1.0, 1.0, 0.04}}, 0.001, 1.0), 0.0, 0.35f, rate);
    Place(out, NoiseTick(rate, 13, 2500.0, 1.5, 0.002), 0.0, 0.6f, rate);
    return out;
}

Buffer EditBoxPrint(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    Place(out, NoiseTick(rate, 14, 3800.0, 2.5, 0.003), 0.0, 1.0f, rate);
    Place(out, StruckModes(rate, 2900.0, {{1.0, 1.0, 0.02}, {1.73, 0.5, 0.012}}, 0.0005, 1.0), 0.0005, 0.3f, rate);
    Place(out, StruckModes(rate, 420.0, {{1.0, 1.0, 0.02}}, 0.001, 1.0), 0.0, 0.15f, rate);
    return out;
}

Buffer VolumeSlider(uint32_t rate, size_t frames) {
    // Whole-hertz partials over one second, a beating pair and a gentle
    // four-per-second tremolo.
    Buffer out(frames, 0.0f);
    const Curve tremolo = [](double t) { return 0.85 + 0.15 * std::cos(TwoPi * 4.0 * t); };
    AddPartial(out, rate, 880.0, 1.0, 0.0, tremolo);
    AddPartial(out, rate, 881.0, 0.45, 1.3, tremolo);
    AddPartial(out, rate, 1760.0, 0.22, 0.4, tremolo);
    AddPartial(out, rate, 2425.0, 0.14, 2.1, [](double t) { return 0.6 + 0.4 * std::cos(TwoPi * 2.0 * t); });
    AddPartial(out, rate, 4750.0, 0.05, 0.9, [](double t) { return 0.5 + 0.5 * std::cos(TwoPi * 3.0 * t + 1.0); });
    return out;
}

Buffer Upgrade(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    // Two octaves of the pentatonic scale going up, each bell a little louder.
    for (int i = 0; i <= 10; ++i) {
        const double at = 0.085 * i;
        const float velocity = static_cast<float>(0.55 + 0.04 * i);
        Place(out, FmBell(rate, Pentatonic(i), 1.3, velocity), at, 0.5f, rate);
        Place(out, Kalimba(rate, Pentatonic(i - 5), 0.3, velocity * 0.7f, 0), at, 0.35f, rate);
    }
    // A warm swell under it, C major.
    for (const double note : {48.0, 55.0, 64.0, 67.0, 72.0}) {
        Place(out, Pad(rate, NoteFrequency(note), 1.1, 0.8f, static_cast<uint32_t>(note)), 0.05, 0.22f, rate);
    }
    // Glittering dust on top.
    Noise dust(21);
    for (int i = 0; i < 26; ++i) {
        const double at = 0.1 + 1.6 * i / 26.0 + 0.03 * dust.Uniform();
        Place(out, StruckModes(rate, dust.Range(4000.0, 7500.0), {{1.0, 1.0, 0.15}, {1.5, 0.4, 0.08}}, 0.001, 0.3),
              at, 0.05f + 0.04f * dust.Uniform(), rate);
    }
    AddReverb(out, rate, 0.7, 0.3, 0.9f);
    FadeEdges(out, rate, 0.0, 0.5);
    return out;
}

Buffer Whoosh(uint32_t rate, size_t frames, double from, double to, double peakAt, uint32_t seed) {
    const double length = Seconds(frames, rate);
    const Curve cutoff = [=](double t) { return from * std::pow(to / from, t / length); };
    const Curve level = [=](double t) {
        const double u = t / length;
        const double rise = u < peakAt ? Smooth(u / peakAt) : 1.0 - Smooth((u - peakAt) / (1.0 - peakAt));
        return rise * rise;
    };
    Buffer out = SweptNoise(rate, frames, seed, cutoff, 1.4, level, Band::Pass);
    const Buffer air = SweptNoise(
        rate, frames, seed + 1, [=](double t) { return cutoff(t) * 1.9; }, 2.5, level, Band::Pass);
    MixInto(out, air, 0, 0.5f, false);
    return out;
}

Buffer WindowAppear(uint32_t rate, size_t frames) {
    return Whoosh(rate, frames, 350.0, 3500.0, 0.6, 31);
}

Buffer WindowDisappear(uint32_t rate, size_t frames) {
    return Whoosh(rate, frames, 3200.0, 320.0, 0.35, 32);
}

// Metallic pings spread evenly over a loop, their tails wrapping round.
Buffer TickLoop(uint32_t rate, size_t frames, const std::vector<double>& pitches, const std::vector<Mode>& modes,
                double attack) {
    Buffer out(frames, 0.0f);
    const size_t count = pitches.size();
    for (size_t k = 0; k < count; ++k) {
        const double at = Seconds(frames, rate) * static_cast<double>(k) / static_cast<double>(count);
        const float gain = k % 2 == 0 ? 1.0f : 0.8f;
        Place(out, StruckModes(rate, pitches[k], modes, attack, 0.3), at, gain, rate, true);
    }
    return out;
}

Buffer ChargeScore(uint32_t rate, size_t frames) {
    const double c = NoteFrequency(96);
    const double d = NoteFrequency(98);
    const double e = NoteFrequency(100);
    return TickLoop(rate, frames, {c, e, d, c, e, d, c, e, d},
                    {{1.0, 1.0, 0.05}, {2.92, 0.35, 0.03}, {5.1, 0.12, 0.015}}, 0.0008);
}

// --- level and pieces ---

// Brass-like FM note: the brightness follows the loudness.
Buffer BrassNote(uint32_t rate, double frequency, double gate, double vibrato) {
    const Envelope envelope{0.025, 0.2, 0.7, 0.18};
    const size_t frames = SecondsToFrames(envelope.Length(gate), rate);
    return FmTone(
        rate, frames,
        [=](double t) { return frequency * (1.0 + vibrato * Smooth(t / 0.3) * std::sin(TwoPi * 5.5 * t)); }, 1.0,
        [=](double t) { return 0.4 + 2.2 * envelope.Level(t, gate); },
        [=](double t) { return envelope.Level(t, gate); });
}

Buffer LevelBegin(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    Place(out, BrassNote(rate, NoteFrequency(67), 0.08, 0.0), 0.0, 0.5f, rate);   // G4
    Place(out, BrassNote(rate, NoteFrequency(72), 0.08, 0.0), 0.12, 0.5f, rate);  // C5
    for (const double note : {72.0, 76.0, 79.0}) {
        Place(out, BrassNote(rate, NoteFrequency(note), 0.45, 0.004), 0.25, 0.4f, rate);
    }
    // A soft drum under the chord.
    Place(out,
          StruckModes(rate, NoteFrequency(48), {{1.0, 1.0, 0.6}, {1.5, 0.5, 0.4}, {1.98, 0.3, 0.3}, {2.44, 0.2, 0.2}},
                      0.002, 1.0),
          0.25, 0.6f, rate);
    AddReverb(out, rate, 0.5, 0.4, 0.6f);
    return out;
}

Buffer LevelComplete(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    const double run[] = {72, 76, 79, 84, 88, 91};
    for (int i = 0; i < 6; ++i) {
        Place(out, Marimba(rate, NoteFrequency(run[i]), 0.2, 0.8f, 0), 0.045 * i, 0.5f, rate);
        Place(out, FmBell(rate, NoteFrequency(run[i]), 0.5, 0.4f), 0.045 * i, 0.25f, rate);
    }
    for (const double note : {72.0, 76.0, 79.0, 84.0}) {
        Place(out, Kalimba(rate, NoteFrequency(note), 1.0, 0.8f, 0), 0.3, 0.35f, rate);
    }
    for (const double note : {60.0, 64.0, 67.0}) {
        Place(out, Pad(rate, NoteFrequency(note), 0.7, 0.7f, static_cast<uint32_t>(note)), 0.25, 0.25f, rate);
    }
    AddReverb(out, rate, 0.6, 0.4, 0.8f);
    FadeEdges(out, rate, 0.0, 0.3);
    return out;
}

Buffer LevelFailed(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    // G4, F#4, F4, then a long E4 that sags and wobbles.
    const double notes[] = {67, 66, 65, 64};
    for (int i = 0; i < 4; ++i) {
        const bool last = i == 3;
        const double gate = last ? 0.42 : 0.24;
        const Envelope envelope{0.015, last ? 0.3 : 0.0, last ? 0.4 : 1.0, last ? 0.08 : 0.05};
        const double f = NoteFrequency(notes[i]);
        const Buffer tone = FmTone(
            rate, SecondsToFrames(envelope.Length(gate), rate),
            [=](double t) {
                if (!last) {
                    return f;
                }
                const double sag = std::pow(2.0, -0.8 * Smooth(t / 0.5) / 12.0);
                return f * sag * (1.0 + 0.012 * Smooth(t / 0.15) * std::sin(TwoPi * 5.0 * t));
            },
            2.0, [=](double t) { return 0.3 + 0.9 * envelope.Level(t, gate); },
            [=](double t) { return envelope.Level(t, gate); });
        Place(out, tone, 0.32 * i, 1.0f, rate);
    }
    Biquad soften = Biquad::LowPass(rate, 2200.0, 0.7);
    for (float& s : out) {
        s = soften.Process(s);
    }
    AddReverb(out, rate, 0.5, 0.5, 0.5f);
    FadeEdges(out, rate, 0.0, 0.1);
    return out;
}

Buffer ElementGet(uint32_t rate, size_t frames) {
    Buffer out = PluckedString(rate, NoteFrequency(74), Seconds(frames, rate), 0.5, 0.65, 41);  // D5
    Place(out, PluckedString(rate, NoteFrequency(86), Seconds(frames, rate), 0.3, 0.5, 42), 0.0, 0.25f, rate);
    FadeEdges(out, rate, 0.002, 0.05);
    return out;
}

Buffer ElementPut(uint32_t rate, size_t frames, int step) {
    Buffer out(frames, 0.0f);
    const double f = Pentatonic(step);
    const float velocity = 0.7f + 0.06f * static_cast<float>(step);
    Place(out, FmBell(rate, f, 0.45, velocity), 0.0, 0.6f, rate);
    Place(out, Kalimba(rate, f, 0.3, velocity, 0), 0.0, 0.6f, rate);
    Place(out, Kalimba(rate, 2.0 * f, 0.3, velocity * 0.5f, 0), 0.0, 0.2f, rate);
    FadeEdges(out, rate, 0.0, 0.06);
    return out;
}

Buffer ElementPut0(uint32_t rate, size_t frames) {
    return ElementPut(rate, frames, 0);
}
Buffer ElementPut1(uint32_t rate, size_t frames) {
    return ElementPut(rate, frames, 1);
}
Buffer ElementPut2(uint32_t rate, size_t frames) {
    return ElementPut(rate, frames, 2);
}
Buffer ElementPut3(uint32_t rate, size_t frames) {
    return ElementPut(rate, frames, 3);
}
Buffer ElementPut4(uint32_t rate, size_t frames) {
    return ElementPut(rate, frames, 4);
}

Buffer ElementPutBad(uint32_t rate, size_t frames) {
    Buffer out = FmTone(
        rate, frames, [](double t) { return 65.0 + 95.0 * std::exp(-t / 0.03); }, 1.0, [](double) { return 0.3; },
        [](double t) { return std::exp(-t / 0.05); });
    Place(out, SweptNoise(
                   rate, frames, 51, [](double) { return 450.0; }, 0.7,
                   [](double t) { return std::exp(-t / 0.015); }, Band::Low),
          0.0, 0.8f, rate);
    Place(out, StruckModes(rate, 240.0, {{1.0, 1.0, 0.06}, {2.3, 0.3, 0.03}}, 0.001, 0.2), 0.0, 0.25f, rate);
    return out;
}

Buffer ElementCancel(uint32_t rate, size_t frames) {
    // A pluck played backwards: it swells into the strike and stops.
    Buffer out = PluckedString(rate, NoteFrequency(69), Seconds(frames, rate), 0.45, 0.55, 61);  // A4
    FadeEdges(out, rate, 0.0, 0.03);
    std::reverse(out.begin(), out.end());
    FadeEdges(out, rate, 0.0, 0.025);
    return out;
}

// --- bonuses ---

Buffer BonusTip(uint32_t rate, size_t frames) {
    // High pentatonic partials, each twinkling at its own whole number of
    // times per second, over a breath of high noise.
    Buffer out(frames, 0.0f);
    const double partials[] = {1568, 2093, 2349, 2637, 3136, 3520, 4186};
    Noise noise(71);
    for (size_t i = 0; i < std::size(partials); ++i) {
        const double rateHz = 2.0 + static_cast<double>(i % 5);
        const double offset = TwoPi * noise.Uniform();
        AddPartial(out, rate, partials[i], 0.35 / (1.0 + 0.15 * i), TwoPi * noise.Uniform(), [=](double t) {
            const double a = 0.5 - 0.5 * std::cos(TwoPi * rateHz * t + offset);
            return a * a;
        });
    }
    const Buffer air = LoopedNoise(
        rate, frames, 72, [](double) { return 7000.0; }, 1.2,
        [](double t) { return 0.5 + 0.5 * std::cos(TwoPi * 3.0 * t); }, Band::Pass);
    MixInto(out, air, 0, 0.12f, false);
    return out;
}

Buffer BonusMagnet(uint32_t rate, size_t frames) {
    // Two buzzing tones of 100 and 101 Hz beating once a second; their
    // brightness swells twice a second. A few sparks crackle over it.
    Buffer out(frames, 0.0f);
    Noise noise(81);
    for (const double base : {100.0, 101.0}) {
        const int count = base == 100.0 ? 36 : 18;
        for (int k = 1; k <= count; ++k) {
            const double weight = (k % 2 == 1 ? 1.0 : 0.55) / std::pow(k, 1.1);
            const double tilt = static_cast<double>(k) / count;
            AddPartial(out, rate, base * k, weight * (base == 100.0 ? 1.0 : 0.6), TwoPi * noise.Uniform(),
                       [=](double t) { return 0.75 + 0.25 * tilt * std::sin(TwoPi * 2.0 * t); });
        }
    }
    Buffer sparks(frames, 0.0f);
    for (int i = 0; i < 14; ++i) {
        const long at = static_cast<long>(noise.Uniform() * frames);
        MixInto(sparks, NoiseTick(rate, 82 + i, 4500.0, 2.0, 0.002), at, noise.Range(0.3f, 1.0f), true);
    }
    MixInto(out, sparks, 0, 0.35f, false);
    Biquad soften = Biquad::LowPass(rate, 3500.0, 0.6);
    FilterLoop(out, soften);
    return out;
}

Buffer BonusTipApply(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    Noise noise(91);
    for (int i = 0; i < 10; ++i) {
        const int step = 5 + i / 2 + static_cast<int>(noise.Uniform() * 3.0f);
        Place(out, FmBell(rate, Pentatonic(step), 0.3, 0.6f), 0.035 * i + 0.01 * noise.Uniform(),
              0.4f + 0.03f * static_cast<float>(i), rate);
    }
    Place(out, SweptNoise(
                   rate, frames, 92, [](double t) { return 5000.0 + 3000.0 * t; }, 1.5,
                   [](double t) { return Smooth(t / 0.05) * std::exp(-t / 0.15); }, Band::Pass),
          0.0, 0.25f, rate);
    AddReverb(out, rate, 0.5, 0.3, 0.5f);
    FadeEdges(out, rate, 0.0, 0.1);
    return out;
}

Buffer BonusMagnetApply(uint32_t rate, size_t frames) {
    Buffer out = FmTone(
        rate, SecondsToFrames(0.25, rate), [](double t) { return 180.0 + 1400.0 * std::exp(-t / 0.05); }, 1.41,
        [](double t) { return 0.6 + 3.0 * std::exp(-t / 0.08); }, [](double t) { return std::exp(-t / 0.08); });
    FadeEdges(out, rate, 0.002, 0.02);
    out.resize(frames, 0.0f);
    const std::vector<Mode> plate = {{1.0, 1.0, 0.55}, {1.59, 0.6, 0.45}, {2.14, 0.5, 0.4},
                                     {2.65, 0.4, 0.3}, {3.16, 0.3, 0.25}, {3.65, 0.2, 0.2}};
    Place(out, StruckModes(rate, 620.0, plate, 0.001, 1.0), 0.03, 0.35f, rate);
    Place(out, NoiseTick(rate, 101, 5000.0, 1.0, 0.004), 0.0, 0.3f, rate);
    FadeEdges(out, rate, 0.0, 0.1);
    return out;
}

Buffer BonusPauseApply(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    Place(out, WoodClick(rate, 2200.0, 0.0, 1.0f, 0), 0.0, 0.7f, rate);
    Place(out, WoodClick(rate, 1500.0, 0.0, 1.0f, 0), 0.17, 0.7f, rate);
    // The tone slows down two octaves, as time does.
    const double length = 0.38;
    const Buffer drop = FmTone(
        rate, SecondsToFrames(length, rate), [=](double t) { return 880.0 * std::pow(2.0, -2.0 * Smooth(t / length)); },
        1.0, [](double) { return 0.9; },
        [=](double t) { return Smooth(t / 0.01) * (1.0 - Smooth((t - 0.1) / (length - 0.1))); });
    Place(out, drop, 0.3, 0.6f, rate);
    AddReverb(out, rate, 0.4, 0.4, 0.4f);
    FadeEdges(out, rate, 0.0, 0.02);
    return out;
}

Buffer BonusRollbackApply(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    const double length = 0.55;
    // A fast warble rising two octaves, like a tape wound back.
    const Buffer warble = FmTone(
        rate, SecondsToFrames(length, rate),
        [=](double t) { return 330.0 * std::pow(2.0, 2.0 * t / length) * (1.0 + 0.12 * std::sin(TwoPi * 18.0 * t)); },
        2.0, [](double) { return 1.2; },
        [=](double t) { return Smooth(t / 0.04) * (1.0 - Smooth((t - length + 0.12) / 0.12)); });
    Place(out, warble, 0.0, 0.5f, rate);
    Place(out, SweptNoise(
                   rate, SecondsToFrames(length, rate), 111,
                   [=](double t) { return 800.0 * std::pow(6.0, t / length); }, 2.0,
                   [=](double t) { return Smooth(t / 0.05) * (1.0 - Smooth((t - length + 0.1) / 0.1)); }, Band::Pass),
          0.0, 0.6f, rate);
    Place(out, WoodClick(rate, 1800.0, 0.0, 1.0f, 0), length, 0.5f, rate);
    FadeEdges(out, rate, 0.0, 0.03);
    return out;
}

// --- the path ---

Buffer PathIntroduction(uint32_t rate, size_t frames) {
    // Wheels rolling eight bumps a second under a whoosh that rises and
    // falls once a second.
    const Curve cutoff = [](double t) { return 900.0 * std::pow(2.0, 0.7 * std::sin(TwoPi * t)); };
    const Curve bumps = [](double t) {
        const double b = 0.5 + 0.5 * std::cos(TwoPi * 8.0 * t);
        return 0.7 + 0.3 * b * b * b;
    };
    Buffer out = LoopedNoise(rate, frames, 121, cutoff, 0.9, bumps, Band::Pass);
    const Buffer rumble = LoopedNoise(
        rate, frames, 122, [](double) { return 180.0; }, 0.7, bumps, Band::Low);
    MixInto(out, rumble, 0, 0.6f, false);
    return out;
}

Buffer PathIntroductionEnd(uint32_t rate, size_t frames) {
    Buffer out = FmTone(
        rate, frames, [](double t) { return 45.0 + 50.0 * std::exp(-t / 0.04); }, 1.0, [](double) { return 0.0; },
        [](double t) { return std::exp(-t / 0.08); });
    Place(out, SweptNoise(
                   rate, frames, 131, [](double) { return 400.0; }, 0.7,
                   [](double t) { return std::exp(-t / 0.025); }, Band::Low),
          0.0, 1.0f, rate);
    Place(out, WoodClick(rate, 320.0, 0.0, 1.0f, 0), 0.0, 0.3f, rate);
    FadeEdges(out, rate, 0.003, 0.08);
    return out;
}

Buffer PathBegin(uint32_t rate, size_t frames) {
    // The queue starting to roll: low rumble with six uneven bumps a second.
    Noise noise(141);
    double weights[6];
    for (double& w : weights) {
        w = noise.Range(0.5f, 1.0f);
    }
    const Curve bumps = [weights](double t) {
        const double x = 6.0 * (t - std::floor(t));
        const int i = static_cast<int>(x) % 6;
        const double b = std::sin(Pi * (x - std::floor(x)));
        return 0.45 + 0.55 * weights[i] * b * b;
    };
    Buffer out = LoopedNoise(
        rate, frames, 142, [](double t) { return 420.0 + 140.0 * std::sin(TwoPi * 2.0 * t); }, 1.1, bumps, Band::Pass);
    const Buffer low = LoopedNoise(
        rate, frames, 143, [](double) { return 160.0; }, 0.7, bumps, Band::Low);
    MixInto(out, low, 0, 0.8f, false);
    AddPartial(out, rate, 55.0, 0.05, 0.0, bumps);
    return out;
}

Buffer PathEnd(uint32_t rate, size_t frames) {
    // A rougher, faster roll: gritty noise grains and a low grinding buzz.
    const Curve grit = [](double t) {
        const double a = std::fabs(std::sin(TwoPi * 23.0 * t));
        const double b = std::fabs(std::sin(TwoPi * 37.0 * t + 0.7));
        return 0.35 + 0.65 * a * b;
    };
    Buffer out = LoopedNoise(
        rate, frames, 151, [](double t) { return 1300.0 + 300.0 * std::sin(TwoPi * 3.0 * t); }, 2.0, grit, Band::Pass);
    Buffer buzz(frames, 0.0f);
    for (int k = 1; k <= 30; ++k) {
        AddPartial(buzz, rate, 60.0 * k, 1.0 / k, 0.37 * k,
                   [](double t) { return 0.6 + 0.4 * std::sin(TwoPi * 7.0 * t); });
    }
    Biquad dull = Biquad::LowPass(rate, 900.0, 0.7);
    FilterLoop(buzz, dull);
    MixInto(out, buzz, 0, 0.12f, false);
    const Buffer low = LoopedNoise(
        rate, frames, 152, [](double) { return 200.0; }, 0.7, grit, Band::Low);
    MixInto(out, low, 0, 0.7f, false);
    return out;
}

Buffer PathWarning(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    const Envelope envelope{0.004, 0.0, 1.0, 0.012};
    const double starts[] = {0.0, 0.1};
    const double pitches[] = {NoteFrequency(84), NoteFrequency(79)};  // C6, G5
    for (int i = 0; i < 2; ++i) {
        const double gate = 0.075;
        Buffer beep(SecondsToFrames(envelope.Length(gate), rate), 0.0f);
        const Curve shape = [&](double t) { return envelope.Level(t, gate); };
        AddPartial(beep, rate, pitches[i], 1.0, 0.0, shape);
        AddPartial(beep, rate, 2.0 * pitches[i], 0.2, 0.0, shape);
        AddPartial(beep, rate, 3.0 * pitches[i], 0.15, 0.0, shape);
        Place(out, beep, starts[i], 1.0f, rate);
    }
    return out;
}

Buffer ChargePathScore(uint32_t rate, size_t frames) {
    // Brighter and higher than the score's coins: glassy harmonic pings
    // running up and down the pentatonic scale.
    std::vector<double> pitches;
    for (const int step : {5, 6, 7, 8, 9, 8, 7, 6}) {
        pitches.push_back(Pentatonic(step + 5));
    }
    return TickLoop(rate, frames, pitches, {{1.0, 1.0, 0.07}, {2.0, 0.3, 0.04}, {3.0, 0.15, 0.02}}, 0.0005);
}

// --- the totem game ---

Buffer TotemFlip(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    const std::vector<Mode> block = {{1.0, 1.0, 0.09}, {2.31, 0.5, 0.05}, {3.9, 0.25, 0.025}, {5.6, 0.1, 0.015}};
    Place(out, StruckModes(rate, 480.0, block, 0.0005, 0.3), 0.0, 1.0f, rate);
    Place(out, StruckModes(rate, 700.0, block, 0.0005, 0.3), 0.012, 0.6f, rate);
    Place(out, NoiseTick(rate, 161, 1800.0, 0.8, 0.003), 0.0, 0.5f, rate);
    return out;
}

Buffer TotemComplete(uint32_t rate, size_t frames) {
    Buffer out(frames, 0.0f);
    const std::vector<Mode> chime = {{1.0, 1.0, 1.5}, {2.76, 0.45, 0.9}, {5.40, 0.22, 0.45}, {8.93, 0.1, 0.22}};
    const double notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) {
        Place(out, StruckModes(rate, NoteFrequency(notes[i]), chime, 0.001, 2.0), 0.07 * i, 0.5f, rate);
    }
    AddReverb(out, rate, 0.7, 0.3, 0.8f);
    FadeEdges(out, rate, 0.0, 0.35);
    return out;
}

} // namespace

const std::vector<EffectRecipe>& EffectRecipes() {
    static const std::vector<EffectRecipe> recipes = {
        {"menu/button_select_0", 0.04, false, -12.0, ButtonSelect0},
        {"menu/button_select_1", 0.04, false, -12.0, ButtonSelect1},
        {"menu/button_click", 0.06, false, -9.0, ButtonClick},
        {"menu/edit_box_print", 0.03, false, -9.0, EditBoxPrint},
        {"menu/volume_slider", 1.0, true, -17.0, VolumeSlider},
        {"menu/upgrade", 2.5, false, -4.0, Upgrade},
        {"menu/window_appear", 0.4, false, -10.0, WindowAppear},
        {"menu/window_disappear", 0.35, false, -10.0, WindowDisappear},
        {"menu/charge_score", 0.5, true, -12.0, ChargeScore},
        {"game/level_begin", 1.0, false, -5.0, LevelBegin},
        {"game/level_complete", 1.5, false, -4.0, LevelComplete},
        {"game/level_failed", 1.5, false, -10.0, LevelFailed},
        {"game/element_get", 0.15, false, -6.0, ElementGet},
        {"game/element_put_0", 0.3, false, -8.0, ElementPut0},
        {"game/element_put_1", 0.3, false, -8.0, ElementPut1},
        {"game/element_put_2", 0.3, false, -8.0, ElementPut2},
        {"game/element_put_3", 0.3, false, -8.0, ElementPut3},
        {"game/element_put_4", 0.3, false, -8.0, ElementPut4},
        {"game/element_put_bad", 0.2, false, -7.0, ElementPutBad},
        {"game/element_cancel", 0.2, false, -9.0, ElementCancel},
        {"game/bonus_tip", 1.0, true, -13.0, BonusTip},
        {"game/bonus_magnet", 1.0, true, -16.0, BonusMagnet},
        {"game/bonus_tip_apply", 0.6, false, -5.0, BonusTipApply},
        {"game/bonus_magnet_apply", 0.6, false, -5.0, BonusMagnetApply},
        {"game/bonus_pause_apply", 0.7, false, -5.0, BonusPauseApply},
        {"game/bonus_rollback_apply", 0.7, false, -5.0, BonusRollbackApply},
        {"game/path_introduction", 1.0, true, -10.0, PathIntroduction},
        {"game/path_introduction_end", 0.4, false, -7.0, PathIntroductionEnd},
        {"game/path_begin", 1.0, true, -9.0, PathBegin},
        {"game/path_end", 1.0, true, -9.0, PathEnd},
        {"game/path_warning", 0.2, false, -13.0, PathWarning},
        {"game/charge_path_score", 0.5, true, -11.0, ChargePathScore},
        {"game/totem_flip", 0.2, false, -7.0, TotemFlip},
        {"game/totem_complete", 1.5, false, -4.0, TotemComplete},
    };
    return recipes;
}

Buffer RenderEffect(const EffectRecipe& recipe, uint32_t rate) {
    const size_t frames = SecondsToFrames(recipe.seconds, rate);
    Buffer out = recipe.render(rate, frames);
    out.resize(frames, 0.0f);
    if (!recipe.loop) {
        // Whatever the recipe did, the file starts and ends without a step.
        FadeEdges(out, rate, 0.002, 0.008);
    }
    return out;
}

} // namespace Tools::Synth
