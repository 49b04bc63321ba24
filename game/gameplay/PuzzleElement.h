#pragma once
// One piece's picture, in one of two roles. As a slot of the board (mode 0)
// it is the dark picture of a blocked slot, the highlight under the tip and
// magnet bonuses, and finally the placed piece; as a movable piece (mode 1)
// it waits hidden, rides the path, is carried by the player with a shadow
// below it, and is hidden again once placed.
//
// A movable piece is waiting while hidden and not held, on the path while
// shown and not held, in the hand while shown and held, and placed while
// hidden and held.
#include <cstdint>
#include <vector>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;
class GameLogicData;

class PuzzleElement {
public:
    enum Mode : uint32_t { Slot = 0, Movable = 1 };

    // Layers of a movable piece's picture and shadow on the path, and in the
    // hand (in front of every piece on the path).
    static constexpr int32_t PieceLayer = 5;
    static constexpr int32_t ShadowLayer = 4;
    static constexpr int32_t HeldPieceLayer = 103;
    static constexpr int32_t HeldShadowLayer = 102;
    // How opaque the highlight pulses get.
    static constexpr float HighlightAlpha = 0.4f;

    // The picture (and for a movable piece its shadow) from the level's
    // texture pack, not shown; a slot takes the piece's blocked state and
    // links, and a blocked slot shows its picture dark.
    PuzzleElement(GameLogicData* logicData, ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                  GameData* gameData, uint32_t index, Mode mode, ZorvaneEngine::GUIWindow* parent);
    virtual ~PuzzleElement();

    PuzzleElement(const PuzzleElement&) = delete;
    PuzzleElement& operator=(const PuzzleElement&) = delete;

    // The picture at s times the piece's size around the centre; the shadow
    // beside it, offset by 3 units right and down at half size and more.
    void SetScale(float s);
    void SetPosition(const ZorvaneEngine::Vector2& p);
    // Strictly inside the picture, in absolute GUI units.
    bool ContainsPoint(const ZorvaneEngine::Vector2& p) const;
    // Slots: the tip's pulse over an open slot, and its particles along the
    // piece (a blocked slot shows only the particles).
    void ShowTip();
    // Open slots: the magnet's pulse.
    void StartMagnetHighlight();
    void Update(bool paused, float speed);

    // Visibility of the picture (and the shadow with it).
    void Show(bool show);
    bool IsShown() const;
    // The picture's colour; a slot's highlight keeps its colour and pulses
    // its alpha.
    void SetColor(const ZorvaneEngine::ColorRGBA& color);
    // Clears the tip and magnet highlights at once and stops the tip's
    // particles.
    void ClearHighlights();

    ZorvaneEngine::GUIWindow* GetSprite() const { return sprite; }
    ZorvaneEngine::GUIWindow* GetShadow() const { return shadow; }
    ZorvaneEngine::ParticleSystem* GetTipEffect() const { return tipEffect; }
    const ZorvaneEngine::Vector2& GetSize() const { return size; }

    uint32_t blocked = 0;
    uint32_t index;
    Mode mode;
    std::vector<uint32_t> links;
    float scale = 1.0f;
    ZorvaneEngine::Vector2 centre;
    bool held = false;
    PuzzleElement* magnetTarget = nullptr;
    bool unblockAnimating = false;
    float unblockPhase = 0.0f;
    bool tipShown = false;
    bool tipEnding = false;
    float tipPhase = 0.0f;
    bool magnetShown = false;
    bool magnetEnding = false;
    float magnetPhase = 0.0f;

private:
    void Layout();
    void StopTipEffect();
    // One highlight's pulse or fade; true while it is still shown.
    void UpdateHighlight(bool& shown, bool& ending, float& phase, float step);

    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::ParticleSystemManager* particleSystems;
    ZorvaneEngine::GUIManager* guiManager;
    GameFramework::SoundPlayer* soundPlayer;
    GameData* gameData;
    GameLogicData* logicData;
    ZorvaneEngine::Vector2 size;                    // the piece's size at scale 1
    ZorvaneEngine::GUIWindow* sprite = nullptr;     // owned through the GUI manager's pool
    ZorvaneEngine::GUIWindow* shadow = nullptr;     // movable pieces
    ZorvaneEngine::ParticleSystem* tipEffect = nullptr;  // slots, from the first tip on
};

} // namespace ActionPuzzle
