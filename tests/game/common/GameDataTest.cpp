// The game's resource catalogue: its background list, the layers it loads
// from it, the level windows, and the whole catalogue of the built data set.
#include "game/common/GameData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/app/GameTestSupport.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"

namespace ActionPuzzle {
namespace {

using TestSupport::TemporaryFolder;
using TestSupport::WriteWholeFile;

TEST(BackgroundListTest, ReadsEveryRecordAndRefusesACountItCannotHold)
{
    struct Case {
        const char* text;  // null: no file at all
        const char* records;  // "model particles a b;" per record
        const char* error;    // part of the error text
    };
    const Case cases[] = {
        // Blanks, line ends and comments as a hand-written list has them.
        {"3 // layers\r\nsky  _none_ 1 0\r\n\r\nhills\tdust 0 0 // pollen\nunicorn _NONE_ 0 3\n",
         "sky _none_ 1 0;hills dust 0 0;unicorn _NONE_ 0 3;", nullptr},
        {"0\n", "", nullptr},
        {"1\nsky _none_ 1 0\nnot read 0 0\n", "sky _none_ 1 0;", nullptr},
        {"-1\n", "", "data\\ui\\menus\\background\\background.ini\" declares -1 records"},
        {"2000000000\nsky _none_ 1 0\n", "", "Unexpected end of"},
        {"2\nsky _none_ 1 0\nhills dust 0\n", "", "Unexpected end of"},
        {"1\nsky _none_\n", "", "Unexpected end of"},
        {"", "", "Unexpected end of"},
        {nullptr, "", "Failed to open"},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        ZorvaneEngine::MessageManager log{folder.Path(), "log", "Tangrove", false, false};
        ZorvaneEngine::FileManager files{"", &log, folder.Path()};
        if (c.text)
            WriteWholeFile(folder / "data/ui/menus/background/background.ini", c.text);
        std::string records, error;
        try {
            for (const BackgroundRecord& r : GameData::ReadBackgroundList(files))
                records += r.modelName + " " + r.particleName + " " + std::to_string(r.a) + " " +
                           std::to_string(r.b) + ";";
        } catch (const ZorvaneEngine::FileError& e) {
            error = e.message;
        }
        const std::string text = c.text ? c.text : "(none)";
        EXPECT_EQ(records, c.records) << text;
        if (c.error)
            EXPECT_NE(error.find(c.error), std::string::npos) << text << " -> " << error;
        else
            EXPECT_EQ(error, "") << text;
    }
}

class GameDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine = std::make_unique<ZorvaneEngine::Engine>(env.Settings());
        WriteWholeFile(env.folder / "bin/data/ui/menus/background/background.ini",
                       "4\nsky _none_ 1 0\nhills hills_dust 0 0\nunicorn_animated _NONE_ 0 3\nclouds fog 2 0\n");
    }
    void TearDown() override
    {
        data.reset();
        engine.reset();
    }

    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<ZorvaneEngine::Engine> engine;
    std::unique_ptr<GameData> data;
};

