#include "game/menus/GUIGameOverWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_OVER_TITLE", "GAME_OVER_TEXT_", 3, 127.0f, 22.0f, "CONTINUE", nullptr};
const QuestionBehaviour kBehaviour{.borrowsTitlePlate = true, .leavesLevel = true, .confirmAnswer = WindowAction::Done};

} // namespace

GUIGameOverWindow::GUIGameOverWindow(ZorvaneEngine::Engine* engine,
                                     GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                     GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUILevelQuestionWindow(kLayout, kBehaviour, engine, soundPlayer, gameData, manager, parent)
{
}

void GUIGameOverWindow::Close()
{
    // It closed itself on CONTINUE; the title plate stays for the menus.
    leaving = false;
}

} // namespace ActionPuzzle
