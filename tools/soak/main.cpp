// soak --out FOLDER [--seconds N] [--seed N] [--watchdog N]
// soak --check FOLDER
//
// The long run of the game under a random player. The real game runs
// headless (SDL's offscreen video and dummy audio unless the caller chose
// others) on the build's data, with its user folder in FOLDER/user, and a
// random but valid player acts only through SDL's event queue: pointer
// moves, clicks on the buttons on screen and anywhere, drags, right clicks
// held a while, keys, typed names, the window losing and regaining the
// focus (and restored after a minimise), Alt+Enter between windowed and
// full screen. In a level it also takes pieces from the path to their
// slots, so that levels are won as well as lost. When the player quits the
// game, it is started again with the next video mode written to its
// configuration, as a player who edits it between runs.
//
// The program's own loop is run here with a frame counter; a watchdog
// thread aborts the run when no frame came for the watchdog's seconds and
// rewrites FOLDER/status every second ("seconds frames runs actions").
// Every run's log is searched for error lines, which are copied to stderr.
// Exit code 0 when the time ran out with no fatal error and no error line;
// 1 for an error line or a fatal error; SIGABRT for a hang.
//
// --check loads what the runs saved in FOLDER/user, as the next start would:
// every profile, the profile list and the high-score table. A file that the
// game's own loading would reject, or would quietly rewrite, fails the check
// (exit code 1).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "framework/GameLoaderBase.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileBase.h"
#include "game/app/Game.h"
#include "game/common/ProfileManager.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/Puzzle.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "platform/input/ScanCodes.h"
#include "platform/system/FileSystem.h"
#include "tools/common/EventPlayer.h"

namespace fs = std::filesystem;

