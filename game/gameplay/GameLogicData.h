#pragma once
// The resources of one level, made from its puzzle folder
// "data\puzzles\<folder>\": the picture's size, every piece's rectangle,
// links and sample points, one packed picture per piece, the three board
// materials (background, picture, cut lines) and the board's three colours.
// The level loading screen runs Load on its worker; the level reads the
// keeper afterwards and never changes it.
//
// Piece indices are the order of the pieces in "puzzle.pzf"; every per-piece
// list has one entry per piece. Pixel coordinates count x from the
// picture's left edge and y from its bottom edge.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"
#include "framework/DataKeeper.h"

namespace ZorvaneEngine {
class ShaderUser;
}

namespace ActionPuzzle {

struct LevelInfo;
struct StageInfo;
class TexturePack;

struct PiecePoint {
    int32_t x = 0;
    int32_t y = 0;
};

class GameLogicData : public GameFramework::DataKeeper {
public:
    // The largest picture the board pictures hold.
    static constexpr uint32_t BoardPictureWidth = 1024;
    static constexpr uint32_t BoardPictureHeight = 512;

    GameLogicData(ZorvaneEngine::Engine* engine, const std::string& languageCode, const StageInfo& stageInfo,
                  const LevelInfo& levelInfo);
    ~GameLogicData() override;

    // Everything the level needs. A puzzle that cannot be loaded ends the
    // program through the log's fatal level: there is no substitute puzzle.
    void Load() override;

    // The stage and level numbers joined by "_", stage first ("2_5").
    std::string GetSuffix() const;
    uint32_t GetPieceCount() const { return static_cast<uint32_t>(pieceBlocked.size()); }

    const StageInfo* stageInfo;
    const LevelInfo* levelInfo;
    ZorvaneEngine::Vector2 pictureSize;
    // 1 where the piece's slot starts blocked.
    std::vector<uint32_t> pieceBlocked;
    std::vector<ZorvaneEngine::Vector2> pieceCentres;
    std::vector<ZorvaneEngine::Vector2> pieceSizes;
    // Lower-left corner and size of each piece's rectangle.
    std::vector<PiecePoint> piecePositions;
    std::vector<PiecePoint> pieceExtents;
    // The pieces that keep each piece's slot blocked.
    std::vector<std::vector<uint32_t>> pieceLinks;
    // Each piece's entry in texturePack.
    std::vector<std::string> piecePackNames;
    // Every third pixel of each piece's mask in both directions, in picture
    // coordinates: where the tip effect emits.
    std::vector<std::vector<ZorvaneEngine::Vector2>> pieceOutlinePoints;
    // Owned through the keeper.
    ZorvaneEngine::ShaderUser* backgroundShaderUser = nullptr;
    ZorvaneEngine::ShaderUser* themeShaderUser = nullptr;
    ZorvaneEngine::ShaderUser* outlineShaderUser = nullptr;
    std::unique_ptr<TexturePack> texturePack;
    ZorvaneEngine::ColorRGBA boardTintColour;
    ZorvaneEngine::ColorRGBA outlineColour;
    ZorvaneEngine::ColorRGBA highlightColour;

private:
    std::string PuzzleFolder() const;
};

} // namespace ActionPuzzle
