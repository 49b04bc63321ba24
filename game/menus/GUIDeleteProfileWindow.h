#pragma once
// The question before a profile is deleted; its text names the profile in
// double quotes wherever it says %PROFILE_NAME%. Deleting the last profile
// leads to the new-profile screen.
#include "framework/MenuScreenBases.h"
#include "game/menus/GUIQuestionWindow.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GUIMenuWindowManager;
class GameData;
class ProfileManager;

class GUIDeleteProfileWindow : public GameFramework::GUIDeleteProfileWindowBase, public GUIQuestionWindow {
public:
    static constexpr int32_t TextLines = 3;

    GUIDeleteProfileWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                           GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                           ProfileManager* profileManager);

    void Open(const std::u16string& name) override;
    void Close() override;
    void Update() override;

    // Line i of the question with the profile's name put in.
    std::u16string GetTextLine(int32_t line) const;

protected:
    void AddLines() const override;
};

} // namespace ActionPuzzle
