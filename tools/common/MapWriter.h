#pragma once
// The level map file ("PHGMF" version 100): one record per level in path
// order, each an element type and the 4 × 4 matrix that places its model.
#include <array>
#include <cstdint>
#include <vector>

namespace Tools {

enum class MapElementType : uint32_t { Start = 0, Finish = 1, CheckPoint = 2, Path = 3 };

struct MapElement {
    MapElementType type = MapElementType::Path;
    // Row-major, translation in elements 3, 7 and 11.
    std::array<float, 16> matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// The elements of a catalogue with the given level counts per stage: the
// game's first level is the start, every later stage begins with a check
// point, the game's last level is the finish, every other level a path
// piece. Stage s lies on the row y = 110 + 42 s, its levels spread from x 180
// to 620 (a single level in the middle), odd stages running right to left,
// so the path winds up the map. Throws std::invalid_argument for a stage
// without levels, for a single level in all (both start and finish), and
// for a last stage of one level after others (its check point would have
// to be the finish).
std::vector<MapElement> SerpentineMap(const std::vector<uint32_t>& levelCounts);

std::vector<uint8_t> BuildMapFile(const std::vector<MapElement>& elements);

} // namespace Tools
