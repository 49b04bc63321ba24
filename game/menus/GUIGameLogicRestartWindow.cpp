#include "game/menus/GUIGameLogicRestartWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_LOGIC_RESTART_TITLE", "GAME_LOGIC_RESTART_TEXT_", 2, 120.0f, 23.0f, "YES", "CANCEL"};
const QuestionBehaviour kBehaviour{.leavesLevel = true, .confirmAnswer = WindowAction::Proceed,
                                   .cancelAnswer = WindowAction::ToGameMenu};

} // namespace

GUIGameLogicRestartWindow::GUIGameLogicRestartWindow(ZorvaneEngine::Engine* engine,
                                                     GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                                     GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUILevelQuestionWindow(kLayout, kBehaviour, engine, soundPlayer, gameData, manager, parent)
{
}

} // namespace ActionPuzzle
