#pragma once
// The results and open modes only this game's screens use, beyond the
// framework's.
#include "framework/MenuScreenBases.h"
#include "framework/WindowAction.h"

namespace ActionPuzzle {

// The main menu's show-place choice.
inline constexpr GameFramework::WindowAction ToShowPlace = static_cast<GameFramework::WindowAction>(24);
// The main menu's start while the profile has not seen the introduction.
inline constexpr GameFramework::WindowAction ToIntroduction = static_cast<GameFramework::WindowAction>(25);
// The high-score screen's offer of the relax mode.
inline constexpr GameFramework::WindowAction ToRelaxOffer = static_cast<GameFramework::WindowAction>(26);
// The level start screen's start of a new game: the tutorial comes first.
inline constexpr GameFramework::WindowAction ToTutorial = static_cast<GameFramework::WindowAction>(27);

// The level start screen opened by the tutorial: it starts the level at
// once.
inline constexpr GameFramework::LevelStartOpenMode LevelStartFromTutorial =
    static_cast<GameFramework::LevelStartOpenMode>(13);

} // namespace ActionPuzzle