namespace {

const char* const kCompany = "Quobin Games";
const char* const kProduct = "Tangrove";
// The modes a restart writes to the configuration in turn.
const char* const kVideoModes[] = {"800x600x32", "640x480x32", "1024x768x32"};

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

fs::path Native(const std::string& gamePath)
{
    std::string path = gamePath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return fs::path(path);
}

bool ReadBytes(const fs::path& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// The real game; the player reads its state only to know where things are.
class SoakGame : public ActionPuzzle::Game {
public:
    SoakGame() : Game(kCompany, kProduct) {}
    ZorvaneEngine::Engine* Engine() const { return engine.get(); }
    ActionPuzzle::GameLogic* Logic() const { return static_cast<ActionPuzzle::GameLogic*>(gameLogic.get()); }

    // The controls that lead further into the game, where they are made:
    // a player who wants to play prefers them, so the run reaches the
    // levels and what follows them instead of circling the first menus.
    std::vector<const ZorvaneEngine::GUIWindow*> ForwardControls() const
    {
        using namespace ActionPuzzle;
        std::vector<const ZorvaneEngine::GUIWindow*> controls;
        auto add = [&](const GUIControl* control) {
            if (control != nullptr && control->widget != nullptr) controls.push_back(control->widget);
        };
        if (auto* menu = dynamic_cast<GUIMainMenuWindow*>(mainMenuWindow.get()))
            controls.push_back(menu->buttons[GUIMainMenuWindow::Start]);
        if (introductionWindow) add(introductionWindow->continueButton);
        if (tutorialWindow) add(tutorialWindow->continueButton);
        if (auto* map = dynamic_cast<GUIStartGameLogicWindow*>(startGameLogicWindow.get())) add(map->startButton);
        if (auto* offer = dynamic_cast<GUIContinueGameLogicWindow*>(continueGameLogicWindow.get()))
            add(offer->continueButton);
        if (auto* complete = dynamic_cast<GUILevelCompleteWindow*>(levelCompleteWindow.get()))
            add(complete->continueButton);
        if (auto* over = dynamic_cast<GUIGameOverWindow*>(gameOverWindow.get())) add(over->confirm);
        return controls;
    }
};

// Counters the watchdog reads from its own thread.
struct Progress {
    std::atomic<uint64_t> frames{0};
    std::atomic<uint64_t> actions{0};
    std::atomic<uint32_t> runs{0};
    // Levels begun, won and lost over every run.
    uint32_t levels = 0;
    uint32_t won = 0;
    uint32_t lost = 0;
};

// The random player: one action at a time, each a few steps spread over
// frames, as a hand moves.
class RandomPlayer {
public:
    RandomPlayer(uint32_t seed, Progress& progress) : random(seed), progress(progress) {}

    void Attach(SoakGame* game)
    {
        this->game = game;
        steps.clear();
        wait = 0;
        minimisedFrames = 0;
        level = nullptr;
        // A new window has the focus, as a desktop gives it; the offscreen
        // driver tells nobody.
        focusGiven = false;
    }

    // One frame's worth of the player.
    void Frame()
    {
        ZorvaneEngine::Engine* engine = game->Engine();
        if (engine == nullptr || engine->window == nullptr) return;
        hands.Attach(*engine);
        if (!focusGiven) {
            focusGiven = true;
            hands.Focus(true);
        }
        CountLevels();
        RestoreWhenMinimised();
        if (wait > 0) {
            --wait;
            return;
        }
        if (steps.empty()) {
            Choose();
            progress.actions.fetch_add(1);
        }
        // Steps run until one asks for frames to pass.
        while (!steps.empty() && wait == 0) {
            auto step = std::move(steps.front());
            steps.erase(steps.begin());
            step();
        }
    }

    // Buttons and keys let go, the focus back: nothing left half done.
    void LetGo()
    {
        if (game->Engine() == nullptr || game->Engine()->window == nullptr) return;
        hands.Attach(*game->Engine());
        hands.Button(0, false);
        hands.Button(1, false);
        hands.KeyChange(Platform::DIK_LMENU, false);
        hands.KeyChange(Platform::DIK_RETURN, false);
        steps.clear();
        wait = 0;
    }

private:
    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    float UniformF(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); }

    void Then(std::function<void()> step) { steps.push_back(std::move(step)); }
    void Pause(int frames)
    {
        Then([this, frames] { wait = frames; });
    }

    // The pointer to a point of the 800 by 600 interface (y up).
    void MoveNow(float x, float y)
    {
        hands.PointAt(ZorvaneEngine::Vector2(x, y));
        pointerX = x;
        pointerY = y;
    }
    // Over a few frames, from where the pointer is.
    void Glide(float x, float y, int stepsCount)
    {
        const float fromX = pointerX;
        const float fromY = pointerY;
        for (int i = 1; i <= stepsCount; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(stepsCount);
            Then([this, fromX, fromY, x, y, t] { MoveNow(fromX + (x - fromX) * t, fromY + (y - fromY) * t); });
            Pause(1);
        }
        pointerX = x;
        pointerY = y;
    }
    void Press(int button, int holdFrames)
    {
        Then([this, button] { hands.Button(button, true); });
        Pause(holdFrames);
        Then([this, button] { hands.Button(button, false); });
        Pause(2);
    }
    void Key(uint32_t scanCode)
    {
        Then([this, scanCode] { hands.KeyChange(scanCode, true); });
        Pause(1);
        Then([this, scanCode] { hands.KeyChange(scanCode, false); });
        Pause(1);
    }

    void CountLevels()
    {
        const ActionPuzzle::GameLogic* now = game->Logic();
        if (now != level) {
            level = now;
            levelState = GameFramework::GameLogicState::Playing;
            if (now != nullptr) ++progress.levels;
        }
        if (now == nullptr || now->state == levelState) return;
        levelState = now->state;
        if (levelState == GameFramework::GameLogicState::Won) ++progress.won;
        if (levelState == GameFramework::GameLogicState::Lost) ++progress.lost;
    }

    // A minimised window comes back after a while, as the player clicks it
    // in the task bar.
    void RestoreWhenMinimised()
    {
        if (!game->Engine()->window->minimised) {
            minimisedFrames = 0;
            return;
        }
        if (++minimisedFrames == 90) {
            hands.Restore();
            hands.Focus(true);
        }
    }

    // A point within a random button, check box or edit box on screen; one
    // that leads further into the game half the time when there is one.
    bool PickControl(float& x, float& y)
    {
        std::vector<const ZorvaneEngine::GUIWindow*> shown;
        if (Uniform(0, 1) == 0) {
            for (const ZorvaneEngine::GUIWindow* control : game->ForwardControls())
                if (control != nullptr && control->effectivelyVisible) shown.push_back(control);
        }
        const ZorvaneEngine::GUIManager& gui = *game->Engine()->guiManager;
        if (shown.empty()) {
            for (const auto* button : gui.buttons.GetSlots())
                if (button != nullptr && button->effectivelyVisible) shown.push_back(button);
            for (const auto* box : gui.checkBoxes.GetSlots())
                if (box != nullptr && box->effectivelyVisible) shown.push_back(box);
            for (const auto* box : gui.editBoxes.GetSlots())
                if (box != nullptr && box->effectivelyVisible) shown.push_back(box);
        }
        if (shown.empty()) return false;
        const ZorvaneEngine::GUIWindow& widget = *shown[static_cast<size_t>(Uniform(0, static_cast<int>(shown.size()) - 1))];
        ZorvaneEngine::Vector2 corner = widget.GetAbsolutePosition();
        ZorvaneEngine::Vector2 extent = widget.size;
        if (widget.hitAreaOn) {
            corner = ZorvaneEngine::Vector2(corner.x + widget.hitAreaOffset.x, corner.y + widget.hitAreaOffset.y);
            extent = widget.hitAreaSize;
        }
        x = corner.x + extent.x * UniformF(0.3f, 0.7f);
        y = corner.y + extent.y * UniformF(0.3f, 0.7f);
        return true;
    }

    // A piece of the path whose slot is open, carried to its slot.
    bool PlayPiece()
    {
        ActionPuzzle::GameLogic* logic = game->Logic();
        if (logic == nullptr || logic->state != GameFramework::GameLogicState::Playing) return false;
        ActionPuzzle::Puzzle* board = logic->GetPuzzle();
        ActionPuzzle::PuzzleDepository* path = logic->GetDepository();
        if (board == nullptr || path == nullptr) return false;
        std::vector<ActionPuzzle::PuzzleElement*> open;
        for (const auto& entry : path->GetQueue())
            if (entry.piece->index < board->slots.size() && !board->slots[entry.piece->index]->blocked)
                open.push_back(entry.piece);
        if (open.empty()) return false;
        ActionPuzzle::PuzzleElement* piece = open[static_cast<size_t>(Uniform(0, static_cast<int>(open.size()) - 1))];
        const uint32_t index = piece->index;
        Glide(piece->centre.x, piece->centre.y, 2);
        // The piece moves on along the path while the hand comes: aimed
        // again at the last moment.
        Then([this, index] {
            // By its index: the level may have ended meanwhile, its pieces gone.
            ActionPuzzle::GameLogic* now = game->Logic();
            if (now == nullptr || now->GetPieceManager() == nullptr) return;
            for (const auto& each : now->GetPieceManager()->pieces)
                if (each->index == index) MoveNow(each->centre.x, each->centre.y);
        });
        Press(0, 1);
        Then([this, index] {
            ActionPuzzle::GameLogic* now = game->Logic();
            if (now == nullptr || now->GetPuzzle() == nullptr || now->GetDepository() == nullptr) return;
            ActionPuzzle::Puzzle& puzzle = *now->GetPuzzle();
            if (index >= puzzle.slots.size()) return;
            const ZorvaneEngine::Vector2 slot = puzzle.GetSlotCentre(*puzzle.slots[index]);
            const ZorvaneEngine::Vector2 grip = now->GetDepository()->grabOffset;
            MoveNow(slot.x - grip.x, slot.y - grip.y);
        });
        Pause(2);
        Press(0, 1);
        return true;
    }

    void TypeName()
    {
        static const char* const pieces[] = {"a", "e", "i", "o", "u", "n", "r", "s", "t", "l", "m", "k",
                                             "A", "B", "Z", " ", "ä", "ö", "ü", "ß", "é", "Ø", ".", "-", "1"};
        const int length = Uniform(1, 18);
        for (int i = 0; i < length; ++i) {
            const std::string piece = pieces[Uniform(0, static_cast<int>(std::size(pieces)) - 1)];
            Then([this, piece] { hands.Text(piece); });
            Pause(Uniform(1, 4));
        }
        if (Uniform(0, 3) > 0) Key(Platform::DIK_RETURN);
    }

    void Choose()
    {
        float x = 0.0f;
        float y = 0.0f;
        // A name asked for is typed more often than anything else is done.
        for (const auto* box : game->Engine()->guiManager->editBoxes.GetSlots()) {
            if (box != nullptr && box->effectivelyVisible && Uniform(0, 2) == 0) {
                TypeName();
                return;
            }
        }
        const int roll = Uniform(0, 99);
        // Outside a level its share goes to the buttons.
        if (roll >= 30 && roll < 55 && PlayPiece()) return;
        if (roll < 55) {
            // The buttons on screen: most of what a player does.
            if (!PickControl(x, y)) {
                x = UniformF(0.0f, 800.0f);
                y = UniformF(0.0f, 600.0f);
            }
            Glide(x, y, Uniform(2, 8));
            Pause(Uniform(0, 10));
            Press(0, Uniform(1, 4));
        } else if (roll < 65) {
            Glide(UniformF(0.0f, 800.0f), UniformF(0.0f, 600.0f), Uniform(1, 12));
        } else if (roll < 72) {
            Glide(UniformF(0.0f, 800.0f), UniformF(0.0f, 600.0f), Uniform(1, 5));
            Press(0, 1);
            if (Uniform(0, 4) == 0) Press(0, 1);  // a double click
        } else if (roll < 77) {
            // A drag.
            Glide(UniformF(0.0f, 800.0f), UniformF(0.0f, 600.0f), Uniform(1, 5));
            Then([this] { hands.Button(0, true); });
            Pause(1);
            Glide(UniformF(0.0f, 800.0f), UniformF(0.0f, 600.0f), Uniform(3, 15));
            Then([this] { hands.Button(0, false); });
            Pause(2);
        } else if (roll < 81) {
            // Right button, held from a click to a few seconds.
            Glide(UniformF(0.0f, 800.0f), UniformF(0.0f, 600.0f), Uniform(1, 5));
            Press(1, Uniform(0, 3) == 0 ? Uniform(30, 200) : Uniform(1, 4));
        } else if (roll < 91) {
            static const uint32_t keys[] = {Platform::DIK_ESCAPE, Platform::DIK_RETURN, Platform::DIK_SPACE,
                                            Platform::DIK_UP,     Platform::DIK_DOWN,   Platform::DIK_LEFT,
                                            Platform::DIK_RIGHT,  Platform::DIK_BACK,   Platform::DIK_TAB,
                                            Platform::DIK_P,      Platform::DIK_A,      Platform::DIK_DELETE,
                                            Platform::DIK_HOME,   Platform::DIK_END};
            // Escape and Return less often: each ends most screens.
            const uint32_t key = keys[static_cast<size_t>(Uniform(0, static_cast<int>(std::size(keys)) - 1))];
            if ((key == Platform::DIK_ESCAPE || key == Platform::DIK_RETURN) && Uniform(0, 1) == 0)
                Pause(1);
            else
                Key(key);
        } else if (roll < 96) {
            TypeName();
        } else if (roll < 99) {
            // Away to another program and back.
            Then([this] { hands.Focus(false); });
            Pause(Uniform(5, 180));
            Then([this] {
                hands.Restore();
                hands.Focus(true);
            });
            Pause(2);
        } else {
            // Alt+Enter: windowed and full screen swap.
            Then([this] { hands.KeyChange(Platform::DIK_LMENU, true); });
            Pause(1);
            Key(Platform::DIK_RETURN);
            Then([this] { hands.KeyChange(Platform::DIK_LMENU, false); });
            Pause(Uniform(30, 120));
        }
    }

    std::mt19937 random;
    Progress& progress;
    SoakGame* game = nullptr;
    // Its steps run inside the program's loop, so the hands run no frames.
    Tools::EventPlayer hands;
    std::vector<std::function<void()>> steps;
    int wait = 0;
    int minimisedFrames = 0;
    bool focusGiven = false;
    const ActionPuzzle::GameLogic* level = nullptr;
    GameFramework::GameLogicState levelState = GameFramework::GameLogicState::Playing;
    float pointerX = 400.0f;
    float pointerY = 300.0f;
};

// One start of the program, to its end: the player's quit or the time.
class SoakRun : public GameFramework::GameLoaderBase {
public:
    SoakRun(RandomPlayer& player, Progress& progress, double deadline)
        : GameLoaderBase(nullptr, nullptr, "", 1), player(player), progress(progress), deadline(deadline)
    {
        Run();
    }

