#pragma once
// The framework's game object: owns the engine and the framework services,
// starts them in a fixed order, runs one frame of the whole program per
// Update and tears everything down in a fixed order. A concrete game derives
// from it, supplies its objects through the factories, overrides the virtual
// operations it needs and calls Init as the last step of its own
// constructor, so that start-up reaches its overrides.
//
// The screens form one state machine: a screen leaves a WindowAction in its
// result during its update; in the next frame the rows of the screen flow
// table for that screen and result close it and open the next one (see
// ScreenRoute). The framework's rows come first; the game adds its own,
// before or after the framework's rows of the same screen and result. The
// special cases are the steps the rows name. Only the two start-up screens
// exist until the start-up load is done; the game creates the other 24 then.
// A screen's rows run only while it exists, and only for the results the
// table holds; the rest are dropped.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/ScreenRoute.h"
#include "framework/WindowAction.h"

namespace ZorvaneEngine {
class Console;
class Config;
class Controls;
class Engine;
struct EngineSettings;
class FileManager;
class GUIFontManager;
class GUIManager;
class GUISoundManager;
class GUITextManager;
class LightManager;
class MessageManager;
class ModelManager;
class ParticleSystemManager;
class RenderSystem;
class ScreenCapture;
class ShaderManager;
class SoundManager;
class SpriteGroupManager;
class TextureManager;
class TimerManager;
class Window;
} // namespace ZorvaneEngine

namespace GameFramework {

class DataKeeper;
class GameLogicBase;
class GUIContinueGameLogicWindowBase;
class GUIDeleteProfileWindowBase;
class GUIExitWindowBase;
class GUIGameCompleteWindowBase;
class GUIGameCursorBase;
class GUIGameLogicGameExitWindowBase;
class GUIGameLogicMenuExitWindowBase;
class GUIGameLogicMenuWindowBase;
class GUIGameLogicPauseWindowBase;
class GUIGameLogicRestartWindowBase;
class GUIGameLogicWindowBase;
class GUIGameOverWindowBase;
class GUIHelpWindowBase;
class GUIHighScoresWindowBase;
class GUILevelCompleteWindowBase;
class GUILoadingWindowBase;
class GUILogosWindowBase;
class GUIMainMenuWindowBase;
class GUINewProfileWindowBase;
class GUIOptionsWindowBase;
class GUIProfileNameConflictWindowBase;
class GUIProfilesWindowBase;
class GUIRenameProfileWindowBase;
class GUIStageCompleteWindowBase;
class GUIStartGameLogicWindowBase;
class GUIWelcomeWindowBase;
class HighScoresTable;
class LanguageManager;
class LevelManagerBase;
class ProfileBase;
class ProfileManagerBase;
class SoundPlayer;
class WindowControllerBase;
struct LevelInfo;
struct ProfileBestRecord;
struct StageInfo;
enum class GameLogicState : int32_t;

class GameBase {
public:
    // The most fonts the font list makes. Each font holds a model of 4096
    // vertices, so a damaged list of thousands of short records would take
    // gigabytes; the game's lists hold about a dozen.
    static constexpr int32_t MaxFonts = 100;

    // Works out the version, the registry key and the two folders; creates
    // nothing.
    GameBase(const std::string& company, const std::string& product);
    // Deletes the level logic, the screens, the cursor, the framework's
    // services and the keepers, and last the engine, which saves the
    // configuration. Safe after a start-up that failed part way.
    virtual ~GameBase();

    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;

    // One frame, run by the message loop whenever no event is waiting.
    virtual void Update();
    // Start-up: the engine, the framework's services, the first two screens
    // and the logos opened. The derived game's constructor calls it last.
    virtual void Init();
    virtual void FillEngineSettings(ZorvaneEngine::EngineSettings& settings);
    virtual void RegisterConfigVariables();
    // The fonts of the current language from "data\ui\fonts\<code>.ini":
    // the font count, the console's font id, then per font (its id being
    // its place in the list) the font file, the diffuse and opacity
    // pictures, size, missing-glyph advance, spacing, lower-case aliases
    // and fixed width. A list that cannot be opened or read ends the reading
    // without a word; the fonts made so far stay. Records past MaxFonts are
    // left unread, with a warning.
    virtual void LoadFonts();
    // "game_title" and "common"; the game adds its own tables.
    virtual void LoadTexts();
    // Nothing in this game calls it: the console is never made.
    virtual void CreateConsole();
    virtual void RegisterSounds() {}
    // The 24 screens after the two start-up ones, in the factories' order.
    virtual void CreateWindows();

