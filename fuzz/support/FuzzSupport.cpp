#include "fuzz/support/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/SpriteGroupManager.h"
#include "platform/graphics/scripted/ScriptedGraphics.h"
#include "platform/window/scripted/ScriptedWindowing.h"

extern "C" {

// Undefined behaviour is a crash the fuzzer keeps (the programs are built
// with -fno-sanitize-recover); the stack shows where it happened.
const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}

} // extern "C"

namespace FuzzSupport {

namespace {

class ScratchFolder {
public:
    ScratchFolder()
    {
        // Every input is written here: memory (/dev/shm) rather than a disk,
        // whose truncation of the previous input costs more than most runs.
        const char* base = std::getenv("TMPDIR");
        std::string folder = base != nullptr && *base != '\0' ? base : "/tmp";
        if (base == nullptr && ::access("/dev/shm", W_OK) == 0) {
            folder = "/dev/shm";
        }
        std::string pattern = folder + "/tangrove-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }

    std::string path;
};

} // namespace

const std::string& Folder()
{
    static ScratchFolder folder;
    return folder.path;
}

std::string WriteFile(const std::string& relative, const uint8_t* data, size_t size)
{
    const std::filesystem::path path = std::filesystem::path(Folder()) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::abort();
    }
    return path.string();
}

std::string WriteFile(const std::string& relative, const std::vector<uint8_t>& bytes)
{
    return WriteFile(relative, bytes.data(), bytes.size());
}

std::vector<uint8_t> WithOwnSize(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    if (size >= 4) {
        const uint32_t own = static_cast<uint32_t>(size);
        for (int i = 0; i < 4; ++i) {
            bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(own >> (8 * i));
        }
    }
    return bytes;
}

ZorvaneEngine::MessageManager& Log()
{
    static ZorvaneEngine::MessageManager log("", "fuzz", "fuzz", false, false);
    return log;
}

ZorvaneEngine::FileManager& Files()
{
    static ZorvaneEngine::FileManager files("", &Log(), Folder());
    return files;
}

namespace {

Scene* madeScene = nullptr;

} // namespace

void EndInput()
{
    // TANGROVE_FUZZ_LOG=1 shows what the engine logged of each input: what
    // a seed or a replayed input did.
    static const bool show = std::getenv("TANGROVE_FUZZ_LOG") != nullptr;
    if (show) {
        for (const ZorvaneEngine::LogMessage& message : Log().GetFrameMessages()) {
            std::string text = message.text;
            for (char& c : text) {
                c = c == '\n' ? ' ' : c;
            }
            std::fprintf(stderr, "log %d: %s\n", message.level, text.c_str());
        }
    }
    Log().ClearFrameMessages();
    if (madeScene != nullptr) {
        madeScene->ForgetCalls();
    }
}

struct Scene::Platform {
    ::Platform::ScriptedWindowing windowing;
    ::Platform::ScriptedGraphics graphics;
    ::Platform::ScopedWindowing installedWindowing{windowing};
    ::Platform::ScopedGraphicsDriver installedGraphics{graphics};
};

Scene::Scene() : platform(std::make_unique<Platform>())
{
    using namespace ZorvaneEngine;
    platform->windowing.desktop = ::Platform::Rect{0, 0, 1280, 1024};
    MessageManager* log = &Log();
    config = std::make_unique<Config>("800x600x32", "fuzz", log, nullptr, "", false, false, false);
    window = std::make_unique<Window>("fuzz", log, config.get(), nullptr, 0, false, 800, 600, false, true, 0, 0);
    renderer = std::make_unique<RenderSystem_D3D7>(config.get(), log, window.get(), false, false);
    timers = std::make_unique<TimerManager>();
    cameras = std::make_unique<CameraManager>(log, window.get(), renderer.get());
    lights = std::make_unique<LightManager>(log, renderer.get());
    shaders = std::make_unique<ShaderManager>(log, &Files(), timers.get(), config.get(), renderer.get());
    models = std::make_unique<ModelManager>(log, &Files(), timers.get(), renderer.get(), cameras.get(),
                                            lights.get(), shaders.get());
    spriteGroups = std::make_unique<SpriteGroupManager>(log, cameras.get(), shaders.get(), models.get());
    cameras->Update();
    madeScene = this;
}

void Scene::ForgetCalls()
{
    // The scripted platform records every call; over millions of inputs
    // that record would fill the memory.
    platform->graphics.ClearCalls();
    platform->windowing.calls.clear();
}

Scene::~Scene()
{
    madeScene = nullptr;
    spriteGroups.reset();
    models.reset();
    shaders.reset();
    lights.reset();
    cameras.reset();
    timers.reset();
    renderer.reset();
    window.reset();
    config.reset();
}

Scene& GetScene()
{
    static Scene scene;
    return scene;
}

} // namespace FuzzSupport
