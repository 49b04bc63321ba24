#include "game/menus/GUITutorialWindow.h"

#include <algorithm>
#include <iterator>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "framework/ProfileBase.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;
using ZorvaneEngine::AnimationControl;
using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::GUIWindow;

namespace {

constexpr int32_t kCaptionFont = 1;
constexpr float kTolerance = 0.0001f;
constexpr uint32_t kDemoFlags = ZorvaneEngine::GUIWindowFlags::Visible | ZorvaneEngine::GUIWindowFlags::VertexColor;
// Back to front: the board, the blocked slot, the pieces (the first one
// placed lies on top), the pointer above everything.
constexpr int32_t kBoardLayer = 1;
constexpr int32_t kClosedSlotLayer = 2;
constexpr int32_t kPieceLayers[4] = {6, 5, 4, 3};
constexpr int32_t kPointerLayer = 7;

// The pointer's path frames in which a button is held, as the path was
// drawn: the left button picks and places pieces, the right one gives a
// piece back.
struct FrameSpan {
    float first, last;
};
constexpr FrameSpan kLeftButtonDown[] = {{4, 6},   {19, 21}, {24, 26}, {34, 36}, {39, 41},
                                         {59, 61}, {74, 76}, {79, 81}, {89, 91}};
constexpr FrameSpan kRightButtonDown = {52, 54};
constexpr uint32_t kPointerIdle = 0;
constexpr uint32_t kPointerRight = 1;
constexpr uint32_t kPointerLeft = 2;
// The blocked slot opens over these path frames.
constexpr float kSlotOpensFrom = 75.0f;
constexpr float kSlotOpeningFrames = 5.0f;

bool Within(const FrameSpan& span, float frame)
{
    return frame >= span.first && frame <= span.last;
}

AnimationControl* AnimationOf(const GUIWindow* window)
{
    return window && window->model ? window->model->GetAnimation() : nullptr;
}

void Rewind(GUIWindow* window)
{
    if (AnimationControl* animation = AnimationOf(window)) {
        animation->playing = false;
        animation->position = 0.0f;
    }
}

} // namespace

GUITutorialWindow::GUITutorialWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                     GameData* gameData, GUIMenuWindowManager* manager,
                                     ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUIMenuWindow(MenuFrameKind::LargeWindow, engine, soundPlayer, gameData, manager, parent),
      profileManager(profileManager)
{
    const GameData::ButtonLook& small = gameData->controlModels.buttonSmall;
    const GameData::MenuFrame<2>& frame = gameData->menuFrameModels.largeWindow;
    auto button = [&](const ZorvaneEngine::Model* placement) {
        return AddControl(std::make_unique<GUIControl>(engine, placement, gameData, MenuControlKind::Button,
                                                       small.look, small.selectionArea, small.textArea,
                                                       frameWidget));
    };
    continueButton = button(frame.buttons[1]);
    backButton = button(frame.buttons[0]);
    const ZorvaneEngine::Model* box = gameData->controlModels.checkBox;
    doNotShowBox = AddControl(std::make_unique<GUIControl>(engine, gameData->startGameModels.relaxCheckBox, gameData,
                                                           MenuControlKind::CheckBox, box, box, nullptr, frameWidget));
    SetTitle("TUTORIAL_TITLE");

    // The models are laid out in the frame's own units, so every window
    // stands at the frame's corner with the unit size.
    const GameData::TutorialModels& models = gameData->tutorialModels;
    auto demoWindow = [&](const ZorvaneEngine::Model* model) {
        return guiManager->CreateWindow(kDemoFlags, {0, 0}, {1, 1}, model, frameWidget);
    };
    auto animate = [](GUIWindow* window, float speed) {
        if (AnimationControl* animation = AnimationOf(window)) {
            animation->speed = speed;
            animation->looping = false;
        }
    };
    boardWindow = demoWindow(models.background);
    boardWindow->SetLayer(kBoardLayer);
    closedSlotWindow = demoWindow(models.closedElement);
    closedSlotWindow->SetLayer(kClosedSlotLayer);
    colourList = {boardWindow, closedSlotWindow};
    for (size_t i = 0; i < std::size(pieceWindows); ++i) {
        pieceWindows[i] = demoWindow(models.elements[i]);
        pieceWindows[i]->SetLayer(kPieceLayers[i]);
        animate(pieceWindows[i], DemoFramesPerSecond);
        colourList.push_back(pieceWindows[i]);
    }
    // The path is only read, never seen.
    pathWindow = demoWindow(models.mouse);
    animate(pathWindow, DemoFramesPerSecond);
    pathWindow->SetColor(ColorRGBA(1, 1, 1, 0));
    pointerWindow = demoWindow(models.mouseControl);
    pointerWindow->SetLayer(kPointerLayer);
    // Its picture is chosen each frame, never played.
    animate(pointerWindow, 0.0f);
    colourList.push_back(pointerWindow);
}

