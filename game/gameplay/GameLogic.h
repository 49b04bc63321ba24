#pragma once
// One level in play. It owns every gameplay object of the level (the board
// window, the floating texts, the pieces, the path, the bonuses, the board)
// and runs them in a fixed order each frame: the path with the player's
// actions on it, the piece in the hand (its size and the magnet's pull),
// the board, the pieces, the bonuses and the texts. A speed factor fades
// the whole level to a standstill while it is paused and back after. The
// level is won when every piece is placed and the completion has played
// (in arcade mode after the cart's final run), lost when a piece or the
// cart reaches the hole.
#include <cstdint>
#include <memory>

#include "framework/GameLogicBase.h"

namespace ZorvaneEngine {
class GUIWindow;
}

namespace GameFramework {
class GUIGameCursorBase;
class ProfileManagerBase;
} // namespace GameFramework

namespace ActionPuzzle {

class BonusManager;
class GameData;
class GameLogicData;
class GUIGameLogicTextManager;
struct LevelInfo;
class Puzzle;
class PuzzleDepository;
class PuzzleElement;
class PuzzleElementManager;
struct StageInfo;

class GameLogic : public GameFramework::GameLogicBase {
public:
    // The level is in relax mode when the current profile's mode is 1.
    GameLogic(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
              GameFramework::GUIGameCursorBase* cursor, GameFramework::ProfileManagerBase* profileManager,
              GameData* gameData, GameLogicData* logicData, const StageInfo& stageInfo, const LevelInfo& levelInfo,
              int32_t carriedValue);
    // The board, bonuses, path, pieces and texts in that order, then the
    // board window.
    ~GameLogic() override;

    void Update() override;

    bool IsRelax() const { return relax; }
    float GetSpeed() const { return speed; }
    Puzzle* GetPuzzle() const { return puzzle.get(); }
    PuzzleDepository* GetDepository() const { return depository.get(); }
    PuzzleElementManager* GetPieceManager() const { return pieceManager.get(); }
    BonusManager* GetBonusManager() const { return bonusManager.get(); }
    GUIGameLogicTextManager* GetTextManager() const { return textManager.get(); }

private:
    // The held piece's size and position; true when the magnet holds it.
    bool MoveHeldPieces(PuzzleElement*& lastHeld);
    void DecideEnd();

    GameFramework::GUIGameCursorBase* cursor;
    GameFramework::ProfileManagerBase* profileManager;
    GameData* gameData;
    GameLogicData* logicData;
    ZorvaneEngine::GUIWindow* boardWindow = nullptr;  // owned through the GUI manager's pool
    std::unique_ptr<GUIGameLogicTextManager> textManager;
    std::unique_ptr<PuzzleElementManager> pieceManager;
    std::unique_ptr<PuzzleDepository> depository;
    std::unique_ptr<BonusManager> bonusManager;
    std::unique_ptr<Puzzle> puzzle;
    float speed = 1.0f;
    bool relax = false;
    // The share of the remaining way the magnet glides the held piece this
    // frame: the last frame's step, so the glide starts a frame after the
    // piece comes close.
    float magnetStep = 0.0f;
};

} // namespace ActionPuzzle
