#pragma once
// A game for the framework's tests: the framework's game base with the
// product's names, started at once, counting its frames and able to fail or
// to ask for the end at a given frame. Its factories make minimal screens
// that write what happens to them into one journal ("open exit(2)",
// "close main menu", "hud active(0)") and leave a result chosen by the test
// at their next update; a catalogue held in memory; profiles, keepers and a
// level logic that journal too. The loading screens really load their
// keeper on a worker thread at their first update after Open.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "framework/DataKeeper.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GameBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace TestSupport {

using Journal = std::vector<std::string>;

// What every test screen has: its name in the journal and the result it
// leaves at its next update, or at once when it is opened.
class ScreenProbe {
public:
    ScreenProbe(std::string name, Journal* journal) : name(std::move(name)), journal(journal) {}
    virtual ~ScreenProbe() = default;
    void Note(const std::string& event) const { journal->push_back(event); }

    std::string name;
    Journal* journal;
    std::optional<GameFramework::WindowAction> next;
    std::optional<GameFramework::WindowAction> nextAtOpen;
    // Its updates go into the journal too ("update main menu").
    bool journalUpdates = false;
};

template <class Base>
class TestScreen : public Base, public ScreenProbe {
public:
    template <class... Args>
    TestScreen(std::string name, Journal* journal, Args&&... args)
        : Base(std::forward<Args>(args)...), ScreenProbe(std::move(name), journal) {}
    void Update() override {
        Base::Update();
        if (journalUpdates) Note("update " + name);
        if (next) {
            this->result = *next;
            next.reset();
        }
    }
    // Journals the opening ("open exit(2)" for the arguments "(2)").
    void Opened(const std::string& arguments = std::string()) {
        Note("open " + name + arguments);
        if (nextAtOpen) {
            this->result = *nextAtOpen;
            nextAtOpen.reset();
        }
    }
    void Close() override {
        Base::Close();
        Note("close " + name);
    }
    ~TestScreen() override { Note("delete " + name); }
};

#define TANGROVE_TEST_SCREEN(Class, Base)                   \
    class Class : public TestScreen<GameFramework::Base> {  \
    public:                                                 \
        using TestScreen::TestScreen;                       \
        void Open() override {                              \
            GameFramework::Base::Open();                    \
            Opened();                                       \
        }                                                   \
    };

TANGROVE_TEST_SCREEN(TestLogos, GUILogosWindowBase)
TANGROVE_TEST_SCREEN(TestWelcome, GUIWelcomeWindowBase)
TANGROVE_TEST_SCREEN(TestMainMenu, GUIMainMenuWindowBase)
TANGROVE_TEST_SCREEN(TestContinue, GUIContinueGameLogicWindowBase)
TANGROVE_TEST_SCREEN(TestHelp, GUIHelpWindowBase)
TANGROVE_TEST_SCREEN(TestPause, GUIGameLogicPauseWindowBase)
TANGROVE_TEST_SCREEN(TestMenuExit, GUIGameLogicMenuExitWindowBase)
TANGROVE_TEST_SCREEN(TestRestart, GUIGameLogicRestartWindowBase)
TANGROVE_TEST_SCREEN(TestGameExit, GUIGameLogicGameExitWindowBase)
TANGROVE_TEST_SCREEN(TestGameComplete, GUIGameCompleteWindowBase)
TANGROVE_TEST_SCREEN(TestGameOver, GUIGameOverWindowBase)
TANGROVE_TEST_SCREEN(TestOptions, GUIOptionsWindowBase)
TANGROVE_TEST_SCREEN(TestGameMenu, GUIGameLogicMenuWindowBase)
#undef TANGROVE_TEST_SCREEN

inline std::string Narrow(const std::u16string& text) { return ZorvaneEngine::ToNarrow(text); }
inline std::string Number(int32_t value) { return std::to_string(value); }

class TestExit : public TestScreen<GameFramework::GUIExitWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(GameFramework::ExitOpenMode mode) override {
        GUIExitWindowBase::Open(mode);
        Opened("(" + Number(static_cast<int32_t>(mode)) + ")");
    }
};

class TestProfiles : public TestScreen<GameFramework::GUIProfilesWindowBase> {
public:
    TestProfiles(std::string name, Journal* journal, GameFramework::ProfileManagerBase* profiles)
        : TestScreen(std::move(name), journal, profiles) { selectedName = u"Ann"; }
    void Open() override {
        GUIProfilesWindowBase::Open();
        Opened();
    }
};

