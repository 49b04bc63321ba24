// Levels played on the real engine as a player plays them: the built data
// set, SDL's offscreen video and dummy audio, and the player's mouse through
// SDL (the pointer warped to screen positions, the buttons pushed into its
// event queue). The game starts as a user starts it; the test makes a
// player and starts a level through the level start screen's result, and
// then only moves and clicks. It reads the level's state to know where to
// click, as a player looks at the screen.
//
// The game's clock runs a few times faster than the wall clock, so that the
// slow sanitised frames still play a level in a reasonable time; it never
// jumps more than a fast frame's worth between two readings, so a loaded
// machine slows the level down instead of letting the queue outrun the
// scripted player.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "engine/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileManagerBase.h"
#include "framework/ScoreKeeper.h"
#include "game/app/Game.h"
#include "game/app/LevelManager.h"
#include "game/app/Profile.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/gameplay/Bonus.h"
#include "game/gameplay/BonusManager.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/Puzzle.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"
#include "platform/system/System.h"
#include "platform/system/TemporaryFolder.h"
#include "platform/window/SdlWindowAccess.h"
#include "tools/common/PngWriter.h"

namespace ActionPuzzle {
namespace {

using GameFramework::GameLogicState;
using GameFramework::WindowAction;
using ZorvaneEngine::Vector2;

// The real system with the game's clock moved on by the test: a fixed step
// a frame (three frames of a 60 Hz display), so a loaded machine slows the
// level down instead of letting its queue outrun the scripted player.
// Between two steps the clock still creeps with the wall clock, a little,
// so that nothing waiting on it within a frame waits for ever.
class TimeLapseSystem final : public Platform::System {
public:
    static constexpr int64_t FrameStepUs = 50000;
    static constexpr int64_t MaxCreepUs = 10000;

    TimeLapseSystem(Platform::System& real, uint32_t factor) : real(real), factor(factor) {}
    uint32_t GetTickCount() override { return static_cast<uint32_t>(NowUs() / 1000); }
    uint32_t TimeGetTime() override { return static_cast<uint32_t>(NowUs() / 1000); }
    bool TimeGetDevCaps(uint32_t& period) override { return real.TimeGetDevCaps(period); }
    void TimeBeginPeriod(uint32_t period) override { real.TimeBeginPeriod(period); }
    void TimeEndPeriod(uint32_t period) override { real.TimeEndPeriod(period); }
    int64_t QueryPerformanceCounter() override
    {
        return static_cast<int64_t>(static_cast<__int128>(NowUs()) * real.QueryPerformanceFrequency() / 1000000);
    }
    int64_t QueryPerformanceFrequency() override { return real.QueryPerformanceFrequency(); }
    void Sleep(uint32_t ms) override { real.Sleep(ms); }
    std::unique_ptr<Platform::Thread> CreateThread(std::function<void()> function) override
    {
        return real.CreateThread(std::move(function));
    }
    bool RegQueryString(Platform::RegistryRoot root, const std::string& key, const std::string& name,
                        std::string& value) override
    {
        return real.RegQueryString(root, key, name, value);
    }
    Platform::HRESULT CoInitialize() override { return real.CoInitialize(); }
    void CoUninitialize() override { real.CoUninitialize(); }
    bool ShellOpen(const std::string& path) override { return real.ShellOpen(path); }
    std::string GetModuleFileName() override { return real.GetModuleFileName(); }
    std::string GetAppDataFolder() override { return real.GetAppDataFolder(); }

    // One frame's time on.
    void Step()
    {
        std::lock_guard<std::mutex> lock(mutex);
        frameUs += FrameStepUs;
        frameWallUs = WallUs();
    }

private:
    static int64_t WallUs()
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    // Microseconds of the game's clock; the loading thread reads it too.
    int64_t NowUs()
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (frameWallUs < 0) {
            frameWallUs = WallUs();
            frameUs = frameWallUs * factor;
        }
        return frameUs + std::min((WallUs() - frameWallUs) * factor, MaxCreepUs);
    }

