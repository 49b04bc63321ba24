// The art of the built data set (build/.../data/pack0.pak) read back with the
// engine's own readers on the OpenGL driver, headless: every model and
// particle system the game's catalogue and background load, their pictures
// and materials, and what the game needs of them to run on — frame counts
// and animation flags, the layout boxes, the table left open over the board.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/gui/GUIManager.h"
#include "platform/system/TemporaryFolder.h"

namespace ZorvaneEngine {
namespace {

const std::string kPack = std::string(TANGROVE_BINARY_DIR) + "/data/pack0.pak";

// The models the game's resource catalogue loads, by folder; "V" marks the
// ones loaded with a colour per vertex.
struct Group {
    std::string folder;
    std::vector<std::string> names;
    bool vertexColours;
};

const std::vector<Group> kCatalogue = {
    {"game_objects\\mini_game", {"cell_top", "cell_bottom", "cell_border", "arrow_up", "arrow_right", "arrow_down", "arrow_left"}, true},
    {"game_objects\\depository", {"hole_bottom", "hole_top"}, true},
    {"game_objects\\depository", {"obstacle", "path_000", "path_001", "path_002", "path_003", "path_004", "path_005"}, false},
    {"game_objects\\carriage", {"carriage"}, true},
    {"game_objects\\bonuses", {"magnet", "pause", "rollback", "tip"}, true},
    {"game_objects\\board", {"level_complete"}, false},
    {"ui\\menus\\models\\background", {"text_area"}, false},
    {"ui\\menus\\models\\small_window", {"window", "edit"}, true},
    {"ui\\menus\\models\\small_window", {"window_area", "button_0", "button_1"}, false},
    {"ui\\menus\\models\\big_window", {"window"}, true},
    {"ui\\menus\\models\\big_window", {"window_area", "button_0", "button_1", "button_2"}, false},
    {"ui\\menus\\models\\large_window", {"window"}, true},
    {"ui\\menus\\models\\large_window", {"window_area", "button_0", "button_1"}, false},
    {"ui\\menus\\models\\main_menu", {"window"}, true},
    {"ui\\menus\\models\\main_menu",
     {"window_area", "button_0", "button_1", "button_2", "button_3", "button_4", "button_5", "button_6"}, false},
    {"ui\\menus\\models\\start_game", {"map", "game_complete_effect_0", "game_complete_effect_1", "game_complete_effect_2"}, true},
    {"ui\\menus\\models\\start_game",
     {"relax_check_box", "totem_0", "totem_1", "totem_2", "totem_3", "totem_4", "totem_5", "totem_6", "totem_7"}, false},
    {"ui\\menus\\models\\options", {"resolution_text"}, true},
    {"ui\\menus\\models\\options",
     {"fullscreen_check_box", "resolution_button_left", "resolution_button_right", "resolution_text_area", "slider_music",
      "slider_sound"}, false},
    {"ui\\menus\\models\\profiles", {"text"}, true},
    {"ui\\menus\\models\\profiles", {"button_0", "button_1", "button_2", "button_3", "scroll"}, false},
    {"ui\\menus\\models\\game_logic_menu", {"fullscreen_check_box", "slider_music", "slider_sound"}, false},
    {"ui\\menus\\models\\controls",
     {"button_arrow_up", "button_arrow_down", "button_arrow_left", "button_arrow_right", "button_big", "button_small",
      "button_game_logic_minimize", "button_game_logic_maximize", "button_game_logic_close", "totem", "check_box", "scroll_h",
      "scroll_h_toddler", "scroll_v", "scroll_v_toddler"}, true},
    {"ui\\menus\\models\\controls",
     {"button_main_menu", "button_main_menu_selection_area", "button_main_menu_text_area", "button_big_selection_area",
      "button_big_text_area", "button_small_selection_area", "button_small_text_area",
      "button_game_logic_minimize_selection_area", "button_game_logic_minimize_text_area",
      "button_game_logic_maximize_selection_area", "button_game_logic_maximize_text_area",
      "button_game_logic_close_selection_area", "button_game_logic_close_text_area", "scroll_h_toddler_min",
      "scroll_h_toddler_max", "scroll_h_button_increase", "scroll_h_button_decrease", "scroll_v_toddler_min",
      "scroll_v_toddler_max", "scroll_v_button_increase", "scroll_v_button_decrease"}, false},
    {"ui\\menus\\map\\models", {"start", "finish", "check_point", "path", "path_check_point"}, true},
    {"ui\\menus\\models\\game_logic",
     {"background", "main_panel", "menu_button", "level_name_text_area", "level_name", "level_name_title_text_area",
      "score_text_area", "score", "score_title_text_area", "minimize_button", "maximize_window_button",
      "maximize_fullscreen_button", "close_button"}, false},
    {"ui\\menus\\models\\level_complete", {"frame", "totem"}, true},
    {"ui\\menus\\models\\tutorial",
     {"background", "closed_element", "element_0", "element_1", "element_2", "element_3", "mouse", "mouse_control"}, true},
};

const std::vector<std::string> kParticleSystems = {
    "game_objects\\depository\\path_start_effect.psf", "game_objects\\depository\\path_finish_effect.psf",
    "game_objects\\board\\level_complete_effect.psf",  "game_objects\\board\\tip_effect.psf",
    "ui\\menus\\particles\\cursor_train.psf",         "ui\\menus\\particles\\cursor_click.psf",
    "ui\\menus\\particles\\upgrade.psf"};

// The background's own pieces in front of its layers.
const std::vector<std::string> kBackgroundFront = {"frame", "logo_quobin", "logo_additional_0", "mount_text", "text_appear",
                                                   "text", "mount_title"};

bool IsPowerOfTwo(uint32_t v) {
    return v != 0 && (v & (v - 1)) == 0;
}

class ArtDataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kPack)) << kPack << " is missing: build the tangrove_data target first";
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        EngineSettings settings;
        settings.title = "Art";
        settings.version = 100;
        settings.baseFolder = TANGROVE_BINARY_DIR;
        settings.dataFolder = "data";
        settings.configName = "art";
        settings.configFolder = folder / "config";
        settings.videoMode = "800x600x32";
        settings.videoModeGiven = true;
        settings.fullscreenGiven = true;
        settings.keepWindowSize = true;
        engine = std::make_unique<Engine>(settings);
        ASSERT_TRUE(engine->renderer->IsReady());
        engine->log->ClearFrameMessages();
    }

    void TearDown() override { engine.reset(); }

    // Loads a model as the catalogue does; the log must stay silent (no
    // missing file, no bad picture, no size that needs rescaling).
    Model* Load(const std::string& name, uint32_t extraFlags = 0) {
        Model* model = engine->models->LoadModel(name, engine->guiManager->GetCamera(), extraFlags);
        ExpectQuietLog(name);
        return model;
    }

    void ExpectQuietLog(const std::string& what) {
        for (const LogMessage& m : engine->log->GetFrameMessages()) {
            EXPECT_LT(m.level, 1) << what << ": " << m.text;
        }
        engine->log->ClearFrameMessages();
    }

    static std::string ModelName(const std::string& folder, const std::string& name) {
        return folder + "\\" + name + ".mlf";
    }

    static uint32_t Frames(const Model* model) {
        return model->GetAnimation() ? model->GetAnimation()->GetFrameCount() : 1;
    }

    // A morph model's box of its last frame, else its one box.
    static const BoundingBox& LastBox(const Model* model) {
        return model->GetFrameBoxes().empty() ? model->box : model->GetFrameBoxes().back();
    }

    TestSupport::TemporaryFolder folder;
    TestSupport::ScopedEnvironment dataHome{"XDG_DATA_HOME", (folder / "home").c_str()};
    TestSupport::ScopedEnvironment configHome{"XDG_CONFIG_HOME", (folder / "home").c_str()};
    std::unique_ptr<Engine> engine;
};

