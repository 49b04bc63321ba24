#include "tools/common/MapWriter.h"

#include <stdexcept>

#include "tools/common/BinaryWriter.h"

namespace Tools {

namespace {

constexpr uint32_t MapVersion = 100;
constexpr float FirstRow = 110.0f;
constexpr float RowStep = 42.0f;
constexpr float LeftEnd = 180.0f;
constexpr float RightEnd = 620.0f;

} // namespace

std::vector<MapElement> SerpentineMap(const std::vector<uint32_t>& levelCounts) {
    uint32_t total = 0;
    for (const uint32_t count : levelCounts) {
        if (count == 0) {
            throw std::invalid_argument("a stage without levels has no place on the map");
        }
        total += count;
    }
    if (total < 2) {
        throw std::invalid_argument("the map needs a start and a finish");
    }
    // The finish does not begin a stage: as the only level of the last
    // stage it would be counted into the stage before.
    if (levelCounts.size() > 1 && levelCounts.back() < 2) {
        throw std::invalid_argument("the last stage needs a check point and a finish");
    }
    std::vector<MapElement> elements;
    for (size_t stage = 0; stage < levelCounts.size(); ++stage) {
        const uint32_t count = levelCounts[stage];
        for (uint32_t level = 0; level < count; ++level) {
            MapElement element;
            if (stage == 0 && level == 0) {
                element.type = MapElementType::Start;
            } else if (level == 0) {
                element.type = MapElementType::CheckPoint;
            }
            const float along = count == 1 ? 0.5f : static_cast<float>(level) / static_cast<float>(count - 1);
            const float x = stage % 2 == 0 ? LeftEnd + (RightEnd - LeftEnd) * along
                                           : RightEnd - (RightEnd - LeftEnd) * along;
            element.matrix[3] = x;
            element.matrix[7] = FirstRow + RowStep * static_cast<float>(stage);
            elements.push_back(element);
        }
    }
    elements.back().type = MapElementType::Finish;
    return elements;
}

std::vector<uint8_t> BuildMapFile(const std::vector<MapElement>& elements) {
    BinaryWriter writer;
    BeginEngineFile(writer, "PHGMF", MapVersion);
    writer.U32(static_cast<uint32_t>(elements.size()));
    for (const MapElement& element : elements) {
        writer.U32(static_cast<uint32_t>(element.type));
        for (const float value : element.matrix) {
            writer.F32(value);
        }
    }
    EndEngineFile(writer);
    return writer.Data();
}

} // namespace Tools
