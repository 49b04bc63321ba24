#include "game/common/GameData.h"

#include <iterator>

#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"

namespace ActionPuzzle {

using ZorvaneEngine::FileError;
using ZorvaneEngine::FileTextual;
using ZorvaneEngine::GUIWindowFlags;

namespace {

const char* const kBackgroundModels = "ui\\menus\\background\\models\\";
const char* const kBackgroundParticles = "ui\\menus\\background\\particles\\";
constexpr int32_t kLevelOverlayLayer = 100;

[[noreturn]] void RaiseUnexpectedEnd(const FileTextual& file)
{
    throw FileError("Unexpected end of \"" + file.GetName() + "\" file");
}

std::string ReadListToken(FileTextual& file)
{
    std::string token;
    if (!file.ReadToken(token))
        RaiseUnexpectedEnd(file);
    return token;
}

int32_t ReadListInt(FileTextual& file)
{
    int32_t value = 0;
    if (!file.ReadInt(value))
        RaiseUnexpectedEnd(file);
    return value;
}

std::string ThreeDigits(uint32_t value)
{
    return ZorvaneEngine::UIntToText(value, 3);
}

} // namespace

bool BackgroundRecord::HasParticles() const
{
    return ZorvaneEngine::ToLowerCase(particleName) != "_none_";
}

std::vector<BackgroundRecord> GameData::ReadBackgroundList(ZorvaneEngine::FileManager& files)
{
    const std::unique_ptr<FileTextual> file = files.OpenTextFile(BackgroundListFile, false);
    const int32_t count = ReadListInt(*file);
    if (count < 0)
        throw FileError("\"" + file->GetName() + "\" declares " + ZorvaneEngine::IntToText(count) + " records");
    std::vector<BackgroundRecord> records;
    for (int32_t i = 0; i < count; ++i) {
        BackgroundRecord record;
        record.modelName = ReadListToken(*file);
        record.particleName = ReadListToken(*file);
        record.a = ReadListInt(*file);
        record.b = ReadListInt(*file);
        records.push_back(std::move(record));
    }
    return records;
}

GameData::GameData(ZorvaneEngine::Engine* engine, const std::string& languageCode)
    : DataKeeper(engine, languageCode), guiManager(engine->guiManager.get())
{
}

GameData::~GameData()
{
    // The root goes first; that leaves the overlay top-level, and removing
    // it afterwards is as safe.
    for (ZorvaneEngine::GUIWindow* window : {levelRootWindow, levelOverlayWindow}) {
        if (window && guiManager->windows.Remove(window))
            delete window;
    }
}

void GameData::Load()
{
    DataKeeper::Load();
    LoadBackgroundLayers();
    LoadFixedLists();
}

Model* GameData::LoadTemplateModel(const std::string& fileName, uint32_t flags, bool guiCamera)
{
    Model* model =
        modelManager->LoadUnregisteredModel(fileName, guiCamera ? guiManager->GetCamera() : nullptr, flags);
    AddAnonymousModel(model);
    return model;
}

ParticleSystem* GameData::LoadTemplateParticleSystem(const std::string& fileName)
{
    ParticleSystem* system = particleSystemManager->LoadUnregisteredParticleSystem(fileName, guiManager->GetCamera());
    AddAnonymousParticleSystem(system);
    return system;
}

void GameData::LoadBackgroundLayers()
{
    std::vector<BackgroundRecord> records;
    try {
        records = ReadBackgroundList(*fileManager);
    } catch (const FileError& error) {
        log->Fatal(error.message);
    }
    for (size_t i = 0; i < records.size(); ++i) {
        const BackgroundRecord& record = records[i];
        if (record.a != 0)
            continue;
        Model* model = LoadTemplateModel(kBackgroundModels + record.modelName + ".mlf", VertexColours, false);
        ParticleSystem* particles = nullptr;
        if (record.HasParticles())
            particles = LoadTemplateParticleSystem(kBackgroundParticles + record.particleName + ".psf");
        backgroundLayers.models.push_back(model);
        backgroundLayers.particleSystems.push_back(particles);
        backgroundLayers.recordIndices.push_back(static_cast<int32_t>(i));
        backgroundLayers.stages.push_back(record.b);
    }
}

void GameData::LoadFixedLists()
{
    // Each list in the order the templates are loaded; 0x20 gives a colour
    // per vertex, the default camera unless the GUI camera is asked for.
    std::string folder;
    const auto model = [&](Model*& target, const std::string& name, uint32_t flags, bool guiCamera = false) {
        target = LoadTemplateModel(folder + name + ".mlf", flags, guiCamera);
    };
    const auto particles = [&](ParticleSystem*& target, const std::string& name) {
        target = LoadTemplateParticleSystem(folder + name + ".psf");
    };
    const uint32_t V = VertexColours;

    folder = "game_objects\\mini_game\\";
    model(miniGameModels.cellTop, "cell_top", V);
    model(miniGameModels.cellBottom, "cell_bottom", V);
    model(miniGameModels.cellBorder, "cell_border", V);
    model(miniGameModels.arrowUp, "arrow_up", V);
    model(miniGameModels.arrowRight, "arrow_right", V);
    model(miniGameModels.arrowDown, "arrow_down", V);
    model(miniGameModels.arrowLeft, "arrow_left", V);

    folder = "game_objects\\depository\\";
    model(depositoryModels.obstacle, "obstacle", 0, true);
    model(depositoryModels.holeBottom, "hole_bottom", V, true);
    model(depositoryModels.holeTop, "hole_top", V, true);
    pathModels.assign(6, nullptr);
    for (uint32_t i = 0; i < pathModels.size(); ++i)
        model(pathModels[i], "path_" + ThreeDigits(i), 0);
    particles(pathEffects.start, "path_start_effect");
    particles(pathEffects.finish, "path_finish_effect");

    folder = "game_objects\\carriage\\";
    model(carriageModel, "carriage", V);

    folder = "game_objects\\bonuses\\";
    model(bonusModels.magnet, "magnet", V);
    model(bonusModels.pause, "pause", V);
    model(bonusModels.rollback, "rollback", V);
    model(bonusModels.tip, "tip", V);

    folder = "game_objects\\board\\";
    model(boardModels.levelComplete, "level_complete", 0);
    particles(boardModels.levelCompleteEffect, "level_complete_effect");
    particles(boardModels.tipEffect, "tip_effect");

    CreateLevelWindows();

    folder = "ui\\menus\\models\\background\\";
    model(backgroundTextAreaModel, "text_area", 0);

    const auto frame = [&](auto& target, const char* frameFolder, Model** edit) {
        folder = std::string("ui\\menus\\models\\") + frameFolder + "\\";
        model(target.window, "window", V);
        model(target.windowArea, "window_area", 0);
        if (edit)
            model(*edit, "edit", V);
        for (uint32_t i = 0; i < std::size(target.buttons); ++i)
            model(target.buttons[i], "button_" + ZorvaneEngine::UIntToText(i), 0);
    };
    frame(menuFrameModels.smallWindow, "small_window", &menuFrameModels.smallWindowEdit);
    frame(menuFrameModels.bigWindow, "big_window", nullptr);
    frame(menuFrameModels.largeWindow, "large_window", nullptr);
    frame(menuFrameModels.mainMenu, "main_menu", nullptr);

    folder = "ui\\menus\\models\\start_game\\";
    model(startGameModels.map, "map", V);
    model(startGameModels.relaxCheckBox, "relax_check_box", 0);
    for (uint32_t i = 0; i < std::size(startGameModels.totems); ++i)
        model(startGameModels.totems[i], "totem_" + ZorvaneEngine::UIntToText(i), 0);
    for (uint32_t i = 0; i < std::size(startGameModels.gameCompleteEffects); ++i)
        model(startGameModels.gameCompleteEffects[i], "game_complete_effect_" + ZorvaneEngine::UIntToText(i), V);

    folder = "ui\\menus\\models\\options\\";
    model(optionsModels.fullscreenCheckBox, "fullscreen_check_box", 0);
    model(optionsModels.resolutionButtonLeft, "resolution_button_left", 0);
    model(optionsModels.resolutionButtonRight, "resolution_button_right", 0);
    model(optionsModels.resolutionText, "resolution_text", V);
    model(optionsModels.resolutionTextArea, "resolution_text_area", 0);
    model(optionsModels.sliderMusic, "slider_music", 0);
    model(optionsModels.sliderSound, "slider_sound", 0);

    folder = "ui\\menus\\models\\profiles\\";
    for (uint32_t i = 0; i < std::size(profilesModels.buttons); ++i)
        model(profilesModels.buttons[i], "button_" + ZorvaneEngine::UIntToText(i), 0);
    model(profilesModels.scroll, "scroll", 0);
    model(profilesModels.text, "text", V);

    folder = "ui\\menus\\models\\game_logic_menu\\";
    model(gameLogicMenuModels.fullscreenCheckBox, "fullscreen_check_box", 0);
    model(gameLogicMenuModels.sliderMusic, "slider_music", 0);
    model(gameLogicMenuModels.sliderSound, "slider_sound", 0);

    folder = "ui\\menus\\models\\controls\\";
    ControlModels& controls = controlModels;
    model(controls.buttonArrowUp, "button_arrow_up", V);
    model(controls.buttonArrowDown, "button_arrow_down", V);
    model(controls.buttonArrowLeft, "button_arrow_left", V);
    model(controls.buttonArrowRight, "button_arrow_right", V);
    // The main-menu button is drawn by its own animation, the others by
    // colour.
    const auto button = [&](ButtonLook& target, const std::string& name, uint32_t lookFlags) {
        model(target.look, name, lookFlags);
        model(target.selectionArea, name + "_selection_area", 0);
        model(target.textArea, name + "_text_area", 0);
    };
    button(controls.buttonMainMenu, "button_main_menu", 0);
    button(controls.buttonBig, "button_big", V);
    button(controls.buttonSmall, "button_small", V);
    button(controls.buttonGameLogicMinimize, "button_game_logic_minimize", V);
    button(controls.buttonGameLogicMaximize, "button_game_logic_maximize", V);
    button(controls.buttonGameLogicClose, "button_game_logic_close", V);
    model(controls.totem, "totem", V);
    model(controls.checkBox, "check_box", V);
    const auto scroll = [&](ScrollLook& target, const std::string& name) {
        model(target.track, name, V);
        model(target.toddler, name + "_toddler", V);
        model(target.toddlerMin, name + "_toddler_min", 0);
        model(target.toddlerMax, name + "_toddler_max", 0);
        model(target.buttonIncrease, name + "_button_increase", 0);
        model(target.buttonDecrease, name + "_button_decrease", 0);
    };
    scroll(controls.scrollH, "scroll_h");
    scroll(controls.scrollV, "scroll_v");

    folder = "ui\\menus\\map\\models\\";
    model(mapModels.start, "start", V);
    model(mapModels.finish, "finish", V);
    model(mapModels.checkPoint, "check_point", V);
    model(mapModels.path, "path", V);
    model(mapModels.pathCheckPoint, "path_check_point", V);

    folder = "ui\\menus\\models\\game_logic\\";
    model(hudModels.background, "background", 0);
    model(hudModels.mainPanel, "main_panel", 0);
    model(hudModels.menuButton, "menu_button", 0);
    model(hudModels.levelNameTextArea, "level_name_text_area", 0);
    model(hudModels.levelName, "level_name", 0);
    model(hudModels.levelNameTitleTextArea, "level_name_title_text_area", 0);
    model(hudModels.scoreTextArea, "score_text_area", 0);
    model(hudModels.score, "score", 0);
    model(hudModels.scoreTitleTextArea, "score_title_text_area", 0);
    model(hudModels.minimizeButton, "minimize_button", 0);
    model(hudModels.maximizeWindowButton, "maximize_window_button", 0);
    model(hudModels.maximizeFullscreenButton, "maximize_fullscreen_button", 0);
    model(hudModels.closeButton, "close_button", 0);

    folder = "ui\\menus\\models\\level_complete\\";
    model(levelCompleteModels.frame, "frame", V);
    model(levelCompleteModels.totem, "totem", V);

    folder = "ui\\menus\\models\\tutorial\\";
    model(tutorialModels.background, "background", V);
    model(tutorialModels.closedElement, "closed_element", V);
    for (uint32_t i = 0; i < std::size(tutorialModels.elements); ++i)
        model(tutorialModels.elements[i], "element_" + ZorvaneEngine::UIntToText(i), V);
    model(tutorialModels.mouse, "mouse", V);
    model(tutorialModels.mouseControl, "mouse_control", V);

    folder = "ui\\menus\\particles\\";
    particles(menuParticles.cursorTrain, "cursor_train");
    particles(menuParticles.cursorClick, "cursor_click");
    particles(menuParticles.upgrade, "upgrade");
}

void GameData::CreateLevelWindows()
{
    levelRootWindow = guiManager->CreateWindow(GUIWindowFlags::Visible | GUIWindowFlags::DepthBack, {0, 0}, {0, 0},
                                               nullptr, nullptr);
    levelOverlayWindow = guiManager->CreateWindow(GUIWindowFlags::Visible, {0, 0}, {0, 0}, nullptr, levelRootWindow);
    levelOverlayWindow->SetLayer(kLevelOverlayLayer);
}

} // namespace ActionPuzzle
