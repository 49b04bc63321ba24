#pragma once
// The controller bases of the screens shown over a level and after it: the
// pause, the three questions, game over, and the level, stage and game
// complete screens. The HUD and the in-game menu have bases of their own.
#include <cstdint>

#include "framework/WindowControllerBase.h"

namespace ZorvaneEngine {
class Engine;
}

namespace GameFramework {

class LevelManagerBase;
struct LevelInfo;

// The plain base of a screen that only needs the engine.
class GUIEngineWindowBase : public WindowControllerBase {
public:
    explicit GUIEngineWindowBase(ZorvaneEngine::Engine* engine) : engine(engine) {}
    virtual void Open() {}

protected:
    ZorvaneEngine::Engine* engine;
};

class GUIGameLogicPauseWindowBase : public GUIEngineWindowBase {
public:
    using GUIEngineWindowBase::GUIEngineWindowBase;
};

// The leave-the-level question.
class GUIGameLogicMenuExitWindowBase : public GUIEngineWindowBase {
public:
    using GUIEngineWindowBase::GUIEngineWindowBase;
};

class GUIGameLogicRestartWindowBase : public GUIEngineWindowBase {
public:
    using GUIEngineWindowBase::GUIEngineWindowBase;
};

// The quit-the-program question shown over a level.
class GUIGameLogicGameExitWindowBase : public GUIEngineWindowBase {
public:
    using GUIEngineWindowBase::GUIEngineWindowBase;
};

class GUIGameCompleteWindowBase : public GUIEngineWindowBase {
public:
    using GUIEngineWindowBase::GUIEngineWindowBase;
};

class GUIGameOverWindowBase : public GUIEngineWindowBase {
public:
    using GUIEngineWindowBase::GUIEngineWindowBase;
};

class GUILevelCompleteWindowBase : public WindowControllerBase {
public:
    GUILevelCompleteWindowBase(ZorvaneEngine::Engine* engine, LevelManagerBase* levelManager)
        : engine(engine), levelManager(levelManager) {}
    // The level's stage and level numbers are copied; seconds of play.
    virtual void Open(const LevelInfo& level, float seconds);

protected:
    ZorvaneEngine::Engine* engine;
    LevelManagerBase* levelManager;
    uint32_t stage = 0;
    uint32_t level = 0;
    float time = 0.0f;
};

class GUIStageCompleteWindowBase : public WindowControllerBase {
public:
    GUIStageCompleteWindowBase(ZorvaneEngine::Engine* engine, LevelManagerBase* levelManager)
        : engine(engine), levelManager(levelManager) {}
    // The stage and level numbers of the level that finished the stage.
    virtual void Open(const LevelInfo& level);

protected:
    ZorvaneEngine::Engine* engine;
    LevelManagerBase* levelManager;
    uint32_t stage = 0;
    uint32_t level = 0;
};

} // namespace GameFramework
