#include "tools/synth/MusicTracks.h"

#include <string_view>

#include "tools/synth/Instruments.h"

namespace Tools::Synth {

namespace {

// One bar's harmony: the pad's voicing, the tones the arpeggio walks over and
// the bass's root, fifth and octave.
struct Chord {
    std::vector<double> pad;
    std::vector<double> arpeggio;
    std::vector<double> bass;
};

Chord MakeChord(std::string_view pad, std::string_view arpeggio, std::string_view bass) {
    return {ParseChord(pad), ParseChord(arpeggio), ParseChord(bass)};
}

Part MakePart(Instrument instrument, float gain, float pan, float send) {
    Part part;
    part.instrument = std::move(instrument);
    part.gain = gain;
    part.pan = pan;
    part.send = send;
    return part;
}

// The pad holds each bar's chord, its tones spread across the stereo field
// by two parts panned apart.
void AddPadBar(Part& left, Part& right, const Chord& chord, double beat, double beats, float velocity) {
    for (size_t i = 0; i < chord.pad.size(); ++i) {
        Part& side = i % 2 == 0 ? left : right;
        side.notes.push_back({beat, beats, chord.pad[i], velocity});
    }
}

// Writes steps for every bar of a range, one grid per bar.
template <typename BarSteps>
void ForBars(int first, int last, int beatsPerBar, BarSteps steps) {
    for (int bar = first; bar < last; ++bar) {
        steps(bar, static_cast<double>(bar * beatsPerBar));
    }
}

Instrument Octave(Instrument instrument, double shift) {
    return [instrument, shift](uint32_t rate, double frequency, double seconds, float velocity, uint32_t seed) {
        return instrument(rate, frequency * shift, seconds, velocity, seed);
    };
}

// Menu: F major, 80 beats a minute, 24 bars (72 s). Calm kalimba
// arpeggios over a pad, a slow marimba tune in the middle.
Song Menu() {
    Song song;
    song.bpm = 80.0;
    song.bars = 24;
    song.reverbSize = 0.75;
    song.reverbDamping = 0.45;
    song.reverbLevel = 1.0f;
    song.seed = 0x4D454E55;
    const std::vector<Chord> cycle = {
        MakeChord("f3 a3 c4 e4", "f4 a4 c5 e5 f5 a5", "f2 c3 f3"),
        MakeChord("d3 f3 a3 c4", "d4 f4 a4 c5 d5 f5", "d2 a2 d3"),
        MakeChord("bb2 d3 f3 a3", "bb3 d4 f4 a4 c5 d5", "bb1 f2 bb2"),
        MakeChord("c3 f3 g3 c4", "c4 f4 g4 c5 d5 g5", "c2 g2 c3"),
    };
    Part arp = MakePart(Kalimba, 0.25f, -0.35f, 0.4f);
    Part padLeft = MakePart(Pad, 0.16f, -0.6f, 0.5f);
    Part padRight = MakePart(Pad, 0.16f, 0.6f, 0.5f);
    Part bass = MakePart(PluckedBass, 0.55f, 0.0f, 0.05f);
    Part lead = MakePart(Marimba, 0.7f, 0.25f, 0.35f);
    Part shaker = MakePart(Shaker, 0.3f, 0.4f, 0.2f);

    ForBars(0, 24, 4, [&](int bar, double beat) {
        const Chord& chord = cycle[static_cast<size_t>(bar % 4)];
        AddPadBar(padLeft, padRight, chord, beat, 4.0, bar < 4 ? 0.6f : 0.8f);
        const bool middle = bar >= 12 && bar < 20;
        AddChordSteps(arp, beat, 0.5, chord.arpeggio,
                      middle ? "0! 2 4 5 3 4 2 3?" : bar % 2 == 0 ? "0! 1 2 3 4 3 2 1?" : "0 2 1 3 2 4 3 5?");
        if (bar >= 4) {
            AddChordSteps(bass, beat, 1.0, chord.bass, bar % 4 == 3 ? "0! - 1 2?" : "0! - 1 -");
        }
        if (middle) {
            AddSteps(shaker, beat, 0.5, ". x? . x . x? . x");
        }
    });

    const char* tuneA[] = {
        "a4 - - - c5 - - -", "d5 - - - c5 - a4 -", "d5 - - - f5 - - -", "c5 - - - - - . .",
        "a4 - c5 - d5 - c5 -", "f5 - - - d5 - c5 -", "d5 - - - c5 - a4 -", "g4 - - - - - . .",
    };
    const char* tuneB[] = {
        "c6 - - - a5 - g5 -", "f5 - - - d5 - - -", "f5 - g5 - a5 - d5 -", "c5 - - - - - . .",
        "a5 - - - g5 - f5 -", "d5 - - - f5 - - -", "g5 - - - f5 - d5 -", "c5 - - - - - - -",
    };
    for (int i = 0; i < 8; ++i) {
        AddSteps(lead, (4 + i) * 4.0, 0.5, tuneA[i]);
        AddSteps(lead, (12 + i) * 4.0, 0.5, tuneB[i]);
    }
    song.parts = {arp, padLeft, padRight, bass, lead, shaker};
    return song;
}

// First level tune: G major, 100 beats a minute, 32 bars (76.8 s). A lively
// marimba tune over marimba arpeggios, plucked bass and light drums.
Song Game0() {
    Song song;
    song.bpm = 100.0;
    song.bars = 32;
    song.reverbSize = 0.55;
    song.reverbDamping = 0.5;
    song.reverbLevel = 0.8f;
    song.seed = 0x47414D30;
    const Chord g = MakeChord("d3 g3 b3 d4", "g3 b3 d4 g4 b4 d5", "g2 d3 g3");
    const Chord em = MakeChord("e3 g3 b3 d4", "e3 g3 b3 e4 g4 b4", "e2 b2 e3");
    const Chord c = MakeChord("c3 e3 g3 b3", "c4 e4 g4 b4 c5 e5", "c2 g2 c3");
    const Chord d = MakeChord("d3 f#3 a3 d4", "d4 f#4 a4 d5 f#5 a5", "d2 a2 d3");
    const Chord bm = MakeChord("b2 d3 f#3 a3", "b3 d4 f#4 b4 d5 f#5", "b1 f#2 b2");
    // Bars 0-3 intro, 4-11 tune A, 12-19 tune B, 20-27 tune A again, 28-31 outro.
    std::vector<const Chord*> chords;
    const std::vector<const Chord*> a = {&g, &em, &c, &d};
    const std::vector<const Chord*> b = {&c, &d, &bm, &em, &c, &d, &g, &d};
    for (int i = 0; i < 3; ++i) {
        chords.insert(chords.end(), a.begin(), a.end());
    }
    chords.insert(chords.end(), b.begin(), b.end());
    for (int i = 0; i < 3; ++i) {
        chords.insert(chords.end(), a.begin(), a.end());
    }

    Part arp = MakePart(Marimba, 0.30f, -0.3f, 0.25f);
    Part padLeft = MakePart(Pad, 0.09f, -0.6f, 0.4f);
    Part padRight = MakePart(Pad, 0.09f, 0.6f, 0.4f);
    Part bass = MakePart(PluckedBass, 0.6f, 0.0f, 0.04f);
    Part lead = MakePart(Marimba, 0.55f, 0.2f, 0.3f);
    Part leadHigh = MakePart(Octave(Kalimba, 2.0), 0.14f, 0.45f, 0.35f);
    Part kick = MakePart(SoftKick, 0.4f, 0.0f, 0.02f);
    Part shaker = MakePart(Shaker, 0.35f, 0.35f, 0.15f);
    Part click = MakePart(WoodClick, 0.3f, -0.25f, 0.2f);

    ForBars(0, 32, 4, [&](int bar, double beat) {
        const Chord& chord = *chords[static_cast<size_t>(bar)];
        AddPadBar(padLeft, padRight, chord, beat, 4.0, 0.7f);
        // Under the tune the arpeggio steps back.
        const bool tune = bar >= 4 && bar < 28;
        if (tune) {
            AddChordSteps(arp, beat, 0.5, chord.arpeggio, bar % 2 == 0 ? "0 2? 1? 3? 2 4? 3? 5?" : "0 2? 4? 2? 3 1? 2? 4?");
        } else {
            AddChordSteps(arp, beat, 0.5, chord.arpeggio, bar % 2 == 0 ? "0! 2 1 3 2! 4 3 5?" : "0! 2 4 2 3! 1 2 4?");
        }
        AddChordSteps(bass, beat, 0.5, chord.bass, bar % 4 == 3 ? "0! - . 0 1 - 2 1?" : "0! - . 0 1 - . 1?");
        AddSteps(kick, beat, 0.5, bar % 8 == 7 ? "x! . . . x . x? x" : "x! . . . x . . .");
        AddSteps(shaker, beat, 0.5, "x? x x? x x? x x? x");
        AddSteps(click, beat, 0.5, ". . x . . . x .");
    });
    // The click is tuned, the kick and shaker ignore their pitch.
    for (Note& note : click.notes) {
        note.pitch = 96.0;
    }

    const char* tuneA[] = {
        "b4 - d5 - e5 d5 b4 -", "g4 - - a4 b4 - - .", "e5 - d5 - e5 g5 e5 -", "d5 - - - a4 - - .",
        "b4 - d5 - g5 - e5 d5", "e5 - d5 b4 g4 - a4 b4", "a4 - g4 - e4 - g4 -", "a4 - - - . . d5 -",
    };
    const char* tuneB[] = {
        "g5 - e5 - d5 - e5 -", "d5 - a4 - d5 e5 - .", "d5 - b4 - d5 - e5 d5", "b4 - - - g4 - - .",
        "e5 - g5 - a5 - g5 e5", "d5 - e5 - d5 - a4 -", "b4 - a4 g4 a4 - b4 -", "a4 - - - - - . .",
    };
    for (int i = 0; i < 8; ++i) {
        AddSteps(lead, (4 + i) * 4.0, 0.5, tuneA[i]);
        AddSteps(lead, (12 + i) * 4.0, 0.5, tuneB[i]);
        AddSteps(lead, (20 + i) * 4.0, 0.5, tuneA[i]);
        AddSteps(leadHigh, (20 + i) * 4.0, 0.5, tuneA[i]);
    }
    song.parts = {arp, padLeft, padRight, bass, lead, leadHigh, kick, shaker, click};
    return song;
}

// Second level tune: D major, 110 beats a minute, 32 bars (about 69.8 s).
// A kalimba tune over syncopated marimba chords, bass and drums.
Song Game1() {
    Song song;
    song.bpm = 110.0;
    song.bars = 32;
    song.reverbSize = 0.6;
    song.reverbDamping = 0.45;
    song.reverbLevel = 0.8f;
    song.seed = 0x47414D31;
    const Chord d = MakeChord("d3 f#3 a3 e4", "d4 f#4 a4 d5 e5 f#5", "d2 a2 d3");
    const Chord bm = MakeChord("b2 d3 f#3 a3", "b3 d4 f#4 a4 b4 d5", "b1 f#2 b2");
    const Chord g = MakeChord("g2 b2 d3 f#3", "g3 b3 d4 f#4 g4 b4", "g1 d2 g2");
    const Chord a = MakeChord("a2 c#3 e3 b3", "a3 c#4 e4 a4 b4 e5", "a1 e2 a2");
    const Chord fsm = MakeChord("f#2 a2 c#3 e3", "f#3 a3 c#4 e4 f#4 a4", "f#1 c#2 f#2");
    std::vector<const Chord*> chords;
    const std::vector<const Chord*> partA = {&d, &bm, &g, &a};
    const std::vector<const Chord*> partB = {&g, &a, &fsm, &bm, &g, &a, &bm, &a};
    for (int i = 0; i < 3; ++i) {
        chords.insert(chords.end(), partA.begin(), partA.end());
    }
    chords.insert(chords.end(), partB.begin(), partB.end());
    for (int i = 0; i < 3; ++i) {
        chords.insert(chords.end(), partA.begin(), partA.end());
    }

    Part comp = MakePart(Marimba, 0.28f, 0.3f, 0.25f);
    Part padLeft = MakePart(Pad, 0.08f, -0.6f, 0.4f);
    Part padRight = MakePart(Pad, 0.08f, 0.6f, 0.4f);
    Part bass = MakePart(PluckedBass, 0.6f, 0.0f, 0.04f);
    Part lead = MakePart(Kalimba, 0.5f, -0.2f, 0.35f);
    Part leadLow = MakePart(Octave(Marimba, 0.5), 0.22f, 0.1f, 0.25f);
    Part kick = MakePart(SoftKick, 0.4f, 0.0f, 0.02f);
    Part shaker = MakePart(Shaker, 0.32f, -0.4f, 0.15f);
    Part click = MakePart(WoodClick, 0.28f, 0.3f, 0.2f);

    ForBars(0, 32, 4, [&](int bar, double beat) {
        const Chord& chord = *chords[static_cast<size_t>(bar)];
        AddPadBar(padLeft, padRight, chord, beat, 4.0, 0.7f);
        AddChordSteps(comp, beat, 0.5, chord.arpeggio, bar % 2 == 0 ? "0! . 2 1 . 3 2 ." : "1! . 3 2 . 4 5 .");
        AddChordSteps(bass, beat, 0.5, chord.bass, bar % 4 == 3 ? "0! - . 0 . 1 2 1?" : "0! - . 0 . 1 - .");
        AddSteps(kick, beat, 0.5, "x! . . x . . x .");
        AddSteps(shaker, beat, 0.5, bar % 2 == 0 ? "x? x x? x x? x x? x" : "x? x x? x x? x x x?");
        AddSteps(click, beat, 0.5, ". . x . . . x! .");
    });
    for (Note& note : click.notes) {
        note.pitch = 91.0;
    }

    const char* tuneA[] = {
        "f#5 - a5 - . f#5 e5 d5", "d5 - b4 - . d5 - .", "e5 - d5 - b4 - d5 -", "e5 - - - . . . .",
        "f#5 - a5 - b5 a5 f#5 -", "a5 - f#5 - e5 - d5 -", "b4 - d5 - e5 - f#5 -", "e5 - - - a4 - - .",
    };
    const char* tuneB[] = {
        "d5 - - b4 d5 - e5 -", "e5 - - a4 e5 - f#5 -", "f#5 - - e5 f#5 - a5 -", "b5 - a5 - f#5 - - .",
        "d5 - e5 - f#5 - a5 -", "b5 - a5 - e5 - f#5 -", "d5 - - - b4 - d5 -", "e5 - - - - - . .",
    };
    for (int i = 0; i < 8; ++i) {
        AddSteps(lead, (4 + i) * 4.0, 0.5, tuneA[i]);
        AddSteps(lead, (12 + i) * 4.0, 0.5, tuneB[i]);
        AddSteps(leadLow, (12 + i) * 4.0, 0.5, tuneB[i]);
        AddSteps(lead, (20 + i) * 4.0, 0.5, tuneA[i]);
    }
    song.parts = {comp, padLeft, padRight, bass, lead, leadLow, kick, shaker, click};
    return song;
}

} // namespace

const std::vector<MusicRecipe>& MusicRecipes() {
    static const std::vector<MusicRecipe> recipes = {
        {"music/menu", -5.0, Menu},
        {"music/game0", -5.0, Game0},
        {"music/game1", -5.0, Game1},
    };
    return recipes;
}

} // namespace Tools::Synth