TEST_F(ArtDataSetTest, EveryCatalogueModelAndParticleSystemLoadsWithItsPictures) {
    size_t count = 0;
    for (const Group& group : kCatalogue) {
        for (const std::string& name : group.names) {
            const std::string file = ModelName(group.folder, name);
            SCOPED_TRACE(file);
            Model* model = Load(file, group.vertexColours ? ModelFlags::VertexColor : 0);
            ASSERT_NE(model, nullptr);
            EXPECT_EQ(model->name, file);
            // Lighting turns a GUI model black.
            EXPECT_EQ(model->flags & ModelFlags::Lighting, 0u);
            // A picture it draws with has power-of-two sides, so nothing is
            // rescaled at run time (the quiet log says so too).
            const ShaderUser* material = model->GetMaterial();
            ASSERT_NE(material, nullptr);
            for (uint32_t s = 0; s < material->stageCount; ++s) {
                const std::string picture = material->stages[s].diffuse;
                if (picture.empty()) continue;
                Image image;
                ASSERT_TRUE(Image::Load(engine->log.get(), engine->fileManager.get(), image, AddDataFolderPrefix(picture)))
                    << picture;
                EXPECT_TRUE(IsPowerOfTwo(image.GetWidth()) && IsPowerOfTwo(image.GetHeight())) << picture;
            }
            ++count;
        }
    }
    EXPECT_EQ(count, 139u);

    for (const std::string& file : kParticleSystems) {
        SCOPED_TRACE(file);
        ParticleSystem* system = engine->particleSystems->LoadParticleSystem(file, engine->guiManager->GetCamera());
        ExpectQuietLog(file);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system->name, file);
        EXPECT_GT(system->GetPoolSize(), 0u);
    }
}

