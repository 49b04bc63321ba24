#pragma once
// A small step sequencer for looping tunes: parts of notes written on a grid
// of steps, rendered through their instruments into a stereo loop with a
// shared reverb. Everything that rings past the end of the loop sounds at its
// start, so the tune repeats without a seam.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "tools/synth/Signal.h"

namespace Tools::Synth {

struct Note {
    double beat;
    double beats;
    double pitch;  // MIDI note number
    float velocity;
};

using Instrument = std::function<Buffer(uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed)>;

struct Part {
    Instrument instrument;
    float gain = 1.0f;
    float pan = 0.0f;
    // Share of the part sent to the reverb.
    float send = 0.0f;
    std::vector<Note> notes;
};

// "c4" is 60, "f#3" 54, "bb2" 46. Throws std::invalid_argument otherwise.
double ParsePitch(std::string_view name);
// Pitch names separated by blanks.
std::vector<double> ParseChord(std::string_view names);

// Appends notes from a grid of steps of stepBeats each, the first at
// startBeat. Tokens, separated by blanks: a pitch name, "x" for a hit at
// pitch 60 (drums), "." for a rest, "-" to hold the previous note one more
// step. A note may end in "!" (accented) or "?" (soft).
void AddSteps(Part& part, double startBeat, double stepBeats, std::string_view steps);
// The same with numbers in place of pitch names: 0 is the first pitch of
// chord, 1 the second, and so on.
void AddChordSteps(Part& part, double startBeat, double stepBeats, const std::vector<double>& chord,
                   std::string_view steps);

struct Song {
    double bpm = 100.0;
    int beatsPerBar = 4;
    int bars = 16;
    double reverbSize = 0.6;
    double reverbDamping = 0.5;
    float reverbLevel = 1.0f;
    uint32_t seed = 1;
    std::vector<Part> parts;
};

// The loop's length: whole bars, rounded to the nearest frame.
size_t SongFrames(const Song& song, uint32_t rate);
Stereo RenderSong(const Song& song, uint32_t rate);

} // namespace Tools::Synth