    // The game's objects; the game base owns what they return.
    virtual std::unique_ptr<LevelManagerBase> CreateLevelManager() = 0;
    virtual std::unique_ptr<ProfileManagerBase> CreateProfileManager() = 0;
    virtual std::unique_ptr<DataKeeper> CreateGameData() = 0;
    virtual std::unique_ptr<GUIGameCursorBase> CreateGameCursor() = 0;
    virtual std::unique_ptr<GUILogosWindowBase> CreateLogosWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateGameLoadingWindow() = 0;
    virtual std::unique_ptr<GUILoadingWindowBase> CreateGameLogicLoadingWindow() = 0;
    virtual std::unique_ptr<GUIWelcomeWindowBase> CreateWelcomeWindow() = 0;
    virtual std::unique_ptr<GUIExitWindowBase> CreateExitWindow() = 0;
    virtual std::unique_ptr<GUIMainMenuWindowBase> CreateMainMenuWindow() = 0;
    virtual std::unique_ptr<GUIProfilesWindowBase> CreateProfilesWindow() = 0;
    virtual std::unique_ptr<GUINewProfileWindowBase> CreateNewProfileWindow() = 0;
    virtual std::unique_ptr<GUIRenameProfileWindowBase> CreateRenameProfileWindow() = 0;
    virtual std::unique_ptr<GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() = 0;
    virtual std::unique_ptr<GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() = 0;
    virtual std::unique_ptr<GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIHighScoresWindowBase> CreateHighScoresWindow() = 0;
    virtual std::unique_ptr<GUIOptionsWindowBase> CreateOptionsWindow() = 0;
    virtual std::unique_ptr<GUIHelpWindowBase> CreateHelpWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicWindowBase> CreateGameLogicWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() = 0;
    virtual std::unique_ptr<GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() = 0;
    virtual std::unique_ptr<GUILevelCompleteWindowBase> CreateLevelCompleteWindow() = 0;
    virtual std::unique_ptr<GUIStageCompleteWindowBase> CreateStageCompleteWindow() = 0;
    virtual std::unique_ptr<GUIGameCompleteWindowBase> CreateGameCompleteWindow() = 0;
    virtual std::unique_ptr<GUIGameOverWindowBase> CreateGameOverWindow() = 0;
    // The resource keeper of one level.
    virtual std::unique_ptr<DataKeeper> CreateGameLogicData(const StageInfo& stage, const LevelInfo& level) = 0;
    virtual std::unique_ptr<GameLogicBase> CreateGameLogic(const StageInfo& stage, const LevelInfo& level,
                                                           int32_t carriedValue) = 0;

    // A record of every field 0.
    virtual std::unique_ptr<ProfileBestRecord> CreateBestRecord();
    // The current profile's mode, the level played and its time.
    virtual void FillBestRecord(ProfileBestRecord& record);
    virtual void ProcessDebugCommands();
    virtual float GetDefaultMusicVolume() { return 1.0f; }
    virtual float GetDefaultSoundVolume() { return 1.0f; }
    // Re-creates the device in the configured mode and restores every
    // texture surface.
    virtual void ResetRenderDevice();

    // The screen state machine: every screen's routes in the dispatch order,
    // with the level's change to won or lost between the screens shown over
    // the level and those after it; then the clearing of every result, then
    // every screen's and the level's update. The frame runs the first two three times; only the first pass
    // can find results.
    virtual void ProcessWindowActions();
    virtual void ClearWindowActions();
    virtual void UpdateWindows();

