// The font list read at start-up ("data\ui\fonts\<language>.ini"): the game
// is started once on the scripted platform, then every input is read as its
// font list. The fonts it names are mostly missing; a list may also name the
// one font file that exists.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/MessageManager.h"
#include "framework/TestGame.h"
#include "fuzz/support/FuzzSupport.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontWriter.h"

namespace {

// The framework's test game: its factories make the minimal screens and
// the catalogue in memory that the start-up needs.
class FuzzGame : public TestSupport::TestGame {
public:
    FuzzGame() : TestGame(Options(), false) { Init(); }

    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override
    {
        TestGame::FillEngineSettings(settings);
        // The log stays in memory: a file would grow with every input.
        settings.logToFile = false;
    }

    void EndInput()
    {
        engine->log->ClearFrameMessages();
    }
};

struct World {
    World()
    {
        const std::string data = environment.folder / "bin/data/ui/fonts";
        std::filesystem::create_directories(data);
        Tools::FontGlyph glyph;
        glyph.code = u'A';
        glyph.advance = 0.5f;
        Tools::SaveFile(data + "/ge_00.fnt", Tools::BuildFontFile({glyph}));
        listPath = data + "/ge.ini";
        game = std::make_unique<FuzzGame>();
    }

    TestSupport::EngineTestEnvironment environment;
    std::string listPath;
    std::unique_ptr<FuzzGame> game;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static World world;
    Tools::SaveFile(world.listPath, std::vector<uint8_t>(data, data + size));
    world.game->LoadFonts();
    world.game->EndInput();
    world.environment.graphics.ClearCalls();
    world.environment.windowing.calls.clear();
    world.environment.system.ClearJournal();
    FuzzSupport::EndInput();
    return 0;
}
