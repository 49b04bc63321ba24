#pragma once
// The high-score tables.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/MenuScreenBases.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class HighScoresTable;
class SoundPlayer;
} // namespace GameFramework

namespace ActionPuzzle {

class GUIMenuWindowManager;
class GameData;
class ProfileManager;

class GUIHighScoresWindow : public GameFramework::GUIHighScoresWindowBase {
public:
    GUIHighScoresWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager*,
        GameFramework::HighScoresTable* highScores)
        : GUIHighScoresWindowBase(highScores)
    {
    }
};

} // namespace ActionPuzzle
