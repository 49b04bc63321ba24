#include "framework/GameBase.h"

#include <cstdlib>
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

bool Is(const WindowControllerBase* window, WindowAction action)
{
    return window != nullptr && window->result == action;
}

} // namespace

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
    if (logosWindow) OnLogosWindowAction();
    if (gameLoadingWindow) OnGameLoadingWindowAction();
    if (welcomeWindow) OnWelcomeWindowAction();
    if (exitWindow) OnExitWindowAction();
    if (mainMenuWindow) OnMainMenuWindowAction();
    if (profilesWindow) OnProfilesWindowAction();
    if (gameLogicLoadingWindow) OnGameLogicLoadingWindowAction();
    if (newProfileWindow) OnNewProfileWindowAction();
    if (renameProfileWindow) OnRenameProfileWindowAction();
    if (deleteProfileWindow) OnDeleteProfileWindowAction();
    if (profileNameConflictWindow) OnProfileNameConflictWindowAction();
    if (startGameLogicWindow) OnStartGameLogicWindowAction();
    if (continueGameLogicWindow) OnContinueGameLogicWindowAction();
    if (highScoresWindow) OnHighScoresWindowAction();
    if (optionsWindow) OnOptionsWindowAction();
    if (helpWindow) OnHelpWindowAction();
    if (gameLogicWindow) OnGameLogicWindowAction();
    if (gameLogicPauseWindow) OnGameLogicPauseWindowAction();
    if (gameLogicMenuWindow) OnGameLogicMenuWindowAction();
    if (gameLogicMenuExitWindow) OnGameLogicMenuExitWindowAction();
    if (gameLogicRestartWindow) OnGameLogicRestartWindowAction();
    if (gameLogicGameExitWindow) OnGameLogicGameExitWindowAction();
    if (gameLogic && gameLogic->stateChanged) {
        if (gameLogic->state == GameLogicState::Won)
            OnLevelWon();
        else if (gameLogic->state == GameLogicState::Lost)
            OnLevelLost();
    }
    if (levelCompleteWindow) OnLevelCompleteWindowAction();
    if (stageCompleteWindow) OnStageCompleteWindowAction();
    if (gameCompleteWindow) OnGameCompleteWindowAction();
    if (gameOverWindow) OnGameOverWindowAction();
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

void GameBase::OnLogosWindowAction()
{
    if (Is(logosWindow.get(), WindowAction::Done)) {
        logosWindow->Close();
        if (gameLoadingWindow) gameLoadingWindow->Open(gameData.get());
    }
}

void GameBase::OnGameLoadingWindowAction()
{
    if (!Is(gameLoadingWindow.get(), WindowAction::Done)) return;
    gameLoadingWindow->Close();
    CreateWindows();
    if (!profileManager->GetProfiles().empty()) {
        if (mainMenuWindow) mainMenuWindow->Open();
    } else if (welcomeWindow) {
        welcomeWindow->Open();
    }
    if (gameCursor) gameCursor->Show(true);
    // Tells whoever watches the log (a test driving the program) that the
    // start-up is over.
    log->Message("\nGame: Resources loaded, first screen opened...");
}

void GameBase::OnWelcomeWindowAction()
{
    GUIWelcomeWindowBase* w = welcomeWindow.get();
    if (Is(w, WindowAction::ToMainMenu)) {
        w->Close();
        if (mainMenuWindow) mainMenuWindow->Open();
    } else if (Is(w, WindowAction::ToExit)) {
        w->Close();
        if (exitWindow) exitWindow->Open(ExitOpenMode::FromWelcome);
    }
}

void GameBase::OnExitWindowAction()
{
    GUIExitWindowBase* w = exitWindow.get();
    if (Is(w, WindowAction::ToWelcome)) {
        w->Close();
        if (welcomeWindow) welcomeWindow->Open();
    } else if (Is(w, WindowAction::ToMainMenu)) {
        w->Close();
        if (mainMenuWindow) mainMenuWindow->Open();
    } else if (Is(w, WindowAction::ToNewProfile)) {
        w->Close();
        if (newProfileWindow) newProfileWindow->Open(NewProfileOpenMode::FromQuestion);
    } else if (Is(w, WindowAction::Quit)) {
        // The question stays open; the loop ends after this frame.
        engine->RequestExit();
    }
}