    void CreateGame() override { SetGame(std::make_unique<SoakGame>()); }

    // The loader's own loop (an event, else a frame) with the player's
    // input between frames. At the deadline the window is closed, as the
    // desktop closes it.
    void RunMessageLoop() override
    {
        auto& game = *static_cast<SoakGame*>(GetGame());
        player.Attach(&game);
        bool closing = false;
        for (;;) {
            if (!DispatchNextEvent()) {
                game.Update();
                progress.frames.fetch_add(1);
                if (!closing && Now() >= deadline) {
                    closing = true;
                    player.LetGo();
                    Tools::EventPlayer::Quit();
                } else if (!closing) {
                    player.Frame();
                }
            }
            // "exit" issued (no longer done), or nothing left that could
            // ever issue it.
            const ZorvaneEngine::Engine* engine = game.Engine();
            if (engine == nullptr || engine->config == nullptr || !engine->config->IsCommandDone("exit")) break;
        }
        loopEnded = true;
    }

    bool loopEnded = false;

private:
    RandomPlayer& player;
    Progress& progress;
    double deadline;
};

// The red lines of a run's log: errors and the fatal one.
int ReportLogErrors(const fs::path& logFile, uint32_t run)
{
    std::string text;
    if (!ReadBytes(logFile, text)) return 0;
    int errors = 0;
    for (const char* marker : {"Error: ", "PROGRAM ABORTING"}) {
        for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
            const size_t end = text.find_first_of("<\n", at + std::strlen(marker));
            std::fprintf(stderr, "soak: run %u log: %s\n", run, text.substr(at, end - at).c_str());
            ++errors;
        }
    }
    return errors;
}