class TestNewProfile : public TestScreen<GameFramework::GUINewProfileWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(GameFramework::NewProfileOpenMode mode) override {
        GUINewProfileWindowBase::Open(mode);
        Opened("(" + Number(static_cast<int32_t>(mode)) + ")");
    }
};

class TestRename : public TestScreen<GameFramework::GUIRenameProfileWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(bool keep, const std::u16string& newName) override {
        GUIRenameProfileWindowBase::Open(keep, newName);
        Opened(std::string("(") + (keep ? "1," : "0,") + Narrow(newName) + ")");
    }
    const std::u16string& OldName() const { return oldName; }
};

class TestDelete : public TestScreen<GameFramework::GUIDeleteProfileWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(const std::u16string& profile) override {
        GUIDeleteProfileWindowBase::Open(profile);
        Opened("(" + Narrow(profile) + ")");
    }
};

class TestNameConflict : public TestScreen<GameFramework::GUIProfileNameConflictWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(GameFramework::NameConflictOpenMode mode) override {
        GUIProfileNameConflictWindowBase::Open(mode);
        Opened("(" + Number(static_cast<int32_t>(mode)) + ")");
    }
};

class TestLevelStart : public TestScreen<GameFramework::GUIStartGameLogicWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(GameFramework::LevelStartOpenMode mode) override {
        GUIStartGameLogicWindowBase::Open(mode);
        Opened("(" + Number(static_cast<int32_t>(mode)) + ")");
    }
};

class TestHighScores : public TestScreen<GameFramework::GUIHighScoresWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(GameFramework::HighScoresOpenMode mode, GameFramework::HighScoreEntry* entry) override {
        GUIHighScoresWindowBase::Open(mode, entry);
        Opened("(" + Number(static_cast<int32_t>(mode)) + "," +
               (entry ? Number(static_cast<int32_t>(entry->score)) : std::string("none")) + ")");
    }
};

class TestLevelComplete : public TestScreen<GameFramework::GUILevelCompleteWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(const GameFramework::LevelInfo& level, float seconds) override {
        GUILevelCompleteWindowBase::Open(level, seconds);
        Opened("(" + Number(static_cast<int32_t>(stage)) + "-" + Number(static_cast<int32_t>(this->level)) + "," +
               ZorvaneEngine::FloatToText(seconds, 1) + ")");
    }
};

class TestStageComplete : public TestScreen<GameFramework::GUIStageCompleteWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(const GameFramework::LevelInfo& level) override {
        GUIStageCompleteWindowBase::Open(level);
        Opened("(" + Number(static_cast<int32_t>(stage)) + "-" + Number(static_cast<int32_t>(this->level)) + ")");
    }
};

class TestHud : public TestScreen<GameFramework::GUIGameLogicWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(GameFramework::GameLogicBase* logic) override {
        GUIGameLogicWindowBase::Open(logic);
        Opened();
    }
    void SetActive(bool isActive) override {
        GUIGameLogicWindowBase::SetActive(isActive);
        Note(name + " active(" + Number(isActive) + ")");
    }
};

// Loads its keeper once per Open, at its first update, then is done.
class TestLoading : public TestScreen<GameFramework::GUILoadingWindowBase> {
public:
    using TestScreen::TestScreen;
    void Open(GameFramework::DataKeeper* keeper) override {
        GUILoadingWindowBase::Open(keeper);
        loaded = false;
        Opened();
    }
    void Update() override {
        TestScreen::Update();
        if (keeper && !loaded) {
            loaded = true;
            RunLoading();
            result = GameFramework::WindowAction::Done;
        }
    }
    bool loaded = false;
};

class TestCursor : public GameFramework::GUIGameCursorBase {
public:
    TestCursor(ZorvaneEngine::Engine* engine, Journal* journal) : GUIGameCursorBase(engine), journal(journal) {}
    ~TestCursor() override { journal->push_back("delete cursor"); }
    void Show(bool show) override {
        GUIGameCursorBase::Show(show);
        journal->push_back("cursor show(" + Number(show) + ")");
    }
    Journal* journal;
};

// A keeper that journals its end; its load can fail like a damaged data set.
class TestKeeper : public GameFramework::DataKeeper {
public:
    TestKeeper(ZorvaneEngine::Engine* engine, const std::string& name, Journal* journal, const char* fatalText)
        : DataKeeper(engine, "ge"), name(name), journal(journal), fatalText(fatalText) {}
    ~TestKeeper() override { journal->push_back("delete keeper " + name); }
    void Load() override {
        DataKeeper::Load();
        loadedOn = std::this_thread::get_id();
        if (fatalText) log->Fatal(fatalText);
    }
    std::string name;
    std::thread::id loadedOn;
    Journal* journal;
    const char* fatalText;
};

