#pragma once
// The path beside the board along which the pieces not yet placed travel in
// a queue toward its end: in arcade mode into a hole, which loses the level,
// in relax mode into a pile. A cart behind the last piece pushes the queue.
// The queue's speed grows with the free path ahead of it and is changed by
// the pause and rollback bonuses, by the player's fast-forward and by a rush
// at the start of the level and at its loss. An arcade level opens with an
// introduction run of sparks along the path and, once every piece is
// placed, ends with the cart's final run, which scores every mark it passes.
// The player's actions on the path (picking, dropping back, returning,
// fast-forward) are the last step of the update.
//
// Distances are pixels along the path from its start; points are GUI units.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/MathTypes.h"
#include "engine/core/Plane.h"

namespace ZorvaneEngine {
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class MessageManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {
class ScoreKeeper;
class SoundPlayer;
} // namespace GameFramework

namespace ActionPuzzle {

class Carriage;
class GameData;
class GUIGameLogicTextManager;
class PuzzleElement;
class PuzzleElementManager;

struct PathPosition {
    float distance = 0.0f;
    // The point lies on the right of the direction of travel, the side of
    // the board.
    bool side = true;
};

class PuzzleDepository {
public:
    // Pieces keep this far apart, and the cart this far behind the last.
    static constexpr float Spacing = 60.0f;
    // Within this of the end a piece or the cart sinks into the hole.
    static constexpr float SinkLength = 35.0f;
    // The marks of the final run, evenly from start to end.
    static constexpr uint32_t MarkCount = 45;
    // A click closer than this to the path puts the held piece back.
    static constexpr float DropReach = 20.0f;

    struct QueueEntry {
        PuzzleElement* piece = nullptr;
        float distance = 0.0f;
    };

    // The path is read from the path models' positions (the last one left
    // out in relax mode, which has no hole); a path without length is a
    // fatal data error.
    PuzzleDepository(bool relax, PuzzleElementManager* pieceManager, ZorvaneEngine::Engine* engine,
                     GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                     GUIGameLogicTextManager* textManager, GameFramework::ScoreKeeper* scoreKeeper);
    virtual ~PuzzleDepository();

    PuzzleDepository(const PuzzleDepository&) = delete;
    PuzzleDepository& operator=(const PuzzleDepository&) = delete;

    void Update(bool paused, float speed);

    // The point at the distance; before the start the first segment goes
    // on backward, beyond the end it is the last point.
    ZorvaneEngine::Vector2 GetPointAtDistance(float distance) const;
    // The distance of the nearest point of the path whose segment the
    // point's perpendicular meets; (0, true) when it meets none.
    PathPosition FindNearestDistance(const ZorvaneEngine::Vector2& point) const;
    // The pause bonus: the queue brakes for longer the fuller the path.
    void AddPauseTime();
    // The cart's run along the whole path after the last piece is placed.
    void StartFinalRun();

    // The free share of the path, freeLength / pathLength.
    float GetFreeRatio() const;
    // The size a piece has on the path: it fits a slot of the path.
    float GetPathScale(const PuzzleElement& piece) const;
    // The queue speed in pixels per second before bonuses brake it.
    float GetBaseSpeed() const;

    const std::vector<QueueEntry>& GetQueue() const { return queue; }
    const std::vector<ZorvaneEngine::Vector2>& GetPathPoints() const { return pathPoints; }
    Carriage* GetCarriage() const { return carriage.get(); }
    ZorvaneEngine::ParticleSystem* GetStartEffect() const { return startEffect; }
    ZorvaneEngine::ParticleSystem* GetFinishEffect() const { return finishEffect; }

    float carriageDistance = 0.0f;
    float pathLength = 0.0f;
    // The free path before the end (arcade).
    float freeLength = 0.0f;
    float backSpeed = 0.0f;
    float rollbackTime = 0.0f;
    float brake = 0.0f;
    float pauseTime = 0.0f;
    bool introFinished = false;
    float introTime = 0.0f;
    bool reachedEnd = false;
    bool finalRunActive = false;
    bool finalRunFinished = false;
    float finalRunTime = 0.0f;
    float finalRunStart = 0.0f;
    float rush = 0.0f;
    // How far the held piece is from the path on the board's side; 0 on the
    // other side.
    float heldPieceSideDistance = 0.0f;
    ZorvaneEngine::Vector2 slotSize{40.0f, 40.0f};
    // From the cursor to the held piece's centre.
    ZorvaneEngine::Vector2 grabOffset;
    bool relax;
    float warningTimer = 0.0f;
    bool carriageSunk = false;
    bool failedSoundPlayed = false;
    bool fastForwardArmed = false;
    float fastForwardHeldTime = 0.0f;
    float fastForward = 0.0f;
    // Set by the board when the held piece is dropped on a blocked slot:
    // the next update returns it to the path.
    bool returnRequested = false;
    bool pathBeginArmed = true;
    // The pieces on the path with their distances, the rearmost (nearest
    // the start) first.
    std::vector<QueueEntry> queue;

private:
    void BuildPath();
    bool RunIntroduction(bool paused, float dt);
    void RunFinalRun(bool paused, float dt);
    // Scales the cart into the hole; true once it is gone.
    void SinkCarriage();
    void MoveForward(bool paused, float step, float dt);
    void MoveBackward(float step);
    void Tidy(float dt);
    void EnterPieces();
    void PlacePieces();
    // The player's actions: picking, dropping beside the path, returning,
    // fast-forward.
    void RunPlayerActions(bool paused, float dt, bool obstacleHit);
    // The gap of the queue (as an insertion index) that takes a piece at
    // the distance; false when none is wide enough.
    bool FindDropPlace(float dropDistance, size_t& index, float& distance) const;
    bool FindReturnPlace(size_t& index, float& distance) const;
    // A piece back on the path at its place in the queue.
    void PutOnPath(PuzzleElement& piece, size_t index, float distance);
    PuzzleElement* FindHeldPiece() const;
    bool ObstacleHit() const;
    void Sink(PuzzleElement& piece, float sink);
    void KeepPlaying(int32_t soundId);
    void StopIfPlaying(int32_t soundId);

    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::ParticleSystemManager* particleSystems;
    ZorvaneEngine::Controls* controls;
    ZorvaneEngine::GUIManager* guiManager;
    GameFramework::SoundPlayer* soundPlayer;
    GameData* gameData;
    GUIGameLogicTextManager* textManager;
    PuzzleElementManager* pieceManager;
    GameFramework::ScoreKeeper* scoreKeeper;

    // Owned through the GUI manager's and the particle-system manager's pools.
    ZorvaneEngine::GUIWindow* holeBottomWindow = nullptr;
    ZorvaneEngine::GUIWindow* holeTopWindow = nullptr;
    ZorvaneEngine::ParticleSystem* startEffect = nullptr;
    ZorvaneEngine::ParticleSystem* finishEffect = nullptr;
    std::unique_ptr<Carriage> carriage;

    std::vector<ZorvaneEngine::Vector2> pathPoints;
    std::vector<ZorvaneEngine::Vector2> segmentVectors;
    std::vector<float> segmentLengths;
    // For the side test: the positive side of each is the left of travel.
    std::vector<ZorvaneEngine::Plane> segmentLines;
};

} // namespace ActionPuzzle
