#pragma once
// Runs the program from start to end: creates the game, pumps the platform's
// events and runs one game frame whenever none is waiting, stops when the
// configuration command "exit" has been issued, deletes the game, and turns
// any escaping exception into an error box. The outermost error boundary.
#include <memory>
#include <string>

namespace GameFramework {

class GameBase;

class GameLoaderBase {
public:
    // The start-up values are stored and never interpreted. The derived
    // loader's constructor calls Run once it is complete.
    GameLoaderBase(void* instance, void* previousInstance, const std::string& commandLine,
                   int showCommand);
    virtual ~GameLoaderBase();

    GameLoaderBase(const GameLoaderBase&) = delete;
    GameLoaderBase& operator=(const GameLoaderBase&) = delete;

    // CreateGame, RunMessageLoop and DeleteGame inside the error boundary.
    virtual void Run();
    // Creates the game object and stores it with SetGame.
    virtual void CreateGame() = 0;
    // Safe with no game, and safe to call again after a failed deletion.
    virtual void DeleteGame();
    // One pending event per turn, else one frame; after every turn the loop
    // ends when "exit" is no longer done.
    virtual void RunMessageLoop();

    GameBase* GetGame() const { return game.get(); }
    // What the process ends with after Run: 0 after a normal end ("exit"),
    // 1 after an error that ended in the box, as shells take success and
    // failure.
    int GetExitStatus() const { return failed ? 1 : 0; }
    const std::string& GetCommandLine() const { return commandLine; }
    int GetShowCommand() const { return showCommand; }

    // Takes one pending event off the queue and hands it to its window;
    // false when the queue was empty. The loading screens pump with it too.
    static bool DispatchNextEvent();

protected:
    void SetGame(std::unique_ptr<GameBase> newGame);

private:
    // A blocking error box with no owner window.
    static void ShowFatalErrorBox(const std::string& text);
    bool IsExitIssued() const;

    void* instance;
    void* previousInstance;
    std::string commandLine;
    int showCommand;
    std::unique_ptr<GameBase> game;
    bool failed = false;
};

} // namespace GameFramework
