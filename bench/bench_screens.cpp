// What each screen costs the processor, in the game itself on the real
// drivers (Mesa's software rasterizer), paced at the display's rate as the
// game runs with "v_vsync" 1 and unpaced with "v_vsync" 0, in an 800 x 600
// window. The screens:
//   empty   the engine alone: a frame loop that clears and presents
//   menu    the main menu over its full background, for a player who has
//           finished the game (every stage's layer, the unicorn)
//   map     the level map of that player
//   level   the largest level with its path full of pieces, the queue
//           held by the pause brake so that it never reaches the hole
//   travel  the same level with its path half full, the pieces travelling
//           at their own speed: what a level costs while its queue moves
//   mini    the totem puzzle the map runs after a stage, its tiles settled
// Per screen and pacing: frames per second, processor time per frame (every
// thread's, the rasterizer's included), cores (processor seconds per
// second), the peak resident memory of the process that reached it, and
// the software rasterizer's drawing threads.
//
//   bench_screens [--seconds N] [--warmup N] [--screens a,b,...]
//       runs every screen, paced and unpaced, each in a process of its own
//       (its peak memory is that screen's), and prints the table;
//   bench_screens --one SCREEN --paced 0|1 [--seconds N] [--warmup N]
//       measures one and prints one line of key=value.
// Headless by default (SDL's offscreen video, dummy audio); under X:
//   SDL_VIDEODRIVER=x11 xvfb-run -a -s "-screen 0 1280x1024x24" bench_screens
// The user's LP_NUM_THREADS goes to the rasterizer as it is.
#include <stdio.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "framework/GameLoaderBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileManagerBase.h"
#include "game/common/Profile.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/MiniGame.h"
#include "game/gameplay/MiniGameCell.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "BenchInstallation.h"

namespace {

using BenchSupport::TheInstallation;

// The largest puzzle of the shipped levels.
constexpr uint32_t kLevelStage = 7;
constexpr uint32_t kLevelLevel = 4;
constexpr int kPatienceFrames = 5000;

double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The software rasterizer's drawing threads running in this process.
int RasterizerThreads()
{
    int count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        count += name.rfind("llvmpipe", 0) == 0 ? 1 : 0;
    }
    return count;
}

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Measurement {
    double fps = 0, cpuMs = 0, cores = 0, peakMb = 0;
    int threads = 0;
};

// Runs frames for warmup seconds, then measures over seconds.
Measurement Measure(const std::function<void()>& frame, double warmup, double seconds)
{
    for (const double until = Now() + warmup; Now() < until;)
        frame();
    const double cpu0 = ProcessSeconds();
    const double wall0 = Now();
    long frames = 0;
    while (Now() - wall0 < seconds) {
        frame();
        ++frames;
    }
    const double wall = Now() - wall0;
    const double cpu = ProcessSeconds() - cpu0;
    return Measurement{frames / wall, cpu / frames * 1000.0, cpu / wall, PeakMegabytes(), RasterizerThreads()};
}

class ScreensGame : public BenchSupport::BenchGame {
public:
    ScreensGame() : BenchGame("800x600x32") {}

    void Turn()
    {
        while (GameFramework::GameLoaderBase::DispatchNextEvent()) {
        }
        Update();
    }

