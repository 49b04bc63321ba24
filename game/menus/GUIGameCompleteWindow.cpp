#include "game/menus/GUIGameCompleteWindow.h"

#include <algorithm>
#include <cstdlib>

#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"
#include "game/app/GameData.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

constexpr int32_t kTextFont = 2;
constexpr float kFirstLineY = 126.0f;
constexpr float kLineStep = 20.0f;
constexpr float kPageFadeOut = 4.0f;  // per second
constexpr float kPageFadeIn = 2.0f;
// A count beyond any story; a damaged table must not queue millions of lines.
constexpr unsigned long kMaxLines = 10000;

} // namespace

GUIGameCompleteWindow::GUIGameCompleteWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                             GameData* gameData, GUIMenuWindowManager* manager,
                                             ZorvaneEngine::GUIWindow* parent)
    : GUIGameCompleteWindowBase(engine),
      GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent)
{
    continueButton = AddBigButton(gameData->menuFrameModels.smallWindow.buttons[0]);
    SetTitle("GAME_COMPLETE_TITLE");
}

void GUIGameCompleteWindow::Open()
{
    if (!showText) {
        answerAtOnce = true;
        return;
    }
    openRequested = true;
    // Read as an unsigned decimal: text that is not a number counts 0 lines.
    const std::string size = ZorvaneEngine::ToNarrow(textManager->GetText("GAME_COMPLETE_TEXT_SIZE"));
    const unsigned long lines = std::strtoul(size.c_str(), nullptr, 10);
    lineCount = static_cast<uint32_t>(std::min(lines, kMaxLines));
    pageCount = (lineCount + LinesPerPage - 1) / LinesPerPage;
    currentPage = 0;
    shownPage = 0;
    pageAlpha = 1.0f;
}

void GUIGameCompleteWindow::Close()
{
    if (showText || IsFrameVisible())
        GUIMenuWindow::Close();
}

void GUIGameCompleteWindow::Update()
{
    if (!showText && answerAtOnce) {
        result = WindowAction::Done;
        answerAtOnce = false;
        return;
    }
    GUIGameCompleteWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    const float dt = timers->frameStep;
    if (continueButton->button->clicked) {
        ++currentPage;
        // Without any line there is no page to turn: CONTINUE ends at once.
        if (currentPage >= pageCount)
            result = WindowAction::Done;
    }
    if (currentPage < pageCount) {
        if (shownPage != currentPage) {
            pageAlpha -= kPageFadeOut * dt;
            if (pageAlpha < 0.0f) {
                pageAlpha = 0.0f;
                shownPage = currentPage;
            }
        } else {
            pageAlpha = std::min(pageAlpha + kPageFadeIn * dt, 1.0f);
        }
    }
    const uint32_t first = LinesPerPage * shownPage;
    const uint32_t lines = lineCount > first ? std::min(LinesPerPage, lineCount - first) : 0;
    const ZorvaneEngine::ColorRGBA pageColour(colour.r, colour.g, colour.b, colour.a * pageAlpha);
    for (uint32_t i = 0; i < lines; ++i) {
        frameWidget->AddTextByKey(ZorvaneEngine::TextAlign::CenterX, kTextFont, "GAME_COMPLETE_TEXT_",
                                  static_cast<int32_t>(first + i), 0.0f, -1.0f,
                                  {0, kFirstLineY - kLineStep * static_cast<float>(i)}, pageColour);
    }
    AddCaption(*continueButton, "CONTINUE");
}

} // namespace ActionPuzzle
