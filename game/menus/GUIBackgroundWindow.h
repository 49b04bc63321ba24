#pragma once
// The living scene behind every screen: animated model layers and particle
// systems from the background list, layers that appear as the player
// reaches later stages, the unicorn for players who finished the game, and
// in front of them the screen frame, the maker's logos, the title spelled
// out in pieces and the title plate, on which a typewriter prints each menu
// window's title (and "LOADING" at start-up).
//
// The game makes it before anything is shown and updates it first in every
// frame. Inactive (during the logos) it shows nothing. Its state machine
// plays the start-up intro, waits for the start-up load, builds the loaded
// layers, lets the menus start, and then serves the menus and the levels:
// the menu scene fades out while a level is played (v falls to 0 and the
// scene is hidden) and back in for the menus; in-game windows borrow the
// title plate (the hand-over with GUIMenuWindow).
//
// Layers (GUI layer numbers): root, the layer parent at 550, under it each
// layer at its record index + 1 and the front parent one above the highest;
// under the front parent the frame 1, the logo 2, the other logos 3, the
// menu root 4 (parent of every menu window), the plate's mount 15, its
// flash and the plate 16, the typed text 17, the title's mount 18 and the
// title pieces 19.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/menus/TitlePlateHandOver.h"

namespace ZorvaneEngine {
class Engine;
class FileManager;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class MessageManager;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderManager;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace GameTools {
class GUITextPrinter;
}

namespace ActionPuzzle {

class GameData;
class LevelManager;
class ProfileManager;

enum class BackgroundState : int32_t {
    IntroFrame = 0,       // the frame and the logo appear
    IntroTitle = 1,       // the title mounts, title and logos appear
    TypingLoading = 2,    // "LOADING" typed on the title plate
    ReadyForLoading = 3,  // the start-up load may run
    MenusMayStart = 4,    // until the game acknowledges
    Settling = 5,
    PlateDown = 6,        // menus or a level
    PlateAppearing = 7,
    PlateUp = 8,
};

class GUIBackgroundWindow {
public:
    static constexpr const char* TitleFolder = "data\\ui\\menus\\models\\background\\";
    // More title pieces than this in the language's title file is damage.
    static constexpr int32_t MaxTitlePieces = 64;
    static constexpr int32_t LayerParentLayer = 550;
    static constexpr int32_t MenuRootLayer = 4;
    static constexpr int32_t PlateLayer = 16;
    // Under the level root while an in-game window holds it.
    static constexpr int32_t PlateLevelLayer = 495;

    // Reads the background list and builds the layers it builds itself and
    // the front windows. A list without a layer of its own ("Background
    // have no thematic layers"), an unreadable list or title file, or any
    // engine error on the way ends the program through the log's fatal
    // level.
    GUIBackgroundWindow(const std::string& languageCode, GameFramework::SoundPlayer* soundPlayer,
                        ZorvaneEngine::Engine* engine, LevelManager* levelManager, ProfileManager* profileManager);
    // Deletes every window, layer model and particle system it made.
    virtual ~GUIBackgroundWindow();

    GUIBackgroundWindow(const GUIBackgroundWindow&) = delete;
    GUIBackgroundWindow& operator=(const GUIBackgroundWindow&) = delete;

    // Once a frame, first of the game's windows; nothing while inactive.
    virtual void Update();
    // The logos are done: the intro starts with the next update.
    void Activate() { active = true; }
    bool IsActive() const { return active; }
    // While the background lets the menus start, the game takes the screen
    // for them and the background goes on; false at any other time.
    bool AcknowledgeMenusMayStart();
    // A level starts: the menu scene fades out at once and the title plate
    // is down with nobody waiting for it.
    void ShowLevel();
    // Back from a level or the show place: the menu scene fades in.
    virtual void FadeInLayers();
    // The show place: the menu's frame fades away, the scene stays.
    virtual void FadeOutLayers();
    // The fade started last has ended; false when none was ever started
    // and the menu look is off.
    bool IsTransitionFinished() const;
    // The game is complete: the frame and logos fade in, and the unicorn
    // layer comes when earned.
    void StartFinale(bool earned);
    // The level map ends the finale: the frame and logos fade out.
    void EndFinale();
    // The stage complete screen of the game's last level keeps the unicorn
    // away until the finale lets it come.
    void DisableUnicorn() { unicornEnabled = false; }
    // The stage whose layers show: the current profile's stage, one further
    // when it has reached the end of the last stage; 0 without a profile.
    uint32_t UpdateStageIndex();
    // The scenery of the current profile: the layers of the stage it has
    // reached, and the unicorn once it has finished the game. The update
    // runs it whenever another profile becomes current; over a level the
    // next fade back to the menus shows it.
    void FollowProfile();
    // The centre text erases what it shows and types the key's text.
    void SetCentreText(const std::string& key);