class TestLogic : public GameFramework::GameLogicBase {
public:
    TestLogic(const GameFramework::StageInfo& stage, const GameFramework::LevelInfo& level,
              ZorvaneEngine::Engine& engine, GameFramework::SoundPlayer* player, int32_t carried, Journal* journal)
        : GameLogicBase(stage, level, engine, player, carried), journal(journal) {}
    ~TestLogic() override { journal->push_back("delete logic"); }
    void Update() override {
        GameLogicBase::Update();
        if (journalUpdates) journal->push_back("update logic");
    }
    void SetState(GameFramework::GameLogicState newState) override {
        GameLogicBase::SetState(newState);
        journal->push_back("logic state " + Number(static_cast<int32_t>(newState)));
    }
    Journal* journal;
    bool journalUpdates = false;
};

// A catalogue of the given level count per stage, without files.
class TestLevelManager : public GameFramework::LevelManagerBase {
public:
    TestLevelManager(ZorvaneEngine::Engine& engine, std::vector<uint32_t> counts, Journal* journal)
        : LevelManagerBase(engine), counts(std::move(counts)), journal(journal) {}
    ~TestLevelManager() override { journal->push_back("delete level manager"); }
    void Load() override {
        stages.clear();
        levels.clear();
        for (uint32_t s = 0; s < counts.size(); ++s) {
            stages.push_back(CreateStageInfo());
            stages.back()->index = s;
            stages.back()->levelCount = counts[s];
            levels.emplace_back();
            for (uint32_t l = 0; l < counts[s]; ++l) {
                levels.back().push_back(CreateLevelInfo());
                levels.back().back()->stageIndex = s;
                levels.back().back()->levelIndex = l;
            }
        }
    }
    std::unique_ptr<GameFramework::StageInfo> CreateStageInfo() override {
        return std::make_unique<GameFramework::StageInfo>();
    }
    std::unique_ptr<GameFramework::LevelInfo> CreateLevelInfo() override {
        return std::make_unique<GameFramework::LevelInfo>();
    }
    void GetLevelResourceFiles(uint32_t stage, uint32_t level, std::vector<std::string>& files) override {
        if (stage == 1 && level == 0) files.push_back("data\\levels\\stage1_extra.xml");
    }
    std::vector<uint32_t> counts;
    Journal* journal;
};

class TestProfile : public GameFramework::ProfileBase {
public:
    TestProfile(ZorvaneEngine::MessageManager* log, ZorvaneEngine::FileManager* files, const std::string& folder,
                Journal* journal)
        : ProfileBase(log, files, folder), journal(journal) {}
    void Reset() override {
        ProfileBase::Reset();
        journal->push_back("reset profile");
    }
    Journal* journal;
};

class TestProfileList : public GameFramework::ProfileManagerBase {
public:
    TestProfileList(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* player, const std::string& folder,
                    Journal* journal)
        : ProfileManagerBase(engine, player, folder), journal(journal) {}
    ~TestProfileList() override { journal->push_back("delete profile list"); }
    std::unique_ptr<GameFramework::ProfileBase> LoadProfile(const std::string& fileName) override {
        auto profile = std::make_unique<TestProfile>(log, fileManager, userFolder, journal);
        profile->Load(fileName);
        return profile;
    }
    std::unique_ptr<GameFramework::ProfileBase> CreateProfile(const std::u16string& name) override {
        auto profile = std::make_unique<TestProfile>(log, fileManager, userFolder, journal);
        profile->Create(name);
        return profile;
    }
    Journal* journal;
};

// Made before the game base and deleted after it, so that the objects the
// base deletes can still journal their end.
struct JournalHolder {
    std::shared_ptr<Journal> sharedJournal = std::make_shared<Journal>();
};

class TestGame : private JournalHolder, public GameFramework::GameBase {
public:
    struct Options {
        std::vector<uint32_t> levelCounts{3, 2};
        // Raised by the start-up load and by the level loads.
        const char* gameDataFatal = nullptr;
        const char* levelDataFatal = nullptr;
    };