    Platform::System& real;
    int64_t factor;
    std::mutex mutex;
    int64_t frameWallUs = -1;
    int64_t frameUs = 0;
};

class PlayedGame : public Game {
public:
    PlayedGame() : Game("Quobin Games", "Tangrove", false) {}
    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override
    {
        Game::FillEngineSettings(settings);
        settings.fullscreen = false;  // the offscreen desktop has no full screen
    }
    using Game::Init;
    ZorvaneEngine::Engine* Engine() const { return engine.get(); }
    GameFramework::ProfileManagerBase* Profiles() const { return profileManager.get(); }
    GameLogic* Logic() const { return static_cast<GameLogic*>(gameLogic.get()); }
    bool LevelCompleteOpened() const { return levelCompleteOpened; }
    GUILevelCompleteWindow* LevelComplete() const
    {
        return static_cast<GUILevelCompleteWindow*>(levelCompleteWindow.get());
    }
    GUIGameOverWindow* GameOver() const { return static_cast<GUIGameOverWindow*>(gameOverWindow.get()); }
    GUIStartGameLogicWindow* Map() const { return static_cast<GUIStartGameLogicWindow*>(startGameLogicWindow.get()); }
    void CloseWelcome() { welcomeWindow->Close(); }
    bool GameOverOpened() const { return gameOverOpened; }
    void CutLogosShort() { logosWindow->result = WindowAction::Done; }
    bool FirstScreenIsUp() const { return welcomeWindow != nullptr && gameOverWindow != nullptr; }
    // As the level start screen leaves it when the player chooses to play,
    // the first screen's window gone, as the menus on the way close theirs.
    void ChoosePlay()
    {
        welcomeWindow->Close();
        startGameLogicWindow->result = WindowAction::Play;
    }

protected:
    void OnLevelWon() override
    {
        Game::OnLevelWon();
        levelCompleteOpened = true;
    }
    void OnLevelLost() override
    {
        Game::OnLevelLost();
        gameOverOpened = true;
    }

private:
    bool levelCompleteOpened = false;
    bool gameOverOpened = false;
};

class LevelPlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        // Frames as fast as they come: the clock is sped up instead.
        std::filesystem::create_directories(UserFolder());
        std::ofstream(UserFolder() + "/Tangrove.ini") << "v_vsync 0\n";
        previousSystem = Platform::SetSystem(&timeLapse);
        game = std::make_unique<PlayedGame>();
        game->Init();
        game->CutLogosShort();
        for (int frame = 0; frame < 3000 && !game->FirstScreenIsUp(); ++frame) Frame();
        ASSERT_TRUE(game->FirstScreenIsUp());
        window = Platform::GetSdlWindow(game->Engine()->window->handle);
        ASSERT_NE(window, nullptr);
        // The offscreen driver never gives a window the mouse focus, so the
        // pointer is read as a desktop position less the window's: with the
        // window at the desktop's corner the two agree.
        SDL_SetWindowPosition(window, 0, 0);
    }
    void TearDown() override
    {
        game.reset();
        Platform::SetSystem(previousSystem);
    }

    std::string UserFolder() const { return folder / "data/Quobin Games/Tangrove"; }

    // A new player at the level, the level chosen on the level start screen
    // and played once its load has finished.
    void StartLevel(uint32_t stage, uint32_t level, bool relax)
    {
        GameFramework::ProfileBase* player = game->Profiles()->AddProfile(u"Ann");
        ASSERT_NE(player, nullptr);
        game->Profiles()->currentProfile = player;
        player->modeFlag = relax ? 1 : 0;
        player->stage = player->furthestStage = stage;
        player->level = player->furthestLevel = level;
        game->ChoosePlay();
        for (int frame = 0; frame < 3000 && game->Logic() == nullptr; ++frame) Frame();
        ASSERT_NE(game->Logic(), nullptr) << "the level did not load";
    }

    GameLogic& Logic() { return *game->Logic(); }
    Puzzle& Board() { return *Logic().GetPuzzle(); }
    PuzzleDepository& Path() { return *Logic().GetDepository(); }

    void Frame()
    {
        timeLapse.Step();
        game->Update();
        // The level's score until the game base moves it to the player.
        if (game->Logic() != nullptr && !game->LevelCompleteOpened()) lastScore = Logic().scoreKeeper->score;
    }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) Frame();
    }

    // The pointer to a point of the 800 × 600 interface.
    void MoveTo(Vector2 at)
    {
        const ZorvaneEngine::Window& w = *game->Engine()->window;
        const int x = static_cast<int>(std::lround(at.x * static_cast<float>(w.width) / 800.0f));
        const int y = static_cast<int>(w.height) - 1 - static_cast<int>(std::lround(at.y * static_cast<float>(w.height) / 600.0f));
        SDL_WarpMouseInWindow(window, x, y);
        pointer = {x, y};
    }
    void Button(bool down, bool left = true)
    {
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = SDL_GetWindowID(window);
        event.button.button = static_cast<Uint8>(left ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT);
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = 1;
        event.button.x = pointer.first;
        event.button.y = pointer.second;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    void Click(Vector2 at)
    {
        MoveTo(at);
        Frame();
        Button(true);
        Frame();
        Button(false);
        Frame();
    }

    PuzzleElement* Held()
    {
        for (auto& piece : Logic().GetPieceManager()->pieces)
            if (PuzzleElementManager::IsHeld(*piece)) return piece.get();
        return nullptr;
    }
    // The piece on the path nearest the hole whose slot is open, or the
    // one a wanted bonus marks.
    PuzzleElement* Choose(const std::set<BonusKind>& wanted = {})
    {
        const auto& queue = Path().GetQueue();
        for (const auto& bonus : Logic().GetBonusManager()->bonuses) {
            if (bonus->picked || !wanted.count(bonus->kind)) continue;
            for (const auto& entry : queue)
                if (static_cast<int32_t>(entry.piece->index) == bonus->pieceIndex) return entry.piece;
        }
        for (auto it = queue.rbegin(); it != queue.rend(); ++it)
            if (!Board().slots[it->piece->index]->blocked) return it->piece;
        return nullptr;
    }
    // Takes the piece from the path and drops it on its slot; true when it
    // was placed.
    bool PickAndPlace(PuzzleElement& piece)
    {
        Click(piece.centre);
        if (Held() != &piece) return false;
        const Vector2 slot = Board().GetSlotCentre(*Board().slots[piece.index]);
        const Vector2 grip = Path().grabOffset;
        // Carried over in a few steps, as a hand moves.
        const Vector2 from = piece.centre;
        for (int step = 1; step <= 4 && piece.IsShown(); ++step) {
            const float t = static_cast<float>(step) / 4.0f;
            MoveTo(Vector2(from.x + (slot.x - from.x) * t - grip.x, from.y + (slot.y - from.y) * t - grip.y));
            Frame();
        }
        if (piece.IsShown()) Click(Vector2(slot.x - grip.x, slot.y - grip.y));
        return PuzzleElementManager::IsPlaced(piece);
    }
    template <typename Condition>
    bool RunUntil(Condition condition, int limit)
    {
        for (int i = 0; i < limit && !condition(); ++i) Frame();
        return condition();
    }

    // A menu window fully on screen, then its button clicked, as a player
    // waits for the window before clicking.
    void ClickWhenShown(const GUIMenuWindow& window, const GUIControl& button)
    {
        ASSERT_TRUE(RunUntil([&] { return window.shown && window.colour.a >= 1.0f && !window.IsAnyControlAnimating(); },
                             1000));
        const ZorvaneEngine::GUIWindow& widget = *button.widget;
        Vector2 corner = widget.GetAbsolutePosition();
        Vector2 extent = widget.size;
        if (widget.hitAreaOn) {
            corner = Vector2(corner.x + widget.hitAreaOffset.x, corner.y + widget.hitAreaOffset.y);
            extent = widget.hitAreaSize;
        }
        Click(Vector2(corner.x + extent.x / 2, corner.y + extent.y / 2));
    }

    // What the screen shows now, as a PNG in the build folder's "screens"
    // folder, to look at.
    void Screenshot(const std::string& name)
    {
        ZorvaneEngine::Image picture;
        game->Engine()->renderer->CaptureScreen(picture);
        if (picture.IsEmpty()) return;
        const std::filesystem::path folder = std::filesystem::path(TANGROVE_BINARY_DIR) / "screens";
        std::filesystem::create_directories(folder);
        Tools::SavePngFile((folder / (name + ".png")).string(), picture);
    }

    // The player as saved.
    std::unique_ptr<GameFramework::ProfileBase> SavedPlayer()
    {
        return game->Profiles()->LoadProfile(game->Profiles()->currentProfile->GetFileName());
    }

    TestSupport::TemporaryFolder folder;
    TimeLapseSystem timeLapse{Platform::GetSystem(), 3};
    Platform::System* previousSystem = nullptr;
    std::unique_ptr<PlayedGame> game;
    SDL_Window* window = nullptr;
    std::pair<int, int> pointer{0, 0};
    int32_t lastScore = 0;
};

