#include "game/menus/GUIMenuWindowManager.h"

#include "framework/tools/GUITextPrinter.h"
#include "game/menus/GUIBackgroundWindow.h"

namespace ActionPuzzle {

void GUIMenuWindowManager::SetCentreText(const std::string& key)
{
    if (background)
        background->SetCentreText(key);
}

void GUIMenuWindowManager::ClearCentreText()
{
    GameTools::GUITextPrinter* printer = background ? background->GetCentreTextPrinter() : nullptr;
    if (!printer)
        return;
    printer->targetText.clear();
    printer->shownText.clear();
    printer->count = 0.0f;
    printer->done = true;
}

} // namespace ActionPuzzle
