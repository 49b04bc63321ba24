#pragma once
// The best scores of one game mode at a time (arcade or relax) in three
// columns: place, player name and score. A button switches to the other
// mode's table with a cross-fade; the entry the game has just added is
// drawn in the highlight font. It opens on the table of the mode the player
// plays. BACK (OK after a game) leads back to the main menu, or, once per
// player, after a lost arcade game to the offer of the relax mode.
#include <cstdint>

#include "framework/MenuScreenBases.h"
#include "game/menus/GUIMenuWindow.h"

namespace ZorvaneEngine {
class Engine;
class GUIButton;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class HighScoresTable;
class SoundPlayer;
} // namespace GameFramework

namespace ActionPuzzle {

class GUIControl;
class GUIMenuWindowManager;
class GameData;
class ProfileManager;

class GUIHighScoresWindow : public GameFramework::GUIHighScoresWindowBase, public GUIMenuWindow {
public:
    static constexpr uint32_t ArcadeMode = 0;
    static constexpr uint32_t RelaxMode = 1;
    // The table fades out at this rate (per second) before the switch, and
    // in again at the other.
    static constexpr float TableFadeOutSpeed = 4.0f;
    static constexpr float TableFadeInSpeed = 2.0f;
    // The first row's height and the step down to the next.
    static constexpr float FirstRowY = 355.0f;
    static constexpr float RowStep = 19.0f;

    GUIHighScoresWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                        GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                        ProfileManager* profileManager, GameFramework::HighScoresTable* highScores);
    ~GUIHighScoresWindow() override;

    void Open(GameFramework::HighScoresOpenMode mode, GameFramework::HighScoreEntry* entry) override;
    void Close() override;
    void Update() override;

    ProfileManager* profileManager;  // not owned
    // Anchors of the columns on the frame: the place and the score are
    // right-aligned on theirs, the name left-aligned.
    ZorvaneEngine::GUIWindow* placeColumn = nullptr;
    ZorvaneEngine::GUIWindow* nameColumn = nullptr;
    ZorvaneEngine::GUIWindow* scoreColumn = nullptr;
    GUIControl* modeControl = nullptr;  // owned by the menu window
    ZorvaneEngine::GUIButton* modeButton = nullptr;
    GUIControl* backControl = nullptr;  // owned by the menu window
    ZorvaneEngine::GUIButton* backButton = nullptr;
    uint32_t chosenMode = ArcadeMode;  // asked for by the player
    uint32_t shownMode = ArcadeMode;   // whose table is drawn
    float tableAlpha = 1.0f;

private:
    void AddTable(const ZorvaneEngine::ColorRGBA& tableColour) const;
};

} // namespace ActionPuzzle
