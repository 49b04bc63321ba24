#include "engine/Engine.h"

#include <cstdint>

#include "engine/console/Console.h"
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/Random.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/ScreenCapture.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/SpriteGroupManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls_DI7.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/system/System.h"

namespace ZorvaneEngine {

namespace {

const char* const kEngineTitle = "Zorvane Engine";
constexpr int32_t kEngineVersion = 67;

EngineSettings WithTitle(const EngineSettings& given)
{
    EngineSettings settings = given;
    if (settings.title.empty()) {
        settings.title = kEngineTitle;
        settings.version = kEngineVersion;
    }
    return settings;
}

} // namespace

Engine::ComScope::ComScope() : initialized(Platform::GetSystem().CoInitialize() == Platform::S_OK)
{
}

Engine::ComScope::~ComScope()
{
    if (initialized)
        Platform::GetSystem().CoUninitialize();
}

Engine::Engine(const EngineSettings& given) : settings(WithTitle(given))
{
    // A log file cannot be opened in a folder that does not exist yet, as on
    // the very first run; the whole log of that run would be lost.
    if (settings.logToFile && !settings.logFolder.empty())
        CreateDirectories(MakeAbsolutePath(settings.logFolder) + "\\");

    // From the log on, every service reports through it. Each service gets
    // the ones created before it.
    log = std::make_unique<MessageManager>(settings.logFolder, settings.logName, settings.title,
                                           settings.logToFile, settings.logReopen);
    fileManager = std::make_unique<FileManager>(settings.dataFolder, log.get(), settings.baseFolder);
    timers = std::make_unique<TimerManager>();
    config = std::make_unique<Config>(settings.videoMode, settings.configName, log.get(),
                                      fileManager.get(), settings.configFolder,
                                      settings.videoModeGiven, settings.fullscreenGiven,
                                      settings.fullscreen);
    config->Load();

    // Only the size counts here; the bits are the renderer's business.
    int32_t width = 0;
    int32_t height = 0;
    ParseVideoMode(config->videoMode, &width, &height, nullptr);

    window = std::make_unique<Window>(GetVersionString(), log.get(), config.get(),
                                      settings.parentWindow, settings.iconId,
                                      settings.minimizeOnFocusLoss, static_cast<uint32_t>(width),
                                      static_cast<uint32_t>(height),
                                      config->fullscreen, settings.centerWindow,
                                      settings.windowX, settings.windowY);

    renderer = std::make_unique<RenderSystem_D3D7>(config.get(), log.get(), window.get(),
                                                   settings.stencilBuffer, settings.keepWindowSize);
    cameras = std::make_unique<CameraManager>(log.get(), window.get(), renderer.get());
    lights = std::make_unique<LightManager>(log.get(), renderer.get());

    materials = std::make_unique<ShaderManager>(log.get(), fileManager.get(), timers.get(),
                                                config.get(), renderer.get());
    models = std::make_unique<ModelManager>(log.get(), fileManager.get(), timers.get(),
                                            renderer.get(), cameras.get(), lights.get(),
                                            materials.get());
    spriteGroups = std::make_unique<SpriteGroupManager>(log.get(), cameras.get(), materials.get(),
                                                        models.get());
    particleSystems = std::make_unique<ParticleSystemManager>(
        log.get(), fileManager.get(), timers.get(), materials.get(), spriteGroups.get());
    screenCapture =
        std::make_unique<ScreenCapture>(log.get(), fileManager.get(), config.get(), window.get());

    input = std::make_unique<Controls_DI7>(log.get(), timers.get(), config.get(), window.get());

    // Without a working sound device the game runs silent. The sound system
    // has logged its failure before raising the Error.
    try {
        soundSystem = std::make_unique<SoundSystem_DS7>(log.get(), fileManager.get(), timers.get(),
                                                        config.get(), window.get(),
                                                        settings.sound3D);
        soundManager =
            std::make_unique<SoundManager>(log.get(), fileManager.get(), soundSystem.get());
    } catch (const Error&) {
    }

    guiManager = std::make_unique<GUIManager>(log.get(), fileManager.get(), window.get(),
                                              timers.get(), cameras.get(), materials.get(),
                                              models.get(), input.get(), soundManager.get());

    RandomSeed = Platform::GetSystem().GetTickCount();
}

Engine::~Engine()
{
    if (settings.saveConfig)
        config->Save();

    // Reverse order of creation.
    console.reset();
    guiManager.reset();
    soundManager.reset();
    soundSystem.reset();
    input.reset();
    screenCapture.reset();
    // Systems own sprite groups, and groups own registered meshes: each
    // manager before the one its objects live in.
    particleSystems.reset();
    spriteGroups.reset();
    // Models still registered release their materials: before the materials.
    models.reset();
    // The material users still held release their textures, which leave the
    // renderer's registry: before the renderer.
    materials.reset();
    lights.reset();
    cameras.reset();
    renderer.reset();
    window.reset();
    config.reset();
    timers.reset();
    fileManager.reset();
    log.reset();
    // The COM scope ends after the last service.
}

void Engine::Update()
{
    config->Update();
    timers->Update();
    window->Update();
    input->Update();
    guiManager->Update();
    if (console)
        console->Update();

    // The console reads the messages of one frame: from the end of the
    // previous Update up to here.
    log->ClearFrameMessages();
}

void Engine::Render()
{
    renderer->Refresh();
    cameras->Update();
    particleSystems->Update();
    for (SpriteGroup* group : spriteGroups->GetSlots())
        if (group != nullptr)
            group->Build();
    guiManager->Draw();
    lights->Update();
    for (const auto& entry : materials->GetUsers())
        entry.second->Update();
    models->RenderAll();
    if (soundSystem)
        soundSystem->Refresh();
    if (soundManager)
        soundManager->Update(true);
}

void Engine::EndFrame()
{
    Render();
    if (renderer->IsReady())
        renderer->SwapBuffers();
    // Issued before the screen capture's update below, which takes it in
    // the same frame.
    if (input->IsKeyPressed("PRINTSCRN"))
        config->SetCommandDone("sc_take_screenshot", false);
    input->EndFrame();
    screenCapture->Update();
    config->ClearChanged();
    if (!config->IsCommandDone("exit"))
        log->Message("\nExiting...\n");
}

void Engine::CreateConsole(const std::string& version, const ShaderDescriptor& panelMaterial,
                           int32_t fontId, const std::string& toggleKey, float alpha, float height,
                           float speed)
{
    console.reset();
    console = std::make_unique<Console>(log.get(), timers.get(), config.get(), input.get(),
                                        materials.get(), guiManager.get(), panelMaterial, version,
                                        fontId, toggleKey, alpha, height, speed);
}

void Engine::RequestExit()
{
    config->SetCommandDone("exit", false);
}

std::string Engine::GetVersionString() const
{
    return settings.title + " " + IntToText(settings.version / 100) + "." +
           IntToText(settings.version % 100, 2);
}

} // namespace ZorvaneEngine
