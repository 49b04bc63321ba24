#include "framework/GameLogicBase.h"

#include "engine/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/ScoreKeeper.h"

namespace GameFramework {

GameLogicBase::GameLogicBase(const StageInfo& stageInfo, const LevelInfo& levelInfo,
                             ZorvaneEngine::Engine& engine, SoundPlayer* soundPlayer, int32_t carriedValue)
    : stageInfo(&stageInfo), levelInfo(&levelInfo), carriedValue(carriedValue), engine(&engine),
      log(engine.log.get()), timers(engine.timers.get()), models(engine.models.get()),
      input(engine.input.get()), soundPlayer(soundPlayer)
{
    log->Message("");
    log->Message("Loading level " + ZorvaneEngine::UIntToText(levelInfo.stageIndex + 1) + "-" +
                 ZorvaneEngine::UIntToText(levelInfo.levelIndex + 1) + "...");
    levelTimer = timers->CreateTimer(false, 0.0f);
    scoreKeeper = std::make_unique<ScoreKeeper>();
    levelTimer->SetTime(0.0f);
    levelTimer->SetPaused(true);
}

GameLogicBase::~GameLogicBase()
{
    scoreKeeper.reset();
    timers->DeleteTimer(levelTimer);
}

void GameLogicBase::SetState(GameLogicState newState)
{
    if (newState != state) {
        levelTimer->SetPaused(newState != GameLogicState::Playing);
        stateChanged = true;
    }
    state = newState;
}

} // namespace GameFramework
