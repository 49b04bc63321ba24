#pragma once
// The level map "data\ui\menus\map\map.gmf" ("PHGMF" 100): a record count,
// then one record per map element in path order, its type and the 4 x 4
// matrix that places its model (translation in elements 3, 7 and 11). Each
// check point begins a stage; an element's index counts from the check
// point (level 0 of its stage).
#include <array>
#include <cstdint>
#include <vector>

#include "game/menus/GUIMapElement.h"

namespace ZorvaneEngine {
class FileManager;
}

namespace ActionPuzzle {

struct MapRecord {
    MapElementType type = MapElementType::Path;
    std::array<float, 16> transform{};
    uint32_t stage = 0;
    uint32_t index = 0;
};

constexpr const char* MapFileName = "data\\ui\\menus\\map\\map.gmf";
constexpr const char* MapMagic = "PHGMF";
constexpr uint32_t MapVersion = 100;
constexpr uint32_t MapRecordSize = 68;

// Raises FileError for a missing or damaged file: a wrong header, a count
// the file cannot hold, an unknown element type.
std::vector<MapRecord> ReadMapFile(ZorvaneEngine::FileManager& files);

} // namespace ActionPuzzle
