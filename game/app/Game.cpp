#include "game/app/Game.h"

#include "engine/Engine.h"
#include "engine/core/EngineSettings.h"
#include "framework/DataKeeper.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "game/app/GameIcon.h"
#include "game/app/LevelManager.h"
#include "game/app/ProfileManager.h"

namespace ActionPuzzle {

using namespace GameFramework;

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

std::unique_ptr<LevelManagerBase> Game::CreateLevelManager()
{
    auto manager = std::make_unique<LevelManager>(*engine);
    manager->Load();
    return manager;
}

std::unique_ptr<ProfileManagerBase> Game::CreateProfileManager()
{
    auto manager = std::make_unique<ProfileManager>(engine.get(), soundPlayer.get(), userFolder);
    manager->LoadProfiles();
    return manager;
}

std::unique_ptr<DataKeeper> Game::CreateGameData()
{
    return std::make_unique<DataKeeper>(engine.get(), GetLanguageCode());
}

std::unique_ptr<GUIGameCursorBase> Game::CreateGameCursor()
{
    return std::make_unique<GUIGameCursorBase>(engine.get());
}

std::unique_ptr<GUILogosWindowBase> Game::CreateLogosWindow()
{
    return std::make_unique<GUILogosWindowBase>(engine.get());
}

std::unique_ptr<GUILoadingWindowBase> Game::CreateGameLoadingWindow()
{
    return std::make_unique<GUILoadingWindowBase>(engine.get());
}

std::unique_ptr<GUILoadingWindowBase> Game::CreateGameLogicLoadingWindow()
{
    return std::make_unique<GUILoadingWindowBase>(engine.get());
}

std::unique_ptr<GUIWelcomeWindowBase> Game::CreateWelcomeWindow()
{
    return std::make_unique<GUIWelcomeWindowBase>(profileManager.get());
}

std::unique_ptr<GUIExitWindowBase> Game::CreateExitWindow()
{
    return std::make_unique<GUIExitWindowBase>(engine.get());
}

std::unique_ptr<GUIMainMenuWindowBase> Game::CreateMainMenuWindow()
{
    return std::make_unique<GUIMainMenuWindowBase>();
}

std::unique_ptr<GUIProfilesWindowBase> Game::CreateProfilesWindow()
{
    return std::make_unique<GUIProfilesWindowBase>(profileManager.get());
}

std::unique_ptr<GUINewProfileWindowBase> Game::CreateNewProfileWindow()
{
    return std::make_unique<GUINewProfileWindowBase>(profileManager.get());
}

std::unique_ptr<GUIRenameProfileWindowBase> Game::CreateRenameProfileWindow()
{
    return std::make_unique<GUIRenameProfileWindowBase>(profileManager.get());
}

std::unique_ptr<GUIDeleteProfileWindowBase> Game::CreateDeleteProfileWindow()
{
    return std::make_unique<GUIDeleteProfileWindowBase>(profileManager.get());
}

std::unique_ptr<GUIProfileNameConflictWindowBase> Game::CreateProfileNameConflictWindow()
{
    return std::make_unique<GUIProfileNameConflictWindowBase>();
}

std::unique_ptr<GUIStartGameLogicWindowBase> Game::CreateStartGameLogicWindow()
{
    return std::make_unique<GUIStartGameLogicWindowBase>();
}

std::unique_ptr<GUIContinueGameLogicWindowBase> Game::CreateContinueGameLogicWindow()
{
    return std::make_unique<GUIContinueGameLogicWindowBase>(engine.get());
}

std::unique_ptr<GUIHighScoresWindowBase> Game::CreateHighScoresWindow()
{
    return std::make_unique<GUIHighScoresWindowBase>(highScores.get());
}

std::unique_ptr<GUIOptionsWindowBase> Game::CreateOptionsWindow()
{
    return std::make_unique<GUIOptionsWindowBase>(engine.get(), soundPlayer.get(), profileManager.get());
}

std::unique_ptr<GUIHelpWindowBase> Game::CreateHelpWindow()
{
    return std::make_unique<GUIHelpWindowBase>();
}

std::unique_ptr<GUIGameLogicWindowBase> Game::CreateGameLogicWindow()
{
    return std::make_unique<GUIGameLogicWindowBase>(engine.get(), profileManager.get());
}

std::unique_ptr<GUIGameLogicPauseWindowBase> Game::CreateGameLogicPauseWindow()
{
    return std::make_unique<GUIGameLogicPauseWindowBase>(engine.get());
}

std::unique_ptr<GUIGameLogicMenuWindowBase> Game::CreateGameLogicMenuWindow()
{
    return std::make_unique<GUIGameLogicMenuWindowBase>(engine.get(), soundPlayer.get(), profileManager.get());
}

std::unique_ptr<GUIGameLogicMenuExitWindowBase> Game::CreateGameLogicMenuExitWindow()
{
    return std::make_unique<GUIGameLogicMenuExitWindowBase>(engine.get());
}

std::unique_ptr<GUIGameLogicRestartWindowBase> Game::CreateGameLogicRestartWindow()
{
    return std::make_unique<GUIGameLogicRestartWindowBase>(engine.get());
}

std::unique_ptr<GUIGameLogicGameExitWindowBase> Game::CreateGameLogicGameExitWindow()
{
    return std::make_unique<GUIGameLogicGameExitWindowBase>(engine.get());
}

std::unique_ptr<GUILevelCompleteWindowBase> Game::CreateLevelCompleteWindow()
{
    return std::make_unique<GUILevelCompleteWindowBase>(engine.get(), levelManager.get());
}

std::unique_ptr<GUIStageCompleteWindowBase> Game::CreateStageCompleteWindow()
{
    return std::make_unique<GUIStageCompleteWindowBase>(engine.get(), levelManager.get());
}

std::unique_ptr<GUIGameCompleteWindowBase> Game::CreateGameCompleteWindow()
{
    return std::make_unique<GUIGameCompleteWindowBase>(engine.get());
}

std::unique_ptr<GUIGameOverWindowBase> Game::CreateGameOverWindow()
{
    return std::make_unique<GUIGameOverWindowBase>(engine.get());
}

std::unique_ptr<DataKeeper> Game::CreateGameLogicData(const GameFramework::StageInfo&,
                                                      const GameFramework::LevelInfo&)
{
    return std::make_unique<DataKeeper>(engine.get(), GetLanguageCode());
}

std::unique_ptr<GameLogicBase> Game::CreateGameLogic(const GameFramework::StageInfo& stage,
                                                     const GameFramework::LevelInfo& level, int32_t carriedValue)
{
    return std::make_unique<GameLogicBase>(stage, level, *engine, soundPlayer.get(), carriedValue);
}

} // namespace ActionPuzzle
