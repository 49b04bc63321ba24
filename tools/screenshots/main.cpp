// screenshots OUT_FOLDER
// A tour of the game's screens as a player makes it: the real game on the
// real drivers, headless (SDL's offscreen video and dummy audio unless the
// caller chose others), with a fresh user folder below OUT_FOLDER, driven
// by mouse and keyboard events put on SDL's event queue. At each screen it
// saves the frame as OUT_FOLDER/NN_name.png: the splash, the intro, the
// loading, the welcome screen, the main menu, the profile screens, the
// continue offer, the options, high scores and help, and the quit question,
// which ends the tour as it ends the program. The data is the build's
// (data/pack0.pak beside this program's folder). Exit code 0 when every
// screen was reached.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/TextUtils.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/LevelScreenBases.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileManagerBase.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/app/Game.h"
#include "game/common/Profile.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIContinueGameLogicWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUINewProfileWindow.h"
#include "game/menus/GUIProfileNameConflictWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/GUIProfileNameEntry.h"
#include "game/menus/GUIProfilesWindow.h"
#include "game/menus/GUIRenameProfileWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "framework/GameLoaderBase.h"
#include "platform/input/ScanCodes.h"
#include "tools/common/EventPlayer.h"

namespace fs = std::filesystem;
using namespace ActionPuzzle;

namespace {

// Seconds a wait gives up after: the tour then fails.
constexpr double kPatience = 30.0;

class TourGame : public Game {
public:
    TourGame() : Game("Quobin Games", "Tangrove", false) { Init(); }

    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override
    {
        Game::FillEngineSettings(settings);
        // A headless desktop has no full screen of its own.
        settings.fullscreen = false;
    }

    ZorvaneEngine::Engine* Engine() const { return engine.get(); }
    GUIBackgroundWindow* Background() const { return menuBackground.get(); }
    GameFramework::ProfileManagerBase* Profiles() const { return profileManager.get(); }
    GUIWelcomeWindow* Welcome() const { return static_cast<GUIWelcomeWindow*>(welcomeWindow.get()); }
    GUIMainMenuWindow* MainMenu() const { return static_cast<GUIMainMenuWindow*>(mainMenuWindow.get()); }
    GUIProfilesWindow* ProfileList() const { return static_cast<GUIProfilesWindow*>(profilesWindow.get()); }
    GUIOptionsWindow* Options() const { return static_cast<GUIOptionsWindow*>(optionsWindow.get()); }
    GUIHighScoresWindow* Scores() const { return static_cast<GUIHighScoresWindow*>(highScoresWindow.get()); }
    GUIHelpWindow* Help() const { return static_cast<GUIHelpWindow*>(helpWindow.get()); }
    GUINewProfileWindow* NewProfile() const { return static_cast<GUINewProfileWindow*>(newProfileWindow.get()); }
    GUIRenameProfileWindow* Rename() const { return static_cast<GUIRenameProfileWindow*>(renameProfileWindow.get()); }
    GUIDeleteProfileWindow* Delete() const { return static_cast<GUIDeleteProfileWindow*>(deleteProfileWindow.get()); }
    GUIProfileNameConflictWindow* Conflict() const
    {
        return static_cast<GUIProfileNameConflictWindow*>(profileNameConflictWindow.get());
    }
    GUIContinueGameLogicWindow* Continue() const
    {
        return static_cast<GUIContinueGameLogicWindow*>(continueGameLogicWindow.get());
    }
    GUIExitWindow* Quit() const { return static_cast<GUIExitWindow*>(exitWindow.get()); }
};

class Tour : public GameFramework::GameLoaderBase {
public:
    explicit Tour(fs::path out) : GameLoaderBase(nullptr, nullptr, "", 1), out(std::move(out)) { Run(); }

    void CreateGame() override { SetGame(std::make_unique<TourGame>()); }

    void RunMessageLoop() override
    {
        try {
            Visit();
            finished = true;
        } catch (const std::runtime_error& error) {
            std::fprintf(stderr, "screenshots: %s\n", error.what());
        }
    }

    bool finished = false;

private:
    TourGame& Game() const { return *static_cast<TourGame*>(GetGame()); }

