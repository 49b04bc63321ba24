#pragma once
// The game's loader: the framework's runner with the factory of this game.
// Constructing it runs the whole program.
#include <string>

#include "framework/GameLoaderBase.h"

namespace ActionPuzzle {

class GameLoader : public GameFramework::GameLoaderBase {
public:
    GameLoader(void* instance, void* previousInstance, const std::string& commandLine,
               int showCommand);

    void CreateGame() override;
};

} // namespace ActionPuzzle
