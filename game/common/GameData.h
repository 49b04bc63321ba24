#pragma once
// The game's resource catalogue: the keeper the game loads once behind the
// start-up loading screen. It loads every model and particle system that the
// menus, the HUD, the level map, the gameplay and the mini game clone from,
// the menu background's layers that the background list leaves to it, and it
// makes the two GUI windows under which every level is drawn. The keeper owns
// every template (as anonymous entries); the named fields below only point at
// them, so they stay valid until the catalogue is deleted.
//
// The background list "data\ui\menus\background\background.ini" (read here
// and by the menu background) is a token file: a record count N, then N
// records of model name, particle-system name ("_none_" in any letter case
// for none), a and b. A record with a = 0 is loaded here; b is 0 for a layer
// of every menu, else the stage index from which the layer shows.
//     3
//     sky _none_ 1 0
//     meadow pollen 0 0
//     castle _none_ 0 2
#include <cstdint>
#include <string>
#include <vector>

#include "framework/DataKeeper.h"

namespace ZorvaneEngine {
class FileManager;
class GUIManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

using ZorvaneEngine::Model;
using ZorvaneEngine::ParticleSystem;

// One record of the background list.
struct BackgroundRecord {
    std::string modelName;
    std::string particleName;  // "_none_" (any case) for a layer without particles
    int32_t a = 0;             // 0: loaded by the catalogue; else built by the background
    int32_t b = 0;             // 0: every menu; else the first stage index that shows it

    bool HasParticles() const;
};

class GameData : public GameFramework::DataKeeper {
public:
    static constexpr const char* BackgroundListFile = "data\\ui\\menus\\background\\background.ini";
    // The extra model flag of the templates drawn with a colour per vertex.
    static constexpr uint32_t VertexColours = 0x20;

    // Every record of the background list. Raises FileError when the file
    // cannot be opened, its count is negative or it ends before its last
    // record; the memory taken follows the records read, not the count.
    static std::vector<BackgroundRecord> ReadBackgroundList(ZorvaneEngine::FileManager& files);

    GameData(ZorvaneEngine::Engine* engine, const std::string& languageCode);
    // Removes and deletes the two level windows; the keeper then frees every
    // template.
    ~GameData() override;

    // Runs on the loading worker: the keeper's defaults, the background
    // layers, the fixed lists, then the two level windows. A background list
    // that cannot be read ends the program through the log's fatal level;
    // a model or particle file that cannot be read is replaced by the
    // managers' substitute and the load goes on.
    void Load() override;