    TestGame() : TestGame(Options()) {}
    explicit TestGame(Options options, bool start = true)
        : GameBase("Quobin Games", "Tangrove"), journal(*sharedJournal), options(std::move(options)) {
        if (start) Init();
    }
    ~TestGame() override { journal.push_back("game ends"); }
    // The journal, readable after the game is gone.
    std::shared_ptr<Journal> KeepJournal() const { return sharedJournal; }

    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override {
        GameBase::FillEngineSettings(settings);
        settings.fullscreen = false;  // the desktop is smaller than a full screen of tests
    }

    void Update() override {
        ++frames;
        if (onFrame)
            onFrame(*this);
        GameBase::Update();
    }

    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override {
        auto manager = std::make_unique<TestLevelManager>(*engine, options.levelCounts, &journal);
        manager->Load();
        return manager;
    }
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override {
        auto manager = std::make_unique<TestProfileList>(engine.get(), soundPlayer.get(), userFolder, &journal);
        manager->LoadProfiles();
        return manager;
    }
    std::unique_ptr<GameFramework::DataKeeper> CreateGameData() override {
        return std::make_unique<TestKeeper>(engine.get(), "game data", &journal, options.gameDataFatal);
    }
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override {
        return std::make_unique<TestCursor>(engine.get(), &journal);
    }
    std::unique_ptr<GameFramework::GUILogosWindowBase> CreateLogosWindow() override {
        return Make<TestLogos>("logos", engine.get());
    }
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLoadingWindow() override {
        return Make<TestLoading>("start-up loading", engine.get());
    }
    std::unique_ptr<GameFramework::GUILoadingWindowBase> CreateGameLogicLoadingWindow() override {
        return Make<TestLoading>("level loading", engine.get());
    }
    std::unique_ptr<GameFramework::GUIWelcomeWindowBase> CreateWelcomeWindow() override {
        return Make<TestWelcome>("welcome", profileManager.get());
    }
    std::unique_ptr<GameFramework::GUIExitWindowBase> CreateExitWindow() override {
        return Make<TestExit>("exit", engine.get());
    }
    std::unique_ptr<GameFramework::GUIMainMenuWindowBase> CreateMainMenuWindow() override {
        return Make<TestMainMenu>("main menu");
    }
    std::unique_ptr<GameFramework::GUIProfilesWindowBase> CreateProfilesWindow() override {
        return Make<TestProfiles>("profiles", profileManager.get());
    }
    std::unique_ptr<GameFramework::GUINewProfileWindowBase> CreateNewProfileWindow() override {
        return Make<TestNewProfile>("new profile", profileManager.get());
    }
    std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> CreateRenameProfileWindow() override {
        return Make<TestRename>("rename profile", profileManager.get());
    }
    std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override {
        return Make<TestDelete>("delete profile", profileManager.get());
    }
    std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override {
        return Make<TestNameConflict>("name conflict");
    }
    std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override {
        return Make<TestLevelStart>("level start");
    }
    std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override {
        return Make<TestContinue>("continue", engine.get());
    }
    std::unique_ptr<GameFramework::GUIHighScoresWindowBase> CreateHighScoresWindow() override {
        return Make<TestHighScores>("high scores", highScores.get());
    }
    std::unique_ptr<GameFramework::GUIOptionsWindowBase> CreateOptionsWindow() override {
        return Make<TestOptions>("options", engine.get(), soundPlayer.get(), profileManager.get());
    }
    std::unique_ptr<GameFramework::GUIHelpWindowBase> CreateHelpWindow() override {
        return Make<TestHelp>("help");
    }
    std::unique_ptr<GameFramework::GUIGameLogicWindowBase> CreateGameLogicWindow() override {
        return Make<TestHud>("hud", engine.get(), profileManager.get());
    }
    std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override {
        return Make<TestPause>("pause", engine.get());
    }
    std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override {
        return Make<TestGameMenu>("game menu", engine.get(), soundPlayer.get(), profileManager.get());
    }
    std::unique_ptr<GameFramework::GUIGameLogicMenuExitWindowBase> CreateGameLogicMenuExitWindow() override {
        return Make<TestMenuExit>("leave question", engine.get());
    }
    std::unique_ptr<GameFramework::GUIGameLogicRestartWindowBase> CreateGameLogicRestartWindow() override {
        return Make<TestRestart>("restart question", engine.get());
    }
    std::unique_ptr<GameFramework::GUIGameLogicGameExitWindowBase> CreateGameLogicGameExitWindow() override {
        return Make<TestGameExit>("quit question", engine.get());
    }
    std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override {
        return Make<TestLevelComplete>("level complete", engine.get(), levelManager.get());
    }
    std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> CreateStageCompleteWindow() override {
        return Make<TestStageComplete>("stage complete", engine.get(), levelManager.get());
    }
    std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> CreateGameCompleteWindow() override {
        return Make<TestGameComplete>("game complete", engine.get());
    }
    std::unique_ptr<GameFramework::GUIGameOverWindowBase> CreateGameOverWindow() override {
        return Make<TestGameOver>("game over", engine.get());
    }
    std::unique_ptr<GameFramework::DataKeeper> CreateGameLogicData(const GameFramework::StageInfo&,
                                                                   const GameFramework::LevelInfo& level) override {
        const std::string name = Number(static_cast<int32_t>(level.stageIndex)) + "-" +
                                 Number(static_cast<int32_t>(level.levelIndex));
        journal.push_back("create keeper " + name);
        return std::make_unique<TestKeeper>(engine.get(), name, &journal, options.levelDataFatal);
    }
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(const GameFramework::StageInfo& stage,
                                                                  const GameFramework::LevelInfo& level,
                                                                  int32_t carried) override {
        journal.push_back("create logic " + Number(static_cast<int32_t>(level.stageIndex)) + "-" +
                          Number(static_cast<int32_t>(level.levelIndex)) + " carrying " + Number(carried));
        auto logic = std::make_unique<TestLogic>(stage, level, *engine, soundPlayer.get(), carried, &journal);
        logic->journalUpdates = journalUpdates;
        return logic;
    }