// The next start's video mode, written into the configuration as a player
// edits it between runs; windowed, as the offscreen desktop has no full
// screen to start in.
void WriteVideoMode(const fs::path& configFile, const char* mode)
{
    std::vector<std::string> lines;
    {
        std::ifstream in(configFile);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("v_mode ", 0) != 0 && line.rfind("v_fullscreen ", 0) != 0) lines.push_back(line);
    }
    lines.push_back(std::string("v_mode ") + mode);
    lines.push_back("v_fullscreen 0");
    fs::create_directories(configFile.parent_path());
    std::ofstream out(configFile, std::ios::trunc);
    for (const std::string& line : lines) out << line << "\n";
}

int Soak(const fs::path& out, double seconds, uint32_t seed, double watchdogSeconds)
{
    fs::remove_all(out / "user");
    fs::create_directories(out);
    setenv("XDG_DATA_HOME", (out / "user/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (out / "user/config").c_str(), 1);
    const fs::path userFolder = out / "user/data" / kCompany / kProduct;
    const fs::path configFile = userFolder / (std::string(kProduct) + ".ini");

    Progress progress;
    const double start = Now();
    const double deadline = start + seconds;
    std::atomic<bool> finished{false};
    std::thread watchdog([&] {
        uint64_t lastFrames = 0;
        double lastChange = Now();
        while (!finished.load()) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const uint64_t frames = progress.frames.load();
            const double now = Now();
            if (frames != lastFrames) {
                lastFrames = frames;
                lastChange = now;
            } else if (now - lastChange > watchdogSeconds) {
                std::fprintf(stderr, "soak: hang: no frame for %.0f s after frame %llu\n", now - lastChange,
                             static_cast<unsigned long long>(frames));
                std::fflush(stderr);
                std::abort();
            }
            std::ofstream status(out / "status.tmp", std::ios::trunc);
            status << static_cast<long>(now - start) << " " << frames << " " << progress.runs.load() << " "
                   << progress.actions.load() << "\n";
            status.close();
            std::error_code ignored;
            fs::rename(out / "status.tmp", out / "status", ignored);
        }
    });

    RandomPlayer player(seed, progress);
    int errors = 0;
    bool fatal = false;
    uint32_t run = 0;
    while (Now() < deadline && !fatal) {
        WriteVideoMode(configFile, kVideoModes[run % std::size(kVideoModes)]);
        ++run;
        progress.runs.store(run);
        bool ended = false;
        {
            SoakRun soak(player, progress, deadline);
            ended = soak.loopEnded;
        }
        errors += ReportLogErrors(userFolder / (std::string(kProduct) + ".html"), run);
        if (!ended) {
            std::fprintf(stderr, "soak: run %u ended by a fatal error\n", run);
            fatal = true;
        }
    }
    finished.store(true);
    watchdog.join();
    std::printf("soak: %.0f s, %u runs, %llu frames, %llu actions, %u levels begun (%u won, %u lost), "
                "%d error lines%s\n",
                Now() - start, run, static_cast<unsigned long long>(progress.frames.load()),
                static_cast<unsigned long long>(progress.actions.load()), progress.levels, progress.won,
                progress.lost, errors, fatal ? ", fatal error" : "");
    return errors == 0 && !fatal ? 0 : 1;
}

// --- The check of the saved files ---

int Check(const fs::path& out)
{
    const fs::path userPath = out / "user/data" / kCompany / kProduct;
    const std::string userFolder = userPath.string();
    ZorvaneEngine::MessageManager log("", "check", "Check", false, false);
    ZorvaneEngine::FileManager files("data", &log, out.string());
    int failures = 0;
    auto fail = [&](const std::string& what) {
        std::fprintf(stderr, "soak check: %s\n", what.c_str());
        ++failures;
    };

    // Each profile on its own: the start-up skips one it cannot read.
    ActionPuzzle::ProfileManager reader(&log, &files, nullptr, userFolder);
    size_t profileFiles = 0;
    for (const Platform::FoundFile& found : Platform::FindFiles(userFolder + "/profiles", "*.prf")) {
        if (found.folder) continue;
        ++profileFiles;
        try {
            std::unique_ptr<GameFramework::ProfileBase> profile = reader.LoadProfile(found.name);
            if (!profile) fail("profile " + found.name + " did not load");
        } catch (const ZorvaneEngine::Error& error) {
            // The reason is in the log, read below.
            fail("profile " + found.name + " does not load" + (error.message.empty() ? "" : ": " + error.message));
        }
    }

    // The list and the table: the game rewrites one it cannot read, so a
    // file that changes on loading was not read.
    ActionPuzzle::ProfileManager manager(&log, &files, nullptr, userFolder);
    std::string listBefore;
    const bool listThere = ReadBytes(Native(manager.GetListPath()), listBefore);
    try {
        manager.LoadProfiles();
    } catch (const ZorvaneEngine::Error& error) {
        fail("profiles: " + error.message);
    }
    std::string listAfter;
    ReadBytes(Native(manager.GetListPath()), listAfter);
    if (!listThere && profileFiles > 0) fail("no profile list beside " + std::to_string(profileFiles) + " profiles");
    if (listThere && listBefore != listAfter) fail("the profile list was rewritten on loading: it was unreadable");
    if (manager.GetProfiles().size() != profileFiles) fail("not every profile loaded");
    if (profileFiles > 0 && manager.currentProfile == nullptr) fail("no current profile");

    std::string tableBefore;
    std::string tableAfter;
    const fs::path tablePath = Native(userFolder + "/high_scores.hsf");
    const bool tableThere = ReadBytes(tablePath, tableBefore);
    size_t entries = 0;
    if (tableThere) {
        GameFramework::HighScoresTable table(&log, &files, userFolder);
        ReadBytes(tablePath, tableAfter);
        entries = table.GetEntries().size();
        for (size_t i = 1; i < entries; ++i) {
            const auto& previous = *table.GetEntries()[i - 1];
            const auto& entry = *table.GetEntries()[i];
            if (previous.mode == entry.mode && previous.score < entry.score) fail("high scores out of order");
        }
        if (tableBefore != tableAfter) fail("the high-score table was rewritten on loading: it was unreadable");
    }

    for (const ZorvaneEngine::LogMessage& message : log.GetFrameMessages())
        if (message.level >= 2) fail("log: " + message.text);

    std::printf("soak check: %zu profiles, profile list %s, %zu high scores%s: %s\n", profileFiles,
                listThere ? "present" : "absent", entries, tableThere ? "" : " (no table saved)",
                failures == 0 ? "all load" : "FAILED");
    return failures == 0 ? 0 : 1;
}

void Usage()
{
    std::fprintf(stderr,
                 "usage: soak --out FOLDER [--seconds N] [--seed N] [--watchdog N]\n"
                 "       soak --check FOLDER\n");
}

} // namespace

int main(int argc, char** argv)
{
    fs::path out;
    fs::path check;
    double seconds = 3600.0;
    double watchdog = 60.0;
    uint32_t seed = static_cast<uint32_t>(std::random_device{}());
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            Usage();
            return 2;
        }
        const std::string value = argv[++i];
        if (option == "--out")
            out = fs::absolute(value);
        else if (option == "--check")
            check = fs::absolute(value);
        else if (option == "--seconds")
            seconds = std::atof(value.c_str());
        else if (option == "--seed")
            seed = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        else if (option == "--watchdog")
            watchdog = std::atof(value.c_str());
        else {
            Usage();
            return 2;
        }
    }
    if (!check.empty()) return Check(check);
    if (out.empty() || seconds <= 0.0 || watchdog <= 0.0) {
        Usage();
        return 2;
    }
    // The program finds its data beside itself, as the game does.
    const fs::path self = fs::canonical("/proc/self/exe").parent_path();
    if (!fs::exists(self / "data")) fs::create_directory_symlink(self.parent_path() / "data", self / "data");
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::printf("soak: seed %u, %.0f s\n", seed, seconds);
    std::fflush(stdout);
    return Soak(out, seconds, seed, watchdog);
}
