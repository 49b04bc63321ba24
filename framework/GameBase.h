#pragma once
// The framework's game object: owns the engine and the framework services,
// starts them in a fixed order, runs one frame of the whole program per
// Update and tears everything down in a fixed order. A concrete game derives
// from it, overrides the virtual operations and calls Init as the last step
// of its own constructor, so that start-up reaches its overrides.
#include <cstdint>
#include <memory>
#include <string>

namespace ZorvaneEngine {
class Engine;
struct EngineSettings;
class MessageManager;
class FileManager;
class TimerManager;
class Config;
class Window;
class RenderSystem;
class LightManager;
class ShaderManager;
class TextureManager;
class ModelManager;
class SpriteGroupManager;
class ParticleSystemManager;
class Controls;
class SoundManager;
class GUIManager;
class GUIFontManager;
class GUITextManager;
class GUISoundManager;
} // namespace ZorvaneEngine

namespace GameFramework {

class GameBase {
public:
    // Works out the version, the registry key and the two folders; creates
    // nothing.
    GameBase(const std::string& company, const std::string& product);
    virtual ~GameBase();

    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;

    // One frame, run by the message loop whenever no event is waiting.
    virtual void Update();
    // Start-up: the engine and the framework's services. The derived game's
    // constructor calls it as its last step.
    virtual void Init();
    virtual void FillEngineSettings(ZorvaneEngine::EngineSettings& settings);
    virtual void RegisterConfigVariables();
    // The fonts of the current language from "data\ui\fonts\<code>.ini":
    // the font count, the console's font id, then per font (its id being
    // its place in the list) the font file, the diffuse and opacity
    // pictures, size, missing-glyph advance, spacing, lower-case aliases
    // and fixed width. A list that cannot be opened or read ends the reading
    // without a word; the fonts made so far stay.
    virtual void LoadFonts();
    virtual void RegisterSounds() {}
    virtual void ProcessDebugCommands();
    virtual float GetDefaultMusicVolume() { return 1.0f; }
    virtual float GetDefaultSoundVolume() { return 1.0f; }
    // Re-creates the device in the configured mode and restores every
    // texture surface.
    virtual void ResetRenderDevice();

    ZorvaneEngine::Engine* GetEngine() const { return engine.get(); }
    int32_t GetVersion() const { return version; }
    const std::string& GetRegistryKey() const { return registryKey; }
    const std::string& GetInstallFolder() const { return installFolder; }
    const std::string& GetUserFolder() const { return userFolder; }

protected:
    std::string company;
    std::string product;
    int32_t version = 103;
    std::string registryKey;
    std::string installFolder;  // no trailing separator
    std::string userFolder;

    std::unique_ptr<ZorvaneEngine::Engine> engine;
    // The engine's services, taken once the engine exists; the engine owns them.
    ZorvaneEngine::MessageManager* log = nullptr;
    ZorvaneEngine::FileManager* fileManager = nullptr;
    ZorvaneEngine::TimerManager* timers = nullptr;
    ZorvaneEngine::Config* config = nullptr;
    ZorvaneEngine::Window* window = nullptr;
    ZorvaneEngine::RenderSystem* renderer = nullptr;
    ZorvaneEngine::LightManager* lights = nullptr;
    ZorvaneEngine::ShaderManager* materials = nullptr;
    ZorvaneEngine::TextureManager* textures = nullptr;
    ZorvaneEngine::ModelManager* models = nullptr;
    ZorvaneEngine::SpriteGroupManager* spriteGroups = nullptr;
    ZorvaneEngine::ParticleSystemManager* particleSystems = nullptr;
    ZorvaneEngine::Controls* input = nullptr;
    ZorvaneEngine::SoundManager* soundManager = nullptr;  // none when the engine runs silent
    ZorvaneEngine::GUIManager* guiManager = nullptr;
    ZorvaneEngine::GUIFontManager* fontManager = nullptr;
    ZorvaneEngine::GUITextManager* textManager = nullptr;
    ZorvaneEngine::GUISoundManager* guiSoundManager = nullptr;
    // The screen-capture and console references join here as those
    // services come into being.

    bool showStatistics = false;  // "d_show_statistics"
    // The first two numbers of the font list.
    int32_t fontCount = 0;
    int32_t consoleFontIndex = 0;

    // Owned framework services (language manager, sound player, game data,
    // level keepers, level and profile managers, high-score table, game
    // cursor, the screen windows and the level logic) join here.

    bool pausedByFocus = false;
    bool timerWasPaused = false;
    int32_t modeChangeFrameCounter = 0;
};

} // namespace GameFramework
