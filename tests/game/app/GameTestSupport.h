#pragma once
// The game as the tests run it: the game's own classes on the scripted
// platform, installed in a temporary folder ("<folder>/bin" is the
// installation folder). Its data is either the data set the build made
// (linked in as "<folder>/bin/data"), or a small tree the test writes, with
// only a catalogue and a background list, whose models are missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "game/app/Game.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"
#include "game/common/SoundId.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIGameCompleteWindow.h"
#include "game/menus/GUIGameLoadingWindow.h"
#include "game/menus/GUIGameLogicGameExitWindow.h"
#include "game/menus/GUIGameLogicLoadingWindow.h"
#include "game/menus/GUIGameLogicMenuExitWindow.h"
#include "game/menus/GUIGameLogicMenuWindow.h"
#include "game/menus/GUIGameLogicPauseWindow.h"
#include "game/menus/GUIGameLogicRestartWindow.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIStageCompleteWindow.h"
#include "game/menus/GUIGameLogicWindow.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelScreenBases.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIGameCursor.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUILogosWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIUnicorn.h"
#include "game/menus/GUIUpgradeWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "platform/system/TemporaryFolder.h"

namespace TestSupport {

using Journal = std::vector<std::string>;

// One of the game's screens that also writes its opening and closing into a
// journal ("open level start(2)", "close main menu").
template <class Screen>
class Spy : public Screen {
public:
    template <class... Arguments>
    Spy(Journal* journal, std::string name, Arguments&&... arguments)
        : Screen(std::forward<Arguments>(arguments)...), journal(journal), name(std::move(name))
    {
    }
    void Close() override
    {
        Screen::Close();
        journal->push_back("close " + name);
    }

protected:
    void Note(const std::string& what) const { journal->push_back(what); }

    Journal* journal;
    std::string name;
};

template <class Screen>
class PlainSpy : public Spy<Screen> {
public:
    using Spy<Screen>::Spy;
    void Open() override
    {
        Screen::Open();
        this->Note("open " + this->name);
    }
};

template <class Screen>
class LoadingSpy : public Spy<Screen> {
public:
    using Spy<Screen>::Spy;
    void Open(GameFramework::DataKeeper* keeper) override
    {
        Screen::Open(keeper);
        this->Note("open " + this->name + (keeper ? "(keeper)" : "()"));
    }
};

class LevelStartSpy : public Spy<ActionPuzzle::GUIStartGameLogicWindow> {
public:
    using Spy::Spy;
    void Open(GameFramework::LevelStartOpenMode mode) override
    {
        GUIStartGameLogicWindow::Open(mode);
        Note("open " + name + "(" + std::to_string(static_cast<int>(mode)) + ")");
    }
};

class HighScoresSpy : public Spy<ActionPuzzle::GUIHighScoresWindow> {
public:
    using Spy::Spy;
    void Open(GameFramework::HighScoresOpenMode mode, GameFramework::HighScoreEntry* entry) override
    {
        GUIHighScoresWindow::Open(mode, entry);
        Note("open " + name + "(" + std::to_string(static_cast<int>(mode)) + ")");
    }
};

class HudSpy : public Spy<ActionPuzzle::GUIGameLogicWindow> {
public:
    using Spy::Spy;
    void Open(GameFramework::GameLogicBase* logic) override
    {
        GUIGameLogicWindow::Open(logic);
        Note("open " + name);
    }
};

const std::string kBuiltData = std::string(TANGROVE_BINARY_DIR) + "/data";

// The game with its innards in reach. It starts when the test asks, so the
// test can prepare the folder first.
class GameUnderTest : public ActionPuzzle::Game {
public:
    GameUnderTest() : Game("Quobin Games", "Tangrove", false) {}

    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override
    {
        Game::FillEngineSettings(settings);
        settings.fullscreen = false;  // the scripted desktop is smaller than a full screen
    }

