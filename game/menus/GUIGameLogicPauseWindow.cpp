#include "game/menus/GUIGameLogicPauseWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_LOGIC_PAUSED_TITLE", "GAME_LOGIC_PAUSED_TEXT", -1, 99.0f, 0.0f,
                             "GAME_LOGIC_PAUSED_RESUME", nullptr};
const QuestionBehaviour kBehaviour{.borrowsTitlePlate = true, .releasesTitlePlate = true,
                                   .confirmAnswer = WindowAction::Resume};

} // namespace

GUIGameLogicPauseWindow::GUIGameLogicPauseWindow(ZorvaneEngine::Engine* engine,
                                                 GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                                 GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUILevelQuestionWindow(kLayout, kBehaviour, engine, soundPlayer, gameData, manager, parent)
{
}

} // namespace ActionPuzzle