TEST_F(GameDataTest, LoadsTheLayersTheListLeavesToItAndOwnsEveryTemplate)
{
    data = std::make_unique<GameData>(engine.get(), "ge");
    data->Load();

    // Records 1 and 2 only: the others are built by the background itself.
    const GameData::BackgroundLayers& layers = data->backgroundLayers;
    ASSERT_EQ(layers.models.size(), 2u);
    EXPECT_EQ(layers.models[0]->name, "ui\\menus\\background\\models\\hills.mlf");
    EXPECT_EQ(layers.models[1]->name, "ui\\menus\\background\\models\\unicorn_animated.mlf");
    ASSERT_EQ(layers.particleSystems.size(), 2u);
    EXPECT_NE(layers.particleSystems[0], nullptr);
    EXPECT_EQ(layers.particleSystems[1], nullptr);  // "_NONE_" is none as well
    EXPECT_EQ(layers.recordIndices, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(layers.stages, (std::vector<int32_t>{0, 3}));

    // The keeper numbers its anonymous entries in the order they came: the
    // background's first, then the fixed lists from the mini game's first.
    const auto& models = data->GetModels();
    EXPECT_EQ(models.at("123456789"), layers.models[0]);
    EXPECT_EQ(models.at("123456790"), layers.models[1]);
    EXPECT_EQ(models.at("123456791"), data->miniGameModels.cellTop);
    EXPECT_EQ(data->GetParticleSystems().at("123456789"), layers.particleSystems[0]);
    EXPECT_EQ(models.size(), 2u + 139u);
    EXPECT_EQ(data->GetParticleSystems().size(), 1u + 7u);

    // Missing model files became boxes named after the file, at the path the
    // list gives them.
    EXPECT_EQ(data->pathModels.size(), 6u);
    EXPECT_EQ(data->pathModels[5]->name, "game_objects\\depository\\path_005.mlf");
    EXPECT_EQ(data->controlModels.scrollV.buttonDecrease->name,
              "ui\\menus\\models\\controls\\scroll_v_button_decrease.mlf");
    EXPECT_EQ(data->menuFrameModels.mainMenu.buttons[6]->name, "ui\\menus\\models\\main_menu\\button_6.mlf");
    EXPECT_EQ(data->menuFrameModels.smallWindowEdit->name, "ui\\menus\\models\\small_window\\edit.mlf");
    EXPECT_EQ(data->tutorialModels.mouseControl->name, "ui\\menus\\models\\tutorial\\mouse_control.mlf");
    // The depository's models take the GUI camera, the rest the default one.
    ZorvaneEngine::Camera* guiCamera = engine->guiManager->GetCamera();
    EXPECT_EQ(data->depositoryModels.holeTop->camera, guiCamera);
    EXPECT_NE(data->carriageModel->camera, guiCamera);
}

TEST_F(GameDataTest, LevelWindowsLieInFrontOfTheMenusAndGoWithTheCatalogue)
{
    WriteWholeFile(env.folder / "bin/data/ui/menus/background/background.ini", "0\n");
    data = std::make_unique<GameData>(engine.get(), "ge");
    data->Load();
    EXPECT_TRUE(data->backgroundLayers.models.empty());

    ZorvaneEngine::GUIWindow* root = data->levelRootWindow;
    ZorvaneEngine::GUIWindow* overlay = data->levelOverlayWindow;
    ASSERT_NE(root, nullptr);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(root->GetFlags(), 5u);
    EXPECT_EQ(root->GetParent(), nullptr);
    EXPECT_FLOAT_EQ(root->GetZ(), -10.0f);
    EXPECT_EQ(overlay->GetParent(), root);
    EXPECT_FLOAT_EQ(overlay->GetZ(), -11.0f);  // layer 100, in front of every level window
    EXPECT_EQ(engine->guiManager->windows.GetCount(), 2u);

    data.reset();
    EXPECT_EQ(engine->guiManager->windows.GetCount(), 0u);
}

// A list that cannot be read ends the program: the fatal error carries the
// reader's text.
TEST_F(GameDataTest, ABrokenBackgroundListIsFatal)
{
    WriteWholeFile(env.folder / "bin/data/ui/menus/background/background.ini", "-5\n");
    data = std::make_unique<GameData>(engine.get(), "ge");
    try {
        data->Load();
        FAIL() << "no fatal error";
    } catch (const ZorvaneEngine::FatalError& error) {
        EXPECT_NE(error.message.find("data\\ui\\menus\\background\\background.ini\" declares -5 records"),
                  std::string::npos)
            << error.message;
    }
}

// The shipped catalogue: every template is a real file of the data set,
// loaded without a word in the log.
TEST(ShippedGameDataTest, EveryTemplateLoadsFromTheBuiltData)
{
    TestSupport::GameEnvironment world;
    world.UseBuiltData();
    ZorvaneEngine::EngineSettings settings = world.env.Settings();
    auto engine = std::make_unique<ZorvaneEngine::Engine>(settings);
    {
        GameData data(engine.get(), "ge");
        data.Load();

        const size_t layers = data.backgroundLayers.models.size();
        EXPECT_GE(layers, 1u);
        EXPECT_EQ(data.GetModels().size(), 139u + layers);
        EXPECT_EQ(data.GetParticleSystems().size(), 7u + std::count_if(data.backgroundLayers.particleSystems.begin(),
                                                                        data.backgroundLayers.particleSystems.end(),
                                                                        [](auto* p) { return p != nullptr; }));
        std::set<const ZorvaneEngine::Model*> distinct;
        for (const auto& [key, model] : data.GetModels())
            distinct.insert(model);
        EXPECT_EQ(distinct.size(), data.GetModels().size());
        for (const auto& [key, system] : data.GetParticleSystems())
            EXPECT_NE(system->name, "self_made") << key;
    }
    engine.reset();
    // A file that is missing or does not read becomes a substitute, with an
    // error line.
    EXPECT_EQ(world.Complaints(), std::vector<std::string>());
}

} // namespace
} // namespace ActionPuzzle