    using Game::Init;
    // Around the windows' updates of each frame: after the engine's update
    // (the interface's clicks and hovers of the frame are known) and the
    // dispatch of the results, and before the frame is drawn.
    std::function<void()> beforeWindows;
    std::function<void()> afterWindows;
    void UpdateWindows() override
    {
        if (beforeWindows)
            beforeWindows();
        Game::UpdateWindows();
        if (afterWindows)
            afterWindows();
    }
    ZorvaneEngine::Engine* Engine() const { return engine.get(); }
    ZorvaneEngine::Config* Config() const { return config; }
    ActionPuzzle::GameData* Data() const { return static_cast<ActionPuzzle::GameData*>(gameData.get()); }
    GameFramework::SoundPlayer* Player() const { return soundPlayer.get(); }
    GameFramework::ProfileManagerBase* Profiles() const { return profileManager.get(); }
    GameFramework::GUILogosWindowBase* Logos() const { return logosWindow.get(); }
    GameFramework::GUILoadingWindowBase* StartUpLoading() const { return gameLoadingWindow.get(); }
    GameFramework::GUIWelcomeWindowBase* Welcome() const { return welcomeWindow.get(); }
    ActionPuzzle::GUIBackgroundWindow* Background() const { return menuBackground.get(); }
    int32_t CameraType() const { return cameraType; }
    GameFramework::GUIGameCursorBase* Cursor() const { return gameCursor.get(); }
    GameFramework::GameLogicBase* Logic() const { return gameLogic.get(); }
    ActionPuzzle::Profile* Profile() const { return static_cast<ActionPuzzle::Profile*>(GetProfile()); }
    ActionPuzzle::GUIMenuWindowManager* WindowManager() const { return menuWindowManager.get(); }
    // The level loading screen as if "LOADING" stood typed on a free screen.
    void LoadingTextTyped()
    {
        static_cast<ActionPuzzle::GUIGameLogicLoadingWindow*>(gameLogicLoadingWindow.get())->ready = true;
    }
    ActionPuzzle::GUIUnicorn* Unicorn() const { return unicorn.get(); }
    ActionPuzzle::GUIUpgradeWindow* ShowPlace() const { return upgradeWindow.get(); }
    ActionPuzzle::GUIGameCompleteEffect* Effect() const { return gameCompleteEffect.get(); }
    ActionPuzzle::GUIGameCompleteWindow* GameComplete() const
    {
        return static_cast<ActionPuzzle::GUIGameCompleteWindow*>(gameCompleteWindow.get());
    }
    int32_t LevelTrackIndex() const { return levelTrackIndex; }
    ActionPuzzle::GUITutorialWindow* Tutorial() const { return tutorialWindow.get(); }
    ActionPuzzle::GUIIntroductionWindow* Introduction() const { return introductionWindow.get(); }
    ActionPuzzle::GUIRelaxWindow* Relax() const { return relaxWindow.get(); }
    GameFramework::GUIStartGameLogicWindowBase* StartGame() const { return startGameLogicWindow.get(); }
    GameFramework::GUIOptionsWindowBase* Options() const { return optionsWindow.get(); }
    GameFramework::GUIHighScoresWindowBase* HighScoresScreen() const { return highScoresWindow.get(); }
    GameFramework::GUIHelpWindowBase* Help() const { return helpWindow.get(); }
    GameFramework::HighScoresTable* HighScoreTable() const { return highScores.get(); }

    // The screen whose results the test sets, by its name in the journal.
    GameFramework::WindowAction& Result(const std::string& screen)
    {
        using namespace GameFramework;
        const std::map<std::string, WindowAction*> results = {
            {"logos", &logosWindow->result},
            {"main menu", &mainMenuWindow->result},
            {"profiles", &profilesWindow->result},
            {"level start", &startGameLogicWindow->result},
            {"continue", &continueGameLogicWindow->result},
            {"high scores", &highScoresWindow->result},
            {"hud", &gameLogicWindow->result},
            {"game menu", &gameLogicMenuWindow->result},
            {"leave question", &gameLogicMenuExitWindow->result},
            {"restart question", &gameLogicRestartWindow->result},
            {"level complete", &levelCompleteWindow->result},
            {"stage complete", &stageCompleteWindow->result},
            {"game complete", &gameCompleteWindow->result},
            {"game over", &gameOverWindow->result},
            {"show place", &upgradeWindow->result},
            {"effect", &gameCompleteEffect->result},
            {"introduction", &introductionWindow->result},
            {"relax", &relaxWindow->result},
            {"tutorial", &tutorialWindow->result},
        };
        return *results.at(screen);
    }

