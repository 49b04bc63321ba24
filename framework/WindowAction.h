#pragma once
// What a screen asks the game base's screen state machine to do next. A
// screen leaves one in its result during its update; the game base's handler
// for that screen acts on it in the next dispatch pass. The game's own
// screens use the values from FirstGameAction up.
#include <cstdint>

namespace GameFramework {

enum class WindowAction : int32_t {
    None = 0,
    Done = 1,               // the screen finished its job
    ToWelcome = 2,
    ToMainMenu = 3,
    ToExit = 4,             // the quit question
    ToProfiles = 5,
    ToNewProfile = 6,
    ToRenameProfile = 7,
    ToDeleteProfile = 8,
    ProfileNameConflict = 9,
    ToHighScores = 10,
    ToOptions = 11,
    ToHelp = 12,
    Proceed = 13,           // new game, next level, restart, the level start screen
    ContinueGame = 14,      // continue the saved game
    Pause = 15,
    ToGameMenu = 16,        // the in-game menu
    ToRestart = 17,         // the restart question
    ToLeaveLevel = 18,      // the leave-the-level question
    Resume = 19,            // back to the level
    StageComplete = 20,
    GameComplete = 21,
    Quit = 22,              // end the program
    Play = 23,              // start a level
    FirstGameAction = 24,
};

} // namespace GameFramework
