#pragma once
// What the fuzz programs share: a scratch folder the input is written into
// (the engine reads files only through its file manager), a log kept in
// memory, the fix-up of the size field that engine data files carry, and the
// graphics services a model, a font or a particle system needs, on the
// scripted platform.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ZorvaneEngine {
class CameraManager;
class Config;
class FileManager;
class LightManager;
class MessageManager;
class ModelManager;
class RenderSystem_D3D7;
class ShaderManager;
class SpriteGroupManager;
class TimerManager;
class Window;
} // namespace ZorvaneEngine

namespace FuzzSupport {

// A folder made at the first call and removed when the program ends.
const std::string& Folder();

// Writes the bytes to Folder()/relative ("/" separates folders, made as
// needed) and returns the file's full path.
std::string WriteFile(const std::string& relative, const uint8_t* data, size_t size);
std::string WriteFile(const std::string& relative, const std::vector<uint8_t>& bytes);

// The input with its first four bytes set to its own size, little-endian.
// Engine data files start with their size and are refused when it differs
// from the file's, which random changes would hit nearly every time; this
// lets the fuzzer reach what follows the header. Inputs shorter than four
// bytes are returned as they are.
std::vector<uint8_t> WithOwnSize(const uint8_t* data, size_t size);

// The log of every program: no file, lines kept in memory until EndInput.
ZorvaneEngine::MessageManager& Log();
// A file manager whose installation folder is Folder(), without archives.
ZorvaneEngine::FileManager& Files();
// Drops the log's lines of the input just run (printed first when the
// environment variable TANGROVE_FUZZ_LOG is set). Call at the end of every
// input.
void EndInput();

// A renderer on the scripted graphics driver and windowing, with the
// managers that models, fonts and particle systems are made with. Made at
// the first call, kept for the whole run.
struct Scene {
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Drops what the scripted platform recorded; EndInput calls it.
    void ForgetCalls();

    std::unique_ptr<ZorvaneEngine::Config> config;
    std::unique_ptr<ZorvaneEngine::Window> window;
    std::unique_ptr<ZorvaneEngine::RenderSystem_D3D7> renderer;
    std::unique_ptr<ZorvaneEngine::TimerManager> timers;
    std::unique_ptr<ZorvaneEngine::CameraManager> cameras;
    std::unique_ptr<ZorvaneEngine::LightManager> lights;
    std::unique_ptr<ZorvaneEngine::ShaderManager> shaders;
    std::unique_ptr<ZorvaneEngine::ModelManager> models;
    std::unique_ptr<ZorvaneEngine::SpriteGroupManager> spriteGroups;

private:
    struct Platform;
    std::unique_ptr<Platform> platform;
};
Scene& GetScene();

} // namespace FuzzSupport