    ZorvaneEngine::GUIWindow* GetMenuRoot() const { return menuRoot; }
    ZorvaneEngine::GUIWindow* GetLayerParent() const { return layerParent; }
    ZorvaneEngine::GUIWindow* GetFrontParent() const { return frontParent; }
    ZorvaneEngine::GUIWindow* GetTitlePlate() const { return titlePlate; }
    ZorvaneEngine::GUIWindow* GetUnicornLayer() const { return unicorn.window; }
    GameTools::GUITextPrinter* GetCentreTextPrinter() const { return centreTextPrinter.get(); }
    uint32_t GetStageIndex() const { return stageIndex; }
    TitlePlateHandOver& GetPlateHandOver() { return plate; }
    const TitlePlateHandOver& GetPlateHandOver() const { return plate; }
    BackgroundState GetState() const { return state; }
    // The menu look (1) against the level look (0).
    float GetLook() const { return v; }
    // The look moves towards the menus' side.
    bool IsFadingIn() const { return fadeOn; }
    // The show place's fade, the menu frame going away.
    bool IsFadingOut() const { return fadingOut; }
    bool IsFinaleFadingIn() const { return finaleFadeIn; }
    bool IsFinaleFadingOut() const { return finaleFadeOut; }
    float GetFinaleTime() const { return finaleTime; }
    bool IsMenuReadyAcknowledged() const { return menuReadyAcknowledged; }
    bool IsUnicornEarned() const { return unicornEarned; }
    bool IsUnicornEnabled() const { return unicornEnabled; }

    // Set by the start-up loading screen.
    GameData* gameData = nullptr;  // null until the start-up load has ended
    bool loaded = false;
    bool readyForLoading = false;

    // The layers, in parallel vectors: a particle layer has its model (not
    // in the model manager; it carries the emitter) and its system, a model
    // layer nulls.
    struct Layers {
        std::vector<ZorvaneEngine::GUIWindow*> windows;
        std::vector<ZorvaneEngine::Model*> models;
        std::vector<ZorvaneEngine::ParticleSystem*> particleSystems;
        std::vector<uint32_t> stages;  // stage layers only: the first stage index that shows it
    };
    const Layers& GetThematicLayers() const { return thematic; }
    const Layers& GetStageLayers() const { return stageLayers; }

private:
    struct LayerParts {
        ZorvaneEngine::GUIWindow* window = nullptr;
        ZorvaneEngine::Model* model = nullptr;
        ZorvaneEngine::ParticleSystem* particleSystem = nullptr;
    };

    void Build(const std::string& languageCode);
    // A layer built from its files: the record's model and particle system.
    LayerParts BuildOwnLayer(const std::string& modelName, const std::string& particleName, int32_t layer);
    // A layer made from the catalogue's templates.
    LayerParts BuildLoadedLayer(ZorvaneEngine::Model* model, ZorvaneEngine::ParticleSystem* system, int32_t layer);
    // The window's model blends by its alpha and loops, every layer out of
    // step with the others; the particle system emits for ever, sorted
    // with the window.
    void StartLayer(LayerParts& parts);
    ZorvaneEngine::GUIWindow* CreateFrontWindow(const std::string& name, int32_t layer);
    void BuildLoadedLayers();
    void DeleteEverything();

    void RunStates();
    void ColourIntro(float dt);
    void ColourAppearingLayers(float dt);
    void ColourFadingOut();
    void ColourMenus(float dt);
    void ColourLevel();
    void RunFinale(float dt);
    void MoveEmitters();
    // Every layer that shows for the menus, each system's sprites too.
    void ShowLayers();
    bool UnicornShows() const;

    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::FileManager* fileManager;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIFontManager* fontManager;
    ZorvaneEngine::GUITextManager* textManager;
    ZorvaneEngine::ShaderManager* materialManager;
    ZorvaneEngine::ModelManager* modelManager;
    ZorvaneEngine::ParticleSystemManager* particleSystemManager;
    GameFramework::SoundPlayer* soundPlayer;
    LevelManager* levelManager;
    ProfileManager* profileManager;

    ZorvaneEngine::GUIWindow* root = nullptr;
    ZorvaneEngine::GUIWindow* layerParent = nullptr;
    ZorvaneEngine::GUIWindow* frontParent = nullptr;
    ZorvaneEngine::GUIWindow* menuRoot = nullptr;
    Layers thematic;
    Layers stageLayers;
    LayerParts unicorn;
    // The frame, the logo, the other logos that exist, the title's mount,
    // the plate's mount and the title pieces.
    std::vector<ZorvaneEngine::GUIWindow*> frontWindows;
    ZorvaneEngine::GUIWindow* frame = nullptr;
    ZorvaneEngine::GUIWindow* logo = nullptr;
    ZorvaneEngine::GUIWindow* additionalLogos[2] = {nullptr, nullptr};
    ZorvaneEngine::GUIWindow* mountTitle = nullptr;
    ZorvaneEngine::GUIWindow* mountText = nullptr;
    std::vector<ZorvaneEngine::GUIWindow*> titlePieces;
    ZorvaneEngine::GUIWindow* textAppear = nullptr;
    ZorvaneEngine::GUIWindow* titlePlate = nullptr;
    ZorvaneEngine::GUIWindow* textArea = nullptr;
    // The highest layer number under the layer parent.
    int32_t highestLayer = 0;

    bool titleRevealed = false;
    float titleTime = 0.0f;
    bool layersAppearing = false;
    float appearTime = 0.0f;
    std::unique_ptr<GameTools::GUITextPrinter> centreTextPrinter;
    uint32_t stageIndex = 0;
    // The profile whose scenery shows; only compared, never followed.
    const void* followedProfile = nullptr;

    bool menuReadyAcknowledged = false;
    TitlePlateHandOver plate;
    bool active = false;
    BackgroundState state = BackgroundState::IntroFrame;
    // The menu look (1) against the level look (0), moving 2 a second
    // towards the side fadeOn chooses.
    bool fadeOn = true;
    float v = 1.0f;
    bool fadingOut = false;
    // The end of the game: the frame and logos fade in, or out on the map.
    bool finaleFadeIn = false;
    bool finaleFadeOut = false;
    float finaleTime = 0.0f;
    bool unicornEarned = false;
    bool unicornEnabled = true;
};

} // namespace ActionPuzzle