TEST_F(LevelPlayTest, EveryPiecePlacedWinsTheLevelAndItsScoreGoesToThePlayer)
{
    StartLevel(0, 0, false);
    const uint32_t pieces = Board().GetPieceCount();
    ASSERT_TRUE(RunUntil([&] { return Path().introFinished; }, 2000));
    Screenshot("level_start");
    int misses = 0;
    while (Board().placedCount < pieces && misses < 200) {
        if (Board().placedCount == pieces / 2 && Held() == nullptr) {
            PuzzleElement* next = Choose();
            if (next != nullptr) {
                MoveTo(next->centre);
                Frame();
                Button(true);
                Frame();
                Button(false);
                const Vector2 slot = Board().GetSlotCentre(*Board().slots[next->index]);
                MoveTo(Vector2(slot.x + 60, slot.y - 40));
                Frames(3);
                Screenshot("level_half_placed");
                MoveTo(Vector2(slot.x - Path().grabOffset.x, slot.y - Path().grabOffset.y));
                Frame();
                Button(true);
                Frame();
                Button(false);
                Frame();
            }
            continue;
        }
        PuzzleElement* piece = Choose();
        if (piece == nullptr || !PickAndPlace(*piece)) {
            ++misses;
            Frame();
        }
        ASSERT_EQ(Logic().state, GameLogicState::Playing);
    }
    ASSERT_EQ(Board().placedCount, pieces);
    const int32_t placedScore = lastScore;
    EXPECT_GE(placedScore, static_cast<int32_t>(pieces) * 100 + 1000);
    ASSERT_TRUE(RunUntil([&] { return Path().carriageDistance > Path().pathLength / 2; }, 3000));
    Screenshot("level_final_run");
    ASSERT_TRUE(RunUntil([&] { return game->LevelCompleteOpened(); }, 3000));
    EXPECT_TRUE(Path().finalRunFinished);
    EXPECT_GT(lastScore, placedScore) << "the cart's marks";

    GameFramework::ProfileBase& player = *game->Profiles()->currentProfile;
    EXPECT_EQ(player.totalScore, static_cast<uint32_t>(lastScore));
    EXPECT_EQ(player.stage, 0u);
    EXPECT_EQ(player.level, 1u);
    EXPECT_EQ(SavedPlayer()->totalScore, static_cast<uint32_t>(lastScore));
    EXPECT_TRUE(SavedPlayer()->inProgress);

    // The level complete window; its CONTINUE goes on to the next level
    // once the menus are back.
    GUILevelCompleteWindow& complete = *game->LevelComplete();
    ASSERT_TRUE(RunUntil([&] { return complete.colour.a >= 1.0f && complete.IsFrameVisible(); }, 1000));
    Frames(30);
    Screenshot("level_complete");
    ClickWhenShown(complete, *complete.continueButton);
    EXPECT_TRUE(complete.leaving || complete.result == WindowAction::Proceed);
    ASSERT_TRUE(RunUntil([&] { return complete.result == WindowAction::Proceed; }, 1000));
}

