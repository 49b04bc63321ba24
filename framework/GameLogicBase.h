#pragma once
// The framework's side of one level being played: the engine services a
// level needs, the level's catalogue records, a level timer that stands
// still while the level is paused, the level's score, a value carried from
// level to level through the profile, and the level's state. The game base
// creates the game's level logic when the level has loaded, updates it every
// frame, reacts once to each change to won or lost, and deletes it when the
// level ends.
#include <cstdint>
#include <memory>

namespace ZorvaneEngine {
class Controls;
class Engine;
class MessageManager;
class ModelManager;
class Timer;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {

struct LevelInfo;
class ScoreKeeper;
class SoundPlayer;
struct StageInfo;

enum class GameLogicState : int32_t {
    Playing = 0,
    // By the pause window, the in-game menu, a question over the HUD, or the
    // loss of the focus.
    Paused = 1,
    Won = 2,
    Lost = 3,
};

class GameLogicBase {
public:
    // Logs which level loads. The level starts with its timer at 0 and
    // paused; the game's logic starts it when play really begins.
    GameLogicBase(const StageInfo& stageInfo, const LevelInfo& levelInfo, ZorvaneEngine::Engine& engine,
                  SoundPlayer* soundPlayer, int32_t carriedValue);
    // The score keeper goes first, then the level timer is given back to the
    // timer manager.
    virtual ~GameLogicBase();

    GameLogicBase(const GameLogicBase&) = delete;
    GameLogicBase& operator=(const GameLogicBase&) = delete;

    // The level's frame; nothing in the base.
    virtual void Update() {}
    // Any state but playing stops the level timer and playing restarts it,
    // so time spent paused, won or lost is not counted. A real change raises
    // the state-changed flag; setting the current state again does nothing.
    virtual void SetState(GameLogicState newState);

    // Seconds of play of this level.
    ZorvaneEngine::Timer* levelTimer = nullptr;   // owned through the timer manager
    std::unique_ptr<ScoreKeeper> scoreKeeper;
    const StageInfo* stageInfo;
    const LevelInfo* levelInfo;
    // Handed from level to level through the profile; the game base copies it
    // back into the profile when the level is won.
    int32_t carriedValue = 0;
    GameLogicState state = GameLogicState::Playing;
    // Cleared by the game base after each pass of its window-result dispatch.
    bool stateChanged = false;

protected:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::ModelManager* models;
    ZorvaneEngine::Controls* input;
    SoundPlayer* soundPlayer;  // not owned
};

} // namespace GameFramework
