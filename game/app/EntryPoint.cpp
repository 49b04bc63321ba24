// Program entry: hands the start-up values to the game's loader, whose
// constructor runs the whole program.
#include <memory>
#include <string>

#include "game/app/GameIcon.h"
#include "game/app/GameLoader.h"
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
    loader.reset();
    return 1;
}