// The right button held with an empty hand runs the queue into the hole.
// The map shows the path up to the furthest level reached with the
// current level marked; a click moves the mark, a double click plays it.
TEST_F(LevelPlayTest, TheLevelMapShowsTheWayAndPlaysTheLevelDoubleClicked)
{
    GameFramework::ProfileBase* player = game->Profiles()->AddProfile(u"Ann");
    ASSERT_NE(player, nullptr);
    game->Profiles()->currentProfile = player;
    player->stage = 0;
    player->level = 3;
    player->furthestStage = 1;
    player->furthestLevel = 2;
    game->CloseWelcome();
    GUIStartGameLogicWindow& map = *game->Map();
    map.Open(GameFramework::LevelStartOpenMode::FromMainMenu);
    ASSERT_TRUE(RunUntil([&] { return map.shown && map.colour.a >= 1.0f && !map.IsAnyControlAnimating(); }, 1000));
    Frames(40);
    Screenshot("level_map");

    GUIMapElement* second = nullptr;
    for (const auto& element : map.elements) {
        const uint32_t s = element->stage;
        const uint32_t i = element->index;
        const bool reached = s == 0 || (s == 1 && i <= 2);
        if (reached) {
            const uint32_t expected = s == 0 && i < 3 ? GUIMapElement::Passed
                                      : s == 0 && i == 3 ? GUIMapElement::Current
                                                         : GUIMapElement::Open;
            EXPECT_EQ(element->state, expected) << s << "," << i;
            EXPECT_TRUE(element->IsVisible()) << s << "," << i;
        } else {
            // Beyond the furthest level only the preview shows the way.
            EXPECT_TRUE(!element->IsVisible() || element->state == GUIMapElement::Ahead) << s << "," << i;
        }
        if (s == 0 && i == 1) second = element.get();
    }
    ASSERT_NE(second, nullptr);

    const ZorvaneEngine::GUIWindow& target = *second->clickButton;
    const Vector2 corner = target.GetAbsolutePosition();
    const Vector2 centre(corner.x + target.size.x / 2, corner.y + target.size.y / 2);
    Click(centre);
    EXPECT_EQ(second->state, GUIMapElement::Current);
    EXPECT_EQ(player->level, 1u);
    Click(centre);
    Click(centre);
    ASSERT_TRUE(RunUntil([&] { return game->Logic() != nullptr; }, 3000));
    EXPECT_EQ(Logic().levelInfo->stageIndex, 0u);
    EXPECT_EQ(Logic().levelInfo->levelIndex, 1u);
}

