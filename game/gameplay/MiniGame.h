#pragma once
// The totem puzzle the level map runs after a stage's last level: the
// stage's totem picture cut into an N × N grid of tiles (MiniGameCell), each
// turned over at random, for the player to turn back until every tile shows
// its right face. When the picture is whole again (or the player has used
// more than six turns a tile) the whole picture fades in over the grid,
// grows a little, flies onto the stage's totem beside the map and becomes
// it, and three lines of text fade in and out.
//
// The level map makes one mini game with its window, calls Start for a
// stage and Update every frame, and reads active, finished and stage. The
// pictures and tiles are made when the map's frame appears and released
// when it has gone.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class ShaderManager;
class ShaderUser;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;
class LevelManager;
class MiniGameCell;

class MiniGame {
public:
    // The picture's square on the map's frame, in GUI units.
    static constexpr float PictureX = 269.0f;
    static constexpr float PictureY = 126.0f;
    static constexpr float PictureSide = 266.0f;
    // More turns than this many per tile end the puzzle unsolved.
    static constexpr uint32_t FlipsPerCell = 6;

    // frameWidget is the level map's frame; every window of the mini game
    // stands on it.
    MiniGame(ZorvaneEngine::Engine* engine, LevelManager* levelManager, GameData* gameData,
             ZorvaneEngine::GUIWindow* frameWidget, GameFramework::SoundPlayer* soundPlayer);
    virtual ~MiniGame();

    MiniGame(const MiniGame&) = delete;
    MiniGame& operator=(const MiniGame&) = delete;

    // Begins the puzzle of the stage's totem; the tiles are made once the
    // frame appears.
    void Start(uint32_t stageIndex);
    // Once a frame; colour is the level map window's, whose alpha fades the
    // tiles, their arrows and the texts.
    void Update(const ZorvaneEngine::ColorRGBA& colour);

    // The board is over: every tile solved, or too many turns made.
    bool IsBoardDone() const;
    // Turns the player has made on all tiles together.
    uint32_t TotalFlips() const;

    ZorvaneEngine::GUIWindow* cellLayer = nullptr;    // owned; parent of the tiles
    ZorvaneEngine::GUIWindow* pictureQuad = nullptr;  // owned; the whole picture
    ZorvaneEngine::GUIWindow* maskedQuad = nullptr;   // owned; the totem cut out of it
    ZorvaneEngine::ShaderUser* pictureMaterial = nullptr;  // owned; null while nothing is built
    ZorvaneEngine::ShaderUser* maskedMaterial = nullptr;   // owned
    // The map's totem, lit, posed on the stage's place (owned).
    ZorvaneEngine::GUIWindow* totemWindow = nullptr;
    std::vector<std::unique_ptr<MiniGameCell>> cells;
    // The puzzle part is over (solved or out of turns).
    bool solved = false;
    float revealTime = 0.0f;
    float textTime = 0.0f;
    // From Start until the map's frame has gone.
    bool active = false;
    // The whole sequence, texts included, is over; kept after deactivation.
    bool finished = false;
    uint32_t stage = 0;

private:
    void Build();
    void Release();
    void UpdateReveal(const ZorvaneEngine::ColorRGBA& colour, float dt);
    // The stage's totem place beside the map; null for a stage without one.
    const ZorvaneEngine::Model* TotemPlace() const;
    void PoseTotem();

    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::ShaderManager* shaderManager;
    GameFramework::SoundPlayer* soundPlayer;
    LevelManager* levelManager;
    GameData* gameData;
    ZorvaneEngine::GUIWindow* frameWidget;
};

} // namespace ActionPuzzle