    // One turn of the program's own loop: the waiting events, then a frame.
    void Frame()
    {
        while (DispatchNextEvent()) {
        }
        Game().Update();
        ++frames;
    }

    void Wait(double seconds)
    {
        const double until = Now() + seconds;
        while (Now() < until)
            Frame();
    }

    void WaitFor(const std::string& what, const std::function<bool()>& done)
    {
        const double until = Now() + kPatience;
        while (!done()) {
            if (Now() > until)
                throw std::runtime_error("never reached: " + what);
            Frame();
        }
    }

    // Fully on screen: its controls have appeared and it has faded in.
    static bool OnScreen(const GUIMenuWindow& window)
    {
        return window.shown && window.colour.a >= 1.0f && !window.IsAnyControlAnimating();
    }

    // On screen with its title typed.
    void WaitOnScreen(const std::string& what, const GUIMenuWindow& window)
    {
        const GameTools::GUITextPrinter& title = *Game().Background()->GetCentreTextPrinter();
        WaitFor(what, [&] { return OnScreen(window) && title.done; });
        Wait(0.2);
    }

    static double Now()
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }

    // The pointer to a point of the 800 by 600 interface.
    void MoveTo(float x, float y)
    {
        hands.PointAt(ZorvaneEngine::Vector2(x, y));
        Frame();
    }

    void MoveOnto(const ZorvaneEngine::GUIWindow& widget)
    {
        const ZorvaneEngine::Vector2 centre = Tools::EventPlayer::CentreOf(widget);
        MoveTo(centre.x, centre.y);
    }

    void Click(const ZorvaneEngine::GUIWindow& widget)
    {
        MoveOnto(widget);
        Wait(0.15);
        hands.Press(0, 2);
    }

    void Click(const GUIControl& control) { Click(*control.widget); }

    void Shot(const std::string& name)
    {
        Frame();
        char number[16];
        std::snprintf(number, sizeof number, "%02d_", ++shots);
        const fs::path path = out / (number + name + ".png");
        if (!hands.SaveScreen(path.string()))
            throw std::runtime_error("cannot write " + path.string());
        std::printf("%s\n", path.string().c_str());
    }