    // The logos and the start-up loading screen journal what happens to
    // them; made before the first frame.
    void SpyOnStartUp()
    {
        logosWindow = std::make_unique<PlainSpy<ActionPuzzle::GUILogosWindow>>(&journal, "logos", engine.get());
        logosWindow->Open();
        gameLoadingWindow = std::make_unique<LoadingSpy<ActionPuzzle::GUIGameLoadingWindow>>(
            &journal, "start-up loading", engine.get(), static_cast<ActionPuzzle::GUIGameCursor*>(gameCursor.get()),
            menuBackground.get());
        journal.clear();
    }

    // The screens the game's own routes open, made again as spies once
    // every screen exists.
    void SpyOnScreens()
    {
        using namespace ActionPuzzle;
        auto* data = static_cast<GameData*>(gameData.get());
        auto* profiles = static_cast<ProfileManager*>(profileManager.get());
        auto* levels = static_cast<LevelManager*>(levelManager.get());
        GUIMenuWindowManager* manager = menuWindowManager.get();
        ZorvaneEngine::GUIWindow* root = menuBackground->GetMenuRoot();
        ZorvaneEngine::Engine* e = engine.get();
        GameFramework::SoundPlayer* player = soundPlayer.get();
        mainMenuWindow = std::make_unique<PlainSpy<GUIMainMenuWindow>>(&journal, "main menu", e, player, data, manager,
                                                                       root, profiles);
        continueGameLogicWindow = std::make_unique<PlainSpy<GUIContinueGameLogicWindow>>(
            &journal, "continue", e, player, data, manager, root, profiles);
        startGameLogicWindow = std::make_unique<LevelStartSpy>(&journal, "level start", e, player, data, manager, root,
                                                               profiles, levels, gameCompleteEffect.get());
        highScoresWindow = std::make_unique<HighScoresSpy>(&journal, "high scores", e, player, data, manager, root,
                                                           profiles, highScores.get());
        gameCompleteWindow = std::make_unique<PlainSpy<GUIGameCompleteWindow>>(&journal, "game complete", e, player,
                                                                               data, manager, root);
        gameLogicLoadingWindow = std::make_unique<LoadingSpy<GUIGameLogicLoadingWindow>>(
            &journal, "level loading", e, manager, levels, unicorn.get(), 0);
        gameLogicWindow = std::make_unique<HudSpy>(&journal, "hud", e, data, manager, profiles);
        introductionWindow =
            std::make_unique<PlainSpy<GUIIntroductionWindow>>(&journal, "introduction", e, player, data, manager, root);
        relaxWindow = std::make_unique<PlainSpy<GUIRelaxWindow>>(&journal, "relax", e, player, data, manager, root,
                                                                 profiles);
        tutorialWindow = std::make_unique<PlainSpy<GUITutorialWindow>>(&journal, "tutorial", e, player, data, manager,
                                                                       root, profiles);
    }

