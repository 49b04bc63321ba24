#pragma once
// One tile of the totem puzzle: a small 3D tile showing its part of the
// totem picture on both sides, which turns over about x or y. Of the four
// faces it can show (both sides, each upright or upside down) face 0 is the
// right one. Two seconds after it is made the tile turns itself over five
// times at random; after that the player turns it by pressing in the part
// of the tile opposite the wanted direction (pressing low turns it upward),
// and an arrow fades in while the cursor rests there.
#include <array>
#include <cstdint>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class ShaderUser;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;

enum MiniGameDirection : uint32_t {
    FlipUp = 0,
    FlipRight = 1,
    FlipDown = 2,
    FlipLeft = 3,
};

// The face a tile shows after turning over in the direction: a turn about x
// (up or down) exchanges faces 0 and 1, and 2 and 3; one about y exchanges
// 0 and 2, and 1 and 3.
uint32_t FaceAfterFlip(uint32_t face, uint32_t direction);

// Rotations about x and y, in radians, at which the face lies towards the
// viewer.
std::array<float, 2> RestingAngles(uint32_t face);

// The direction a press at offset d from the tile's centre asks for: the
// tile is cut along its diagonals into four triangles, and the one below
// the centre turns it up, the left one right, the upper one down, the right
// one left. 4 for a point on a diagonal.
uint32_t DirectionOfQuadrant(const ZorvaneEngine::Vector2& d);

class MiniGameCell {
public:
    static constexpr uint32_t ScrambleFlips = 5;
    // Seconds after its creation before the tile turns itself over.
    static constexpr float ScrambleDelay = 2.0f;
    // Radians per second of a turn.
    static constexpr float FlipSpeed = 5.0f;
    // The picture fills this part of its texture, from the lower-left corner.
    static constexpr float PictureUV = 300.0f / 512.0f;

    // Cell (column, row) of a gridSize × gridSize board whose lower-left
    // corner is boardPosition and whose width is boardSize.x. Both faces
    // show the picture of material; the windows are children of parent.
    MiniGameCell(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                 uint32_t gridSize, uint32_t column, uint32_t row, const ZorvaneEngine::Vector2& boardPosition,
                 const ZorvaneEngine::Vector2& boardSize, const ZorvaneEngine::ShaderUser* material,
                 ZorvaneEngine::GUIWindow* parent);
    virtual ~MiniGameCell();

    MiniGameCell(const MiniGameCell&) = delete;
    MiniGameCell& operator=(const MiniGameCell&) = delete;

    // Once a frame: the player's press, the random turns, the turn's
    // animation and the colours; colour fades the tile and its arrows.
    void Update(const ZorvaneEngine::ColorRGBA& colour);

    // No turn is running.
    bool IsResting() const { return face == fromFace; }
    // Showing the right face at rest, with its random turns made.
    bool IsSolved() const { return face == 0 && fromFace == 0 && scramblesLeft == 0; }

    // Border, top face, bottom face (owned).
    std::array<ZorvaneEngine::GUIWindow*, 3> faceWindows{};
    std::array<ZorvaneEngine::Model*, 3> faceModels{};
    std::array<float, 2> angles{};
    std::array<float, 2> startAngles{};
    // Indexed by MiniGameDirection (owned).
    std::array<ZorvaneEngine::GUIWindow*, 4> arrowWindows{};
    std::array<float, 4> arrowAlphas{};
    float idleTime = 0.0f;
    uint32_t scramblesLeft = ScrambleFlips;
    // Hovered while the cursor is over the tile (owned, no model).
    ZorvaneEngine::GUIWindow* hitWindow = nullptr;
    uint32_t column = 0;
    uint32_t row = 0;
    // The face shown, or turned to while a turn runs.
    uint32_t face = 0;
    // The face the running turn started from; equal to face at rest.
    uint32_t fromFace = 0;
    // Turns made by the player.
    uint32_t flips = 0;
    ZorvaneEngine::Vector2 centre;
    ZorvaneEngine::Vector2 size;
    uint32_t direction = FlipUp;
    bool inputEnabled = true;

private:
    void StartFlip(uint32_t towards);
    void UpdateInput(float dt);
    void UpdateFlip(float dt);
    void PlaceModels();

    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::Controls* controls;
    ZorvaneEngine::GUIManager* guiManager;
    GameFramework::SoundPlayer* soundPlayer;
};

} // namespace ActionPuzzle