TEST_F(ArtDataSetTest, BackgroundListNamesLoadableLayersWithAUnicorn) {
    std::vector<uint8_t> bytes;
    {
        auto file = engine->fileManager->OpenFile("data\\ui\\menus\\background\\background.ini", false, true);
        bytes.resize(file->GetSize());
        file->Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    int count = 0;
    ASSERT_TRUE(in >> count);
    ASSERT_GT(count, 0);
    bool built = false, unicorn = false;
    for (int i = 0; i < count; ++i) {
        std::string model, particles;
        int a = 0, b = 0;
        ASSERT_TRUE(in >> model >> particles >> a >> b) << "record " << i;
        SCOPED_TRACE(model);
        built = built || a != 0;
        Model* layer = Load("ui\\menus\\background\\models\\" + model + ".mlf", ModelFlags::VertexColor);
        ASSERT_NE(layer, nullptr);
        if (model.find("unicorn") != std::string::npos) {
            unicorn = true;
            // The unicorn's run is a texture animation of several frames: the
            // game-complete effect waits for it to end.
            const ShaderUser* material = layer->GetMaterial();
            ASSERT_NE(material, nullptr);
            ASSERT_GE(material->stageCount, 1u);
            EXPECT_EQ(material->stages[0].animation, static_cast<uint32_t>(AnimationGrid));
            EXPECT_GE(material->stages[0].frameCount, 2u);
        }
        if (particles != "_none_") {
            const std::string file = "ui\\menus\\background\\particles\\" + particles + ".psf";
            ParticleSystem* system = engine->particleSystems->LoadParticleSystem(file, engine->guiManager->GetCamera());
            ExpectQuietLog(file);
            EXPECT_EQ(system->name, file);
        }
    }
    EXPECT_TRUE(built) << "no layer the background builds itself";
    EXPECT_TRUE(unicorn) << "no unicorn layer";

    for (const std::string& name : kBackgroundFront) {
        SCOPED_TRACE(name);
        Load(ModelName("ui\\menus\\models\\background", name), ModelFlags::VertexColor);
    }
    // The title's letters, as many as its count file says.
    auto title = engine->fileManager->OpenFile("data\\ui\\menus\\models\\background\\title_ge.ini", false, true);
    std::string text(title->GetSize(), '\0');
    title->Read(text.data(), static_cast<uint32_t>(text.size()));
    const int letters = std::atoi(text.c_str());
    EXPECT_GE(letters, 1);
    for (int i = 0; i < letters; ++i) {
        Load(ModelName("ui\\menus\\models\\background", "title_ge_" + std::to_string(i)), ModelFlags::VertexColor);
    }
}

// What the game needs of the models to run on: an intro that ends, windows
// that appear, a level that can be won, a map and totems with all their looks.
TEST_F(ArtDataSetTest, AnimatedModelsHaveTheFramesTheGameWaitsFor) {
    struct Need {
        std::string file;
        uint32_t fewestFrames;
        bool positiveSpeed;
    };
    const std::vector<Need> needs = {
        {"ui\\menus\\models\\background\\frame.mlf", 2, false},
        {"ui\\menus\\models\\background\\mount_title.mlf", 2, false},
        {"ui\\menus\\models\\background\\logo_quobin.mlf", 2, false},
        {"ui\\menus\\models\\background\\mount_text.mlf", 2, false},
        {"ui\\menus\\models\\background\\text_appear.mlf", 2, false},
        {"ui\\menus\\models\\background\\text.mlf", 2, false},
        // The frame's alpha is its frame over 15: below 16 frames it never
        // shows fully.
        {"ui\\menus\\models\\small_window\\window.mlf", 16, false},
        {"ui\\menus\\models\\big_window\\window.mlf", 16, false},
        {"ui\\menus\\models\\large_window\\window.mlf", 16, false},
        {"ui\\menus\\models\\main_menu\\window.mlf", 16, false},
        {"game_objects\\board\\level_complete.mlf", 2, true},
        {"ui\\menus\\models\\start_game\\game_complete_effect_0.mlf", 20, false},
        {"ui\\menus\\models\\start_game\\game_complete_effect_1.mlf", 20, false},
        {"ui\\menus\\models\\start_game\\game_complete_effect_2.mlf", 20, false},
        {"ui\\menus\\models\\controls\\totem.mlf", 16, false},
        {"ui\\menus\\models\\controls\\button_big.mlf", 4, false},
        {"ui\\menus\\models\\controls\\button_small.mlf", 4, false},
        {"ui\\menus\\models\\controls\\button_main_menu.mlf", 4, false},
        {"ui\\menus\\models\\controls\\check_box.mlf", 8, false},
        {"ui\\menus\\models\\controls\\button_game_logic_maximize.mlf", 8, false},
        {"ui\\menus\\models\\controls\\scroll_h.mlf", 3, false},
        {"ui\\menus\\models\\controls\\scroll_h_toddler.mlf", 4, false},
        {"ui\\menus\\map\\models\\start.mlf", 6, false},
        {"ui\\menus\\map\\models\\finish.mlf", 6, false},
        {"ui\\menus\\map\\models\\check_point.mlf", 6, false},
        {"ui\\menus\\map\\models\\path.mlf", 6, false},
        {"ui\\menus\\map\\models\\path_check_point.mlf", 6, false},
        {"ui\\menus\\models\\tutorial\\mouse.mlf", 92, false},
        {"ui\\menus\\models\\tutorial\\mouse_control.mlf", 3, false},
    };
    for (const Need& need : needs) {
        SCOPED_TRACE(need.file);
        const Model* model = Load(need.file, ModelFlags::VertexColor);
        // Only morph models advance with Play, and only they take a frame.
        EXPECT_NE(model->flags & ModelFlags::Morph, 0u);
        EXPECT_GE(Frames(model), need.fewestFrames);
        EXPECT_EQ(model->GetFrameBoxes().size(), Frames(model));
        if (need.positiveSpeed) {
            ASSERT_NE(model->GetAnimation(), nullptr);
            EXPECT_GT(model->GetAnimation()->speed, 0.0f);
        }
    }
}

// Boxes the game lays its screens out by: the last frame (where an appear
// animation ends) stands on the box.
TEST_F(ArtDataSetTest, LayoutBoxesStandWhereTheScreensExpectThem) {
    struct Placed {
        std::string file;
        float x0, y0, x1, y1;
    };
    const std::vector<Placed> boxes = {
        {"ui\\menus\\models\\small_window\\window.mlf", 190, 150, 610, 420},
        {"ui\\menus\\models\\big_window\\window.mlf", 150, 50, 650, 440},
        {"ui\\menus\\models\\large_window\\window.mlf", 20, 20, 780, 445},
        {"ui\\menus\\models\\main_menu\\window.mlf", 280, 45, 520, 435},
        {"ui\\menus\\models\\main_menu\\button_6.mlf", 300, 372, 500, 416},
        {"ui\\menus\\models\\main_menu\\button_0.mlf", 300, 60, 500, 104},
        {"ui\\menus\\models\\controls\\button_big.mlf", 0, 0, 150, 40},
        {"ui\\menus\\models\\controls\\button_small.mlf", 0, 0, 130, 34},
        {"ui\\menus\\models\\controls\\button_main_menu.mlf", 0, 0, 200, 44},
        {"ui\\menus\\models\\controls\\scroll_h_toddler_max.mlf", 196, 0, 216, 24},
        {"ui\\menus\\models\\controls\\scroll_v.mlf", 0, 0, 20, 200},
        {"ui\\menus\\models\\background\\text_area.mlf", 205, 458, 595, 502},
        {"ui\\menus\\models\\background\\text.mlf", 190, 450, 610, 510},
        {"ui\\menus\\models\\background\\frame.mlf", 0, 0, 800, 600},
        {"ui\\menus\\models\\game_logic\\background.mlf", 0, 0, 800, 600},
        {"ui\\menus\\models\\game_logic\\score.mlf", 380, 557, 500, 587},
        {"ui\\menus\\models\\start_game\\map.mlf", 130, 85, 670, 430},
        {"ui\\menus\\models\\controls\\totem.mlf", 0, 0, 70, 120},
        {"game_objects\\board\\level_complete.mlf", 63, 63, 623, 483},
        {"game_objects\\depository\\hole_bottom.mlf", 696, 38, 744, 62},
        {"game_objects\\carriage\\carriage.mlf", -24, -22, 24, 22},
        {"ui\\menus\\background\\models\\unicorn_animated.mlf", 520, 60, 780, 330},
    };
    for (const Placed& p : boxes) {
        SCOPED_TRACE(p.file);
        const Model* model = Load(p.file, ModelFlags::VertexColor);
        const BoundingBox& box = LastBox(model);
        EXPECT_NEAR(box.localMin.x, p.x0, 0.01f);
        EXPECT_NEAR(box.localMin.y, p.y0, 0.01f);
        EXPECT_NEAR(box.localMax.x, p.x1, 0.01f);
        EXPECT_NEAR(box.localMax.y, p.y1, 0.01f);
    }

    // The main menu's buttons start off the screen to the left.
    for (int i = 0; i <= 6; ++i) {
        const Model* button = Load("ui\\menus\\models\\main_menu\\button_" + std::to_string(i) + ".mlf");
        EXPECT_EQ(Frames(button), 12u);
        EXPECT_LT(button->GetFrameBoxes().front().localMax.x, 0.0f) << "button " << i;
    }

    // The path's six points are distinct: coinciding points make the path
    // degenerate.
    std::set<std::pair<float, float>> points;
    for (int i = 0; i < 6; ++i) {
        const Model* marker = Load("game_objects\\depository\\path_00" + std::to_string(i) + ".mlf");
        const BoundingBox& box = LastBox(marker);
        points.insert({(box.localMin.x + box.localMax.x) / 2, (box.localMin.y + box.localMax.y) / 2});
    }
    EXPECT_EQ(points.size(), 6u);
}

// Pictures the game opens by name: the custom cursor and its mask, the
// splash card, the publisher's badge pair (whose presence shows the badge).
TEST_F(ArtDataSetTest, NamedPicturesHaveTheirSizes) {
    struct Picture {
        std::string file;
        uint32_t width, height, bits;
    };
    const std::vector<Picture> pictures = {
        {"data\\ui\\cursors\\cursor.jpg", 64, 64, 24},
        {"data\\ui\\cursors\\cursor_alpha.jpg", 64, 64, 8},
        {"data\\splash1.jpg", 1024, 512, 24},
        {"data\\ui\\menus\\textures\\publisher_0_logo_small.jpg", 256, 64, 24},
        {"data\\ui\\menus\\textures\\publisher_0_logo_small_alpha.jpg", 256, 64, 8},
    };
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.file);
        Image image;
        ASSERT_TRUE(Image::Load(engine->log.get(), engine->fileManager.get(), image, p.file));
        EXPECT_EQ(image.GetWidth(), p.width);
        EXPECT_EQ(image.GetHeight(), p.height);
        EXPECT_EQ(image.GetBits(), p.bits);
    }
    ExpectQuietLog("pictures");
}

// The table of a level lies in front of the board: over the board it must
// let the picture through.
TEST_F(ArtDataSetTest, TheLevelTableIsOpenOverTheBoard) {
    Image table;
    ASSERT_TRUE(Image::Load(engine->log.get(), engine->fileManager.get(), table,
                            "data\\ui\\menus\\models\\game_logic\\background.tga"));
    ASSERT_EQ(table.GetBits(), 32u);
    // One texel per unit from the lower-left corner.
    uint32_t covered = 0;
    for (uint32_t y = 64; y < 483; ++y) {
        const uint8_t* row = table.GetRow(y);
        for (uint32_t x = 64; x < 623; ++x) covered += row[x * 4 + 3] != 0 ? 1 : 0;
    }
    EXPECT_EQ(covered, 0u);
    // And it is there around the board.
    EXPECT_EQ(table.GetRow(20)[20 * 4 + 3], 255);
    EXPECT_EQ(table.GetRow(300)[700 * 4 + 3], 255);
}

} // namespace
} // namespace ZorvaneEngine
