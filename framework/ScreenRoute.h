#pragma once
// One row of the screen flow: when a screen leaves an action in its result,
// what becomes of that screen, which screen opens next and in which mode,
// and the special step that the row's screen needs beyond that.
//
// The rows of one (screen, action) run in the order of the flow table. Of a
// row, in this order: the screen leaves as its exit says, the next screen
// opens in the mode, the level pauses (for PauseLevel), and the step runs.
#include <cstdint>

#include "framework/WindowAction.h"

namespace GameFramework {

class GameBase;

// The screens of the flow. The game numbers its own from FirstGameScreen.
enum class ScreenId : int32_t {
    None = 0,
    Logos,
    GameLoading,
    GameLogicLoading,
    Welcome,
    Exit,
    MainMenu,
    Profiles,
    NewProfile,
    RenameProfile,
    DeleteProfile,
    ProfileNameConflict,
    StartGameLogic,
    ContinueGameLogic,
    HighScores,
    Options,
    Help,
    GameLogic,  // the HUD
    GameLogicPause,
    GameLogicMenu,
    GameLogicMenuExit,
    GameLogicRestart,
    GameLogicGameExit,
    LevelComplete,
    StageComplete,
    GameComplete,
    GameOver,
    FirstGameScreen,
};

enum class ScreenExit : uint8_t {
    Stay,              // nothing closes
    Close,             // the screen closes
    CloseAndEndLevel,  // the screen closes; the HUD closes and the level's logic goes
    CloseAndResume,    // the screen closes; the HUD wakes and the level plays on
    PauseLevel,        // the HUD stays, inactive, under the next screen; the level pauses
};

using ScreenStep = void (GameBase::*)();

struct ScreenRoute {
    ScreenId screen;
    WindowAction action;
    ScreenExit exit = ScreenExit::Stay;
    ScreenId next = ScreenId::None;
    int32_t mode = 0;  // the next screen's open mode, for a screen that takes one
    ScreenStep step = nullptr;
};

// An open mode as the route holds it.
template <class Mode>
constexpr int32_t RouteMode(Mode mode)
{
    return static_cast<int32_t>(mode);
}

} // namespace GameFramework
