#pragma once
// A set of named graphics resources that belong together (the game's whole
// catalogue, or the resources of one level) and one owner for all of them:
// material users, models, sprite groups and particle systems. A game derives
// a keeper and fills it in Load, which runs once, usually on the loading
// screen's worker thread. Resources can also come from resource description
// files (XML) listed before the load.
//
// Keys are ordered by byte comparison. A resource handed over under a key
// that is taken stays with the caller no longer: the keeper keeps the first
// one and frees the new one, so nothing handed to it is ever lost or leaked.
//
// The keeper is deleted on the main thread; its material users go back to
// the material manager and everything else is taken out of the engine's
// pools (where it was registered) and deleted, so the engine must outlive
// every keeper.
#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ZorvaneEngine {
class Engine;
class FileManager;
class MessageManager;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderManager;
class ShaderUser;
class SpriteGroup;
class SpriteGroupManager;
class TextureManager;
} // namespace ZorvaneEngine

namespace GameTools {
class XMLNode;
}

namespace GameFramework {

class DataKeeper {
public:
    // Anonymous entries are keyed from this number up, as nine digits.
    static constexpr uint32_t FirstAnonymousKey = 123456789;

    // languageCode: entries of a resource file marked with another language
    // are skipped.
    DataKeeper(ZorvaneEngine::Engine* engine, const std::string& languageCode);
    virtual ~DataKeeper();

    DataKeeper(const DataKeeper&) = delete;
    DataKeeper& operator=(const DataKeeper&) = delete;

    // The defaults (a material user, a unit box, a one-sprite group and the
    // built-in particle system, neither of the last two drawn), then every
    // listed resource file. Derived keepers call it first.
    virtual void Load();

    // Runs Load; with the threaded flag on a thread of the keeper's own,
    // which it waits for, so that the load is complete when this returns
    // (a failure of the load is raised here). Progress is 1 afterwards.
    void StartLoad();

    // A null resource is ignored. A key in use keeps its resource; the new
    // one is logged as duplicated and freed.
    void AddShaderUser(const std::string& key, ZorvaneEngine::ShaderUser* user);
    void AddModel(const std::string& key, ZorvaneEngine::Model* model);
    void AddParticleSystem(const std::string& key, ZorvaneEngine::ParticleSystem* system);
    // For resources the game reaches through its own references: the keeper
    // only owns them. The key is the entry count of that kind plus
    // FirstAnonymousKey, or the next free number when a named entry holds it.
    void AddAnonymousShaderUser(ZorvaneEngine::ShaderUser* user);
    void AddAnonymousModel(ZorvaneEngine::Model* model);
    void AddAnonymousParticleSystem(ZorvaneEngine::ParticleSystem* system);

    // Reads one resource description file into the keeper. A file that
    // cannot be read or parsed is logged at the error level and adds
    // nothing.
    void LoadResourceFile(const std::string& fileName);

    const std::map<std::string, ZorvaneEngine::ShaderUser*>& GetShaderUsers() const { return shaderUsers; }
    const std::map<std::string, ZorvaneEngine::Model*>& GetModels() const { return models; }
    const std::map<std::string, ZorvaneEngine::SpriteGroup*>& GetSpriteGroups() const { return spriteGroups; }
    const std::map<std::string, ZorvaneEngine::ParticleSystem*>& GetParticleSystems() const { return particleSystems; }
    ZorvaneEngine::ShaderUser* GetDefaultShaderUser() const { return defaultShaderUser; }
    ZorvaneEngine::Model* GetDefaultModel() const { return defaultModel; }
    ZorvaneEngine::SpriteGroup* GetDefaultSpriteGroup() const { return defaultSpriteGroup; }
    ZorvaneEngine::ParticleSystem* GetDefaultParticleSystem() const { return defaultParticleSystem; }
    const std::string& GetLanguageCode() const { return languageCode; }
    float GetProgress() const { return progress.load(); }

    // The resource description files Load reads, in order.
    std::vector<std::string> resourceFiles;
    // Set before StartLoad to load on a thread of the keeper's own.
    bool threaded = false;

protected:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::FileManager* fileManager;
    ZorvaneEngine::ShaderManager* shaderManager;
    ZorvaneEngine::TextureManager* textureManager;
    ZorvaneEngine::ModelManager* modelManager;
    ZorvaneEngine::SpriteGroupManager* spriteGroupManager;
    ZorvaneEngine::ParticleSystemManager* particleSystemManager;

private:
    struct LoopVariable {
        std::string name;
        int32_t value = 0;
    };
    // What one resource file may still cost: loops and nesting in a damaged
    // or hostile file end here instead of running for hours or overflowing
    // the stack.
    struct FileBudget {
        uint32_t iterationsLeft;
        bool exhaustedLogged = false;
    };

    void ProcessElement(GameTools::XMLNode& element, const std::string& folder, const std::string& prefix,
                        std::vector<LoopVariable>& variables, uint32_t depth, FileBudget& budget);
    void LoadModelElement(GameTools::XMLNode& element, const std::string& folder, const std::string& key,
                          const std::vector<LoopVariable>& variables);
    void LoadShaderElement(GameTools::XMLNode& element, const std::string& folder, const std::string& key,
                           const std::vector<LoopVariable>& variables);
    static std::string Substitute(const std::string& text, const std::vector<LoopVariable>& variables);

    template <typename T>
    static std::string AnonymousKey(const std::map<std::string, T*>& map);
    void FreeShaderUser(ZorvaneEngine::ShaderUser* user);
    void FreeModel(ZorvaneEngine::Model* model);
    void FreeSpriteGroup(ZorvaneEngine::SpriteGroup* group);
    void FreeParticleSystem(ZorvaneEngine::ParticleSystem* system);

    std::string languageCode;
    // 1 once the load has run to its end.
    std::atomic<float> progress{0.0f};

    // Owned.
    ZorvaneEngine::ShaderUser* defaultShaderUser = nullptr;
    ZorvaneEngine::Model* defaultModel = nullptr;
    ZorvaneEngine::SpriteGroup* defaultSpriteGroup = nullptr;
    ZorvaneEngine::ParticleSystem* defaultParticleSystem = nullptr;
    // Owned. No operation adds sprite groups; the keeper still frees them.
    std::map<std::string, ZorvaneEngine::ShaderUser*> shaderUsers;
    std::map<std::string, ZorvaneEngine::Model*> models;
    std::map<std::string, ZorvaneEngine::SpriteGroup*> spriteGroups;
    std::map<std::string, ZorvaneEngine::ParticleSystem*> particleSystems;
};

} // namespace GameFramework
