// Resource description files read into a resource keeper: an engine is made
// once on the scripted platform, then every input is written as a file and
// read into a fresh keeper, which frees all it got. Missing models and
// pictures give their substitutes and a damaged file is logged; a crash, a
// leak, a hang or an exception escaping is a fault.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/MessageManager.h"
#include "framework/DataKeeper.h"
#include "fuzz/support/FuzzSupport.h"
#include "tools/common/BinaryWriter.h"

namespace {

struct World {
    World()
    {
        ZorvaneEngine::EngineSettings settings = environment.Settings();
        // The log stays in memory: a file would grow with every input.
        settings.logToFile = false;
        const std::string folder = environment.folder / "bin/data/resources";
        std::filesystem::create_directories(folder);
        path = folder + "/input.xml";
        engine = std::make_unique<ZorvaneEngine::Engine>(settings);
    }

    TestSupport::EngineTestEnvironment environment;
    std::string path;
    std::unique_ptr<ZorvaneEngine::Engine> engine;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static World world;
    Tools::SaveFile(world.path, std::vector<uint8_t>(data, data + size));
    {
        GameFramework::DataKeeper keeper(world.engine.get(), "ge");
        keeper.LoadResourceFile("data\\resources\\input.xml");
    }
    world.engine->log->ClearFrameMessages();
    world.environment.graphics.ClearCalls();
    world.environment.windowing.calls.clear();
    world.environment.system.ClearJournal();
    FuzzSupport::EndInput();
    return 0;
}
