#include "game/menus/GUIGameLogicMenuExitWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_LOGIC_EXIT_TITLE", "GAME_LOGIC_EXIT_TEXT_", 3, 129.0f, 23.0f,
                             "GAME_LOGIC_EXIT_OK", "CANCEL"};
const QuestionBehaviour kBehaviour{.leavesLevel = true, .confirmAnswer = WindowAction::ToMainMenu,
                                   .cancelAnswer = WindowAction::ToGameMenu};

} // namespace

GUIGameLogicMenuExitWindow::GUIGameLogicMenuExitWindow(ZorvaneEngine::Engine* engine,
                                                       GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                                       GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUILevelQuestionWindow(kLayout, kBehaviour, engine, soundPlayer, gameData, manager, parent)
{
}

} // namespace ActionPuzzle