    bool TurnUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < kPatienceFrames && !done(); ++i)
            Turn();
        return done();
    }

    bool FirstScreen()
    {
        CutLogosShort();
        return TurnUntil([&] { return FirstScreenIsUp(); });
    }

    // A player at the last level of the game, the game finished.
    ActionPuzzle::Profile* FinishedPlayer()
    {
        auto* player = static_cast<ActionPuzzle::Profile*>(profileManager->AddProfile(u"Ann"));
        profileManager->currentProfile = player;
        const auto& levels = levelManager->levels;
        player->stage = player->furthestStage = static_cast<uint32_t>(levels.size() - 1);
        player->level = player->furthestLevel = static_cast<uint32_t>(levels.back().size() - 1);
        player->endReached = true;
        player->gameNotCompleted = false;
        player->introductionPending = false;
        player->tutorialPending = false;
        return player;
    }

    bool MainMenu()
    {
        if (!FirstScreen())
            return false;
        FinishedPlayer();
        menuBackground->FollowProfile();
        menuBackground->FadeInLayers();
        welcomeWindow->Close();
        mainMenuWindow->Open();
        auto* menu = static_cast<ActionPuzzle::GUIMainMenuWindow*>(mainMenuWindow.get());
        return TurnUntil([&] { return menu->shown && menu->colour.a >= 1.0f && !menu->IsAnyControlAnimating(); });
    }

    ActionPuzzle::GUIStartGameLogicWindow& Map() const
    {
        return *static_cast<ActionPuzzle::GUIStartGameLogicWindow*>(startGameLogicWindow.get());
    }

    bool LevelMap()
    {
        if (!MainMenu())
            return false;
        mainMenuWindow->Close();
        Map().Open(GameFramework::LevelStartOpenMode::FromMainMenu);
        return TurnUntil([&] {
            return Map().shown && Map().colour.a >= 1.0f && Map().mapColour.a >= 1.0f && !Map().IsAnyControlAnimating();
        });
    }

    // The map after the first stage: its totem puzzle, scrambled and resting.
    bool MiniGame()
    {
        if (!FirstScreen())
            return false;
        ActionPuzzle::Profile* player = FinishedPlayer();
        player->stage = player->furthestStage = 1;
        player->level = player->furthestLevel = 0;
        player->endReached = false;
        player->gameNotCompleted = true;
        player->inProgress = true;
        menuBackground->UpdateStageIndex();
        menuBackground->FadeInLayers();
        welcomeWindow->Close();
        Map().Open(GameFramework::LevelStartOpenMode::AfterStage);
        ActionPuzzle::MiniGame& puzzle = *Map().miniGame;
        return TurnUntil([&] {
            if (puzzle.cells.empty())
                return false;
            for (const auto& cell : puzzle.cells)
                if (cell->scramblesLeft != 0 || !cell->IsResting())
                    return false;
            return Map().colour.a >= 1.0f;
        });
    }

    ActionPuzzle::GameLogic* Logic() const { return static_cast<ActionPuzzle::GameLogic*>(gameLogic.get()); }

    // freeShare: the share of the path left free before the hole when the
    // fast-forward stops.
    bool Level(float freeShare)
    {
        if (!FirstScreen())
            return false;
        GameFramework::ProfileBase* player = profileManager->AddProfile(u"Bench");
        profileManager->currentProfile = player;
        player->stage = player->furthestStage = kLevelStage;
        player->level = player->furthestLevel = kLevelLevel;
        // The loading waits for the menus to leave the screen.
        welcomeWindow->Close();
        startGameLogicWindow->result = GameFramework::WindowAction::Play;
        if (!TurnUntil([&] { return Logic() != nullptr; })) {
            std::fprintf(stderr, "bench_screens: the level did not start\n");
            return false;
        }
        // The path filled quickly: the queue runs at the fast-forward's
        // speed until a few pieces' room is left before the hole.
        ActionPuzzle::PuzzleDepository& path = *Logic()->GetDepository();
        path.introFinished = true;
        const float freeLength = std::max(150.0f, freeShare * path.pathLength);
        TurnUntil([&] {
            path.fastForward = 300.0f;
            return !path.GetQueue().empty() && path.freeLength <= freeLength;
        });
        path.fastForward = 0.0f;
        if (path.GetQueue().empty() || path.freeLength > freeLength) {
            std::fprintf(stderr, "bench_screens: the path did not fill (%zu pieces, %.0f free)\n",
                         path.GetQueue().size(), path.freeLength);
            return false;
        }
        return true;
    }

    // The level's frame with the queue held: the pause bonus' brake.
    void LevelTurn()
    {
        Logic()->GetDepository()->pauseTime = 10.0f;
        Turn();
    }

    bool LevelGoesOn() const
    {
        return Logic() != nullptr && Logic()->state == GameFramework::GameLogicState::Playing;
    }
};

bool InMode(const ZorvaneEngine::Engine& engine)
{
    ZorvaneEngine::Image screen;
    engine.renderer->CaptureScreen(screen);
    return screen.GetWidth() == 800 && screen.GetHeight() == 600;
}

// The engine without a game: nothing but the clear and the present.
int MeasureEmpty(bool paced, double warmup, double seconds, Measurement& result)
{
    const std::filesystem::path folder = TheInstallation().scratch / "empty";
    std::filesystem::create_directories(folder / "config");
    ZorvaneEngine::EngineSettings settings;
    settings.title = "Empty";
    settings.version = 100;
    settings.baseFolder = folder.string();
    settings.configName = "empty";
    settings.configFolder = (folder / "config").string();
    settings.videoMode = "800x600x32";
    settings.videoModeGiven = true;
    settings.fullscreenGiven = true;
    settings.fullscreen = false;
    settings.keepWindowSize = true;
    auto engine = std::make_unique<ZorvaneEngine::Engine>(settings);
    engine->config->verticalSync = paced;
    if (!InMode(*engine))
        return 1;
    result = Measure(
        [&] {
            while (GameFramework::GameLoaderBase::DispatchNextEvent()) {
            }
            engine->Update();
            engine->EndFrame();
        },
        warmup, seconds);
    return 0;
}

