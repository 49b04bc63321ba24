#include "game/app/Game.h"

#include "engine/core/EngineSettings.h"
#include "game/app/GameIcon.h"

namespace ActionPuzzle {

Game::Game(const std::string& company, const std::string& product) : GameBase(company, product)
{
    Init();
}

Game::~Game() = default;

void Game::FillEngineSettings(ZorvaneEngine::EngineSettings& settings)
{
    GameBase::FillEngineSettings(settings);
    settings.videoMode = "1024x768x32";
    settings.iconId = kGameIconId;
}

} // namespace ActionPuzzle
