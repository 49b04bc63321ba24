// Program entry: hands the start-up values to the game's loader, whose
// constructor runs the whole program.
#include <memory>
#include <string>

#include "game/app/GameIcon.h"
#include "game/app/GameLoader.h"
#include "game/menus/GUIGameCursor.h"
#include "generated/CursorArt.h"
#include "platform/window/IconResources.h"

namespace {
// The window show flag a program gets when started normally.
constexpr int kShowNormal = 1;
} // namespace

int main(int argc, char** argv)
{
    // What the executable carries for its window.
    Platform::AddIconResource(ActionPuzzle::kGameIconId,
                              {ActionPuzzle::kGameIconSide, ActionPuzzle::kGameIconSide,
                               ActionPuzzle::kGameIconPixels});
    for (int kind = 0; kind < 3; ++kind) {
        const ActionPuzzle::CursorArt::Picture& art = ActionPuzzle::CursorArt::kCursors[kind];
        Platform::AddCursorResource(ActionPuzzle::GUIGameCursor::SystemCursorIds[kind],
                                    {{static_cast<uint32_t>(art.width), static_cast<uint32_t>(art.height), art.rgba},
                                     art.hotX, art.hotY});
    }
    // The command line is stored and never interpreted: the arguments after
    // the program's name, joined by blanks.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    auto loader =
        std::make_unique<ActionPuzzle::GameLoader>(nullptr, nullptr, commandLine, kShowNormal);
    const int status = loader->GetExitStatus();
    loader.reset();
    return status;
}
