#include "game/app/Game.h"

#include "engine/core/EngineSettings.h"

namespace ActionPuzzle {

namespace {
constexpr int32_t kIconId = 101;
} // namespace

Game::Game(const std::string& company, const std::string& product) : GameBase(company, product)
{
    Init();
}

Game::~Game() = default;

void Game::FillEngineSettings(ZorvaneEngine::EngineSettings& settings)
{
    GameBase::FillEngineSettings(settings);
    settings.videoMode = "1024x768x32";
    settings.iconId = kIconId;
}

} // namespace ActionPuzzle
