#pragma once
// The game's sounds, by the ids under which the game registers them with the
// sound player. The looping ones are registered looping.
#include <cstdint>

namespace ActionPuzzle {

enum SoundId : int32_t {
    SoundVolumeSlider = 0,       // looping, while the sound slider is dragged
    SoundUpgrade = 1,
    SoundWindowAppear = 2,       // a menu window opens
    SoundWindowDisappear = 3,    // and closes
    SoundChargeScore = 4,        // looping
    SoundLevelBegin = 5,
    SoundLevelComplete = 6,
    SoundLevelFailed = 7,
    SoundElementGet = 8,
    SoundElementPut0 = 9,        // placed with a combo of 1; 10 to 13 for 2 to 5
    SoundElementPut1 = 10,
    SoundElementPut2 = 11,
    SoundElementPut3 = 12,
    SoundElementPut4 = 13,
    SoundElementPutBad = 14,
    SoundElementCancel = 15,
    SoundBonusTip = 16,
    SoundBonusMagnet = 17,
    SoundBonusTipApply = 18,
    SoundBonusMagnetApply = 19,
    SoundBonusPauseApply = 20,
    SoundBonusRollbackApply = 21,
    SoundPathIntroduction = 22,  // looping
    SoundPathIntroductionEnd = 23,
    SoundPathBegin = 24,         // looping
    SoundPathEnd = 25,           // looping
    SoundPathWarning = 26,
    SoundChargePathScore = 27,   // looping
    SoundTotemFlip = 28,
    SoundTotemComplete = 29,
    SoundCount = 30,
};

// The music tracks: the menu track plays on channel 0, the two level tracks
// take turns on channel 1.
enum MusicId : int32_t {
    MusicMenu = 0,
    MusicGame0 = 1,
    MusicGame1 = 2,
};

constexpr int32_t MenuMusicChannel = 0;
constexpr int32_t LevelMusicChannel = 1;

// A game sound's file, "audio\<folder>\<name>" with the extension the data
// has, and whether it loops.
struct GameSoundFile {
    SoundId id;
    const char* folder;
    const char* name;
    bool looping;
};

// Every game sound, in the order the game registers them: the two window
// sounds first.
extern const GameSoundFile GameSoundFiles[SoundCount];

} // namespace ActionPuzzle