TEST_F(LevelPlayTest, AQueueRunIntoTheHoleLosesTheLevelAndScoresNothing)
{
    StartLevel(0, 0, false);
    ASSERT_TRUE(RunUntil([&] { return Path().introFinished; }, 2000));
    MoveTo(Vector2(400, 300));
    Button(true, false);
    ASSERT_TRUE(RunUntil([&] { return Path().reachedEnd; }, 3000));
    EXPECT_GT(Path().fastForward, 0.0f);
    Button(false, false);
    ASSERT_TRUE(RunUntil([&] { return game->GameOverOpened(); }, 100));
    EXPECT_EQ(Logic().state, GameLogicState::Lost);
    EXPECT_EQ(Board().placedCount, 0u);

    // A click on the board after the loss places nothing.
    PuzzleElement& piece = *Logic().GetPieceManager()->pieces[0];
    Click(Board().GetSlotCentre(*Board().slots[piece.index]));
    EXPECT_EQ(Board().placedCount, 0u);

    GameFramework::ProfileBase& player = *game->Profiles()->currentProfile;
    EXPECT_EQ(player.totalScore, 0u);
    EXPECT_FALSE(player.inProgress);
    EXPECT_FALSE(SavedPlayer()->inProgress);
    EXPECT_EQ(SavedPlayer()->level, 0u);

    GUIGameOverWindow& over = *game->GameOver();
    ASSERT_TRUE(RunUntil([&] { return over.colour.a >= 1.0f && over.IsFrameVisible(); }, 1000));
    Screenshot("game_over");
    ClickWhenShown(over, *over.confirm);
    ASSERT_TRUE(RunUntil([&] { return over.result == WindowAction::Done; }, 1000));
}

