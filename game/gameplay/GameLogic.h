#pragma once
// The level being played.
// Not built yet: it keeps the framework's level state and plays nothing.
#include "framework/GameLogicBase.h"
#include "game/app/LevelManager.h"

namespace ActionPuzzle {

class GameData;
class GameLogicData;
class GUIGameCursor;
class ProfileManager;

class GameLogic : public GameFramework::GameLogicBase {
public:
    GameLogic(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GUIGameCursor*, ProfileManager*,
              GameData*, GameLogicData*, const StageInfo& stage, const LevelInfo& level, int32_t carriedValue)
        : GameLogicBase(stage, level, *engine, soundPlayer, carriedValue)
    {
    }
};

} // namespace ActionPuzzle
