#pragma once
// A game for the framework's tests: the framework's game base with the
// product's names, started at once, counting its frames and able to fail or
// to ask for the end at a given frame.
#include <functional>
#include <string>

#include "engine/Engine.h"
#include "framework/GameBase.h"

namespace TestSupport {

class TestGame : public GameFramework::GameBase {
public:
    TestGame() : GameBase("Quobin Games", "Tangrove") { Init(); }

    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override {
        GameBase::FillEngineSettings(settings);
        settings.fullscreen = false;  // the desktop is smaller than a full screen of tests
    }

    void Update() override {
        ++frames;
        if (onFrame)
            onFrame(*this);
        GameBase::Update();
    }

    ZorvaneEngine::Engine* GetEngine() const { return engine.get(); }
    ZorvaneEngine::Config* GetConfig() const { return config; }
    ZorvaneEngine::Window* GetWindow() const { return window; }
    bool IsPausedByFocus() const { return pausedByFocus; }

    int frames = 0;
    std::function<void(TestGame&)> onFrame;
};

} // namespace TestSupport
