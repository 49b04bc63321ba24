#pragma once
// A question shown over a level, joined to its controller base of the
// screen state machine: its Open, Close and Update are the question's, and
// the window answers through the base's result.
#include "game/menus/GUIQuestionWindow.h"

namespace ActionPuzzle {

template <class ControllerBase>
class GUILevelQuestionWindow : public ControllerBase, public GUIQuestionWindow {
public:
    GUILevelQuestionWindow(const QuestionLayout& layout, const QuestionBehaviour& behaviour,
                           ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                           GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
        : ControllerBase(engine),
          GUIQuestionWindow(layout, engine, soundPlayer, gameData, manager, parent, behaviour)
    {
    }

    void Open() override { OpenQuestion(); }
    void Close() override { CloseQuestion(); }
    void Update() override
    {
        ControllerBase::Update();
        GUIMenuWindow::Update();
        this->result = Answer();
    }
};

} // namespace ActionPuzzle
