#pragma once
// The single owner of every engine service. It fixes three orders the rest
// of the program relies on: the order of creation (each service receives the
// ones made before it), the order of the per-frame calls, and deletion in the
// exact reverse of creation.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/EngineSettings.h"

namespace ZorvaneEngine {

class MessageManager;
class FileManager;
class TimerManager;
class Config;
class Window;
class RenderSystem;
class CameraManager;
class LightManager;
class ShaderManager;
class ModelManager;
class SpriteGroupManager;
class ParticleSystemManager;
class ScreenCapture;
class Controls;
class SoundSystem;
class SoundManager;
class GUIManager;
class Console;
class ShaderDescriptor;

class Engine {
public:
    // Builds every service. A failure leaves the constructor after tearing
    // down, in reverse, what was already built; the configuration is not
    // saved on that path.
    explicit Engine(const EngineSettings& settings);
    // Saves the configuration when asked to, then deletes the services in
    // the reverse order of their creation.
    virtual ~Engine();

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // First half of a frame.
    void Update();
    // Second half of a frame: the scene pass, present, end of the input frame,
    // screen capture, and clearing of the configuration's changed flags.
    void EndFrame();
    // Issues the configuration command "exit".
    void RequestExit();
    // Makes the drop-down console over the engine's log, timers,
    // configuration, input, materials and GUI (replacing one made before).
    // The engine runs without one until this is called.
    void CreateConsole(const std::string& version, const ShaderDescriptor& panelMaterial, int32_t fontId,
                       const std::string& toggleKey, float alpha, float height, float speed);
    // The title, a blank and the version as "1.03".
    std::string GetVersionString() const;

private:
    void Render();

    // RAII for CoInitialize, so that a failed construction undoes it too.
    struct ComScope {
        ComScope();
        ~ComScope();
        ComScope(const ComScope&) = delete;
        ComScope& operator=(const ComScope&) = delete;
        bool initialized = false;
    };

public:
    // Declared in the order of creation: a construction that fails part way
    // destroys what exists in reverse order.
    EngineSettings settings;

private:
    ComScope com;

public:
    // The game base reads the services directly. The constructor makes every
    // one of them and they live until the destructor; only those marked so
    // below may be null.
    std::unique_ptr<MessageManager> log;
    std::unique_ptr<FileManager> fileManager;
    std::unique_ptr<TimerManager> timers;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem> renderer;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> materials;
    std::unique_ptr<ModelManager> models;
    std::unique_ptr<SpriteGroupManager> spriteGroups;
    std::unique_ptr<ParticleSystemManager> particleSystems;
    std::unique_ptr<ScreenCapture> screenCapture;
    std::unique_ptr<Controls> input;
    std::unique_ptr<SoundSystem> soundSystem;    // null without a working sound device
    std::unique_ptr<SoundManager> soundManager;  // null when it or the sound system failed
    std::unique_ptr<GUIManager> guiManager;
    std::unique_ptr<Console> console;  // only after CreateConsole

    bool IsComInitialized() const { return com.initialized; }
};

} // namespace ZorvaneEngine