    // The special steps of the screen flow's rows, and the level's end.
    // Start-up loaded: the other screens are made, and the main menu opens,
    // or the welcome screen while there is no profile.
    virtual void OnGameLoadingWindowAction();
    // Play: without a profile nothing happens; otherwise the main menu
    // closes and the game starts (OpenGameStart).
    virtual void OnMainMenuWindowAction();
    // Level loaded: the level's logic is made and the HUD opens with it.
    virtual void OnGameLogicLoadingWindowAction();
    // Play: the level keepers move on, and the level loading screen opens
    // with the new one.
    virtual void OnStartGameLogicWindowAction();
    // A new game over the saved one: the profile starts again.
    virtual void OnContinueGameLogicWindowAction();
    // The level's state changed to won: the profile moves on, keeps the
    // score, the carried value and the best time, and the level complete
    // screen opens over the level.
    virtual void OnLevelWon();
    // Back to the level before the one played. Nothing in this game calls it.
    virtual void GoToPreviousLevel();
    virtual void OnLevelLost();
    // The high-score screen with the profile's new entry, or the main menu
    // without a score.
    virtual void OnGameCompleteWindowAction();
    virtual void OnGameOverWindowAction();
    // The program ends after this frame; the screen stays open.
    void RequestExit();

    // The GUI text manager loads "ui\texts\<language code>\<name>.ini".
    void LoadTextFile(const std::string& name);
    // "audio\<folder>\<name>.wav" when the data holds that file, else the
    // ".ogg" name.
    std::string GetSoundFileName(const std::string& folder, const std::string& name) const;
    // The code of the language the game runs in.
    const std::string& GetLanguageCode() const;

    ZorvaneEngine::Engine* GetEngine() const { return engine.get(); }
    int32_t GetVersion() const { return version; }
    const std::string& GetRegistryKey() const { return registryKey; }
    const std::string& GetInstallFolder() const { return installFolder; }
    const std::string& GetUserFolder() const { return userFolder; }

protected:
    // The screen flow: the framework's rows, the game's rows after or before
    // the framework's rows of the same screen and result.
    void AddScreenRoutes(std::initializer_list<ScreenRoute> routes);
    void AddScreenRoutesFirst(std::initializer_list<ScreenRoute> routes);
    // The rows of the screen's present result, in the table's order; nothing
    // when the screen does not exist.
    void FollowScreenRoutes(ScreenId screen);
    void FollowScreenRoute(const ScreenRoute& route);
    // A screen of the flow; the game answers for its own screens.
    virtual WindowControllerBase* GetScreen(ScreenId screen) const;
    virtual WindowAction GetScreenResult(ScreenId screen) const;
    virtual void CloseScreen(ScreenId screen);
    // Opens the screen in the mode, with what else its Open takes.
    virtual void OpenScreen(ScreenId screen, int32_t mode);
    // The main menu's start, for a profile: the saved game's question when
    // it has a game in progress, otherwise a new game on the level map.
    void OpenGameStart(ProfileBase& profile);

    // The profile manager's current profile; null when there is none.
    ProfileBase* GetProfile() const;
    // The records of the profile's stage and level, a profile pointing past
    // the catalogue being brought back to its start first. False when there
    // is no profile or no level at all.
    bool GetProfileLevel(const StageInfo*& stage, const LevelInfo*& level);
    // The level after (stage, level), passing over stages without levels;
    // the same level when it is the last of the game.
    void GetNextLevel(uint32_t& stage, uint32_t& level) const;
    void GetPreviousLevel(uint32_t& stage, uint32_t& level) const;
    // The level count of each stage of the catalogue.
    std::vector<uint32_t> GetLevelCounts() const;
    // Closes the HUD and deletes the level logic.
    void EndLevel();
    // The level logic's state, when there is a logic.
    void SetLogicState(GameLogicState state);
    // The screens that exist, in the order of their updates: those updated
    // before the level's frame and those after it.
    std::vector<WindowControllerBase*> GetScreensBeforeLevel() const;
    std::vector<WindowControllerBase*> GetScreensAfterLevel() const;

    std::string company;
    std::string product;
    int32_t version = 103;
    std::string registryKey;
    std::string installFolder;  // no trailing separator
    std::string userFolder;