void GameBase::OnMainMenuWindowAction()
{
    GUIMainMenuWindowBase* w = mainMenuWindow.get();
    switch (w->result) {
    case WindowAction::ToExit:
        w->Close();
        if (exitWindow) exitWindow->Open(ExitOpenMode::FromMainMenu);
        break;
    case WindowAction::ToProfiles:
        w->Close();
        if (profilesWindow) profilesWindow->Open();
        break;
    case WindowAction::ToHighScores:
        w->Close();
        if (highScoresWindow) highScoresWindow->Open(HighScoresOpenMode::FromMainMenu, nullptr);
        break;
    case WindowAction::ToOptions:
        w->Close();
        if (optionsWindow) optionsWindow->Open();
        break;
    case WindowAction::ToHelp:
        w->Close();
        if (helpWindow) helpWindow->Open();
        break;
    case WindowAction::Play: {
        // A game needs a player: without a profile the request is dropped.
        ProfileBase* profile = GetProfile();
        if (!profile) break;
        w->Close();
        if (profile->inProgress) {
            if (continueGameLogicWindow) continueGameLogicWindow->Open();
        } else {
            profile->Reset();
            if (startGameLogicWindow) startGameLogicWindow->Open(LevelStartOpenMode::FromMainMenu);
        }
        break;
    }
    default:
        break;
    }
}

void GameBase::OnProfilesWindowAction()
{
    GUIProfilesWindowBase* w = profilesWindow.get();
    switch (w->result) {
    case WindowAction::ToMainMenu:
        w->Close();
        if (mainMenuWindow) mainMenuWindow->Open();
        break;
    case WindowAction::ToNewProfile:
        w->Close();
        if (newProfileWindow) newProfileWindow->Open(NewProfileOpenMode::FromProfileList);
        break;
    case WindowAction::ToRenameProfile:
        w->Close();
        if (renameProfileWindow) renameProfileWindow->Open(true, w->GetSelectedName());
        break;
    case WindowAction::ToDeleteProfile:
        w->Close();
        if (deleteProfileWindow) deleteProfileWindow->Open(w->GetSelectedName());
        break;
    default:
        break;
    }
}

void GameBase::OnGameLogicLoadingWindowAction()
{
    if (!Is(gameLogicLoadingWindow.get(), WindowAction::Done)) return;
    gameLogicLoadingWindow->Close();
    if (gameCursor) gameCursor->Show(true);
    const StageInfo* stage = nullptr;
    const LevelInfo* level = nullptr;
    if (!GetProfileLevel(stage, level)) return;
    gameLogic = CreateGameLogic(*stage, *level, static_cast<int32_t>(GetProfile()->carriedValue));
    if (gameLogicWindow) gameLogicWindow->Open(gameLogic.get());
}

void GameBase::OnNewProfileWindowAction()
{
    GUINewProfileWindowBase* w = newProfileWindow.get();
    if (Is(w, WindowAction::ToExit)) {
        w->Close();
        if (exitWindow) exitWindow->Open(ExitOpenMode::FromNewProfile);
    } else if (Is(w, WindowAction::ToProfiles)) {
        w->Close();
        if (profilesWindow) profilesWindow->Open();
    } else if (Is(w, WindowAction::ProfileNameConflict)) {
        w->Close();
        if (profileNameConflictWindow) profileNameConflictWindow->Open(NameConflictOpenMode::FromNewProfile);
    }
}

void GameBase::OnRenameProfileWindowAction()
{
    GUIRenameProfileWindowBase* w = renameProfileWindow.get();
    if (Is(w, WindowAction::ToProfiles)) {
        w->Close();
        if (profilesWindow) profilesWindow->Open();
    } else if (Is(w, WindowAction::ProfileNameConflict)) {
        w->Close();
        if (profileNameConflictWindow) profileNameConflictWindow->Open(NameConflictOpenMode::FromRename);
    }
}

void GameBase::OnDeleteProfileWindowAction()
{
    GUIDeleteProfileWindowBase* w = deleteProfileWindow.get();
    if (Is(w, WindowAction::ToProfiles)) {
        w->Close();
        if (profilesWindow) profilesWindow->Open();
    } else if (Is(w, WindowAction::ToNewProfile)) {
        w->Close();
        if (newProfileWindow) newProfileWindow->Open(NewProfileOpenMode::FromProfileList);
    }
}

