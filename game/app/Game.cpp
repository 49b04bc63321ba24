#include "game/app/Game.h"

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Paths.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/SoundPlayer.h"
#include "game/app/GameIcon.h"
#include "game/common/GameData.h"
#include "game/common/GameWindowActions.h"
#include "game/common/LevelManager.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"
#include "game/common/SoundId.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/GameLogicData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIGameCompleteWindow.h"
#include "game/menus/GUIGameCursor.h"
#include "game/menus/GUIGameLoadingWindow.h"
#include "game/menus/GUIGameLogicGameExitWindow.h"
#include "game/menus/GUIGameLogicLoadingWindow.h"
#include "game/menus/GUIGameLogicMenuExitWindow.h"
#include "game/menus/GUIGameLogicMenuWindow.h"
#include "game/menus/GUIGameLogicPauseWindow.h"
#include "game/menus/GUIGameLogicRestartWindow.h"
#include "game/menus/GUIGameLogicWindow.h"
#include "game/menus/GUIGameOverWindow.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUILogosWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUINewProfileWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/GUIProfileNameConflictWindow.h"
#include "game/menus/GUIProfilesWindow.h"
#include "game/menus/GUIRelaxWindow.h"
#include "game/menus/GUIRenameProfileWindow.h"
#include "game/menus/GUIStageCompleteWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIUnicorn.h"
#include "game/menus/GUIUpgradeWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "platform/system/FileSystem.h"
#include "platform/system/System.h"

