#pragma once
// The concrete game object: the framework's game with this game's settings.
#include <string>

#include "framework/GameBase.h"

namespace ActionPuzzle {

class Game : public GameFramework::GameBase {
public:
    // Runs the whole start-up (GameBase::Init) with the overrides in place.
    Game(const std::string& company, const std::string& product);
    ~Game() override;

    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override;
};

} // namespace ActionPuzzle