void GameBase::OnProfileNameConflictWindowAction()
{
    GUIProfileNameConflictWindowBase* w = profileNameConflictWindow.get();
    if (Is(w, WindowAction::ToNewProfile)) {
        w->Close();
        if (newProfileWindow) newProfileWindow->Open(NewProfileOpenMode::FromQuestion);
    } else if (Is(w, WindowAction::ToRenameProfile)) {
        w->Close();
        if (renameProfileWindow) renameProfileWindow->Open(false, std::u16string());
    }
}

void GameBase::OnStartGameLogicWindowAction()
{
    GUIStartGameLogicWindowBase* w = startGameLogicWindow.get();
    if (Is(w, WindowAction::ToMainMenu)) {
        w->Close();
        if (mainMenuWindow) mainMenuWindow->Open();
    } else if (Is(w, WindowAction::Play)) {
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
        w->Close();
        if (gameLogicLoadingWindow) gameLogicLoadingWindow->Open(currentLevelKeeper.get());
    }
}

void GameBase::OnContinueGameLogicWindowAction()
{
    GUIContinueGameLogicWindowBase* w = continueGameLogicWindow.get();
    if (Is(w, WindowAction::ToMainMenu)) {
        w->Close();
        if (mainMenuWindow) mainMenuWindow->Open();
    } else if (Is(w, WindowAction::Proceed)) {
        // A new game over the saved one.
        if (ProfileBase* profile = GetProfile()) {
            profile->inProgress = false;
            profile->Save();
            profile->Reset();
        }
        w->Close();
        if (startGameLogicWindow) startGameLogicWindow->Open(LevelStartOpenMode::FromContinue);
    } else if (Is(w, WindowAction::ContinueGame)) {
        w->Close();
        if (startGameLogicWindow) startGameLogicWindow->Open(LevelStartOpenMode::FromContinue);
    }
}

void GameBase::OnHighScoresWindowAction()
{
    if (Is(highScoresWindow.get(), WindowAction::ToMainMenu)) {
        highScoresWindow->Close();
        if (mainMenuWindow) mainMenuWindow->Open();
    }
}

void GameBase::OnOptionsWindowAction()
{
    if (Is(optionsWindow.get(), WindowAction::ToMainMenu)) {
        optionsWindow->Close();
        if (mainMenuWindow) mainMenuWindow->Open();
    }
}

void GameBase::OnHelpWindowAction()
{
    if (Is(helpWindow.get(), WindowAction::ToMainMenu)) {
        helpWindow->Close();
        if (mainMenuWindow) mainMenuWindow->Open();
    }
}

void GameBase::OnGameLogicWindowAction()
{
    GUIGameLogicWindowBase* w = gameLogicWindow.get();
    // The HUD stays open, inactive, under the window shown over it, and the
    // level pauses.
    switch (w->result) {
    case WindowAction::ToExit:
        w->SetActive(false);
        if (gameLogicGameExitWindow) gameLogicGameExitWindow->Open();
        SetLogicState(GameLogicState::Paused);
        break;
    case WindowAction::Pause:
        w->SetActive(false);
        if (gameLogicPauseWindow) gameLogicPauseWindow->Open();
        SetLogicState(GameLogicState::Paused);
        break;
    case WindowAction::ToGameMenu:
        w->SetActive(false);
        if (gameLogicMenuWindow) gameLogicMenuWindow->Open();
        SetLogicState(GameLogicState::Paused);
        break;
    default:
        break;
    }
}

void GameBase::OnGameLogicPauseWindowAction()
{
    if (Is(gameLogicPauseWindow.get(), WindowAction::Resume)) {
        gameLogicPauseWindow->Close();
        if (gameLogicWindow) gameLogicWindow->SetActive(true);
        SetLogicState(GameLogicState::Playing);
    }
}

void GameBase::OnGameLogicMenuWindowAction()
{
    GUIGameLogicMenuWindowBase* w = gameLogicMenuWindow.get();
    if (Is(w, WindowAction::ToRestart)) {
        w->Close();
        if (gameLogicRestartWindow) gameLogicRestartWindow->Open();
    } else if (Is(w, WindowAction::ToLeaveLevel)) {
        w->Close();
        if (gameLogicMenuExitWindow) gameLogicMenuExitWindow->Open();
    } else if (Is(w, WindowAction::Resume)) {
        w->Close();
        if (gameLogicWindow) gameLogicWindow->SetActive(true);
        SetLogicState(GameLogicState::Playing);
    }
}

