#include "game/menus/GUIGameLogicGameExitWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_LOGIC_EXIT_TITLE", "GAME_LOGIC_EXIT_TEXT_", 3, 129.0f, 23.0f,
                             "GAME_LOGIC_EXIT_OK", "CANCEL"};
const QuestionBehaviour kBehaviour{.borrowsTitlePlate = true, .releasesTitlePlate = true,
                                   .confirmAnswer = WindowAction::Quit, .cancelAnswer = WindowAction::Resume};

} // namespace

GUIGameLogicGameExitWindow::GUIGameLogicGameExitWindow(ZorvaneEngine::Engine* engine,
                                                       GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                                       GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUILevelQuestionWindow(kLayout, kBehaviour, engine, soundPlayer, gameData, manager, parent)
{
}

} // namespace ActionPuzzle
