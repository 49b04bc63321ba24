#include "game/menus/GUILogosWindow.h"

namespace ActionPuzzle {

void GUILogosWindow::Update()
{
    GUILogosWindowBase::Update();
    if (open)
        result = GameFramework::WindowAction::Done;
}

} // namespace ActionPuzzle
