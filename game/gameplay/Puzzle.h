#pragma once
// The board: the puzzle's picture (pale until pieces are placed), its cut
// lines, one slot per piece, the pause overlay and the completion ripple;
// and the rules of the board in play. Each frame the board places the piece
// in the player's hand when it is dropped on its slot (or pulled there by
// the magnet), counts combos, scores, applies the bonus that lay on the
// slot, opens blocked slots whose neighbours are done, floats the texts,
// chooses the cursor's look and now and then puts a new bonus over a slot.
//
// The picture lies at (63, 63) inside the level's board window; slot
// positions are picture pixels inside it.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/BoundingBox.h"
#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class AnimationControl;
class Controls;
class Engine;
class GUIManager;
class GUITextManager;
class GUIWindow;
class Model;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {
class GUIGameCursorBase;
class ScoreKeeper;
class SoundPlayer;
} // namespace GameFramework

namespace ActionPuzzle {

class BonusManager;
class GameData;
class GameLogicData;
class GUIGameLogicTextManager;
class PuzzleDepository;
class PuzzleElement;
class PuzzleElementManager;

class Puzzle {
public:
    // The picture's lower-left corner in the board window.
    static constexpr float BoardOrigin = 63.0f;
    // A piece snaps into its slot from closer than this.
    static constexpr float SnapDistance = 26.0f;
    // Placements this close together (game seconds) make a combo.
    static constexpr float ComboTime = 2.8f;
    // The cursor's kinds.
    static constexpr int32_t CursorNormal = 0;
    static constexpr int32_t CursorTip = 1;
    static constexpr int32_t CursorMagnet = 2;
    // Score ids.
    static constexpr int32_t ScoreLevelComplete = 0;
    static constexpr int32_t ScorePiecePlaced = 1;
    static constexpr int32_t ScoreSlotUnblocked = 2;
    static constexpr int32_t ScoreBonusCollected = 3;

    Puzzle(ZorvaneEngine::Engine* engine, GameLogicData* logicData, GameFramework::GUIGameCursorBase* cursor,
           GameFramework::SoundPlayer* soundPlayer, GameData* gameData, GUIGameLogicTextManager* textManager,
           PuzzleElementManager* pieceManager, PuzzleDepository* depository, BonusManager* bonusManager,
           GameFramework::ScoreKeeper* scoreKeeper, bool relax, ZorvaneEngine::GUIWindow* boardWindow);
    virtual ~Puzzle();

    Puzzle(const Puzzle&) = delete;
    Puzzle& operator=(const Puzzle&) = delete;

    // One frame of the board. playing: the level is neither paused, won nor
    // lost; only then are pieces placed, so that nothing scores after a loss.
    void Update(bool paused, float speed, bool playing);

    // The completion ripple has played out (or, for a completion model
    // without animation, has been shown).
    bool IsCompletionFinished() const;
    // The points of a score id by the keeper's table and multiplier.
    int32_t Points(int32_t scoreId) const;
    // A slot's centre in absolute GUI units.
    ZorvaneEngine::Vector2 GetSlotCentre(const PuzzleElement& slot) const;
    uint32_t GetPieceCount() const { return static_cast<uint32_t>(slots.size()); }
    // The interval at which new bonuses are tried, for the pieces now on
    // the path.
    float GetBonusInterval() const;

    ZorvaneEngine::GUIWindow* GetPictureWindow() const { return pictureWindow; }
    ZorvaneEngine::GUIWindow* GetOutlineWindow() const { return outlineWindow; }
    ZorvaneEngine::GUIWindow* GetPauseOverlay() const { return pauseOverlay; }
    ZorvaneEngine::GUIWindow* GetCompletionWindow() const { return completionWindow; }
    ZorvaneEngine::AnimationControl* GetCompletionAnimation() const { return completionAnimation; }
    ZorvaneEngine::ParticleSystem* GetCompletionEffect() const { return completionEffect; }

    std::vector<std::unique_ptr<PuzzleElement>> slots;  // in piece order
    PuzzleElement* heldPiece = nullptr;
    uint32_t placedCount = 0;
    ZorvaneEngine::BoundingBox boardBox;
    float bonusTimer = 0.0f;
    bool magnetPending = false;
    bool magnetAssigned = false;
    bool tipPending = false;
    uint32_t combo = 1;
    float timeSincePlacement = 100000.0f;

private:
    void UpdatePauseOverlay(float speed);
    void Place(bool paused);
    // The piece goes into its slot: combo, score, text, bonus.
    void PlacePiece(PuzzleElement& piece, PuzzleElement& slot);
    void Unblock();
    void UpdateCursor(bool paused, float speed);
    void UpdateCompletion(float speed, float dt);
    void SpawnBonus(float speed, float dt);
    PuzzleElement* FindHeldPiece() const;
    std::u16string Text(const char* key) const;

    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUITextManager* texts;
    ZorvaneEngine::ParticleSystemManager* particleSystems;
    ZorvaneEngine::Controls* controls;
    GameFramework::GUIGameCursorBase* cursor;
    GameFramework::SoundPlayer* soundPlayer;
    GameData* gameData;
    GameLogicData* logicData;
    GUIGameLogicTextManager* textManager;
    PuzzleElementManager* pieceManager;
    PuzzleDepository* depository;
    BonusManager* bonusManager;
    GameFramework::ScoreKeeper* scoreKeeper;
    bool relax;
    ZorvaneEngine::GUIWindow* boardWindow;

    // Owned through the GUI manager's and particle-system manager's pools.
    ZorvaneEngine::GUIWindow* pictureWindow = nullptr;
    ZorvaneEngine::GUIWindow* slotContainer = nullptr;
    ZorvaneEngine::GUIWindow* outlineWindow = nullptr;
    ZorvaneEngine::GUIWindow* pauseOverlay = nullptr;
    ZorvaneEngine::GUIWindow* completionWindow = nullptr;
    ZorvaneEngine::Model* completionModel = nullptr;  // the completion window's
    ZorvaneEngine::AnimationControl* completionAnimation = nullptr;
    ZorvaneEngine::ParticleSystem* completionEffect = nullptr;
    float outlineAlpha = 1.0f;
    // A completion model that cannot animate counts as played out once
    // shown; otherwise its animation would wait for ever.
    bool completionAnimates = true;
    bool completionPlayed = false;
};

} // namespace ActionPuzzle