// A long level of a late stage: the player waits for bonuses and collects
// each kind, keeping the queue from the hole meanwhile, then finishes.
TEST_F(LevelPlayTest, EveryKindOfBonusIsCollectedAndActsOnTheWayToAWin)
{
    StartLevel(7, 4, false);
    const uint32_t pieces = Board().GetPieceCount();
    ASSERT_GE(pieces, 40u);
    ASSERT_TRUE(RunUntil([&] { return Path().introFinished; }, 2000));
    std::set<BonusKind> wanted = {BonusKind::Magnet, BonusKind::Pause, BonusKind::Rollback, BonusKind::Tip};
    std::set<BonusKind> seenActing;
    int frames = 0;
    while (Board().placedCount < pieces && frames < 40000) {
        ASSERT_EQ(Logic().state, GameLogicState::Playing);
        PuzzleElement* marked = nullptr;
        for (const auto& bonus : Logic().GetBonusManager()->bonuses) {
            if (!bonus->picked && wanted.count(bonus->kind)) {
                for (const auto& entry : Path().GetQueue())
                    if (static_cast<int32_t>(entry.piece->index) == bonus->pieceIndex && !Board().slots[entry.piece->index]->blocked)
                        marked = entry.piece;
            }
        }
        // Place only what keeps the hole away, until every kind was had.
        const bool pressed = wanted.empty() || Path().freeLength < 300.0f;
        PuzzleElement* piece = marked != nullptr ? marked : (pressed ? Choose() : nullptr);
        if (piece == nullptr) {
            Frame();
            ++frames;
            continue;
        }
        BonusKind kind = BonusKind::Tip;
        Bonus* bonus = Logic().GetBonusManager()->FindBonus(static_cast<int32_t>(piece->index));
        const bool collecting = bonus != nullptr && !bonus->picked;
        if (collecting) kind = bonus->kind;
        const float rollback = Path().rollbackTime;
        const float pause = Path().pauseTime;
        frames += 10;
        if (collecting && kind == BonusKind::Rollback) Screenshot("level_bonus");
        if (!PickAndPlace(*piece) || !collecting) continue;
        switch (kind) {
        case BonusKind::Tip:
            if (Board().tipPending) seenActing.insert(kind);
            break;
        case BonusKind::Magnet:
            if (Board().magnetPending) seenActing.insert(kind);
            break;
        case BonusKind::Rollback:
            if (Path().rollbackTime > rollback + 2.0f) seenActing.insert(kind);
            break;
        case BonusKind::Pause:
            if (Path().pauseTime > pause + 1.0f) seenActing.insert(kind);
            break;
        }
        wanted.erase(kind);
    }
    EXPECT_EQ(seenActing.size(), 4u);
    ASSERT_EQ(Board().placedCount, pieces);
    ASSERT_TRUE(RunUntil([&] { return game->LevelCompleteOpened(); }, 5000));
    EXPECT_EQ(game->Profiles()->currentProfile->totalScore, static_cast<uint32_t>(lastScore));
    EXPECT_EQ(SavedPlayer()->totalScore, static_cast<uint32_t>(lastScore));
}

} // namespace
} // namespace ActionPuzzle
