#include "framework/GameBase.h"

#include <cstdlib>
#include <vector>

#include "engine/core/Config.h"
#include "engine/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/Random.h"
#include "engine/core/TextUtils.h"
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
#include "engine/input/Controls.h"
#include "engine/sound/SoundManager.h"
#include "framework/tools/RegistryReader.h"
#include "platform/system/System.h"

namespace GameFramework {

namespace {

constexpr uint32_t kIdleFrameSleepMs = 100;
// "v_window_change_mode" stays pending this many frames so that the screens
// showing a full-screen choice can read the new setting before the switch.
constexpr int32_t kModeChangeFrames = 2;
constexpr float kGUIWidth = 800.0f;
constexpr float kGUIHeight = 600.0f;
// The language manager's choice: the game always reads the german texts and
// font list.
const char* const kLanguageCode = "ge";

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
    // The level logic, the screen windows, the game cursor, the high-score
    // table, the profile and level managers, the game data, both level
    // keepers, the language manager and the sound player go here, in that
    // order, before the engine.
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

    ZorvaneEngine::RandomSeed = Platform::GetSystem().GetTickCount();

    // The language manager is created here.
    RegisterConfigVariables();
    LoadFonts();
    // Texts load here; the window then takes the title text.
    // Every interface layout is made for 800 by 600 GUI units, whatever the
    // display mode.
    if (ZorvaneEngine::Camera* guiCamera = guiManager->GetCamera()) {
        guiCamera->orthoWidth = kGUIWidth;
        guiCamera->orthoHeight = kGUIHeight;
    }
    // The sound player, the level and profile managers, the high-score
    // table, the game data, the game cursor and the first two screens are
    // created here.
    RegisterSounds();
    // The logos screen opens here.
}

void GameBase::LoadFonts()
{
    try {
        const std::unique_ptr<ZorvaneEngine::FileTextual> file =
            fileManager->OpenTextFile(std::string("data\\ui\\fonts\\") + kLanguageCode + ".ini", false);
        fontCount = file->ReadInt();
        consoleFontIndex = file->ReadInt();
        for (int32_t id = 0; id < fontCount; ++id) {
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

void GameBase::Update()
{
    const bool focused = window->HasFocus() || !window->minimizeOnFocusLoss;

    if (!focused) {
        // A level in play is paused behind its pause window here, in one full
        // frame; a level already paused keeps its timer paused.
        // Idle frame: nothing is drawn and no screen is updated.
        window->Update();
        renderer->Refresh();
        timers->Update();
        // Sounds already asked for still start, and streams keep filling.
        if (soundManager != nullptr)
            soundManager->Update(true);
        if (!pausedByFocus) {
            // All music pauses at once here.
            pausedByFocus = true;
        }
        Platform::GetSystem().Sleep(kIdleFrameSleepMs);
        return;
    }

    if (pausedByFocus) {
        // The music fades back in and the level timer gets its state back here.
        pausedByFocus = false;
    }

    if (!config->IsCommandDone("g_update_video_mode")) {
        renderer->CheckVideoMode();
        config->SetCommandDone("g_update_video_mode", true);
    }
    if (renderer->IsModeChanged()) {
        // The music pauses before the reset and fades back in after it here.
        ResetRenderDevice();
        // The click or key that asked for the change must not reach the game.
        engine->input->SetInputLock(true);
    }

    engine->Update();
    ProcessDebugCommands();
    // The sound player's update comes here, then the three dispatch passes of
    // the screen machine, the screen and level updates and the game cursor.
    engine->EndFrame();

    if (!config->IsCommandDone("v_window_change_mode")) {
        if (++modeChangeFrameCounter == kModeChangeFrames) {
            modeChangeFrameCounter = 0;
            config->SetCommandDone("v_window_change_mode", true);
            config->SetCommandDone("g_update_video_mode", false);
        }
    }
}

} // namespace GameFramework
