#include "framework/GameLoaderBase.h"

#include <gtest/gtest.h>

#include <new>

#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Error.h"
#include "engine/core/Window.h"
#include "framework/TestGame.h"

namespace GameFramework {
namespace {

using namespace Platform;
using TestSupport::EngineTestEnvironment;
using TestSupport::ReadWholeFile;
using TestSupport::TestGame;

// A loader whose factory the test chooses; Run is called by the test.
class TestLoader : public GameLoaderBase {
public:
    explicit TestLoader(std::function<std::unique_ptr<GameBase>()> factory)
        : GameLoaderBase(nullptr, nullptr, "-any thing", 1), factory(std::move(factory)) {}
    void CreateGame() override { SetGame(factory()); }

    std::function<std::unique_ptr<GameBase>()> factory;
};

TEST(GameLoaderBase, ErrorsEndInTheFatalBox)
{
    struct Case {
        const char* name;
        std::function<void()> fail;
        const char* text;
    };
    const Case cases[] = {
        {"fatal", [] { throw ZorvaneEngine::FatalError("X"); }, "X"},
        {"error", [] { throw ZorvaneEngine::Error("Y"); }, "Unhandled exception!"},
        {"allocation", [] { throw std::bad_alloc(); }, "Unhandled exception!"},
    };
    for (const Case& c : cases) {
        for (bool inFrame : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (inFrame ? " in a frame" : " in the factory"));
            EngineTestEnvironment env;
            TestLoader loader([&]() -> std::unique_ptr<GameBase> {
                if (!inFrame)
                    c.fail();
                auto game = std::make_unique<TestGame>();
                game->onFrame = [&](TestGame&) { c.fail(); };
                return game;
            });
            loader.Run();
            EXPECT_EQ(loader.GetGame(), nullptr);
            EXPECT_EQ(loader.GetExitStatus(), 1);
            ASSERT_EQ(env.windowing.messageBoxes.size(), 1u);
            EXPECT_EQ(env.windowing.messageBoxes[0].text, c.text);
            EXPECT_EQ(env.windowing.messageBoxes[0].title, "Fatal Error");
            EXPECT_EQ(env.windowing.messageBoxes[0].flags, MB_ICONERROR);
            // Deleting again finds nothing.
            loader.DeleteGame();
        }
    }
}

TEST(GameLoaderBase, AFatalDataErrorOfTheLoadOnTheWorkerEndsInTheFatalBox)
{
    EngineTestEnvironment env;
    const char* const text = "The background list holds no layer";
    TestLoader loader([&] {
        TestGame::Options options;
        options.gameDataFatal = text;
        auto game = std::make_unique<TestGame>(options);
        env.windowing.focus = game->GetWindow()->handle;
        // The logos end at once and the start-up load begins.
        game->Screen("logos")->next = WindowAction::Done;
        return game;
    });
    loader.Run();
    EXPECT_EQ(loader.GetGame(), nullptr);
    ASSERT_EQ(env.windowing.messageBoxes.size(), 1u);
    EXPECT_EQ(env.windowing.messageBoxes[0].text, text);
    EXPECT_EQ(env.windowing.messageBoxes[0].title, "Fatal Error");
    EXPECT_NE(ReadWholeFile(env.LogPath()).find(std::string("PROGRAM ABORTING: ") + text), std::string::npos);
}

TEST(GameLoaderBase, FailedStartUpWritesTheAbortAndTheFooter)
{
    EngineTestEnvironment env;
    env.windowing.failCreateWindow = true;
    TestLoader loader([] { return std::make_unique<TestGame>(); });
    loader.Run();
    ASSERT_EQ(env.windowing.messageBoxes.size(), 1u);
    EXPECT_EQ(env.windowing.messageBoxes[0].text, "Failed to create window");
    const std::string log = ReadWholeFile(env.LogPath());
    EXPECT_NE(log.find("PROGRAM ABORTING: Failed to create window"), std::string::npos);
    EXPECT_NE(log.find("Tangrove Log end: "), std::string::npos);
}

TEST(GameLoaderBase, EventsFirstThenFramesUntilExit)
{
    EngineTestEnvironment env;
    std::vector<size_t> pendingAtFrame;
    TestLoader loader([&] {
        auto game = std::make_unique<TestGame>();
        // Arrives while the game runs: three key presses before any frame.
        for (int key = 0; key < 3; ++key)
            env.windowing.InjectMessage(WM_KEYDOWN, VK_A + key);
        game->onFrame = [&](TestGame& g) {
            pendingAtFrame.push_back(env.windowing.PendingMessages());
            if (g.frames == 2)
                g.GetEngine()->RequestExit();
        };
        return game;
    });
    loader.Run();
    // Every event went before the first frame; the frame that issued "exit"
    // was the last, and the game was deleted after the loop without a box.
    EXPECT_EQ(pendingAtFrame, (std::vector<size_t>{0, 0}));
    EXPECT_EQ(env.windowing.CountCalls("DispatchMessage"), 3);
    EXPECT_EQ(loader.GetGame(), nullptr);
    EXPECT_TRUE(env.windowing.messageBoxes.empty());
    EXPECT_EQ(loader.GetExitStatus(), 0);
    EXPECT_EQ(loader.GetCommandLine(), "-any thing");
}

TEST(GameLoaderBase, ExitIssuedByAnEventEndsTheLoopBeforeTheNextTurn)
{
    EngineTestEnvironment env;
    int frames = 0;
    TestLoader loader([&] {
        auto game = std::make_unique<TestGame>();
        game->onFrame = [&](TestGame&) { ++frames; };
        env.windowing.InjectMessage(WM_KEYDOWN, VK_A);
        env.windowing.InjectMessage(WM_CLOSE);
        env.windowing.InjectMessage(WM_KEYDOWN, VK_A);
        return game;
    });
    loader.Run();
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(env.windowing.CountCalls("DispatchMessage"), 2);
    EXPECT_EQ(env.windowing.PendingMessages(), 1u);
}

} // namespace
} // namespace GameFramework