namespace ActionPuzzle {

using namespace GameFramework;

namespace {

// The game's text tables after the framework's "game_title" and "common".
const char* const kTextTables[] = {
    "continue_game_logic", "delete_profile", "exit", "game_complete", "game_logic", "game_logic_exit",
    "game_logic_menu", "game_logic_pause", "game_logic_restart", "game_over", "help", "high_scores",
    "introduction", "level_complete", "loading", "main_menu", "mini_game", "new_profile", "options",
    "profile_name_conflict", "profiles", "relax", "rename_profile", "stage_complete", "start_game",
    "statistics", "tutorial", "welcome",
};

const char* const kHomepageFile = "Homepage.url";

// Music fades, in level units per second.
constexpr float kMusicFadeOut = 1.0f;
constexpr float kMenuMusicFadeIn = 0.5f;
constexpr float kLevelMusicFadeIn = 0.1f;

// The show place's window: hidden, as wide as the GUI screen.
constexpr float kShowPlaceWidth = 800.0f;

// The game's own screens in the screen flow.
constexpr ScreenId GameScreen(int32_t index)
{
    return static_cast<ScreenId>(static_cast<int32_t>(ScreenId::FirstGameScreen) + index);
}
constexpr ScreenId ShowPlaceScreen = GameScreen(0);
constexpr ScreenId GameCompleteEffectScreen = GameScreen(1);
constexpr ScreenId IntroductionScreen = GameScreen(2);
constexpr ScreenId RelaxScreen = GameScreen(3);
constexpr ScreenId TutorialScreen = GameScreen(4);
// In the order of their routes, after the framework's screens.
constexpr ScreenId kGameScreens[] = {ShowPlaceScreen, GameCompleteEffectScreen, IntroductionScreen, RelaxScreen,
                                     TutorialScreen};

} // namespace

Game::Game(const std::string& company, const std::string& product) : Game(company, product, true) {}

Game::Game(const std::string& company, const std::string& product, bool start) : GameBase(company, product)
{
    // Interface pictures are drawn at their own size.
    ZorvaneEngine::GUITextureMipMapping = false;
    AddGameScreenRoutes();
    if (!start)
        return;
    try {
        Init();
    } catch (...) {
        // The base still saves the configuration when it goes, and the
        // fields bound to these two are gone by then.
        DetachConfigVariables();
        throw;
    }
}

Game::~Game()
{
    tutorialWindow.reset();
    relaxWindow.reset();
    introductionWindow.reset();
    upgradeWindow.reset();
    unicorn.reset();
    gameCompleteEffect.reset();
    menuWindowManager.reset();
    menuBackground.reset();
    DetachConfigVariables();

    // The file in the installation folder, opened by its full path: a bare
    // name would be looked up in whatever folder the program was started
    // from, and one inside a pack has no path the desktop could open.
    if (engine) {
        const std::string path = installFolder + "\\" + kHomepageFile;
        if (ZorvaneEngine::FileExistsOnDisk(path))
            Platform::GetSystem().ShellOpen(Platform::ToNativePath(path));
    }
}

void Game::DetachConfigVariables()
{
    if (!config)
        return;
    config->DetachVariable("g_camera_type");
    config->DetachVariable("g_camera_value");
}

void Game::FillEngineSettings(ZorvaneEngine::EngineSettings& settings)
{
    GameBase::FillEngineSettings(settings);
    settings.videoMode = "1024x768x32";
    settings.iconId = kGameIconId;
}

void Game::RegisterConfigVariables()
{
    GameBase::RegisterConfigVariables();
    config->AddVariable("1", "g_camera_type", ZorvaneEngine::ConfigVariableType::Int, true, &cameraType, false);
    config->AddVariable("1", "g_camera_value", ZorvaneEngine::ConfigVariableType::Float, true, &cameraValue, false);
}

void Game::LoadTexts()
{
    GameBase::LoadTexts();
    for (const char* name : kTextTables)
        LoadTextFile(name);
}

void Game::RegisterSounds()
{
    using ZorvaneEngine::GUISoundId;
    // Every hover id sounds the first button tick; the button's own hover
    // alternates it with a second one.
    guiSoundManager->AddSound(ZorvaneEngine::GUISoundButtonHover, GetSoundFileName("menu", "button_select_0"));
    guiSoundManager->AddSound(ZorvaneEngine::GUISoundButtonHover, GetSoundFileName("menu", "button_select_1"));
    for (uint32_t id = 1; id < ZorvaneEngine::GUISoundEditBoxChange; ++id) {
        const char* name = id % 2 == 1 ? "button_click" : "button_select_0";
        guiSoundManager->AddSound(static_cast<GUISoundId>(id), GetSoundFileName("menu", name));
    }
    guiSoundManager->AddSound(ZorvaneEngine::GUISoundEditBoxChange, GetSoundFileName("menu", "edit_box_print"));
    // The GUI sounds were made at full volume.
    soundPlayer->SetSoundVolume(soundPlayer->GetSoundVolume());

    soundPlayer->AddMusic(MusicMenu, GetSoundFileName("music", "menu"));
    soundPlayer->AddMusic(MusicGame0, GetSoundFileName("music", "game0"));
    soundPlayer->AddMusic(MusicGame1, GetSoundFileName("music", "game1"));

    for (const GameSoundFile& sound : GameSoundFiles)
        soundPlayer->AddSound(sound.id, GetSoundFileName(sound.folder, sound.name), sound.looping);
}

// --- Factories ---

std::unique_ptr<LevelManagerBase> Game::CreateLevelManager()
{
    auto manager = std::make_unique<LevelManager>(*engine);
    manager->Load();
    return manager;
}

std::unique_ptr<ProfileManagerBase> Game::CreateProfileManager()
{
    auto manager = std::make_unique<ProfileManager>(engine.get(), soundPlayer.get(), userFolder);
    manager->LoadProfiles();
    return manager;
}

std::unique_ptr<DataKeeper> Game::CreateGameData()
{
    return std::make_unique<GameData>(engine.get(), GetLanguageCode());
}

std::unique_ptr<GUIGameCursorBase> Game::CreateGameCursor()
{
    return std::make_unique<GUIGameCursor>(engine.get());
}

std::unique_ptr<GUILogosWindowBase> Game::CreateLogosWindow()
{
    return std::make_unique<GUILogosWindow>(engine.get());
}

std::unique_ptr<GUILoadingWindowBase> Game::CreateGameLoadingWindow()
{
    // The background comes first: it plays its intro behind the logos and
    // the loading screen.
    menuBackground = std::make_unique<GUIBackgroundWindow>(
        GetLanguageCode(), soundPlayer.get(), engine.get(), static_cast<LevelManager*>(levelManager.get()),
        static_cast<ProfileManager*>(profileManager.get()));
    return std::make_unique<GUIGameLoadingWindow>(engine.get(), static_cast<GUIGameCursor*>(gameCursor.get()),
                                                  menuBackground.get());
}

template <class Screen, class... Extra>
std::unique_ptr<Screen> Game::MakeMenuScreen(Extra... extra)
{
    return std::make_unique<Screen>(engine.get(), soundPlayer.get(), static_cast<GameData*>(gameData.get()),
                                    menuWindowManager.get(), menuBackground->GetMenuRoot(), extra...);
}

void Game::CreateWindows()
{
    GameData* data = static_cast<GameData*>(gameData.get());
    menuWindowManager = std::make_unique<GUIMenuWindowManager>(menuBackground.get());
    menuWindowManager->free = false;
    unicorn = std::make_unique<GUIUnicorn>(engine.get(), soundPlayer.get(), menuBackground.get());
    gameCompleteEffect =
        std::make_unique<GUIGameCompleteEffect>(unicorn.get(), menuBackground.get(), engine.get(), data);
    ZorvaneEngine::GUIWindow* showPlace =
        guiManager->CreateWindow(0, {0, 0}, {kShowPlaceWidth, 0}, nullptr, menuBackground->GetMenuRoot());
    upgradeWindow = std::make_unique<GUIUpgradeWindow>(engine.get(), menuWindowManager.get(), showPlace);
    introductionWindow = MakeMenuScreen<GUIIntroductionWindow>();
    relaxWindow = MakeMenuScreen<GUIRelaxWindow>(GetProfileManager());
    tutorialWindow = MakeMenuScreen<GUITutorialWindow>(GetProfileManager());
    GameBase::CreateWindows();
}

std::unique_ptr<GUILoadingWindowBase> Game::CreateGameLogicLoadingWindow()
{
    return std::make_unique<GUIGameLogicLoadingWindow>(engine.get(), menuWindowManager.get(),
                                                       static_cast<LevelManager*>(levelManager.get()),
                                                       unicorn.get(), 0);
}

std::unique_ptr<GUIWelcomeWindowBase> Game::CreateWelcomeWindow()
{
    return MakeMenuScreen<GUIWelcomeWindow>(GetProfileManager());
}

std::unique_ptr<GUIExitWindowBase> Game::CreateExitWindow()
{
    return MakeMenuScreen<GUIExitWindow>();
}

std::unique_ptr<GUIMainMenuWindowBase> Game::CreateMainMenuWindow()
{
    return MakeMenuScreen<GUIMainMenuWindow>(GetProfileManager());
}

std::unique_ptr<GUIProfilesWindowBase> Game::CreateProfilesWindow()
{
    return MakeMenuScreen<GUIProfilesWindow>(GetProfileManager());
}

std::unique_ptr<GUINewProfileWindowBase> Game::CreateNewProfileWindow()
{
    return MakeMenuScreen<GUINewProfileWindow>(GetProfileManager());
}

std::unique_ptr<GUIRenameProfileWindowBase> Game::CreateRenameProfileWindow()
{
    return MakeMenuScreen<GUIRenameProfileWindow>(GetProfileManager());
}

std::unique_ptr<GUIDeleteProfileWindowBase> Game::CreateDeleteProfileWindow()
{
    return MakeMenuScreen<GUIDeleteProfileWindow>(GetProfileManager());
}

std::unique_ptr<GUIProfileNameConflictWindowBase> Game::CreateProfileNameConflictWindow()
{
    return MakeMenuScreen<GUIProfileNameConflictWindow>();
}

std::unique_ptr<GUIStartGameLogicWindowBase> Game::CreateStartGameLogicWindow()
{
    return MakeMenuScreen<GUIStartGameLogicWindow>(
        GetProfileManager(), static_cast<LevelManager*>(levelManager.get()), gameCompleteEffect.get());
}

std::unique_ptr<GUIContinueGameLogicWindowBase> Game::CreateContinueGameLogicWindow()
{
    return MakeMenuScreen<GUIContinueGameLogicWindow>(GetProfileManager());
}

std::unique_ptr<GUIHighScoresWindowBase> Game::CreateHighScoresWindow()
{
    return MakeMenuScreen<GUIHighScoresWindow>(GetProfileManager(), highScores.get());
}

std::unique_ptr<GUIOptionsWindowBase> Game::CreateOptionsWindow()
{
    return MakeMenuScreen<GUIOptionsWindow>(GetProfileManager());
}

std::unique_ptr<GUIHelpWindowBase> Game::CreateHelpWindow()
{
    return MakeMenuScreen<GUIHelpWindow>();
}

std::unique_ptr<GUIGameLogicWindowBase> Game::CreateGameLogicWindow()
{
    return std::make_unique<GUIGameLogicWindow>(engine.get(), static_cast<GameData*>(gameData.get()),
                                                menuWindowManager.get(), GetProfileManager());
}

std::unique_ptr<GUIGameLogicPauseWindowBase> Game::CreateGameLogicPauseWindow()
{
    return MakeMenuScreen<GUIGameLogicPauseWindow>();
}

std::unique_ptr<GUIGameLogicMenuWindowBase> Game::CreateGameLogicMenuWindow()
{
    return MakeMenuScreen<GUIGameLogicMenuWindow>(GetProfileManager());
}

std::unique_ptr<GUIGameLogicMenuExitWindowBase> Game::CreateGameLogicMenuExitWindow()
{
    return MakeMenuScreen<GUIGameLogicMenuExitWindow>();
}

std::unique_ptr<GUIGameLogicRestartWindowBase> Game::CreateGameLogicRestartWindow()
{
    return MakeMenuScreen<GUIGameLogicRestartWindow>();
}

std::unique_ptr<GUIGameLogicGameExitWindowBase> Game::CreateGameLogicGameExitWindow()
{
    return MakeMenuScreen<GUIGameLogicGameExitWindow>();
}

std::unique_ptr<GUILevelCompleteWindowBase> Game::CreateLevelCompleteWindow()
{
    return MakeMenuScreen<GUILevelCompleteWindow>(GetProfileManager(), static_cast<LevelManager*>(levelManager.get()));
}

std::unique_ptr<GUIStageCompleteWindowBase> Game::CreateStageCompleteWindow()
{
    return std::make_unique<GUIStageCompleteWindow>(engine.get(), static_cast<LevelManager*>(levelManager.get()),
                                                    menuBackground.get(), false);
}

std::unique_ptr<GUIGameCompleteWindowBase> Game::CreateGameCompleteWindow()
{
    return MakeMenuScreen<GUIGameCompleteWindow>();
}

std::unique_ptr<GUIGameOverWindowBase> Game::CreateGameOverWindow()
{
    return MakeMenuScreen<GUIGameOverWindow>();
}

std::unique_ptr<DataKeeper> Game::CreateGameLogicData(const GameFramework::StageInfo& stage,
                                                      const GameFramework::LevelInfo& level)
{
    return std::make_unique<GameLogicData>(engine.get(), GetLanguageCode(), static_cast<const StageInfo&>(stage),
                                           static_cast<const LevelInfo&>(level));
}

std::unique_ptr<GameLogicBase> Game::CreateGameLogic(const GameFramework::StageInfo& stage,
                                                     const GameFramework::LevelInfo& level, int32_t carriedValue)
{
    return std::make_unique<GameLogic>(engine.get(), soundPlayer.get(), static_cast<GUIGameCursor*>(gameCursor.get()),
                                       GetProfileManager(), static_cast<GameData*>(gameData.get()),
                                       static_cast<GameLogicData*>(currentLevelKeeper.get()),
                                       static_cast<const StageInfo&>(stage), static_cast<const LevelInfo&>(level),
                                       carriedValue);
}

// --- The screen state machine ---

void Game::ProcessWindowActions()
{
    GameBase::ProcessWindowActions();
    for (ScreenId screen : kGameScreens)
        FollowScreenRoutes(screen);
}

void Game::ClearWindowActions()
{
    if (upgradeWindow) upgradeWindow->result = WindowAction::None;
    if (gameCompleteEffect) gameCompleteEffect->result = WindowAction::None;
    if (introductionWindow) introductionWindow->result = WindowAction::None;
    if (relaxWindow) relaxWindow->result = WindowAction::None;
    if (tutorialWindow) tutorialWindow->result = WindowAction::None;
    GameBase::ClearWindowActions();
}

void Game::UpdateWindows()
{
    if (menuBackground) {
        menuBackground->Update();
        // Acknowledged every frame the background waits for it.
        if (menuWindowManager && menuBackground->AcknowledgeMenusMayStart())
            menuWindowManager->free = true;
    }
    if (gameCompleteEffect) gameCompleteEffect->Update();
    if (unicorn) unicorn->Update();
    if (upgradeWindow) upgradeWindow->Update();
    if (introductionWindow) introductionWindow->Update();
    if (relaxWindow) relaxWindow->Update();
    if (tutorialWindow) tutorialWindow->Update();
    GameBase::UpdateWindows();
}

void Game::PlayMenuMusic()
{
    soundPlayer->StopAllMusic(kMusicFadeOut);
    soundPlayer->PlayMusic(MenuMusicChannel, MusicMenu, kMenuMusicFadeIn);
}

void Game::PlayLevelMusic()
{
    soundPlayer->StopAllMusic(kMusicFadeOut);
    soundPlayer->PlayMusic(LevelMusicChannel, MusicGame0 + levelTrackIndex, kLevelMusicFadeIn);
    levelTrackIndex = 1 - levelTrackIndex;
}

Profile* Game::GetGameProfile() const
{
    return static_cast<Profile*>(GetProfile());
}

ProfileManager* Game::GetProfileManager() const
{
    return static_cast<ProfileManager*>(profileManager.get());
}

void Game::AddGameScreenRoutes()
{
    using A = WindowAction;
    using S = ScreenId;
    using X = ScreenExit;
    auto step = [](void (Game::*gameStep)()) { return static_cast<ScreenStep>(gameStep); };
    // Before the framework's rows of the same screen and result.
    AddScreenRoutesFirst({
        {S::StartGameLogic, A::Play, X::Stay, S::None, 0, step(&Game::HideCursor)},
        {S::GameLogic, A::ToExit, X::Stay, S::None, 0, step(&Game::SelectPlainCursor)},
        {S::GameLogic, A::Pause, X::Stay, S::None, 0, step(&Game::SelectPlainCursor)},
        {S::GameLogic, A::ToGameMenu, X::Stay, S::None, 0, step(&Game::SelectPlainCursor)},
        {S::LevelComplete, A::Proceed, X::Stay, S::None, 0, step(&Game::PlayMenuMusic)},
        {S::StageComplete, A::Proceed, X::Stay, S::None, 0, step(&Game::PlayMenuMusic)},
    });
    // After them, then the game's own screens.
    AddScreenRoutes({
        {S::Logos, A::Done, X::Stay, S::None, 0, step(&Game::StartIntro)},
        {S::MainMenu, ToIntroduction, X::Close, IntroductionScreen},
        {S::MainMenu, ToShowPlace, X::Close, ShowPlaceScreen},
        {S::GameLogicLoading, A::Done, X::Stay, S::None, 0, step(&Game::StartLevelLook)},
        {S::StartGameLogic, ToTutorial, X::Close, TutorialScreen},
        {S::HighScores, ToRelaxOffer, X::Close, RelaxScreen},
        {S::GameLogicMenuExit, A::ToMainMenu, X::Stay, S::None, 0, step(&Game::PlayMenuMusic)},
        {S::GameLogicRestart, A::Proceed, X::Stay, S::None, 0, step(&Game::PlayMenuMusic)},
        {S::GameComplete, A::Done, X::Stay, S::None, 0, step(&Game::RunFinale)},
        {S::GameOver, A::Done, X::Stay, S::None, 0, step(&Game::PlayMenuMusic)},

        {ShowPlaceScreen, A::ToMainMenu, X::Close, S::MainMenu},
        {GameCompleteEffectScreen, A::GameComplete, X::Stay, S::None, 0, step(&Game::OnGameCompleteEffectAction)},
        {GameCompleteEffectScreen, A::GameComplete, X::Close, S::GameComplete},
        {IntroductionScreen, A::Play, X::Stay, S::None, 0, step(&Game::OnIntroductionWindowAction)},
        {RelaxScreen, A::ToMainMenu, X::Close, S::MainMenu},
        {TutorialScreen, A::ToMainMenu, X::Close, S::MainMenu},
        {TutorialScreen, A::Proceed, X::Close, S::StartGameLogic, RouteMode(LevelStartFromTutorial)},
    });
}

WindowControllerBase* Game::GetScreen(ScreenId screen) const
{
    if (screen == IntroductionScreen) return introductionWindow.get();
    if (screen == RelaxScreen) return relaxWindow.get();
    if (screen == TutorialScreen) return tutorialWindow.get();
    return GameBase::GetScreen(screen);
}

WindowAction Game::GetScreenResult(ScreenId screen) const
{
    if (screen == ShowPlaceScreen) return upgradeWindow ? upgradeWindow->result : WindowAction::None;
    if (screen == GameCompleteEffectScreen)
        return gameCompleteEffect ? gameCompleteEffect->result : WindowAction::None;
    return GameBase::GetScreenResult(screen);
}

void Game::CloseScreen(ScreenId screen)
{
    if (screen == ShowPlaceScreen) {
        if (!upgradeWindow) return;
        if (upgradeWindow->GetWindow()) upgradeWindow->GetWindow()->SetVisible(false);
        upgradeWindow->active = false;
        upgradeWindow->time = 0.0f;
    } else if (screen == GameCompleteEffectScreen) {
        if (gameCompleteEffect && gameCompleteEffect->GetRootWindow())
            gameCompleteEffect->GetRootWindow()->SetVisible(false);
    } else {
        GameBase::CloseScreen(screen);
    }
}

void Game::OpenScreen(ScreenId screen, int32_t mode)
{
    if (screen == ShowPlaceScreen) {
        // It runs by itself from here and answers when it is over.
        if (!upgradeWindow) return;
        upgradeWindow->time = 0.0f;
        upgradeWindow->active = true;
        upgradeWindow->result = WindowAction::None;
    } else if (screen == IntroductionScreen) {
        if (introductionWindow) introductionWindow->Open();
    } else if (screen == RelaxScreen) {
        if (relaxWindow) relaxWindow->Open();
    } else if (screen == TutorialScreen) {
        if (!tutorialWindow) return;
        const Profile* profile = GetGameProfile();
        tutorialWindow->show = profile != nullptr && profile->tutorialPending;
        tutorialWindow->Open();
    } else {
        GameBase::OpenScreen(screen, mode);
    }
}

void Game::StartIntro()
{
    if (menuBackground) menuBackground->Activate();
    // Nothing plays yet, so nothing is stopped.
    soundPlayer->PlayMusic(MenuMusicChannel, MusicMenu, kMenuMusicFadeIn);
}

void Game::ResetBackgroundForLevel()
{
    if (menuBackground)
        menuBackground->ShowLevel();
}

void Game::StartLevelLook()
{
    ResetBackgroundForLevel();
    PlayLevelMusic();
}

void Game::HideCursor()
{
    if (gameCursor) gameCursor->Show(false);
}

void Game::SelectPlainCursor()
{
    if (gameCursor) gameCursor->SelectCursor(0);
}

void Game::OnLevelWon()
{
    GameBase::OnLevelWon();
    SelectPlainCursor();
}

void Game::GoToPreviousLevel()
{
    GameBase::GoToPreviousLevel();
    if (startGameLogicWindow) startGameLogicWindow->Open(LevelStartOpenMode::AfterLevel);
}

void Game::RunFinale()
{
    Profile* profile = GetGameProfile();
    if (profile && profile->gameNotCompleted) {
        profile->gameNotCompleted = false;
        profile->Save();
    }
    if (menuBackground)
        menuBackground->StartFinale(profile != nullptr && !profile->gameNotCompleted);
    if (unicorn && unicorn->window) {
        unicorn->showing = false;
        unicorn->leaving = true;
        unicorn->clock = 0.0f;
        unicorn->done = false;
    }
}

void Game::OnGameCompleteEffectAction()
{
    if (!gameCompleteWindow)
        return;
    // The story is told once per player: until the game-complete screen's
    // end has cleared the profile's flag.
    const Profile* profile = GetGameProfile();
    static_cast<GUIGameCompleteWindow*>(gameCompleteWindow.get())->showText =
        profile != nullptr && profile->gameNotCompleted;
}

void Game::OnIntroductionWindowAction()
{
    Profile* profile = GetGameProfile();
    // Only a player's start opens the introduction.
    if (!profile)
        return;
    profile->introductionPending = false;
    profile->Save();
    CloseScreen(IntroductionScreen);
    OpenGameStart(*profile);
}

} // namespace ActionPuzzle
