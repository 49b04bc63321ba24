#include "game/menus/MapFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/BinaryFields.h"
#include "framework/VersionedFile.h"

namespace ActionPuzzle {

using GameFramework::ReadF32;
using GameFramework::ReadU32;

std::vector<MapRecord> ReadMapFile(ZorvaneEngine::FileManager& files)
{
    GameFramework::VersionedFile versioned(&files, MapMagic, MapVersion);
    versioned.Open(GameFramework::VersionedFile::ModeRead, MapFileName);
    ZorvaneEngine::FileBinary& file = *versioned.GetFile();
    const uint32_t count = ReadU32(file);
    // Checked before anything is sized from it.
    const uint64_t room = file.GetSize() > GameFramework::VersionedFile::HeaderSize + 4
                              ? file.GetSize() - GameFramework::VersionedFile::HeaderSize - 4
                              : 0;
    if (static_cast<uint64_t>(count) * MapRecordSize > room)
        throw ZorvaneEngine::FileError(std::string(MapFileName) + ": " + std::to_string(count) +
                                       " map elements do not fit in the file");
    std::vector<MapRecord> records(count);
    uint32_t stage = 0;
    uint32_t index = 0;
    for (MapRecord& record : records) {
        const uint32_t type = ReadU32(file);
        if (type > static_cast<uint32_t>(MapElementType::Path))
            throw ZorvaneEngine::FileError(std::string(MapFileName) + ": unknown map element type " +
                                           std::to_string(type));
        record.type = static_cast<MapElementType>(type);
        for (float& value : record.transform)
            value = ReadF32(file);
        if (record.type == MapElementType::CheckPoint) {
            ++stage;
            index = 0;
        }
        record.stage = stage;
        record.index = index++;
    }
    versioned.Close();
    return records;
}

} // namespace ActionPuzzle
