#pragma once
// The game on the real drivers (SDL's offscreen video, Mesa's OpenGL) as the
// tests that play it see it: windowed, as the offscreen desktop has no full
// screen, with the objects a test looks at to know where to act, and the
// level's end as the game base handled it.
#include "engine/core/EngineSettings.h"
#include "framework/WindowAction.h"
#include "game/app/Game.h"
#include "game/common/GameData.h"
#include "game/gameplay/GameLogic.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"

namespace ActionPuzzle {

class PlayedGame : public Game {
public:
    PlayedGame() : Game("Quobin Games", "Tangrove", false) {}
    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override
    {
        Game::FillEngineSettings(settings);
        settings.fullscreen = false;  // the offscreen desktop has no full screen
    }
    using Game::Init;
    ZorvaneEngine::Engine* Engine() const { return engine.get(); }
    GameFramework::ProfileManagerBase* Profiles() const { return profileManager.get(); }
    GameLogic* Logic() const { return static_cast<GameLogic*>(gameLogic.get()); }
    GameData* Data() const { return static_cast<GameData*>(gameData.get()); }
    bool LevelCompleteOpened() const { return levelCompleteOpened; }
    GUILevelCompleteWindow* LevelComplete() const
    {
        return static_cast<GUILevelCompleteWindow*>(levelCompleteWindow.get());
    }
    GUIGameOverWindow* GameOver() const { return static_cast<GUIGameOverWindow*>(gameOverWindow.get()); }
    GUIStartGameLogicWindow* Map() const { return static_cast<GUIStartGameLogicWindow*>(startGameLogicWindow.get()); }
    void CloseWelcome() { welcomeWindow->Close(); }
    bool GameOverOpened() const { return gameOverOpened; }
    void CutLogosShort() { logosWindow->result = GameFramework::WindowAction::Done; }
    bool FirstScreenIsUp() const { return welcomeWindow != nullptr && gameOverWindow != nullptr; }
    // As the level start screen leaves it when the player chooses to play,
    // the first screen's window gone, as the menus on the way close theirs.
    void ChoosePlay()
    {
        welcomeWindow->Close();
        startGameLogicWindow->result = GameFramework::WindowAction::Play;
    }

protected:
    void OnLevelWon() override
    {
        Game::OnLevelWon();
        levelCompleteOpened = true;
    }
    void OnLevelLost() override
    {
        Game::OnLevelLost();
        gameOverOpened = true;
    }

private:
    bool levelCompleteOpened = false;
    bool gameOverOpened = false;
};

} // namespace ActionPuzzle
