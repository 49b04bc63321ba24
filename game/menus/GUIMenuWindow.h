#pragma once
// The menu part of a screen window: a frame (a control of one of four frame
// kinds), the window's controls, a colour whose alpha fades the window in
// and out, and the title typed on the background's centre text.
//
// A screen window derives first from its framework controller base and then
// from this class; its one Update overrides both, calls the framework base's
// Update, then GUIMenuWindow::Update, then reacts to its controls. Its Open
// sets openRequested; its Close calls GUIMenuWindow::Close.
//
// Life of a window: closed -> open requested -> appearing (shown, the
// controls' appear animations playing, alpha 0) -> on screen (alpha rising
// by 4 a second to 1) -> closing (alpha falling by 8 a second) ->
// disappearing (alpha 0, the controls playing backward) -> closed (its frame
// gone, the menu-window manager free for the next window). Only one window
// owns the screen at a time.
//
// A window that needs the background's title plate (some in-game windows)
// waits until the background has brought the plate up, and one told to
// release it sends the plate away when it has closed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Config;
class Controls;
class Engine;
class GUIButton;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class Model;
class TimerManager;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;
class GUIControl;
class GUIMenuWindowManager;

enum class MenuFrameKind : int32_t {
    MainMenu = 0,
    BigWindow = 1,
    SmallWindow = 2,
    LargeWindow = 3,
};

class GUIMenuWindow {
public:
    // The frame kinds' appear speeds, frames per second.
    static constexpr float MainMenuAppearSpeed = 60.0f;
    // Fade speeds of the window's alpha, per second.
    static constexpr float FadeInSpeed = 4.0f;
    static constexpr float FadeOutSpeed = 8.0f;

    GUIMenuWindow(MenuFrameKind frameKind, ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                  GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);
    // Deletes the frame control; the window's own controls are its own.
    virtual ~GUIMenuWindow();

    GUIMenuWindow(const GUIMenuWindow&) = delete;
    GUIMenuWindow& operator=(const GUIMenuWindow&) = delete;

    // The per-frame opening, title-plate hand-over, showing and fading.
    virtual void Update();

    // Closes a shown window: it fades out by itself in its next updates;
    // the sound of frame kinds 1 to 3. A window asked to open and not shown
    // yet stays closed.
    void Close();
    // Some control's appear animation plays forward.
    bool IsAnyControlAnimating() const;
    // The title from the text table.
    void SetTitle(const std::string& key);
    // The frame is on screen, so the window's texts may be queued.
    bool IsFrameVisible() const;
    // The window answers the player only while it is shown: a click or a
    // key on a window that fades out (its Close came, maybe in this very
    // frame) is ignored, as the screen it leads to is already on its way.
    bool Clicked(const ZorvaneEngine::GUIButton* button) const;
    bool KeyPressed(const std::string& key) const;

    // A caption on a button: centred both ways, font 1, in the window's
    // colour.
    void AddCaption(GUIControl& control, const std::string& key) const;
    // Line i of a window text: the text table's entry "<prefix><i>",
    // centred across the frame's text area, font 2, at height y.
    void AddTextLine(const std::string& prefix, int32_t line, float y) const;

    // A control the window owns, appended to its controls.
    GUIControl* AddControl(std::unique_ptr<GUIControl> control);
    // A button in the big buttons' look standing at the placement.
    GUIControl* AddBigButton(const ZorvaneEngine::Model* placement);

    // Cached from the engine.
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::Config* config;
    ZorvaneEngine::Controls* input;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIFontManager* fontManager;
    ZorvaneEngine::GUITextManager* textManager;
    GameFramework::SoundPlayer* soundPlayer;  // not owned
    GameData* gameData;                       // not owned
    GUIMenuWindowManager* manager;            // not owned

    MenuFrameKind frameKind;
    GUIControl* frameControl = nullptr;  // owned; also the first control
    ZorvaneEngine::GUIWindow* frameWidget = nullptr;
    bool openRequested = false;
    // The window needs the background's title plate before it appears.
    bool openWithTitlePlate = false;
    bool shown = false;
    // RGB white; the alpha fades the window's controls and texts.
    ZorvaneEngine::ColorRGBA colour{1, 1, 1, 0};
    std::u16string title;
    // Frame control first; the others belong to the concrete window.
    std::vector<GUIControl*> controls;
    // Deleted last to first, before the frame they stand on.
    std::vector<std::unique_ptr<GUIControl>> ownedControls;
    bool holdingTitlePlate = false;
    // The title plate goes away with the window when it closes.
    bool releaseTitlePlate = false;

private:
    // The controls were shown and have not been hidden since.
    bool controlsOut = false;
};

} // namespace ActionPuzzle