    void Visit()
    {
        TourGame& game = Game();
        hands.Attach(*game.Engine());
        GUIBackgroundWindow& background = *game.Background();

        Wait(0.8);
        Shot("splash");
        WaitFor("the intro", [&] { return background.GetState() >= BackgroundState::TypingLoading; });
        Wait(0.6);
        Shot("intro_title");
        WaitFor("the start-up load", [&] { return game.MainMenu() != nullptr; });
        Shot("loaded_layers_appearing");

        GUIWelcomeWindow& welcome = *game.Welcome();
        WaitOnScreen("the welcome screen", welcome);
        Shot("welcome");
        hands.Type("Lina Schäfer");
        Shot("welcome_name_typed");
        hands.Key(Platform::DIK_RETURN, 1);

        GUIMainMenuWindow& menu = *game.MainMenu();
        WaitFor("the main menu's slide", [&] { return menu.shown && menu.IsAnyControlAnimating(); });
        Wait(0.05);
        Shot("main_menu_sliding_in");
        WaitOnScreen("the main menu", menu);
        MoveOnto(*menu.buttons[GUIMainMenuWindow::Start]);
        Wait(0.3);
        Shot("main_menu");
        MoveOnto(*menu.buttons[GUIMainMenuWindow::Options]);
        hands.Button(0, true);
        Wait(0.2);
        Shot("main_menu_button_pressed");
        MoveTo(700, 300);
        hands.Button(0, false);
        Wait(0.2);

        Click(*menu.buttons[GUIMainMenuWindow::ChangeProfile]);
        GUIProfilesWindow& profiles = *game.ProfileList();
        WaitOnScreen("the profile list", profiles);
        Shot("profiles");

        Click(*profiles.newButton);
        GUINewProfileWindow& newProfile = *game.NewProfile();
        WaitOnScreen("the new-profile screen", newProfile);
        hands.Type("Jürgen Weiß");
        Shot("new_profile");
        hands.Key(Platform::DIK_RETURN, 1);
        WaitOnScreen("the profile list again", profiles);
        for (const char* name : {"Anna", "Ömer", "Zoë", "Ben", "Carla", "Dörte", "Emil"})
            game.Profiles()->AddProfile(ZorvaneEngine::Utf8ToWide(name));
        Click(*profiles.doneButton);
        WaitOnScreen("the main menu", menu);
        Click(*menu.buttons[GUIMainMenuWindow::ChangeProfile]);
        WaitOnScreen("the profile list with nine names", profiles);
        MoveOnto(*profiles.rows[2]);
        Wait(0.3);
        Shot("profiles_nine_names");

        Click(*profiles.renameButton);
        GUIRenameProfileWindow& rename = *game.Rename();
        WaitOnScreen("the rename screen", rename);
        Shot("rename_profile");
        for (int i = 0; i < 12; ++i)
            hands.Key(Platform::DIK_BACK, 1);
        hands.Type("lina schäfer");
        hands.Key(Platform::DIK_RETURN, 1);
        GUIProfileNameConflictWindow& conflict = *game.Conflict();
        WaitOnScreen("the name conflict", conflict);
        Shot("name_conflict");
        Click(*conflict.ok);
        WaitOnScreen("the rename screen again", rename);
        Click(*rename.entry->other);

        WaitOnScreen("the profile list again", profiles);
        Click(*profiles.deleteButton);
        GUIDeleteProfileWindow& remove = *game.Delete();
        WaitOnScreen("the delete question", remove);
        Shot("delete_profile");
        Click(*remove.cancel);
        WaitOnScreen("the profile list again", profiles);
        Click(*profiles.doneButton);

        WaitOnScreen("the main menu", menu);
        // A game in progress, so that START offers to continue it.
        auto* player = static_cast<Profile*>(game.Profiles()->currentProfile);
        player->introductionPending = false;
        player->inProgress = true;
        player->stage = 2;
        player->level = 3;
        player->totalScore = 48250;
        Click(*menu.buttons[GUIMainMenuWindow::Start]);
        GUIContinueGameLogicWindow& offer = *game.Continue();
        WaitOnScreen("the continue offer", offer);
        MoveOnto(*offer.continueButton->widget);
        Wait(0.3);
        Shot("continue_game");
        Click(*offer.cancelButton);

        WaitOnScreen("the main menu", menu);
        Click(*menu.buttons[GUIMainMenuWindow::Options]);
        GUIOptionsWindow& options = *game.Options();
        WaitOnScreen("the options", options);
        MoveOnto(*options.applyControl->widget);
        Wait(0.3);
        Shot("options");
        Click(*options.cancelControl);

        WaitOnScreen("the main menu", menu);
        Click(*menu.buttons[GUIMainMenuWindow::HighScores]);
        GUIHighScoresWindow& scores = *game.Scores();
        WaitOnScreen("the high scores", scores);
        Shot("high_scores");
        Click(*scores.backControl);

        WaitOnScreen("the main menu", menu);
        Click(*menu.buttons[GUIMainMenuWindow::Credits]);
        GUIHelpWindow& help = *game.Help();
        WaitOnScreen("the help", help);
        Shot("help");
        Click(*help.backControl);

        WaitOnScreen("the main menu", menu);
        Click(*menu.buttons[GUIMainMenuWindow::Exit]);
        GUIExitWindow& quit = *game.Quit();
        WaitOnScreen("the quit question", quit);
        Shot("quit");
        Click(*quit.confirm);
        WaitFor("the end", [&] { return !game.Engine()->config->IsCommandDone("exit"); });
    }

    fs::path out;
    Tools::EventPlayer hands{[this] { Frame(); }};
    int shots = 0;
    long frames = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots OUT_FOLDER\n");
        return 2;
    }
    const fs::path out = fs::absolute(argv[1]);
    fs::create_directories(out);
    // The program finds its data beside itself, as the game does.
    const fs::path self = fs::canonical("/proc/self/exe").parent_path();
    if (!fs::exists(self / "data"))
        fs::create_directory_symlink(self.parent_path() / "data", self / "data");
    // A first run: an empty user folder.
    fs::remove_all(out / "user");
    setenv("XDG_DATA_HOME", (out / "user/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (out / "user/config").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Tour tour(out);
    return tour.finished ? 0 : 1;
}
