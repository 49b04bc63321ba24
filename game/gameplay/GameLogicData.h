#pragma once
// The resource keeper of one level.
// Not built yet: it loads only the keeper's defaults and listed files.
#include "framework/DataKeeper.h"
#include "game/app/LevelManager.h"

namespace ActionPuzzle {

class GameLogicData : public GameFramework::DataKeeper {
public:
    GameLogicData(ZorvaneEngine::Engine* engine, const std::string& languageCode, const StageInfo&, const LevelInfo&)
        : DataKeeper(engine, languageCode)
    {
    }
};

} // namespace ActionPuzzle