void GameBase::OnGameLogicMenuExitWindowAction()
{
    GUIGameLogicMenuExitWindowBase* w = gameLogicMenuExitWindow.get();
    if (Is(w, WindowAction::ToGameMenu)) {
        w->Close();
        if (gameLogicMenuWindow) gameLogicMenuWindow->Open();
    } else if (Is(w, WindowAction::ToMainMenu)) {
        w->Close();
        EndLevel();
        if (mainMenuWindow) mainMenuWindow->Open();
    }
}

void GameBase::OnGameLogicRestartWindowAction()
{
    GUIGameLogicRestartWindowBase* w = gameLogicRestartWindow.get();
    if (Is(w, WindowAction::ToGameMenu)) {
        w->Close();
        if (gameLogicMenuWindow) gameLogicMenuWindow->Open();
    } else if (Is(w, WindowAction::Proceed)) {
        w->Close();
        EndLevel();
        if (startGameLogicWindow) startGameLogicWindow->Open(LevelStartOpenMode::AfterRestart);
    }
}

void GameBase::OnGameLogicGameExitWindowAction()
{
    GUIGameLogicGameExitWindowBase* w = gameLogicGameExitWindow.get();
    if (Is(w, WindowAction::Resume)) {
        w->Close();
        if (gameLogicWindow) gameLogicWindow->SetActive(true);
        SetLogicState(GameLogicState::Playing);
    } else if (Is(w, WindowAction::Quit)) {
        engine->RequestExit();
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

    if (levelCompleteWindow) levelCompleteWindow->Open(*gameLogic->levelInfo, gameLogic->levelTimer->GetTime());
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
    if (startGameLogicWindow) startGameLogicWindow->Open(LevelStartOpenMode::FromMainMenu);
}

void GameBase::OnLevelLost()
{
    if (gameLogicWindow) gameLogicWindow->SetActive(false);
    if (ProfileBase* profile = GetProfile()) {
        profile->inProgress = false;
        profile->Save();
    }
    if (gameOverWindow) gameOverWindow->Open();
}

void GameBase::OnLevelCompleteWindowAction()
{
    GUILevelCompleteWindowBase* w = levelCompleteWindow.get();
    if (Is(w, WindowAction::Proceed)) {
        w->Close();
        EndLevel();
        if (startGameLogicWindow) startGameLogicWindow->Open(LevelStartOpenMode::AfterLevel);
    } else if (Is(w, WindowAction::StageComplete)) {
        // The level and its HUD stay under the stage's screen.
        w->Close();
        if (stageCompleteWindow && gameLogic) stageCompleteWindow->Open(*gameLogic->levelInfo);
    }
}

void GameBase::OnStageCompleteWindowAction()
{
    GUIStageCompleteWindowBase* w = stageCompleteWindow.get();
    if (Is(w, WindowAction::Proceed)) {
        w->Close();
        EndLevel();
        if (startGameLogicWindow) startGameLogicWindow->Open(LevelStartOpenMode::AfterStage);
    } else if (Is(w, WindowAction::GameComplete)) {
        w->Close();
        EndLevel();
        if (gameCompleteWindow) gameCompleteWindow->Open();
    }
}

void GameBase::OnGameCompleteWindowAction()
{
    if (!Is(gameCompleteWindow.get(), WindowAction::Done)) return;
    gameCompleteWindow->Close();
    ProfileBase* profile = GetProfile();
    if (profile && profile->totalScore != 0) {
        HighScoreEntry* entry = highScores->AddScore(profile->GetName(), profile->modeFlag, profile->totalScore);
        if (highScoresWindow) highScoresWindow->Open(HighScoresOpenMode::AfterGameComplete, entry);
    } else if (mainMenuWindow) {
        mainMenuWindow->Open();
    }
}

void GameBase::OnGameOverWindowAction()
{
    if (!Is(gameOverWindow.get(), WindowAction::Done)) return;
    gameOverWindow->Close();
    ProfileBase* profile = GetProfile();
    const uint32_t levelScore = gameLogic ? static_cast<uint32_t>(gameLogic->scoreKeeper->score) : 0;
    const uint32_t score = levelScore + (profile ? profile->totalScore : 0);
    if (profile && score != 0) {
        HighScoreEntry* entry = highScores->AddScore(profile->GetName(), profile->modeFlag, score);
        if (highScoresWindow) highScoresWindow->Open(HighScoresOpenMode::AfterGameOver, entry);
    } else if (mainMenuWindow) {
        mainMenuWindow->Open();
    }
    EndLevel();
}

} // namespace GameFramework
