// The level map ("map.gmf") as the map screen reads it: the versioned
// header, the element count and one record per element. Whatever the bytes,
// the file either loads or is refused with a FileError; a loaded map's
// stages count up from its check points and every element has a known type.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/core/Error.h"
#include "fuzz/support/FuzzSupport.h"
#include "game/menus/MapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::WriteFile("data/ui/menus/map/map.gmf", FuzzSupport::WithOwnSize(data, size));
    try {
        const std::vector<ActionPuzzle::MapRecord> records = ActionPuzzle::ReadMapFile(FuzzSupport::Files());
        if (records.size() * ActionPuzzle::MapRecordSize > size)
            std::abort();
        uint32_t stage = 0;
        for (const ActionPuzzle::MapRecord& record : records) {
            if (record.type > ActionPuzzle::MapElementType::Path || record.stage < stage)
                std::abort();
            stage = record.stage;
        }
    } catch (const ZorvaneEngine::FileError&) {
    }
    FuzzSupport::EndInput();
    return 0;
}
