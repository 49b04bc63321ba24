// The loading screens' base: a keeper loads on a worker thread while the
// main thread only keeps the window alive, and what the load raises reaches
// the main thread.
#include "framework/GUILoadingWindowBase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/sound/SoundManager.h"
#include "framework/DataKeeper.h"

namespace GameFramework {
namespace {

using namespace ZorvaneEngine;

// A keeper whose load runs until the main thread has waited through a given
// number of polls (the scripted clock only moves when the main thread
// sleeps), or raises what it is told to.
class ProbeKeeper : public DataKeeper {
public:
    ProbeKeeper(Engine* engine, Platform::ScriptedSystem& clock) : DataKeeper(engine, "ge"), clock(clock) {}

    void Load() override
    {
        DataKeeper::Load();
        loadedOn = std::this_thread::get_id();
        if (fatalText) log->Fatal(fatalText);
        if (throwOther) throw std::runtime_error("out of memory");
        const uint64_t until = clock.Time() + pollsToWait * GUILoadingWindowBase::PollSleepMs;
        // Only a main thread that stopped polling takes this long.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
        do {
            // Sounds made while the main thread updates the sound manager.
            if (engine->soundManager && sounds.size() < 50)
                sounds.push_back(engine->soundManager->CreateSound("audio\\none.wav"));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        } while (clock.Time() < until && std::chrono::steady_clock::now() < giveUp);
    }

    Platform::ScriptedSystem& clock;
    uint32_t pollsToWait = 0;
    const char* fatalText = nullptr;
    bool throwOther = false;
    std::thread::id loadedOn;
    std::vector<Sound*> sounds;
};

class GUILoadingWindowBaseTest : public ::testing::Test {
protected:
    size_t Polls()
    {
        const std::vector<std::string>& journal = env.system.Journal();
        return static_cast<size_t>(std::count(journal.begin(), journal.end(), "Sleep 20"));
    }

    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(env.Settings());
    GUILoadingWindowBase window{engine.get()};
    ProbeKeeper keeper{engine.get(), env.scripted};
};

TEST_F(GUILoadingWindowBaseTest, TheMainThreadKeepsTheWindowAliveUntilTheWorkerHasLoaded)
{
    for (const bool fullscreen : {false, true}) {
        SCOPED_TRACE(fullscreen ? "full screen" : "windowed");
        ProbeKeeper keeper(engine.get(), env.scripted);
        keeper.pollsToWait = 3;
        engine->window->fullscreen = fullscreen;
        // A play request made before the load waits for the next frame; the
        // streams are refilled meanwhile.
        ASSERT_NE(engine->soundManager, nullptr);
        Sound* sound = engine->soundManager->CreateSound("audio\\none.wav");
        engine->soundManager->Play(sound, false);
        // A close request during the load issues "exit" and nothing more.
        engine->config->SetCommandDone("exit", true);
        env.windowing.InjectMessage(Platform::WM_CLOSE);
        env.system.ClearJournal();
        env.graphics.ClearCalls();

        window.Open(&keeper);
        window.RunLoading();

        EXPECT_TRUE(window.IsDone());
        EXPECT_NE(keeper.loadedOn, std::this_thread::get_id());
        EXPECT_NE(keeper.GetDefaultModel(), nullptr);
        EXPECT_GE(Polls(), 3u);
        EXPECT_EQ(env.windowing.PendingMessages(), 0u);
        EXPECT_FALSE(engine->config->IsCommandDone("exit"));
        // Windowed, the last frame is shown again after every empty poll.
        const size_t presents = env.graphics.CallsNamed("Surface::Blt").size();
        if (fullscreen)
            EXPECT_EQ(presents, 0u);
        else
            EXPECT_GE(presents, 3u);
        EXPECT_EQ(engine->soundManager->commandQueue.size(), 1u);
        EXPECT_FALSE(keeper.sounds.empty());
        engine->soundManager->DeleteSound(sound);
        for (Sound* made : keeper.sounds) engine->soundManager->DeleteSound(made);

        window.Close();
        EXPECT_FALSE(window.IsDone());
        EXPECT_EQ(window.GetKeeper(), nullptr);
    }
}

TEST_F(GUILoadingWindowBaseTest, WithoutAWorkerTheLoadRunsOnTheCallingThread)
{
    env.scripted.failThreadCreation = true;
    env.system.ClearJournal();
    window.Open(&keeper);
    window.RunLoading();
    EXPECT_TRUE(window.IsDone());
    EXPECT_EQ(keeper.loadedOn, std::this_thread::get_id());
    EXPECT_NE(keeper.GetDefaultModel(), nullptr);
    EXPECT_EQ(Polls(), 0u);
}

TEST_F(GUILoadingWindowBaseTest, AFailureOfTheLoadIsRaisedOnTheMainThread)
{
    keeper.fatalText = "Failed to read \"data\\ui\\menus\\background\\background.ini\" file";
    window.Open(&keeper);
    try {
        window.RunLoading();
        FAIL() << "nothing raised";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message, keeper.fatalText);
    }
    EXPECT_NE(keeper.loadedOn, std::this_thread::get_id());
    EXPECT_FALSE(window.IsDone());

    ProbeKeeper other(engine.get(), env.scripted);
    other.throwOther = true;
    window.Close();
    window.Open(&other);
    EXPECT_THROW(window.RunLoading(), std::runtime_error);
}

} // namespace
} // namespace GameFramework
