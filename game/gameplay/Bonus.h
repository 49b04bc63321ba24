#pragma once
// A bonus: an icon over a board slot whose piece is still on the path. It
// fades in over a second, stays until 23 s, fades out by 24 s and goes; or,
// once collected (the piece placed into its slot), grows by half and fades
// out within a second. Ages run on game time, so a paused level freezes it.
#include <cstdint>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class TimerManager;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GameData;

enum class BonusKind : int32_t {
    Magnet = 0,
    Pause = 1,
    Rollback = 2,
    Tip = 3,
};

class Bonus {
public:
    // Seconds a bonus waits to be collected, and the last one of them in
    // which it fades out.
    static constexpr float LifeTime = 24.0f;
    static constexpr float FadeOutStart = 23.0f;

    // Centred on position (GUI units), invisible until its first update.
    Bonus(ZorvaneEngine::Engine* engine, BonusKind kind, GameData* gameData, int32_t pieceIndex,
          const ZorvaneEngine::Vector2& position, ZorvaneEngine::GUIWindow* parent);
    // Its window goes with it.
    virtual ~Bonus();

    Bonus(const Bonus&) = delete;
    Bonus& operator=(const Bonus&) = delete;

    void Update(float speed);

    BonusKind kind;
    int32_t pieceIndex;
    ZorvaneEngine::Vector2 position;
    // Seconds of game time since creation, or since collection once picked.
    float age = 0.0f;
    bool alive = true;
    bool picked = false;

    ZorvaneEngine::GUIWindow* GetWindow() const { return window; }
    ZorvaneEngine::Model* GetModel() const { return model; }
    // What the last update gave the icon.
    float GetAlpha() const { return alpha; }
    float GetScale() const { return scale; }

private:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::TimerManager* timers;
    GameData* gameData;
    ZorvaneEngine::GUIWindow* window = nullptr;  // owned through the GUI manager's pool
    ZorvaneEngine::Model* model = nullptr;       // the window's
    float alpha = 0.0f;
    float scale = 1.0f;
};

} // namespace ActionPuzzle
