#pragma once
// One element of a menu window (its frame, a button, a scroll bar, a check
// box, an edit box): an engine widget showing a model of the resource
// catalogue, placed where a placement model stands in its window.
//
// A placement model of more than one frame is an appear animation: Show
// plays it forward on a window of its own (the widget itself for a plain
// window) and the widget appears where it ends; Hide plays it backward. A
// control without one is shown while its colour's alpha is above 0 and
// fades by colour. A main-menu button stays visible while it appears and
// rides on its animation, since its own art has no fade.
//
// Models are authored in GUI units: the widget stands at the difference of
// the lower-left corners of the placement's and the look's boxes, with size
// (1, 1), so the model shows where the placement was authored.
#include <cstdint>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIFontManager;
class GUIManager;
class GUIScroll;
class GUITextManager;
class GUIWindow;
class Model;
class ModelManager;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GameData;

enum class MenuControlKind : int32_t {
    Window = 0,
    Button = 1,
    ScrollHorizontal = 2,
    ScrollVertical = 3,
    CheckBox = 4,
    EditBox = 5,
};

class GUIControl {
public:
    // Speed of an appear animation unless the owner sets another.
    static constexpr float AppearSpeed = 32.0f;
    // The edit box: its font, where its text starts, its limits.
    static constexpr int32_t EditFont = 6;
    static constexpr int32_t EditMaxCharacters = 20;
    static constexpr float EditVisibleWidth = 300.0f;

    // hitArea and textArea may be null. parent is normally the frame widget
    // of the menu window.
    GUIControl(ZorvaneEngine::Engine* engine, const ZorvaneEngine::Model* placement, GameData* gameData,
               MenuControlKind kind, const ZorvaneEngine::Model* look, const ZorvaneEngine::Model* hitArea,
               const ZorvaneEngine::Model* textArea, ZorvaneEngine::GUIWindow* parent);
    // Removes its windows from their pools and deletes them.
    virtual ~GUIControl();

    GUIControl(const GUIControl&) = delete;
    GUIControl& operator=(const GUIControl&) = delete;

    // Starts the appear animation; nothing without one or while inactive.
    void Show();
    // Plays the appear animation backward; nothing without one or while
    // inactive.
    void Hide();
    // Once a frame after the owner set the colour.
    void Update();

    // The appear animation plays forward.
    bool IsAppearing() const;
    // Frames per second of the appear animation, when there is one.
    void SetAppearSpeed(float framesPerSecond);

    MenuControlKind kind;
    // Plays the appear animation: the widget itself for a plain window,
    // else a window of its own (owned); null without an animation.
    ZorvaneEngine::GUIWindow* appearWindow = nullptr;
    ZorvaneEngine::GUIWindow* widget = nullptr;  // owned, one of the next four or a plain window
    ZorvaneEngine::GUIButton* button = nullptr;
    ZorvaneEngine::GUIScroll* scroll = nullptr;
    ZorvaneEngine::GUICheckBox* checkBox = nullptr;
    ZorvaneEngine::GUIEditBox* editBox = nullptr;
    // Lower-left corner of the widget model's box at construction.
    ZorvaneEngine::Vector2 origin;
    // Pushed to the widget each frame when there is no appear window; the
    // owning menu window sets it every frame.
    ZorvaneEngine::ColorRGBA colour{1, 1, 1, 1};
    bool mainMenuButton = false;
    // An inactive control is neither shown, hidden nor updated.
    bool active = true;

private:
    void CreateScroll(const ZorvaneEngine::Model& look, bool vertical, ZorvaneEngine::GUIWindow* parent);
    float EditMaxWidth() const;

    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::ModelManager* modelManager;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIFontManager* fontManager;
    ZorvaneEngine::GUITextManager* textManager;
    GameData* gameData;
};

} // namespace ActionPuzzle
