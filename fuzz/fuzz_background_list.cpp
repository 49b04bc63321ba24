// The menu background's layer list "data\ui\menus\background\background.ini",
// read as the resource catalogue reads it: a record count, then per record a
// model name, a particle-system name, and the numbers a and b.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/core/Error.h"
#include "fuzz/support/FuzzSupport.h"
#include "game/common/GameData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::WriteFile("data/ui/menus/background/background.ini", data, size);
    try {
        const std::vector<ActionPuzzle::BackgroundRecord> records =
            ActionPuzzle::GameData::ReadBackgroundList(FuzzSupport::Files());
        // Every record read is whole: a list cut short is refused instead.
        for (const ActionPuzzle::BackgroundRecord& record : records) {
            if (record.modelName.empty() || record.particleName.empty())
                std::abort();
        }
        // No record is made from nothing: each took at least four tokens.
        if (records.size() > size / 4 + 1)
            std::abort();
    } catch (const ZorvaneEngine::FileError&) {
        // A damaged list is a fatal data error in the game: the outcome wanted.
    }
    FuzzSupport::EndInput();
    return 0;
}