    // What the tests reach.
    ZorvaneEngine::Engine* GetEngine() const { return engine.get(); }
    ZorvaneEngine::Config* GetConfig() const { return config; }
    ZorvaneEngine::Window* GetWindow() const { return window; }
    bool IsPausedByFocus() const { return pausedByFocus; }
    GameFramework::ProfileManagerBase* Profiles() const { return profileManager.get(); }
    GameFramework::ProfileBase* Profile() const { return profileManager->currentProfile; }
    GameFramework::GameLogicBase* Logic() const { return gameLogic.get(); }
    GameFramework::DataKeeper* GameData() const { return gameData.get(); }
    GameFramework::DataKeeper* CurrentKeeper() const { return currentLevelKeeper.get(); }
    GameFramework::DataKeeper* PreviousKeeper() const { return previousLevelKeeper.get(); }
    GameFramework::HighScoresTable* Scores() const { return highScores.get(); }
    GameFramework::LevelManagerBase* Levels() const { return levelManager.get(); }
    GameFramework::GUIGameCursorBase* Cursor() const { return gameCursor.get(); }
    GameFramework::SoundPlayer* Player() const { return soundPlayer.get(); }
    bool HasAllWindows() const { return gameOverWindow != nullptr; }
    // The screen of that journal name; null until it exists.
    ScreenProbe* Screen(const std::string& name) const {
        const auto found = screens.find(name);
        return found == screens.end() ? nullptr : found->second;
    }
    template <class T>
    T* ScreenAs(const std::string& name) const { return dynamic_cast<T*>(Screen(name)); }
    // Through the logos and the start-up load, until every screen exists.
    void RunStartUp() {
        Screen("logos")->next = GameFramework::WindowAction::Done;
        for (int frame = 0; frame < 5 && !HasAllWindows(); ++frame)
            Update();
    }
    // A level of the catalogue in play with its HUD open, as after its load.
    void EnterLevel(uint32_t stage, uint32_t level, int32_t carried = 3) {
        gameLogic = CreateGameLogic(*levelManager->stages[stage], *levelManager->levels[stage][level], carried);
        gameLogicWindow->Open(gameLogic.get());
    }
    void LeaveLevel() { EndLevel(); }
    // From now on every screen's update and the level's are journalled too.
    void JournalUpdates() {
        journalUpdates = true;
        for (auto& entry : screens) entry.second->journalUpdates = true;
        if (auto* logic = dynamic_cast<TestLogic*>(gameLogic.get())) logic->journalUpdates = true;
    }

    Journal& journal;
    Options options;
    int frames = 0;
    std::function<void(TestGame&)> onFrame;

private:
    template <class Screen, class... Args>
    std::unique_ptr<Screen> Make(const std::string& name, Args&&... args) {
        auto screen = std::make_unique<Screen>(name, &journal, std::forward<Args>(args)...);
        screens[name] = screen.get();
        return screen;
    }

    std::map<std::string, ScreenProbe*> screens;
    bool journalUpdates = false;
};

} // namespace TestSupport