    // One entry per background record with a = 0, in file order.
    struct BackgroundLayers {
        std::vector<Model*> models;
        std::vector<ParticleSystem*> particleSystems;  // null for "_none_"
        std::vector<int32_t> recordIndices;            // the record's place in the file, from 0
        std::vector<int32_t> stages;                   // the record's b
    };
    struct MiniGameModels {
        Model* cellTop = nullptr;
        Model* cellBottom = nullptr;
        Model* cellBorder = nullptr;
        Model* arrowUp = nullptr;
        Model* arrowRight = nullptr;
        Model* arrowDown = nullptr;
        Model* arrowLeft = nullptr;
    };
    struct DepositoryModels {
        Model* obstacle = nullptr;
        Model* holeBottom = nullptr;
        Model* holeTop = nullptr;
    };
    struct PathEffects {
        ParticleSystem* start = nullptr;
        ParticleSystem* finish = nullptr;
    };
    struct BonusModels {
        Model* magnet = nullptr;
        Model* pause = nullptr;
        Model* rollback = nullptr;
        Model* tip = nullptr;
    };
    struct BoardModels {
        Model* levelComplete = nullptr;
        ParticleSystem* levelCompleteEffect = nullptr;
        ParticleSystem* tipEffect = nullptr;
    };
    // A menu frame: the frame itself, the rectangle its texts are laid out
    // in, and the placements of its buttons.
    template <int Buttons>
    struct MenuFrame {
        Model* window = nullptr;
        Model* windowArea = nullptr;
        Model* buttons[Buttons] = {};
    };
    struct MenuFrameModels {
        MenuFrame<2> smallWindow;
        Model* smallWindowEdit = nullptr;
        MenuFrame<3> bigWindow;
        MenuFrame<2> largeWindow;
        MenuFrame<7> mainMenu;
    };
    struct StartGameModels {
        Model* map = nullptr;
        Model* relaxCheckBox = nullptr;
        Model* totems[8] = {};
        Model* gameCompleteEffects[3] = {};
    };
    struct OptionsModels {
        Model* fullscreenCheckBox = nullptr;
        Model* resolutionButtonLeft = nullptr;
        Model* resolutionButtonRight = nullptr;
        Model* resolutionText = nullptr;
        Model* resolutionTextArea = nullptr;
        Model* sliderMusic = nullptr;
        Model* sliderSound = nullptr;
    };
    struct ProfilesModels {
        Model* buttons[4] = {};
        Model* scroll = nullptr;
        Model* text = nullptr;
    };
    struct GameLogicMenuModels {
        Model* fullscreenCheckBox = nullptr;
        Model* sliderMusic = nullptr;
        Model* sliderSound = nullptr;
    };
    // A shared button look with its hit and text rectangles.
    struct ButtonLook {
        Model* look = nullptr;
        Model* selectionArea = nullptr;
        Model* textArea = nullptr;
    };
    // A scroll bar's track and its parts.
    struct ScrollLook {
        Model* track = nullptr;
        Model* toddler = nullptr;
        Model* toddlerMin = nullptr;
        Model* toddlerMax = nullptr;
        Model* buttonIncrease = nullptr;
        Model* buttonDecrease = nullptr;
    };
    struct ControlModels {
        Model* buttonArrowUp = nullptr;
        Model* buttonArrowDown = nullptr;
        Model* buttonArrowLeft = nullptr;
        Model* buttonArrowRight = nullptr;
        ButtonLook buttonMainMenu;
        ButtonLook buttonBig;
        ButtonLook buttonSmall;
        Model* checkBox = nullptr;
        ScrollLook scrollH;
        ScrollLook scrollV;
        ButtonLook buttonGameLogicMinimize;
        ButtonLook buttonGameLogicMaximize;
        ButtonLook buttonGameLogicClose;
        Model* totem = nullptr;
    };
    struct MapModels {
        Model* start = nullptr;
        Model* finish = nullptr;
        Model* checkPoint = nullptr;
        Model* path = nullptr;
        Model* pathCheckPoint = nullptr;
    };
    struct HudModels {
        Model* background = nullptr;
        Model* mainPanel = nullptr;
        Model* menuButton = nullptr;
        Model* levelNameTextArea = nullptr;
        Model* levelName = nullptr;
        Model* levelNameTitleTextArea = nullptr;
        Model* scoreTextArea = nullptr;
        Model* score = nullptr;
        Model* scoreTitleTextArea = nullptr;
        Model* minimizeButton = nullptr;
        Model* maximizeWindowButton = nullptr;
        Model* maximizeFullscreenButton = nullptr;
        Model* closeButton = nullptr;
    };
    struct LevelCompleteModels {
        Model* frame = nullptr;
        Model* totem = nullptr;
    };
    struct TutorialModels {
        Model* background = nullptr;
        Model* closedElement = nullptr;
        Model* elements[4] = {};
        Model* mouse = nullptr;
        Model* mouseControl = nullptr;
    };
    struct MenuParticles {
        ParticleSystem* cursorTrain = nullptr;
        ParticleSystem* cursorClick = nullptr;
        ParticleSystem* upgrade = nullptr;
    };

    BackgroundLayers backgroundLayers;
    MiniGameModels miniGameModels;
    DepositoryModels depositoryModels;
    std::vector<Model*> pathModels;  // path_000 to path_005
    PathEffects pathEffects;
    Model* carriageModel = nullptr;
    BonusModels bonusModels;
    BoardModels boardModels;
    // Every level window lies under the root (top level, z -10); the overlay
    // is its child at layer 100, in front of every other level window.
    ZorvaneEngine::GUIWindow* levelRootWindow = nullptr;
    ZorvaneEngine::GUIWindow* levelOverlayWindow = nullptr;
    Model* backgroundTextAreaModel = nullptr;
    MenuFrameModels menuFrameModels;
    StartGameModels startGameModels;
    OptionsModels optionsModels;
    ProfilesModels profilesModels;
    GameLogicMenuModels gameLogicMenuModels;
    ControlModels controlModels;
    MapModels mapModels;
    HudModels hudModels;
    LevelCompleteModels levelCompleteModels;
    TutorialModels tutorialModels;
    MenuParticles menuParticles;

private:
    void LoadBackgroundLayers();
    void LoadFixedLists();
    void CreateLevelWindows();
    // A template, handed to the keeper at once so that a load that fails
    // later still frees it. camera: the GUI camera, else the default one.
    Model* LoadTemplateModel(const std::string& fileName, uint32_t flags, bool guiCamera);
    ParticleSystem* LoadTemplateParticleSystem(const std::string& fileName);

    ZorvaneEngine::GUIManager* guiManager;
};

} // namespace ActionPuzzle