GUITutorialWindow::~GUITutorialWindow()
{
    for (GUIWindow*& window : colourList)
        guiManager->DeleteWindow(window);
    guiManager->DeleteWindow(pathWindow);
}

uint32_t GUITutorialWindow::PointerPicture(float pathFrame)
{
    for (const FrameSpan& span : kLeftButtonDown) {
        if (Within(span, pathFrame))
            return kPointerLeft;
    }
    return Within(kRightButtonDown, pathFrame) ? kPointerRight : kPointerIdle;
}

float GUITutorialWindow::ClosedSlotOpacity(float pathFrame)
{
    return 1.0f - std::clamp(pathFrame - kSlotOpensFrom, 0.0f, kSlotOpeningFrames) / kSlotOpeningFrames;
}

std::vector<GUIWindow*> GUITutorialWindow::RunWindows() const
{
    return {pieceWindows[0], pieceWindows[1], pieceWindows[2], pieceWindows[3], pathWindow};
}

float GUITutorialWindow::PathFrame() const
{
    const AnimationControl* path = AnimationOf(pathWindow);
    return path ? path->position : 0.0f;
}

void GUITutorialWindow::RewindDemonstration()
{
    for (GUIWindow* window : RunWindows())
        Rewind(window);
    pauseClock = 0.0f;
}

void GUITutorialWindow::Open()
{
    if (!show) {
        answerAtOnce = true;
        return;
    }
    openRequested = true;
    doNotShowBox->checkBox->checked = false;
    RewindDemonstration();
    for (GUIWindow* window : colourList)
        window->SetColor(ColorRGBA(1, 1, 1, 0));
}

void GUITutorialWindow::Close()
{
    if (show || IsFrameVisible())
        GUIMenuWindow::Close();
}

void GUITutorialWindow::RunDemonstration(float dt)
{
    // The positions read are the last frame's: the models step after the
    // windows' update.
    const AnimationControl* path = AnimationOf(pathWindow);
    const float frame = PathFrame();
    // A run starts only once the window has fully faded in.
    if (colour.a + kTolerance > 1.0f && path && !path->playing) {
        if (frame > 0.0f) {
            pauseClock += dt;
            if (pauseClock > PauseBetweenRuns)
                RewindDemonstration();
        } else {
            for (GUIWindow* window : RunWindows()) {
                if (AnimationControl* animation = AnimationOf(window))
                    animation->Play();
            }
        }
    }

    // The pointer hangs from the path's hot spot, the lower-left corner of
    // the path's box, which is in screen units like the frame's corner.
    if (pathWindow->model) {
        const ZorvaneEngine::Vector2 hotSpot = BoxCorner(*pathWindow->model);
        const ZorvaneEngine::Vector2 origin = pathWindow->GetParentAbsolutePosition();
        pointerWindow->position = ZorvaneEngine::Vector2(hotSpot.x - origin.x, hotSpot.y - origin.y);
    }
    ShowModelFrame(*pointerWindow, PointerPicture(frame));

    for (GUIWindow* window : colourList) {
        if (window == closedSlotWindow)
            window->SetColor(ColorRGBA(1, 1, 1, colour.a * ClosedSlotOpacity(frame)));
        else
            window->SetColor(colour);
    }
}

void GUITutorialWindow::Update()
{
    if (!show && answerAtOnce) {
        result = WindowAction::Proceed;
        answerAtOnce = false;
        return;
    }
    WindowControllerBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    RunDemonstration(timers->frameStep);
    if (Clicked(continueButton->button)) {
        GameFramework::ProfileBase* profile = profileManager->currentProfile;
        if (doNotShowBox->checkBox->checked && profile != nullptr) {
            static_cast<Profile*>(profile)->tutorialPending = false;
            profile->Save();
        }
        result = WindowAction::Proceed;
    }
    if (Clicked(backButton->button))
        result = WindowAction::ToMainMenu;
    frameWidget->AddTextByKey(0, kCaptionFont, "TUTORIAL_DO_NOT_SHOW", -1, 0.0f, 19.0f, {195, 23}, colour);
    AddCaption(*backButton, "BACK");
    AddCaption(*continueButton, "TUTORIAL_CONTINUE");
}

} // namespace ActionPuzzle
