#pragma once
// This game's level catalogue: "data\levels\stage<i>.ini" per stage, each
// stage entry its mini-game size and each level entry its puzzle folder and
// its two ace times.
//     stages_info.ini          stage0.ini
//     2    // stages           2
//     3    // 3 x 3 totem      meadow_01 120 90
//     4                        meadow_02 150 110
#include <cstdint>
#include <memory>
#include <string>

#include "framework/LevelManagerBase.h"

namespace ActionPuzzle {

struct StageInfo : GameFramework::StageInfo {
    // The grid is this many cells on a side in the totem mini game that
    // follows the stage.
    uint32_t miniGameSize = 0;
};

struct LevelInfo : GameFramework::LevelInfo {
    std::string puzzleName;  // the folder below "data\puzzles\"
    // Seconds, in the order of the file: arcade, then relax.
    int32_t aceTimes[2] = {0, 0};
};

class LevelManager : public GameFramework::LevelManagerBase {
public:
    using LevelManagerBase::LevelManagerBase;
    ~LevelManager() override;

    std::string GetStageFileName(uint32_t stage) override;
    std::unique_ptr<GameFramework::StageInfo> CreateStageInfo() override;
    std::unique_ptr<GameFramework::LevelInfo> CreateLevelInfo() override;
    // The largest totem grid a player can always finish. A tile of a grid N
    // cells wide takes presses on a square of 266 / N - 1 GUI units, outside
    // a dead zone at its centre, and the pointer moves in steps of 800 / 640
    // = 1.25 units in the smallest video mode the options offer (640 x 480).
    // Up to N = 55 every tile has pointer positions that turn it either way;
    // from 56 on some tiles have none there (from 266 on none at all, in any
    // mode), so the puzzle could never end and the map would wait for ever.
    static constexpr uint32_t MaxMiniGameSize = 55;

    // A mini-game size below 1 is refused (a grid without tiles is never
    // done), and one above MaxMiniGameSize.
    void ReadStageInfo(GameFramework::StageInfo& stage, ZorvaneEngine::FileTextual& file) override;
    void ReadLevelInfo(GameFramework::LevelInfo& level, ZorvaneEngine::FileTextual& file) override;
};

} // namespace ActionPuzzle