    // A level of the catalogue in play with its HUD open, as after its load.
    void EnterLevel(uint32_t stage, uint32_t level)
    {
        // The level's keeper first, loaded here as the level loading screen
        // would on its worker.
        currentLevelKeeper = CreateGameLogicData(*levelManager->stages[stage], *levelManager->levels[stage][level]);
        currentLevelKeeper->StartLoad();
        gameLogic = CreateGameLogic(*levelManager->stages[stage], *levelManager->levels[stage][level], 0);
        gameLogicWindow->Open(gameLogic.get());
        journal.clear();
    }
    Journal journal;
    bool HasAllWindows() const { return gameOverWindow != nullptr; }
    GameFramework::GUIMainMenuWindowBase* MainMenu() const { return mainMenuWindow.get(); }
    GameFramework::GUIProfilesWindowBase* ProfileList() const { return profilesWindow.get(); }
    GameFramework::GUINewProfileWindowBase* NewProfile() const { return newProfileWindow.get(); }
    GameFramework::GUIRenameProfileWindowBase* Rename() const { return renameProfileWindow.get(); }
    GameFramework::GUIDeleteProfileWindowBase* Delete() const { return deleteProfileWindow.get(); }
    GameFramework::GUIProfileNameConflictWindowBase* Conflict() const { return profileNameConflictWindow.get(); }
    GameFramework::GUIExitWindowBase* Quit() const { return exitWindow.get(); }
    GameFramework::GUIContinueGameLogicWindowBase* Continue() const { return continueGameLogicWindow.get(); }
    // The windows over a level and after it, as the game made them.
    template <class Window>
    Window* InGame() const
    {
        using namespace ActionPuzzle;
        GameFramework::WindowControllerBase* window = nullptr;
        if constexpr (std::is_same_v<Window, GUIGameLogicPauseWindow>) window = gameLogicPauseWindow.get();
        if constexpr (std::is_same_v<Window, GUIGameLogicMenuWindow>) window = gameLogicMenuWindow.get();
        if constexpr (std::is_same_v<Window, GUIGameLogicMenuExitWindow>) window = gameLogicMenuExitWindow.get();
        if constexpr (std::is_same_v<Window, GUIGameLogicRestartWindow>) window = gameLogicRestartWindow.get();
        if constexpr (std::is_same_v<Window, GUIGameLogicGameExitWindow>) window = gameLogicGameExitWindow.get();
        if constexpr (std::is_same_v<Window, GUIGameOverWindow>) window = gameOverWindow.get();
        if constexpr (std::is_same_v<Window, GUILevelCompleteWindow>) window = levelCompleteWindow.get();
        if constexpr (std::is_same_v<Window, GUIStageCompleteWindow>) window = stageCompleteWindow.get();
        return dynamic_cast<Window*>(window);
    }
    GameFramework::GUILoadingWindowBase* LevelLoading() const { return gameLogicLoadingWindow.get(); }
    GameFramework::LevelManagerBase* Levels() const { return levelManager.get(); }
    // The menu scene as a level's start leaves it: fading out over the level.
    void BackgroundOverLevel() { ResetBackgroundForLevel(); }
    // Frames until the start-up load has made every screen, the clock
    // moving on a frame's time each, the logos cut short.
    void RunStartUp(Platform::ScriptedSystem& clock)
    {
        logosWindow->result = GameFramework::WindowAction::Done;
        for (int frame = 0; frame < 2000 && !HasAllWindows(); ++frame) {
            Update();
            clock.Advance(20);
        }
    }
};

struct GameEnvironment {
    // Writes a file below the installation folder ("data/levels/...").
    void Put(const std::string& name, const std::string& text) { WriteWholeFile(env.folder / ("bin/" + name), text); }

    // The built data set as the installation's data folder. Its pictures
    // make textures, which the scripted graphics records from one thread
    // only: without a worker thread the loading screens load in place.
    void UseBuiltData()
    {
        env.scripted.failThreadCreation = true;
        std::filesystem::create_directories(env.folder / "bin");
        std::filesystem::create_directory_symlink(kBuiltData, env.folder / "bin/data");
    }

    // One stage of two levels, a background list and a title without
    // pieces; nothing else.
    void UseSmallData(const std::string& backgroundList = "2\nsky _none_ 1 0\nhills dust 0 0\n")
    {
        Put("data/levels/stages_info.ini", "1\n2\n");
        Put("data/levels/stage0.ini", "2\ns0_l0 10 10\ns0_l1 10 10\n");
        Put("data/ui/menus/models/background/title_ge.ini", "0\n");
        if (!backgroundList.empty())
            Put("data/ui/menus/background/background.ini", backgroundList);
    }

    // Starts the game, with the window focused as a player's would be.
    GameUnderTest& Start()
    {
        game = std::make_unique<GameUnderTest>();
        game->Init();
        env.windowing.focus = game->Engine()->window->handle;
        return *game;
    }

    // The built data set's game through its start-up, the welcome screen
    // put away before it appears and a new player of the name made current.
    // Null when a step failed; the failed expectation says which.
    GameFramework::ProfileBase* StartWithNewPlayer(const std::u16string& name)
    {
        UseBuiltData();
        Start();
        game->RunStartUp(env.scripted);
        EXPECT_TRUE(game->HasAllWindows());
        if (!game->HasAllWindows())
            return nullptr;
        game->Welcome()->Close();
        GameFramework::ProfileBase* player = game->Profiles()->AddProfile(name);
        game->Profiles()->currentProfile = player;
        return player;
    }

    // The lines of the log file that warn, report an error or abort.
    std::vector<std::string> Complaints() const
    {
        std::vector<std::string> lines;
        const std::string text = ReadWholeFile(env.LogPath());
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(start, end - start);
            for (const char* mark : {"Warning: ", "Error: ", "PROGRAM ABORTING"})
                if (line.find(mark) != std::string::npos)
                    lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }

    EngineTestEnvironment env;
    std::unique_ptr<GameUnderTest> game;
};

} // namespace TestSupport
