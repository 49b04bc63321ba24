#include "framework/GameBase.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/Random.h"
#include "engine/core/TextUtils.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/Texture2D.h"
#include "engine/graphics/TextureManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/GUITextManager.h"
#include "engine/input/Controls.h"
#include "engine/sound/SoundManager.h"
#include "framework/DataKeeper.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LanguageManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundPlayer.h"
#include "framework/tools/RegistryReader.h"
#include "platform/system/System.h"
#include "platform/window/Windowing.h"

namespace GameFramework {

namespace {

constexpr uint32_t kIdleFrameSleepMs = 100;
// "v_window_change_mode" stays pending this many frames so that the screens
// showing a full-screen choice can read the new setting before the switch.
constexpr int32_t kModeChangeFrames = 2;
constexpr float kGUIWidth = 800.0f;
constexpr float kGUIHeight = 600.0f;
// Music pauses at once and fades back in over two seconds.
constexpr float kMusicFadeSpeed = 0.5f;
constexpr int kDispatchPasses = 3;

// The rename screen's open modes: the profile list's selected profile, or
// the name typed before, which the screen keeps.
constexpr int32_t kRenameSelected = 1;
constexpr int32_t kRenameTyped = 0;

using A = WindowAction;
using S = ScreenId;
using X = ScreenExit;

// The order in which the screens' routes are followed: those shown before
// and over the level, then, after the level's change of state, those after
// it.
constexpr ScreenId kRoutedBeforeLevel[] = {
    S::Logos, S::GameLoading, S::Welcome, S::Exit, S::MainMenu, S::Profiles, S::GameLogicLoading, S::NewProfile,
    S::RenameProfile, S::DeleteProfile, S::ProfileNameConflict, S::StartGameLogic, S::ContinueGameLogic,
    S::HighScores, S::Options, S::Help, S::GameLogic, S::GameLogicPause, S::GameLogicMenu, S::GameLogicMenuExit,
    S::GameLogicRestart, S::GameLogicGameExit,
};
constexpr ScreenId kRoutedAfterLevel[] = {S::LevelComplete, S::StageComplete, S::GameComplete, S::GameOver};

} // namespace

// The framework's screen flow, screen by screen in the order of the
// handlers.
const ScreenRoute GameBase::FrameworkScreenFlow[] = {
    {S::Logos, A::Done, X::Close, S::GameLoading},
    {S::GameLoading, A::Done, X::Close, S::None, 0, &GameBase::OnGameLoadingWindowAction},
    {S::Welcome, A::ToMainMenu, X::Close, S::MainMenu},
    {S::Welcome, A::ToExit, X::Close, S::Exit, RouteMode(ExitOpenMode::FromWelcome)},
    {S::Exit, A::ToWelcome, X::Close, S::Welcome},
    {S::Exit, A::ToMainMenu, X::Close, S::MainMenu},
    {S::Exit, A::ToNewProfile, X::Close, S::NewProfile, RouteMode(NewProfileOpenMode::FromQuestion)},
    {S::Exit, A::Quit, X::Stay, S::None, 0, &GameBase::RequestExit},
    {S::MainMenu, A::ToExit, X::Close, S::Exit, RouteMode(ExitOpenMode::FromMainMenu)},
    {S::MainMenu, A::ToProfiles, X::Close, S::Profiles},
    {S::MainMenu, A::ToHighScores, X::Close, S::HighScores, RouteMode(HighScoresOpenMode::FromMainMenu)},
    {S::MainMenu, A::ToOptions, X::Close, S::Options},
    {S::MainMenu, A::ToHelp, X::Close, S::Help},
    {S::MainMenu, A::Play, X::Stay, S::None, 0, &GameBase::OnMainMenuWindowAction},
    {S::Profiles, A::ToMainMenu, X::Close, S::MainMenu},
    {S::Profiles, A::ToNewProfile, X::Close, S::NewProfile, RouteMode(NewProfileOpenMode::FromProfileList)},
    {S::Profiles, A::ToRenameProfile, X::Close, S::RenameProfile, kRenameSelected},
    {S::Profiles, A::ToDeleteProfile, X::Close, S::DeleteProfile},
    {S::GameLogicLoading, A::Done, X::Close, S::None, 0, &GameBase::OnGameLogicLoadingWindowAction},
    {S::NewProfile, A::ToExit, X::Close, S::Exit, RouteMode(ExitOpenMode::FromNewProfile)},
    {S::NewProfile, A::ToProfiles, X::Close, S::Profiles},
    {S::NewProfile, A::ProfileNameConflict, X::Close, S::ProfileNameConflict,
     RouteMode(NameConflictOpenMode::FromNewProfile)},
    {S::RenameProfile, A::ToProfiles, X::Close, S::Profiles},
    {S::RenameProfile, A::ProfileNameConflict, X::Close, S::ProfileNameConflict,
     RouteMode(NameConflictOpenMode::FromRename)},
    {S::DeleteProfile, A::ToProfiles, X::Close, S::Profiles},
    {S::DeleteProfile, A::ToNewProfile, X::Close, S::NewProfile, RouteMode(NewProfileOpenMode::FromProfileList)},
    {S::ProfileNameConflict, A::ToNewProfile, X::Close, S::NewProfile, RouteMode(NewProfileOpenMode::FromQuestion)},
    {S::ProfileNameConflict, A::ToRenameProfile, X::Close, S::RenameProfile, kRenameTyped},
    {S::StartGameLogic, A::ToMainMenu, X::Close, S::MainMenu},
    {S::StartGameLogic, A::Play, X::Stay, S::None, 0, &GameBase::OnStartGameLogicWindowAction},
    {S::ContinueGameLogic, A::ToMainMenu, X::Close, S::MainMenu},
    {S::ContinueGameLogic, A::Proceed, X::Stay, S::None, 0, &GameBase::OnContinueGameLogicWindowAction},
    {S::ContinueGameLogic, A::Proceed, X::Close, S::StartGameLogic, RouteMode(LevelStartOpenMode::FromContinue)},
    {S::ContinueGameLogic, A::ContinueGame, X::Close, S::StartGameLogic, RouteMode(LevelStartOpenMode::FromContinue)},
    {S::HighScores, A::ToMainMenu, X::Close, S::MainMenu},
    {S::Options, A::ToMainMenu, X::Close, S::MainMenu},
    {S::Help, A::ToMainMenu, X::Close, S::MainMenu},
    {S::GameLogic, A::ToExit, X::PauseLevel, S::GameLogicGameExit},
    {S::GameLogic, A::Pause, X::PauseLevel, S::GameLogicPause},
    {S::GameLogic, A::ToGameMenu, X::PauseLevel, S::GameLogicMenu},
    {S::GameLogicPause, A::Resume, X::CloseAndResume},
    {S::GameLogicMenu, A::ToRestart, X::Close, S::GameLogicRestart},
    {S::GameLogicMenu, A::ToLeaveLevel, X::Close, S::GameLogicMenuExit},
    {S::GameLogicMenu, A::Resume, X::CloseAndResume},
    {S::GameLogicMenuExit, A::ToGameMenu, X::Close, S::GameLogicMenu},
    {S::GameLogicMenuExit, A::ToMainMenu, X::CloseAndEndLevel, S::MainMenu},
    {S::GameLogicRestart, A::ToGameMenu, X::Close, S::GameLogicMenu},
    {S::GameLogicRestart, A::Proceed, X::CloseAndEndLevel, S::StartGameLogic,
     RouteMode(LevelStartOpenMode::AfterRestart)},
    {S::GameLogicGameExit, A::Resume, X::CloseAndResume},
    {S::GameLogicGameExit, A::Quit, X::Stay, S::None, 0, &GameBase::RequestExit},
    {S::LevelComplete, A::Proceed, X::CloseAndEndLevel, S::StartGameLogic, RouteMode(LevelStartOpenMode::AfterLevel)},
    // The level and its HUD stay under the stage's screen.
    {S::LevelComplete, A::StageComplete, X::Close, S::StageComplete},
    {S::StageComplete, A::Proceed, X::CloseAndEndLevel, S::StartGameLogic, RouteMode(LevelStartOpenMode::AfterStage)},
    {S::StageComplete, A::GameComplete, X::CloseAndEndLevel, S::GameComplete},
    {S::GameComplete, A::Done, X::Close, S::None, 0, &GameBase::OnGameCompleteWindowAction},
    {S::GameOver, A::Done, X::Close, S::None, 0, &GameBase::OnGameOverWindowAction},
};

GameBase::GameBase(const std::string& company, const std::string& product)
    : company(company), product(product),
      registryKey("SOFTWARE\\" + company + "\\" + product)
{
    std::string versionText = "103";
    GameTools::ReadRegistryString(registryKey, "Version", versionText);
    version = std::atoi(versionText.c_str());

    const std::string applicationFolder = ZorvaneEngine::GetApplicationFolder();
    if (ZorvaneEngine::FileExistsOnDisk(applicationFolder + "\\data\\pack0.pak")) {
        installFolder = applicationFolder;
    } else if (!GameTools::ReadRegistryString(registryKey, "InstallPath", installFolder)) {
        installFolder = applicationFolder;
    }
    while (!installFolder.empty() &&
           (installFolder.back() == '\\' || installFolder.back() == '/') && installFolder.size() > 1)
        installFolder.pop_back();

    userFolder = ZorvaneEngine::GetApplicationDataFolder() + "\\" + company + "\\" + product;
    screenFlow.assign(std::begin(FrameworkScreenFlow), std::end(FrameworkScreenFlow));
}

GameBase::~GameBase()
{
    gameLogic.reset();
    levelCompleteWindow.reset();
    stageCompleteWindow.reset();
    gameCompleteWindow.reset();
    gameOverWindow.reset();
    gameLogicGameExitWindow.reset();
    gameLogicRestartWindow.reset();
    gameLogicMenuExitWindow.reset();
    gameLogicMenuWindow.reset();
    gameLogicPauseWindow.reset();
    gameLogicWindow.reset();
    helpWindow.reset();
    optionsWindow.reset();
    highScoresWindow.reset();
    continueGameLogicWindow.reset();
    startGameLogicWindow.reset();
    profileNameConflictWindow.reset();
    profilesWindow.reset();
    newProfileWindow.reset();
    renameProfileWindow.reset();
    deleteProfileWindow.reset();
    mainMenuWindow.reset();
    exitWindow.reset();
    welcomeWindow.reset();
    gameLogicLoadingWindow.reset();
    gameLoadingWindow.reset();
    logosWindow.reset();
    gameCursor.reset();
    highScores.reset();
    profileManager.reset();
    levelManager.reset();
    gameData.reset();
    currentLevelKeeper.reset();
    previousLevelKeeper.reset();
    languageManager.reset();
    // Detaches the volumes, which the configuration still saves.
    soundPlayer.reset();
    // The engine saves the configuration when it goes: every owner of a
    // bound variable has detached it by then, this one included.
    if (config)
        config->DetachVariable("d_show_statistics");
    engine.reset();
}

void GameBase::ResetRenderDevice()
{
    renderer->Reset(ZorvaneEngine::ResetDevice | ZorvaneEngine::ResetTextures);
}

void GameBase::Init()
{
    ZorvaneEngine::EngineSettings settings;
    FillEngineSettings(settings);

    engine = std::make_unique<ZorvaneEngine::Engine>(settings);
    log = engine->log.get();
    fileManager = engine->fileManager.get();
    timers = engine->timers.get();
    config = engine->config.get();
    window = engine->window.get();
    renderer = engine->renderer.get();
    lights = engine->lights.get();
    materials = engine->materials.get();
    textures = materials->GetTextureManager();
    models = engine->models.get();
    spriteGroups = engine->spriteGroups.get();
    particleSystems = engine->particleSystems.get();
    input = engine->input.get();
    soundManager = engine->soundManager.get();
    guiManager = engine->guiManager.get();
    fontManager = guiManager->GetFontManager();
    textManager = guiManager->GetTextManager();
    guiSoundManager = guiManager->GetSoundManager();
    screenCapture = engine->screenCapture.get();

    ZorvaneEngine::RandomSeed = Platform::GetSystem().GetTickCount();

    languageManager = std::make_unique<LanguageManager>(registryKey, *fileManager);
    RegisterConfigVariables();
    LoadFonts();
    LoadTexts();
    // The caption takes the title in the language's own letters.
    Platform::GetWindowing().SetWindowText(window->handle,
                                           ZorvaneEngine::WideToUtf8(textManager->GetText("GAME_TITLE")));
    // Every interface layout is made for 800 by 600 GUI units, whatever the
    // display mode.
    if (ZorvaneEngine::Camera* guiCamera = guiManager->GetCamera()) {
        guiCamera->orthoWidth = kGUIWidth;
        guiCamera->orthoHeight = kGUIHeight;
    }
    console = engine->console.get();

    soundPlayer = std::make_unique<SoundPlayer>(engine.get(), GetDefaultMusicVolume(), GetDefaultSoundVolume());
    levelManager = CreateLevelManager();
    profileManager = CreateProfileManager();
    // A profile pointing past the catalogue (edited by hand, or a catalogue
    // that lost levels) starts over at the first level instead of reading
    // past the records.
    profileManager->LimitProgress(GetLevelCounts());
    highScores = std::make_unique<HighScoresTable>(engine.get(), userFolder);

    gameData = CreateGameData();
    gameCursor = CreateGameCursor();
    logosWindow = CreateLogosWindow();
    gameLoadingWindow = CreateGameLoadingWindow();
    RegisterSounds();
    if (logosWindow)
        logosWindow->Open();
}

const std::string& GameBase::GetLanguageCode() const
{
    return languageManager->GetCurrentLanguage().code;
}

void GameBase::LoadFonts()
{
    try {
        const std::unique_ptr<ZorvaneEngine::FileTextual> file =
            fileManager->OpenTextFile("data\\ui\\fonts\\" + GetLanguageCode() + ".ini", false);
        fontCount = file->ReadInt();
        consoleFontIndex = file->ReadInt();
        for (int32_t id = 0; id < fontCount; ++id) {
            if (id == MaxFonts) {
                log->Warning("Font list: only the first " + ZorvaneEngine::IntToText(MaxFonts) + " of " +
                             ZorvaneEngine::IntToText(fontCount) + " fonts are made");
                break;
            }
            // A list shorter than its count ends where its records end,
            // rather than making fonts of names it does not hold.
            std::string fontFile, diffuse, opacity;
            if (!file->ReadToken(fontFile) || !file->ReadToken(diffuse) || !file->ReadToken(opacity)) break;
            const float size = file->ReadFloat();
            const float missingAdvance = file->ReadFloat();
            const float spacing = file->ReadFloat();
            const bool lowerCaseAliases = file->ReadInt() != 0;
            const bool fixedWidth = file->ReadInt() != 0;
            ZorvaneEngine::GUIFont* font =
                fontManager->LoadFont(id, ZorvaneEngine::BuildGUIShaderDescriptor(opacity, diffuse), fontFile);
            font->size = size;
            font->missingAdvance = missingAdvance;
            font->spacing = spacing;
            font->fixedWidth = fixedWidth;
            if (lowerCaseAliases) font->AddLowerCaseAliases();
        }
    } catch (const ZorvaneEngine::FileError&) {
        // A missing or broken list leaves the interface without those fonts.
    }
}

void GameBase::LoadTexts()
{
    LoadTextFile("game_title");
    LoadTextFile("common");
}

void GameBase::LoadTextFile(const std::string& name)
{
    textManager->LoadFile("ui\\texts\\" + GetLanguageCode() + "\\" + name + ".ini");
}

void GameBase::CreateConsole()
{
    engine->CreateConsole(engine->GetVersionString(),
                          ZorvaneEngine::BuildGUIShaderDescriptor("32bit", "ui\\console\\console.jpg"),
                          consoleFontIndex, "~", 0.95f, 308.0f, 1000.0f);
    console = engine->console.get();
}

std::string GameBase::GetSoundFileName(const std::string& folder, const std::string& name) const
{
    const std::string stem = "audio\\" + folder + "\\" + name + ".";
    return fileManager->FileExists("data\\" + stem + "wav") ? stem + "wav" : stem + "ogg";
}

void GameBase::FillEngineSettings(ZorvaneEngine::EngineSettings& settings)
{
    settings.title = product;
    settings.version = version;
    settings.baseFolder = installFolder;
    settings.saveConfig = true;
    settings.configName = product;
    settings.logToFile = true;
    settings.logReopen = false;
    settings.logFolder = userFolder;
    settings.logName = product;
    settings.configFolder = userFolder;
    settings.dataFolder = "Data";
    settings.parentWindow = nullptr;
    settings.iconId = 0;
    settings.minimizeOnFocusLoss = true;
    settings.videoModeGiven = false;
    settings.videoMode = "800x600x32";
    settings.fullscreenGiven = false;
    settings.fullscreen = true;
    settings.keepWindowSize = false;
    settings.stencilBuffer = false;
    settings.centerWindow = true;
    settings.windowX = 0;
    settings.windowY = 0;
    settings.sound3D = false;
}

void GameBase::RegisterConfigVariables()
{
    using ZorvaneEngine::ConfigVariableType;
    config->AddVariable("", "d_get_used_video_memory_size", ConfigVariableType::Command, false,
                        nullptr, false);
    config->AddVariable("", "d_get_manages_occupation", ConfigVariableType::Command, false,
                        nullptr, false);
    config->AddVariable("", "d_get_loaded_textures", ConfigVariableType::Command, false, nullptr,
                        false);
    config->AddVariable("0", "d_show_statistics", ConfigVariableType::Bool, true, &showStatistics,
                        false);
    config->AddVariable("", "g_update_video_mode", ConfigVariableType::Command, false, nullptr,
                        false);
}

void GameBase::ProcessDebugCommands()
{
    using ZorvaneEngine::UIntToText;
    if (!config->IsCommandDone("d_get_used_video_memory_size")) {
        config->SetCommandDone("d_get_used_video_memory_size", true);
        const double megabytes = textures->GetUsedVideoMemory() / 1048576.0;
        log->Message("Video Memory Used: " +
                     ZorvaneEngine::FloatToText(static_cast<float>(megabytes), 2) + " Mb");
    }
    if (!config->IsCommandDone("d_get_manages_occupation")) {
        config->SetCommandDone("d_get_manages_occupation", true);
        std::vector<ZorvaneEngine::Texture2D*> loaded;
        textures->GetTextures(loaded);
        const auto users = static_cast<uint32_t>(materials->GetUsers().size());
        log->Message("Shader users count: " + UIntToText(users));
        log->Message("Shaders count: " + UIntToText(materials->GetShaderCount()));
        log->Message("Textures count: " + UIntToText(static_cast<uint32_t>(loaded.size())));
        log->Message("Models count: " + UIntToText(models->models.GetCount()));
        // A silent engine has no sound manager and so no sounds.
        const size_t sounds = soundManager != nullptr ? soundManager->GetSlotCount() : 0;
        log->Message("Sounds count: " + UIntToText(static_cast<uint32_t>(sounds)));
    }
    if (!config->IsCommandDone("d_get_loaded_textures")) {
        config->SetCommandDone("d_get_loaded_textures", true);
        std::vector<ZorvaneEngine::Texture2D*> loaded;
        textures->GetTextures(loaded);
        for (size_t i = 0; i < loaded.size(); ++i)
            log->Message("Texture " + UIntToText(static_cast<uint32_t>(i)) + ": " + loaded[i]->GetKey());
    }
}

void GameBase::CreateWindows()
{
    gameLogicLoadingWindow = CreateGameLogicLoadingWindow();
    welcomeWindow = CreateWelcomeWindow();
    exitWindow = CreateExitWindow();
    mainMenuWindow = CreateMainMenuWindow();
    profilesWindow = CreateProfilesWindow();
    newProfileWindow = CreateNewProfileWindow();
    renameProfileWindow = CreateRenameProfileWindow();
    deleteProfileWindow = CreateDeleteProfileWindow();
    profileNameConflictWindow = CreateProfileNameConflictWindow();
    startGameLogicWindow = CreateStartGameLogicWindow();
    continueGameLogicWindow = CreateContinueGameLogicWindow();
    highScoresWindow = CreateHighScoresWindow();
    optionsWindow = CreateOptionsWindow();
    helpWindow = CreateHelpWindow();
    gameLogicWindow = CreateGameLogicWindow();
    gameLogicPauseWindow = CreateGameLogicPauseWindow();
    gameLogicMenuWindow = CreateGameLogicMenuWindow();
    gameLogicMenuExitWindow = CreateGameLogicMenuExitWindow();
    gameLogicRestartWindow = CreateGameLogicRestartWindow();
    gameLogicGameExitWindow = CreateGameLogicGameExitWindow();
    levelCompleteWindow = CreateLevelCompleteWindow();
    stageCompleteWindow = CreateStageCompleteWindow();
    gameCompleteWindow = CreateGameCompleteWindow();
    gameOverWindow = CreateGameOverWindow();
}

void GameBase::Update()
{
    const bool focused = window->HasFocus() || !window->minimizeOnFocusLoss;

    if (!focused) {
        if (gameLogic && !pausedByFocus && gameLogic->state == GameLogicState::Playing) {
            // The one full frame that shows the level paused behind its
            // pause window.
            gameLogic->SetState(GameLogicState::Paused);
            if (gameLogicWindow) gameLogicWindow->SetActive(false);
            if (gameLogicPauseWindow) gameLogicPauseWindow->Open();
            timerWasPaused = true;
            soundPlayer->PauseAllMusic(MusicPause::Pause, kMusicFadeSpeed, MusicFade::Immediate);
            pausedByFocus = true;
        } else {
            if (gameLogic && !pausedByFocus) {
                // A level paused by one of its windows: its timer returns to
                // the state it has now.
                timerWasPaused = gameLogic->levelTimer->IsPaused();
                gameLogic->levelTimer->SetPaused(true);
            }
            // Idle frame: nothing is drawn and no screen is updated.
            window->Update();
            renderer->Refresh();
            timers->Update();
            // Sounds already asked for still start, and streams keep filling.
            if (soundManager)
                soundManager->Update(true);
            if (!pausedByFocus) {
                soundPlayer->PauseAllMusic(MusicPause::Pause, kMusicFadeSpeed, MusicFade::Immediate);
                pausedByFocus = true;
            }
            Platform::GetSystem().Sleep(kIdleFrameSleepMs);
            return;
        }
    } else if (pausedByFocus) {
        soundPlayer->PauseAllMusic(MusicPause::Resume, kMusicFadeSpeed, MusicFade::Fade);
        if (gameLogic)
            gameLogic->levelTimer->SetPaused(timerWasPaused);
        pausedByFocus = false;
    }

    if (!config->IsCommandDone("g_update_video_mode")) {
        renderer->CheckVideoMode();
        config->SetCommandDone("g_update_video_mode", true);
    }
    if (renderer->IsModeChanged()) {
        soundPlayer->PauseAllMusic(MusicPause::Pause, kMusicFadeSpeed, MusicFade::Immediate);
        ResetRenderDevice();
        soundPlayer->PauseAllMusic(MusicPause::Resume, kMusicFadeSpeed, MusicFade::Fade);
        // The click or key that asked for the change must not reach the game.
        input->SetInputLock(true);
    }

    engine->Update();
    ProcessDebugCommands();
    soundPlayer->Update();

    // A result set during one frame's updates is handled in the first pass
    // of the next; the later passes find none, since each pass ends by
    // clearing every result.
    for (int pass = 0; pass < kDispatchPasses; ++pass) {
        ProcessWindowActions();
        ClearWindowActions();
    }
    UpdateWindows();
    if (gameCursor)
        gameCursor->Update();

    engine->EndFrame();

    if (!config->IsCommandDone("v_window_change_mode")) {
        if (++modeChangeFrameCounter == kModeChangeFrames) {
            modeChangeFrameCounter = 0;
            config->SetCommandDone("v_window_change_mode", true);
            config->SetCommandDone("g_update_video_mode", false);
        }
    }
}

// --- The screen state machine ---

std::vector<WindowControllerBase*> GameBase::GetScreensBeforeLevel() const
{
    std::vector<WindowControllerBase*> screens;
    for (WindowControllerBase* w : std::initializer_list<WindowControllerBase*>{
             logosWindow.get(), gameLoadingWindow.get(), welcomeWindow.get(), exitWindow.get(),
             mainMenuWindow.get(), profilesWindow.get(), newProfileWindow.get(), renameProfileWindow.get(),
             deleteProfileWindow.get(), profileNameConflictWindow.get(), gameLogicLoadingWindow.get(),
             startGameLogicWindow.get(), continueGameLogicWindow.get(), highScoresWindow.get(),
             optionsWindow.get(), helpWindow.get(), gameLogicWindow.get(), gameLogicPauseWindow.get(),
             gameLogicMenuWindow.get(), gameLogicMenuExitWindow.get(), gameLogicRestartWindow.get(),
             gameLogicGameExitWindow.get()}) {
        if (w) screens.push_back(w);
    }
    return screens;
}

std::vector<WindowControllerBase*> GameBase::GetScreensAfterLevel() const
{
    std::vector<WindowControllerBase*> screens;
    for (WindowControllerBase* w : std::initializer_list<WindowControllerBase*>{
             levelCompleteWindow.get(), stageCompleteWindow.get(), gameCompleteWindow.get(), gameOverWindow.get()}) {
        if (w) screens.push_back(w);
    }
    return screens;
}

void GameBase::ProcessWindowActions()
{
    for (ScreenId screen : kRoutedBeforeLevel)
        FollowScreenRoutes(screen);
    if (gameLogic && gameLogic->stateChanged) {
        if (gameLogic->state == GameLogicState::Won)
            OnLevelWon();
        else if (gameLogic->state == GameLogicState::Lost)
            OnLevelLost();
    }
    for (ScreenId screen : kRoutedAfterLevel)
        FollowScreenRoutes(screen);
}

void GameBase::AddScreenRoutes(std::initializer_list<ScreenRoute> routes)
{
    screenFlow.insert(screenFlow.end(), routes.begin(), routes.end());
}

void GameBase::AddScreenRoutesFirst(std::initializer_list<ScreenRoute> routes)
{
    // From the last, so that rows of one screen and result keep their order.
    for (auto route = std::rbegin(routes); route != std::rend(routes); ++route) {
        auto place = std::find_if(screenFlow.begin(), screenFlow.end(), [&](const ScreenRoute& row) {
            return row.screen == route->screen && row.action == route->action;
        });
        screenFlow.insert(place, *route);
    }
}

void GameBase::FollowScreenRoutes(ScreenId screen)
{
    const WindowAction result = GetScreenResult(screen);
    if (result == WindowAction::None)
        return;
    for (const ScreenRoute& route : screenFlow) {
        if (route.screen == screen && route.action == result)
            FollowScreenRoute(route);
    }
}

void GameBase::FollowScreenRoute(const ScreenRoute& route)
{
    switch (route.exit) {
    case ScreenExit::Stay:
        break;
    case ScreenExit::Close:
        CloseScreen(route.screen);
        break;
    case ScreenExit::CloseAndEndLevel:
        CloseScreen(route.screen);
        EndLevel();
        break;
    case ScreenExit::CloseAndResume:
        CloseScreen(route.screen);
        if (gameLogicWindow) gameLogicWindow->SetActive(true);
        SetLogicState(GameLogicState::Playing);
        break;
    case ScreenExit::PauseLevel:
        if (gameLogicWindow) gameLogicWindow->SetActive(false);
        break;
    }
    if (route.next != ScreenId::None)
        OpenScreen(route.next, route.mode);
    if (route.exit == ScreenExit::PauseLevel)
        SetLogicState(GameLogicState::Paused);
    if (route.step)
        (this->*route.step)();
}

WindowControllerBase* GameBase::GetScreen(ScreenId screen) const
{
    switch (screen) {
    case S::Logos: return logosWindow.get();
    case S::GameLoading: return gameLoadingWindow.get();
    case S::GameLogicLoading: return gameLogicLoadingWindow.get();
    case S::Welcome: return welcomeWindow.get();
    case S::Exit: return exitWindow.get();
    case S::MainMenu: return mainMenuWindow.get();
    case S::Profiles: return profilesWindow.get();
    case S::NewProfile: return newProfileWindow.get();
    case S::RenameProfile: return renameProfileWindow.get();
    case S::DeleteProfile: return deleteProfileWindow.get();
    case S::ProfileNameConflict: return profileNameConflictWindow.get();
    case S::StartGameLogic: return startGameLogicWindow.get();
    case S::ContinueGameLogic: return continueGameLogicWindow.get();
    case S::HighScores: return highScoresWindow.get();
    case S::Options: return optionsWindow.get();
    case S::Help: return helpWindow.get();
    case S::GameLogic: return gameLogicWindow.get();
    case S::GameLogicPause: return gameLogicPauseWindow.get();
    case S::GameLogicMenu: return gameLogicMenuWindow.get();
    case S::GameLogicMenuExit: return gameLogicMenuExitWindow.get();
    case S::GameLogicRestart: return gameLogicRestartWindow.get();
    case S::GameLogicGameExit: return gameLogicGameExitWindow.get();
    case S::LevelComplete: return levelCompleteWindow.get();
    case S::StageComplete: return stageCompleteWindow.get();
    case S::GameComplete: return gameCompleteWindow.get();
    case S::GameOver: return gameOverWindow.get();
    default: return nullptr;
    }
}

WindowAction GameBase::GetScreenResult(ScreenId screen) const
{
    const WindowControllerBase* window = GetScreen(screen);
    return window ? window->result : WindowAction::None;
}

void GameBase::CloseScreen(ScreenId screen)
{
    if (WindowControllerBase* window = GetScreen(screen))
        window->Close();
}

void GameBase::OpenScreen(ScreenId screen, int32_t mode)
{
    switch (screen) {
    case S::Logos:
        if (logosWindow) logosWindow->Open();
        break;
    case S::GameLoading:
        if (gameLoadingWindow) gameLoadingWindow->Open(gameData.get());
        break;
    case S::GameLogicLoading:
        if (gameLogicLoadingWindow) gameLogicLoadingWindow->Open(currentLevelKeeper.get());
        break;
    case S::Welcome:
        if (welcomeWindow) welcomeWindow->Open();
        break;
    case S::Exit:
        if (exitWindow) exitWindow->Open(static_cast<ExitOpenMode>(mode));
        break;
    case S::MainMenu:
        if (mainMenuWindow) mainMenuWindow->Open();
        break;
    case S::Profiles:
        if (profilesWindow) profilesWindow->Open();
        break;
    case S::NewProfile:
        if (newProfileWindow) newProfileWindow->Open(static_cast<NewProfileOpenMode>(mode));
        break;
    case S::RenameProfile:
        if (!renameProfileWindow) break;
        if (mode == kRenameSelected && profilesWindow)
            renameProfileWindow->Open(true, profilesWindow->GetSelectedName());
        else
            renameProfileWindow->Open(false, std::u16string());
        break;
    case S::DeleteProfile:
        if (deleteProfileWindow && profilesWindow) deleteProfileWindow->Open(profilesWindow->GetSelectedName());
        break;
    case S::ProfileNameConflict:
        if (profileNameConflictWindow) profileNameConflictWindow->Open(static_cast<NameConflictOpenMode>(mode));
        break;
    case S::StartGameLogic:
        if (startGameLogicWindow) startGameLogicWindow->Open(static_cast<LevelStartOpenMode>(mode));
        break;
    case S::ContinueGameLogic:
        if (continueGameLogicWindow) continueGameLogicWindow->Open();
        break;
    case S::HighScores:
        if (highScoresWindow) highScoresWindow->Open(static_cast<HighScoresOpenMode>(mode), nullptr);
        break;
    case S::Options:
        if (optionsWindow) optionsWindow->Open();
        break;
    case S::Help:
        if (helpWindow) helpWindow->Open();
        break;
    case S::GameLogic:
        if (gameLogicWindow) gameLogicWindow->Open(gameLogic.get());
        break;
    case S::GameLogicPause:
        if (gameLogicPauseWindow) gameLogicPauseWindow->Open();
        break;
    case S::GameLogicMenu:
        if (gameLogicMenuWindow) gameLogicMenuWindow->Open();
        break;
    case S::GameLogicMenuExit:
        if (gameLogicMenuExitWindow) gameLogicMenuExitWindow->Open();
        break;
    case S::GameLogicRestart:
        if (gameLogicRestartWindow) gameLogicRestartWindow->Open();
        break;
    case S::GameLogicGameExit:
        if (gameLogicGameExitWindow) gameLogicGameExitWindow->Open();
        break;
    case S::LevelComplete:
        if (levelCompleteWindow && gameLogic)
            levelCompleteWindow->Open(*gameLogic->levelInfo, gameLogic->levelTimer->GetTime());
        break;
    case S::StageComplete:
        if (stageCompleteWindow && gameLogic) stageCompleteWindow->Open(*gameLogic->levelInfo);
        break;
    case S::GameComplete:
        if (gameCompleteWindow) gameCompleteWindow->Open();
        break;
    case S::GameOver:
        if (gameOverWindow) gameOverWindow->Open();
        break;
    default:
        break;
    }
}

void GameBase::ClearWindowActions()
{
    for (WindowControllerBase* w : GetScreensBeforeLevel()) w->result = WindowAction::None;
    for (WindowControllerBase* w : GetScreensAfterLevel()) w->result = WindowAction::None;
    if (gameLogic)
        gameLogic->stateChanged = false;
}

void GameBase::UpdateWindows()
{
    for (WindowControllerBase* w : GetScreensBeforeLevel()) w->Update();
    if (gameLogic) gameLogic->Update();
    for (WindowControllerBase* w : GetScreensAfterLevel()) w->Update();
}

ProfileBase* GameBase::GetProfile() const
{
    return profileManager ? profileManager->currentProfile : nullptr;
}

std::vector<uint32_t> GameBase::GetLevelCounts() const
{
    std::vector<uint32_t> counts;
    for (const auto& stageLevels : levelManager->levels)
        counts.push_back(static_cast<uint32_t>(stageLevels.size()));
    return counts;
}

bool GameBase::GetProfileLevel(const StageInfo*& stage, const LevelInfo*& level)
{
    ProfileBase* profile = GetProfile();
    if (!profile) return false;
    profile->LimitProgress(GetLevelCounts());
    if (profile->stage >= levelManager->stages.size() || profile->stage >= levelManager->levels.size())
        return false;
    const auto& stageLevels = levelManager->levels[profile->stage];
    if (profile->level >= stageLevels.size()) return false;
    stage = levelManager->stages[profile->stage].get();
    level = stageLevels[profile->level].get();
    return true;
}

void GameBase::GetNextLevel(uint32_t& stage, uint32_t& level) const
{
    const auto& levels = levelManager->levels;
    if (stage < levels.size() && level + 1 < levels[stage].size()) {
        ++level;
        return;
    }
    // A stage without levels cannot be played: it is passed over.
    for (uint32_t next = stage + 1; next < levels.size(); ++next) {
        if (!levels[next].empty()) {
            stage = next;
            level = 0;
            return;
        }
    }
}

void GameBase::GetPreviousLevel(uint32_t& stage, uint32_t& level) const
{
    if (level > 0) {
        --level;
        return;
    }
    const auto& levels = levelManager->levels;
    for (uint32_t before = std::min<uint32_t>(stage, static_cast<uint32_t>(levels.size())); before-- > 0;) {
        if (!levels[before].empty()) {
            stage = before;
            level = static_cast<uint32_t>(levels[before].size() - 1);
            return;
        }
    }
    stage = 0;
    level = 0;
}

void GameBase::EndLevel()
{
    if (gameLogicWindow) gameLogicWindow->Close();
    gameLogic.reset();
}

void GameBase::SetLogicState(GameLogicState state)
{
    if (gameLogic) gameLogic->SetState(state);
}

void GameBase::OpenGameStart(ProfileBase& profile)
{
    if (profile.inProgress) {
        OpenScreen(S::ContinueGameLogic, 0);
    } else {
        profile.Reset();
        OpenScreen(S::StartGameLogic, RouteMode(LevelStartOpenMode::FromMainMenu));
    }
}

void GameBase::RequestExit()
{
    engine->RequestExit();
}

void GameBase::OnGameLoadingWindowAction()
{
    CreateWindows();
    OpenScreen(profileManager->GetProfiles().empty() ? S::Welcome : S::MainMenu, 0);
    if (gameCursor) gameCursor->Show(true);
    // Tells whoever watches the log (a test driving the program) that the
    // start-up is over.
    log->Message("\nGame: Resources loaded, first screen opened...");
}

void GameBase::OnMainMenuWindowAction()
{
    // A game needs a player: without a profile the request is dropped.
    ProfileBase* profile = GetProfile();
    if (!profile) return;
    CloseScreen(S::MainMenu);
    OpenGameStart(*profile);
}

void GameBase::OnGameLogicLoadingWindowAction()
{
    if (gameCursor) gameCursor->Show(true);
    const StageInfo* stage = nullptr;
    const LevelInfo* level = nullptr;
    if (!GetProfileLevel(stage, level)) return;
    gameLogic = CreateGameLogic(*stage, *level, static_cast<int32_t>(GetProfile()->carriedValue));
    OpenScreen(S::GameLogic, 0);
}

void GameBase::OnStartGameLogicWindowAction()
{
    const StageInfo* stage = nullptr;
    const LevelInfo* level = nullptr;
    if (!GetProfileLevel(stage, level)) return;
    // The keeper of the level played last lives until this one has
    // loaded, so the resources both use are not loaded twice.
    previousLevelKeeper.reset();
    previousLevelKeeper = std::move(currentLevelKeeper);
    currentLevelKeeper = CreateGameLogicData(*stage, *level);
    std::vector<std::string> files;
    levelManager->GetLevelResourceFiles(level->stageIndex, level->levelIndex, files);
    for (const std::string& file : files)
        currentLevelKeeper->resourceFiles.push_back(file);
    CloseScreen(S::StartGameLogic);
    OpenScreen(S::GameLogicLoading, 0);
}

void GameBase::OnContinueGameLogicWindowAction()
{
    if (ProfileBase* profile = GetProfile()) {
        profile->inProgress = false;
        profile->Save();
        profile->Reset();
    }
}

std::unique_ptr<ProfileBestRecord> GameBase::CreateBestRecord()
{
    return std::make_unique<ProfileBestRecord>();
}

void GameBase::FillBestRecord(ProfileBestRecord& record)
{
    if (ProfileBase* profile = GetProfile()) record.modeFlag = profile->modeFlag;
    if (!gameLogic) return;
    record.stage = gameLogic->levelInfo->stageIndex;
    record.level = gameLogic->levelInfo->levelIndex;
    record.bestTime = gameLogic->levelTimer->GetTime();
}

void GameBase::OnLevelWon()
{
    ProfileBase* profile = GetProfile();
    if (gameLogicWindow) gameLogicWindow->SetActive(false);
    if (!profile) return;

    const uint32_t stage = gameLogic->levelInfo->stageIndex;
    const uint32_t level = gameLogic->levelInfo->levelIndex;
    uint32_t nextStage = stage, nextLevel = level;
    GetNextLevel(nextStage, nextLevel);
    profile->stage = nextStage;
    profile->level = nextLevel;
    profile->Save();

    // The last level of the game leads to itself.
    const bool unchanged = nextStage == stage && nextLevel == level;
    const bool beyond = nextStage > profile->furthestStage ||
                        (nextStage == profile->furthestStage && nextLevel > profile->furthestLevel);
    const bool same = nextStage == profile->furthestStage && nextLevel == profile->furthestLevel;
    if (beyond || (same && unchanged)) {
        profile->endReached = unchanged;
        profile->furthestStage = nextStage;
        profile->furthestLevel = nextLevel;
        profile->Save();
    }

    profile->carriedValue = static_cast<uint32_t>(gameLogic->carriedValue);
    profile->totalScore += static_cast<uint32_t>(gameLogic->scoreKeeper->score);
    gameLogic->scoreKeeper->score = 0;
    profile->inProgress = !unchanged;
    profile->Save();

    std::unique_ptr<ProfileBestRecord> record = CreateBestRecord();
    FillBestRecord(*record);
    profile->AddBestRecord(std::move(record));

    OpenScreen(S::LevelComplete, 0);
}

void GameBase::GoToPreviousLevel()
{
    ProfileBase* profile = GetProfile();
    if (profile && gameLogic) {
        uint32_t stage = gameLogic->levelInfo->stageIndex;
        uint32_t level = gameLogic->levelInfo->levelIndex;
        GetPreviousLevel(stage, level);
        profile->stage = stage;
        profile->level = level;
        profile->Save();
    }
    EndLevel();
    OpenScreen(S::StartGameLogic, RouteMode(LevelStartOpenMode::FromMainMenu));
}

void GameBase::OnLevelLost()
{
    if (gameLogicWindow) gameLogicWindow->SetActive(false);
    if (ProfileBase* profile = GetProfile()) {
        profile->inProgress = false;
        profile->Save();
    }
    OpenScreen(S::GameOver, 0);
}

void GameBase::OnGameCompleteWindowAction()
{
    ProfileBase* profile = GetProfile();
    if (profile && profile->totalScore != 0) {
        HighScoreEntry* entry = highScores->AddScore(profile->GetName(), profile->modeFlag, profile->totalScore);
        if (highScoresWindow) highScoresWindow->Open(HighScoresOpenMode::AfterGameComplete, entry);
    } else {
        OpenScreen(S::MainMenu, 0);
    }
}

void GameBase::OnGameOverWindowAction()
{
    ProfileBase* profile = GetProfile();
    const uint32_t levelScore = gameLogic ? static_cast<uint32_t>(gameLogic->scoreKeeper->score) : 0;
    const uint32_t score = levelScore + (profile ? profile->totalScore : 0);
    if (profile && score != 0) {
        HighScoreEntry* entry = highScores->AddScore(profile->GetName(), profile->modeFlag, score);
        if (highScoresWindow) highScoresWindow->Open(HighScoresOpenMode::AfterGameOver, entry);
    } else {
        OpenScreen(S::MainMenu, 0);
    }
    EndLevel();
}

} // namespace GameFramework
