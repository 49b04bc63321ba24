#include "game/app/GameLoader.h"

#include <memory>

#include "game/app/Game.h"

namespace ActionPuzzle {

namespace {
const char* const kCompanyName = "Quobin Games";
const char* const kProductName = "Tangrove";
} // namespace

GameLoader::GameLoader(void* instance, void* previousInstance, const std::string& commandLine,
                       int showCommand)
    : GameLoaderBase(instance, previousInstance, commandLine, showCommand)
{
    Run();
}

void GameLoader::CreateGame()
{
    SetGame(std::make_unique<Game>(kCompanyName, kProductName));
}

} // namespace ActionPuzzle