    std::unique_ptr<ZorvaneEngine::Engine> engine;
    // The engine's services, taken once the engine exists; the engine owns them.
    ZorvaneEngine::MessageManager* log = nullptr;
    ZorvaneEngine::FileManager* fileManager = nullptr;
    ZorvaneEngine::TimerManager* timers = nullptr;
    ZorvaneEngine::Config* config = nullptr;
    ZorvaneEngine::Window* window = nullptr;
    ZorvaneEngine::RenderSystem* renderer = nullptr;
    ZorvaneEngine::LightManager* lights = nullptr;
    ZorvaneEngine::ShaderManager* materials = nullptr;
    ZorvaneEngine::TextureManager* textures = nullptr;
    ZorvaneEngine::ModelManager* models = nullptr;
    ZorvaneEngine::SpriteGroupManager* spriteGroups = nullptr;
    ZorvaneEngine::ParticleSystemManager* particleSystems = nullptr;
    ZorvaneEngine::Controls* input = nullptr;
    ZorvaneEngine::SoundManager* soundManager = nullptr;  // null when the engine runs without sound
    ZorvaneEngine::GUIManager* guiManager = nullptr;
    ZorvaneEngine::GUIFontManager* fontManager = nullptr;
    ZorvaneEngine::GUITextManager* textManager = nullptr;
    ZorvaneEngine::GUISoundManager* guiSoundManager = nullptr;
    ZorvaneEngine::ScreenCapture* screenCapture = nullptr;
    ZorvaneEngine::Console* console = nullptr;  // never made in this game

    bool showStatistics = false;  // "d_show_statistics"
    std::unique_ptr<LanguageManager> languageManager;
    std::unique_ptr<SoundPlayer> soundPlayer;
    // The first two numbers of the font list.
    int32_t fontCount = 0;
    int32_t consoleFontIndex = 0;
    std::unique_ptr<DataKeeper> gameData;
    // The keeper of the level being played and of the one before: resources
    // the two levels share stay loaded from one level start to the next.
    std::unique_ptr<DataKeeper> currentLevelKeeper;
    std::unique_ptr<DataKeeper> previousLevelKeeper;
    std::unique_ptr<LevelManagerBase> levelManager;
    std::unique_ptr<ProfileManagerBase> profileManager;
    std::unique_ptr<HighScoresTable> highScores;
    std::unique_ptr<GUIGameCursorBase> gameCursor;

    std::unique_ptr<GUILogosWindowBase> logosWindow;
    std::unique_ptr<GUILoadingWindowBase> gameLoadingWindow;
    std::unique_ptr<GUILoadingWindowBase> gameLogicLoadingWindow;
    std::unique_ptr<GUIWelcomeWindowBase> welcomeWindow;
    std::unique_ptr<GUIExitWindowBase> exitWindow;
    std::unique_ptr<GUIMainMenuWindowBase> mainMenuWindow;
    std::unique_ptr<GUIProfilesWindowBase> profilesWindow;
    std::unique_ptr<GUINewProfileWindowBase> newProfileWindow;
    std::unique_ptr<GUIRenameProfileWindowBase> renameProfileWindow;
    std::unique_ptr<GUIDeleteProfileWindowBase> deleteProfileWindow;
    std::unique_ptr<GUIProfileNameConflictWindowBase> profileNameConflictWindow;
    std::unique_ptr<GUIStartGameLogicWindowBase> startGameLogicWindow;
    std::unique_ptr<GUIContinueGameLogicWindowBase> continueGameLogicWindow;
    std::unique_ptr<GUIHighScoresWindowBase> highScoresWindow;
    std::unique_ptr<GUIOptionsWindowBase> optionsWindow;
    std::unique_ptr<GUIHelpWindowBase> helpWindow;
    std::unique_ptr<GUIGameLogicWindowBase> gameLogicWindow;  // the HUD
    std::unique_ptr<GUIGameLogicPauseWindowBase> gameLogicPauseWindow;
    std::unique_ptr<GUIGameLogicMenuWindowBase> gameLogicMenuWindow;
    std::unique_ptr<GUIGameLogicMenuExitWindowBase> gameLogicMenuExitWindow;
    std::unique_ptr<GUIGameLogicRestartWindowBase> gameLogicRestartWindow;
    std::unique_ptr<GUIGameLogicGameExitWindowBase> gameLogicGameExitWindow;
    std::unique_ptr<GUILevelCompleteWindowBase> levelCompleteWindow;
    std::unique_ptr<GUIStageCompleteWindowBase> stageCompleteWindow;
    std::unique_ptr<GUIGameCompleteWindowBase> gameCompleteWindow;
    std::unique_ptr<GUIGameOverWindowBase> gameOverWindow;

    // The level being played; none outside a level.
    std::unique_ptr<GameLogicBase> gameLogic;

    bool pausedByFocus = false;
    bool timerWasPaused = false;
    int32_t modeChangeFrameCounter = 0;

private:
    static const ScreenRoute FrameworkScreenFlow[];
    std::vector<ScreenRoute> screenFlow;
};

} // namespace GameFramework
