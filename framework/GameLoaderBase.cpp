#include "framework/GameLoaderBase.h"

#include "engine/core/Config.h"
#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "framework/GameBase.h"
#include "platform/window/Windowing.h"

namespace GameFramework {

GameLoaderBase::GameLoaderBase(void* instance, void* previousInstance,
                               const std::string& commandLine, int showCommand)
    : instance(instance), previousInstance(previousInstance), commandLine(commandLine),
      showCommand(showCommand)
{
}

GameLoaderBase::~GameLoaderBase() = default;

void GameLoaderBase::Run()
{
    try {
        CreateGame();
        RunMessageLoop();
        DeleteGame();
    } catch (ZorvaneEngine::FatalError& error) {
        failed = true;
        DeleteGame();
        ShowFatalErrorBox(error.message);
    } catch (...) {
        failed = true;
        DeleteGame();
        ShowFatalErrorBox("Unhandled exception!");
    }
}

void GameLoaderBase::DeleteGame()
{
    // The field is cleared before the game goes, so a handler that runs
    // because the game's teardown failed finds nothing left to delete.
    std::unique_ptr<GameBase> doomed = std::move(game);
    doomed.reset();
}

void GameLoaderBase::RunMessageLoop()
{
    for (;;) {
        if (!DispatchNextEvent() && game)
            game->Update();
        if (IsExitIssued())
            return;
    }
}

void GameLoaderBase::SetGame(std::unique_ptr<GameBase> newGame)
{
    game = std::move(newGame);
}

bool GameLoaderBase::IsExitIssued() const
{
    // No game, no engine or an unregistered "exit" counts as issued: the loop
    // must not spin on with nothing that could ever end it.
    ZorvaneEngine::Engine* engine = game ? game->GetEngine() : nullptr;
    if (!engine || !engine->config)
        return true;
    return !engine->config->IsCommandDone("exit");
}

bool GameLoaderBase::DispatchNextEvent()
{
    Platform::Windowing& windowing = Platform::GetWindowing();
    Platform::Message message;
    if (!windowing.PeekMessage(message))
        return false;
    windowing.TranslateMessage(message);
    windowing.DispatchMessage(message);
    return true;
}

void GameLoaderBase::ShowFatalErrorBox(const std::string& text)
{
    Platform::GetWindowing().MessageBox(text, "Fatal Error", Platform::MB_ICONERROR);
}

} // namespace GameFramework
