#include "game/menus/GUIControl.h"

#include <utility>

#include "engine/Engine.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindowFlags.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"

namespace ActionPuzzle {

using ZorvaneEngine::AnimationControl;
using ZorvaneEngine::GUIWindow;
using ZorvaneEngine::GUIWindowFlags;
using ZorvaneEngine::Model;
using ZorvaneEngine::Vector2;

namespace {

constexpr float kTolerance = 0.0001f;
// Ranges of the appear animation: forward when shown, backward when hidden.
constexpr int32_t kAppearRange = 0;
constexpr int32_t kDisappearRange = 1;
constexpr int32_t kScrollLayer = 2;
constexpr int32_t kArrowLayer = -1;
constexpr uint32_t kEditFlags = GUIWindowFlags::Visible | GUIWindowFlags::VertexColor;
const Vector2 kEditTextOffset{28, 5};
// What the greeting adds to the welcome text around a name.
const char16_t* const kGreetingMarks = u", !";
constexpr float kEditWidthMargin = 25.0f;

Vector2 Difference(const Vector2& a, const Vector2& b)
{
    return Vector2(a.x - b.x, a.y - b.y);
}

// Hit or text area of a widget from an area model's box.
void SetArea(const Model* area, bool& on, Vector2& offset, Vector2& size)
{
    if (!area)
        return;
    on = true;
    offset = BoxCorner(*area);
    size = BoxSize(*area);
}

} // namespace

GUIControl::GUIControl(ZorvaneEngine::Engine* engine, const Model* placement, GameData* gameData,
                       MenuControlKind kind, const Model* look, const Model* hitArea, const Model* textArea,
                       GUIWindow* parent)
    : kind(kind),
      engine(engine),
      modelManager(engine->models.get()),
      guiManager(engine->guiManager.get()),
      fontManager(engine->guiManager->GetFontManager()),
      textManager(engine->guiManager->GetTextManager()),
      gameData(gameData)
{
    const uint32_t placementFrames = FrameCount(*placement);
    // An animated control shows by its animation, the others fade by colour.
    const uint32_t flags = placementFrames > 1 ? 0 : GUIWindowFlags::VertexColor;

    switch (kind) {
    case MenuControlKind::Window:
        widget = guiManager->CreateWindow(flags, {0, 0}, {1, 1}, look, parent);
        if (Model* model = widget->model; model && FrameCount(*model) > 1) {
            // Posed at its last frame once, so its box is the last frame's.
            model->GetAnimation()->position = static_cast<float>(FrameCount(*model) - 1) - kTolerance;
            const uint32_t visible = model->flags & ZorvaneEngine::ModelFlags::Visible;
            model->flags |= ZorvaneEngine::ModelFlags::Visible;
            model->Update(false);
            model->flags = (model->flags & ~ZorvaneEngine::ModelFlags::Visible) | visible;
        }
        break;
    case MenuControlKind::Button:
        widget = button = guiManager->CreateButton(flags, {0, 0}, {1, 1}, look, parent);
        break;
    case MenuControlKind::ScrollHorizontal:
    case MenuControlKind::ScrollVertical:
        CreateScroll(*look, kind == MenuControlKind::ScrollVertical, parent);
        widget = scroll;
        break;
    case MenuControlKind::CheckBox:
        widget = checkBox = guiManager->CreateCheckBox({0, 0}, {1, 1}, look, parent);
        break;
    case MenuControlKind::EditBox:
        widget = editBox = guiManager->CreateEditBox(kEditFlags, {0, 0}, {1, 1}, look, EditFont,
                                                     ZorvaneEngine::ColorRGBA(1, 1, 1, 1), kEditTextOffset,
                                                     EditMaxCharacters, EditMaxWidth(), EditVisibleWidth, parent);
        break;
    }

    const bool animates = placementFrames > 1 && (kind == MenuControlKind::Window ||
                                                   kind == MenuControlKind::Button ||
                                                   kind == MenuControlKind::CheckBox);
    if (animates) {
        appearWindow = kind == MenuControlKind::Window
                           ? widget
                           : guiManager->CreateWindow(0, {0, 0}, {1, 1}, placement, parent);
        if (appearWindow->model) {
            AnimationControl* animation = appearWindow->model->GetAnimation();
            const uint32_t last = FrameCount(*appearWindow->model) - 1;
            animation->AddRange({kAppearRange, 0, last});
            animation->AddRange({kDisappearRange, last, 0});
            animation->speed = AppearSpeed;
            animation->looping = false;
        }
    } else if (widget->model) {
        const Vector2 shift = Difference(BoxCorner(*placement), BoxCorner(*look));
        widget->position = shift;
        if (!widget->placeModel) {
            ZorvaneEngine::Matrix4 move = ZorvaneEngine::Matrix4::Identity();
            move[3] = shift.x;
            move[7] = shift.y;
            widget->model->ApplyTransform(move);
        }
    }

    SetArea(hitArea, widget->hitAreaOn, widget->hitAreaOffset, widget->hitAreaSize);
    SetArea(textArea, widget->textAreaOn, widget->textAreaOffset, widget->textAreaSize);
    if (widget->model)
        origin = BoxCorner(*widget->model);
    mainMenuButton = gameData && look == gameData->controlModels.buttonMainMenu.look;
}

void GUIControl::CreateScroll(const Model& look, bool vertical, GUIWindow* parent)
{
    const GameData::ScrollLook& parts =
        vertical ? gameData->controlModels.scrollV : gameData->controlModels.scrollH;
    const GameData::ControlModels& controls = gameData->controlModels;
    const Model& thumb = *parts.toddler;
    const Model& minimum = *parts.toddlerMin;
    const Model& maximum = *parts.toddlerMax;

    const Vector2 thumbCorner = BoxCorner(thumb);
    const Vector2 thumbSize = BoxSize(thumb);
    const Vector2 minimumCorner = BoxCorner(minimum);
    const Vector2 maximumEnd(maximum.box.worldMax.x, maximum.box.worldMax.y);
    const Vector2 trackStart = Difference(minimumCorner, thumbCorner);
    // Where the thumb's corner stops: the thumb's far edge on the maximum's.
    const Vector2 trackEnd =
        vertical ? Vector2(minimumCorner.x - thumbCorner.x, maximumEnd.y - thumbCorner.y - thumbSize.y)
                 : Vector2(maximumEnd.x - thumbCorner.x - thumbSize.x, minimumCorner.y - thumbCorner.y);

    scroll = guiManager->CreateScroll({0, 0}, BoxSize(look), &look, vertical, trackStart, trackEnd, parent);
    scroll->placeModel = false;
    scroll->CreateThumb({1, 1}, &thumb);
    scroll->thumb->hitAreaOn = true;
    scroll->thumb->hitAreaOffset = thumbCorner;
    scroll->thumb->hitAreaSize = Difference(maximumEnd, minimumCorner);

    // The vertical bar's increase arrow points down and sits at the
    // decrease place; its position 0 is at the top when reversed.
    const Model* increaseArrow = vertical ? controls.buttonArrowDown : controls.buttonArrowRight;
    const Model* decreaseArrow = vertical ? controls.buttonArrowUp : controls.buttonArrowLeft;
    const Model* increasePlace = vertical ? parts.buttonDecrease : parts.buttonIncrease;
    const Model* decreasePlace = vertical ? parts.buttonIncrease : parts.buttonDecrease;
    scroll->CreateDecreaseButton(Difference(BoxCorner(*decreasePlace), BoxCorner(*decreaseArrow)), {1, 1},
                                 decreaseArrow);
    scroll->CreateIncreaseButton(Difference(BoxCorner(*increasePlace), BoxCorner(*increaseArrow)), {1, 1},
                                 increaseArrow);
    const std::pair<ZorvaneEngine::GUIButton*, const Model*> arrows[] = {
        {scroll->decreaseButton.get(), decreaseArrow}, {scroll->increaseButton.get(), increaseArrow}};
    for (const auto& [arrow, model] : arrows) {
        arrow->hitAreaOn = true;
        arrow->hitAreaOffset = BoxCorner(*model);
        arrow->hitAreaSize = BoxSize(*model);
        arrow->SetLayer(kArrowLayer);
    }
    scroll->SetLayer(kScrollLayer);
}

float GUIControl::EditMaxWidth() const
{
    // A name that fits the box also fits the main menu's greeting.
    const Model* area = gameData ? gameData->backgroundTextAreaModel : nullptr;
    const ZorvaneEngine::GUIFont* font = fontManager->GetFont(1);
    const float areaWidth = area ? BoxSize(*area).x : 0.0f;
    const std::u16string greeting = textManager->GetText("MAIN_MENU_WELCOME") + kGreetingMarks;
    const float greetingWidth = font ? font->MeasureText(greeting, 0.0f, font->size).x : 0.0f;
    return areaWidth - greetingWidth + kEditWidthMargin;
}

GUIControl::~GUIControl()
{
    if (appearWindow && appearWindow != widget && guiManager->windows.Remove(appearWindow))
        delete appearWindow;
    if (!button && !scroll && !checkBox && !editBox) {
        if (widget && guiManager->windows.Remove(widget))
            delete widget;
        return;
    }
    if (button && guiManager->buttons.Remove(button))
        delete button;
    if (scroll && guiManager->scrolls.Remove(scroll))
        delete scroll;
    if (checkBox && guiManager->checkBoxes.Remove(checkBox))
        delete checkBox;
    if (editBox && guiManager->editBoxes.Remove(editBox))
        delete editBox;
}

void GUIControl::SetAppearSpeed(float framesPerSecond)
{
    if (appearWindow && appearWindow->model)
        appearWindow->model->GetAnimation()->speed = framesPerSecond;
}

bool GUIControl::IsAppearing() const
{
    if (!appearWindow || !appearWindow->model)
        return false;
    const AnimationControl* animation = appearWindow->model->GetAnimation();
    return animation->currentRangeId == kAppearRange && animation->playing;
}

void GUIControl::Show()
{
    if (!active || !appearWindow)
        return;
    appearWindow->SetVisible(true);
    if (mainMenuButton)
        widget->SetVisible(true);
    if (appearWindow->model) {
        AnimationControl* animation = appearWindow->model->GetAnimation();
        animation->position = 0.0f;
        animation->currentRangeId = kAppearRange;
        animation->Play();
    }
}

void GUIControl::Hide()
{
    if (!active || !appearWindow)
        return;
    if (!mainMenuButton)
        widget->SetVisible(false);
    appearWindow->SetVisible(true);
    if (appearWindow->model) {
        AnimationControl* animation = appearWindow->model->GetAnimation();
        animation->position = 0.0f;
        animation->currentRangeId = kDisappearRange;
        animation->Play();
    }
}

void GUIControl::Update()
{
    if (!active)
        return;
    if (!appearWindow) {
        widget->SetVisible(colour.a > kTolerance);
        if (widget->effectivelyVisible)
            widget->SetColor(colour);
        return;
    }
    if (!appearWindow->model)
        return;
    const AnimationControl* animation = appearWindow->model->GetAnimation();
    const Vector2 appearCorner = BoxCorner(*appearWindow->model);
    if (appearWindow->effectivelyVisible && animation->currentRangeId == kAppearRange && !animation->playing &&
        !widget->effectivelyVisible) {
        // The widget takes over where the animation ended.
        appearWindow->SetVisible(false);
        widget->SetVisible(true);
        if (appearWindow != widget)
            widget->position = Difference(appearCorner, origin);
    } else if (animation->currentRangeId == kDisappearRange && !animation->playing &&
               appearWindow->effectivelyVisible) {
        appearWindow->SetVisible(false);
    }
    if (mainMenuButton && gameData && gameData->controlModels.buttonMainMenu.look)
        widget->position = Difference(appearCorner, BoxCorner(*gameData->controlModels.buttonMainMenu.look));
}

} // namespace ActionPuzzle
