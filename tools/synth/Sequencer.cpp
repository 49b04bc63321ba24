#include "tools/synth/Sequencer.h"

#include <cctype>
#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/synth/Reverb.h"

namespace Tools::Synth {

namespace {

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        const size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
        if (i > start) {
            tokens.push_back(text.substr(start, i - start));
        }
    }
    return tokens;
}

// Splits the accent mark off a token.
float Velocity(std::string_view& token) {
    if (!token.empty() && token.back() == '!') {
        token.remove_suffix(1);
        return 1.0f;
    }
    if (!token.empty() && token.back() == '?') {
        token.remove_suffix(1);
        return 0.55f;
    }
    return 0.8f;
}

template <typename PitchOf>
void AddGrid(Part& part, double startBeat, double stepBeats, std::string_view steps, PitchOf pitchOf) {
    // The note a "-" may still extend: the one that ended at this step.
    long holding = -1;
    double beat = startBeat;
    for (std::string_view token : Tokens(steps)) {
        if (token == "-") {
            if (holding < 0) {
                throw std::invalid_argument("a hold with no note before it: " + std::string(steps));
            }
            part.notes[static_cast<size_t>(holding)].beats += stepBeats;
        } else if (token == ".") {
            holding = -1;
        } else {
            const float velocity = Velocity(token);
            part.notes.push_back({beat, stepBeats, pitchOf(token), velocity});
            holding = static_cast<long>(part.notes.size()) - 1;
        }
        beat += stepBeats;
    }
}

} // namespace

double ParsePitch(std::string_view name) {
    static const int Offsets[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (name.size() < 2 || name[0] < 'a' || name[0] > 'g') {
        throw std::invalid_argument("not a pitch: " + std::string(name));
    }
    int semitone = Offsets[name[0] - 'a'];
    size_t i = 1;
    if (name[i] == '#') {
        ++semitone;
        ++i;
    } else if (name[i] == 'b') {
        --semitone;
        ++i;
    }
    if (i + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[i]))) {
        throw std::invalid_argument("not a pitch: " + std::string(name));
    }
    const int octave = name[i] - '0';
    return 12.0 * (octave + 1) + semitone;
}

std::vector<double> ParseChord(std::string_view names) {
    std::vector<double> pitches;
    for (const std::string_view token : Tokens(names)) {
        pitches.push_back(ParsePitch(token));
    }
    return pitches;
}

void AddSteps(Part& part, double startBeat, double stepBeats, std::string_view steps) {
    AddGrid(part, startBeat, stepBeats, steps,
            [](std::string_view token) { return token == "x" ? 60.0 : ParsePitch(token); });
}

void AddChordSteps(Part& part, double startBeat, double stepBeats, const std::vector<double>& chord,
                   std::string_view steps) {
    AddGrid(part, startBeat, stepBeats, steps, [&](std::string_view token) {
        size_t used = 0;
        const unsigned long index = std::stoul(std::string(token), &used);
        if (used != token.size() || index >= chord.size()) {
            throw std::invalid_argument("no such chord tone: " + std::string(token));
        }
        return chord[index];
    });
}

size_t SongFrames(const Song& song, uint32_t rate) {
    return SecondsToFrames(song.bars * song.beatsPerBar * 60.0 / song.bpm, rate);
}

Stereo RenderSong(const Song& song, uint32_t rate) {
    const size_t frames = SongFrames(song, rate);
    const double secondsPerBeat = 60.0 / song.bpm;
    Stereo dry(frames);
    Stereo send(frames);
    uint32_t seed = song.seed;
    for (const Part& part : song.parts) {
        for (const Note& note : part.notes) {
            seed = seed * 1664525u + 1013904223u;
            const Buffer voice = part.instrument(rate, NoteFrequency(note.pitch), note.beats * secondsPerBeat,
                                                 note.velocity, seed);
            const long start = std::lround(note.beat * secondsPerBeat * rate);
            MixPanned(dry, voice, start, part.gain, part.pan, true);
            if (part.send > 0.0f) {
                MixPanned(send, voice, start, part.gain * part.send, part.pan, true);
            }
        }
    }
    Reverb reverb(rate, song.reverbSize, song.reverbDamping);
    const Stereo wet = reverb.WetLoop(send, 8.0);
    for (size_t i = 0; i < frames; ++i) {
        dry.left[i] += wet.left[i] * song.reverbLevel;
        dry.right[i] += wet.right[i] * song.reverbLevel;
    }
    return dry;
}

} // namespace Tools::Synth
