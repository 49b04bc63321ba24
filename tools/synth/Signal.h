#pragma once
// Sample buffers of the synthesiser and what is done to whole buffers:
// mixing (cut at the end, or wrapped round for loops), panning, fades,
// levels. Samples are floats with full scale at 1.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Tools::Synth {

constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2.0 * Pi;

using Buffer = std::vector<float>;

struct Stereo {
    explicit Stereo(size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
    size_t Frames() const { return left.size(); }

    Buffer left;
    Buffer right;
};

// 69 is A4 at 440 Hz; fractions are cents / 100.
double NoteFrequency(double note);
double DecibelsToGain(double decibels);
// Seconds as a whole number of frames, rounded to the nearest.
size_t SecondsToFrames(double seconds, uint32_t rate);

// Adds source × gain into target, its first sample at frame start. With wrap
// the part past the end of target continues at its start, which is how a
// note that rings over the end of a loop sounds when the loop repeats.
void MixInto(Buffer& target, const Buffer& source, long start, float gain, bool wrap);
// The same into two channels; pan runs from -1 (left) to 1 (right) at
// constant power.
void MixPanned(Stereo& target, const Buffer& source, long start, float gain, float pan, bool wrap);

// Raised-cosine ramps over the first fadeIn and the last fadeOut seconds:
// the signal starts and ends at exactly zero, without a step.
void FadeEdges(Buffer& signal, uint32_t rate, double fadeIn, double fadeOut);

float PeakLevel(const Buffer& signal);
void Scale(Buffer& signal, float gain);

} // namespace Tools::Synth
