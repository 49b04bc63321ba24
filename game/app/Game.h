#pragma once
// The concrete game object: the framework's game with this game's settings,
// configuration variables, text tables, sounds and music, the factories of
// its own screens and level, and its rows of the screen flow: music and
// cursor changes, the menu background's changes, and four screens of its own
// (show place, introduction, relax offer, tutorial) plus the game-complete
// effect.
//
// Music: the menu track plays on channel 0; the two level tracks take turns
// on channel 1, one level after the other, whatever happens between.
#include <memory>
#include <string>

#include "framework/GameBase.h"

namespace ActionPuzzle {

class GUIBackgroundWindow;
class GUIGameCompleteEffect;
class GUIIntroductionWindow;
class GUIMenuWindowManager;
class GUIRelaxWindow;
class GUITutorialWindow;
class GUIUnicorn;
class GUIUpgradeWindow;
class Profile;
class ProfileManager;

class Game : public GameFramework::GameBase {
public:
    // Runs the whole start-up (GameBase::Init) with the overrides in place.
    Game(const std::string& company, const std::string& product);
    // Deletes the game's own objects, then opens "Homepage.url" of the
    // installation folder with the desktop when it is there.
    ~Game() override;

    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override;
    // The framework's, then "g_camera_type" and "g_camera_value": saved,
    // read by nothing else.
    void RegisterConfigVariables() override;
    // The framework's two tables, then the game's 28.
    void LoadTexts() override;
    // The GUI sounds, the music tracks and the game's sounds.
    void RegisterSounds() override;
    float GetDefaultMusicVolume() override { return 0.16f; }
    float GetDefaultSoundVolume() override { return 0.7f; }
    // The game's own objects, then the framework's screens, which take them.
    void CreateWindows() override;

    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override;
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override;
    std::unique_ptr<GameFramework::DataKeeper> CreateGameData() override;
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override;
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLoadingWindow() override;
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override;
    std::unique_ptr<GameFramework::GUIWelcomeWindowBase> CreateWelcomeWindow() override;
    std::unique_ptr<GameFramework::GUIExitWindowBase> CreateExitWindow() override;
    std::unique_ptr<GameFramework::GUIMainMenuWindowBase> CreateMainMenuWindow() override;
    std::unique_ptr<GameFramework::GUIProfilesWindowBase> CreateProfilesWindow() override;
    std::unique_ptr<GameFramework::GUINewProfileWindowBase> CreateNewProfileWindow() override;
    std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> CreateRenameProfileWindow() override;
    std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override;
    std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override;
    std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIHighScoresWindowBase> CreateHighScoresWindow() override;
    std::unique_ptr<GameFramework::GUIOptionsWindowBase> CreateOptionsWindow() override;
    std::unique_ptr<GameFramework::GUIHelpWindowBase> CreateHelpWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicWindowBase> CreateGameLogicWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() override;
    std::unique_ptr<GameFramework::GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() override;
    std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> CreateStageCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> CreateGameCompleteWindow() override;
    std::unique_ptr<GameFramework::GUIGameOverWindowBase> CreateGameOverWindow() override;
    std::unique_ptr<GameFramework::DataKeeper> CreateGameLogicData(const GameFramework::StageInfo& stage,
                                                                   const GameFramework::LevelInfo& level) override;
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(const GameFramework::StageInfo& stage,
                                                                  const GameFramework::LevelInfo& level,
                                                                  int32_t carriedValue) override;

    // The framework's dispatch, then the game's own screens.
    void ProcessWindowActions() override;
    void ClearWindowActions() override;
    // The background and the game's own objects before every framework
    // screen.
    void UpdateWindows() override;

    void OnLevelWon() override;
    void GoToPreviousLevel() override;

protected:
    // Without start: a derived test game installs what it needs and calls
    // Init itself.
    Game(const std::string& company, const std::string& product, bool start);

    int32_t cameraType = 1;     // "g_camera_type"
    float cameraValue = 1.0f;   // "g_camera_value"
    std::unique_ptr<GUIBackgroundWindow> menuBackground;
    std::unique_ptr<GUIMenuWindowManager> menuWindowManager;
    std::unique_ptr<GUIGameCompleteEffect> gameCompleteEffect;
    std::unique_ptr<GUIUnicorn> unicorn;
    std::unique_ptr<GUIUpgradeWindow> upgradeWindow;  // the show place
    std::unique_ptr<GUIIntroductionWindow> introductionWindow;
    std::unique_ptr<GUIRelaxWindow> relaxWindow;
    std::unique_ptr<GUITutorialWindow> tutorialWindow;
    // Which level track plays next: 0 "game0", 1 "game1".
    int32_t levelTrackIndex = 0;

    // The background shows the level: the menu scene fades out, the title
    // plate is down.
    void ResetBackgroundForLevel();

    GameFramework::WindowControllerBase* GetScreen(GameFramework::ScreenId screen) const override;
    GameFramework::WindowAction GetScreenResult(GameFramework::ScreenId screen) const override;
    // The show place hides its window and stops; the game-complete effect
    // hides its own.
    void CloseScreen(GameFramework::ScreenId screen) override;
    // The show place starts again from its beginning; the tutorial shows
    // its pages only while the profile has not seen them.
    void OpenScreen(GameFramework::ScreenId screen, int32_t mode) override;

private:
    // The game's rows of the screen flow.
    void AddGameScreenRoutes();
    // The special steps of the game's rows. The logos are done: the background's intro and the menu track start.
    void StartIntro();
    // The level has loaded: the level's look and its track.
    void StartLevelLook();
    // Hidden while the level loads; the level's start shows it again.
    void HideCursor();
    // The windows shown over the level take the ordinary pointer.
    void SelectPlainCursor();
    // The story of the game-complete screen is told once per player.
    void OnGameCompleteEffectAction();
    // The introduction is seen; the main menu's start goes on.
    void OnIntroductionWindowAction();

    // Before the fields bound to them go.
    void DetachConfigVariables();
    // Stops every track and fades the menu track in.
    void PlayMenuMusic();
    // Stops every track and fades in the level track whose turn it is.
    void PlayLevelMusic();
    // After the game-complete screen: the profile has completed the game,
    // the background earns its unicorn and the unicorn leaves.
    void RunFinale();
    Profile* GetGameProfile() const;
    ProfileManager* GetProfileManager() const;
    // A menu screen: made with the engine, the sound player, the catalogue,
    // the menu window manager and the menu root as its parent, then what
    // the screen needs besides.
    template <class Screen, class... Extra>
    std::unique_ptr<Screen> MakeMenuScreen(Extra... extra);
};

} // namespace ActionPuzzle