int MeasureOne(const std::string& screen, bool paced, double warmup, double seconds)
{
    TheInstallation().NewUser(std::string("v_vsync ") + (paced ? "1\n" : "0\n"));
    Measurement result;
    if (screen == "empty") {
        if (MeasureEmpty(paced, warmup, seconds, result) != 0) {
            std::fprintf(stderr, "bench_screens: empty: not in 800 x 600\n");
            return 1;
        }
    } else {
        ScreensGame game;
        game.Init();
        bool reached = false;
        std::function<void()> frame = [&] { game.Turn(); };
        if (screen == "menu") {
            reached = game.MainMenu();
        } else if (screen == "map") {
            reached = game.LevelMap();
        } else if (screen == "mini") {
            reached = game.MiniGame();
        } else if (screen == "level") {
            reached = game.Level(0.0f);
            frame = [&] { game.LevelTurn(); };
        } else if (screen == "travel") {
            reached = game.Level(0.5f);
        } else {
            std::fprintf(stderr, "bench_screens: no screen %s\n", screen.c_str());
            return 2;
        }
        if (!reached) {
            std::fprintf(stderr, "bench_screens: %s never came\n", screen.c_str());
            return 1;
        }
        if (!InMode(*game.Engine())) {
            std::fprintf(stderr, "bench_screens: %s: not in 800 x 600\n", screen.c_str());
            return 1;
        }
        result = Measure(frame, warmup, seconds);
        if ((screen == "level" || screen == "travel") && !game.LevelGoesOn()) {
            std::fprintf(stderr, "bench_screens: the level ended while measured\n");
            return 1;
        }
    }
    std::printf("screen=%s paced=%d fps=%.1f cpu_ms=%.2f cores=%.3f peak_mb=%.0f threads=%d\n", screen.c_str(),
                paced ? 1 : 0, result.fps, result.cpuMs, result.cores, result.peakMb, result.threads);
    return 0;
}

std::string Field(const std::string& line, const std::string& key)
{
    const size_t at = line.find(key + "=");
    if (at == std::string::npos)
        return "?";
    const size_t start = at + key.size() + 1;
    return line.substr(start, line.find(' ', start) - start);
}

int MeasureAll(const std::vector<std::string>& screens, double warmup, double seconds)
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* threads = std::getenv("LP_NUM_THREADS");
    std::printf("video driver %s, LP_NUM_THREADS %s, 800x600, %.0f s after %.0f s\n",
                driver ? driver : "offscreen", threads ? threads : "unset", seconds, warmup);
    std::printf("%-6s %-8s %8s %8s %7s %8s %8s\n", "screen", "pacing", "fps", "cpu_ms", "cores", "peak_MB",
                "lp_threads");
    int failures = 0;
    for (const std::string& screen : screens) {
        for (const bool paced : {true, false}) {
            std::ostringstream command;
            command << "/proc/" << getpid() << "/exe --one " << screen << " --paced " << (paced ? 1 : 0)
                    << " --warmup " << warmup << " --seconds " << seconds;
            FILE* child = popen(command.str().c_str(), "r");
            std::string line;
            char buffer[512];
            while (child != nullptr && std::fgets(buffer, sizeof buffer, child) != nullptr)
                if (std::strncmp(buffer, "screen=", 7) == 0)
                    line.assign(buffer, std::strcspn(buffer, "\n"));
            const int status = child != nullptr ? pclose(child) : -1;
            if (status != 0 || line.empty()) {
                std::printf("%-6s %-8s failed\n", screen.c_str(), paced ? "paced" : "unpaced");
                ++failures;
                continue;
            }
            std::printf("%-6s %-8s %8s %8s %7s %8s %8s\n", screen.c_str(), paced ? "paced" : "unpaced",
                        Field(line, "fps").c_str(), Field(line, "cpu_ms").c_str(), Field(line, "cores").c_str(),
                        Field(line, "peak_mb").c_str(), Field(line, "threads").c_str());
            std::fflush(stdout);
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string one;
    bool paced = true;
    double warmup = 3.0, seconds = 10.0;
    std::vector<std::string> screens{"empty", "menu", "map", "level", "travel", "mini"};
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--one") {
            one = value;
        } else if (key == "--paced") {
            paced = value != "0";
        } else if (key == "--warmup") {
            warmup = std::atof(value.c_str());
        } else if (key == "--seconds") {
            seconds = std::atof(value.c_str());
        } else if (key == "--screens") {
            screens.clear();
            std::stringstream list(value);
            for (std::string name; std::getline(list, name, ',');)
                screens.push_back(name);
        } else {
            std::fprintf(stderr, "bench_screens: unknown option %s\n", key.c_str());
            return 2;
        }
    }
    if (argc % 2 == 0) {
        std::fprintf(stderr, "bench_screens: %s wants a value\n", argv[argc - 1]);
        return 2;
    }
    return one.empty() ? MeasureAll(screens, warmup, seconds) : MeasureOne(one, paced, warmup, seconds);
}
